// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QString>
#include <QStringList>

// The scan check of labels printed through a system printer: the label's own check (bar
// widths, heights, quiet zones at the label's dots), then the label drawn at the printer's
// resolution exactly as it will print (LabelPainter::renderPrintedAt, whole-dot bars) and read
// back: every barcode the reader knows must come back with what a scanner returns for it.
// Plain values in and out: it runs on any thread.
class PrintedScan {
public:
    // Per barcode that would not scan: "EAN-13 8801234567893: 스캔 안 됨: ..." (Korean, or
    // English for the command line).
    static QStringList reasons(const LabelDescription &label, double dpi, bool english = false);
    // The reasons of every label, each distinct label checked once, on all cores; the list
    // has one entry per label (empty: it scans).
    static QList<QStringList> reasons(const QList<LabelDescription> &labels, double dpi,
                                      bool english = false);
};
