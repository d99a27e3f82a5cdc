// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridpagepainter.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwipsPerPoint = 20.0;
constexpr double PointsPerScreenPixel = 72.0 / 96.0;
constexpr double CellPadding = 2.0;
const QColor TitleShade(0xE0, 0xE0, 0xE0);
const QColor LineColour(0x80, 0x80, 0x80);

QPen cosmeticPen(const QColor &colour)
{
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(0); // one device pixel: visible at any printer resolution
    return pen;
}

// Draws a text in a rectangle word by word: spaces become gaps rather than glyphs, so the
// words of a printed PDF read back as text with ordinary spaces.
void drawWords(QPainter &p, const QRectF &r, Qt::Alignment align, const QString &text)
{
    const QFontMetricsF fm(p.font());
    const double width = fm.horizontalAdvance(text);
    double x = r.left();
    if (align & Qt::AlignHCenter)
        x = r.left() + (r.width() - width) / 2;
    else if (align & Qt::AlignRight)
        x = r.right() - width;
    const double baseline = r.center().y() + (fm.ascent() - fm.descent()) / 2;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = text.size();
        if (end > start)
            p.drawText(QPointF(x + fm.horizontalAdvance(text.left(start)), baseline),
                       text.mid(start, end - start));
        start = end + 1;
    }
}

bool cellHasData(const GridSnapshot::Cell &c)
{
    return !c.text.trimmed().isEmpty() || c.check > 0;
}

} // namespace

GridPagePainter::GridPagePainter(const GridSnapshot &grid, const GridPrintSettings &settings,
                                 const QSizeF &paperPoints, const QMarginsF &minimumMargins)
    : m_grid(grid), m_settings(settings), m_paper(paperPoints), m_printDate(QDate::currentDate())
{
    auto margin = [](double twips, double printer) {
        return std::max({twips / TwipsPerPoint, printer, UnprintableBorderPoints});
    };
    m_margins = QMarginsF(margin(settings.marginLeft, minimumMargins.left()),
                          margin(settings.marginTop, minimumMargins.top()),
                          margin(settings.marginRight, minimumMargins.right()),
                          margin(settings.marginBottom, minimumMargins.bottom()));
    m_cellFont = QFont(fontFamily(QStringLiteral("굴림체")));
    m_cellFont.setPixelSize(9); // the painter's unit is the point: 9-point text
    layout();
}

QSizeF GridPagePainter::a4Paper(const GridPrintSettings &settings)
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
    return settings.orientation == 2 ? a4.transposed() : a4;
}

QString GridPagePainter::fontFamily(const QString &name)
{
    static const QStringList gulim{QStringLiteral("굴림체"), QStringLiteral("굴림"),
                                   QStringLiteral("GulimChe"), QStringLiteral("Gulim")};
    if (name.isEmpty() || gulim.contains(name, Qt::CaseInsensitive))
        return QStringLiteral("NanumGothic");
    return name;
}

QFont GridPagePainter::headerFont(const PrintHeader::Segment &s) const
{
    QFont f(fontFamily(s.font));
    f.setPixelSize(std::max(1, int(std::lround(s.size))));
    f.setBold(s.bold);
    f.setItalic(s.italic);
    f.setUnderline(s.underline);
    f.setStrikeOut(s.strike);
    return f;
}

double GridPagePainter::headerHeight() const
{
    if (m_settings.header.isEmpty())
        return 0;
    double h = 0;
    for (const PrintHeader::Line &line : PrintHeader::parse(m_settings.header)) {
        double lh = QFontMetricsF(m_cellFont).height();
        for (const PrintHeader::Segment &s : line)
            lh = std::max(lh, QFontMetricsF(headerFont(s)).height());
        h += lh;
    }
    return h + 4;
}

