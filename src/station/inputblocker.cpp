// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputblocker.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

InputBlocker::InputBlocker(QWidget *window, QWidget *allowed, QObject *parent)
    : QObject(parent), m_window(window), m_allowed(allowed)
{
}

void InputBlocker::setActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool InputBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && m_window && (w == m_window || m_window->isAncestorOf(w)) &&
            !(m_allowed && (w == m_allowed || m_allowed->isAncestorOf(w))))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
