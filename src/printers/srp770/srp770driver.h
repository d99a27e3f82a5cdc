// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

// The SRP-770: line commands (CB, SS, SD, SW, SL, SO, B1, T, P), lengths and positions in
// millimetres sent as dots (8 a millimetre), the label stock told per job, 3 seconds after
// every label. Files "SRP770Frm[nn].Txt", "SRP770Dat[nn].Txt", copy "SRP770Print.Txt".
class Srp770Driver : public PrinterDriver {
public:
    static const Srp770Driver &instance();

    PrinterModel model() const override { return PrinterModel::SRP770; }
    QString name() const override { return QStringLiteral("SRP-770"); }
    QString key() const override { return QStringLiteral("srp770"); }
    QString filePrefix() const override { return QStringLiteral("SRP770"); }
    bool keepsExtendedFormat() const override { return false; }
    int unitsPerMm() const override { return 1; }
    int printWaitSeconds() const override { return 3; }

    QStringList symbologyNames() const override;
    QStringList fontNames() const override;
    QStringList fontCaptions() const override;
    int maxMagnification() const override { return 4; }
    QStringList reversalNames() const override;
    QStringList reversalCaptions() const override;

    LabelObject::Symbology printedSymbology(int barCode) const override;
    LabelObject::Symbology symbologyOfCode(int code) const override;
    bool fontCell(const QString &code, int *cellWidth, int *cellHeight,
                  bool *korean) const override;

    QString labelJob(const FormatSet &set, int format, const std::array<QString, 4> &barcodes,
                     const std::array<QString, 11> &texts, int count,
                     bool blackMark) const override;
    bool startsJob(const QString &line) const override;
    LabelDescription readJob(const QList<JobLine> &lines, int *i,
                             const JobStart &otherJob) const override;

    // The job's symbology type of a format's BarCode: 1..10 become 0..9; unset or unknown
    // values print as EAN13 (7).
    static int symbologyCode(int barCode);
    // The job's font code of a format's TxtFont: 1..6 give "0", "1", "2", "3", "a", "b";
    // 0 (not set) and unknown values the smallest font "0".
    static QString fontCode(int font);
    // BarDen keeps narrow and wide bar widths as tens and units digit; a 0 digit means the
    // printer's usual 2 (narrow) or 6 (wide).
    static void barWidths(int barDen, int *narrow, int *wide);
    // The gap (or black mark) length sent with every label: 3 mm in dots.
    static constexpr int GapDots = 24;
};
