// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/monobitmap.h"

#include <QList>

// One part of a label as a printer prints it, at the printer's dots: the bars of a barcode
// (which a printer language may draw itself) or a picture (a text in the program's own fonts,
// a barcode's readable line). Positions are the part's top left dot, label coordinates before
// the label is turned.
struct PrintedPart {
    enum class Kind { Bars, Picture };
    Kind kind = Kind::Picture;
    int object = -1; // index of the label's object it belongs to
    int x = 0;
    int y = 0;
    // Bars: bar widths and height in dots (whole dots at every resolution).
    int narrow = 0;
    int wide = 0;
    int height = 0;
    int barsWidth = 0;
    // Picture: its black dots. Bars: the bars as drawn (null when they cannot be drawn).
    MonoBitmap picture;
};

// A label at a printer's resolution, in parts.
struct PrintedLabel {
    int widthDots = 0;  // the label's page in whole dots
    int lengthDots = 0;
    QList<PrintedPart> parts;
};

// Draws labels for a printer language that cannot print the program's fonts: the same
// drawing as the preview, at the printer's resolution. The core defines what it needs; the
// drawing library provides it.
class LabelRaster {
public:
    virtual ~LabelRaster() = default;
    // `label` at `dotsPerMm` (positions scaled from the label's own dots, bar widths kept
    // whole dots).
    virtual PrintedLabel draw(const LabelDescription &label, int dotsPerMm) const = 0;
};
