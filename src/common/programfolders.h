// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folders the program works with besides its own: the data folder that holds the
// operator's files, and the folder its help files are read from.
//
// A portable copy (a build folder, or a folder the user unpacked) keeps both beside the
// program: "<program folder>/Data" and "<program folder>/Help_<topic>.Txt". An installed
// program (in a folder the user cannot write, such as /usr/bin, or with the installed
// share folder "<program folder>/../share/labelstation" beside it) reads its help from that
// share folder and keeps the data in the user's data location,
// "~/.local/share/labelstation/Data". The option --data-dir and the environment variable
// LABELSTATION_DATA_DIR override both.
class ProgramFolders {
public:
    enum class DataRule {
        Option,        // --data-dir DIR
        Environment,   // LABELSTATION_DATA_DIR
        BesideProgram, // "Data" beside the program: a portable copy
        UserData,      // the user's data location: an installed program
    };

    struct DataChoice {
        QString path;
        DataRule rule = DataRule::BesideProgram;
    };

    // The rule itself. `option` and `environment` are used when not empty, in that order;
    // else "Data" beside the program when its folder is a writable portable copy, else
    // "Data" in `userDataDir` (the user's data location of this program). The folder is not
    // created here.
    static DataChoice chooseData(const QString &option, const QString &environment,
                                 const QString &programDir, const QString &userDataDir);
    // The rule for this process: Program().DataDirOverride, LABELSTATION_DATA_DIR, the
    // program's folder and QStandardPaths::AppDataLocation.
    static DataChoice currentData();

    // Whether the current user may create files in `dir`. The superuser may write anywhere,
    // so for the superuser the folder's permission bits decide (owner, group, others, as for
    // anybody else): a folder without a write bit for it counts as read-only.
    static bool isWritableFolder(const QString &dir);

    // "<programDir>/../share/labelstation" (relative to the installed program, as the
    // install rules lay it out) when that folder exists; else the empty text.
    static QString installedShareFolder(const QString &programDir);

    // The folder the help files are read from: the program's folder when it holds help files
    // (a portable copy), else the installed share folder when there is one, else the
    // program's folder.
    static QString helpFolder(const QString &programDir);

    // The rule in words, for --help and the manual page.
    static QString dataRuleText();
};
