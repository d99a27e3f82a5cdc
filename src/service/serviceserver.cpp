// SPDX-License-Identifier: GPL-3.0-or-later
#include "serviceserver.h"

#include "common/programstate.h"
#include "service/boundedtcpserver.h"
#include "service/printorder.h"
#include "service/printservice.h"

#include <QDir>
#include <QFile>
#include <QFutureWatcher>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QPointer>
#include <QRandomGenerator>
#include <QtConcurrent>
#include <QTcpSocket>

namespace {

using Status = QHttpServerResponse::StatusCode;

QHttpServerResponse reply(const PrintService::Reply &r)
{
    return QHttpServerResponse(r.body, Status(r.status));
}

QHttpServerResponse error(Status status, const QString &why)
{
    return QHttpServerResponse(QJsonObject{{QStringLiteral("error"), why}}, status);
}

QJsonDocument errorDocument(const QString &why)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), why}});
}

QString client(const QHttpServerRequest &request)
{
    return request.remoteAddress().toString();
}

// Equal texts, in a time that does not tell how much of them was equal.
bool sameText(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= uchar(a[i]) ^ uchar(b[i]);
    return diff == 0;
}

} // namespace

ServiceServer::ServiceServer(PrintService *service, QObject *parent)
    : QObject(parent), m_service(service), m_http(std::make_unique<QHttpServer>())
{
    addRoutes();
}

ServiceServer::~ServiceServer() = default;

QString ServiceServer::tokenPath()
{
    return QDir(DataDirectory()).filePath(QStringLiteral("PrintService.token"));
}

QString ServiceServer::token(QString *why)
{
    QFile f(tokenPath());
    if (f.exists()) {
        if (!f.open(QIODevice::ReadOnly)) {
            *why = f.errorString();
            return {};
        }
        const QString t = QString::fromLatin1(f.read(256)).trimmed();
        if (t.size() < 32)
            *why = QStringLiteral("%1 holds no token").arg(tokenPath());
        return t.size() < 32 ? QString() : t;
    }
    QByteArray random(32, '\0');
    QRandomGenerator::system()->generate(random.begin(), random.end());
    const QByteArray t = random.toHex();
    // Readable by its owner only from the start.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        f.write(t + '\n') != t.size() + 1 || !f.flush()) {
        *why = f.errorString();
        f.remove();
        return {};
    }
    return QString::fromLatin1(t);
}

bool ServiceServer::listen(const QHostAddress &address, quint16 port, bool requireToken,
                           QString *why)
{
    m_requireToken = requireToken;
    if (requireToken || !address.isLoopback()) {
        m_token = token(why);
        if (m_token.isEmpty())
            return false;
    }
    m_tcp = new BoundedTcpServer(PrintOrder::MaxBytes + 64 * 1024, IdleMs, this);
    if (!m_tcp->listen(address, port)) {
        *why = m_tcp->errorString();
        return false;
    }
    m_http->bind(m_tcp);
    return true;
}

quint16 ServiceServer::port() const
{
    return m_tcp ? m_tcp->serverPort() : 0;
}

void ServiceServer::close()
{
    if (m_tcp)
        m_tcp->close();
}

void ServiceServer::planThenAnswer(const PrintOrder &order, const QString &who,
                                   QHttpServerResponder &&responder)
{
    auto answer = std::make_shared<QHttpServerResponder>(std::move(responder));
    const QPointer<QTcpSocket> socket = answer->socket(); // gone when the client went away
    auto *watcher = new QFutureWatcher<PrintService::Planned>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, answer, socket, who] {
        const PrintService::Reply r = m_service->enqueue(watcher->result(), who);
        watcher->deleteLater();
        if (socket)
            answer->write(QJsonDocument(r.body), Status(r.status));
    });
    watcher->setFuture(QtConcurrent::run([order] { return PrintService::plan(order); }));
}

bool ServiceServer::allowed(const QHttpServerRequest &request) const
{
    if (!m_requireToken && request.remoteAddress().isLoopback())
        return true;
    const QByteArray given = request.value("Authorization");
    if (!m_token.isEmpty() && sameText(given, "Bearer " + m_token.toLatin1()))
        return true;
    m_service->log(QStringLiteral("401 for %1 %2 from %3 (%4 token)")
                       .arg(request.method() == QHttpServerRequest::Method::Post ? "POST" : "GET",
                            request.url().path(), client(request),
                            given.isEmpty() ? QStringLiteral("no") : QStringLiteral("a wrong")));
    return false;
}

void ServiceServer::addRoutes()
{
    using Method = QHttpServerRequest::Method;
    const QString denied = QStringLiteral("a token is needed: Authorization: Bearer <token of %1>")
                               .arg(QStringLiteral("PrintService.token"));
    m_http->route("/v1/health", Method::Get, [this, denied](const QHttpServerRequest &r) {
        if (!allowed(r))
            return error(Status::Unauthorized, denied);
        return QHttpServerResponse(
            QJsonObject{{QStringLiteral("status"), QStringLiteral("ok")},
                        {QStringLiteral("version"), QStringLiteral(LABELSTATION_VERSION)},
                        {QStringLiteral("dataFolder"), DataDirectory()}});
    });
    m_http->route("/v1/ports", Method::Get, [this, denied](const QHttpServerRequest &r) {
        return allowed(r) ? reply(m_service->ports()) : error(Status::Unauthorized, denied);
    });
    m_http->route(
        "/v1/sets/<arg>/<arg>/goods", Method::Get,
        [this, denied](const QString &model, const QString &set, const QHttpServerRequest &r) {
            return allowed(r) ? reply(m_service->goods(model, set))
                              : error(Status::Unauthorized, denied);
        });
    // A print is planned and checked beside the service's thread, which keeps sending and
    // answering meanwhile; it is queued back on that thread, then answered.
    m_http->route("/v1/print", Method::Post,
                  [this, denied](const QHttpServerRequest &r, QHttpServerResponder &&responder) {
                      QString why;
                      std::optional<PrintOrder> order;
                      if (!allowed(r))
                          return responder.write(errorDocument(denied), Status::Unauthorized);
                      if (r.body().size() > PrintOrder::MaxBytes)
                          return responder.write(
                              errorDocument(QStringLiteral("the request is larger than 1 MB")),
                              Status::PayloadTooLarge);
                      if (!(order = PrintOrder::fromJson(r.body(), &why)))
                          return responder.write(errorDocument(why), Status::BadRequest);
                      planThenAnswer(*order, client(r), std::move(responder));
                  });
    m_http->route(
        "/v1/jobs/<arg>", Method::Get, [this, denied](int id, const QHttpServerRequest &r) {
            return allowed(r) ? reply(m_service->job(id)) : error(Status::Unauthorized, denied);
        });
    m_http->route(
        "/v1/jobs/<arg>", Method::Delete, [this, denied](int id, const QHttpServerRequest &r) {
            return allowed(r) ? reply(m_service->cancel(id)) : error(Status::Unauthorized, denied);
        });
}
