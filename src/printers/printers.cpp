// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers.h"

#include "printers/al300/al300driver.h"
#include "printers/srp770/srp770driver.h"
#include "printers/zpl/zpllanguage.h"

#include <QtGlobal>

QList<const PrinterLanguage *> Printers::languages()
{
    // One line per language.
    return {
        &Srp770Driver::instance(),
        &Al300Driver::instance(),
        &ZplLanguage::instance(),
    };
}

const PrinterLanguage *Printers::language(const QString &key)
{
    for (const PrinterLanguage *l : languages()) {
        if (l->key() == key)
            return l;
    }
    return nullptr;
}

QList<const PrinterDriver *> Printers::stations()
{
    QList<const PrinterDriver *> out;
    for (const PrinterLanguage *l : languages()) {
        if (const PrinterDriver *d = l->station())
            out << d;
    }
    return out;
}

const PrinterDriver &Printers::srp770()
{
    return of(PrinterModel::SRP770);
}

const PrinterDriver &Printers::al300()
{
    return of(PrinterModel::AL300);
}

const PrinterDriver &Printers::of(PrinterModel model)
{
    for (const PrinterDriver *d : stations()) {
        if (d->model() == model)
            return *d;
    }
    qFatal("no printer driver for station model %d", int(model));
}

const PrinterDriver *Printers::byKey(const QString &key)
{
    for (const PrinterDriver *d : stations()) {
        if (d->key() == key)
            return d;
    }
    return nullptr;
}