void GridPagePainter::layout()
{
    const int rows = m_grid.rowCount();
    const int cols = m_grid.columnCount();
    QList<int> columns;
    for (int c = 0; c < cols; ++c)
        if (!m_grid.isHidden(c))
            columns << c;

    int lastRow = rows - 1;
    if (m_settings.useDataMax) {
        // Leave out trailing rows and columns without any data.
        auto rowHasData = [&](int r) {
            return std::any_of(columns.begin(), columns.end(),
                               [&](int c) { return cellHasData(m_grid.cell(r, c)); });
        };
        while (lastRow >= 0 && !rowHasData(lastRow))
            --lastRow;
        auto colHasData = [&](int c) {
            for (int r = 0; r <= lastRow; ++r)
                if (cellHasData(m_grid.cell(r, c)))
                    return true;
            return false;
        };
        while (!columns.isEmpty() && !colHasData(columns.last()))
            columns.removeLast();
    }
    int firstRow = 0;
    if (m_settings.printType == GridPrintSettings::CellRange) {
        firstRow = std::max(0, m_settings.blockRow);
        if (m_settings.blockRow2 >= 0)
            lastRow = std::min(lastRow, m_settings.blockRow2);
        const int c1 = std::max(0, m_settings.blockCol);
        const int c2 = m_settings.blockCol2 >= 0 ? m_settings.blockCol2 : cols - 1;
        columns.erase(
            std::remove_if(columns.begin(), columns.end(), [&](int c) { return c < c1 || c > c2; }),
            columns.end());
    }
    m_rowList.clear();
    for (int r = firstRow; r <= lastRow; ++r)
        m_rowList << r;

    const QFontMetricsF fm(m_cellFont);
    m_rowHeight = std::ceil(fm.height() * 1.4);
    m_colWidth.clear();
    for (int c = 0; c < cols; ++c)
        m_colWidth << std::max(6.0, m_grid.width(c) * PointsPerScreenPixel);
    m_rowHeaderWidth = 0;
    if (m_settings.rowHeaders)
        m_rowHeaderWidth =
            fm.horizontalAdvance(QString::number(std::max(rows, 1))) + 4 * CellPadding;

    const double contentWidth = m_paper.width() - m_margins.left() - m_margins.right();
    const double contentHeight =
        m_paper.height() - m_margins.top() - m_margins.bottom() - footerHeight();

    // Column bands: as many columns as fit across; a too wide column gets a page alone.
    m_bands.clear();
    QList<int> band;
    double used = m_rowHeaderWidth;
    for (int c : columns) {
        if (!band.isEmpty() && used + m_colWidth[c] > contentWidth) {
            m_bands << band;
            band.clear();
            used = m_rowHeaderWidth;
        }
        band << c;
        used += m_colWidth[c];
    }
    if (!band.isEmpty() || m_bands.isEmpty())
        m_bands << band;

    const double rowsHeight =
        contentHeight - headerHeight() - (m_settings.colHeaders ? m_rowHeight : 0);
    const int perPage = std::max(1, int(std::floor(rowsHeight / m_rowHeight)));
    m_pages.clear();
    for (int b = 0; b < m_bands.size(); ++b) {
        if (m_rowList.isEmpty()) {
            m_pages << Page{0, -1, b};
            continue;
        }
        for (int start = 0; start < m_rowList.size(); start += perPage)
            m_pages << Page{start, int(std::min<qsizetype>(start + perPage, m_rowList.size())) - 1,
                            b};
    }
}

double GridPagePainter::footerHeight() const
{
    return QFontMetricsF(m_cellFont).height() + 4;
}

int GridPagePainter::pageOfRow(int row) const
{
    const int at = int(m_rowList.indexOf(row));
    if (at < 0)
        return 1;
    for (int i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].band == 0 && at >= m_pages[i].firstRow && at <= m_pages[i].lastRow)
            return i + 1;
    return 1;
}

QList<int> GridPagePainter::pagesToPrint(int currentRow) const
{
    QList<int> pages;
    switch (m_settings.printType) {
    case GridPrintSettings::CurrentPage:
        pages << pageOfRow(currentRow);
        break;
    case GridPrintSettings::PageRange:
        for (int p = std::max(1, m_settings.pageStart);
             p <= std::min(pageCount(), m_settings.pageEnd); ++p)
            pages << p;
        break;
    default:
        for (int p = 1; p <= pageCount(); ++p)
            pages << p;
    }
    return pages;
}

void GridPagePainter::drawCell(QPainter &p, const QRectF &r, const QString &text, int check,
                               Qt::Alignment align, const QColor &back, const QColor &fore,
                               bool title) const
{
    if (title && m_settings.shadows)
        p.fillRect(r, TitleShade);
    else if (m_settings.colour && back.isValid())
        p.fillRect(r, back);
    const QColor ink = (m_settings.colour && fore.isValid()) ? fore : QColor(Qt::black);
    if (check >= 0) {
        // A check box drawn as a small square, with a tick when checked.
        const double s = std::min(7.0, r.height() - 2);
        QRectF box(0, 0, s, s);
        box.moveCenter(r.center());
        p.setPen(cosmeticPen(ink));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        if (check != Qt::Unchecked) {
            QPainterPath tick;
            tick.moveTo(box.left() + s * 0.2, box.top() + s * 0.55);
            tick.lineTo(box.left() + s * 0.42, box.top() + s * 0.78);
            tick.lineTo(box.left() + s * 0.82, box.top() + s * 0.22);
            QPen pen(ink, s * 0.15);
            p.setPen(pen);
            p.drawPath(tick);
        }
        if (text.isEmpty())
            return;
    }
    Qt::Alignment a = align & Qt::AlignHorizontal_Mask;
    if (title || !a)
        a = title ? Qt::AlignHCenter : Qt::AlignLeft;
    p.setPen(ink);
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    drawWords(p, r.adjusted(CellPadding, 0, -CellPadding, 0), a, text);
    p.restore();
}

