#pragma once

#include "model/printerdriver.h"

#include <QList>
#include <QString>

// The printer drivers the program knows.
class Printers {
public:
    static const PrinterDriver &srp770();
    static const PrinterDriver &al300();
    static const PrinterDriver &of(PrinterModel model);
    // By the command line's name ("srp770", "al300"); null for any other.
    static const PrinterDriver *byKey(const QString &key);
    static QList<const PrinterDriver *> all();
};
