// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/filestamp.h"
#include "common/textfile.h"

#include <QByteArray>
#include <QString>

// One data file as a window holds it between reading and writing. It remembers the stamp of
// what the disk held when the window read or last wrote the file, and the window's own
// content as it would have written it then, so that before every write it can tell whether
// another program has written the file since, and whether the window has anything of its own
// that a reload would lose.
class TrackedFile {
public:
    explicit TrackedFile(const QString &path = QString()) : m_path(path) {}

    const QString &path() const { return m_path; }
    void setPath(const QString &path);

    // Reads the file for the window (see TextFile::readBytes) and remembers the stamp of
    // exactly the bytes given back.
    TextFile::Read read(QByteArray *bytes, QString *error = nullptr);
    // Whether the file was read (or written) through here, so that there is a stamp.
    bool isTracking() const { return m_tracking; }
    // Stops comparing (a file that could not be read is the station's own business).
    void forget() { m_tracking = false; }

    // The window's content as it would write it right after reading (its starting point).
    void setBaseline(const QByteArray &own);
    // Whether the window's content differs from its starting point.
    bool ownChanged(const QByteArray &own) const;

    enum class Disk { Same, Changed, Removed };
    // The file now against the remembered stamp. The file is read only when its size or time
    // differ, or always when `thorough` (a time that did not move does not prove anything on
    // a file system with coarse times).
    Disk check(bool thorough = true);
    // The stamp of what the window read or wrote last.
    const FileStamp &stamp() const { return m_stamp; }
    // The file as the last check() found it (read, when it had to be compared).
    const FileStamp &seen() const { return m_seen; }

    enum class Write {
        Written,
        ChangedMeanwhile, // another program wrote the file after the last check (not written)
        Busy,             // another program is writing it right now (not written)
        Failed,           // the write failed; the previous file stays (reason in *error)
    };
    // Writes `own` whole and atomically under the file's write lock. Unless `overwrite`, the
    // file is checked once more under the lock and left alone when another program has
    // written it since the last read, write or check. After a write `own` is the baseline.
    Write write(const QByteArray &own, bool overwrite, QString *error = nullptr);

    // "<name> 사본.<ext>" beside the file, or "<name> 사본 (2).<ext>" and so on: the first
    // name not in use.
    QString freeCopyPath() const;
    // Writes `own` into a new copy beside the file; the copy's path in *copyPath.
    bool writeCopy(const QByteArray &own, QString *copyPath, QString *error = nullptr);

private:
    QString m_path;
    FileStamp m_stamp;
    FileStamp m_seen;
    QByteArray m_baseline;
    bool m_tracking = false;
};
