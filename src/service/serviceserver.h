// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>

#include <memory>

class BoundedTcpServer;
class PrintService;
class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
struct PrintOrder;

// The print service's HTTP API (version 1, JSON; docs/api.yaml describes it) over a
// PrintService. Clients other than the computer itself, and every client with
// `requireToken`, send the token of the data folder ("Authorization: Bearer ..."); a wrong or
// missing one gets 401 and is logged.
class ServiceServer : public QObject {
    Q_OBJECT
public:
    ServiceServer(PrintService *service, QObject *parent = nullptr);
    ~ServiceServer() override;

    // Listens on `address`:`port` (0: any free port); false with the reason.
    bool listen(const QHostAddress &address, quint16 port, bool requireToken, QString *why);
    quint16 port() const;
    void close();

    // The data folder's token, made on first use (PrintService.token, readable by its owner
    // only); empty with the reason when it cannot be read or made.
    static QString token(QString *why);
    static QString tokenPath();

    static constexpr int IdleMs = 30 * 1000;

private:
    void addRoutes();
    // Plans `order` on a worker, queues it on the service's thread and answers.
    void planThenAnswer(const PrintOrder &order, const QString &who,
                        QHttpServerResponder &&responder);
    // Whether the request may go on; false when it has no right token (logged).
    bool allowed(const QHttpServerRequest &request) const;

    PrintService *m_service;
    std::unique_ptr<QHttpServer> m_http;
    BoundedTcpServer *m_tcp = nullptr;
    bool m_requireToken = false;
    QString m_token;
};
