// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/printerlanguage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The language of a printer that has a station of its own, and that station's facts, in one
// place per printer: its units, its value sets (symbologies, fonts, magnifications,
// reversal), the command text of one label built from the station's formats, and the names of
// the station's data and copy files. The station windows, the label preview, the goods check
// and the command line ask the driver of their station; none of them keeps a table of its
// own. What the language itself defines (reading jobs back, waits, transport) is asked of the
// PrinterLanguage it is.
class PrinterDriver : public PrinterLanguage {
public:
    const PrinterDriver *station() const override { return this; }

    virtual PrinterModel model() const = 0;
    // The first part of the station's file names: "SRP770", "AL300"
    virtual QString filePrefix() const = 0;

    // The station's form name "<prefix>Frm" (column widths, help topic) and file names in
    // the data folder: "<prefix>Frm[nn].Txt" (formats), "<prefix>Dat[nn].Txt" (goods) and
    // "<prefix>Print.Txt" (copy of the last label job sent). `setText` is "00".."21".
    QString formName() const;
    QString formatFileName(const QString &setText) const;
    QString goodsFileName(const QString &setText) const;
    QString printCopyFileName() const;
    // Whether the format file keeps the AL-300's label settings, input classes and fixed
    // barcode values (their tags are read and written only then).
    virtual bool keepsExtendedFormat() const = 0;

    // A goods or fixed value as the printer's jobs carry it. The AL-300's records carry values
    // unquoted, so its record delimiters , ; | { } go as "?" (the goods editor's field
    // filter); the SRP-770 sends every value as it is.
    virtual QString sentValue(const QString &value) const { return value; }

    // Lengths and positions of the format set per millimetre (SRP-770 1: millimetres, sent
    // as dots; AL-300 10: tenths of a millimetre, sent unchanged). The heads of both print 8
    // dots a millimetre.
    virtual int unitsPerMm() const = 0;
    static constexpr int DotsPerMm = LabelDescription::StationDotsPerMm;

    // The format's value sets, indexed by the stored value (index 0, "not set", is "").
    virtual QStringList symbologyNames() const = 0;
    virtual QStringList fontNames() const = 0;    // labels of the format display
    virtual QStringList fontCaptions() const = 0; // options of the font panel
    virtual int maxMagnification() const = 0;
    virtual QStringList reversalNames() const = 0;    // label per TxtRvs (0 shows "")
    virtual QStringList reversalCaptions() const = 0; // options per TxtRvs

    // The symbology a format's BarCode value prints as (Unknown when it prints none).
    virtual LabelObject::Symbology printedSymbology(int barCode) const = 0;
    // The symbology of a code as the job text writes it (Unknown for one the printer lacks).
    virtual LabelObject::Symbology symbologyOfCode(int code) const = 0;
    // A font code as the job text writes it: its character cell in dots and whether it is a
    // Korean font (whose cell holds one Hangul syllable or two ASCII characters). False for
    // a code the printer does not have.
    virtual bool fontCell(const QString &code, int *cellWidth, int *cellHeight,
                          bool *korean) const = 0;

    // The command text of one label of format `format` (1..5) for the goods values
    // barcodes[1..3] and texts[1..10] (trimmed), `count` labels; `blackMark` chooses
    // black-mark stock where the printer is told the stock per job. "" for a format outside
    // 1..5.
    virtual QString labelJob(const FormatSet &set, int format,
                             const std::array<QString, 4> &barcodes,
                             const std::array<QString, 11> &texts, int count,
                             bool blackMark) const = 0;
};
