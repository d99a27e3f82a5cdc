// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/sheetlayout.h"

#include <QList>
#include <QString>
#include <QStringList>

class QPrinter;

// Labels printed through a printer the system knows (CUPS on Linux): on a roll, one label a
// page at the label's size (a label printer with a system driver), or on sheets of labels
// (an office printer, see LabelSheets). Drawn at the printer's resolution with whole-dot
// bars, as the preview draws them.
class SystemLabelPrint {
public:
    // The printers the system offers, by the names `lpstat -p` shows; the default one first.
    static QStringList printers();
    // Sets `printer` up as the system printer `name` for the labels (the page of a roll label
    // or the sheet's paper, no margins); false with the reasons (Korean, English) when the
    // system has no such printer or the labels do not fit the sheet.
    static bool setUp(QPrinter &printer, const QString &name, const QList<LabelDescription> &labels,
                      const SheetLayout *sheet, int start, QString *korean, QString *english);
    // setUp() without the printer: the page and margins of the labels on `printer` (a PDF
    // or a preview).
    static bool setPage(QPrinter &printer, const QList<LabelDescription> &labels,
                        const SheetLayout *sheet, int start, QString *korean, QString *english);
    // Prints the labels (pages `first` to `last`, 0-based, -1 to the end: sheets of a sheet
    // layout, labels on a roll) on a printer set up by setUp(); false with the reasons when
    // it could not.
    static bool print(QPrinter &printer, const QList<LabelDescription> &labels,
                      const SheetLayout *sheet, int start, QString *korean, QString *english,
                      int first = 0, int last = -1);
};
