// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the operator's mouse and keyboard away from a window while it sends a list, except
// from one part of it (the progress panel with its stop button). Unlike disabling the
// controls it changes nothing on screen, so no repaint of the whole window holds up the
// event loop at the start and the end of a send.
class InputBlocker : public QObject {
    Q_OBJECT
public:
    InputBlocker(QWidget *window, QWidget *allowed, QObject *parent = nullptr);

    void setActive(bool on);
    bool isActive() const { return m_active; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_allowed;
    bool m_active = false;
};
