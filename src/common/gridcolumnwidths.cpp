#include "gridcolumnwidths.h"

#include "columnwidthfile.h"
#include "programstate.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include <cmath>

namespace {

double charWidth(QTableView *grid)
{
    const int w = grid->fontMetrics().averageCharWidth();
    return w > 0 ? w : 8;
}

int columnCount(QTableView *grid)
{
    return grid->model() ? grid->model()->columnCount() : 0;
}

} // namespace

QList<double> GridWidthsInChars(QTableView *grid)
{
    QList<double> widths;
    const double cw = charWidth(grid);
    for (int c = 0; c < columnCount(grid); ++c)
        widths << std::round(grid->columnWidth(c) / cw * 100.0) / 100.0;
    return widths;
}

void SetGridWidthsInChars(QTableView *grid, const QList<double> &widths)
{
    const double cw = charWidth(grid);
    for (int c = 0; c < widths.size() && c < columnCount(grid); ++c)
        grid->setColumnWidth(c, int(std::lround(widths[c] * cw)));
}

void LoadColumnWidths(QTableView *grid, const QString &formName)
{
    const QString path = ColumnWidthFile::pathFor(DataDirectory(), formName);
    const QList<double> widths = ColumnWidthFile::read(path, columnCount(grid));
    if (!widths.isEmpty())
        SetGridWidthsInChars(grid, widths);
}

bool SaveColumnWidths(QTableView *grid, const QString &formName, QString *error)
{
    const QString path = ColumnWidthFile::pathFor(DataDirectory(), formName);
    return ColumnWidthFile::write(path, GridWidthsInChars(grid), error);
}
