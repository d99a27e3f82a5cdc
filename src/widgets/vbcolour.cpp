// SPDX-License-Identifier: GPL-3.0-or-later
#include "vbcolour.h"

#include <QPalette>
#include <QWidget>

QColor VbColour(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QColor VbColour(const QString &text)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        t = t.mid(2);
    return VbColour(t.toUInt(nullptr, 16));
}

void SetBoxColour(QWidget *box, quint32 bgr)
{
    if (!box)
        return;
    QPalette p = box->palette();
    p.setColor(QPalette::Base, VbColour(bgr));
    box->setPalette(p);
}
