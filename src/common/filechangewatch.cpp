// SPDX-License-Identifier: GPL-3.0-or-later
#include "filechangewatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

FileChangeWatch::FileChangeWatch(QObject *parent) : QObject(parent)
{
    m_watcher = new QFileSystemWatcher(this);
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    m_poll = new QTimer(this);
    m_poll->setInterval(PollMs);
    auto notice = [this] {
        // A file replaced whole is a new file: watch it again.
        rewatch();
        m_settle->start();
    };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, notice);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, notice);
    connect(m_settle, &QTimer::timeout, this, [this] { Q_EMIT mayHaveChanged(true); });
    connect(m_poll, &QTimer::timeout, this, [this] {
        rewatch();
        Q_EMIT mayHaveChanged(false);
    });
}

void FileChangeWatch::setFiles(const QStringList &paths)
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_files = paths;
    rewatch();
    if (m_files.isEmpty())
        m_poll->stop();
    else
        m_poll->start();
}

void FileChangeWatch::rewatch()
{
    for (const QString &path : m_files) {
        const QFileInfo info(path);
        const QString dir = info.absolutePath();
        if (!m_watcher->directories().contains(dir) && QFileInfo(dir).isDir())
            m_watcher->addPath(dir);
        if (!m_watcher->files().contains(path) && info.exists())
            m_watcher->addPath(path);
    }
}
