// SPDX-License-Identifier: GPL-3.0-or-later
#include "checkcommand.h"

#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/printplan.h"
#include "printers/labeljobreader.h"
#include "printers/portresolver.h"
#include "render/goodscheck.h"
#include "render/painterraster.h"
#include "render/scancheck.h"
#include "sending/portlanguages.h"

#include <QCommandLineParser>
#include <QtConcurrent>

namespace {

const QString About = QStringLiteral(
    "Reads the format file and the goods file of barcode set NN and lists, one line per\n"
    "problem with the goods number and what to do, what would print wrongly or not at all:\n"
    "goods numbers outside 1 to 999 or used twice, quantities above 9999 (more than one\n"
    "label job carries: such a row is not printed), format numbers outside 1 to 5 or naming\n"
    "a format with nothing in use, barcode data the format's symbology cannot encode (check\n"
    "digits, lengths, characters), texts longer than their right-aligned field, and for the\n"
    "AL-300 every value holding , ; | { } (its records cannot carry them: they are sent as\n"
    "?).\n"
    "\n"
    "Every goods row's label in its own format is also scan-checked: drawn as the printer\n"
    "prints it (8 dots per mm), each barcode read back by a barcode reader and compared with\n"
    "the row's data. One line per barcode says whether it scans, scans with other data or\n"
    "does not scan and why (narrow bars under 2 dots, bars under 5 mm or 15% of the symbol's\n"
    "width, a quiet zone cut by the label edge or another element, print over the bars, bars\n"
    "off the label).\n"
    "Status: 0 nothing found, 1 something found or a barcode that does not scan, 2 bad usage\n"
    "or a station's files that cannot be read (nothing checked), as grep and diff answer.\n"
    "With --language zpl [--dpi 203|300] the labels are checked as a ZPL printer prints them.\n"
    "\n"
    "Examples:\n"
    "  labelstation check srp770 --set 00\n"
    "  labelstation check al300 --set 00 --language zpl --dpi 300");

} // namespace

int CheckCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("check"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    const QCommandLineOption languageOpt(QStringLiteral("language"),
                                         QStringLiteral("Check the labels as LANG prints them "
                                                        "(zpl; default the station's own)."),
                                         QStringLiteral("LANG"));
    const QCommandLineOption dpiOpt(QStringLiteral("dpi"),
                                    QStringLiteral("Resolution of the language: 203 or 300."),
                                    QStringLiteral("N"));
    parser.addOptions({setOpt, languageOpt, dpiOpt});
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("srp770|al300 --set NN [--language zpl [--dpi N]]"), About, &code))
        return code;
    const PrinterDriver *printer = nullptr;
    QString setText, why;
    if (!(printer = cx.printer(&code)) || !cx.setText(parser, &setText, &code))
        return code;
    PortLanguages::Entry entry;
    if (parser.isSet(dpiOpt) && !parser.isSet(languageOpt))
        return cx.usageError(QStringLiteral("--dpi goes with --language"));
    entry.language = parser.value(languageOpt).toLower();
    if (parser.isSet(dpiOpt) &&
        !CliArguments::number(parser.value(dpiOpt), 1, 1200, &entry.dpi, &why))
        return cx.usageError(QStringLiteral("--dpi: ") + why);
    int dpi = 0;
    const PrinterLanguage *language = PortResolver::languageOf(*printer, entry, &dpi, &why);
    if (!language)
        return cx.usageError(QStringLiteral("--language: ") + why);

    FormatSet set;
    GoodsTable goods;
    // Files that cannot be read leave nothing checked: not the status of problems found.
    if (!cx.loadStation(*printer, setText, &set, &goods))
        return CliContext::BadUsage;
    const QList<GoodsCheck::Problem> problems = GoodsCheck::run(*printer, set, goods);
    // Each row's label drawn and read back, the rows shared out over the cores.
    struct RowScan {
        bool label = false;
        QList<ScanResult> results;
    };
    QList<int> rows;
    for (int row = 1; row <= goods.rows(); ++row)
        rows << row;
    const QList<RowScan> scanned = QtConcurrent::blockingMapped<QList<RowScan>>(
        rows, [&set, &goods, printer, language, dpi](int row) {
            PrintRequest request;
            request.rows = {row};
            request.typedQuantity = 1;
            PrintPlan plan = PrintPlan::make(*printer, set, goods, request);
            RowScan s;
            if (plan.labels.isEmpty())
                return s;
            plan.translate(*language, dpi, &PainterRaster::instance(), false);
            s.label = true;
            s.results = ScanCheck::run(LabelJobReader::read(plan.labels.first().job));
            return s;
        });
    int scans = 0, fails = 0, unchecked = 0;
    qsizetype next = 0;
    for (int row = 1; row <= goods.rows(); ++row) {
        const QString number = goods.cell(row, GoodsTable::NumberColumn).trimmed();
        const QString head = QStringLiteral("goods %1 (row %2): ")
                                 .arg(number.isEmpty() ? QStringLiteral("(blank)") : number)
                                 .arg(row);
        for (; next < problems.size() && problems[next].row == row; ++next)
            cx.out() << head << problems[next].message << "\n";
        const RowScan &s = scanned[row - 1];
        if (!s.label) {
            cx.out() << head << "scan check: the row prints no label\n";
            continue;
        }
        if (s.results.isEmpty())
            cx.out() << head << "scan check: no barcode on the label\n";
        for (const ScanResult &r : s.results) {
            cx.out() << head << "scan check: " << LabelObject::symbologyName(r.symbology) << " '"
                     << r.data << "' " << r.english() << "\n";
            scans += r.scans() ? 1 : 0;
            fails += r.fails() ? 1 : 0;
            unchecked += r.verdict == ScanResult::Verdict::NotChecked ? 1 : 0;
        }
    }
    cx.out() << goods.rows() << " goods checked, " << problems.size() << " problem(s)\n";
    cx.out() << "scan check: " << scans << " barcode(s) scan, " << fails << " do not scan, "
             << unchecked << " not checked\n";
    return problems.isEmpty() && fails == 0 ? CliContext::Done : CliContext::Failure;
}
