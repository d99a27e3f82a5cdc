#include "clicontext.h"

#include "common/programstate.h"
#include "station/formatfile.h"
#include "station/goodstable.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

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
        m_out.flush();
        *exitCode = Done;
        return false;
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

bool CliContext::loadStation(PrinterModel model, const QString &setText, FormatSet *set,
                             GoodsTable *goods)
{
    const QDir dir(DataDirectory());
    const QString formatPath = dir.filePath(FormatFile::fileName(model, setText));
    if (!QFileInfo::exists(formatPath)) {
        failure(QStringLiteral("no format file %1 for set %2").arg(formatPath, setText));
        return false;
    }
    if (!FormatFile::load(*set, formatPath, model)) {
        failure(QStringLiteral("cannot read %1").arg(formatPath));
        return false;
    }
    if (!goods)
        return true;
    const QString goodsPath = dir.filePath(GoodsTable::fileName(model, setText));
    if (!QFileInfo::exists(goodsPath)) {
        failure(QStringLiteral("no goods file %1 for set %2").arg(goodsPath, setText));
        return false;
    }
    if (!goods->load(goodsPath)) {
        failure(QStringLiteral("cannot read %1").arg(goodsPath));
        return false;
    }
    return true;
}

bool CliContext::readLine(QString *line)
{
    QTextStream in(stdin);
    return in.readLineInto(line);
}
