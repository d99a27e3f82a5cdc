// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodsitem.h"
#include "model/printerdriver.h"

#include <QList>
#include <QString>

// A small, realistic data set for barcode set 00 (the help pictures are made from it):
// a shop's goods list of Korean goods with EAN-13 numbers, one price label format per
// station and the barcode-set names, written with the program's own file writers. The
// LEO-60D+ window's pictures also want a goods file "sample.pre" beside them, which the
// caller copies in.
class SampleData {
public:
    // The goods, numbered 1..n, texts 1 (name on the label) and 2 (price).
    static QList<GoodsItem> goods();
    // Format set of a station: port COM1 at 9600, format 1 a 30 x 50 mm price label with an
    // EAN-13 barcode and texts, format 2 a smaller shelf label.
    static FormatSet formats(const PrinterDriver &printer);
    // A 13-digit EAN number: 880 (Korea), the 9 digits given, and the check digit.
    static QString ean13(const QString &nineDigits);

    // Writes the format and goods files of both stations for set 00 and the barcode-set
    // file, creating the folder when missing. False with a reason in *error.
    static bool write(const QString &dataDir, QString *error = nullptr);
    static QString preFileName() { return QStringLiteral("sample.pre"); }
};
