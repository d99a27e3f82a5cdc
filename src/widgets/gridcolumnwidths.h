// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QTableView;
class TrackedFile;

// Column widths of a station grid kept in "<form name>ColSize.Txt" in the data directory.
// The file keeps the grid's own unit, characters of the grid's font: a view width in pixels
// divided by the font's average character width.

// Applies the saved widths when the file holds exactly one width per column. With `file`,
// what the file held and the widths the grid then shows are remembered there.
void LoadColumnWidths(QTableView *grid, const QString &formName, TrackedFile *file = nullptr);
// Writes the grid's widths; false (with a reason) when the file cannot be written. With the
// `file` remembered at loading, a file that another program has changed since is left as it
// is when the grid's widths are still those it started with (the widths are a preference:
// changed ones are written without asking).
bool SaveColumnWidths(QTableView *grid, const QString &formName, TrackedFile *file = nullptr,
                      QString *error = nullptr);
// The grid's widths in characters, column 1 first.
QList<double> GridWidthsInChars(QTableView *grid);
void SetGridWidthsInChars(QTableView *grid, const QList<double> &widths);
