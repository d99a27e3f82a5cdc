// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"
#include "model/printerlanguage.h"

#include <QList>
#include <QString>

// The printer languages the program knows, listed once (printers.cpp, one line each), and
// the stations among them: the languages whose printer has a station of its own.
class Printers {
public:
    static QList<const PrinterLanguage *> languages();
    // By the command line's and the files' name ("srp770", "zpl"); null for any other.
    static const PrinterLanguage *language(const QString &key);

    static QList<const PrinterDriver *> stations();
    static const PrinterDriver &srp770();
    static const PrinterDriver &al300();
    // The station of a model. Every model has one: a model without is a fault of the program.
    static const PrinterDriver &of(PrinterModel model);
    // A station by its command line name ("srp770", "al300"); null for any other.
    static const PrinterDriver *byKey(const QString &key);
    static QList<const PrinterDriver *> all() { return stations(); }
};
