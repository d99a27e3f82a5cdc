#pragma once

#include <QList>
#include <QString>

class QTableView;

// Column widths of a station grid kept in "<form name>ColSize.Txt" in the data directory.
// The file keeps the grid's own unit, characters of the grid's font: a view width in pixels
// divided by the font's average character width.

// Applies the saved widths when the file holds exactly one width per column.
void LoadColumnWidths(QTableView *grid, const QString &formName);
// Writes the grid's widths; false (with a reason) when the file cannot be written.
bool SaveColumnWidths(QTableView *grid, const QString &formName, QString *error = nullptr);
// The grid's widths in characters, column 1 first.
QList<double> GridWidthsInChars(QTableView *grid);
void SetGridWidthsInChars(QTableView *grid, const QList<double> &widths);
