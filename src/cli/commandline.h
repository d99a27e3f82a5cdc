#pragma once

#include <QString>
#include <QStringList>

// The command line's commands: `labelstation [--data-dir DIR] COMMAND ...`. Without a
// command the windows start.
class CommandLine {
public:
    // The command word of the program's arguments (argv[1..]): the first argument that is
    // not "--data-dir DIR" when it is not an option; "" when the windows are meant.
    // *rest receives the arguments after the command word, *dataDir a leading --data-dir.
    static QString commandOf(const QStringList &arguments, QStringList *rest, QString *dataDir);
    static bool isCommand(const QString &word);
    // The commands and what they do, for the program's --help.
    static QString summary();
    // Runs a command; answers the exit status (0 done, 1 failure, 2 bad usage).
    static int run(const QString &command, const QStringList &arguments);
};
