// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridprintsettings.h"

#include "model/printheader.h"

GridPrintSettings GridPrintSettings::withReportTitle(const QString &title) const
{
    GridPrintSettings s = *this;
    s.header = PrintHeader::forTitle(title);
    return s;
}
