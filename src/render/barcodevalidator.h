// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

#include <QString>

// Whether a printer can print barcode data in a format's symbology, judged by encoding it as
// the label preview draws it (EAN and UPC check digits and lengths, each symbology's
// character set; barcode data must be plain ASCII).
class BarcodeValidator {
public:
    // The name of the symbology a format's BarCode value prints as ("EAN-13", "Code 39" ...);
    // "" when the value prints none.
    static QString symbologyName(const PrinterDriver &printer, int barCode);
    // "" when `data` prints in symbology `barCode` of the printer, else why not (English).
    static QString problem(const PrinterDriver &printer, int barCode, const QString &data);
};
