#pragma once

#include "model/formatset.h"

#include <QString>

// Whether a printer can print barcode data in a format's symbology, judged by encoding it as
// the label preview draws it (EAN and UPC check digits and lengths, each symbology's
// character set; barcode data must be plain ASCII).
class BarcodeValidator {
public:
    // The symbology name of a format's BarCode value for the model ("EAN-13", "Code 39" ...);
    // "" when the value names none. The SRP-770 prints an unset or unknown value as EAN-13.
    static QString symbologyName(PrinterModel model, int barCode);
    // "" when `data` prints in symbology `barCode` of the model, else why not (English).
    static QString problem(PrinterModel model, int barCode, const QString &data);
};
