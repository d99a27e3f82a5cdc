#pragma once

#include "model/importtable.h"

#include <QByteArray>

// Reads a CSV (or semicolon or tab separated) goods list with libcsv: RFC 4180 quoting,
// doubled quotes and line breaks inside quoted fields. The encoding is detected unless
// given; the delimiter is sniffed from the first records unless given (0).
class CsvImportReader {
public:
    static ImportProblem read(const QByteArray &bytes, TextEncoding::Kind encoding, char delimiter,
                              ImportTable *table);
    // The delimiter among comma, semicolon and tab that splits the first records of the
    // UTF-8 text into the most rows of one same field count (at least two fields); comma
    // when none does.
    static char sniffDelimiter(const QByteArray &utf8);
};
