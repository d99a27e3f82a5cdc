// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QString>

#include <array>

// Which column of an imported file fills which goods cell: number, name, format, quantity,
// barcodes 1 to 3 and texts 1 to 20, each a 0-based source column or none (-1), and
// whether the first row holds captions. Guessed from the captions (and, without them, from
// the cells), changeable by the operator.
class GoodsImportMapping {
public:
    static constexpr int FieldCount = 27;
    enum Field { Number = 0, Name = 1, Format = 2, Qty = 3, Barcode1 = 4, Text1 = 7 };
    static constexpr int None = -1;

    std::array<int, FieldCount> columns;
    bool header = false;
    // The row (index into ImportTable::rows) that holds the captions when `header`; the rows
    // above it (a title, a date) are skipped.
    int captionRow = 0;

    GoodsImportMapping() { columns.fill(None); }
    int column(int field) const { return columns[size_t(field)]; }
    bool isMapped(int field) const { return column(field) != None; }
    bool operator==(const GoodsImportMapping &) const = default;

    // The goods grid column a field fills (1, 3, 4, 5, 6..8, 9..28).
    static int goodsColumn(int field);
    // The field's caption as the goods grid heads it ("번호", "바코드#1", "텍스트#01").
    static QString caption(int field);
    // The field's name on the command line ("number", "barcode1", "text12").
    static QString key(int field);
    // Column letters: 0 -> "A", 26 -> "AA"; and back ("A", "ab" or "1"-based numbers);
    // -1 for anything else.
    static QString columnName(int column);
    static int columnFromName(const QString &name);

    // Whether the file has a caption row: a row of known captions among the first rows, or
    // a first row of text above numbers.
    static bool guessHeader(const ImportTable &table);
    // The first row (of the first 20) that holds known captions: two or more, or only
    // captions; -1 when none does.
    static int findCaptionRow(const ImportTable &table);
    // The mapping guessed for the table: by the captions of the caption row when `header`
    // (`captionRow`, or the one found when -1), else by the cells (a column of 8 to 14 digit
    // numbers is barcode 1, the first column of words the name).
    static GoodsImportMapping guess(const ImportTable &table, bool header, int captionRow = -1);
    // The index of the table row that was row `sourceRow` of the file (1-based); -1 when
    // that row is blank or beyond the file.
    static int tableRowOf(const ImportTable &table, int sourceRow);

    // "name=B,barcode1=A,qty=D" (a field "none" or "-" maps nothing). Fields not named map
    // nothing. False with a reason for an unknown field or column.
    bool parse(const QString &spec, QString *error);
    QString spec() const;
};
