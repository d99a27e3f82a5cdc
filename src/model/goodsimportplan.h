// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodsimportmapping.h"
#include "model/importtable.h"

#include <QList>
#include <QString>
#include <QStringList>

class GoodsTable;

// The operator's choices for an import beyond the mapping.
struct GoodsImportOptions {
    // Numbers written with thousands separators ("1,050") go in without them ("1050")
    // instead of with the field filter's "?" ("1?050").
    bool plainThousands = false;
    // The quantity of new items when no column gives one (0 to 999).
    int defaultQty = 1;
};

// How an imported file changes a station's goods list, worked out in full before anything
// changes: the resulting list, how many goods are added, updated and skipped and why, and
// what cleaning the cells needed. Applying it is one operation on the goods table.
//
// Modes: Append gives every row a new item (a mapped number is kept when it is free, else
// the first free number is taken); Replace makes the rows the whole list, numbers as given
// (the first free ones where none is given); Update changes the items whose barcode 1 (or
// number) matches a row - the mapped cells only, the number kept - and appends the rest.
// A row without name and barcodes, with a number outside 1 to 999, or beyond 999 goods is
// skipped and counted.
class GoodsImportPlan {
public:
    enum class Mode { Append, Replace, Update };
    enum class Match { Barcode1, Number };

    struct CellNote {
        int sourceRow = 0; // row in the file
        int field = 0;     // GoodsImportMapping field
        QString characters;
    };
    // A cell that goes into the goods list otherwise than the file has it (blanks around it
    // aside): a comma the field filter replaces, quotes that become backticks, a cut text, a
    // quantity that is not a plain number.
    struct ChangedCell {
        int sourceRow = 0; // row in the file
        int field = 0;     // GoodsImportMapping field
        QString read;
        QString stored;
    };
    using Options = GoodsImportOptions;

    static GoodsImportPlan build(const ImportTable &table, const GoodsImportMapping &mapping,
                                 Mode mode, Match match, const GoodsTable &current,
                                 const Options &options = Options());

    // The list after the import: each row's 29 cell texts (the mark "1" or "").
    QList<QStringList> rows;
    int firstChangedRow = 0; // 1-based row of the first added or updated item; 0 for none

    int added = 0;
    int updated = 0;
    int renumbered = 0; // appended with another number than the file gave (already used)
    int skippedNoNameNoBarcode = 0;
    int skippedNumberRange = 0;
    int skippedOverLimit = 0;
    int skippedAboveCaptions = 0; // rows above the caption row (a title, a date)
    // Rows whose barcode a spreadsheet turned into a number in scientific notation
    // ("8.80001E+12": its digits are lost): refused, never stored.
    QList<int> scientificBarcodeRows;

    int controlCells = 0;  // control characters turned into spaces
    int cutCells = 0;      // longer than the cell's byte limit (name 50, data 30)
    int filteredCells = 0; // , ; | { } replaced by the field filter
    int quantityCells = 0; // quantities not a whole number 0 to 999
    QList<CellNote> notCp949;
    QList<ChangedCell> changedCells; // of the rows imported, in file order
    int thousandsCells = 0;          // cells holding a number with thousands separators
    bool plainThousands = false;     // they are stored without the separators

    // Why nothing can be imported with this mapping ("" when it can): no name or barcode
    // column, or Update without its match column.
    QString mappingProblemKorean;
    QString mappingProblemEnglish;

    int skipped() const
    {
        return skippedNoNameNoBarcode + skippedNumberRange + skippedOverLimit +
               int(scientificBarcodeRows.size());
    }
    bool importsAnything() const { return added + updated > 0; }
    // Puts the resulting list into the table (one model reset).
    void applyTo(GoodsTable &table) const;

    // The preview's lines: counts, reasons and cell findings, then every changed cell.
    QStringList summaryKorean() const;
    QStringList summaryEnglish() const;
    // Every changed cell, a line each under a heading (none when no cell changed).
    QStringList changedCellLines(bool korean) const;

    static constexpr int MaxGoods = 999;
    static constexpr int NameBytes = 50;
    static constexpr int DataBytes = 30;
};
