// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A network label printer stand-in for tests: a QTcpServer on 127.0.0.1 that keeps every
// byte it receives. It may close a connection after a number of bytes (a printer failing
// in the middle of a job).

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TcpPrinter : public QObject {
public:
    TcpPrinter()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                ++m_connections;
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    const QByteArray got = s->readAll();
                    m_bytes += got;
                    m_connectionBytes += got.size();
                    if (m_closeAfter >= 0 && m_connectionBytes >= m_closeAfter) {
                        m_closeAfter = -1;
                        s->abort();
                    }
                });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                m_connectionBytes = 0;
            }
        });
    }

    bool isValid() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QString target() const { return QStringLiteral("tcp://127.0.0.1:%1").arg(port()); }
    // The next connection is dropped once it has brought this many bytes.
    void closeAfter(qint64 bytes) { m_closeAfter = bytes; }
    int connections() const { return m_connections; }
    // Stops listening: nobody answers at the port any more.
    void close() { m_server.close(); }

    // Everything received so far, processing events for up to `ms` until `count` bytes are in.
    QByteArray bytes(qint64 count = 0, int ms = 2000)
    {
        QElapsedTimer clock;
        clock.start();
        while (m_bytes.size() < count && clock.elapsed() < ms)
            QTest::qWait(5);
        QTest::qWait(10);
        return m_bytes;
    }
    void clear() { m_bytes.clear(); }

private:
    QTcpServer m_server;
    QByteArray m_bytes;
    qint64 m_connectionBytes = 0;
    qint64 m_closeAfter = -1;
    int m_connections = 0;
};
