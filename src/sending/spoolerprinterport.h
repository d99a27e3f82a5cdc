// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/printerport.h"

#include <QProcess>

// A print queue of the system's spooler (CUPS) that passes a job on unchanged: each job is
// handed to `lp -d QUEUE -o raw` on its standard input, so the spooler queues it, keeps its
// history and applies its access rules. The job counts as written when the spooler has
// taken it (lp ends with status 0); a queue that does not exist, refuses jobs or an `lp`
// that is missing fails the job with the spooler's own words.
class SpoolerPrinterPort : public PrinterPort {
    Q_OBJECT
public:
    SpoolerPrinterPort(const QString &queue, QObject *parent = nullptr);
    ~SpoolerPrinterPort() override;

    void open() override;
    void write(const QByteArray &bytes) override;
    void close() override;
    qint64 bytesPerSecond() const override;

private:
    QString m_queue;
    QProcess *m_lp = nullptr;
    qint64 m_total = 0;
};
