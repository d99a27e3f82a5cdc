// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/sheetlayout.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// Labels on sheets of an office printer (or a PDF): each label's copies in order, from cell
// `start` (0-based) of the first sheet on, row by row; each label drawn at the device's own
// resolution with whole-dot bars (LabelPainter::renderPrintedAt), centred in its cell. The
// copies of a label are one picture (a PDF holds it once).
class LabelSheets {
public:
    // Where a copy goes: the sheet (0-based), the cell on it and the label it is.
    struct Place {
        int sheet = 0;
        int cell = 0;
        int label = 0;
    };
    static constexpr int MaxSheets = 2000;  // one run prints at most this many sheets
    static constexpr double FitSlack = 0.2; // mm a label may pass its cell (rounding)
    static constexpr int PdfDpi = 300;      // the resolution labels are drawn at in a PDF

    static QList<Place> places(const QList<LabelDescription> &labels, const SheetLayout &layout,
                               int start);
    static int sheetCount(const QList<LabelDescription> &labels, const SheetLayout &layout,
                          int start);
    // Whether every label fits its cell and the sheets are not too many; else false with the
    // reason in Korean (the windows) and English (the command line), naming both sizes.
    static bool check(const QList<LabelDescription> &labels, const SheetLayout &layout, int start,
                      QString *korean = nullptr, QString *english = nullptr);
    // Paints sheets `first` to `last` (0-based, -1: to the end) on `painter`, which paints on
    // a device whose page is the layout's paper and whose resolution is `dpi`; a new page
    // between sheets through `device`. False when a page could not be added.
    static bool paint(QPainter &painter, QPagedPaintDevice &device, double dpi,
                      const QList<LabelDescription> &labels, const SheetLayout &layout, int start,
                      int first = 0, int last = -1);
    // The sheets as a PDF, whole or not at all (SafeSave); *error in English.
    static bool writePdf(const QString &path, const QList<LabelDescription> &labels,
                         const SheetLayout &layout, int start, QString *error = nullptr);
};
