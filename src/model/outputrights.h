// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Output rights consulted before a report. This program has no rights store: every operator
// may print and nothing is ever locked by approval work.

// Output level of an operator: 1, 3, -1 or -3 allow output. Always -1.
qint16 OutputRightLevel(const QString &userCode);
// 1 when the operator may output. Always 1.
qint16 OutputPermitted(const QString &userCode);
// 1 while output is locked by approval work. Always 0.
qint16 ApprovalLocked();
