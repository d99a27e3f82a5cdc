// SPDX-License-Identifier: GPL-3.0-or-later
#include "labeldesigntool.h"

#include "commands/stationdocument.h"
#include "model/labeljob.h"
#include "model/printerdriver.h"
#include "render/labelpainter.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include <cmath>

namespace {

// The whole units from `lowMm` to `highMm` an element may move and stay on the label
// (never less than none: an element already past the edge may stay where it is).
std::pair<int, int> room(double lowMm, double highMm, int perMm)
{
    const int low = int(std::ceil(lowMm * perMm - 1e-6));
    const int high = int(std::floor(highMm * perMm + 1e-6));
    return {qMin(low, 0), qMax(high, 0)};
}

QString unitsText(qint32 value, int perMm)
{
    return perMm == 1 ? QString::number(value)
                      : QString::number(double(value) / perMm, 'f', perMm >= 10 ? 1 : 2);
}

} // namespace

LabelDesignTool::LabelDesignTool(StationDocument *document, LabelPreviewPane *pane, QObject *parent)
    : QObject(parent), m_doc(document), m_pane(pane), m_canvas(pane->LabelPreviewCnv)
{
    m_canvas->setFocusPolicy(Qt::ClickFocus);
    m_canvas->setMouseTracking(true);
    m_canvas->installEventFilter(this);
    connect(document, &StationDocument::currentFormatChanged, this, [this] { select({}); });
    // The frame follows every new label: the element changed elsewhere (the field table,
    // undo), another goods row, another zoom.
    connect(pane, &LabelPreviewPane::labelShown, this, [this] {
        if (!isDragging())
            showSelection();
    });
}

int LabelDesignTool::units() const
{
    return m_doc->driver().unitsPerMm();
}

ElementGeometry::Values LabelDesignTool::values() const
{
    ElementGeometry::Values v;
    const int row = m_pane->goodsRow();
    v.barcodes = LabelJob::rowBarcodes(*m_doc->goods(), row);
    v.texts = LabelJob::rowTexts(*m_doc->goods(), row);
    v.blackMark = m_doc->blackMarkStock();
    return v;
}

QList<ElementGeometry::Box> LabelDesignTool::boxes() const
{
    return ElementGeometry::boxes(m_doc->driver(), m_doc->formatSet(), m_doc->currentFormat(),
                                  values());
}

std::optional<ElementGeometry::Box> LabelDesignTool::boxOf(Element element) const
{
    return ElementGeometry::box(m_doc->driver(), m_doc->formatSet(), m_doc->currentFormat(),
                                values(), element.barcode, element.index);
}

QPointF LabelDesignTool::toMm(const QPointF &pos) const
{
    const double perMm = qMax(1, m_canvas->label().dotsPerMm);
    return m_canvas->labelTransform().inverted().map(pos) / perMm;
}

QSizeF LabelDesignTool::labelMm() const
{
    return LabelPainter::labelSize(m_canvas->label()) /
           double(qMax(1, m_canvas->label().dotsPerMm));
}

void LabelDesignTool::select(Element element)
{
    if (element == m_selected)
        return;
    if (isDragging())
        cancel();
    m_selected = element;
    showSelection();
    Q_EMIT selectionChanged(element);
}

void LabelDesignTool::showSelection()
{
    const std::optional<ElementGeometry::Box> box =
        m_selected.index > 0 ? boxOf(m_selected) : std::nullopt;
    if (!box) {
        m_canvas->setSelection({}, LabelPreviewCanvas::NoGrip);
    } else {
        const double perMm = qMax(1, m_canvas->label().dotsPerMm);
        m_canvas->setSelection(QRectF(box->mm.topLeft() * perMm, box->mm.size() * perMm),
                               m_selected.barcode
                                   ? LabelPreviewCanvas::TopGrip | LabelPreviewCanvas::BottomGrip
                                   : LabelPreviewCanvas::CornerGrip);
    }
    m_pane->LabelDesignLbl->setText(statusText());
}

