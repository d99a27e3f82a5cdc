// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>

// The bars of one linear barcode as a label printer draws it: encoded by zint, then laid out
// with the printer's bar widths. Two-width symbologies (Code 39, I 2of5, Codabar) take the
// narrow width for their narrow and the wide width for their wide elements; the others use
// the narrow width as their module. Encoded symbols are cached, so drawing a label again
// after an edit costs no new encoding.
struct BarcodeSymbol {
    struct Bar {
        int x = 0;     // dots from the first bar
        int width = 0; // dots
    };

    bool ok = false;
    QString error;        // why the data cannot be drawn (when !ok), for the operator
    QString englishError; // the same for the command line
    QList<Bar> bars;      // black bars, left to right
    int width = 0;        // dots from the first bar's left edge to the last bar's right edge
    QString readable;     // the human-readable line (check digits added, GS1 brackets...)

    // The symbol for `data` in `symbology` with the given bar widths in dots.
    static BarcodeSymbol make(LabelObject::Symbology symbology, const QString &data, int narrow,
                              int wide);
    // Symbols made so far and kept (for the benchmark and tests).
    static int cachedCount();
    static void clearCache();
};
