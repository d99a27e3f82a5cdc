// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcodevalidator.h"

#include "render/barcodesymbol.h"

QString BarcodeValidator::symbologyName(const PrinterDriver &printer, int barCode)
{
    const LabelObject::Symbology s = printer.printedSymbology(barCode);
    return s == LabelObject::Symbology::Unknown ? QString() : LabelObject::symbologyName(s);
}

QString BarcodeValidator::problem(const PrinterDriver &printer, int barCode, const QString &data)
{
    const LabelObject::Symbology s = printer.printedSymbology(barCode);
    if (s == LabelObject::Symbology::Unknown)
        return QStringLiteral("the format names no barcode symbology (code %1)").arg(barCode);
    // The printer's usual bar widths; the widths do not change what can be encoded.
    const BarcodeSymbol symbol = BarcodeSymbol::make(s, data, 2, 6);
    return symbol.ok ? QString() : symbol.englishError;
}