void GridPagePainter::paintPage(QPainter &p, int page) const
{
    if (page < 1 || page > pageCount())
        return;
    const Page &pg = m_pages[page - 1];
    const QList<int> &cols = m_bands[pg.band];
    const double left = m_margins.left();
    const double top = m_margins.top();
    const double contentWidth = m_paper.width() - m_margins.left() - m_margins.right();

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    // Page foot: when the report was printed, and which page of how many.
    {
        const double fh = footerHeight();
        const QRectF foot(left, m_paper.height() - m_margins.bottom() - fh, contentWidth, fh);
        p.setFont(m_cellFont);
        p.setPen(Qt::black);
        drawWords(p, foot, Qt::AlignLeft | Qt::AlignBottom,
                  QStringLiteral("출력일 ") + m_printDate.toString(QStringLiteral("yyyy-MM-dd")));
        drawWords(p, foot, Qt::AlignRight | Qt::AlignBottom,
                  QStringLiteral("쪽 %1 / %2").arg(page).arg(pageCount()));
    }

    // Page header.
    double y = top;
    if (!m_settings.header.isEmpty()) {
        for (const PrintHeader::Line &line : PrintHeader::parse(m_settings.header, page)) {
            double lh = QFontMetricsF(m_cellFont).height();
            for (const PrintHeader::Segment &s : line)
                lh = std::max(lh, QFontMetricsF(headerFont(s)).height());
            for (const PrintHeader::Segment &s : line) {
                const QFont f = headerFont(s);
                p.setFont(f);
                p.setPen(Qt::black);
                const int h = s.align == 'c'   ? Qt::AlignHCenter
                              : s.align == 'r' ? Qt::AlignRight
                                               : Qt::AlignLeft;
                drawWords(p, QRectF(left, y, contentWidth, lh), Qt::Alignment(h), s.text);
            }
            y += lh;
        }
        y += 4;
    }

    // Table.
    p.setFont(m_cellFont);
    double tableWidth = m_rowHeaderWidth;
    for (int c : cols)
        tableWidth += m_colWidth[c];
    const double tableTop = y;
    if (m_settings.colHeaders) {
        double x = left;
        if (m_settings.rowHeaders) {
            drawCell(p, QRectF(x, y, m_rowHeaderWidth, m_rowHeight), QString(), -1, {}, {}, {},
                     true);
            x += m_rowHeaderWidth;
        }
        for (int c : cols) {
            drawCell(p, QRectF(x, y, m_colWidth[c], m_rowHeight), m_grid.caption(c), -1, {}, {}, {},
                     true);
            x += m_colWidth[c];
        }
        y += m_rowHeight;
    }
    for (int i = pg.firstRow; i <= pg.lastRow; ++i) {
        const int row = m_rowList[i];
        double x = left;
        if (m_settings.rowHeaders) {
            drawCell(p, QRectF(x, y, m_rowHeaderWidth, m_rowHeight), QString::number(row + 1), -1,
                     Qt::AlignHCenter, {}, {}, true);
            x += m_rowHeaderWidth;
        }
        for (int c : cols) {
            const GridSnapshot::Cell &cell = m_grid.cell(row, c);
            drawCell(p, QRectF(x, y, m_colWidth[c], m_rowHeight), cell.text, cell.check, cell.align,
                     cell.background, cell.foreground, false);
            x += m_colWidth[c];
        }
        y += m_rowHeight;
    }
    const double tableBottom = y;

    if (m_settings.gridLines && tableBottom > tableTop) {
        p.setPen(cosmeticPen(LineColour));
        double x = left;
        QList<double> xs{x};
        if (m_settings.rowHeaders)
            xs << (x += m_rowHeaderWidth);
        for (int c : cols)
            xs << (x += m_colWidth[c]);
        for (double lx : xs)
            p.drawLine(QPointF(lx, tableTop), QPointF(lx, tableBottom));
        for (double ly = tableTop; ly <= tableBottom + 0.01; ly += m_rowHeight)
            p.drawLine(QPointF(left, ly), QPointF(left + tableWidth, ly));
    }
    if (m_settings.border && tableBottom > tableTop) {
        p.setPen(cosmeticPen(Qt::black));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(left, tableTop, tableWidth, tableBottom - tableTop));
    }
    p.restore();
}

bool GridPagePainter::print(QPdfWriter *pdf, const QList<int> &pages) const
{
    QPainter p;
    if (!p.begin(pdf))
        return false;
    const double scale = pdf->resolution() / 72.0;
    p.scale(scale, scale);
    bool first = true;
    for (int page : pages) {
        if (!first)
            pdf->newPage();
        first = false;
        paintPage(p, page);
    }
    return p.end();
}

bool GridPagePainter::print(QPrinter *printer, const QList<int> &pages) const
{
    printer->setFullPage(true);
    QPainter p;
    if (!p.begin(printer))
        return false;
    const double scale = printer->resolution() / 72.0;
    p.scale(scale, scale);
    bool first = true;
    for (int page : pages) {
        if (!first)
            printer->newPage();
        first = false;
        paintPage(p, page);
    }
    return p.end();
}
