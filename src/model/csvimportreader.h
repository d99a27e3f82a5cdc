// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/importtable.h"

#include <QByteArray>

class QIODevice;

// Reads a CSV (or semicolon or tab separated) goods list with libcsv: RFC 4180 quoting,
// doubled quotes and line breaks inside quoted fields. The encoding is detected unless
// given; the delimiter is sniffed from the first records unless given (0).
//
// The file is read and decoded a piece at a time and never held whole, and reading stops as
// soon as it passes a limit of ImportTable: a file refused for its size costs no more memory
// than the rows up to the limit.
class CsvImportReader {
public:
    // From where `file` stands to its end.
    static ImportProblem read(QIODevice *file, TextEncoding::Kind encoding, char delimiter,
                              ImportTable *table);
    static ImportProblem read(const QByteArray &bytes, TextEncoding::Kind encoding, char delimiter,
                              ImportTable *table);
    // The delimiter among comma, semicolon and tab that splits the first records of the
    // UTF-8 text into the most rows of one same field count (at least two fields); comma
    // when none does.
    static char sniffDelimiter(const QByteArray &utf8);
};
