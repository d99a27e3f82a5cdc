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
    // The label's dots (before the print direction turns it) to widget coordinates.
    QTransform labelTransform() const;

    // The element chosen on the label (dots, as setFlagged): a frame with its grips, which
    // stays over new labels until it is set again; an empty rectangle: none.
    enum Grip { NoGrip = 0, TopGrip = 1, BottomGrip = 2, CornerGrip = 4 };
    void setSelection(const QRectF &dots, int grips);
    const QRectF &selection() const { return m_selection; }
    int grips() const { return m_grips; }
    // Where a grip of the selection is drawn (widget coordinates), empty when it has none.
    QRectF gripRect(Grip grip) const;
    // The grip under `pos` (widget coordinates), NoGrip when none.
    Grip gripAt(const QPointF &pos) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateMinimum();

    LabelDescription m_label;
    QList<QRectF> m_flagged;
    QRectF m_selection;
    int m_grips = NoGrip;
    bool m_realSize = false;
};
