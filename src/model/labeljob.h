// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/printerdriver.h"

#include <QList>
#include <QString>

#include <array>

class GoodsTable;

// One label job of a station: which goods row prints, with which format and count, and the
// printer command text that does it. The windows and the command line build their jobs
// here, so both send the same bytes for the same rows.
struct LabelJob {
    // The most labels one job carries: the AL-300's batch count has four digits, and the
    // SRP-770 station keeps to the same. A larger quantity is never cut: such a row is not
    // printed (and the goods check lists it).
    static constexpr int MaxCount = 9999;

    int row = 0;    // goods row, 1-based
    int format = 0; // 1..5
    int count = 0;  // labels
    QString text;   // the printer's command text

    // The row's barcode data 1..3 (columns 6..8) and texts 1..10 (columns 9..18), trimmed;
    // slot 0 unused.
    static std::array<QString, 4> rowBarcodes(const GoodsTable &goods, int row);
    static std::array<QString, 11> rowTexts(const GoodsTable &goods, int row);

    // The job of goods row `row` printed `count` times. The format is the row's own (column
    // 4) unless `overrideFormat` is 1..5. Rows that print nothing answer false: count 0 or
    // less or above MaxCount, no format 1..5, or a row that does not exist.
    static bool plan(const PrinterDriver &printer, const FormatSet &set, const GoodsTable &goods,
                     int row, int count, int overrideFormat, bool blackMark, LabelJob *job);

    // The count of a list print: the row's own quantity (column 5 read as a number, its whole
    // part, held within the int range) when `typedQuantity` is 0, else the typed quantity.
    static int listCount(const GoodsTable &goods, int row, int typedQuantity);
};
