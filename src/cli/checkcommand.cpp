#include "checkcommand.h"

#include "cli/clicontext.h"
#include "station/goodscheck.h"
#include "station/goodstable.h"

#include <QCommandLineParser>

namespace {

const QString About = QStringLiteral(
    "Reads the format file and the goods file of barcode set NN and lists, one line per\n"
    "problem with the goods number and what to do, what would print wrongly or not at all:\n"
    "goods numbers outside 1 to 999 or used twice, quantities above 9999 (more than one\n"
    "label job carries: such a row is not printed), format numbers outside 1 to 5 or naming\n"
    "a format with nothing in use, barcode data the format's symbology cannot encode (check\n"
    "digits, lengths, characters), texts longer than their right-aligned field, and for the\n"
    "AL-300 every value holding , ; | { } (its records cannot carry them: they are sent as\n"
    "?). The status is 1 when anything is found.\n"
    "\n"
    "Example:\n"
    "  labelstation check srp770 --set 00");

} // namespace

int CheckCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("check"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    parser.addOption(setOpt);
    int code = 0;
    if (!cx.parse(parser, arguments, QStringLiteral("srp770|al300 --set NN"), About, &code))
        return code;
    PrinterModel model;
    QString setText;
    if (!cx.printerModel(&model, &code) || !cx.setText(parser, &setText, &code))
        return code;

    FormatSet set;
    GoodsTable goods;
    if (!cx.loadStation(model, setText, &set, &goods))
        return CliContext::Failure;
    const QList<GoodsCheck::Problem> problems = GoodsCheck::run(model, set, goods);
    for (const GoodsCheck::Problem &p : problems)
        cx.out() << "goods " << (p.number.isEmpty() ? QStringLiteral("(blank)") : p.number)
                 << " (row " << p.row << "): " << p.message << "\n";
    cx.out() << goods.rows() << " goods checked, " << problems.size() << " problem(s)\n";
    return problems.isEmpty() ? CliContext::Done : CliContext::Failure;
}
