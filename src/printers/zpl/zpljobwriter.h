// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/labelraster.h"

#include <QString>

// The ZPL job of one label, drawn from the label's description at the printer's resolution:
// label size (^PW, ^LL), stock (^MN), direction (^PO), the barcodes as the printer's own
// commands with the preview's bar widths, and every text and readable line as a compressed
// picture (^GFA) drawn by the program's own painter (printers carry no Hangul font). Bars that
// ZPL cannot draw at the preview's widths go as a picture, declared in a comment so that the
// reader knows them for barcodes. One command per line, lines ended by CR LF.
class ZplJobWriter {
public:
    static QString write(const LabelDescription &label, const LabelRaster &raster, int dpi,
                         int count, bool blackMark);
    // Field data as ^FD takes it: "^FH" and "_XX" escapes for ^ ~ _ and for any character
    // outside printable ASCII (its CP949 bytes); the text as it is otherwise.
    static QString escapedData(const QString &data, bool *escaped);
};
