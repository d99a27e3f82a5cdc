// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/printerport.h"

#include <QSerialPort>

// A printer on a serial port, opened for writing with the line settings; no flow control.
class SerialPrinterPort : public PrinterPort {
    Q_OBJECT
public:
    SerialPrinterPort(const QString &device, const LineSettings &settings,
                      QObject *parent = nullptr);

    void open() override;
    void write(const QByteArray &bytes) override;
    void close() override;
    qint64 bytesPerSecond() const override;

private:
    void onBytesWritten(qint64 n);
    void onError(QSerialPort::SerialPortError error);

    QString m_device;
    LineSettings m_settings;
    QSerialPort m_serial;
    qint64 m_total = 0;
    qint64 m_written = 0;
    bool m_closed = false;
};
