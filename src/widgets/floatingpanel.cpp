// SPDX-License-Identifier: GPL-3.0-or-later
#include "floatingpanel.h"

#include <QFrame>
#include <QPalette>

QFrame *MakeFloatingPanel(const QString &name, const QColor &background, QWidget *parent)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setLineWidth(2);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, background);
    f->setPalette(p);
    f->hide();
    return f;
}
