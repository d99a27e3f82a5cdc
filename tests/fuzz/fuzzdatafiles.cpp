// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the lock files and of the change stamps of the data files (see
// fuzztargets.h). Both read files by path only: the bytes are written into a scratch folder
// of the process first.

#include "fuzztargets.h"

#include "common/datalock.h"
#include "common/filestamp.h"
#include "common/trackedfile.h"
#include "common/writerlock.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The process's scratch folder, in memory where the system has such a folder; it goes with
// the process.
const QTemporaryDir &scratchFolder()
{
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        const QString base = QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
        return std::make_unique<QTemporaryDir>(base + QStringLiteral("/labelstation-fuzz-XXXXXX"));
    }();
    FuzzRequire(dir->isValid(), "a scratch folder");
    return *dir;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The file's bytes; a null array when it is not there.
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = f.readAll();
    return bytes.isNull() ? QByteArray("") : bytes;
}

} // namespace

QString FuzzScratchFile(const char *name, const uint8_t *data, size_t size)
{
    const QString path = scratchFolder().filePath(QString::fromUtf8(name));
    FuzzRequire(writeFile(path, bytesOf(data, size)), "a scratch file written");
    return path;
}

int FuzzLockFile(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString goods = scratchFolder().filePath(QStringLiteral("AL300Dat[00].Txt"));
    FuzzRequire(QDir().mkpath(DataLock::lockFolder(scratchFolder().path())), "a lock folder");
    // The bytes as the mark of a station that shows the goods file, then as the lock of a
    // program writing it.
    for (const DataLock::Kind kind : {DataLock::Kind::Editing, DataLock::Kind::Writing}) {
        const bool editing = kind == DataLock::Kind::Editing;
        const QString lockPath = DataLock(kind, goods).lockFilePath();
        FuzzRequire(writeFile(lockPath, bytes), "a lock file written");
        WriterLock writer(goods, 0);
        const WriterLock::Result r = writer.acquire(!editing);
        const QByteArray after = fileBytes(lockPath);
        // A lock that stops the write is left as its holder wrote it, and its holder is named
        // as the lock file tells; one taken over (its holder has ended) is gone once the
        // writer is done; none is ever rewritten.
        const bool stopped =
            r == (editing ? WriterLock::Result::OpenInStation : WriterLock::Result::Busy);
        if (stopped) {
            FuzzRequire(after == bytes, "the lock of a holder that stops the write is left alone");
            FuzzRequire(!writer.englishMessage().isEmpty() &&
                            writer.koreanMessage().contains(QStringLiteral("AL300Dat[00].Txt")),
                        "a stopped write says which file and why");
            const DataLock::Holder &h = writer.holder();
            if (h.known) {
                FuzzRequire(h.pid > 0, "a holder's process number is positive");
                FuzzRequire(DataLock::englishHolder(h).contains(QString::number(h.pid)) &&
                                DataLock::koreanHolder(h).contains(QString::number(h.pid)),
                            "the holder is named with its process number");
            }
        } else if (editing) {
            FuzzRequire(after.isNull() || after == bytes,
                        "a station's mark is left or cleared, never rewritten");
        } else {
            FuzzRequire(r == WriterLock::Result::Locked && writer.isLocked(),
                        "a writer that is not stopped holds the lock");
            writer.release();
            FuzzRequire(!QFileInfo::exists(lockPath), "the write lock goes with the writer");
        }
        QFile::remove(lockPath);
    }
    return 0;
}

int FuzzFileStamp(const uint8_t *data, size_t size)
{
    // The file as the window read it, then as another program wrote it: the same bytes
    // backwards, with the same size and the same modification time, so that only the content
    // tells them apart (a coarse file system's time does not move within a second).
    const QByteArray read = bytesOf(data, size);
    QByteArray other = read;
    std::reverse(other.begin(), other.end());
    const QString path = FuzzScratchFile("SRP770Dat[00].Txt", data, size);

    TrackedFile file(path);
    QByteArray got;
    FuzzRequire(file.read(&got) == TextFile::Read::Ok && got == read, "the file reads as written");
    FuzzRequire(file.stamp().exists() && file.stamp().size() == read.size() &&
                    file.stamp().hash() == FileStamp::hashOf(read),
                "the stamp is of the bytes read");
    const QDateTime time = QFileInfo(path).lastModified();
    FuzzRequire(writeFile(path, other), "another program writes the file");
    QFile f(path);
    FuzzRequire(f.open(QIODevice::ReadWrite) &&
                    f.setFileTime(time, QFileDevice::FileModificationTime),
                "the time put back");
    f.close();

    const bool same = other == read;
    FuzzRequire(file.check(false) == TrackedFile::Disk::Same,
                "a file that looks the same is not read");
    FuzzRequire(file.check(true) == (same ? TrackedFile::Disk::Same : TrackedFile::Disk::Changed),
                "a thorough check tells other content from the same");
    // The window's own write is held back when another program wrote the file meanwhile.
    const QByteArray own = read + "\r\n";
    const TrackedFile::Write w = file.write(own, false);
    FuzzRequire(w == (same ? TrackedFile::Write::Written : TrackedFile::Write::ChangedMeanwhile),
                "a write over another program's content is held back");
    FuzzRequire(fileBytes(path) == (same ? own : other), "the file holds what the answer says");
    return 0;
}
