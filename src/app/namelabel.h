// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A set name on the background panel: a click and a double click are reported.
class NameLabel : public QLabel {
    Q_OBJECT
public:
    explicit NameLabel(int index, QWidget *parent = nullptr);
    int index() const { return m_index; }

Q_SIGNALS:
    void clicked(int index);
    void doubleClicked(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int m_index;
};
