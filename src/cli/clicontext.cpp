// SPDX-License-Identifier: GPL-3.0-or-later
#include "clicontext.h"

#include "cli/cliarguments.h"
#include "cli/joboutput.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/prefile.h"
#include "printers/printers.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

const char *const StatusHelp =
    "Status: 0 done; 1 a failure (a port, a send, a file that could not be read or written,\n"
    "nothing to print, a file a station holds open); 2 bad usage (an unknown option, a\n"
    "missing or wrong value).";

} // namespace

CliContext::CliContext(const QString &command) : m_command(command), m_out(stdout), m_err(stderr) {}

bool CliContext::parse(QCommandLineParser &parser, const QStringList &arguments,
                       const QString &usage, const QString &about, int *exitCode)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption dataDir(
        QStringList{QStringLiteral("data-dir")},
        QStringLiteral("The data folder (also LABELSTATION_DATA_DIR)."), QStringLiteral("DIR"));
    parser.addOption(help);
    parser.addOption(dataDir);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("labelstation")} + arguments)) {
        *exitCode = usageError(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        // Qt's help text starts with its own usage line; ours names the command.
        QString options = parser.helpText();
        const qsizetype at = options.indexOf(QLatin1String("Options:"));
        options = at >= 0 ? options.mid(at) : QString();
        m_out << "Usage: labelstation [--data-dir DIR] " << m_command << ' ' << usage << "\n\n"
              << about << "\n\n"
              << options;
        // Every command's statuses, unless its text tells its own.
        if (!about.contains(QLatin1String("Status: 0")))
            m_out << "\n" << StatusHelp << "\n";
        m_out.flush();
        *exitCode = Done;
        return false;
    }
    // An option given with an empty value ("--out ''") names nothing.
    for (const QString &name : parser.optionNames()) {
        for (const QString &value : parser.values(name)) {
            if (value.isEmpty()) {
                *exitCode = usageError(QStringLiteral("--%1 needs a value").arg(name));
                return false;
            }
        }
    }
    if (parser.isSet(dataDir))
        Program().DataDirOverride = QDir(parser.value(dataDir)).absolutePath();
    m_positional = parser.positionalArguments();
    return true;
}

int CliContext::usageError(const QString &message)
{
    m_err << "labelstation " << m_command << ": " << message << "\n"
          << "Try 'labelstation " << m_command << " --help'.\n";
    m_err.flush();
    return BadUsage;
}

int CliContext::failure(const QString &message)
{
    m_err << "labelstation " << m_command << ": error: " << message << "\n";
    m_err.flush();
    return Failure;
}

void CliContext::warning(const QString &message)
{
    m_err << "labelstation " << m_command << ": warning: " << message << "\n";
    m_err.flush();
}

void CliContext::note(const QString &message)
{
    m_err << "labelstation " << m_command << ": " << message << "\n";
    m_err.flush();
}

bool CliContext::dataFolder(QString *path)
{
    *path = DataDirectory();
    if (QFileInfo(*path).isDir())
        return true;
    // Said with how to get one: a command that only reads makes no empty folder.
    failure(QStringLiteral("the data folder %1 does not exist yet; the windows program makes it "
                           "when it first opens (or give --data-dir with the folder that holds "
                           "the station's files)")
                .arg(*path));
    return false;
}

bool CliContext::loadStation(const PrinterDriver &printer, const QString &setText, FormatSet *set,
                             GoodsTable *goods)
{
    QString folder;
    if (!dataFolder(&folder))
        return false;
    const QDir dir(folder);
    const QString formatPath = dir.filePath(printer.formatFileName(setText));
    if (!QFileInfo::exists(formatPath)) {
        failure(QStringLiteral("no format file %1 for set %2").arg(formatPath, setText));
        return false;
    }
    QString why;
    if (!FormatFile::load(*set, formatPath, printer, &why)) {
        failure(QStringLiteral("cannot read %1: %2").arg(formatPath, why));
        return false;
    }
    if (!goods)
        return true;
    const QString goodsPath = dir.filePath(printer.goodsFileName(setText));
    if (!QFileInfo::exists(goodsPath)) {
        failure(QStringLiteral("no goods file %1 for set %2").arg(goodsPath, setText));
        return false;
    }
    if (!goods->load(goodsPath, &why)) {
        failure(QStringLiteral("cannot read %1: %2").arg(goodsPath, why));
        return false;
    }
    return true;
}

bool CliContext::readLine(QString *line)
{
    QTextStream in(stdin);
    return in.readLineInto(line);
}

QCommandLineOption CliContext::setOption()
{
    return QCommandLineOption(QStringLiteral("set"), QStringLiteral("Barcode set 00 to 21."),
                              QStringLiteral("NN"));
}

bool CliContext::setText(const QCommandLineParser &parser, QString *setText, int *exitCode)
{
    QString why;
    if (!parser.isSet(QStringLiteral("set")))
        why = QStringLiteral("--set is required");
    else if (CliArguments::setNumber(parser.value(QStringLiteral("set")), setText, &why))
        return true;
    *exitCode = usageError(why);
    return false;
}

