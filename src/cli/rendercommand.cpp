// SPDX-License-Identifier: GPL-3.0-or-later
#include "rendercommand.h"

#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "common/cp949codec.h"
#include "common/safesave.h"
#include "common/textfile.h"
#include "printers/labeljobreader.h"
#include "render/labelpainter.h"
#include "render/scancheck.h"

#include <cmath>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QImage>

namespace {

const QString About = QStringLiteral(
    "Draws the labels of the printer job text in JOBFILE as the printer would print them: an\n"
    "SRP-770, AL-300 or ZPL job as this program writes it (the copy files SRP770Print.Txt and\n"
    "AL300Print.Txt, or a file written by print --out). The picture shows the label at its\n"
    "size in printer dots scaled to --dpi (default: the job's own, 203 for the station\n"
    "printers' 8 dots per mm, 300 for a ZPL job drawn at 300 dpi).\n"
    "A file with several jobs gives one picture each: FILE, then FILE-2, FILE-3 ... before\n"
    "the extension. What the printer would not understand, elements outside the label and\n"
    "barcode data the symbology cannot encode are marked red in the picture and listed on\n"
    "standard error; the status is then 1.\n"
    "\n"
    "Every barcode is also scan-checked: drawn at the printer's own dots, read back by a\n"
    "barcode reader and compared with the data of the job. One line per barcode on standard\n"
    "output says whether it scans, scans with other data or does not scan and why (narrow\n"
    "bars under 2 dots, bars under 5 mm or 15% of the symbol's width, a quiet zone cut by the\n"
    "label edge or another element, print over the bars, bars off the label). A barcode that\n"
    "does not scan or scans with other data also makes the status 1.\n"
    "\n"
    "Example:\n"
    "  labelstation render Data/SRP770Print.Txt --png label.png --dpi 300");

QString pictureName(const QString &path, int index)
{
    if (index == 0)
        return path;
    const QFileInfo f(path);
    const QString suffix = f.suffix().isEmpty() ? QString() : QLatin1Char('.') + f.suffix();
    const QString base = suffix.isEmpty() ? path : path.chopped(suffix.size());
    return QStringLiteral("%1-%2%3").arg(base).arg(index + 1).arg(suffix);
}

} // namespace

int RenderCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("render"));
    QCommandLineParser parser;
    const QCommandLineOption pngOpt(QStringLiteral("png"),
                                    QStringLiteral("Write the picture to FILE (PNG)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption dpiOpt(QStringLiteral("dpi"),
                                    QStringLiteral("Resolution, 25 to 1200 (default: the "
                                                   "job's own)."),
                                    QStringLiteral("N"));
    parser.addOptions({pngOpt, dpiOpt});
    parser.addPositionalArgument(QStringLiteral("JOBFILE"), QStringLiteral("The job text."));
    int code = 0;
    if (!cx.parse(parser, arguments, QStringLiteral("JOBFILE --png FILE [--dpi N]"), About, &code))
        return code;
    if (cx.positional().size() != 1)
        return cx.usageError(cx.positional().isEmpty()
                                 ? QStringLiteral("name the job file")
                                 : QStringLiteral("unexpected '%1'").arg(cx.positional().value(1)));
    if (!parser.isSet(pngOpt))
        return cx.usageError(QStringLiteral("--png FILE is required"));
    int dpi = 0;
    QString why;
    if (parser.isSet(dpiOpt) && !CliArguments::number(parser.value(dpiOpt), 25, 1200, &dpi, &why))
        return cx.usageError(QStringLiteral("--dpi: ") + why);

    const QString png = cx.outputFile(parser.value(pngOpt));
    const QString path = cx.positional().first();
    QByteArray bytes;
    if (!CliContext::readInput(path, TextFile::MaxDataFileBytes, &bytes, &why))
        return cx.failure(QStringLiteral("cannot read %1%2")
                              .arg(CliContext::inputName(path),
                                   why.isEmpty() ? QString() : QStringLiteral(": ") + why));
    const QList<LabelDescription> labels = LabelJobReader::readAll(Cp949Codec::decode(bytes));
    if (labels.isEmpty())
        return cx.failure(QStringLiteral("%1 holds no label job").arg(CliContext::inputName(path)));
    // Standard output takes one picture.
    if (labels.size() > 1 && CliContext::isStandardOutput(png))
        return cx.usageError(QStringLiteral("%1 holds %2 label jobs: name a --png file (one "
                                            "picture each)")
                                 .arg(CliContext::inputName(path))
                                 .arg(labels.size()));

    bool anyProblem = false;
    for (int i = 0; i < labels.size(); ++i) {
        QStringList problems; // the reader's and the drawing's
        const QImage picture = LabelPainter::render(
            labels[i], dpi > 0 ? dpi : std::lround(labels[i].dotsPerMm * 25.4), &problems);
        const QString target = pictureName(png, i);
        problems.removeDuplicates();
        if (picture.isNull()) {
            for (const QString &p : std::as_const(problems))
                cx.warning(p);
            return cx.failure(
                QStringLiteral("%1 not written: the picture would be too large").arg(target));
        }
        SafeSave out(target);
        if (!out.open(&why))
            return cx.failure(QStringLiteral("cannot write %1: %2").arg(target, why));
        if (!picture.save(out.device(), "PNG")) {
            why = out.writeError();
            out.cancel();
            return cx.failure(QStringLiteral("cannot write %1: %2")
                                  .arg(target, why.isEmpty() ? QStringLiteral("PNG error") : why));
        }
        if (!out.commit(&why))
            return cx.failure(QStringLiteral("cannot write %1: %2").arg(target, why));
        for (const QString &p : std::as_const(problems))
            cx.warning(labels.size() > 1 ? QStringLiteral("label %1: %2").arg(i + 1).arg(p) : p);
        anyProblem = anyProblem || !problems.isEmpty();
        cx.out() << target << "\n";
        for (const ScanResult &r : ScanCheck::run(labels[i])) {
            const LabelObject &o = labels[i].objects[r.object];
            cx.out() << "  " << (o.line > 0 ? QStringLiteral("line %1: ").arg(o.line) : QString())
                     << "barcode " << LabelObject::symbologyName(r.symbology) << " '" << r.data
                     << "': " << r.english() << "\n";
            anyProblem = anyProblem || r.fails();
        }
    }
    return anyProblem ? CliContext::Failure : CliContext::Done;
}
