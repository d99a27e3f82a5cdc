// SPDX-License-Identifier: GPL-3.0-or-later
#include "serialprinterport.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

SerialPrinterPort::SerialPrinterPort(const QString &device, const LineSettings &settings,
                                     QObject *parent)
    : PrinterPort(parent), m_device(device), m_settings(settings)
{
    connect(&m_serial, &QSerialPort::bytesWritten, this, &SerialPrinterPort::onBytesWritten);
    connect(&m_serial, &QSerialPort::errorOccurred, this, &SerialPrinterPort::onError);
}

qint64 SerialPrinterPort::bytesPerSecond() const
{
    // 10 bits a byte: start, 8 data bits (fewer on some lines), stop.
    return qMax<qint64>(1, m_settings.baud / 10);
}

void SerialPrinterPort::open()
{
    m_serial.setPortName(m_device);
    m_serial.setBaudRate(m_settings.baud);
    m_serial.setParity(m_settings.parity);
    m_serial.setDataBits(m_settings.dataBits);
    m_serial.setStopBits(m_settings.stopBits);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    if (m_serial.open(QIODevice::WriteOnly)) {
        Q_EMIT opened();
        return;
    }
    // open() reports through errorOccurred as well; the answer is given here once.
    const QSerialPort::SerialPortError e = m_serial.error();
    const QString text = m_serial.errorString();
    m_serial.clearError();
    SendError::Kind kind = SendError::Kind::Other;
    switch (e) {
    case QSerialPort::DeviceNotFoundError:
        kind = SendError::Kind::DeviceMissing;
        break;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        // Held by another program, or not ours to write at all.
        kind = ::access(QFile::encodeName(m_device).constData(), W_OK) == 0
                   ? SendError::Kind::Busy
                   : SendError::Kind::PermissionDenied;
#else
        kind = SendError::Kind::Busy;
#endif
        break;
    case QSerialPort::OpenError:
        kind = SendError::Kind::Busy;
        break;
    default:
        break;
    }
    fail(kind, text);
}

void SerialPrinterPort::write(const QByteArray &bytes)
{
    m_total = bytes.size();
    m_written = 0;
    if (bytes.isEmpty()) {
        Q_EMIT allWritten();
        return;
    }
    if (m_serial.write(bytes) != bytes.size()) {
        const QString text = m_serial.errorString();
        m_serial.clearError();
        fail(SendError::Kind::Other, text);
    }
}

void SerialPrinterPort::onBytesWritten(qint64 n)
{
    if (m_closed)
        return;
    m_written += n;
    Q_EMIT progress(m_written, m_total);
    if (m_written >= m_total && m_serial.bytesToWrite() == 0)
        Q_EMIT allWritten();
}

void SerialPrinterPort::onError(QSerialPort::SerialPortError error)
{
    // Errors of open() are answered there; only a failing open port reports here.
    if (m_closed || error == QSerialPort::NoError || !m_serial.isOpen())
        return;
    const QString text = m_serial.errorString();
    m_serial.clearError();
    switch (error) {
    case QSerialPort::ResourceError:
        fail(SendError::Kind::DeviceMissing, text);
        break;
    case QSerialPort::TimeoutError:
        fail(SendError::Kind::Timeout, text);
        break;
    default:
        fail(SendError::Kind::Other, text);
        break;
    }
}

void SerialPrinterPort::close()
{
    m_closed = true;
    if (m_serial.isOpen())
        m_serial.close();
    m_serial.clearError();
}
