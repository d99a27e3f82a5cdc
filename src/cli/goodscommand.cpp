// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodscommand.h"

#include "cli/clicontext.h"
#include "common/programstate.h"
#include "common/writerlock.h"
#include "model/formatfile.h"
#include "model/goodsexport.h"
#include "model/goodsimportfile.h"
#include "model/goodsimportsettings.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "render/goodscheck.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

const QString ImportAbout = QStringLiteral(
    "Imports goods from FILE (CSV or similar text separated by comma, semicolon or tab, in\n"
    "UTF-8, UTF-16 or CP949; .xlsx; .xls) into the goods file of the station and barcode set,\n"
    "and prints what the import does: goods added, updated, skipped and why, cells cleaned,\n"
    "and the goods check's findings on the result.\n"
    "\n"
    "--map names the column of each goods cell: number, name, format, qty, barcode1..3,\n"
    "text1..20, with column letters (A, B, ...) or numbers (1, 2, ...). Without --map the\n"
    "mapping last confirmed in the station's import window is used, else one guessed from\n"
    "the captions of the caption row (the first row of known captions; rows above it, a\n"
    "title for example, are skipped; --caption-row N names it). Modes: append (new goods with the "
    "first free numbers;\n"
    "a mapped number is kept when free), replace (the file becomes the whole list), update\n"
    "(goods whose barcode1, or number, matches are updated, the rest appended).\n"
    "Every cell stored otherwise than read (a comma the goods file cannot hold becomes ?,\n"
    "quotes become backticks, long texts are cut) is listed, row by row: run --dry-run\n"
    "first. --plain-thousands stores numbers such as 1,050 as 1050 instead of 1?050.\n"
    "Barcodes in scientific notation (8.80001E+12: a spreadsheet lost their digits) are\n"
    "refused. New goods get quantity 1 (--qty N) when no column gives one.\n"
    "A station holds at most 999 goods. Nothing is written with --dry-run. The status is 1\n"
    "when nothing could be imported (the goods file is then left as it was), 2 for bad usage.\n"
    "While a station of the windows program has the set open the import is refused (status\n"
    "1): the station would otherwise save its own list over it. --force writes it all the\n"
    "same, and the station offers to read the file again.\n"
    "\n"
    "Example:\n"
    "  labelstation goods import goods.xlsx --model al300 --set 03 --map name=B,barcode1=A");

const QString ExportAbout = QStringLiteral(
    "Writes the goods of the station and barcode set with every goods cell under Korean\n"
    "captions: --csv as CSV (UTF-8 with a byte order mark, or CP949 with --encoding cp949),\n"
    "--xlsx as a workbook whose barcodes and texts are text cells.\n"
    "\n"
    "Example:\n"
    "  labelstation goods export --model srp770 --set 00 --xlsx goods.xlsx");

const QString ImportUsage = QStringLiteral(
    "FILE --model srp770|al300 --set NN [--map MAP] [--mode append|replace|update]\n"
    "    [--match barcode1|number] [--sheet N] [--header|--no-header] [--caption-row N]\n"
    "    [--plain-thousands] [--qty N] [--encoding utf-8|cp949]\n"
    "    [--delimiter comma|semicolon|tab] [--dry-run] [--force]");
const QString ExportUsage = QStringLiteral(
    "--model srp770|al300 --set NN (--csv FILE | --xlsx FILE) [--encoding utf-8|cp949]");

bool modelOf(CliContext &cx, const QCommandLineParser &parser, const PrinterDriver **model,
             int *code)
{
    const QString name = parser.value(QStringLiteral("model")).toLower();
    if (const PrinterDriver *station = Printers::byKey(name)) {
        *model = station;
        return true;
    }
    *code = cx.usageError(name.isEmpty() ? QStringLiteral("--model srp770|al300 is required")
                                         : QStringLiteral("unknown model '%1'").arg(name));
    return false;
}

QCommandLineOption modelOption()
{
    return QCommandLineOption(QStringLiteral("model"), QStringLiteral("srp770 or al300."),
                              QStringLiteral("MODEL"));
}

