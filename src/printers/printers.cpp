#include "printers.h"

#include "printers/al300/al300driver.h"
#include "printers/srp770/srp770driver.h"

const PrinterDriver &Printers::srp770()
{
    return Srp770Driver::instance();
}

const PrinterDriver &Printers::al300()
{
    return Al300Driver::instance();
}

const PrinterDriver &Printers::of(PrinterModel model)
{
    return model == PrinterModel::AL300 ? al300() : srp770();
}

const PrinterDriver *Printers::byKey(const QString &key)
{
    for (const PrinterDriver *d : all()) {
        if (d->key() == key)
            return d;
    }
    return nullptr;
}

QList<const PrinterDriver *> Printers::all()
{
    return {&srp770(), &al300()};
}
