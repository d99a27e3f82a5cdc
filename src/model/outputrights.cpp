// SPDX-License-Identifier: GPL-3.0-or-later
#include "outputrights.h"

qint16 OutputRightLevel(const QString &userCode)
{
    Q_UNUSED(userCode);
    return -1;
}

qint16 OutputPermitted(const QString &userCode)
{
    Q_UNUSED(userCode);
    return 1;
}

qint16 ApprovalLocked()
{
    return 0;
}
