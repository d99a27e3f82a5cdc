// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

// Colours are written "&H00BBGGRR" in the program's texts: the low byte is red.
QColor VbColour(quint32 bgr);
QColor VbColour(const QString &text);

class QWidget;
// Background colour of an input box (light yellow while it has the focus, white otherwise).
void SetBoxColour(QWidget *box, quint32 bgr);
constexpr quint32 FocusColour = 0x0080FFFF;
constexpr quint32 BlurColour = 0x00FFFFFF;
