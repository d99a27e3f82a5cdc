// SPDX-License-Identifier: GPL-3.0-or-later
#include "filestamp.h"

#include "common/textfile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

FileStamp FileStamp::peek(const QString &path)
{
    FileStamp s;
    const QFileInfo info(path);
    if (!info.exists())
        return s;
    s.m_exists = true;
    s.m_size = info.size();
    s.m_modifiedMs = info.lastModified().toMSecsSinceEpoch();
    return s;
}

FileStamp FileStamp::of(const QString &path, const QByteArray &bytes)
{
    FileStamp s = peek(path);
    if (s.m_exists)
        s.m_hash = hashOf(bytes);
    return s;
}

FileStamp FileStamp::read(const QString &path)
{
    // Time and size first: should the file change while it is read, the stamp looks older
    // than the content and the next comparison reads the file again.
    FileStamp s = peek(path);
    if (!s.m_exists)
        return s;
    QByteArray bytes;
    switch (TextFile::readBytes(path, TextFile::MaxDataFileBytes, &bytes)) {
    case TextFile::Read::Ok:
        s.m_hash = hashOf(bytes);
        break;
    case TextFile::Read::Missing:
        return FileStamp();
    case TextFile::Read::Failed:
        break;
    }
    return s;
}

bool FileStamp::sameLook(const FileStamp &other) const
{
    if (m_exists != other.m_exists)
        return false;
    return !m_exists || (m_size == other.m_size && m_modifiedMs == other.m_modifiedMs);
}

bool FileStamp::sameContent(const FileStamp &other) const
{
    if (m_exists != other.m_exists)
        return false;
    if (!m_exists)
        return true;
    if (m_hash.isEmpty() || other.m_hash.isEmpty())
        return sameLook(other);
    return m_hash == other.m_hash;
}

QByteArray FileStamp::hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}
