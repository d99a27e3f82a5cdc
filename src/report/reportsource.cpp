// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportsource.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QStyle>
#include <QTableView>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

ReportSource::ReportSource(const QAbstractItemModel *model, QList<int> widths, QList<bool> hidden,
                           const QItemSelectionModel *selection)
    : m_model(model), m_widths(std::move(widths)), m_hidden(std::move(hidden)),
      m_selection(selection)
{
}

namespace {

// Width of a cell text as an item view lays it out: the widest line (a line feed starts a
// new one), fractions rounded up.
int layoutWidth(QString text, const QFont &font)
{
    text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qreal(INT_MAX / 256)); // unbounded: a line breaks only at a newline
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return int(std::ceil(widest));
}

int styleMetric(QStyle::PixelMetric metric, int fusion)
{
    const auto *app = qobject_cast<const QApplication *>(QCoreApplication::instance());
    return app ? QApplication::style()->pixelMetric(metric) : fusion;
}

} // namespace

QList<int> ReportSource::fittedWidths(const QAbstractItemModel *model, const QFont &font)
{
    QList<int> widths;
    if (!model)
        return widths;
    constexpr int MeasuredRows = 1000; // a view measures no more rows than this
    constexpr int GridLine = 1;
    const int textMargin = styleMetric(QStyle::PM_FocusFrameHMargin, 2) + 1;
    const int headerMargin = styleMetric(QStyle::PM_HeaderMargin, 2);
    const QFontMetrics fm(font);
    QFont bold = font; // a header measures its titles in bold, as a highlighted title shows
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const int smallestSection = fm.maxWidth() + 2 * headerMargin;
    const int rows = std::min(model->rowCount(), MeasuredRows);
    for (int c = 0; c < model->columnCount(); ++c) {
        int content = 0;
        for (int r = 0; r < rows; ++r)
            content = std::max(content, layoutWidth(model->index(r, c).data().toString(), font) +
                                            2 * textMargin);
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        const int titleWidth = (title.isNull() ? 0 : headerMargin) +
                               titleMetrics.size(0, title).width() + headerMargin;
        const int header = std::max(smallestSection, titleWidth);
        widths << std::max(content + GridLine, header);
    }
    return widths;
}

ReportSource ReportSource::fromGrid(const QAbstractItemModel *model, const QTableView *grid)
{
    QList<int> widths;
    QList<bool> hidden;
    const int columns = model ? model->columnCount() : 0;
    for (int c = 0; c < columns; ++c) {
        widths << (grid ? grid->columnWidth(c) : 64);
        hidden << (grid && grid->isColumnHidden(c));
    }
    return ReportSource(model, widths, hidden, grid ? grid->selectionModel() : nullptr);
}

int ReportSource::rowCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

GridSnapshot ReportSource::snapshot() const
{
    return GridSnapshot::fromModel(m_model, m_widths, m_hidden);
}

int ReportSource::currentRow() const
{
    return m_selection && m_selection->currentIndex().isValid() ? m_selection->currentIndex().row()
                                                                : 0;
}

bool ReportSource::selectedBlock(int *row, int *column, int *row2, int *column2) const
{
    const QModelIndexList sel = m_selection ? m_selection->selectedIndexes() : QModelIndexList();
    if (sel.isEmpty())
        return false;
    *row = *column = INT_MAX;
    *row2 = *column2 = -1;
    for (const QModelIndex &i : sel) {
        *row = std::min(*row, i.row());
        *row2 = std::max(*row2, i.row());
        *column = std::min(*column, i.column());
        *column2 = std::max(*column2, i.column());
    }
    return true;
}
