// SPDX-License-Identifier: GPL-3.0-or-later
#include "namelabel.h"

#include <QMouseEvent>

NameLabel::NameLabel(int index, QWidget *parent) : QLabel(parent), m_index(index) {}

void NameLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(m_index);
    QLabel::mousePressEvent(event);
}

void NameLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The base class would hand the second press on as a single click, whose focus move
    // would close the rename box the double click has just opened.
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT doubleClicked(m_index);
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}
