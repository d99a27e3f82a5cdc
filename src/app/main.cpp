// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/datafolderclaim.h"
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "cli/commandline.h"
#include "common/programfolders.h"
#include "common/programstate.h"
#include "common/qttranslations.h"
#include "common/waiting.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's remark about a missing runtime folder means nothing to a script reading standard
// error, nor do the libraries' remarks on a failed picture or PDF (the command says what
// failed in its own words); everything else goes through.
void commandMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    for (const char *noise :
         {"libpng error", "libpng warning", "QPainter::begin", "QPainter::end", "QPdfWriter"}) {
        if (message.startsWith(QLatin1String(noise)))
            return;
    }
    if (qtHandler)
        qtHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// `labelstation [--data-dir DIR] COMMAND ...`: no window, no display needed.
int runCommand(int argc, char *argv[], const QString &command, const QStringList &rest,
               const QString &dataDir)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(commandMessages);
    // Read-only commands leave a missing data folder missing; the writers make it themselves.
    Program().CreateDataDir = false;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("labelstation"));
    QApplication::setApplicationVersion(QStringLiteral(LABELSTATION_VERSION));
    if (!dataDir.isEmpty())
        Program().DataDirOverride = QDir(dataDir).absolutePath();
    return CommandLine::run(command, rest);
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef LABELSTATION_TEST_BUILD
    // A build of the program that only the tests run: they shorten the printer's waits
    // through this variable. The program itself is built without it and always waits.
    if (const QByteArray scale = qgetenv("LABELSTATION_TEST_WAIT_SCALE"); !scale.isEmpty())
        SetWaitScaleForTests(scale.toDouble());
#endif
    {
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const CommandLine::Invocation inv = CommandLine::classify(arguments);
        switch (inv.kind) {
        case CommandLine::Invocation::Kind::Command:
            return runCommand(argc, argv, inv.command, inv.rest, inv.dataDir);
        case CommandLine::Invocation::Kind::BadUsage:
            // Decided before any window or display is needed.
            std::fprintf(stderr, "labelstation: %s\nTry 'labelstation --help'.\n",
                         qPrintable(inv.error));
            return 2;
        case CommandLine::Invocation::Kind::Windows:
            break;
        }
    }
    // --help and --version answer without a display.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if ((a == "--help" || a == "-h" || a == "--version" || a == "-v") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("labelstation"));
    // No display name: window systems would add it to every window's title.
    QApplication::setApplicationVersion(QStringLiteral(LABELSTATION_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Label Station: goods labels for SRP-770, AL-300 and LEO-60D+ printers.\n"
                       "Without a command the windows start.\n\n") +
        CommandLine::summary() + QStringLiteral("\n") + ProgramFolders::dataRuleText());
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir(QStringList{QStringLiteral("data-dir")},
                               QStringLiteral("Keep the data files in DIR (also "
                                              "LABELSTATION_DATA_DIR); see Data folder above."),
                               QStringLiteral("DIR"));
    parser.addOption(dataDir);
    QCommandLineOption open(QStringList{QStringLiteral("open")},
                            QStringLiteral("Open a window at start: SRP770Frm, AL300Frm or "
                                           "LEO60DFrm."),
                            QStringLiteral("FORM"));
    parser.addOption(open);
    QCommandLineOption grab(QStringList{QStringLiteral("grab")},
                            QStringLiteral("Save a picture of the main window to FILE and end "
                                           "(for the help pictures). A start refused because "
                                           "another program uses the data folder saves its "
                                           "message there instead (status 1)."),
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

    // Qt's standard dialogs and buttons in Korean (the command line above stays English).
    if (QtTranslations::installKorean().isEmpty())
        std::fprintf(stderr, "labelstation: qtbase_ko.qm not found; standard dialogs stay "
                             "in English (install qt6-translations-l10n)\n");

    RegisterModelWindows();
#ifdef LABELSTATION_APP_ID
    // The desktop entry and icon the install rules put in place.
    QGuiApplication::setDesktopFileName(QStringLiteral(LABELSTATION_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(LABELSTATION_APP_ID)));
#endif
    // One program per data folder: a second start brings the first one's window forward.
    DataFolderClaim folder(DataDirectory());
    if (!folder.claim(parser.isSet(grab) ? parser.value(grab) : QString()))
        return 1;
    mdiMain w;
    QObject::connect(&folder, &DataFolderClaim::showRequested, &w, &mdiMain::bringForward);
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
