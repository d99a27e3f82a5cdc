// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What a file held at one moment: whether it was there, its size, its modification time and
// a hash of its content. A window keeps the stamp of the bytes it read; before it writes, it
// compares the stamp with the file as it is now to learn whether another program has written
// the file meanwhile.
class FileStamp {
public:
    // A file that is not there.
    FileStamp() = default;

    // The stamp of `bytes`, just read from or written to `path`: the hash is taken from the
    // bytes themselves, size and time from the disk.
    static FileStamp of(const QString &path, const QByteArray &bytes);
    // Reads the file now. A file that exists but cannot be read (see TextFile::readBytes)
    // gives a stamp without a hash, compared by size and time alone.
    static FileStamp read(const QString &path);
    // Size and time only, without reading: cheap enough to ask every few seconds.
    static FileStamp peek(const QString &path);

    bool exists() const { return m_exists; }
    qint64 size() const { return m_size; }
    qint64 modifiedMs() const { return m_modifiedMs; }
    QByteArray hash() const { return m_hash; }

    // The same content: both missing, or the same hash (or, where either has no hash, the
    // same size and time).
    bool sameContent(const FileStamp &other) const;
    // Both missing, or the same size and modification time.
    bool sameLook(const FileStamp &other) const;

    static QByteArray hashOf(const QByteArray &bytes);

private:
    bool m_exists = false;
    qint64 m_size = 0;
    qint64 m_modifiedMs = 0;
    QByteArray m_hash;
};
