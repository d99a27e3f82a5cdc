// SPDX-License-Identifier: GPL-3.0-or-later
#include "opentargets.h"

#include <QCoreApplication>

OpenTargets *OpenTargets::ofApplication()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return nullptr; // no application, no queue that could share a port
    if (auto *kept = app->findChild<OpenTargets *>(QString(), Qt::FindDirectChildrenOnly))
        return kept;
    return new OpenTargets(app);
}

bool OpenTargets::claim(const QString &target)
{
    if (m_open.contains(target))
        return false;
    m_open.insert(target);
    return true;
}
