// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelwindows.h"

#include "station/al300frm.h"
#include "app/mdimain.h"
#include "leo60d/leo60dfrm.h"
#include "station/srp770frm.h"

void RegisterModelWindows()
{
    mdiMain::registerWindow(QStringLiteral("SRP770Frm"), [] { return new SRP770Frm; });
    mdiMain::registerWindow(QStringLiteral("AL300Frm"), [] { return new AL300Frm; });
    mdiMain::registerWindow(QStringLiteral("LEO60DFrm"), [] { return new LEO60DFrm; });
}
