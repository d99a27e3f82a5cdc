// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The line between the windows program that works on a data folder and a second start of
// the windows on the same folder (a double-click too many): the first program listens on a
// local socket named after the folder; the second asks it to bring its window forward before
// it tells the operator that the folder is in use, and ends.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // The socket name for a data folder (the same for every spelling of the folder's path).
    static QString serverName(const QString &dataDir);

    // Listens for later starts on `dataDir`. Only the holder of the folder's lock listens, so
    // a socket left by a program that ended is removed first.
    bool listen(const QString &dataDir);

    // Asks the program listening for `dataDir` to show its window; true when it answered
    // within `timeoutMs` that it did.
    static bool askToShow(const QString &dataDir, int timeoutMs = 2000);

Q_SIGNALS:
    // A later start asked for the window; the receiver brings it forward.
    void showRequested();

private:
    QLocalServer *m_server = nullptr;
};
