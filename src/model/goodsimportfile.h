// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QString>

// Reads a goods list file from another program: CSV and similar text, .xlsx or .xls. What
// the file is comes from its contents; a name that promises another kind (a ".xlsx" that
// is text, a ".csv" that is a workbook) is refused with a message, as is anything that is
// neither, an encrypted workbook and a file beyond the limits of ImportTable.
class GoodsImportFile {
public:
    struct Options {
        TextEncoding::Kind encoding = TextEncoding::Auto; // text files
        char delimiter = 0;                               // text files; 0 sniffs
        int sheet = 0;                                    // workbooks, 0-based
    };

    static ImportProblem read(const QString &path, const Options &options, ImportTable *table);
};
