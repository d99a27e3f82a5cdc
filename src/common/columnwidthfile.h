#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The column-width file of a station grid: "<data dir>/<form name>ColSize.Txt", one line of
// widths in the grid's unit (characters of the grid's font) separated by single spaces.
class ColumnWidthFile {
public:
    static QString pathFor(const QString &dataDir, const QString &formName);
    // The widths when the file holds exactly `columnCount` of them; otherwise empty (a
    // missing file, an empty first line or another column count leave the grid as designed).
    static QList<double> read(const QString &path, int columnCount);
    static QList<double> fromLines(const QStringList &lines, int columnCount);
    // The file's bytes for these widths.
    static QByteArray toBytes(const QList<double> &widths);
    // Writes the widths as one line; false with a reason when the file cannot be written.
    static bool write(const QString &path, const QList<double> &widths, QString *error = nullptr);
    // Plain decimal text of a width ("8.5", "12").
    static QString widthText(double width);
};
