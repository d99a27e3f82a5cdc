// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// Saves one file whole or not at all. Every file the program writes goes through here:
// data files, copy files, pictures, PDFs and workbooks.
//
// A regular file (or a new one) is written into a temporary file beside it; commit() flushes
// every buffered byte, checks that every write went through, syncs and only then puts the
// new file in place. Any failure (a full disk, a read-only folder) leaves the previous file
// exactly as it was, removes the temporary file and says why.
//
// A character device or a FIFO is never replaced by a regular file: it is written directly
// (`--out /dev/stdout`, a printer's device node). A FIFO that no program reads from is
// refused at once rather than waited for. The process's own streams (/dev/stdout, /dev/fd/N)
// are written in place as well, also when they stand for a redirected regular file. Anything
// else that is not a regular file (a folder, a block device, a socket) is refused.
class SafeSave {
public:
    explicit SafeSave(const QString &path);
    ~SafeSave(); // cancels an uncommitted save
    SafeSave(const SafeSave &) = delete;
    SafeSave &operator=(const SafeSave &) = delete;

    // Opens the target; false with a reason in *error.
    bool open(QString *error = nullptr);
    // Where the content goes (valid between a successful open() and commit()/cancel()).
    QIODevice *device() const;
    // Flushes, checks and puts the file in place; false with a reason in *error (the previous
    // file then stays as it was).
    bool commit(QString *error = nullptr);
    // Drops what was written; the previous file stays.
    void cancel();
    // True when the target is written in place (a device, a FIFO, a path below /dev).
    bool isDirect() const;
    // Why a write to device() failed ("" while all went through).
    QString writeError() const;

    // The whole of `bytes` into `path`.
    static bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    // Test seam: makes the `occurrence`-th step of that kind from now on (counted over every
    // save of the process) fail as a full disk does ("No space left on device"), so that
    // every caller's handling of a failed save can be tested. Nothing else reaches it.
    enum class Step { Open, Write, Flush, Commit };
    static void failAt(Step step, int occurrence = 1);
    static void clearFaults();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
