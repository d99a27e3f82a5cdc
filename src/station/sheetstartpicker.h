// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/sheetlayout.h"

#include <QWidget>

// A sheet of labels drawn small: the labels used before (grey), the first one to print
// (blue) and the rest. A click on a label makes it the first one.
class SheetStartPicker : public QWidget {
    Q_OBJECT
public:
    explicit SheetStartPicker(QWidget *parent = nullptr);

    void setLayout(const SheetLayout &layout);
    void setStart(int start); // 1-based
    int start() const { return m_start; }
    // The label at `pos` (1-based), 0 where there is none.
    int labelAt(const QPoint &pos) const;
    QSize sizeHint() const override { return {150, 212}; }

Q_SIGNALS:
    void startChosen(int start);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The paper in the widget: millimetres to pixels.
    QTransform paperToWidget() const;

    SheetLayout m_layout;
    int m_start = 1;
};
