// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The command line's commands: `labelstation [--data-dir DIR] COMMAND ...`. Without a
// command (options only) the windows start.
class CommandLine {
public:
    // What the program's arguments (argv[1..]) ask for, decided before anything needs a
    // display.
    struct Invocation {
        enum class Kind { Windows, Command, BadUsage };
        Kind kind = Kind::Windows;
        QString command;  // Command: the command word
        QStringList rest; // Command: the arguments after it
        QString dataDir;  // a --data-dir given before the command
        QString error;    // BadUsage: what is wrong (English)
    };
    // Only options of the windows (and Qt's own) start the windows; a command word (after
    // "--data-dir DIR" or "--") runs the command; anything else (an empty argument, an unknown
    // word or option, an option without its value) is bad usage.
    static Invocation classify(const QStringList &arguments);
    static bool isCommand(const QString &word);
    // The commands and what they do, for the program's --help.
    static QString summary();
    // Runs a command; answers the exit status (0 done, 1 failure, 2 bad usage).
    static int run(const QString &command, const QStringList &arguments);
};
