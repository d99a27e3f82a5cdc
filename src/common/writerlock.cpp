// SPDX-License-Identifier: GPL-3.0-or-later
#include "writerlock.h"

#include <QDir>
#include <QFileInfo>

WriterLock::WriterLock(const QString &dataFile, int waitMs)
    : m_path(dataFile), m_waitMs(waitMs), m_writing(DataLock::Kind::Writing, dataFile)
{
}

WriterLock::Result WriterLock::acquire(bool force)
{
    m_openInStation = false;
    m_holder = {};
    // Is a station of another program showing the file? Taking its mark for a moment tells,
    // and clears a mark left by a program that has ended.
    {
        DataLock editing(DataLock::Kind::Editing, m_path);
        if (editing.tryLock(0) == DataLock::Result::Held) {
            const DataLock::Holder h = editing.holder();
            if (!h.thisProcess) {
                m_openInStation = true;
                m_holder = h;
            }
        }
    }
    if (m_openInStation && !force)
        return m_result = Result::OpenInStation;
    // A folder where no lock file can be made (read-only) gets no lock: the write itself then
    // fails with its own reason.
    if (m_writing.tryLock(m_waitMs) == DataLock::Result::Held) {
        m_holder = m_writing.holder();
        return m_result = Result::Busy;
    }
    return m_result = Result::Locked;
}

void WriterLock::release()
{
    m_writing.unlock();
}

QString WriterLock::englishMessage() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    switch (m_result) {
    case Result::OpenInStation:
        return QStringLiteral("%1 is open for editing in a station of %2; close the station "
                              "first, or give --force to write anyway (the station then "
                              "offers to reload it)")
            .arg(file, DataLock::englishHolder(m_holder));
    case Result::Busy:
        return QStringLiteral("%1 is being written by %2; try again")
            .arg(file, DataLock::englishHolder(m_holder));
    case Result::Locked:
        break;
    }
    return QString();
}

QString WriterLock::koreanMessage() const
{
    const QString file = QFileInfo(m_path).fileName();
    switch (m_result) {
    case Result::OpenInStation:
        return QStringLiteral("* %1 파일을 다른 프로그램의 작업 창이 열고 있습니다 !\n%2\n"
                              "그 창을 먼저 닫으십시오.")
            .arg(file, DataLock::koreanHolder(m_holder));
    case Result::Busy:
        return QStringLiteral("* %1 파일을 다른 프로그램이 지금 쓰고 있습니다 !\n%2\n"
                              "잠시 뒤에 다시 하십시오.")
            .arg(file, DataLock::koreanHolder(m_holder));
    case Result::Locked:
        break;
    }
    return QString();
}
