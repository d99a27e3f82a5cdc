// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>

class GoodsTable;
class JobOutput;
class PreFile;
class QCommandLineOption;
class QCommandLineParser;

// What every command of the command line shares: its name, standard output and error, the
// exit statuses (0 done, 1 a failure such as a port, a file or a check, 2 bad usage), the
// option parsing with "--help", and reading a station's files from the data folder.
class CliContext {
public:
    static constexpr int Done = 0;
    static constexpr int Failure = 1;
    static constexpr int BadUsage = 2;

    explicit CliContext(const QString &command);

    const QString &command() const { return m_command; }
    // The command's own lines on standard output (off when the command's output file is
    // standard output, see writesTo()).
    QTextStream &out() { return m_quiet ? m_discard : m_out; }
    QTextStream &err() { return m_err; }

    // Parses `arguments` (those after the command word). Adds "--help" and "--data-dir".
    // False when the command is over: *exitCode is Done after the help was shown, BadUsage
    // after an error. `usage` is the synopsis after "labelstation COMMAND", `about` the text
    // shown under it.
    bool parse(QCommandLineParser &parser, const QStringList &arguments, const QString &usage,
               const QString &about, int *exitCode);
    // The positional arguments of the last parse.
    const QStringList &positional() const { return m_positional; }

    // "labelstation COMMAND: message" and a hint to --help; answers BadUsage.
    int usageError(const QString &message);
    // "labelstation COMMAND: error: message"; answers Failure.
    int failure(const QString &message);
    void warning(const QString &message);
    void note(const QString &message);

    // The option "--set NN" and its value as the two-digit set text; false with *exitCode
    // BadUsage when it is missing or not a set.
    static QCommandLineOption setOption();
    bool setText(const QCommandLineParser &parser, QString *setText, int *exitCode);
    // The printer named by the only positional argument, "srp770" or "al300"; null with
    // *exitCode BadUsage otherwise.
    const PrinterDriver *printer(int *exitCode);
    // The options "--port N", "--device PATH" and "--out FILE" of the jobs' target, and the
    // target they name (exactly one must be given; else null with *exitCode BadUsage).
    static QList<QCommandLineOption> outputOptions();
    std::unique_ptr<JobOutput> output(const QCommandLineParser &parser, int *exitCode);

    // The data folder in *path; false (reported) when it does not exist.
    bool dataFolder(QString *path);
    // Reads the station's format file and, when `goods` is given, its goods file of barcode
    // set `setText` ("00".."21"). A missing data folder, a missing or unreadable file is a
    // failure (reported).
    bool loadStation(const PrinterDriver &printer, const QString &setText, FormatSet *set,
                     GoodsTable *goods);

    // Reads a LEO-60D+ goods file; a missing, unreadable or foreign file is a failure
    // (reported).
    bool loadPre(const QString &path, PreFile *file);

    // The command writes its output file to `path`: when that is standard output ("-",
    // /dev/stdout, /dev/fd/1), out() stays off it so that the file's bytes come alone.
    void writesTo(const QString &path);
    static bool isStandardOutput(const QString &path);
    // The output file named on the command line, as the writers take it: "-" is standard
    // output. Calls writesTo().
    QString outputFile(const QString &value);
    // The whole input file named on the command line, of at most `maxBytes` bytes: "-" reads
    // standard input to its end. False with the reason in *why.
    static bool readInput(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *why);
    // "standard input" for "-", else the path.
    static QString inputName(const QString &path);

    // One line typed on standard input; false at its end.
    bool readLine(QString *line);

private:
    QString m_command;
    QTextStream m_out;
    QTextStream m_err;
    QString m_discarded;
    QTextStream m_discard{&m_discarded};
    bool m_quiet = false;
    QStringList m_positional;
};
