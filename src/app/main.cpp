#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "common/programstate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char *argv[])
{
    // --help and --version answer without a display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if ((a == "--help" || a == "-h" || a == "--version" || a == "-v") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("labelstation"));
    QApplication::setApplicationDisplayName(QStringLiteral("Label Station"));
    QApplication::setApplicationVersion(QStringLiteral(LABELSTATION_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Label Station: goods labels for SRP-770, AL-300 and LEO-60D+ printers."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir(QStringList{QStringLiteral("data-dir")},
                               QStringLiteral("Keep the data files in DIR instead of the Data "
                                              "folder beside the program (also "
                                              "LABELSTATION_DATA_DIR)."),
                               QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        Program().DataDirOverride = QDir(parser.value(dataDir)).absolutePath();

    // Korean captions need a font with Hangul.
    for (const QString &family : {QStringLiteral("NanumGothic"), QStringLiteral("Nanum Gothic")}) {
        if (QFontDatabase::families().contains(family)) {
            QFont f(family);
            f.setPointSize(10);
            QApplication::setFont(f);
            break;
        }
    }

    RegisterModelWindows();
    mdiMain w;
    w.show();
    return app.exec();
}
