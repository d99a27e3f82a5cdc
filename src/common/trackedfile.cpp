// SPDX-License-Identifier: GPL-3.0-or-later
#include "trackedfile.h"

#include "common/safesave.h"
#include "common/writerlock.h"

#include <QDir>
#include <QFileInfo>

void TrackedFile::setPath(const QString &path)
{
    m_path = path;
    m_tracking = false;
}

TextFile::Read TrackedFile::read(QByteArray *bytes, QString *error)
{
    // Time and size before the content: a change during the read makes the stamp look
    // older than it is, so the next check reads the file again.
    FileStamp before = FileStamp::peek(m_path);
    const TextFile::Read r = TextFile::readBytes(m_path, TextFile::MaxDataFileBytes, bytes, error);
    switch (r) {
    case TextFile::Read::Ok:
        m_stamp = FileStamp::of(m_path, *bytes);
        if (!m_stamp.sameLook(before))
            m_stamp = FileStamp::read(m_path).sameContent(m_stamp) ? m_stamp : FileStamp();
        break;
    case TextFile::Read::Missing:
        m_stamp = FileStamp();
        break;
    case TextFile::Read::Failed:
        m_stamp = before;
        break;
    }
    m_tracking = true;
    return r;
}

void TrackedFile::setBaseline(const QByteArray &own)
{
    m_baseline = FileStamp::hashOf(own);
}

bool TrackedFile::ownChanged(const QByteArray &own) const
{
    return FileStamp::hashOf(own) != m_baseline;
}

TrackedFile::Disk TrackedFile::check(bool thorough)
{
    const FileStamp look = FileStamp::peek(m_path);
    if (!thorough && look.sameLook(m_stamp)) {
        m_seen = m_stamp;
        return Disk::Same;
    }
    const FileStamp now = FileStamp::read(m_path);
    m_seen = now;
    if (now.sameContent(m_stamp)) {
        m_stamp = now; // the same content under a new time: nothing to tell
        return Disk::Same;
    }
    return now.exists() ? Disk::Changed : Disk::Removed;
}

TrackedFile::Write TrackedFile::write(const QByteArray &own, bool overwrite, QString *error)
{
    // The station's own mark does not stop it; another program's writer makes it wait.
    WriterLock lock(m_path, 3000);
    if (lock.acquire(true) == WriterLock::Result::Busy) {
        if (error)
            *error = lock.koreanMessage();
        return Write::Busy;
    }
    if (!overwrite && m_tracking && check() != Disk::Same)
        return Write::ChangedMeanwhile;
    if (!SafeSave::write(m_path, own, error))
        return Write::Failed;
    m_stamp = FileStamp::of(m_path, own);
    m_baseline = FileStamp::hashOf(own);
    m_tracking = true;
    return Write::Written;
}

QString TrackedFile::freeCopyPath() const
{
    const QFileInfo info(m_path);
    const QString base = info.completeBaseName() + QStringLiteral(" 사본");
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString name = base + suffix;
    for (int n = 2; QFileInfo::exists(info.dir().filePath(name)); ++n)
        name = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
    return info.dir().filePath(name);
}

bool TrackedFile::writeCopy(const QByteArray &own, QString *copyPath, QString *error)
{
    const QString path = freeCopyPath();
    if (copyPath)
        *copyPath = path;
    return SafeSave::write(path, own, error);
}
