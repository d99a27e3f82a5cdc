#include "barcodevalidator.h"

#include "common/textutil.h"

#include <zint.h>

#include <memory>

namespace {

enum class Symbology {
    None,
    Code39,
    Code128,
    I2of5,
    Codabar,
    Code93,
    UpcA,
    UpcE,
    Ean13,
    Ean8,
    Ean128
};

Symbology symbologyOf(PrinterModel model, int barCode)
{
    if (model == PrinterModel::AL300) {
        switch (barCode) {
        case 1:
            return Symbology::UpcA;
        case 2:
            return Symbology::UpcE;
        case 3:
            return Symbology::I2of5;
        case 4:
            return Symbology::Code39;
        case 5:
            return Symbology::Codabar;
        case 6:
            return Symbology::Ean8;
        case 7:
            return Symbology::Ean13;
        case 8:
            return Symbology::Code128;
        default:
            return Symbology::None;
        }
    }
    switch (barCode) {
    case 1:
        return Symbology::Code39;
    case 2:
        return Symbology::Code128;
    case 3:
        return Symbology::I2of5;
    case 4:
        return Symbology::Codabar;
    case 5:
        return Symbology::Code93;
    case 6:
        return Symbology::UpcA;
    case 7:
        return Symbology::UpcE;
    case 9:
        return Symbology::Ean8;
    case 10:
        return Symbology::Ean128;
    default:
        return Symbology::Ean13; // 8, and the printer's choice for unset values
    }
}

QString nameOf(Symbology s)
{
    switch (s) {
    case Symbology::Code39:
        return QStringLiteral("Code39");
    case Symbology::Code128:
        return QStringLiteral("Code128");
    case Symbology::I2of5:
        return QStringLiteral("I2of5");
    case Symbology::Codabar:
        return QStringLiteral("Codabar");
    case Symbology::Code93:
        return QStringLiteral("Code93");
    case Symbology::UpcA:
        return QStringLiteral("UPC-A");
    case Symbology::UpcE:
        return QStringLiteral("UPC-E");
    case Symbology::Ean13:
        return QStringLiteral("EAN-13");
    case Symbology::Ean8:
        return QStringLiteral("EAN-8");
    case Symbology::Ean128:
        return QStringLiteral("EAN-128");
    case Symbology::None:
        break;
    }
    return QString();
}

bool allDigits(const QString &s)
{
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// EAN and UPC: digits of the given lengths; the last of the longer length is a check digit.
QString gs1Problem(const QString &data, int shortLength)
{
    if (!allDigits(data))
        return QStringLiteral("holds characters other than digits");
    const int full = shortLength + 1;
    if (data.size() != shortLength && data.size() != full)
        return QStringLiteral("needs %1 digits, or %2 with the check digit (has %3)")
            .arg(shortLength)
            .arg(full)
            .arg(data.size());
    return QString();
}

int zintSymbology(Symbology s)
{
    switch (s) {
    case Symbology::Code39:
        return BARCODE_CODE39;
    case Symbology::Code128:
        return BARCODE_CODE128;
    case Symbology::Ean128:
        return BARCODE_CODE128; // data as the printer takes it, no AI syntax
    case Symbology::I2of5:
        return BARCODE_C25INTER;
    case Symbology::Codabar:
        return BARCODE_CODABAR;
    case Symbology::Code93:
        return BARCODE_CODE93;
    case Symbology::UpcA:
        return BARCODE_UPCA;
    case Symbology::UpcE:
        return BARCODE_UPCE;
    case Symbology::Ean13:
    case Symbology::Ean8:
        return BARCODE_EANX;
    case Symbology::None:
        break;
    }
    return 0;
}

} // namespace

QString BarcodeValidator::symbologyName(PrinterModel model, int barCode)
{
    return nameOf(symbologyOf(model, barCode));
}

QString BarcodeValidator::problem(PrinterModel model, int barCode, const QString &data)
{
    const Symbology s = symbologyOf(model, barCode);
    if (s == Symbology::None)
        return QStringLiteral("the format names no barcode symbology (code %1)").arg(barCode);
    if (data.isEmpty())
        return QStringLiteral("no data");
    for (QChar c : data) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return QStringLiteral("holds characters outside plain ASCII");
    }

    QString input = data;
    switch (s) {
    case Symbology::Ean13: {
        const QString p = gs1Problem(data, 12);
        if (!p.isEmpty())
            return p;
        break;
    }
    case Symbology::Ean8: {
        // zint reads eight digits as a short EAN-13: the check digit is tested here and
        // only the seven data digits are encoded.
        const QString p = gs1Problem(data, 7);
        if (!p.isEmpty())
            return p;
        if (data.size() == 8 && EanCheckDigit(data) != data.right(1))
            return QStringLiteral("wrong check digit (%1 expected)").arg(EanCheckDigit(data));
        input = data.left(7);
        break;
    }
    case Symbology::UpcA: {
        const QString p = gs1Problem(data, 11);
        if (!p.isEmpty())
            return p;
        break;
    }
    case Symbology::UpcE:
        if (!allDigits(data))
            return QStringLiteral("holds characters other than digits");
        break;
    case Symbology::I2of5:
        if (!allDigits(data))
            return QStringLiteral("holds characters other than digits");
        break;
    default:
        break;
    }

    std::unique_ptr<zint_symbol, void (*)(zint_symbol *)> symbol(ZBarcode_Create(),
                                                                 ZBarcode_Delete);
    if (!symbol)
        return QStringLiteral("cannot be checked (out of memory)");
    symbol->symbology = zintSymbology(s);
    symbol->input_mode = DATA_MODE;
    const QByteArray bytes = input.toLatin1();
    const int rc =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()),
                        int(bytes.size()));
    if (rc >= ZINT_ERROR) {
        QString why = QString::fromLatin1(symbol->errtxt);
        // zint's texts begin with an error number ("Error 275: ...").
        const qsizetype colon = why.indexOf(QLatin1String(": "));
        if (why.startsWith(QLatin1String("Error")) && colon > 0)
            why = why.mid(colon + 2);
        return why.isEmpty() ? QStringLiteral("cannot be encoded") : why;
    }
    return QString();
}