QString LabelDesignTool::statusText() const
{
    if (m_selected.index == 0)
        return QString();
    const LabelFormat &f = m_doc->formatSet().Fmt[m_doc->currentFormat()];
    const int perMm = units();
    if (m_selected.barcode) {
        const BarcodeElement &e = f.Bar[m_selected.index];
        return QStringLiteral("바코드%1  X %2 mm  Y %3 mm  높이 %4 mm")
            .arg(m_selected.index)
            .arg(unitsText(e.BarXx, perMm), unitsText(e.BarYy, perMm),
                 unitsText(e.BarHeight, perMm));
    }
    const TextElement &e = f.Txt[m_selected.index];
    return QStringLiteral("텍스트%1  X %2 mm  Y %3 mm  크기 %4×%5")
        .arg(m_selected.index)
        .arg(unitsText(e.TxtXx, perMm), unitsText(e.TxtYy, perMm))
        .arg(qMax<int>(1, e.TxtYSize))
        .arg(qMax<int>(1, e.TxtXSize));
}

bool LabelDesignTool::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_canvas)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton)
            break;
        press(e);
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (isDragging() && (e->buttons() & Qt::LeftButton)) {
            drag(e->position());
            return true;
        }
        const LabelPreviewCanvas::Grip g = m_canvas->gripAt(e->position());
        m_canvas->setCursor(g == LabelPreviewCanvas::CornerGrip ? Qt::SizeFDiagCursor
                            : g != LabelPreviewCanvas::NoGrip   ? Qt::SizeVerCursor
                                                                : Qt::ArrowCursor);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && isDragging()) {
            drop();
            return true;
        }
        break;
    case QEvent::KeyPress:
        return key(static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
        if (isDragging())
            drop();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void LabelDesignTool::press(QMouseEvent *event)
{
    m_canvas->setFocus(Qt::MouseFocusReason);
    const QPointF pos = event->position();
    std::optional<Grip> grip;
    switch (m_selected.index > 0 ? m_canvas->gripAt(pos) : LabelPreviewCanvas::NoGrip) {
    case LabelPreviewCanvas::TopGrip:
        grip = Grip::Top;
        break;
    case LabelPreviewCanvas::BottomGrip:
        grip = Grip::Bottom;
        break;
    case LabelPreviewCanvas::CornerGrip:
        grip = Grip::Corner;
        break;
    default:
        break;
    }
    const QPointF mm = toMm(pos);
    std::optional<ElementGeometry::Box> box;
    if (grip) {
        box = boxOf(m_selected);
    } else {
        // The smallest element under the pointer: a text over a barcode is the text.
        for (const ElementGeometry::Box &b : boxes()) {
            if (b.mm.adjusted(-0.5, -0.5, 0.5, 0.5).contains(mm) &&
                (!box || b.mm.width() * b.mm.height() < box->mm.width() * box->mm.height()))
                box = b;
        }
        select(box ? Element{box->barcode, box->index} : Element{});
        grip = Grip::Move;
    }
    if (!box)
        return;
    m_grip = grip;
    m_pressMm = mm;
    m_startBox = box->mm;
    const LabelFormat &f = m_doc->formatSet().Fmt[m_doc->currentFormat()];
    m_barBefore = m_selected.barcode ? f.Bar[m_selected.index] : BarcodeElement{};
    m_txtBefore = m_selected.barcode ? TextElement{} : f.Txt[m_selected.index];
}

void LabelDesignTool::drag(const QPointF &pos)
{
    const QPointF d = toMm(pos) - m_pressMm;
    const int perMm = units();
    const QSizeF label = labelMm();
    const QRectF b = m_startBox;
    const int du = qRound(d.x() * perMm), dv = qRound(d.y() * perMm);
    const auto [left, right] = room(-b.left(), label.width() - b.right(), perMm);
    const auto [up, down] = room(-b.top(), label.height() - b.bottom(), perMm);
    if (m_selected.barcode) {
        BarcodeElement e = m_barBefore;
        switch (*m_grip) {
        case Grip::Move:
            e.BarXx = qMax(0, e.BarXx + qBound(left, du, right));
            e.BarYy = qMax(0, e.BarYy + qBound(up, dv, down));
            break;
        case Grip::Bottom:
            e.BarHeight = qMax(1, e.BarHeight + qBound(-e.BarHeight + 1, dv, down));
            break;
        case Grip::Top: {
            const int v = qBound(up, dv, e.BarHeight - 1);
            e.BarYy = qMax(0, e.BarYy + v);
            e.BarHeight -= v;
            break;
        }
        case Grip::Corner:
            break;
        }
        m_doc->showBarcode(m_selected.index, e);
    } else {
        TextElement e = m_txtBefore;
        if (*m_grip == Grip::Move) {
            e.TxtXx = qMax(0, e.TxtXx + qBound(left, du, right));
            e.TxtYy = qMax(0, e.TxtYy + qBound(up, dv, down));
        } else if (*m_grip == Grip::Corner) {
            // The printer's fonts grow in whole steps: the nearest step to the pointer that
            // stays on the label.
            const int most = m_doc->driver().maxMagnification();
            auto step = [most](int before, double sizeMm, double dMm, double roomMm) {
                const int m0 = qMax(1, before);
                const double per = sizeMm / m0;
                if (per <= 0)
                    return m0;
                const int fits = qMax(m0, int(std::floor((sizeMm + roomMm) / per + 1e-6)));
                return qBound(1, qRound((sizeMm + dMm) / per), qMin(most, fits));
            };
            e.TxtXSize = qint16(step(e.TxtXSize, b.width(), d.x(), label.width() - b.right()));
            e.TxtYSize = qint16(step(e.TxtYSize, b.height(), d.y(), label.height() - b.bottom()));
        }
        m_doc->showText(m_selected.index, e);
    }
    showSelection();
}

void LabelDesignTool::drop()
{
    const Grip grip = *m_grip;
    m_grip.reset();
    const QString what = grip == Grip::Move     ? QStringLiteral("위치")
                         : grip == Grip::Corner ? QStringLiteral("크기")
                                                : QStringLiteral("높이");
    const QString step = m_doc->elementStep(m_selected.barcode, m_selected.index, what);
    if (m_selected.barcode)
        m_doc->endBarcode(m_selected.index, m_barBefore, step);
    else
        m_doc->endText(m_selected.index, m_txtBefore, step);
    showSelection();
}

void LabelDesignTool::cancel()
{
    m_grip.reset();
    if (m_selected.barcode)
        m_doc->showBarcode(m_selected.index, m_barBefore);
    else
        m_doc->showText(m_selected.index, m_txtBefore);
    showSelection();
}

bool LabelDesignTool::key(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (isDragging()) {
            cancel();
            return true;
        }
        if (m_selected.index > 0) {
            select({});
            return true;
        }
        return false;
    }
    if (m_selected.index == 0 || isDragging())
        return false;
    const int n = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    int du = 0, dv = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        du = -n;
        break;
    case Qt::Key_Right:
        du = n;
        break;
    case Qt::Key_Up:
        dv = -n;
        break;
    case Qt::Key_Down:
        dv = n;
        break;
    default:
        return false;
    }
    // The way the keys point on the screen, on a turned label too.
    if (m_canvas->label().reversed) {
        du = -du;
        dv = -dv;
    }
    moveBy(du, dv, event->isAutoRepeat());
    return true;
}

