// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcommand.h"

#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "cli/joboutput.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/printplan.h"
#include "model/sheetlayout.h"
#include "printers/labeljobreader.h"
#include "printers/portresolver.h"
#include "render/goodscheck.h"
#include "render/labelpainter.h"
#include "render/labelpdf.h"
#include "render/labelsheets.h"
#include "render/painterraster.h"
#include "render/printedscan.h"
#include "report/systemlabelprint.h"
#include "sending/portlanguages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QPrinter>

#include <memory>

namespace {

const QString About = QStringLiteral(
    "Prints labels of the goods list of barcode set NN (00 to 21) on the SRP-770 or AL-300,\n"
    "exactly as the station's list print does: one job per goods row, in list order, with the\n"
    "row's own quantity (or --qty for every row) and the row's own format (or --format).\n"
    "Rows with quantity 0 or without a format 1 to 5 are skipped. Rows whose quantity is\n"
    "above 9999 (more than one job carries) and goods numbers in --items that the list does\n"
    "not hold are reported and skipped; the status is then 1. When nothing is printable,\n"
    "nothing is sent or written (an existing --out or --pdf file stays) and the status is 1.\n"
    "Each job is one port cycle (copy file SRP770Print.Txt or AL300Print.Txt in the data\n"
    "folder, open, write, wait, close) at the set's line speed. --out writes the jobs'\n"
    "exact bytes one after another to FILE (- for standard output) instead of sending them;\n"
    "--pdf draws the labels into FILE instead, one page per label at the label's size,\n"
    "from the very job texts that would be sent; with --sheet LAYOUT on sheets of labels for\n"
    "an office printer instead (labelstation sheets lists the layouts), each label centred\n"
    "in its cell at 300 dpi, from label N of the first sheet with --start N (a sheet partly\n"
    "used before). A label larger than the sheet's cells is refused.\n"
    "--printer NAME prints the same pictures through a printer the system knows, at the\n"
    "printer's resolution (a roll: one page a label; --sheet: sheets); barcodes that would\n"
    "not read back at that resolution are warned about.\n"
    "--language zpl prints on a ZPL printer (at --dpi 203 or 300): the same labels, barcodes\n"
    "as the printer's own commands and texts as pictures, one job per goods row with its\n"
    "quantity, all jobs over one connection without waits. --port N sends in the language\n"
    "the port has in ComPortLanguages.Txt when --language is not given.\n"
    "\n"
    "Examples:\n"
    "  labelstation print srp770 --set 00 --items 1,5,7-9 --port 3\n"
    "  labelstation print al300 --set 02 --all --qty 2 --out labels.prn\n"
    "  labelstation print srp770 --set 00 --all --pdf labels.pdf\n"
    "  labelstation print srp770 --set 00 --all --pdf sheets.pdf --sheet 3x8 --start 5\n"
    "  labelstation print al300 --set 00 --all --language zpl --dpi 300 \\\n"
    "      --device tcp://192.168.0.60:9100");

} // namespace

int PrintCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("print"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    const QCommandLineOption itemsOpt(QStringLiteral("items"),
                                      QStringLiteral("Goods numbers such as 1,5,7-9."),
                                      QStringLiteral("LIST"));
    const QCommandLineOption allOpt(QStringLiteral("all"), QStringLiteral("Every goods row."));
    const QCommandLineOption qtyOpt(QStringLiteral("qty"),
                                    QStringLiteral("Labels per goods row, 1 to 999 (default: "
                                                   "each row's own quantity)."),
                                    QStringLiteral("N"));
    const QCommandLineOption formatOpt(QStringLiteral("format"),
                                       QStringLiteral("Print every row with format K (1 to 5)."),
                                       QStringLiteral("K"));
    const QCommandLineOption stockOpt(QStringLiteral("stock"),
                                      QStringLiteral("SRP-770 label stock: G gap, B black mark "
                                                     "(default: the station's choice)."),
                                      QStringLiteral("G|B"));
    const QCommandLineOption pdfOpt(QStringLiteral("pdf"),
                                    QStringLiteral("Draw the labels into the PDF file FILE "
                                                   "instead of sending them."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption languageOpt(
        QStringLiteral("language"),
        QStringLiteral("Printer language: zpl, or the station's own (default: the port's "
                       "language for --port, else the station's own)."),
        QStringLiteral("LANG"));
    const QCommandLineOption dpiOpt(QStringLiteral("dpi"),
                                    QStringLiteral("Resolution of the language: 203 or 300 "
                                                   "(default 203)."),
                                    QStringLiteral("N"));
    const QCommandLineOption sheetOpt(QStringLiteral("sheet"),
                                      QStringLiteral("With --pdf: sheets of labels of LAYOUT "
                                                     "(see labelstation sheets)."),
                                      QStringLiteral("LAYOUT"));
    const QCommandLineOption startOpt(QStringLiteral("start"),
                                      QStringLiteral("With --sheet: start at label N of the "
                                                     "first sheet (default 1)."),
                                      QStringLiteral("N"));
    parser.addOptions({setOpt, itemsOpt, allOpt, qtyOpt, formatOpt, stockOpt, languageOpt, dpiOpt,
                       sheetOpt, startOpt});
    parser.addOptions(CliContext::outputOptions());
    parser.addOption(pdfOpt);
    const QCommandLineOption printerOpt(QStringLiteral("printer"),
                                        QStringLiteral("Print through the system printer NAME "
                                                       "(as lpstat -p lists it): a roll, one "
                                                       "label a page, or with --sheet sheets."),
                                        QStringLiteral("NAME"));
    parser.addOption(printerOpt);
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("srp770|al300 --set NN (--items LIST | --all) [--qty N] "
                                 "[--format K] [--stock G|B] [--language zpl [--dpi N]] "
                                 "(--port N | --device TARGET | --out FILE | "
                                 "(--pdf FILE | --printer NAME) [--sheet LAYOUT [--start N]])"),
                  About, &code))
        return code;

    const PrinterDriver *printer = nullptr;
    QString setText, why;
    if (!(printer = cx.printer(&code)) || !cx.setText(parser, &setText, &code))
        return code;
    if (parser.isSet(itemsOpt) == parser.isSet(allOpt))
        return cx.usageError(QStringLiteral("give either --items LIST or --all"));
    QList<int> items;
    if (parser.isSet(itemsOpt) &&
        !CliArguments::numberList(parser.value(itemsOpt), 1, 999, &items, &why))
        return cx.usageError(QStringLiteral("--items: ") + why);
    int qty = 0;
    if (parser.isSet(qtyOpt) && !CliArguments::number(parser.value(qtyOpt), 1, 999, &qty, &why))
        return cx.usageError(QStringLiteral("--qty: ") + why);
    int format = 0;
    if (parser.isSet(formatOpt) &&
        !CliArguments::number(parser.value(formatOpt), 1, FormatSet::FormatCount, &format, &why))
        return cx.usageError(QStringLiteral("--format: ") + why);
    // The station takes its label stock once when it opens.
    bool blackMark = ReadSettingInt(SettingsSection, QStringLiteral("BarPrtBlack")) != 0;
    if (parser.isSet(stockOpt)) {
        if (printer->key() != QLatin1String("srp770"))
            return cx.usageError(QStringLiteral("--stock applies to the srp770 only"));
        const QString s = parser.value(stockOpt).toUpper();
        if (s != QLatin1String("G") && s != QLatin1String("B"))
            return cx.usageError(QStringLiteral("--stock: G (gap) or B (black mark)"));
        blackMark = s == QLatin1String("B");
    }
    const bool toPdf = parser.isSet(pdfOpt);
    const bool toPrinter = parser.isSet(printerOpt);
    const bool drawn = toPdf || toPrinter; // drawn by the program, not sent as the job's bytes
    SheetLayout sheet;
    int start = 1;
    if (parser.isSet(sheetOpt)) {
        if (!drawn)
            return cx.usageError(QStringLiteral("--sheet goes with --pdf FILE or --printer NAME"));
        QStringList problems;
        const QList<SheetLayout> layouts = SheetLayout::all(DataDirectory(), &problems);
        for (const QString &p : std::as_const(problems))
            cx.warning(SheetLayout::fileName() + QStringLiteral(" ") + p);
        if (!SheetLayout::find(layouts, parser.value(sheetOpt), &sheet))
            return cx.usageError(QStringLiteral("--sheet: no layout '%1' (labelstation sheets "
                                                "lists them)")
                                     .arg(parser.value(sheetOpt)));
        if (parser.isSet(startOpt) &&
            !CliArguments::number(parser.value(startOpt), 1, sheet.labelsPerSheet(), &start, &why))
            return cx.usageError(QStringLiteral("--start: ") + why);
    } else if (parser.isSet(startOpt)) {
        return cx.usageError(QStringLiteral("--start goes with --sheet LAYOUT"));
    }
    const QString pdfPath = toPdf ? cx.outputFile(parser.value(pdfOpt)) : QString();
    if (!drawn)
        cx.writesTo(parser.value(QStringLiteral("out")));
    std::unique_ptr<JobOutput> output;
    if (drawn) {
        for (const QString &other : {"port", "device", "out"}) {
            if (parser.isSet(other) || (toPdf && toPrinter))
                return cx.usageError(QStringLiteral("give one of --port N, --device TARGET, --out "
                                                    "FILE, --pdf FILE, --printer NAME"));
        }
    } else if (!(output = cx.output(parser, &code))) {
        return code;
    }

    // The printer language: given, else the port's own, else the station's.
    PortLanguages::Entry languageEntry;
    if (parser.isSet(dpiOpt) && !parser.isSet(languageOpt))
        return cx.usageError(QStringLiteral("--dpi goes with --language"));
    if (parser.isSet(languageOpt)) {
        languageEntry.language = parser.value(languageOpt).toLower();
        if (parser.isSet(dpiOpt) &&
            !CliArguments::number(parser.value(dpiOpt), 1, 1200, &languageEntry.dpi, &why))
            return cx.usageError(QStringLiteral("--dpi: ") + why);
    }
    int dpi = 0;
    if (!PortResolver::languageOf(*printer, languageEntry, &dpi, &why))
        return cx.usageError(QStringLiteral("--language: ") + why);
    if (!parser.isSet(languageOpt) && output && output->kind() == JobOutput::Kind::Port) {
        PortLanguages languages;
        QString languagesError;
        if (!languages.load(PortLanguages::path(), &languagesError))
            return cx.failure(QStringLiteral("cannot read %1 (%2); nothing sent")
                                  .arg(PortLanguages::fileName(), languagesError));
        languageEntry = languages.entry(output->port());
    }
    const PrinterLanguage *language = PortResolver::languageOf(*printer, languageEntry, &dpi, &why);
    if (!language)
        return cx.failure(QStringLiteral("COM%1 in %2: %3; nothing sent")
                              .arg(output->port())
                              .arg(PortLanguages::fileName(), why));

    FormatSet set;
    GoodsTable goods;
    if (!cx.loadStation(*printer, setText, &set, &goods))
        return CliContext::Failure;
    if (output)
        output->setSpeed(set.BarComSpeed);
    if (format != 0 && !GoodsCheck::formatInUse(set.Fmt[format]))
        cx.warning(QStringLiteral("format %1 has no barcode or text in use: its labels come out "
                                  "blank")
                       .arg(format));

    // The rows in list order.
    QList<int> rows;
    bool missing = false;
    for (int r = 1; r <= goods.rows(); ++r) {
        if (parser.isSet(allOpt) || items.contains(goods.numberAt(r)))
            rows << r;
    }
    for (int n : std::as_const(items)) {
        bool found = false;
        for (int r : std::as_const(rows))
            found = found || goods.numberAt(r) == n;
        if (!found) {
            cx.warning(QStringLiteral("goods number %1 is not in set %2; skipped")
                           .arg(GoodsTable::numberText(n), setText));
            missing = true;
        }
    }

    // One plan for every row, drawn in the language when it is not the station's own.
    PrintRequest request;
    request.rows = rows;
    request.typedQuantity = qty;
    request.overrideFormat = format;
    request.blackMark = blackMark;
    PrintPlan plan = PrintPlan::make(*printer, set, goods, request);
    plan.translate(*language, dpi, &PainterRaster::instance(), blackMark);
    for (const PrintPlan::Skipped &s : std::as_const(plan.skipped)) {
        switch (s.why) {
        case PrintPlan::Skip::TooMany:
            cx.warning(QStringLiteral("goods %1: quantity %2 is more than one label job carries "
                                      "(%3); nothing printed")
                           .arg(s.number)
                           .arg(s.count)
                           .arg(LabelJob::MaxCount));
            missing = true;
            break;
        case PrintPlan::Skip::NoQuantity:
            cx.note(QStringLiteral("goods %1: quantity 0, nothing printed").arg(s.number));
            break;
        case PrintPlan::Skip::NoFormat:
            cx.note(QStringLiteral("goods %1: no format 1 to 5, nothing printed").arg(s.number));
            break;
        }
    }
    const QString copyFile = QDir(DataDirectory()).filePath(printer->printCopyFileName());
    const int sent = int(plan.labels.size());
    QList<LabelDescription> labels; // --pdf, --printer
    if (drawn) {
        for (const PrintPlan::Label &l : std::as_const(plan.labels)) {
            // Drawn from the job text itself, as the printer would read it.
            labels << LabelJobReader::read(l.job);
            for (const QString &p : LabelPainter::problems(labels.last()))
                cx.warning(QStringLiteral("goods %1: %2").arg(l.number, p));
        }
    } else {
        output->setOneConnection(language->sendsOverOneConnection());
        for (const PrintJob &job : plan.jobs(*language, copyFile))
            output->add(job);
    }
    if (toPrinter) {
        const QString name = parser.value(printerOpt);
        if (labels.isEmpty())
            return cx.failure(QStringLiteral("nothing to print"));
        QPrinter device(QPrinter::HighResolution);
        device.setDocName(QStringLiteral("labelstation %1 set %2").arg(printer->key(), setText));
        const SheetLayout *onSheets = parser.isSet(sheetOpt) ? &sheet : nullptr;
        if (!SystemLabelPrint::setUp(device, name, labels, onSheets, start - 1, nullptr, &why))
            return cx.failure(why);
        // Checked as the printer draws them, at its own resolution.
        const QList<QStringList> unreadable =
            PrintedScan::reasons(labels, device.resolution(), true);
        for (int i = 0; i < unreadable.size(); ++i)
            for (const QString &reason : unreadable[i])
                cx.warning(QStringLiteral("goods %1: %2").arg(plan.labels[i].number, reason));
        if (!SystemLabelPrint::print(device, labels, onSheets, start - 1, nullptr, &why))
            return cx.failure(why);
        cx.out() << LabelPdf::pageCount(labels) << " label(s) sent to " << name;
        if (onSheets)
            cx.out() << " on " << LabelSheets::sheetCount(labels, sheet, start - 1) << " sheet(s) "
                     << sheet.name;
        cx.out() << "\n";
        return missing ? CliContext::Failure : CliContext::Done;
    }
    if (toPdf) {
        const QString &path = pdfPath;
        if (labels.isEmpty())
            return cx.failure(
                QStringLiteral("nothing to print: no label to draw; %1 not written").arg(path));
        if (parser.isSet(sheetOpt)) {
            if (!LabelSheets::check(labels, sheet, start - 1, nullptr, &why))
                return cx.failure(QStringLiteral("%1 not written: %2").arg(path, why));
            if (!LabelSheets::writePdf(path, labels, sheet, start - 1, &why))
                return cx.failure(QStringLiteral("cannot write %1: %2").arg(path, why));
            cx.out() << LabelPdf::pageCount(labels) << " label(s) drawn on "
                     << LabelSheets::sheetCount(labels, sheet, start - 1) << " sheet(s) "
                     << sheet.name << " into " << path << "\n";
            return missing ? CliContext::Failure : CliContext::Done;
        }
        if (LabelPdf::pageCount(labels) > LabelPdf::MaxPages)
            return cx.failure(QStringLiteral("%1 not written: %2 labels, at most %3 in one PDF")
                                  .arg(path)
                                  .arg(LabelPdf::pageCount(labels))
                                  .arg(LabelPdf::MaxPages));
        if (!LabelPdf::write(path, labels, &why))
            return cx.failure(QStringLiteral("cannot write %1: %2").arg(path, why));
        cx.out() << LabelPdf::pageCount(labels) << " label(s) drawn into " << path << "\n";
        return missing ? CliContext::Failure : CliContext::Done;
    }
    if (sent == 0)
        return cx.failure(
            output->kind() == JobOutput::Kind::File
                ? QStringLiteral("nothing to print; %1 not written").arg(output->describe())
                : QStringLiteral("nothing to print"));
    const bool done = output->finish(&why);
    for (const QString &w : output->warnings())
        cx.warning(w);
    if (!done) {
        cx.failure(why);
        if (output->kind() == JobOutput::Kind::File)
            return CliContext::Failure;
        return cx.failure(QStringLiteral("%1 label job(s) sent before that").arg(output->sent()));
    }
    if (output->kind() != JobOutput::Kind::File ||
        parser.value(QStringLiteral("out")) != QLatin1String("-"))
        cx.out() << sent << " label job(s) to " << output->describe() << "\n";
    return missing ? CliContext::Failure : CliContext::Done;
}
