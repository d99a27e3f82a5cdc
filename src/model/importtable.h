// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/textencoding.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a goods list file from another program holds once read: the rows that have any
// text, each a list of cell texts (column A first; a short row reads as empty cells), with
// the row number each had in the file, and how the file was read.
struct ImportTable {
    // Bounds that keep a hostile or mistaken file from exhausting the station: a station
    // holds 999 goods, so these are far beyond any real goods list.
    static constexpr qint64 MaxFileBytes = 50LL * 1024 * 1024;     // the file, and a
    static constexpr qint64 MaxUnpackedBytes = 50LL * 1024 * 1024; // workbook unpacked
    static constexpr int MaxColumns = 1000;
    static constexpr int MaxRows = 20000;
    static constexpr qint64 MaxCells = 1000000;

    enum class Kind { Text, Xlsx, Xls };

    QList<QStringList> rows;
    QList<int> sourceRows; // 1-based row (record) number in the file, per row
    int columns = 0;

    Kind kind = Kind::Text;
    TextEncoding::Kind encoding = TextEncoding::Auto; // text files: the one used
    bool byteOrderMark = false;
    char delimiter = ','; // text files: the one used
    QStringList sheets;   // workbooks: the sheet names
    int sheet = 0;        // workbooks: the sheet read, 0-based

    QString cell(int row, int col) const { return rows.value(row).value(col); }
    // Appends a row when it has any non-blank cell (trailing blank cells are dropped).
    void addRow(QStringList cells, int sourceRow);
};

// Why a file could not be read. The station shows it in Korean, the command line in
// English; `detail` carries the row, the limit or the system's reason.
struct ImportProblem {
    enum Code {
        None,
        Unreadable,     // missing, unreadable
        TooLarge,       // file over MaxFileBytes
        NotWhatNamed,   // contents do not match the file name's extension
        UnknownKind,    // neither text nor a workbook
        Encrypted,      // a workbook with a password
        UnpackTooLarge, // zip parts unpacking beyond MaxUnpackedBytes
        Corrupt,        // a damaged workbook
        NoSheet,        // the chosen sheet does not exist
        TooManyColumns, // a row with more than MaxColumns cells
        TooManyRows,    // more than MaxRows rows
        TooManyCells,   // more than MaxCells cells
        UnclosedQuote,  // a quoted text field never closed
    };
    Code code = None;
    QString detail;

    bool ok() const { return code == None; }
    QString korean() const;
    QString english() const;
};
