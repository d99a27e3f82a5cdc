#include "modelwindows.h"

#include "app/mdimain.h"
#include "srp770/srp770frm.h"

void RegisterModelWindows()
{
    mdiMain::registerWindow(QStringLiteral("SRP770Frm"), [] { return new SRP770Frm; });
}
