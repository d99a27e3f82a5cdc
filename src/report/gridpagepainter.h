// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gridprintsettings.h"
#include "report/gridsnapshot.h"
#include "model/printheader.h"

#include <QDate>
#include <QFont>
#include <QList>
#include <QMarginsF>
#include <QSizeF>

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

// Lays a grid out on pages and draws them: the page header on every page, then the column
// titles, the row numbers and the cells, with grid lines, border, colours and shaded titles
// as the print settings say. Columns that do not fit across one page continue on further
// pages (all rows of the first columns first). Everything is measured in points (1/72
// inch) from the top left corner of the paper, so the preview and the printer get the same
// pages whatever their resolution.
class GridPagePainter {
public:
    // paperPoints: paper size in points as it lies (landscape already turned). A margin of
    // the settings narrower than the printer's unprintable border (`minimumMargins`, points;
    // 5 mm on every side unless the printer says more) is widened to it: nothing is printed
    // where the printer cannot print.
    GridPagePainter(const GridSnapshot &grid, const GridPrintSettings &settings,
                    const QSizeF &paperPoints, const QMarginsF &minimumMargins = QMarginsF());

    // The border most printers cannot print into, on every side (5 mm).
    static constexpr double UnprintableBorderPoints = 5 * 72 / 25.4;

    // A4 in the settings' orientation.
    static QSizeF a4Paper(const GridPrintSettings &settings);
    // "굴림체" (and the other Gulim faces) are drawn with Nanum Gothic.
    static QString fontFamily(const QString &name);

    int pageCount() const { return int(m_pages.size()); }
    QSizeF paperSize() const { return m_paper; }
    // The page (1-based) that shows a grid row (0-based) in its first columns; 1 when the
    // row is not printed.
    int pageOfRow(int row) const;
    // The pages that the settings' print type asks for, 1-based, in order.
    QList<int> pagesToPrint(int currentRow) const;

    // Draws page `page` (1-based). The painter's unit must be the point.
    void paintPage(QPainter &painter, int page) const;
    // Prints the given pages on the printer (full page, its own resolution). false when
    // the painter cannot start on it.
    bool print(QPrinter *printer, const QList<int> &pages) const;
    // The same into a PDF writer (its page size, orientation and resolution set, no margins).
    bool print(QPdfWriter *pdf, const QList<int> &pages) const;

private:
    struct Page {
        int firstRow = 0, lastRow = -1; // indexes into m_rowList
        int band = 0;
    };

    void layout();
    double headerHeight() const;
    // The foot of every page: the print date and "쪽 n / N".
    double footerHeight() const;
    QFont headerFont(const PrintHeader::Segment &s) const;
    void drawCell(QPainter &p, const QRectF &r, const QString &text, int check, Qt::Alignment align,
                  const QColor &back, const QColor &fore, bool title) const;

    GridSnapshot m_grid;
    GridPrintSettings m_settings;
    QSizeF m_paper;
    QMarginsF m_margins; // points, as printed
    QDate m_printDate;
    QFont m_cellFont;
    double m_rowHeight = 14;
    double m_rowHeaderWidth = 0;
    QList<int> m_rowList;      // grid rows printed
    QList<QList<int>> m_bands; // grid columns of each band
    QList<double> m_colWidth;  // per grid column, points
    QList<Page> m_pages;
};
