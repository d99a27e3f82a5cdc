#pragma once

#include "station/formatset.h"

#include <QString>

// Whether a printer can print barcode data in a format's symbology, judged by encoding the
// data with zint as the printer would (EAN and UPC check digits, lengths, the character set
// of each symbology). Barcode data must be plain ASCII in every symbology.
class BarcodeValidator {
public:
    // The symbology name of a format's BarCode value for the model ("EAN-13", "Code39" ...);
    // "" when the value names none. The SRP-770 prints an unset or unknown value as EAN-13.
    static QString symbologyName(PrinterModel model, int barCode);
    // "" when `data` prints in symbology `barCode` of the model, else why not (English).
    static QString problem(PrinterModel model, int barCode, const QString &data);
};
