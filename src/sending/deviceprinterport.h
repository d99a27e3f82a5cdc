// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/printerport.h"

class QSocketNotifier;

// A printer reached through a device file such as the USB printer class device
// /dev/usb/lp0 (or any existing file, which then receives the jobs one after another). The
// file is never created: a missing device is an error. Writes do not block the program: a
// device that takes no more bytes is waited for on the event loop.
class DevicePrinterPort : public PrinterPort {
    Q_OBJECT
public:
    explicit DevicePrinterPort(const QString &path, QObject *parent = nullptr);
    ~DevicePrinterPort() override;

    void open() override;
    void write(const QByteArray &bytes) override;
    void close() override;

protected:
    // Flags for opening the device (POSIX open()): a file is appended to, never created.
    virtual int openFlags() const;
    // Sets up the opened device; false with the kind of error and the system's words.
    virtual bool prepare(int fd, SendError::Kind *kind, QString *detail);
    // Undoes what prepare() did, just before the device is closed.
    virtual void release(int fd);

    QString m_path;

private:
    void writeMore();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_bytes;
    qint64 m_written = 0;
};
