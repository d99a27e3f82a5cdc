// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class GoodsTable;

// Writes a station's goods list for other programs: one row per item with every goods cell
// (number, name, format, quantity, barcodes 1 to 3, texts 1 to 20) under the grid's Korean
// captions. CSV (RFC 4180 quoting by libcsv, CR LF) in UTF-8 with a byte order mark, which
// spreadsheet programs open correctly, or in CP949; or an .xlsx workbook in which barcodes
// and texts are text cells (a barcode never turns into a number). Files are replaced whole:
// a failed write leaves an earlier file intact.
class GoodsExport {
public:
    enum class Csv { Utf8Bom, Cp949 };

    static QStringList captions();
    // The exported rows: the number, format and quantity as plain numbers (blank quantity for
    // 0), the other cells as the grid holds them, trimmed.
    static QList<QStringList> rows(const GoodsTable &goods);

    static QByteArray csvBytes(const GoodsTable &goods, Csv encoding);
    static bool writeCsv(const QString &path, const GoodsTable &goods, Csv encoding,
                         QString *error = nullptr);
    static bool writeXlsx(const QString &path, const GoodsTable &goods, QString *error = nullptr);
};
