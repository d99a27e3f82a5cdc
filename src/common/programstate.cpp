// SPDX-License-Identifier: GPL-3.0-or-later
#include "programstate.h"

#include "common/programfolders.h"

#include <QDir>

ProgramState &Program()
{
    static ProgramState state;
    return state;
}

QString BarcodeSetText()
{
    return QStringLiteral("%1").arg(Program().BarcodeSetNo, 2, 10, QLatin1Char('0'));
}

QString DataDirectory()
{
    const QString dir = ProgramFolders::currentData().path;
    if (Program().CreateDataDir)
        QDir().mkpath(dir);
    return dir;
}
