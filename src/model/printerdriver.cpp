// SPDX-License-Identifier: GPL-3.0-or-later
#include "printerdriver.h"

QString PrinterDriver::formName() const
{
    return filePrefix() + QStringLiteral("Frm");
}

QString PrinterDriver::formatFileName(const QString &setText) const
{
    return filePrefix() + QStringLiteral("Frm[") + setText + QStringLiteral("].Txt");
}

QString PrinterDriver::goodsFileName(const QString &setText) const
{
    return filePrefix() + QStringLiteral("Dat[") + setText + QStringLiteral("].Txt");
}

QString PrinterDriver::printCopyFileName() const
{
    return filePrefix() + QStringLiteral("Print.Txt");
}