QString fileKind(const ImportTable &t)
{
    switch (t.kind) {
    case ImportTable::Kind::Xlsx:
    case ImportTable::Kind::Xls:
        return QStringLiteral("%1, sheet %2 \"%3\"")
            .arg(t.kind == ImportTable::Kind::Xlsx ? QStringLiteral("xlsx") : QStringLiteral("xls"))
            .arg(t.sheet + 1)
            .arg(t.sheets.value(t.sheet));
    case ImportTable::Kind::Text:
        break;
    }
    const QString delimiter = t.delimiter == '\t'  ? QStringLiteral("tab")
                              : t.delimiter == ';' ? QStringLiteral("semicolon")
                                                   : QStringLiteral("comma");
    return QStringLiteral("text, %1%2, %3")
        .arg(TextEncoding::name(t.encoding),
             t.byteOrderMark ? QStringLiteral(" with BOM") : QString(), delimiter);
}

// The one place where the command writes the goods file.
bool writeGoodsFile(const GoodsTable &goods, const QString &path, QString *error)
{
    return goods.save(path, error);
}

int runImport(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("goods import"));
    QCommandLineParser parser;
    const QCommandLineOption mapOpt(QStringLiteral("map"),
                                    QStringLiteral("Columns of the goods cells, e.g. "
                                                   "name=B,barcode1=A,text1=C,qty=D."),
                                    QStringLiteral("MAP"));
    const QCommandLineOption modeOpt(QStringLiteral("mode"),
                                     QStringLiteral("append (default), replace or update."),
                                     QStringLiteral("MODE"));
    const QCommandLineOption matchOpt(QStringLiteral("match"),
                                      QStringLiteral("What update matches: barcode1 (default) "
                                                     "or number."),
                                      QStringLiteral("KEY"));
    const QCommandLineOption sheetOpt(QStringLiteral("sheet"),
                                      QStringLiteral("Workbook sheet number (1 = the first)."),
                                      QStringLiteral("N"));
    const QCommandLineOption headerOpt(QStringLiteral("header"),
                                       QStringLiteral("The first row holds captions."));
    const QCommandLineOption noHeaderOpt(QStringLiteral("no-header"),
                                         QStringLiteral("The first row holds goods."));
    const QCommandLineOption encodingOpt(QStringLiteral("encoding"),
                                         QStringLiteral("Text files: utf-8, utf-16 or cp949 "
                                                        "(detected when not given)."),
                                         QStringLiteral("ENC"));
    const QCommandLineOption delimiterOpt(QStringLiteral("delimiter"),
                                          QStringLiteral("Text files: comma, semicolon or tab "
                                                         "(sniffed when not given)."),
                                          QStringLiteral("D"));
    const QCommandLineOption captionRowOpt(
        QStringLiteral("caption-row"),
        QStringLiteral("The file's row N holds the captions (rows above are skipped)."),
        QStringLiteral("N"));
    const QCommandLineOption thousandsOpt(
        QStringLiteral("plain-thousands"),
        QStringLiteral("Store numbers with thousands separators without them (1,050 -> 1050)."));
    const QCommandLineOption qtyOpt(
        QStringLiteral("qty"),
        QStringLiteral("Quantity of new goods when no column gives one (default 1)."),
        QStringLiteral("N"));
    const QCommandLineOption dryOpt(QStringLiteral("dry-run"),
                                    QStringLiteral("Show what the import does; write nothing."));
    const QCommandLineOption forceOpt(
        QStringLiteral("force"), QStringLiteral("Write even while a station has the set open."));
    parser.addOptions({modelOption(), CliContext::setOption(), mapOpt, modeOpt, matchOpt, sheetOpt,
                       headerOpt, noHeaderOpt, captionRowOpt, thousandsOpt, qtyOpt, encodingOpt,
                       delimiterOpt, dryOpt, forceOpt});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The goods list."));
    int code = 0;
    if (!cx.parse(parser, arguments, ImportUsage, ImportAbout, &code))
        return code;
    if (cx.positional().size() != 1)
        return cx.usageError(cx.positional().isEmpty()
                                 ? QStringLiteral("name the file to import")
                                 : QStringLiteral("unexpected '%1'").arg(cx.positional().value(1)));
    const PrinterDriver *model = nullptr;
    QString setText;
    if (!modelOf(cx, parser, &model, &code) || !cx.setText(parser, &setText, &code))
        return code;

    const QDir dir(DataDirectory());
    GoodsImportSettings settings;
    settings.load(dir.filePath(GoodsImportSettings::fileName(*model, setText)));

    GoodsImportFile::Options options;
    options.encoding = settings.encoding;
    options.delimiter = settings.delimiter;
    if (parser.isSet(encodingOpt) &&
        !TextEncoding::fromName(parser.value(encodingOpt), &options.encoding))
        return cx.usageError(QStringLiteral("--encoding: '%1' is not utf-8, utf-16 or cp949")
                                 .arg(parser.value(encodingOpt)));
    if (parser.isSet(delimiterOpt)) {
        const QString d = parser.value(delimiterOpt).toLower();
        if (d == QLatin1String("comma") || d == QLatin1String(","))
            options.delimiter = ',';
        else if (d == QLatin1String("semicolon") || d == QLatin1String(";"))
            options.delimiter = ';';
        else if (d == QLatin1String("tab"))
            options.delimiter = '\t';
        else
            return cx.usageError(QStringLiteral("--delimiter: comma, semicolon or tab"));
    }
    if (parser.isSet(sheetOpt)) {
        bool ok = false;
        const int n = parser.value(sheetOpt).toInt(&ok);
        if (!ok || n < 1)
            return cx.usageError(QStringLiteral("--sheet: a sheet number from 1"));
        options.sheet = n - 1;
    }
    if (parser.isSet(headerOpt) && parser.isSet(noHeaderOpt))
        return cx.usageError(QStringLiteral("give --header or --no-header, not both"));
    if (parser.isSet(noHeaderOpt) && parser.isSet(captionRowOpt))
        return cx.usageError(QStringLiteral("give --caption-row or --no-header, not both"));
    int captionRow = 0;
    if (parser.isSet(captionRowOpt)) {
        bool ok = false;
        captionRow = parser.value(captionRowOpt).toInt(&ok);
        if (!ok || captionRow < 1)
            return cx.usageError(QStringLiteral("--caption-row: a row number from 1"));
    }
    GoodsImportPlan::Options importOptions;
    importOptions.plainThousands = parser.isSet(thousandsOpt);
    if (parser.isSet(qtyOpt)) {
        bool ok = false;
        importOptions.defaultQty = parser.value(qtyOpt).toInt(&ok);
        if (!ok || importOptions.defaultQty < 0 || importOptions.defaultQty > 999)
            return cx.usageError(QStringLiteral("--qty: a quantity from 0 to 999"));
    }
    GoodsImportPlan::Mode mode = settings.mode;
    if (parser.isSet(modeOpt) && !GoodsImportSettings::modeFromKey(parser.value(modeOpt), &mode))
        return cx.usageError(QStringLiteral("--mode: append, replace or update"));
    GoodsImportPlan::Match match = settings.match;
    if (parser.isSet(matchOpt) &&
        !GoodsImportSettings::matchFromKey(parser.value(matchOpt), &match))
        return cx.usageError(QStringLiteral("--match: barcode1 or number"));
    GoodsImportMapping mapping;
    QString why;
    if (parser.isSet(mapOpt) && !mapping.parse(parser.value(mapOpt), &why))
        return cx.usageError(QStringLiteral("--map: ") + why);

    QString path = cx.positional().first();
    // "-": standard input, kept in a temporary file that the reader reads as any other
    // (what it is comes from its contents).
    QTemporaryFile input;
    if (path == QLatin1String("-")) {
        QByteArray bytes;
        if (!CliContext::readInput(path, ImportTable::MaxFileBytes, &bytes, &why))
            return cx.failure(QStringLiteral("cannot read standard input: %1").arg(why));
        if (!input.open() || input.write(bytes) != bytes.size() || !input.flush())
            return cx.failure(QStringLiteral("cannot keep standard input in a temporary file: %1")
                                  .arg(input.errorString()));
        input.close();
        path = input.fileName();
    }
    ImportTable table;
    const ImportProblem problem = GoodsImportFile::read(path, options, &table);
    if (!problem.ok())
        return cx.failure(QStringLiteral("%1: %2").arg(
            CliContext::inputName(cx.positional().first()), problem.english()));

    const bool header = parser.isSet(headerOpt) || captionRow > 0 ? true
                        : parser.isSet(noHeaderOpt)               ? false
                        : parser.isSet(mapOpt) || !settings.known
                            ? GoodsImportMapping::guessHeader(table)
                            : settings.mapping.header;
    if (!parser.isSet(mapOpt))
        mapping =
            settings.known ? settings.mappingFor(table) : GoodsImportMapping::guess(table, header);
    if (header && (parser.isSet(mapOpt) || !mapping.header))
        mapping.captionRow = std::max(0, GoodsImportMapping::findCaptionRow(table));
    mapping.header = header;
    if (captionRow > 0) {
        mapping.captionRow = GoodsImportMapping::tableRowOf(table, captionRow);
        if (mapping.captionRow < 0)
            return cx.failure(QStringLiteral("%1: row %2 is blank or beyond the file")
                                  .arg(CliContext::inputName(cx.positional().first()))
                                  .arg(captionRow));
        // Without --map, the captions of the row named give the mapping.
        if (!parser.isSet(mapOpt))
            mapping = GoodsImportMapping::guess(table, true, mapping.captionRow);
    }

    FormatSet formats;
    const QString formatPath = dir.filePath(model->formatFileName(setText));
    if (QFileInfo::exists(formatPath))
        FormatFile::load(formats, formatPath, *model);
    GoodsTable goods;
    const QString goodsPath = dir.filePath(model->goodsFileName(setText));
    // The file is locked before its goods are read, so that no other writer comes in
    // between reading and writing; a dry run writes nothing and needs no lock.
    WriterLock lock(goodsPath);
    if (!parser.isSet(dryOpt) && lock.acquire(parser.isSet(forceOpt)) != WriterLock::Result::Locked)
        return cx.failure(lock.englishMessage());
    if (!goods.load(goodsPath))
        return cx.failure(QStringLiteral("cannot read %1").arg(goodsPath));

    const GoodsImportPlan plan =
        GoodsImportPlan::build(table, mapping, mode, match, goods, importOptions);
    cx.out() << CliContext::inputName(cx.positional().first()) << ": " << table.rows.size()
             << " row(s) (" << fileKind(table) << ")";
    if (mapping.header)
        cx.out() << ", captions in row " << table.sourceRows.value(mapping.captionRow);
    cx.out() << "\n";
    cx.out() << "mapping: "
             << (mapping.spec().isEmpty() ? QStringLiteral("(none)") : mapping.spec()) << "; mode "
             << GoodsImportSettings::modeKey(mode);
    if (mode == GoodsImportPlan::Mode::Update)
        cx.out() << " by " << GoodsImportSettings::matchKey(match);
    cx.out() << "\n";
    for (const QString &line : plan.summaryEnglish())
        cx.out() << line << "\n";
    if (!plan.importsAnything()) {
        cx.out().flush();
        return cx.failure(QStringLiteral("nothing imported; %1 left as it was").arg(goodsPath));
    }
    GoodsTable result;
    plan.applyTo(result);
    const QStringList findings =
        GoodsCheck::countLines(GoodsCheck::run(*model, formats, result), false);
    if (!findings.isEmpty())
        cx.out() << "goods check of the result:\n";
    for (const QString &line : findings)
        cx.out() << "  " << line << "\n";
    if (parser.isSet(dryOpt)) {
        cx.out() << "dry run: nothing written\n";
        return CliContext::Done;
    }
    if (lock.openInStation())
        cx.note(QStringLiteral("%1 is open in a station of %2; the station offers to read it "
                               "again")
                    .arg(goodsPath, DataLock::englishHolder(lock.holder())));
    // A command that writes into the data folder makes the folder when it is missing.
    Program().CreateDataDir = true;
    DataDirectory();
    if (!writeGoodsFile(result, goodsPath, &why))
        return cx.failure(QStringLiteral("cannot write %1: %2").arg(goodsPath, why));
    cx.out() << "written: " << goodsPath << "\n";
    return CliContext::Done;
}

