// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

// The port targets the send queues of one program have open now: a second queue does not
// open a port that another one is writing to (it reports the port busy instead). The list
// belongs to the application object and lives as long as it.
class OpenTargets : public QObject {
    Q_OBJECT
public:
    explicit OpenTargets(QObject *owner = nullptr) : QObject(owner) {}

    // The list of the application (made on first use, a child of the application object);
    // nullptr before there is an application.
    static OpenTargets *ofApplication();

    // Takes `target` for a queue; false when another queue holds it.
    bool claim(const QString &target);
    void release(const QString &target) { m_open.remove(target); }

private:
    QSet<QString> m_open;
};
