// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

// Tells when files a window holds may have been changed by another writer. The system's
// notices (QFileSystemWatcher on the files and on their folder, which also sees a file
// replaced whole) arrive at once on a local disk; on a network share they often do not
// arrive at all, so the watch also asks every few seconds. Receivers compare the files
// themselves (TrackedFile::check); a notice only says "look now".
class FileChangeWatch : public QObject {
    Q_OBJECT
public:
    explicit FileChangeWatch(QObject *parent = nullptr);

    void setFiles(const QStringList &paths);
    const QStringList &files() const { return m_files; }

    static constexpr int PollMs = 2000;
    static constexpr int SettleMs = 150; // a burst of notices gives one signal

Q_SIGNALS:
    // `notified`: the system reported a change (compare thoroughly); false for the periodic
    // look (comparing size and time is enough).
    void mayHaveChanged(bool notified);

private:
    void rewatch();

    QStringList m_files;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_settle = nullptr;
    QTimer *m_poll = nullptr;
};
