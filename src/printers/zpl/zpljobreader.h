// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerlanguage.h"

// Reads the ZPL jobs this program writes (^XA ... ^XZ: ^PW, ^LL, ^LH0,0, ^MN, ^PO, ^FO with
// ^BY and the barcode commands of the station symbologies or ^GFA pictures, ^FH escapes,
// ^PQ, comments) back into a label description in the printer's dots. The resolution is the
// job's "^FX300 dpi" comment (8 dots a millimetre without one). Anything else is a problem,
// never guessed.
class ZplJobReader {
public:
    static LabelDescription read(const QList<JobLine> &lines, int *i,
                                 const PrinterLanguage::JobStart &otherJob);
};
