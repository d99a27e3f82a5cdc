// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Labels of every symbology of both stations, made as the stations make them (formats, the
// driver's job text, read back): each with its barcode and readable line, a Hangul text and a
// reversed text. For comparing other printer languages with the preview.

#include "model/labeldescription.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"

#include <QList>
#include <QString>

namespace LabelDesigns {

struct Design {
    QString name;
    LabelDescription label;
};

// Valid data per symbology.
inline QString sampleData(LabelObject::Symbology s)
{
    using S = LabelObject::Symbology;
    switch (s) {
    case S::Code39:
        return QStringLiteral("ABC-123");
    case S::Code128:
        return QStringLiteral("LS-2026a");
    case S::I2of5:
        return QStringLiteral("12345678");
    case S::Codabar:
        return QStringLiteral("A123456B");
    case S::Code93:
        return QStringLiteral("CODE93");
    case S::UpcA:
        return QStringLiteral("01234567890");
    case S::UpcE:
        return QStringLiteral("0123456");
    case S::Ean13:
        return QStringLiteral("880123456789");
    case S::Ean8:
        return QStringLiteral("8801234");
    case S::Ean128:
        return QStringLiteral("(01)08801234567893");
    case S::Unknown:
        break;
    }
    return QString();
}

// One label of `station` with barcode value `barCode` (bar widths `den`), turned or not.
inline LabelDescription design(const PrinterDriver &station, int barCode, int den, bool turned)
{
    const int u = station.unitsPerMm(); // 1 mm or 10 tenths
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    f.LblWidth = 60 * u;
    f.LblLeng = 40 * u;
    f.LblDegree = turned ? 1 : 0;
    BarcodeElement &b = f.Bar[1];
    b.BarSelt = 1;
    b.BarCode = qint16(barCode);
    b.BarDen = qint16(den);
    b.BarXx = 5 * u;
    b.BarYy = 3 * u;
    b.BarHeight = 12 * u;
    b.BarHmRead = 2;
    const bool srp = station.model() == PrinterModel::SRP770;
    TextElement &korean = f.Txt[1];
    korean.TxtSelt = 1;
    korean.TxtFont = srp ? 5 : 2; // a Korean font
    korean.TxtXx = 4 * u;
    korean.TxtYy = 22 * u;
    korean.TxtXSize = 1;
    korean.TxtYSize = 1;
    TextElement &reversed = f.Txt[2];
    reversed.TxtSelt = 1;
    reversed.TxtString = QStringLiteral("SALE 30%");
    reversed.TxtFont = srp ? 2 : 1;
    reversed.TxtRvs = 1;
    reversed.TxtXx = 4 * u;
    reversed.TxtYy = 30 * u;
    reversed.TxtXSize = 1;
    reversed.TxtYSize = 1;
    std::array<QString, 4> barcodes;
    barcodes[1] = sampleData(station.printedSymbology(barCode));
    std::array<QString, 11> texts;
    texts[1] = QStringLiteral("사과 1,000원");
    return LabelJobReader::read(station.labelJob(set, 1, barcodes, texts, 2, false));
}

// Every symbology of both stations (the AL-300's labels turned by 180 degrees, and one
// SRP-770 label), with bar widths ZPL draws itself and one pair it cannot (2:5 at 300 dpi, 3:7).
inline QList<Design> all()
{
    QList<Design> out;
    for (const PrinterDriver *station : Printers::stations()) {
        const bool srp = station->model() == PrinterModel::SRP770;
        const int count = int(station->symbologyNames().size()) - 1;
        for (int code = 1; code <= count; ++code) {
            // SRP-770: narrow 2, wide 5; AL-300: ratio code 9 (2:5) for Code 39, 1 (2:5) else.
            const int den = srp ? 25 : 1;
            out << Design{QStringLiteral("%1 %2").arg(station->name(),
                                                      station->symbologyNames()[code]),
                          design(*station, code, den, !srp)};
        }
    }
    out << Design{QStringLiteral("SRP-770 Code39 3:7 turned"),
                  design(Printers::srp770(), 1, 37, true)};
    return out;
}

} // namespace LabelDesigns
