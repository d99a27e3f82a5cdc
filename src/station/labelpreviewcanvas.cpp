// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelpreviewcanvas.h"

#include "render/labelpainter.h"

#include <QPainter>
#include <QScreen>

#include <cmath>

namespace {

constexpr int Margin = 8; // pixels around the label

} // namespace

LabelPreviewCanvas::LabelPreviewCanvas(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xB8, 0xBC, 0xC4)); // the white label stands out
    setPalette(p);
}

void LabelPreviewCanvas::setLabel(const LabelDescription &label)
{
    m_label = label;
    m_flagged.clear();
    updateMinimum();
    update();
}

void LabelPreviewCanvas::setFlagged(const QList<QRectF> &areas)
{
    m_flagged = areas;
    update();
}

void LabelPreviewCanvas::setRealSize(bool on)
{
    m_realSize = on;
    updateMinimum();
    update();
}

double LabelPreviewCanvas::pixelsPerMm() const
{
    const QScreen *s = screen();
    const double dpi = s && s->physicalDotsPerInchX() > 1 ? s->physicalDotsPerInchX() : 96.0;
    return dpi / 25.4;
}

QRectF LabelPreviewCanvas::labelRect() const
{
    const QSizeF dots = LabelPainter::labelSize(m_label);
    if (m_realSize) {
        const QSizeF px = dots / double(qMax(1, m_label.dotsPerMm)) * pixelsPerMm();
        // Centred while it fits, else from the top left (the scroll area shows the rest).
        const double x = qMax(double(Margin), (width() - px.width()) / 2);
        const double y = qMax(double(Margin), (height() - px.height()) / 2);
        return QRectF(QPointF(x, y), px);
    }
    const QRectF area = QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin);
    if (area.width() <= 0 || area.height() <= 0)
        return {};
    const double s = qMin(area.width() / dots.width(), area.height() / dots.height());
    const QSizeF px = dots * s;
    return QRectF(area.left() + (area.width() - px.width()) / 2,
                  area.top() + (area.height() - px.height()) / 2, px.width(), px.height());
}

QSize LabelPreviewCanvas::sizeHint() const
{
    return QSize(280, 200);
}

void LabelPreviewCanvas::updateMinimum()
{
    if (!m_realSize) {
        setMinimumSize(0, 0);
        return;
    }
    const QSizeF px =
        LabelPainter::labelSize(m_label) / double(qMax(1, m_label.dotsPerMm)) * pixelsPerMm();
    setMinimumSize(int(std::ceil(px.width())) + 2 * Margin,
                   int(std::ceil(px.height())) + 2 * Margin);
}

void LabelPreviewCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF r = labelRect();
    if (r.isEmpty())
        return;
    LabelPainter::paint(p, m_label, r);
    const QTransform t = labelTransform();
    QPen pen(QColor(0xE0, 0x00, 0x00), 2, Qt::DashLine);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (const QRectF &area : m_flagged)
        p.drawRect(t.mapRect(area));
    if (m_selection.isEmpty())
        return;
    QPen frame(QColor(0x10, 0x60, 0xE0), 1);
    frame.setCosmetic(true);
    p.setPen(frame);
    p.drawRect(t.mapRect(m_selection).adjusted(-1, -1, 1, 1));
    p.setBrush(QColor(0x10, 0x60, 0xE0));
    for (Grip g : {TopGrip, BottomGrip, CornerGrip})
        if (m_grips & g)
            p.drawRect(gripRect(g));
}

QTransform LabelPreviewCanvas::labelTransform() const
{
    const QRectF r = labelRect();
    const QSizeF dots = LabelPainter::labelSize(m_label);
    QTransform t;
    if (r.isEmpty() || dots.isEmpty())
        return t;
    t.translate(r.left(), r.top());
    t.scale(r.width() / dots.width(), r.height() / dots.height());
    if (m_label.reversed) {
        t.translate(dots.width(), dots.height());
        t.rotate(180);
    }
    return t;
}

void LabelPreviewCanvas::setSelection(const QRectF &dots, int grips)
{
    if (dots == m_selection && grips == m_grips)
        return;
    m_selection = dots;
    m_grips = grips;
    update();
}

QRectF LabelPreviewCanvas::gripRect(Grip grip) const
{
    if (!(m_grips & grip) || m_selection.isEmpty())
        return {};
    const QRectF s = m_selection;
    const QPointF at = grip == TopGrip      ? QPointF(s.center().x(), s.top())
                       : grip == BottomGrip ? QPointF(s.center().x(), s.bottom())
                                            : s.bottomRight();
    constexpr double Half = 4; // pixels
    const QPointF c = labelTransform().map(at);
    return QRectF(c.x() - Half, c.y() - Half, 2 * Half, 2 * Half);
}

LabelPreviewCanvas::Grip LabelPreviewCanvas::gripAt(const QPointF &pos) const
{
    for (Grip g : {CornerGrip, TopGrip, BottomGrip})
        if (gripRect(g).adjusted(-2, -2, 2, 2).contains(pos))
            return g;
    return NoGrip;
}
