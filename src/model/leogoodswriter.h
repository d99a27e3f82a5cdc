// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Turns the goods grid of the LEO-60D+ conversion into an AL-300 goods data file
// ("AL300Dat[nn].Txt"): one line per non-blank grid row, 29 apostrophe-separated fields:
//
//   <rrrrrr> ' r ' ? ' 1 ' 0 ' barcode 1..3 ' text 1..10 ' ten single spaces ' ~
//
// r is the grid row (from 1), so rows skipped as blank leave gaps in the numbers. A barcode
// or text whose column is not chosen is a single space; a chosen column gives its cell,
// trimmed, with control characters (line breaks) turned into spaces, ' and " into ` and the
// delimiters , ; | { } into ?.
class LeoGoodsWriter {
public:
    static constexpr int BarcodeCount = 3;
    static constexpr int TextCount = 10;
    static constexpr int ChoiceCount = BarcodeCount + TextCount;

    // columns: the 13 chosen grid columns (barcodes 1..3, then texts 1..10), counted from 1;
    // 0 or a column the rows do not have means not chosen.
    static QStringList buildLines(const QList<QStringList> &rows, const QList<int> &columns);
    // Writes the lines atomically in CP949 with CR LF; a failure leaves the previous file
    // intact and answers false with the reason in *error.
    static bool write(const QString &path, const QList<QStringList> &rows,
                      const QList<int> &columns, QString *error = nullptr);
    // "<dataDir>/AL300Dat[nn].Txt"
    static QString targetPath(const QString &dataDir, const QString &setText);
    // Where the goods file a conversion replaced is kept: "<target>.bak".
    static QString backupPath(const QString &target) { return target + QStringLiteral(".bak"); }

    // What a conversion carries: goods written, blank rows left out, and cells stored
    // otherwise than the grid shows them (delimiters to ?, quotes to backticks, line breaks
    // to spaces). The LEO-60D+ file has no goods names: every name is "?".
    struct Summary {
        int written = 0;
        int blank = 0;
        int changedCells = 0;
    };
    static Summary summary(const QList<QStringList> &rows, const QList<int> &columns);
    // A cell as the goods data file may carry it.
    static QString fieldText(const QString &cell);
};