void LabelDesignTool::moveBy(int du, int dv, bool joining)
{
    const std::optional<ElementGeometry::Box> box = boxOf(m_selected);
    if (!box)
        return;
    const int perMm = units();
    const QSizeF label = labelMm();
    const auto [left, right] = room(-box->mm.left(), label.width() - box->mm.right(), perMm);
    const auto [up, down] = room(-box->mm.top(), label.height() - box->mm.bottom(), perMm);
    du = qBound(left, du, right);
    dv = qBound(up, dv, down);
    const QString step =
        m_doc->elementStep(m_selected.barcode, m_selected.index, QStringLiteral("위치"));
    const LabelFormat &f = m_doc->formatSet().Fmt[m_doc->currentFormat()];
    if (m_selected.barcode) {
        BarcodeElement e = f.Bar[m_selected.index];
        e.BarXx = qMax(0, e.BarXx + du);
        e.BarYy = qMax(0, e.BarYy + dv);
        m_doc->changeBarcode(m_selected.index, e, step, joining);
    } else {
        TextElement e = f.Txt[m_selected.index];
        e.TxtXx = qMax(0, e.TxtXx + du);
        e.TxtYy = qMax(0, e.TxtYy + dv);
        m_doc->changeText(m_selected.index, e, step, joining);
    }
}
