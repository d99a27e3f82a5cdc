// SPDX-License-Identifier: GPL-3.0-or-later
#include "convertprecommand.h"

#include "cli/cliarguments.h"
#include "cli/clicontext.h"
#include "common/programstate.h"
#include "common/safesave.h"
#include "common/textfile.h"
#include "common/writerlock.h"
#include "model/leogoodswriter.h"
#include "model/prefile.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QString About = QStringLiteral(
    "Converts the LEO-60D+ goods file FILE (.pre) into the AL-300 goods data file\n"
    "AL300Dat[NN].Txt of barcode set NN, replacing it. --barcodes names the file's columns\n"
    "(1 to 25, counted as the conversion window shows them) that become barcodes 1 to 3,\n"
    "--texts those that become texts 1 to 10; 0 or a missing entry means not chosen. Without\n"
    "--yes the window's question is asked on the terminal.\n"
    "\n"
    "While an AL-300 station of the windows program has set NN open, the file is not written\n"
    "(status 1): the station would otherwise save its own list over it. --force writes it all\n"
    "the same; the open station then notices the new file and offers to read it.\n"
    "\n"
    "Example:\n"
    "  labelstation convert-pre goods.pre --set 03 --barcodes 2 --texts 1,3,0,4 --yes");

// A comma list of at most `count` column numbers 0..25; missing entries are 0.
bool columnList(const QString &text, int count, QList<int> *columns, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > count) {
        *error = QStringLiteral("at most %1 columns").arg(count);
        return false;
    }
    for (const QString &p : parts) {
        int c = 0;
        if (!p.trimmed().isEmpty() && !CliArguments::number(p, 0, PreFile::FieldCount, &c, error))
            return false;
        *columns << c;
    }
    while (columns->size() < count)
        *columns << 0;
    return true;
}

} // namespace

int ConvertPreCommand::run(const QStringList &arguments)
{
    CliContext cx(QStringLiteral("convert-pre"));
    QCommandLineParser parser;
    const QCommandLineOption setOpt = CliContext::setOption();
    const QCommandLineOption barcodesOpt(QStringLiteral("barcodes"),
                                         QStringLiteral("Columns of barcodes 1 to 3."),
                                         QStringLiteral("C1,C2,C3"));
    const QCommandLineOption textsOpt(QStringLiteral("texts"),
                                      QStringLiteral("Columns of texts 1 to 10."),
                                      QStringLiteral("C1,...,C10"));
    const QCommandLineOption yesOpt(QStringLiteral("yes"), QStringLiteral("Write without asking."));
    const QCommandLineOption forceOpt(
        QStringLiteral("force"), QStringLiteral("Write even while a station has the set open."));
    parser.addOptions({setOpt, barcodesOpt, textsOpt, yesOpt, forceOpt});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The .pre file."));
    int code = 0;
    if (!cx.parse(parser, arguments,
                  QStringLiteral("FILE --set NN [--barcodes C1,C2,C3] [--texts C1,...,C10] "
                                 "[--yes] [--force]"),
                  About, &code))
        return code;
    if (cx.positional().size() != 1)
        return cx.usageError(cx.positional().isEmpty()
                                 ? QStringLiteral("name the .pre file")
                                 : QStringLiteral("unexpected '%1'").arg(cx.positional().value(1)));
    QString setText, why;
    if (!cx.setText(parser, &setText, &code))
        return code;
    QList<int> barcodes, texts;
    if (!columnList(parser.value(barcodesOpt), LeoGoodsWriter::BarcodeCount, &barcodes, &why))
        return cx.usageError(QStringLiteral("--barcodes: ") + why);
    if (!columnList(parser.value(textsOpt), LeoGoodsWriter::TextCount, &texts, &why))
        return cx.usageError(QStringLiteral("--texts: ") + why);

    const QString path = cx.positional().first();
    PreFile file;
    if (!cx.loadPre(path, &file))
        return CliContext::Failure;
    if (file.recordCount() == 0)
        return cx.failure(QStringLiteral("%1 holds no goods").arg(path));

    // A station that shows the set would save its own list over the converted goods: say so
    // before anything is asked, and write under the file's lock.
    const QString target = LeoGoodsWriter::targetPath(DataDirectory(), setText);
    const bool force = parser.isSet(forceOpt);
    WriterLock lock(target);
    if (lock.acquire(force) != WriterLock::Result::Locked)
        return cx.failure(lock.englishMessage());

    // The goods file is replaced as a whole; one that is there but cannot be read is named,
    // so that the answer (or --yes) replaces it knowingly.
    QByteArray old;
    const bool readable = TextFile::readBytes(target, TextFile::MaxDataFileBytes, &old, &why) !=
                          TextFile::Read::Failed;
    if (!readable)
        cx.warning(QStringLiteral("the goods file %1 cannot be read (%2); it is replaced")
                       .arg(target, why));
    if (!parser.isSet(yesOpt)) {
        lock.release(); // nobody waits for the answer typed here
        cx.err() << QStringLiteral("* 품목데이타를 [%1]번으로 저장할까요 ?").arg(setText)
                 << " (y/n) ";
        cx.err().flush();
        QString answer;
        if (!cx.readLine(&answer))
            return cx.failure(QStringLiteral("no answer on standard input; give --yes"));
        answer = answer.trimmed().toLower();
        if (answer != QLatin1String("y") && answer != QLatin1String("yes")) {
            cx.note(QStringLiteral("nothing written"));
            return CliContext::Done;
        }
    }

    // A command that writes into the data folder makes the folder when it is missing.
    Program().CreateDataDir = true;
    DataDirectory();
    if (!lock.isLocked() && lock.acquire(force) != WriterLock::Result::Locked)
        return cx.failure(lock.englishMessage());
    if (lock.openInStation())
        cx.note(QStringLiteral("%1 is open in a station of %2; the station offers to read it "
                               "again")
                    .arg(target, DataLock::englishHolder(lock.holder())));
    // The file it replaces is kept beside it (the window's 되살리기 puts it back).
    const QString backup = LeoGoodsWriter::backupPath(target);
    const bool keep = readable && QFileInfo(target).isFile() && !old.isEmpty();
    if (keep && !SafeSave::write(backup, old, &why))
        return cx.failure(QStringLiteral("cannot keep the goods file it replaces as %1: %2; "
                                         "nothing written")
                              .arg(backup, why));
    if (!LeoGoodsWriter::write(target, file.rows(), barcodes + texts, &why))
        return cx.failure(QStringLiteral("cannot write %1: %2").arg(target, why));
    const LeoGoodsWriter::Summary s = LeoGoodsWriter::summary(file.rows(), barcodes + texts);
    cx.out() << s.written << " goods written to " << target << "\n";
    if (s.blank)
        cx.out() << s.blank << " blank row(s) left out\n";
    cx.out() << "the LEO-60D+ file holds no goods names: every name is ?\n";
    if (s.changedCells)
        cx.out() << s.changedCells
                 << " cell(s) changed for the goods file (, ; | { } to ?, quotes to `)\n";
    if (keep)
        cx.out() << "the goods file it replaced is kept as " << backup << "\n";
    return CliContext::Done;
}
