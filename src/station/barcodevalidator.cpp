#include "barcodevalidator.h"

#include "printers/labeljobreader.h"
#include "station/barcodesymbol.h"

namespace {

LabelObject::Symbology symbologyOf(PrinterModel model, int barCode)
{
    if (model == PrinterModel::AL300)
        return LabelJobReader::al300Symbology(barCode);
    // The SRP-770 job sends the format's 1..10 as type 0..9 and anything else as 7.
    return LabelJobReader::srp770Symbology(barCode >= 1 && barCode <= 10 ? barCode - 1 : 7);
}

} // namespace

QString BarcodeValidator::symbologyName(PrinterModel model, int barCode)
{
    const LabelObject::Symbology s = symbologyOf(model, barCode);
    return s == LabelObject::Symbology::Unknown ? QString() : LabelObject::symbologyName(s);
}

QString BarcodeValidator::problem(PrinterModel model, int barCode, const QString &data)
{
    const LabelObject::Symbology s = symbologyOf(model, barCode);
    if (s == LabelObject::Symbology::Unknown)
        return QStringLiteral("the format names no barcode symbology (code %1)").arg(barCode);
    // The printer's usual bar widths; the widths do not change what can be encoded.
    const BarcodeSymbol symbol = BarcodeSymbol::make(s, data, 2, 6);
    return symbol.ok ? QString() : symbol.englishError;
}
