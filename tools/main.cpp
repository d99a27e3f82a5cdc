// SPDX-License-Identifier: GPL-3.0-or-later
// labelstation_tools: makes what the project itself needs from the program's own parts.
//   labelstation_tools --sample-data DIR       the sample data set of set 00 into DIR
//   labelstation_tools --data-dir DIR --screenshots OUT   the help pictures into OUT
//   labelstation_tools --data-dir DIR --station-screenshot FILE   the SRP-770 station as PNG
// Needs no display (it draws off screen).

#include "app/modelwindows.h"
#include "common/programstate.h"
#include "tools/helppictures.h"
#include "tools/sampledata.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("labelstation_tools"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes the sample data set and the help pictures of Label Station."));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringList{QStringLiteral("data-dir")},
                                     QStringLiteral("The data folder the windows use."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption sampleData(QStringList{QStringLiteral("sample-data")},
                                        QStringLiteral("Write the sample data set (goods list "
                                                       "and label formats of set 00) into DIR."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption screenshots(QStringList{QStringLiteral("screenshots")},
                                         QStringLiteral("Open the windows one after another and "
                                                        "save the help pictures "
                                                        "(<topic><nnn>.Jpg) into DIR."),
                                         QStringLiteral("DIR"));
    const QCommandLineOption stationScreenshot(
        QStringList{QStringLiteral("station-screenshot")},
        QStringLiteral("Save the main window with the SRP-770 station of set 00 as a PNG "
                       "picture in FILE (the screenshot of README and the metainfo)."),
        QStringLiteral("FILE"));
    parser.addOptions({dataDir, sampleData, screenshots, stationScreenshot});
    parser.process(app);
    if (!parser.isSet(sampleData) && !parser.isSet(screenshots) &&
        !parser.isSet(stationScreenshot)) {
        QTextStream(stderr) << parser.helpText();
        return 2;
    }
    if (parser.isSet(dataDir))
        Program().DataDirOverride = QDir(parser.value(dataDir)).absolutePath();

    // Korean captions need a font with Hangul, as the program chooses it.
    for (const QString &family : {QStringLiteral("NanumGothic"), QStringLiteral("Nanum Gothic")}) {
        if (QFontDatabase::families().contains(family)) {
            QFont f(family);
            f.setPointSize(10);
            QApplication::setFont(f);
            break;
        }
    }

    RegisterModelWindows();
    QTextStream err(stderr);
    QString error;
    if (parser.isSet(sampleData) && !SampleData::write(parser.value(sampleData), &error)) {
        err << "labelstation_tools: " << error << "\n";
        return 1;
    }
    if (parser.isSet(screenshots)) {
        HelpPictures pictures(parser.value(screenshots));
        const bool ok = pictures.run(&error);
        QTextStream out(stdout);
        for (const QString &file : pictures.written())
            out << file << "\n";
        if (!ok) {
            err << "labelstation_tools: " << error << "\n";
            return 1;
        }
    }
    if (parser.isSet(stationScreenshot)) {
        HelpPictures pictures(QString{});
        if (!pictures.stationScreenshot(parser.value(stationScreenshot),
                                        HelpPictures::ScreenshotSize, &error)) {
            err << "labelstation_tools: " << error << "\n";
            return 1;
        }
        QTextStream(stdout) << parser.value(stationScreenshot) << "\n";
    }
    return 0;
}
