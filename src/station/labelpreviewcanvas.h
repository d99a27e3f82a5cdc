// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QWidget>

// Draws one label description: fitted into the widget, or at its real size on the screen
// (millimetres from the screen's physical resolution).
class LabelPreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit LabelPreviewCanvas(QWidget *parent = nullptr);

    void setLabel(const LabelDescription &label);
    // Areas of the label (dots, before the print direction turns it) outlined in red over the
    // drawing, such as barcodes that do not scan; a new label clears them.
    void setFlagged(const QList<QRectF> &areas);
    const QList<QRectF> &flagged() const { return m_flagged; }
    const LabelDescription &label() const { return m_label; }
    void setRealSize(bool on);
    bool realSize() const { return m_realSize; }
    // Screen pixels per millimetre at real size.
    double pixelsPerMm() const;
    // Where the label is drawn now (widget coordinates).
    QRectF labelRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateMinimum();

    LabelDescription m_label;
    QList<QRectF> m_flagged;
    bool m_realSize = false;
};
