// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QWidget>

// Hourglass pointer and a disabled button for the length of a command.
class BusyGuard {
public:
    explicit BusyGuard(QWidget *button) : m_button(button)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_button->setEnabled(false);
    }
    ~BusyGuard()
    {
        m_button->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

private:
    QWidget *m_button;
};
