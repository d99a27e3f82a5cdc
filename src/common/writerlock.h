// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/datalock.h"

#include <QString>

// What a program does around writing one data file that a station may have open: it takes
// the file's short write lock, and it does not write while a station of another program
// shows the file for editing, unless told to (`force`; the station then notices the new file
// and offers to read it). Every writer outside the stations uses it, the command line first:
//
//     WriterLock lock(path);
//     if (lock.acquire(force) != WriterLock::Result::Locked)
//         return cx.failure(lock.englishMessage());
//     ... write the file whole (SafeSave) ...
//
// The write lock is let go when the object goes. A station in this same process (the
// LEO-60D+ window writing the goods of the open AL-300 station) does not stop the write: it
// notices the new file itself.
class WriterLock {
public:
    explicit WriterLock(const QString &dataFile, int waitMs = 5000);

    enum class Result {
        Locked,        // write now
        OpenInStation, // a station of another program has the file open (and no force)
        Busy,          // another program is writing it and did not finish in time
    };
    Result acquire(bool force = false);
    void release();
    bool isLocked() const { return m_writing.isLocked(); }

    // After acquire(): whether a station of another program has the file open (with force
    // the write goes ahead all the same).
    bool openInStation() const { return m_openInStation; }
    // Who is in the way (after OpenInStation or Busy).
    const DataLock::Holder &holder() const { return m_holder; }
    // Why the write cannot go ahead, for the command line (English) and the windows (Korean).
    QString englishMessage() const;
    QString koreanMessage() const;

private:
    QString m_path;
    int m_waitMs;
    DataLock m_writing;
    Result m_result = Result::Locked;
    bool m_openInStation = false;
    DataLock::Holder m_holder;
};
