// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QString>

// Reads one sheet of a legacy .xls workbook (BIFF) through FreeXL.
class XlsImportReader {
public:
    // `sheet` is 0-based; table->sheets lists the workbook's sheets.
    static ImportProblem read(const QString &path, int sheet, ImportTable *table);
};
