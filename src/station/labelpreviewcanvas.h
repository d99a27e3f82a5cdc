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
    bool m_realSize = false;
};
