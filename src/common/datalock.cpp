// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTimer>

namespace {

QString lockPathFor(DataLock::Kind kind, const QString &path)
{
    if (kind == DataLock::Kind::Program)
        return DataLock::lockFolder(path) + QStringLiteral("/LabelStation.lock");
    const QFileInfo file(path);
    return DataLock::lockFolder(file.absolutePath()) + QLatin1Char('/') + file.fileName() +
           (kind == DataLock::Kind::Editing ? QStringLiteral(".editing")
                                            : QStringLiteral(".writing"));
}

} // namespace

DataLock::DataLock(Kind kind, const QString &path)
    : m_kind(kind), m_lockPath(lockPathFor(kind, path)),
      m_lock(std::make_unique<QLockFile>(m_lockPath))
{
    m_lock->setStaleLockTime(kind == Kind::Writing ? WritingStaleMs : StaleMs);
}

DataLock::~DataLock()
{
    unlock();
}

QString DataLock::lockFolder(const QString &dataDir)
{
    return QDir(dataDir).absoluteFilePath(QStringLiteral(".locks"));
}

QString DataLock::lockFilePath() const
{
    return m_lockPath;
}

DataLock::Result DataLock::tryLock(int waitMs)
{
    if (m_lock->isLocked())
        return Result::Locked;
    const QString folder = QFileInfo(m_lockPath).absolutePath();
    if (!QDir().mkpath(folder))
        return Result::NoLock;
    if (m_lock->tryLock(waitMs)) {
        if (m_kind != Kind::Writing && QCoreApplication::instance()) {
            m_renewTimer = std::make_unique<QTimer>();
            m_renewTimer->setInterval(RenewMs);
            QObject::connect(m_renewTimer.get(), &QTimer::timeout, m_renewTimer.get(),
                             [this] { renew(); });
            m_renewTimer->start();
        }
        return Result::Locked;
    }
    return m_lock->error() == QLockFile::LockFailedError ? Result::Held : Result::NoLock;
}

void DataLock::unlock()
{
    m_renewTimer.reset();
    m_lock->unlock();
}

bool DataLock::isLocked() const
{
    return m_lock->isLocked();
}

void DataLock::renew()
{
    if (!m_lock->isLocked())
        return;
    // Opened for reading only: the lock's content stays as it is. Where the system does not
    // allow this (Windows keeps the file to its holder), a live holder's lock cannot be
    // removed there anyway.
    QFile f(m_lockPath);
    if (f.open(QIODevice::ReadOnly))
        f.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
}

DataLock::Holder DataLock::holder() const
{
    Holder h;
    QString app;
    h.known = m_lock->getLockInfo(&h.pid, &h.host, &app);
    if (h.known) {
        h.thisProcess = h.pid == QCoreApplication::applicationPid() &&
                        (h.host.isEmpty() || h.host == QSysInfo::machineHostName());
    }
    return h;
}

QString DataLock::koreanHolder(const Holder &holder)
{
    if (!holder.known)
        return QStringLiteral("(알 수 없음)");
    return QStringLiteral("컴퓨터 %1, 프로그램 번호(PID) %2")
        .arg(holder.host.isEmpty() ? QStringLiteral("?") : holder.host)
        .arg(holder.pid);
}

QString DataLock::englishHolder(const Holder &holder)
{
    if (!holder.known)
        return QStringLiteral("another program");
    return QStringLiteral("labelstation on %1 (process %2)")
        .arg(holder.host.isEmpty() ? QStringLiteral("?") : holder.host)
        .arg(holder.pid);
}
