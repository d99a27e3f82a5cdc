// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How a spreadsheet shows a number cell, as far as goods data care: the digits of a whole
// number (a 13-digit barcode stays 13 digits, never "8.80123E+12" or "…0.0"), a zero-padded
// whole number for formats such as "0000000000000", a date or time for date formats, and
// up to 15 significant digits otherwise, as spreadsheet programs show them.
class SpreadsheetNumber {
public:
    enum class Style { General, Date, DateTime, Time, ZeroPad };

    struct Format {
        Style style = Style::General;
        int width = 0; // ZeroPad: digits
    };

    // The style of a built-in number format id.
    static Format builtIn(int id);
    // The style of a format code ("yyyy-mm-dd", "0000000000000", "#,##0" ...).
    static Format fromCode(const QString &code);
    // The text of the number `value` (as stored, e.g. "8801234567890" or "1.5E+3").
    static QString text(const QString &value, const Format &format, bool date1904 = false);
    static QString text(double value, const Format &format, bool date1904 = false);
};
