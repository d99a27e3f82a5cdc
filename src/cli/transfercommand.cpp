// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfercommand.h"

#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "cli/joboutput.h"
#include "common/programstate.h"
#include "model/goodstable.h"
#include "printers/al300/al300transfer.h"
#include "printers/portresolver.h"
#include "sending/portlanguages.h"
#include "printers/printers.h"

#include <QCommandLineParser>
#include <QDir>

#include <memory>

namespace {

const QString About = QStringLiteral(
    "Sends the AL-300 formats and goods of barcode set NN into the printer's memory, as the\n"
    "station's transfer panel does: the format download and the link download for the\n"
    "formats in --formats, then the goods table (numbers 1 to 999) with --goods. The\n"
    "printer's earlier data is replaced. Each job is one port cycle with a 2-second wait and\n"
    "its copy file AL300Save1.Txt, AL300Save2.Txt or AL300Save3.Txt in the data folder.\n"
    "\n"
    "Example:\n"
    "  labelstation transfer --set 00 --formats 1,2 --goods --port 3");

} // namespace

int TransferCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("transfer"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    const QCommandLineOption formatsOpt(QStringLiteral("formats"),
                                        QStringLiteral("Formats to send, such as 1,3 or 1-5."),
                                        QStringLiteral("LIST"));
    const QCommandLineOption goodsOpt(QStringLiteral("goods"),
                                      QStringLiteral("Send the goods table."));
    parser.addOptions({setOpt, formatsOpt, goodsOpt});
    parser.addOptions(CliContext::outputOptions());
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("--set NN [--formats LIST] [--goods] (--port N | --device TARGET "
                                 "| --out FILE)"),
                  About, &code))
        return code;
    if (!cx.positional().isEmpty())
        return cx.usageError(QStringLiteral("unexpected '%1'").arg(cx.positional().first()));

    QString setText, why;
    if (!cx.setText(parser, &setText, &code))
        return code;
    std::array<bool, 6> formats{};
    if (parser.isSet(formatsOpt)) {
        QList<int> list;
        if (!CliArguments::numberList(parser.value(formatsOpt), 1, FormatSet::FormatCount, &list,
                                      &why))
            return cx.usageError(QStringLiteral("--formats: ") + why);
        for (int f : std::as_const(list))
            formats[size_t(f)] = true;
    }
    const bool sendGoods = parser.isSet(goodsOpt);
    if (!parser.isSet(formatsOpt) && !sendGoods)
        return cx.usageError(QStringLiteral("nothing to send: give --formats LIST and/or --goods"));
    cx.writesTo(parser.value(QStringLiteral("out")));
    const std::unique_ptr<JobOutput> output = cx.output(parser, &code);
    if (!output)
        return code;
    // The printer's memory is the AL-300's: a port that speaks another language gets nothing.
    if (output->kind() == JobOutput::Kind::Port) {
        PortLanguages languages;
        if (!languages.load(PortLanguages::path(), &why))
            return cx.failure(QStringLiteral("cannot read %1 (%2); nothing sent")
                                  .arg(PortLanguages::fileName(), why));
        int dpi = 0;
        const PrinterLanguage *l = PortResolver::languageOf(
            Printers::al300(), languages.entry(output->port()), &dpi, &why);
        if (l != &Printers::al300())
            return cx.failure(
                QStringLiteral("COM%1 %2; the transfer goes to an AL-300 only, nothing sent")
                    .arg(output->port())
                    .arg(l ? QStringLiteral("speaks ") + l->caption(dpi) : why));
    }

    FormatSet set;
    GoodsTable goods;
    if (!cx.loadStation(Printers::al300(), setText, &set, sendGoods ? &goods : nullptr))
        return CliContext::Failure;
    output->setSpeed(set.BarComSpeed);

    const QList<PrintJob> jobs =
        Al300Transfer::jobs(set, formats, sendGoods, goods.rowTexts(), DataDirectory());
    for (const PrintJob &job : jobs)
        output->add(job);
    const int sent = int(jobs.size());
    const bool done = output->finish(&why);
    for (const QString &w : output->warnings())
        cx.warning(w);
    if (!done) {
        cx.failure(why);
        if (output->kind() == JobOutput::Kind::File)
            return CliContext::Failure;
        return cx.failure(
            QStringLiteral("%1 transfer job(s) sent before that").arg(output->sent()));
    }
    if (output->kind() != JobOutput::Kind::File ||
        parser.value(QStringLiteral("out")) != QLatin1String("-"))
        cx.out() << sent << " transfer job(s) to " << output->describe() << "\n";
    return CliContext::Done;
}
