// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

class QFrame;
class QWidget;

// A raised panel that a window shows over its own controls (option panels, print panels,
// the transfer panel). Created hidden.
QFrame *MakeFloatingPanel(const QString &name, const QColor &background, QWidget *parent);
