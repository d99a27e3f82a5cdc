// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>

// What a barcode scanner makes of one barcode of a printed label.
struct ScanResult {
    enum class Verdict {
        Scans,      // read, with the data the job asked for
        OtherData,  // read, but with other data or as another symbology
        NoScan,     // not read, or outside what a scanner can count on
        NotChecked, // the reader does not know the symbology: never counts as scanning
    };
    enum class Cause {
        Unencodable,  // the data cannot be drawn in the symbology at all
        NarrowBars,   // narrow bar under the minimum dots
        ShortBars,    // bars lower than the symbology needs
        QuietZone,    // quiet zone cut by the label edge or by another element
        Overlap,      // another element printed over the bars
        OutsideLabel, // bars beyond the label edge are not printed
        Unread,       // the reader finds nothing, for no reason that can be told
    };
    struct Finding {
        Cause cause = Cause::Unread;
        int dots = 0;         // what the label has (bar width, height, quiet zone)
        int needed = 0;       // what it needs
        bool right = false;   // QuietZone: the right side (else the left)
        bool edge = false;    // QuietZone: cut by the label edge
        int other = -1;       // QuietZone, Overlap: the other object's index (-1: none known)
        QString otherName;    // Korean:  텍스트 "사과" / 바코드 "123"
        QString otherEnglish; // English: text '사과' / barcode '123'
        QString detail;       // Unencodable: why, in Korean
        QString englishDetail;
        int dotsPerMm = LabelDescription::StationDotsPerMm; // of `dots` and `needed`
    };

    int object = -1; // index in the label's objects
    LabelObject::Symbology symbology = LabelObject::Symbology::Unknown;
    QString data;     // as the job sends it
    QString expected; // what a scanner returns for it (check digits added, ...)
    QString read;     // what the reader returned (Scans, OtherData)
    LabelObject::Symbology readSymbology = LabelObject::Symbology::Unknown;
    Verdict verdict = Verdict::NotChecked;
    QList<Finding> findings;

    bool scans() const { return verdict == Verdict::Scans; }
    // Neither scans nor unchecked: stops a print until the operator agrees.
    bool fails() const { return verdict == Verdict::NoScan || verdict == Verdict::OtherData; }
    // "EAN-13 8801234567893"
    QString name() const;
    // "스캔 확인" or what is wrong, for the station.
    QString korean() const;
    // "scans" or what is wrong, for the command line.
    QString english() const;
};

// The scan check: every barcode of a label drawn as the printer prints it (8 dots per mm,
// bars at their exact dot widths, the other elements beside and over them), read back by a
// barcode reader and compared with the data the job asked for. A barcode scans when the
// reader returns that data and the print keeps the limits scanners rely on: narrow bars of
// at least two dots, bars of at least 5 mm and 15% of the symbol's width, the symbology's
// quiet zone on both sides inside the label, nothing printed over the bars.
class ScanCheck {
public:
    // At the stations' 8 dots a millimetre; a finer label needs as many millimetres.
    static constexpr int MinNarrowDots = 2;
    static constexpr int MinHeightDots = 40; // 5 mm

    // One result per barcode object, in the order of the label's objects.
    static QList<ScanResult> run(const LabelDescription &label);

    // What a scanner returns for `data` printed in `symbology`: EAN/UPC with their check
    // digit, I 2of5 with the leading zero of odd lengths, GS1-128 without its brackets.
    static QString expectedData(LabelObject::Symbology symbology, const QString &data);
    // The symbology's quiet zone in modules (narrow bars) on the left or right side.
    static int quietZoneModules(LabelObject::Symbology symbology, bool right);
};