const PrinterDriver *CliContext::printer(int *exitCode)
{
    const QString name = m_positional.value(0);
    if (m_positional.size() > 1) {
        *exitCode = usageError(QStringLiteral("unexpected '%1'").arg(m_positional.value(1)));
    } else if (name.isEmpty()) {
        *exitCode = usageError(QStringLiteral("name the printer: srp770 or al300"));
    } else if (const PrinterDriver *d = Printers::byKey(name)) {
        return d;
    } else {
        *exitCode = usageError(QStringLiteral("unknown printer '%1' (srp770 or al300)").arg(name));
    }
    return nullptr;
}

QList<QCommandLineOption> CliContext::outputOptions()
{
    return {QCommandLineOption(QStringLiteral("port"),
                               QStringLiteral("Send to COM port N (see ComPorts.Txt)."),
                               QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("device"),
                               QStringLiteral("Send to TARGET: a serial device such as "
                                              "/dev/ttyUSB0, a network printer "
                                              "tcp://HOST[:PORT] (port 9100 when omitted), "
                                              "a device file file:/dev/usb/lp0 or a print "
                                              "queue cups:QUEUE that passes the bytes on."),
                               QStringLiteral("TARGET")),
            QCommandLineOption(QStringLiteral("out"),
                               QStringLiteral("Write the jobs' bytes to FILE (- for standard "
                                              "output) instead of sending them."),
                               QStringLiteral("FILE"))};
}

std::unique_ptr<JobOutput> CliContext::output(const QCommandLineParser &parser, int *exitCode)
{
    const QString port = QStringLiteral("port"), device = QStringLiteral("device"),
                  out = QStringLiteral("out");
    if (int(parser.isSet(port)) + int(parser.isSet(device)) + int(parser.isSet(out)) != 1) {
        *exitCode = usageError(QStringLiteral("give one of --port N, --device TARGET, --out FILE"));
        return nullptr;
    }
    if (parser.isSet(port)) {
        int n = 0;
        QString why;
        if (!CliArguments::number(parser.value(port), 1, 99, &n, &why)) {
            *exitCode = usageError(QStringLiteral("--port: ") + why);
            return nullptr;
        }
        return std::make_unique<JobOutput>(JobOutput::Kind::Port, QString::number(n));
    }
    if (parser.isSet(device)) {
        PortTarget target;
        QString why;
        if (!PortTarget::parse(parser.value(device), &target, &why)) {
            *exitCode = usageError(QStringLiteral("--device: ") + why);
            return nullptr;
        }
        return std::make_unique<JobOutput>(JobOutput::Kind::Device, target.text());
    }
    return std::make_unique<JobOutput>(JobOutput::Kind::File, parser.value(out));
}

bool CliContext::loadPre(const QString &path, PreFile *file)
{
    QString why;
    PreFile::Status status;
    if (path == QLatin1String("-")) {
        QByteArray bytes;
        status = readInput(path, PreFile::MaxFileSize, &bytes, &why) ? file->parse(bytes, &why)
                                                                     : PreFile::Status::Unreadable;
    } else {
        status = file->load(path, &why);
    }
    switch (status) {
    case PreFile::Status::Ok:
        if (file->omittedRecords() > 0)
            warning(QStringLiteral("%1 holds %2 goods records; only the first %3 are read (the "
                                   "AL-300 station keeps goods 1 to %3)")
                        .arg(inputName(path))
                        .arg(file->recordCount() + file->omittedRecords())
                        .arg(PreFile::MaxRecords));
        return true;
    case PreFile::Status::Unreadable:
        failure(QStringLiteral("cannot read %1: %2").arg(inputName(path), why));
        return false;
    case PreFile::Status::Unknown:
        failure(QStringLiteral("%1 is not a LEO-60D+ goods file (%2)").arg(inputName(path), why));
        return false;
    }
    return false;
}

bool CliContext::isStandardOutput(const QString &path)
{
    if (path == QLatin1String("-"))
        return true;
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return clean == QLatin1String("/dev/stdout") || clean == QLatin1String("/dev/fd/1") ||
           clean == QLatin1String("/proc/self/fd/1");
}

QString CliContext::outputFile(const QString &value)
{
    writesTo(value);
    return value == QLatin1String("-") ? QStringLiteral("/dev/stdout") : value;
}

bool CliContext::readInput(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *why)
{
    if (path != QLatin1String("-")) {
        why->clear();
        switch (TextFile::readBytes(path, maxBytes, bytes, why)) {
        case TextFile::Read::Ok:
            return true;
        case TextFile::Read::Missing:
            *why = QStringLiteral("no such file");
            return false;
        case TextFile::Read::Failed:
            return false;
        }
        return false;
    }
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        *why = in.errorString();
        return false;
    }
    // One byte more than allowed tells a longer input apart.
    *bytes = in.read(maxBytes + 1);
    if (in.error() != QFileDevice::NoError) {
        *why = in.errorString();
        return false;
    }
    if (bytes->size() > maxBytes) {
        bytes->clear();
        *why = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return false;
    }
    return true;
}

QString CliContext::inputName(const QString &path)
{
    return path == QLatin1String("-") ? QStringLiteral("standard input") : path;
}

void CliContext::writesTo(const QString &path)
{
    m_quiet = m_quiet || isStandardOutput(path);
}
