// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetstartpicker.h"

#include <QMouseEvent>
#include <QPainter>

SheetStartPicker::SheetStartPicker(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SheetStartPicker"));
    setMinimumSize(120, 170);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("인쇄를 시작할 라벨을 누르세요 (앞의 라벨은 이미 쓴 것)"));
}

void SheetStartPicker::setLayout(const SheetLayout &layout)
{
    m_layout = layout;
    m_start = qBound(1, m_start, qMax(1, layout.labelsPerSheet()));
    update();
}

void SheetStartPicker::setStart(int start)
{
    m_start = qBound(1, start, qMax(1, m_layout.labelsPerSheet()));
    update();
}

QTransform SheetStartPicker::paperToWidget() const
{
    const double w = m_layout.paperWidth(), h = m_layout.paperHeight();
    const double k = qMin((width() - 4) / w, (height() - 4) / h);
    QTransform t;
    t.translate((width() - w * k) / 2, (height() - h * k) / 2);
    t.scale(k, k);
    return t;
}

int SheetStartPicker::labelAt(const QPoint &pos) const
{
    const QPointF mm = paperToWidget().inverted().map(QPointF(pos));
    for (int i = 0; i < m_layout.labelsPerSheet(); ++i) {
        if (m_layout.cell(i).contains(mm))
            return i + 1;
    }
    return 0;
}

void SheetStartPicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QTransform t = paperToWidget();
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(Qt::white);
    p.drawRect(t.mapRect(QRectF(0, 0, m_layout.paperWidth(), m_layout.paperHeight())));
    for (int i = 0; i < m_layout.labelsPerSheet(); ++i) {
        const QRectF r = t.mapRect(m_layout.cell(i));
        const bool used = i + 1 < m_start;
        p.setPen(QPen(i + 1 == m_start ? QColor(0x10, 0x50, 0xC0) : QColor(Qt::gray), 1));
        p.setBrush(used               ? QColor(0xC8, 0xC8, 0xC8)
                   : i + 1 == m_start ? QColor(0x90, 0xB8, 0xF0)
                                      : QColor(0xF4, 0xF8, 0xFF));
        p.drawRoundedRect(r, 2, 2);
    }
}

void SheetStartPicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    if (const int label = labelAt(event->position().toPoint())) {
        setStart(label);
        Q_EMIT startChosen(label);
    }
}
