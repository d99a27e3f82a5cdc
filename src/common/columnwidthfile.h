// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The column-width file of a station grid: "<data dir>/<form name>ColSize.Txt", one line of
// widths in the grid's unit (characters of the grid's font) separated by single spaces.
class ColumnWidthFile {
public:
    // A width read is held within 0 to MaxWidth characters (a grid column cannot be wider).
    static constexpr double MaxWidth = 1000;

    static QString pathFor(const QString &dataDir, const QString &formName);
    // The widths when the file holds exactly `columnCount` of them; otherwise empty (a
    // missing file, an empty first line or another column count leave the grid as designed).
    static QList<double> read(const QString &path, int columnCount);
    static QList<double> fromLines(const QStringList &lines, int columnCount);
    // The file's bytes for these widths.
    static QByteArray toBytes(const QList<double> &widths);
    // The widths of the file's first line when it holds exactly `columnCount` of them.
    static QList<double> fromLine(const QString &line, int columnCount);
    // Writes the widths as one line; false with a reason when the file cannot be written.
    static bool write(const QString &path, const QList<double> &widths, QString *error = nullptr);
    // Plain decimal text of a width ("8.5", "12").
    static QString widthText(double width);
};