int runExport(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("goods export"));
    QCommandLineParser parser;
    const QCommandLineOption csvOpt(QStringLiteral("csv"), QStringLiteral("Write CSV to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption xlsxOpt(QStringLiteral("xlsx"), QStringLiteral("Write .xlsx to FILE."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption encodingOpt(QStringLiteral("encoding"),
                                         QStringLiteral("CSV: utf-8 (with BOM, the default) or "
                                                        "cp949."),
                                         QStringLiteral("ENC"));
    parser.addOptions({modelOption(), CliContext::setOption(), csvOpt, xlsxOpt, encodingOpt});
    int code = 0;
    if (!cx.parse(parser, arguments, ExportUsage, ExportAbout, &code))
        return code;
    if (!cx.positional().isEmpty())
        return cx.usageError(QStringLiteral("unexpected '%1'").arg(cx.positional().first()));
    const PrinterDriver *model = nullptr;
    QString setText;
    if (!modelOf(cx, parser, &model, &code) || !cx.setText(parser, &setText, &code))
        return code;
    if (parser.isSet(csvOpt) == parser.isSet(xlsxOpt))
        return cx.usageError(QStringLiteral("give one of --csv FILE, --xlsx FILE"));
    TextEncoding::Kind encoding = TextEncoding::Utf8;
    if (parser.isSet(encodingOpt) &&
        (!TextEncoding::fromName(parser.value(encodingOpt), &encoding) ||
         (encoding != TextEncoding::Utf8 && encoding != TextEncoding::Cp949) ||
         parser.isSet(xlsxOpt)))
        return cx.usageError(QStringLiteral("--encoding: utf-8 or cp949, for --csv"));

    const QString goodsPath = QDir(DataDirectory()).filePath(model->goodsFileName(setText));
    if (!QFileInfo::exists(goodsPath))
        return cx.failure(QStringLiteral("no goods file %1 for set %2").arg(goodsPath, setText));
    GoodsTable goods;
    if (!goods.load(goodsPath))
        return cx.failure(QStringLiteral("cannot read %1").arg(goodsPath));
    QString why;
    const QString target = cx.outputFile(parser.value(parser.isSet(csvOpt) ? csvOpt : xlsxOpt));
    const bool ok = parser.isSet(csvOpt) ? GoodsExport::writeCsv(target, goods,
                                                                 encoding == TextEncoding::Cp949
                                                                     ? GoodsExport::Csv::Cp949
                                                                     : GoodsExport::Csv::Utf8Bom,
                                                                 &why)
                                         : GoodsExport::writeXlsx(target, goods, &why);
    if (!ok)
        return cx.failure(QStringLiteral("cannot write %1: %2").arg(target, why));
    cx.out() << goods.rows() << " goods written to " << target << "\n";
    return CliContext::Done;
}

} // namespace

int GoodsCommand::run(const QStringList &arguments)
{
    const QString sub = arguments.value(0);
    if (sub == QLatin1String("import"))
        return runImport(arguments.mid(1));
    if (sub == QLatin1String("export"))
        return runExport(arguments.mid(1));
    CliContext cx(QStringLiteral("goods"));
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        cx.out() << "Usage: labelstation goods import " << ImportUsage
                 << "\n       labelstation goods export " << ExportUsage
                 << "\n\nlabelstation goods import --help and labelstation goods export --help "
                    "tell more.\n";
        return CliContext::Done;
    }
    cx.err() << "labelstation goods: say import or export\n"
             << "Usage: labelstation goods import " << ImportUsage
             << "\n       labelstation goods export " << ExportUsage << "\n";
    return CliContext::BadUsage;
}
