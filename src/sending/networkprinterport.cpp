// SPDX-License-Identifier: GPL-3.0-or-later
#include "networkprinterport.h"

#include <QTcpSocket>

NetworkPrinterPort::NetworkPrinterPort(const QString &host, quint16 port, QObject *parent)
    : PrinterPort(parent), m_host(host), m_port(port), m_socket(new QTcpSocket(this))
{
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(ConnectTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] {
        if (m_closed || m_connected)
            return;
        m_failed = true;
        m_socket->abort();
        fail(SendError::Kind::Timeout,
             QStringLiteral("no connection in %1 seconds").arg(ConnectTimeoutMs / 1000));
    });
    connect(m_socket, &QTcpSocket::connected, this, &NetworkPrinterPort::onConnected);
    connect(m_socket, &QTcpSocket::bytesWritten, this, &NetworkPrinterPort::onBytesWritten);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &NetworkPrinterPort::onError);
    connect(m_socket, &QTcpSocket::disconnected, this, &NetworkPrinterPort::onDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this,
            [this] { m_socket->skip(m_socket->bytesAvailable()); });
}

NetworkPrinterPort::~NetworkPrinterPort()
{
    m_closed = true;
    m_socket->disconnect(this);
}

qint64 NetworkPrinterPort::bytesPerSecond() const
{
    // A printer takes what it can print; count it no faster than a serial line would.
    return PrinterPort::bytesPerSecond();
}

void NetworkPrinterPort::open()
{
    m_connectTimer.start();
    // Opened for reading too, so that a printer closing the connection is noticed; what it
    // might send is dropped unread.
    m_socket->connectToHost(m_host, m_port);
}

void NetworkPrinterPort::onConnected()
{
    if (m_closed || m_failed)
        return;
    m_connectTimer.stop();
    m_connected = true;
    Q_EMIT opened();
}

void NetworkPrinterPort::write(const QByteArray &bytes)
{
    m_total = bytes.size();
    m_written = 0;
    if (bytes.isEmpty()) {
        Q_EMIT allWritten();
        return;
    }
    if (m_socket->write(bytes) != bytes.size() && !m_failed) {
        m_failed = true;
        fail(SendError::Kind::Other, m_socket->errorString());
    }
}

void NetworkPrinterPort::onBytesWritten(qint64 n)
{
    if (m_closed || m_failed)
        return;
    m_written += n;
    Q_EMIT progress(m_written, m_total);
    if (m_written >= m_total && m_socket->bytesToWrite() == 0)
        Q_EMIT allWritten();
}

void NetworkPrinterPort::onError(QAbstractSocket::SocketError error)
{
    if (m_closed || m_failed)
        return;
    m_failed = true;
    m_connectTimer.stop();
    const QString text = m_socket->errorString();
    SendError::Kind kind = SendError::Kind::Other;
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        kind = m_connected ? SendError::Kind::PeerClosed : SendError::Kind::HostNotFound;
        break;
    case QAbstractSocket::ConnectionRefusedError:
        kind = m_connected ? SendError::Kind::PeerClosed : SendError::Kind::Refused;
        break;
    case QAbstractSocket::NetworkError:
        kind = m_connected ? SendError::Kind::PeerClosed : SendError::Kind::DeviceMissing;
        break;
    case QAbstractSocket::RemoteHostClosedError:
        kind = SendError::Kind::PeerClosed;
        break;
    case QAbstractSocket::SocketAccessError:
        kind = SendError::Kind::PermissionDenied;
        break;
    case QAbstractSocket::SocketTimeoutError:
        kind = SendError::Kind::Timeout;
        break;
    default:
        break;
    }
    fail(kind, text);
}

void NetworkPrinterPort::onDisconnected()
{
    // The printer closed first (a closing of our own comes after close()).
    if (m_closed || m_failed || !m_connected)
        return;
    m_failed = true;
    fail(SendError::Kind::PeerClosed);
}

void NetworkPrinterPort::close()
{
    m_closed = true;
    m_connectTimer.stop();
    m_socket->disconnect(this);
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->disconnectFromHost(); // sends what is left, then closes
    else
        m_socket->abort();
}
