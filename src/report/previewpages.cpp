// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewpages.h"

#include "report/gridpagepainter.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace {
constexpr int Gap = 12; // pixels around and between pages
}

class PreviewPages::Canvas : public QWidget {
public:
    explicit Canvas(PreviewPages *owner) : QWidget(owner), m_owner(owner) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const GridPagePainter *pages = m_owner->pages();
        if (!pages || pages->pageCount() == 0)
            return;
        const double s = m_owner->scale();
        const QSizeF paper = pages->paperSize() * s;
        const int across = m_owner->zoomState() == 5 ? m_owner->pagesAcross() : 1;
        const int shown = m_owner->pagesShown();
        for (int i = 0; i < shown; ++i) {
            const int page = m_owner->currentPage() + i;
            if (page > pages->pageCount())
                break;
            const QPointF at(Gap + (i % across) * (paper.width() + Gap),
                             Gap + (i / across) * (paper.height() + Gap));
            const QRectF sheet(at, paper);
            p.fillRect(sheet.translated(3, 3), QColor(0x40, 0x40, 0x40));
            p.fillRect(sheet, Qt::white);
            p.save();
            p.setClipRect(sheet);
            p.translate(at);
            p.scale(s, s);
            pages->paintPage(p, page);
            p.restore();
        }
    }

private:
    PreviewPages *m_owner;
};

PreviewPages::PreviewPages(QWidget *parent) : QScrollArea(parent), m_canvas(new Canvas(this))
{
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

PreviewPages::~PreviewPages() = default;

void PreviewPages::setPages(std::shared_ptr<const GridPagePainter> pages)
{
    m_pages = std::move(pages);
    m_current = std::clamp(m_current, 1, std::max(1, pageCount()));
    relayout();
}

int PreviewPages::pageCount() const
{
    return m_pages ? m_pages->pageCount() : 0;
}

void PreviewPages::setCurrentPage(int page)
{
    m_current = std::clamp(page, 1, std::max(1, pageCount()));
    m_canvas->update();
}

void PreviewPages::setZoomState(int state)
{
    m_zoomState = state;
    relayout();
}

void PreviewPages::setZoomPercent(int percent)
{
    m_percent = std::max(1, percent);
    relayout();
}

void PreviewPages::setMultiplePages(int across, int down)
{
    m_across = std::max(1, across);
    m_down = std::max(1, down);
    relayout();
}

int PreviewPages::pagesShown() const
{
    return m_zoomState == 5 ? m_across * m_down : 1;
}

double PreviewPages::scale() const
{
    const QSizeF paper = m_pages ? m_pages->paperSize() : QSizeF(595, 842);
    const double screen = logicalDpiX() / 72.0;
    const double w = std::max(50, viewport()->width() - 2 * Gap);
    const double h = std::max(50, viewport()->height() - 2 * Gap);
    switch (m_zoomState) {
    case 2:
        return m_percent / 100.0 * screen;
    case 3:
        return w / paper.width();
    case 4:
        return h / paper.height();
    case 5:
        return std::min((w - (m_across - 1) * Gap) / (m_across * paper.width()),
                        (h - (m_down - 1) * Gap) / (m_down * paper.height()));
    default:
        return std::min(w / paper.width(), h / paper.height());
    }
}

void PreviewPages::relayout()
{
    const QSizeF paper = (m_pages ? m_pages->paperSize() : QSizeF(595, 842)) * scale();
    const int across = m_zoomState == 5 ? m_across : 1;
    const int down = m_zoomState == 5 ? m_down : 1;
    m_canvas->resize(int(across * paper.width() + (across + 1) * Gap),
                     int(down * paper.height() + (down + 1) * Gap));
    m_canvas->update();
}

void PreviewPages::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    relayout();
}
