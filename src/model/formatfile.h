// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

class PrinterDriver;

#include <QString>
#include <QStringList>

// The label format file of a station: one "<tag>'value" line per field, CP949, CR LF.
// Station-wide tags are "<Name>", format tags "<Name(f)>", element tags "<Name(f:nn)>".
// The SRP-770 file holds 1022 lines; the AL-300 file adds its extended tags (LblMode, LblSensor,
// LblCut, LblOver per format; BarRight, BarString, BarEdit per barcode; TxtEdit per text).
class FormatFile {
public:
    // Every field of the set in the printer's writing order; numbers plain decimal.
    static QStringList toLines(const FormatSet &set, const PrinterDriver &printer);
    // The lines of toLines() whose fields differ from those of `base`, in the same order.
    // With a new set as `base` they are what a hand-made file needs to say: read, they give
    // the set that the whole file gives.
    static QStringList changedLines(const FormatSet &set, const FormatSet &base,
                                    const PrinterDriver &printer);
    // Resets the set, then takes every usable line. Unusable lines (blank, not exactly one
    // apostrophe, unknown tag, index beyond the model, number outside the field's width)
    // are skipped.
    static void fromLines(FormatSet &set, const QStringList &lines, const PrinterDriver &printer);

    // Resets and reads the file. A missing file leaves the default set and is no error;
    // false (with the reason in *error) only when the file exists but cannot be read.
    static bool load(FormatSet &set, const QString &path, const PrinterDriver &printer,
                     QString *error = nullptr);
    // Writes the whole file anew, atomically; false with a reason in *error on failure
    // (the previous file then stays as it was).
    static bool save(const FormatSet &set, const QString &path, const PrinterDriver &printer,
                     QString *error = nullptr);
};
