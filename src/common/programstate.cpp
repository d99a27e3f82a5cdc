#include "programstate.h"

#include <QCoreApplication>
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
    QString dir = Program().DataDirOverride;
    if (dir.isEmpty())
        dir = qEnvironmentVariable("LABELSTATION_DATA_DIR");
    if (dir.isEmpty())
        dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data"));
    if (Program().CreateDataDir)
        QDir().mkpath(dir);
    return QDir::cleanPath(dir);
}
