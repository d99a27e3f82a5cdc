// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

#include <memory>

class GridPagePainter;

// The page area of the print preview: shows one or more pages of a GridPagePainter from the
// current page on, at a zoom state: 0 whole page, 2 percent, 3 fit the page width, 4 fit
// the page height, 5 several pages (pages across by pages down).
class PreviewPages : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewPages(QWidget *parent = nullptr);
    ~PreviewPages() override;

    void setPages(std::shared_ptr<const GridPagePainter> pages);
    const GridPagePainter *pages() const { return m_pages.get(); }
    int pageCount() const;

    int currentPage() const { return m_current; }
    void setCurrentPage(int page);
    int zoomState() const { return m_zoomState; }
    void setZoomState(int state);
    int zoomPercent() const { return m_percent; }
    void setZoomPercent(int percent);
    int pagesAcross() const { return m_across; }
    int pagesDown() const { return m_down; }
    void setMultiplePages(int across, int down);
    // Pages shown at once: across x down in state 5, else 1.
    int pagesShown() const;
    // Screen pixels per point at the present zoom.
    double scale() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class Canvas;
    void relayout();

    std::shared_ptr<const GridPagePainter> m_pages;
    Canvas *m_canvas;
    int m_current = 1;
    int m_zoomState = 4;
    int m_percent = 100;
    int m_across = 1;
    int m_down = 1;
};
