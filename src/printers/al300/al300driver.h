// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

#include <QList>

// The AL-300: brace-delimited records (the direct print job "{F001,..." + "{B001,...", and
// the format, link and item downloads of the transfer), lengths and positions in tenths of a
// millimetre sent unchanged, bar widths as ratio codes, 1 second after a label and 2 seconds
// after each transfer step. Files "AL300Frm[nn].Txt", "AL300Dat[nn].Txt", copies
// "AL300Print.Txt" and "AL300Save1.Txt" to "AL300Save3.Txt".
class Al300Driver : public PrinterDriver {
public:
    static const Al300Driver &instance();

    PrinterModel model() const override { return PrinterModel::AL300; }
    QString name() const override { return QStringLiteral("AL-300"); }
    QString key() const override { return QStringLiteral("al300"); }
    QString filePrefix() const override { return QStringLiteral("AL300"); }
    bool keepsExtendedFormat() const override { return true; }
    QString sentValue(const QString &value) const override;
    int unitsPerMm() const override { return 10; }
    int printWaitSeconds() const override { return 1; }
    // Seconds after each of the transfer's downloads.
    static constexpr int TransferWaitSeconds = 2;

    QStringList symbologyNames() const override;
    QStringList fontNames() const override;
    QStringList fontCaptions() const override;
    int maxMagnification() const override { return 9; }
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

    // The job's font letter of a format's TxtFont: 1 "1", 2 "J", 3 "K"; 0 (no font) and
    // unknown values "0".
    static QString fontCode(int font);

    // Bar widths as ratio codes 1..10 ("A" for 10). Each symbology group offers its own
    // codes on the barcode panel, its default first when none is chosen.
    struct RatioGroup {
        int group;        // 1 EAN/UPC, 2 I 2of5, 3 NW7, 4 Code39 and Code128
        QList<int> codes; // in the panel's order
        int defaultCode;
    };
    static QList<RatioGroup> ratioGroups();
    // The group (1..4) whose codes a format's BarCode offers; 0 for none.
    static int ratioGroupOf(int barCode);
    // A ratio code's narrow and wide bar widths in dots (the narrow width is the module of
    // the one-width symbologies such as EAN-13 and Code 128); false for no code.
    static bool ratioBars(int code, int *narrow, int *wide);
};
