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
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked(m_index);
    QLabel::mouseDoubleClickEvent(event);
}
