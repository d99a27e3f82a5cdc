// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerlanguage.h"

// ZPL II, the command language most thermal label printers take (natively or as an
// emulation), at 203 or 300 dpi. It prints the labels of every station as their preview shows
// them: barcodes as the printer's own commands, texts as pictures. No mandated waits: the
// jobs of one operation go over one connection, paced by the port.
class ZplLanguage : public PrinterLanguage {
public:
    static const ZplLanguage &instance();

    QString key() const override { return QStringLiteral("zpl"); }
    QString name() const override { return QStringLiteral("ZPL"); }
    QList<int> resolutions() const override { return {203, 300}; }
    QString caption(int dpi) const override;
    QString describedLabelJob(const LabelDescription &label, const LabelRaster &raster, int dpi,
                              int count, bool blackMark) const override;
    int printWaitSeconds() const override { return 0; }
    bool sendsOverOneConnection() const override { return true; }
    bool startsJob(const QString &line) const override;
    LabelDescription readJob(const QList<JobLine> &lines, int *i,
                             const JobStart &otherJob) const override;
};
