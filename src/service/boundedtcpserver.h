// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTcpServer>

// The print service's listening socket, with bounds the HTTP server has not: a connection
// that sends more than `maxRequestBytes` before it is answered gets "413 Payload Too Large"
// and is closed without its bytes being kept, and a connection idle for `idleMs` (a client
// that sends half a request and waits) is closed.
class BoundedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    BoundedTcpServer(qint64 maxRequestBytes, int idleMs, QObject *parent = nullptr);

protected:
    void incomingConnection(qintptr handle) override;

private:
    qint64 m_max;
    int m_idleMs;
};
