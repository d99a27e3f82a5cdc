// SPDX-License-Identifier: GPL-3.0-or-later
#include "orderfolder.h"

#include "service/printorder.h"
#include "service/printservice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

OrderFolder::OrderFolder(const QString &folder, PrintService *service, QObject *parent)
    : QObject(parent), m_folder(QDir(folder).absolutePath()), m_service(service)
{
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &OrderFolder::poll);
    connect(service, &PrintService::jobEnded, this, [this](int id, const QString &state) {
        const QString name = m_jobs.take(id);
        if (name.isEmpty())
            return;
        const QJsonObject job = m_service->job(id).body;
        finish(name, state == QLatin1String("done"),
               QStringLiteral("job %1: %2\n").arg(id).arg(state) +
                   QString::fromUtf8(QJsonDocument(job).toJson()));
    });
}

bool OrderFolder::start(QString *why)
{
    const QDir dir(m_folder);
    if (!dir.exists() || !dir.mkpath(QStringLiteral("done")) ||
        !dir.mkpath(QStringLiteral("failed"))) {
        *why = QStringLiteral("%1 is not a folder this program may write into").arg(m_folder);
        return false;
    }
    m_clock.start();
    m_timer.start();
    poll();
    return true;
}

void OrderFolder::stop()
{
    m_timer.stop();
}

void OrderFolder::poll()
{
    const QDir dir(m_folder);
    QSet<QString> present;
    for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.json"), QStringLiteral("*.csv"),
                                                 QStringLiteral("*.xlsx"), QStringLiteral("*.xls")},
                                                QDir::Files)) {
        const QString name = f.fileName();
        present << name;
        if (m_taken.contains(name))
            continue;
        Seen &seen = m_seen[name];
        if (seen.size != f.size() || seen.modified != f.lastModified()) {
            seen = {f.size(), f.lastModified(), m_clock.elapsed()};
            continue;
        }
        if (m_clock.elapsed() - seen.since >= StableMs)
            take(name);
    }
    for (auto it = m_seen.begin(); it != m_seen.end();)
        it = present.contains(it.key()) ? std::next(it) : m_seen.erase(it);
}

void OrderFolder::take(const QString &name)
{
    m_taken << name;
    m_seen.remove(name);
    QString why;
    std::optional<PrintOrder> order;
    if (name.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        QFile f(QDir(m_folder).filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            return finish(name, false, QStringLiteral("cannot read: ") + f.errorString() + '\n');
        order = PrintOrder::fromJson(f.read(PrintOrder::MaxBytes + 1), &why);
    } else {
        order = PrintOrder::fromGoodsFile(QDir(m_folder).filePath(name), &why);
    }
    if (!order)
        return finish(name, false, QStringLiteral("refused: ") + why + '\n');
    const PrintService::Reply r = m_service->submit(*order, QStringLiteral("folder ") + name);
    if (r.status != 202)
        return finish(name, false,
                      QStringLiteral("refused (%1): ").arg(r.status) +
                          QString::fromUtf8(QJsonDocument(r.body).toJson()));
    m_jobs.insert(r.body.value(QStringLiteral("id")).toInt(), name);
}

void OrderFolder::finish(const QString &name, bool done, const QString &log)
{
    const QDir dir(m_folder);
    const QString sub = done ? QStringLiteral("done") : QStringLiteral("failed");
    // An order of the same name done before keeps its file: the new one gets a number.
    QString target = dir.filePath(sub + '/' + name);
    const QString base = QFileInfo(name).completeBaseName();
    const QString suffix = QFileInfo(name).suffix();
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = dir.filePath(QStringLiteral("%1/%2-%3.%4").arg(sub, base).arg(n).arg(suffix));
    QFile::rename(dir.filePath(name), target);
    QFile out(target.left(target.size() - suffix.size()) + QStringLiteral("log"));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(log.toUtf8());
    m_taken.remove(name);
    m_service->log(QStringLiteral("order %1: %2").arg(name, sub));
}
