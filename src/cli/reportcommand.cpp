// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportcommand.h"

#include "cli/clicontext.h"
#include "common/programstate.h"
#include "common/safesave.h"
#include "leo60d/textgridmodel.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/gridprintsettings.h"
#include "model/prefile.h"
#include "model/spreadsheetexport.h"
#include "printers/printers.h"
#include "report/gridpagepainter.h"
#include "report/reportflow.h"
#include "report/reportsource.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>

#include <memory>

namespace {

const QString About = QStringLiteral(
    "Writes the registration report of a goods list: the SRP-770 or AL-300 goods of barcode\n"
    "set NN, or the goods of the LEO-60D+ file given with --pre. --xlsx writes the workbook\n"
    "the station's spreadsheet choice writes; --pdf writes the printed pages (A4, the\n"
    "report title on every page). --by sorts the goods list by number or by name first;\n"
    "without it the list keeps the order of its file.\n"
    "\n"
    "Examples:\n"
    "  labelstation report srp770 --set 00 --pdf report.pdf --by name\n"
    "  labelstation report leo60d --pre goods.pre --xlsx goods.xlsx");

// Pages of the report into a PDF file, saved whole or not at all (SafeSave).
bool writePdf(const ReportSource &source, const QString &title, const QString &path, QString *error)
{
    const GridPrintSettings settings = GridPrintSettings().withReportTitle(title);
    const GridPagePainter pages(source.snapshot(), settings, GridPagePainter::a4Paper(settings));
    const QString dir = QFileInfo(path).absolutePath();
    if (!QFileInfo(dir).isDir()) {
        *error = QStringLiteral("no folder %1").arg(dir);
        return false;
    }
    QBuffer pdfBytes;
    pdfBytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&pdfBytes);
        pdf.setResolution(1200);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(settings.orientation == 2 ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Label Station"));
        const QList<int> which = pages.pagesToPrint(0);
        if (which.isEmpty() || !pages.print(&pdf, which)) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    QString why;
    if (!SafeSave::write(path, pdfBytes.data(), &why)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, why);
        return false;
    }
    return true;
}

} // namespace

int ReportCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("report"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    const QCommandLineOption preOpt(QStringLiteral("pre"),
                                    QStringLiteral("The LEO-60D+ goods file (leo60d only)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption xlsxOpt(QStringLiteral("xlsx"), QStringLiteral("Write a workbook."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption pdfOpt(
        QStringLiteral("pdf"), QStringLiteral("Write the printed pages."), QStringLiteral("FILE"));
    const QCommandLineOption byOpt(QStringLiteral("by"),
                                   QStringLiteral("Sort the goods by number or by name."),
                                   QStringLiteral("number|name"));
    parser.addOptions({setOpt, preOpt, xlsxOpt, pdfOpt, byOpt});
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("srp770|al300|leo60d (--set NN | --pre FILE) (--xlsx FILE | "
                                 "--pdf FILE) [--by number|name]"),
                  About, &code))
        return code;
    const QStringList pos = cx.positional();
    if (pos.size() != 1)
        return cx.usageError(pos.isEmpty()
                                 ? QStringLiteral("name the station: srp770, al300 or leo60d")
                                 : QStringLiteral("unexpected '%1'").arg(pos.value(1)));
    const QString station = pos[0];
    QString formName;
    if (const PrinterDriver *d = Printers::byKey(station))
        formName = d->formName();
    else if (station == QLatin1String("leo60d"))
        formName = QStringLiteral("LEO60DFrm");
    else
        return cx.usageError(
            QStringLiteral("unknown station '%1' (srp770, al300 or leo60d)").arg(station));
    const bool leo = station == QLatin1String("leo60d");
    if (parser.isSet(xlsxOpt) == parser.isSet(pdfOpt))
        return cx.usageError(QStringLiteral("give either --xlsx FILE or --pdf FILE"));
    if (leo && (parser.isSet(setOpt) || parser.isSet(byOpt) || !parser.isSet(preOpt)))
        return cx.usageError(QStringLiteral("leo60d takes --pre FILE (no --set, no --by)"));
    if (!leo && (parser.isSet(preOpt) || !parser.isSet(setOpt)))
        return cx.usageError(QStringLiteral("%1 takes --set NN (no --pre)").arg(station));
    const QString by = parser.value(byOpt);
    if (parser.isSet(byOpt) && by != QLatin1String("number") && by != QLatin1String("name"))
        return cx.usageError(QStringLiteral("--by: number or name"));

    // The report is made from the model alone: no grid, no widget.
    GoodsTable goods;
    TextGridModel leoGoods(PreFile::FieldCount);
    QString why;
    ReportSource source;
    if (leo) {
        PreFile file;
        const QString path = parser.value(preOpt);
        if (!cx.loadPre(path, &file))
            return CliContext::Failure;
        leoGoods.setHeaders(file.fieldNames());
        leoGoods.setRows(file.rows());
        // The conversion window fits its grid's columns to their contents.
        source =
            ReportSource(&leoGoods, ReportSource::fittedWidths(&leoGoods, QGuiApplication::font()));
    } else {
        QString setText;
        if (!cx.setText(parser, &setText, &code))
            return code;
        const PrinterDriver &printer = *Printers::byKey(station);
        QString folder;
        if (!cx.dataFolder(&folder))
            return CliContext::Failure;
        const QString path = QDir(folder).filePath(printer.goodsFileName(setText));
        if (!QFileInfo::exists(path))
            return cx.failure(QStringLiteral("no goods file %1 for set %2").arg(path, setText));
        if (!goods.load(path, &why))
            return cx.failure(QStringLiteral("cannot read %1: %2").arg(path, why));
        // The list read in the order asked for.
        if (by == QLatin1String("number"))
            goods.setRowTexts(goods.sortedRowTexts(GoodsTable::SortKey::Number));
        else if (by == QLatin1String("name"))
            goods.setRowTexts(goods.sortedRowTexts(GoodsTable::SortKey::Name));
        source = ReportSource(&goods, GoodsTable::designedColumnWidths());
    }

    const QString title = RegistrationReportTitle(formName);
    const QString path = cx.outputFile(parser.value(parser.isSet(xlsxOpt) ? xlsxOpt : pdfOpt));
    if (parser.isSet(xlsxOpt)) {
        SpreadsheetExport::Failure failure;
        if (!SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"),
                                          source.snapshot().toTable(),
                                          SpreadsheetExport::numberConversionSetting(), &failure))
            return cx.failure(QStringLiteral("cannot write %1: %2").arg(path, failure.english));
        cx.out() << source.rowCount() << " goods written to " << path << "\n";
        return CliContext::Done;
    }
    if (!writePdf(source, title, path, &why))
        return cx.failure(why);
    cx.out() << source.rowCount() << " goods written to " << path << "\n";
    return CliContext::Done;
}
