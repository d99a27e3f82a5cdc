// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "cli/checkcommand.h"
#include "cli/clicontext.h"
#include "cli/convertprecommand.h"
#include "cli/eancommand.h"
#include "cli/goodscommand.h"
#include "cli/portscommand.h"
#include "cli/printcommand.h"
#include "cli/rendercommand.h"
#include "cli/reportcommand.h"
#include "cli/servecommand.h"
#include "cli/sheetscommand.h"
#include "cli/transfercommand.h"

namespace {

struct Command {
    const char *word;
    const char *about;
    int (*run)(const QStringList &);
};

const Command Commands[] = {
    {"print", "print labels of goods (srp770, al300)", &PrintCommand::run},
    {"transfer", "send AL-300 formats and goods into the printer", &TransferCommand::run},
    {"convert-pre", "convert a LEO-60D+ goods file into AL-300 goods", &ConvertPreCommand::run},
    {"report", "write the registration report as .xlsx or .pdf", &ReportCommand::run},
    {"ean", "EAN check digits and new store numbers", &EanCommand::run},
    {"check", "list what in a barcode set would print wrongly", &CheckCommand::run},
    {"render", "draw a printer job text as a picture (virtual printer)", &RenderCommand::run},
    {"goods", "import goods from CSV or spreadsheets, export them", &GoodsCommand::run},
    {"ports", "list the serial ports and where COM1 to COM9 send", &PortsCommand::run},
    {"sheets", "list the label sheet layouts (A4 label sheets)", &SheetsCommand::run},
    {"serve", "run the print service for other programs (HTTP, a watched folder)",
     &ServeCommand::run},
};

} // namespace

namespace {

// Options of the windows that take a value, and those that do not.
const char *const WindowValueOptions[] = {"open", "grab", "sample-data", "screenshots"};
const char *const WindowFlags[] = {"help", "h", "help-all", "version", "v", "?"};
// Qt's own options (QGuiApplication, QApplication, X11), with one or two dashes.
const char *const QtValueOptions[] = {"platform",        "platformpluginpath",
                                      "platformtheme",   "plugin",
                                      "qwindowgeometry", "geometry",
                                      "qwindowtitle",    "title",
                                      "qwindowicon",     "icon",
                                      "session",         "style",
                                      "stylesheet",      "display",
                                      "qmljsdebugger"};
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool listed(const QString &name, const auto &list)
{
    for (const char *n : list) {
        if (name == QLatin1String(n))
            return true;
    }
    return false;
}

CommandLine::Invocation bad(const QString &error)
{
    CommandLine::Invocation inv;
    inv.kind = CommandLine::Invocation::Kind::BadUsage;
    inv.error = error;
    return inv;
}

} // namespace

CommandLine::Invocation CommandLine::classify(const QStringList &arguments)
{
    Invocation inv;
    bool windowOptions = false; // an option that only the windows take was given
    bool help = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.isEmpty())
            return bad(QStringLiteral("empty argument"));
        if (a == QLatin1String("--")) {
            if (i + 1 >= arguments.size())
                return bad(QStringLiteral("no command after --"));
            const QString word = arguments[i + 1];
            if (!isCommand(word))
                return bad(QStringLiteral("unknown command '%1'").arg(word));
            inv.kind = Invocation::Kind::Command;
            inv.command = word;
            inv.rest = arguments.mid(i + 2);
            return inv;
        }
        if (!a.startsWith(QLatin1Char('-'))) {
            if (!isCommand(a))
                return bad(QStringLiteral("unknown command '%1'").arg(a));
            if (windowOptions)
                return bad(QStringLiteral("the options before '%1' belong to the windows; give "
                                          "a command's options after it")
                               .arg(a));
            inv.kind = Invocation::Kind::Command;
            inv.command = a;
            inv.rest = arguments.mid(i + 1);
            if (help)
                inv.rest.prepend(QStringLiteral("--help"));
            return inv;
        }
        // "--name", "-name" or "--name=value".
        QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        const bool inlineValue = eq >= 0;
        if (inlineValue) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        const bool takesValue = name == QLatin1String("data-dir") ||
                                listed(name, WindowValueOptions) || listed(name, QtValueOptions);
        if (takesValue) {
            if (!inlineValue) {
                if (i + 1 >= arguments.size())
                    return bad(QStringLiteral("%1 needs a value").arg(a));
                value = arguments[++i];
            }
            if (value.isEmpty())
                return bad(QStringLiteral("--%1 needs a value").arg(name));
            if (name == QLatin1String("data-dir")) {
                if (isCommand(value))
                    return bad(QStringLiteral("--data-dir %1: '%1' is a command; give the data "
                                              "folder first (labelstation --data-dir DIR %1 ...; "
                                              "./%1 for a folder of that name)")
                                   .arg(value));
                inv.dataDir = value;
            } else {
                windowOptions = true;
            }
            continue;
        }
        if (!inlineValue && listed(name, WindowFlags)) {
            help = help || name.startsWith(QLatin1Char('h')) || name == QLatin1String("?");
            windowOptions = windowOptions || !help;
            continue;
        }
        if (!inlineValue && listed(name, QtFlags)) {
            windowOptions = true;
            continue;
        }
        return bad(QStringLiteral("unknown option '%1'").arg(a));
    }
    return inv;
}

bool CommandLine::isCommand(const QString &word)
{
    for (const Command &c : Commands) {
        if (word == QLatin1String(c.word))
            return true;
    }
    return false;
}

QString CommandLine::summary()
{
    QString s = QStringLiteral("Commands (labelstation COMMAND --help tells more):\n");
    for (const Command &c : Commands)
        s +=
            QStringLiteral("  %1 %2\n").arg(QLatin1String(c.word), -12).arg(QLatin1String(c.about));
    return s;
}

int CommandLine::run(const QString &command, const QStringList &arguments)
{
    for (const Command &c : Commands) {
        if (command == QLatin1String(c.word))
            return c.run(arguments);
    }
    CliContext cx(command);
    cx.err() << "labelstation: unknown command '" << command << "'\n" << summary();
    return CliContext::BadUsage;
}
