// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolders.h"

#include "common/programstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

#ifdef Q_OS_WIN
// Without it QFileInfo looks at the read-only attribute only, and "Program Files" would
// count as writable.
extern Q_CORE_EXPORT int qt_ntfs_permission_lookup;
#endif

// The installed share folder seen from the installed program's folder; the build passes
// the relative path of its install layout.
#ifndef LABELSTATION_SHARE_FROM_BIN
#define LABELSTATION_SHARE_FROM_BIN "../share/labelstation"
#endif

namespace {

const QString DataFolderName = QStringLiteral("Data");

#ifdef Q_OS_UNIX
bool inGroup(gid_t group)
{
    if (getegid() == group)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<size_t>(i)] == group)
            return true;
    }
    return false;
}
#endif

} // namespace

ProgramFolders::DataChoice ProgramFolders::chooseData(const QString &option,
                                                      const QString &environment,
                                                      const QString &programDir,
                                                      const QString &userDataDir)
{
    if (!option.isEmpty())
        return {QDir::cleanPath(QDir(option).absolutePath()), DataRule::Option};
    if (!environment.isEmpty())
        return {QDir::cleanPath(QDir(environment).absolutePath()), DataRule::Environment};
    const bool portable =
        isWritableFolder(programDir) && installedShareFolder(programDir).isEmpty();
    // Without a user data location (no home folder) the program's folder is all there is.
    if (portable || userDataDir.isEmpty())
        return {QDir::cleanPath(QDir(programDir).filePath(DataFolderName)),
                DataRule::BesideProgram};
    return {QDir::cleanPath(QDir(userDataDir).filePath(DataFolderName)), DataRule::UserData};
}

ProgramFolders::DataChoice ProgramFolders::currentData()
{
    return chooseData(Program().DataDirOverride, qEnvironmentVariable("LABELSTATION_DATA_DIR"),
                      QCoreApplication::applicationDirPath(),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

bool ProgramFolders::isWritableFolder(const QString &dir)
{
    const QFileInfo info(dir);
    if (dir.isEmpty() || !info.isDir())
        return false;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    // Refused permissions, access lists and read-only file systems, for everybody.
    if (::access(path.constData(), W_OK | X_OK) != 0)
        return false;
    if (geteuid() != 0)
        return true;
    struct stat st = {};
    if (::stat(path.constData(), &st) != 0)
        return false;
    if (st.st_uid == geteuid())
        return (st.st_mode & S_IWUSR) != 0;
    if (inGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
#else
#ifdef Q_OS_WIN
    ++qt_ntfs_permission_lookup;
#endif
    const bool writable = QFileInfo(info.absoluteFilePath()).isWritable();
#ifdef Q_OS_WIN
    --qt_ntfs_permission_lookup;
#endif
    return writable;
#endif
}

QString ProgramFolders::installedShareFolder(const QString &programDir)
{
    if (programDir.isEmpty())
        return QString();
    const QString share =
        QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(LABELSTATION_SHARE_FROM_BIN)));
    return QFileInfo(share).isDir() ? share : QString();
}

QString ProgramFolders::helpFolder(const QString &programDir)
{
    const QDir dir(programDir);
    if (!dir.entryList({QStringLiteral("Help_*.Txt")}, QDir::Files).isEmpty() ||
        QFileInfo(dir.filePath(QStringLiteral("Help"))).isDir())
        return QDir::cleanPath(programDir);
    const QString share = installedShareFolder(programDir);
    return share.isEmpty() ? QDir::cleanPath(programDir) : share;
}

QString ProgramFolders::dataRuleText()
{
#ifdef Q_OS_WIN
    const QString userData = QStringLiteral("%APPDATA%\\labelstation\\Data");
#else
    const QString userData =
        QStringLiteral("~/.local/share/labelstation/Data ($XDG_DATA_HOME/labelstation/Data "
                       "when XDG_DATA_HOME is set)");
#endif
    const QString text =
        QStringLiteral(
            "Data folder: --data-dir DIR, else the environment variable LABELSTATION_DATA_DIR, "
            "else the folder Data beside the program when the program's folder is writable (a "
            "portable copy, such as a build folder or an unpacked one), else %1 for an "
            "installed program. The folder is created when missing.")
            .arg(userData);
    // Wrapped for a terminal of 80 columns.
    QString wrapped, line;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > 79) {
            wrapped += line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return wrapped + line + QLatin1Char('\n');
}
