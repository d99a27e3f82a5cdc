// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Many clients of the print service at once: each client sends its requests one after
// another (the next once the last is answered), alternating between two ports; each request
// prints one label whose EAN-13 names the client and the request (88 CC SSS 00000 and the
// check digit), so that the printers' bytes tell which label came and in which order.

#include "servicefixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <memory>
#include <vector>

struct LoadResult {
    int answered = 0, accepted = 0;
    QList<qint64> latencyUs; // request to answer
    qint64 elapsedMs = 0;    // first request to last answer
    QStringList refusals;    // status, error and body of each request not accepted
};

inline QString loadEan(int client, int request)
{
    const QString d = QStringLiteral("88%1%200000")
                          .arg(client, 2, 10, QLatin1Char('0'))
                          .arg(request, 3, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += d[i].digitValue() * (i % 2 ? 3 : 1);
    return d + QString::number((10 - sum % 10) % 10);
}

// The port of request `request` of a client: 3 and 4 by turns.
inline int loadPort(int request)
{
    return request % 2 ? 4 : 3;
}

inline LoadResult runLoad(const ServiceProcess &service, int clients, int requests)
{
    LoadResult result;
    std::vector<std::unique_ptr<QNetworkAccessManager>> nets;
    QEventLoop loop;
    int open = clients;
    QElapsedTimer clock;
    clock.start();
    std::function<void(int, int)> send = [&](int c, int r) {
        if (r == requests) {
            if (--open == 0)
                loop.quit();
            return;
        }
        const QByteArray body = QStringLiteral(R"({"model": "srp770", "set": 0, "port": %1,
            "rows": [{"number": 1, "format": 1, "quantity": 1, "barcodes": ["%2"]}]})")
                                    .arg(loadPort(r))
                                    .arg(loadEan(c, r))
                                    .toUtf8();
        QNetworkRequest request{QUrl(service.url(QStringLiteral("/v1/print")))};
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
        const qint64 sent = clock.nsecsElapsed();
        QNetworkReply *reply = nets[c]->post(request, body);
        QObject::connect(reply, &QNetworkReply::finished, [&, reply, c, r, sent] {
            result.latencyUs << (clock.nsecsElapsed() - sent) / 1000;
            ++result.answered;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (status == 202)
                ++result.accepted;
            else
                result.refusals << QStringLiteral("%1 %2 %3")
                                       .arg(status)
                                       .arg(reply->errorString(),
                                            QString::fromUtf8(reply->readAll().left(200)));
            reply->deleteLater();
            send(c, r + 1);
        });
    };
    for (int c = 0; c < clients; ++c)
        nets.push_back(std::make_unique<QNetworkAccessManager>());
    for (int c = 0; c < clients; ++c)
        send(c, 0);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    result.elapsedMs = clock.elapsed();
    std::sort(result.latencyUs.begin(), result.latencyUs.end());
    return result;
}

// The EAN-13s of the ZPL labels in `bytes`, in the order they were printed.
inline QStringList loadLabels(const QByteArray &bytes)
{
    QStringList out;
    static const QRegularExpression data(QStringLiteral("\\^BE[^\\^]*\\^FD(\\d{12})"));
    auto it = data.globalMatch(QString::fromLatin1(bytes));
    while (it.hasNext())
        out << it.next().captured(1);
    return out;
}

// The resident memory of process `pid` in KiB (0 when it cannot be read).
inline qint64 residentKiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray s = f.readAll();
    const qsizetype at = s.indexOf("VmRSS:");
    return at < 0 ? 0
                  : s.mid(at + 6, s.indexOf('\n', at) - at - 6)
                        .trimmed()
                        .split(' ')
                        .first()
                        .toLongLong();
}
