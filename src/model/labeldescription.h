// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/monobitmap.h"

#include <QList>
#include <QString>
#include <QStringList>

// One printed object of a label as the printer understands it from the job text: a barcode,
// a text or a picture at a position. Geometry is in printer dots (the description's
// dotsPerMm, 8 for the station printers) from the label's top left corner, X across the label
// width, Y down the label length. The values as written in the job are kept beside (the
// *Units fields: SRP-770 dots, AL-300 tenths of a millimetre, which are rounded to the nearest
// dot as the printer's head does).
struct LabelObject {
    enum class Kind { Barcode, Text, Picture };
    enum class Symbology {
        Unknown,
        Code39,
        Code128,
        I2of5,
        Codabar, // NW7
        Code93,
        UpcA,
        UpcE,
        Ean13,
        Ean8,
        Ean128,
    };
    enum class Readable { None, Above, Below };

    Kind kind = Kind::Text;
    int x = 0; // dots
    int y = 0; // dots
    int xUnits = 0;
    int yUnits = 0;

    // Barcode.
    Symbology symbology = Symbology::Unknown;
    int symbologyCode = -1; // the code as written (SRP-770 type 0..9, AL-300 code 1..8)
    int narrow = 0;         // narrow bar (module) width in dots
    int wide = 0;           // wide bar width in dots
    int ratio = 0;          // AL-300 ratio code 1..10 (0 on the SRP-770)
    int height = 0;         // bar height in dots, readable line not included
    int heightUnits = 0;
    Readable readable = Readable::None;
    // Bars sent as a picture (a printer language that cannot draw them at these widths): the
    // picture prints at (x, y) instead of bars drawn from the data.
    MonoBitmap barsPicture;

    // Text.
    QString font;       // printer font code as written: "0".."3", "a", "b" / "1", "J", "K"
    int cellWidth = 0;  // one character cell of the font in dots (0 for an unknown font)
    int cellHeight = 0; // (a Korean font's cell holds one Hangul syllable or two ASCII letters)
    bool koreanFont = false;
    int xMagnification = 0; // as written; 0 prints as 1
    int yMagnification = 0;
    bool reverse = false; // white on black
    bool bold = false;

    // Picture: black dots at (x, y), one dot per dot of the picture.
    MonoBitmap picture;

    QString data;     // barcode data or text, as sent
    int line = 0;     // 1-based line of the object in the job text
    QString source;   // that line
    int dataLine = 0; // AL-300: the line of the object's data (0 on the SRP-770)

    bool isBarcode() const { return kind == Kind::Barcode; }
    bool isText() const { return kind == Kind::Text; }
    bool isPicture() const { return kind == Kind::Picture; }

    // "EAN-13", "Code 128", ... ("?" for an unknown symbology).
    static QString symbologyName(Symbology s);
};

// One label job read back from its command text: the label stock and the printed objects.
// `problems` lists, one line each, what the reader did not understand (unknown command,
// malformed number, data without an object, ...); nothing of it is guessed.
struct LabelDescription {
    // The dots of the station printers' heads.
    static constexpr int StationDotsPerMm = 8;

    QString language;                  // key of the language of the job: "srp770", "zpl", ...
    int dotsPerMm = StationDotsPerMm;  // of every *Dots value and object geometry
    int widthDots = 0, lengthDots = 0; // across and along the feed
    int widthUnits = 0, lengthUnits = 0;
    int unitsPerMm = 8;    // of the *Units values: SRP-770 dots (8), AL-300 tenths (10)
    bool reversed = false; // printed turned by 180 degrees
    int count = 0;         // labels printed
    bool blackMark = false;
    int gapDots = 0;  // SRP-770 gap or mark length
    int speed = -1;   // SRP-770 SS, -1 when not given
    int density = -1; // SRP-770 SD, -1 when not given
    QList<LabelObject> objects;
    QStringList problems;
    int firstLine = 0; // 1-based lines of the job in the text that held it
    int lastLine = 0;

    // The label's size in millimetres as the job gives it (its units / unitsPerMm).
    double widthMm() const;
    double lengthMm() const;
};
