// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

#include <QList>
#include <QRectF>

#include <array>
#include <optional>

class PrinterDriver;

// Where the barcodes and texts of a format land on its label: each element in use drawn on
// its own from the station's own job for a goods row's values, as the preview draws it.
// Millimetres from the label's top left corner, before the print direction turns it.
class ElementGeometry {
public:
    struct Box {
        bool barcode = false;
        int index = 0; // barcodes 1..3, texts 1..10
        QRectF mm;     // the element as drawn (a barcode's readable line included)
    };
    struct Values {
        std::array<QString, 4> barcodes; // [1..3]
        std::array<QString, 11> texts;   // [1..10]
        bool blackMark = false;
    };

    // Every element in use that prints something, barcodes first; texts drawn last lie on top.
    static QList<Box> boxes(const PrinterDriver &driver, const FormatSet &set, int format,
                            const Values &values);
    // One element; none when it is not in use or prints nothing.
    static std::optional<Box> box(const PrinterDriver &driver, const FormatSet &set, int format,
                                  const Values &values, bool barcode, int index);
};
