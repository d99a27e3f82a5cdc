// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

#include <QList>
#include <QString>
#include <QStringList>

class GoodsTable;

// Looks through a station's goods list against its formats for what would print wrongly or
// not at all: numbers outside 1 to 999 or used twice, quantities beyond one label job,
// format numbers outside 1 to 5 or naming a format with nothing in use, barcode data the
// format's symbology cannot encode, texts longer than their right-aligned field (their left
// part is cut), and on the AL-300 every value (goods cell or fixed value) whose record
// delimiters , ; | { } are sent as "?".
class GoodsCheck {
public:
    enum class Kind { Number, DuplicateNumber, Quantity, SentChanged, Format, Barcode, TextLength };
    static constexpr int KindCount = 7;

    struct Problem {
        int row = 0;     // goods row, 1-based
        QString number;  // the goods number as the list shows it
        QString message; // what is wrong and what to do (English)
        Kind kind = Kind::Number;
    };

    static QList<Problem> run(const PrinterDriver &printer, const FormatSet &set,
                              const GoodsTable &goods);
    // One line per kind found with its count ("번호 중복 3건" / "3 duplicate number(s)").
    static QStringList countLines(const QList<Problem> &problems, bool korean);
    // True when the format uses a barcode or one of the texts a station prints.
    static bool formatInUse(const LabelFormat &format);
};
