// SPDX-License-Identifier: GPL-3.0-or-later
#include "boundedtcpserver.h"

#include <QTcpSocket>
#include <QTimer>

BoundedTcpServer::BoundedTcpServer(qint64 maxRequestBytes, int idleMs, QObject *parent)
    : QTcpServer(parent), m_max(maxRequestBytes), m_idleMs(idleMs)
{
}

void BoundedTcpServer::incomingConnection(qintptr handle)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(handle)) {
        delete socket;
        return;
    }
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(m_idleMs);
    connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
    idle->start();
    // Connected before the HTTP server's own reader: the bytes are counted before it takes
    // them. The count starts again with each answer.
    connect(socket, &QTcpSocket::readyRead, socket, [socket, idle, max = m_max] {
        idle->start();
        if (socket->property("refused").toBool()) {
            socket->readAll();
            return;
        }
        const qint64 got = socket->property("got").toLongLong() + socket->bytesAvailable();
        socket->setProperty("got", got);
        if (got <= max)
            return;
        socket->setProperty("refused", true);
        socket->readAll();
        const QByteArray body = "{\"error\": \"the request is larger than 1 MB\"}";
        socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Type: application/json\r\n"
                      "Connection: close\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    });
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket, idle] {
        idle->start();
        socket->setProperty("got", 0);
    });
    addPendingConnection(socket);
}
