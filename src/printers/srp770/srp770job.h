// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

#include <QString>

#include <array>

// The data of one goods row as the SRP-770 prints it. Indexes are 1-based (slot 0 unused);
// every text is already trimmed.
struct LabelItem {
    int format = 0;                  // the row's own format number (column 4)
    std::array<QString, 4> barcodes; // barcode data 1..3
    std::array<QString, 11> texts;   // texts 1..10
};

// The SRP-770 command text of one label for format `format` (1..5) of the set: page set-up,
// the used barcodes, the used texts 1..10 and the print count, every line ended by CR LF.
// Lengths in the format are millimetres and are sent as printer dots (x 8). `blackMark`
// selects black-mark stock ("B") instead of gap stock ("G"). Data goes between the
// apostrophes unescaped. A format number outside 1..5 has no format and gives "".
QString BuildSrp770Label(const FormatSet &set, int format, const LabelItem &item, int count,
                         bool blackMark);
