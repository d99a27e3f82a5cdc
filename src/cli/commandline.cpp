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
};

} // namespace

QString CommandLine::commandOf(const QStringList &arguments, QStringList *rest, QString *dataDir)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--data-dir") || a == QLatin1String("-data-dir")) {
            if (dataDir)
                *dataDir = arguments.value(i + 1);
            ++i;
            continue;
        }
        if (a.startsWith(QLatin1String("--data-dir="))) {
            if (dataDir)
                *dataDir = a.mid(11);
            continue;
        }
        if (a.startsWith(QLatin1Char('-')))
            return QString();
        if (rest)
            *rest = arguments.mid(i + 1);
        return a;
    }
    return QString();
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
