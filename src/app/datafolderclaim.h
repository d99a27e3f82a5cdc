// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/datalock.h"

#include <QObject>
#include <QString>

class InstanceChannel;

// The windows program's hold on its data folder: one program per folder, so that two
// windows of the same station never write over each other's list. The first start takes the
// folder's lock and listens for later starts; a later start (on this computer or another one
// sharing the folder) asks the first to bring its window forward, tells the operator that the
// folder is in use and by whom, and ends. A lock left by a program that crashed or was killed
// is taken over.
class DataFolderClaim : public QObject {
    Q_OBJECT
public:
    explicit DataFolderClaim(const QString &dataDir, QObject *parent = nullptr);
    ~DataFolderClaim() override;

    // Takes the folder. False when another program holds it: the operator has been told (a
    // message box; with `grabFile` a picture of the box is saved there instead of waiting for
    // its OK) and this start ends. A folder where no lock file can be made (read-only) is
    // used without one.
    bool claim(const QString &grabFile = QString());

    // The message of a refused start.
    static QString inUseMessage(const QString &dataDir, const DataLock::Holder &holder,
                                bool broughtForward);
    static QString inUseTitle() { return QStringLiteral("사용중"); }

Q_SIGNALS:
    // A later start asked for this program's window.
    void showRequested();

private:
    QString m_dataDir;
    DataLock m_lock;
    InstanceChannel *m_channel = nullptr;
};
