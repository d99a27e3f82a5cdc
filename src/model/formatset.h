// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// Which printer a format set belongs to. The AL-300 widens the SRP-770 model with its own
// label settings, per-element input classes and fixed barcode values; units differ too
// (SRP-770 millimetres, AL-300 tenths of a millimetre).
enum class PrinterModel { SRP770, AL300 };

struct BarcodeElement {
    qint16 BarSelt = 0; // 1 in use
    qint32 BarYy = 0;
    qint32 BarXx = 0;
    qint16 BarCode = 0; // symbology, model-specific numbering
    qint16 BarDen = 0;  // SRP-770: narrow*10+wide; AL-300: ratio code 1..10
    qint32 BarHeight = 0;
    qint16 BarHmRead = 0; // 0 none, 1 above, 2 below
    // AL-300 only
    qint16 BarRight = 0;
    QString BarString;
    qint16 BarEdit = 0;

    bool operator==(const BarcodeElement &) const = default;
};

struct TextElement {
    qint16 TxtSelt = 0;
    qint32 TxtYy = 0;
    qint32 TxtXx = 0;
    qint16 TxtFont = 0;
    qint16 TxtYSize = 0;
    qint16 TxtXSize = 0;
    qint16 TxtRvs = 0;
    qint16 TxtRight = 0; // right-aligned field width in bytes, 0 off
    QString TxtString;   // fixed text, at most 50 bytes, never ' or "
    // AL-300 only
    qint16 TxtEdit = 0;

    bool operator==(const TextElement &) const = default;
};

struct LabelFormat {
    qint32 LblLeng = 0;
    qint32 LblWidth = 0;
    qint16 LblDegree = 0; // 0 normal, 1 reversed
    // AL-300 only
    qint16 LblMode = 0;
    qint16 LblSensor = 0;
    qint16 LblCut = 0;
    qint16 LblOver = 0;

    std::array<BarcodeElement, 4> Bar; // 1..3 used; index 0 unused
    std::array<TextElement, 21> Txt;   // 1..20 used; index 0 unused

    bool operator==(const LabelFormat &) const = default;
};

// One station's serial port, line speed and five label formats.
struct FormatSet {
    static constexpr int FormatCount = 5;
    static constexpr int BarcodeCount = 3;
    static constexpr int TextCount = 20;      // kept in the file
    static constexpr int ShownTextCount = 10; // shown, edited and printed

    qint16 BarComPort = 0;          // 0 none, 1..9 COM1..COM9
    qint16 BarComSpeed = 0;         // 0 none, 1 9600 .. 6 115200
    std::array<LabelFormat, 6> Fmt; // 1..5 used; index 0 unused

    void reset() { *this = FormatSet(); }
    bool operator==(const FormatSet &) const = default;
};
