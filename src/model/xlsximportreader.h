// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QByteArray>

class QIODevice;

// Reads one sheet of an .xlsx workbook (minizip for the zip, QXmlStreamReader for the parts):
// shared and inline strings, numbers as the spreadsheet shows them (whole numbers as their
// digits, dates of date formats as dates), booleans and error values as their text. The
// parts read may unpack to at most ImportTable::MaxUnpackedBytes together. The zip is read
// from the file as needed, the sheet and the shared strings as they unpack, and the sheet no
// further than a limit of ImportTable it passes.
class XlsxImportReader {
public:
    // `sheet` is 0-based; table->sheets lists the workbook's sheets.
    static ImportProblem read(QIODevice *file, int sheet, ImportTable *table);
    static ImportProblem read(const QByteArray &bytes, int sheet, ImportTable *table);
};
