// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The print service as a process of its own (`labelstation serve` on a free loopback port
// over a data folder), and an HTTP client for it that waits for each answer.

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>
#include <QtTest>

class ServiceProcess {
public:
    ~ServiceProcess() { stop(); }

    // Starts the service; false when it does not say where it listens within 20 s.
    bool start(const QString &dataDir, const QStringList &more = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LABELSTATION_TEST_WAIT_SCALE"), QStringLiteral("0.01"));
        m_process.setProcessEnvironment(env);
        m_process.start(m_program,
                        QStringList{QStringLiteral("--data-dir"), dataDir, QStringLiteral("serve"),
                                    QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")} +
                            more);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000 && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            m_out += m_process.readAllStandardOutput();
            const qsizetype at = m_out.indexOf("listening on http://127.0.0.1:");
            const qsizetype end = m_out.indexOf('\n', at);
            if (at >= 0 && end > at) {
                m_base = QStringLiteral("http://127.0.0.1:") +
                         QString::fromLatin1(m_out.mid(at + 30, end - at - 30));
                return true;
            }
        }
        qWarning("%s", m_process.readAllStandardError().constData());
        return false;
    }
    // SIGTERM, and the exit status (-1: it did not end within `ms`).
    int stop(int ms = 20000)
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitCode();
        m_process.terminate();
        if (!m_process.waitForFinished(ms)) {
            m_process.kill();
            m_process.waitForFinished();
            return -1;
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QString url(const QString &path) const { return m_base + path; }
    qint64 pid() const { return m_process.processId(); }
    // The program to run (the test build, with its wait seam, unless changed).
    void setProgram(const QString &program) { m_program = program; }

private:
    QString m_program = QStringLiteral(LABELSTATION_BIN);
    QProcess m_process;
    QByteArray m_out;
    QString m_base;
};

struct HttpAnswer {
    int status = 0;
    QJsonObject body;
};

// One request, waited for (at most 20 s).
inline HttpAnswer http(QNetworkAccessManager &net, const QByteArray &method, const QString &url,
                       const QByteArray &body = {}, const QByteArray &token = {})
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token);
    QNetworkReply *reply = net.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    HttpAnswer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    a.body = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    return a;
}
