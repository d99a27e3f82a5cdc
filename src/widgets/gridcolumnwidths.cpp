// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridcolumnwidths.h"

#include "common/columnwidthfile.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "common/trackedfile.h"

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

void LoadColumnWidths(QTableView *grid, const QString &formName, TrackedFile *file)
{
    const QString path = ColumnWidthFile::pathFor(DataDirectory(), formName);
    QList<double> widths;
    if (file) {
        file->setPath(path);
        QByteArray bytes;
        file->read(&bytes);
        widths = ColumnWidthFile::fromLines(TextFile::splitLines(bytes), columnCount(grid));
    } else {
        widths = ColumnWidthFile::read(path, columnCount(grid));
    }
    if (!widths.isEmpty())
        SetGridWidthsInChars(grid, widths);
    if (file)
        file->setBaseline(ColumnWidthFile::toBytes(GridWidthsInChars(grid)));
}

bool SaveColumnWidths(QTableView *grid, const QString &formName, TrackedFile *file, QString *error)
{
    const QString path = ColumnWidthFile::pathFor(DataDirectory(), formName);
    if (!file || file->path() != path || !file->isTracking())
        return ColumnWidthFile::write(path, GridWidthsInChars(grid), error);
    const QByteArray mine = ColumnWidthFile::toBytes(GridWidthsInChars(grid));
    if (file->check() != TrackedFile::Disk::Same && !file->ownChanged(mine))
        return true;
    return file->write(mine, true, error) == TrackedFile::Write::Written;
}
