// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentfile.h"

#include "commands/filequestions.h"
#include "common/datalock.h"

namespace {

// Sets a flag for as long as the scope lasts.
class Asking {
public:
    explicit Asking(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Asking() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

DocumentFile::DocumentFile(const QString &what, Content content, bool &asking)
    : m_what(what), m_content(std::move(content)), m_asking(asking)
{
}

DocumentFile::~DocumentFile() = default;

void DocumentFile::open(const QString &path)
{
    m_file.setPath(path);
    m_hasDeclined = false;
    m_editing = std::make_unique<DataLock>(DataLock::Kind::Editing, path);
    // A writer of another program looks at the mark for a moment only: wait for that. A
    // document that keeps it (one of this program being replaced, or of a program that holds
    // no folder lock) is left with it; the comparison before each save guards the file then.
    if (m_editing->tryLock(0) == DataLock::Result::Held && !m_editing->holder().thisProcess)
        m_editing->tryLock(500);
    read();
}

void DocumentFile::release()
{
    m_editing.reset();
}

void DocumentFile::read()
{
    QByteArray bytes;
    QString why;
    const bool ok = m_file.read(&bytes, &why) != TextFile::Read::Failed;
    m_content.take(bytes);
    m_file.setBaseline(m_content.bytes());
    m_hasDeclined = false;
    m_guarding = !ok;
    if (!ok && m_questions)
        m_questions->unreadable(m_what, m_file.path(), why);
}

bool DocumentFile::maySave()
{
    if (!m_guarding)
        return true;
    if (!m_questions || !m_questions->replaceUnread(m_what, m_file.path()))
        return false;
    m_guarding = false;
    return true;
}

DocumentFile::Saved DocumentFile::write(const QByteArray &mine, bool overwrite, QString *error)
{
    switch (m_file.write(mine, overwrite, error)) {
    case TrackedFile::Write::Written:
        m_hasDeclined = false;
        return Saved::Written;
    case TrackedFile::Write::ChangedMeanwhile:
        return Saved::Kept; // the caller asks again
    case TrackedFile::Write::Busy:
    case TrackedFile::Write::Failed:
        break;
    }
    return Saved::Failed;
}

DocumentFile::Saved DocumentFile::save(bool closing, QString *error)
{
    const QByteArray mine = m_content.bytes();
    if (m_guarding || !m_file.isTracking()) {
        // The unread file is replaced only with the operator's Yes.
        if (!maySave())
            return Saved::Kept;
        return write(mine, true, error);
    }
    // The write happens under the file's write lock and compares once more there: a file
    // changed between this comparison and the write is asked about as well.
    for (int round = 0; round < 2; ++round) {
        const TrackedFile::Disk disk = m_file.check(true);
        if (disk != TrackedFile::Disk::Same)
            return resolve(disk, closing, error);
        switch (m_file.write(mine, false, error)) {
        case TrackedFile::Write::Written:
            m_hasDeclined = false;
            return Saved::Written;
        case TrackedFile::Write::ChangedMeanwhile:
            continue;
        case TrackedFile::Write::Busy:
        case TrackedFile::Write::Failed:
            return Saved::Failed;
        }
    }
    return resolve(TrackedFile::Disk::Changed, closing, error);
}

DocumentFile::Saved DocumentFile::resolve(TrackedFile::Disk disk, bool closing, QString *error)
{
    const QByteArray mine = m_content.bytes();
    // Closing without a change of its own, the document has nothing to keep: theirs stays.
    if (closing && !m_file.ownChanged(mine))
        return Saved::Kept;
    if (!m_questions)
        return Saved::Kept; // nobody to ask: theirs is never overwritten unasked
    FileQuestions::Conflict c;
    c.what = m_what;
    c.path = m_file.path();
    c.copyPath = m_file.freeCopyPath();
    c.removed = disk == TrackedFile::Disk::Removed;
    c.closing = closing;
    FileQuestions::Answer answer;
    {
        Asking asking(m_asking);
        answer = m_questions->conflict(c);
    }
    switch (answer) {
    case FileQuestions::Answer::Mine:
        return write(m_content.bytes(), true, error);
    case FileQuestions::Answer::CopyAndTheirs: {
        QString copy;
        if (!m_file.writeCopy(m_content.bytes(), &copy, error))
            return Saved::Failed; // nothing read: mine is still on the screen
        break;
    }
    case FileQuestions::Answer::Theirs:
        break;
    }
    if (!closing) {
        read();
        if (m_content.reread)
            m_content.reread();
    }
    return Saved::Kept;
}

void DocumentFile::checkForChange(bool thorough)
{
    if (m_asking || m_guarding || !m_file.isTracking() || !m_questions)
        return;
    if (m_questions->busy())
        return; // the next look asks again
    if (m_hasDeclined && !thorough && FileStamp::peek(m_file.path()).sameLook(m_declined))
        return;
    const TrackedFile::Disk disk = m_file.check(thorough);
    if (disk == TrackedFile::Disk::Same) {
        m_hasDeclined = false;
        return;
    }
    if (m_hasDeclined && m_file.seen().sameContent(m_declined))
        return;
    if (m_file.ownChanged(m_content.bytes())) {
        // Mine would be lost by reading theirs: the full question.
        QString error;
        if (resolve(disk, false, &error) == Saved::Failed)
            m_questions->saveFailed(m_what, m_file.path(), error);
        return;
    }
    bool yes = false;
    {
        Asking asking(m_asking);
        yes = m_questions->readAgain(m_what, m_file.path(), disk == TrackedFile::Disk::Removed);
    }
    if (yes) {
        read();
        if (m_content.reread)
            m_content.reread();
    } else {
        m_declined = m_file.seen();
        m_hasDeclined = true;
    }
}
