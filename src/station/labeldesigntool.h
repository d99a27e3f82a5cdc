// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "render/elementgeometry.h"

#include <QObject>
#include <QPointF>

#include <optional>

class QKeyEvent;
class QMouseEvent;
class LabelPreviewCanvas;
class LabelPreviewPane;
class StationDocument;

// Design on the label itself: in the station's preview a click chooses a barcode or a text
// (a frame with grips), a drag moves it in whole units of the format (1 mm on the SRP-770,
// 0.1 mm on the AL-300) and never past the label's edge, a barcode's top or bottom grip
// changes its height and a text's corner grip its magnification in whole steps. The format
// follows as the element moves (the field table and the preview with it); the drop makes one
// undoable step, Escape during a drag puts the element back. The arrow keys move the chosen
// element a unit (ten with Shift); a key held down is one step. Mouse and keys go the way
// they go on the screen, on a label printed turned too.
class LabelDesignTool : public QObject {
    Q_OBJECT
public:
    LabelDesignTool(StationDocument *document, LabelPreviewPane *pane, QObject *parent = nullptr);

    struct Element {
        bool barcode = false;
        int index = 0; // 0: none
        bool operator==(const Element &) const = default;
    };
    Element selected() const { return m_selected; }
    // Chooses an element (the field table's row had the focus); none with index 0.
    void select(Element element);
    bool isDragging() const { return m_grip.has_value(); }
    // "바코드1  X 12.5 mm  Y 10.0 mm  높이 8.0 mm"
    QString statusText() const;
    // Where an element lands on the label shown (mm); none when it prints nothing there.
    std::optional<ElementGeometry::Box> boxOf(Element element) const;

Q_SIGNALS:
    void selectionChanged(LabelDesignTool::Element element);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Grip { Move, Top, Bottom, Corner };
    void press(QMouseEvent *event);
    void drag(const QPointF &pos);
    void drop();
    void cancel();
    bool key(QKeyEvent *event);
    // Moves the chosen element by (du, dv) format units, inside the label.
    void moveBy(int du, int dv, bool joining);
    ElementGeometry::Values values() const;
    QList<ElementGeometry::Box> boxes() const;
    // A point of the canvas in the label's millimetres.
    QPointF toMm(const QPointF &pos) const;
    QSizeF labelMm() const;
    // The frame and the status line for the element as the format holds it now.
    void showSelection();
    int units() const;

    StationDocument *m_doc;
    LabelPreviewPane *m_pane;
    LabelPreviewCanvas *m_canvas;
    Element m_selected;
    std::optional<Grip> m_grip; // a drag going on
    QPointF m_pressMm;
    QRectF m_startBox; // mm
    BarcodeElement m_barBefore;
    TextElement m_txtBefore;
};
