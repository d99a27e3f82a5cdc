#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "common/programstate.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>

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
    QCommandLineOption open(QStringList{QStringLiteral("open")},
                            QStringLiteral("Open a window at start: SRP770Frm, AL300Frm or "
                                           "LEO60DFrm."),
                            QStringLiteral("FORM"));
    parser.addOption(open);
    QCommandLineOption grab(QStringList{QStringLiteral("grab")},
                            QStringLiteral("Save a picture of the main window to FILE and end "
                                           "(for the help pictures)."),
                            QStringLiteral("FILE"));
    parser.addOption(grab);
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
    if (parser.isSet(open))
        w.openModelWindow(parser.value(open));
    if (parser.isSet(grab)) {
        const QString file = parser.value(grab);
        QTimer::singleShot(500, &w, [&w, file] {
            const bool ok = w.grab().save(file);
            QCoreApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
