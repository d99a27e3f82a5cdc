#include "stationfileguard.h"

#include "widgets/conflictquestion.h"
#include "common/datalock.h"
#include "widgets/dialogs.h"

#include <QDir>

bool StationFileGuard::s_asking = false;

namespace {

// Clears a flag when the scope ends.
class Asking {
public:
    explicit Asking(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Asking() { m_flag = false; }

private:
    bool &m_flag;
};

} // namespace

StationFileGuard::StationFileGuard(const QString &what) : m_what(what) {}

StationFileGuard::~StationFileGuard() = default;

void StationFileGuard::open(QWidget *parent, const QString &path)
{
    m_file.setPath(path);
    m_hasDeclined = false;
    m_editing = std::make_unique<DataLock>(DataLock::Kind::Editing, path);
    // A writer of another program looks at the mark for a moment only: wait for that. A
    // station that keeps it (one of this program being replaced, or of a program that holds
    // no folder lock) is left with it; the comparison before each save guards the file then.
    if (m_editing->tryLock(0) == DataLock::Result::Held && !m_editing->holder().thisProcess)
        m_editing->tryLock(500);
    read(parent);
}

void StationFileGuard::release()
{
    m_editing.reset();
}

void StationFileGuard::read(QWidget *parent)
{
    QByteArray bytes;
    QString why;
    const bool ok = m_file.read(&bytes, &why) != TextFile::Read::Failed;
    if (m_owner.take)
        m_owner.take(bytes);
    if (m_owner.content)
        m_file.setBaseline(m_owner.content());
    m_hasDeclined = false;
    loaded(parent, m_file.path(), ok, why);
}

void StationFileGuard::loaded(QWidget *parent, const QString &path, bool ok, const QString &reason)
{
    m_guarding = !ok;
    if (ok)
        return;
    Dialogs::inform(parent,
                    QStringLiteral("* %1 파일을 읽을 수 없습니다 !\n%2\n%3\n\n"
                                   "화면에는 빈 %1 자료를 보여 줍니다. 저장할 때에는 이 파일을 "
                                   "바꿀지 먼저 묻습니다.")
                        .arg(m_what, QDir::toNativeSeparators(path), reason),
                    QStringLiteral("읽기오류"), QMessageBox::Warning);
}

bool StationFileGuard::maySave(QWidget *parent, const QString &path)
{
    if (!m_guarding)
        return true;
    if (!Dialogs::askYesNo(
            parent,
            QStringLiteral("* 읽지 못한 %1 파일을 지금 화면의 자료로 바꿀까요 ?\n%2\n"
                           "(아니오: 이 파일은 저장하지 않습니다)")
                .arg(m_what, QDir::toNativeSeparators(path)),
            QStringLiteral("저장확인")))
        return false;
    m_guarding = false;
    return true;
}

StationFileGuard::Saved StationFileGuard::write(const QByteArray &mine, bool overwrite,
                                                QString *error)
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

StationFileGuard::Saved StationFileGuard::save(QWidget *parent, bool closing, QString *error)
{
    const QByteArray mine = m_owner.content();
    if (m_guarding || !m_file.isTracking()) {
        // The unread file is replaced only with the operator's Yes.
        if (!maySave(parent, m_file.path()))
            return Saved::Kept;
        return write(mine, true, error);
    }
    // The write happens under the file's write lock and compares once more there: a file
    // changed between this comparison and the write is asked about as well.
    for (int round = 0; round < 2; ++round) {
        const TrackedFile::Disk disk = m_file.check(true);
        if (disk != TrackedFile::Disk::Same)
            return resolve(parent, disk, closing, error);
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
    return resolve(parent, TrackedFile::Disk::Changed, closing, error);
}

StationFileGuard::Saved StationFileGuard::resolve(QWidget *parent, TrackedFile::Disk disk,
                                                  bool closing, QString *error)
{
    const QByteArray mine = m_owner.content();
    // Closing without a change of its own, the station has nothing to keep: theirs stays.
    if (closing && !m_file.ownChanged(mine))
        return Saved::Kept;
    ConflictQuestion::Subject s;
    s.what = m_what;
    s.path = m_file.path();
    s.copyPath = m_file.freeCopyPath();
    s.removed = disk == TrackedFile::Disk::Removed;
    s.closing = closing;
    ConflictQuestion::Answer answer;
    {
        Asking asking(s_asking);
        answer = ConflictQuestion::ask(parent, s);
    }
    switch (answer) {
    case ConflictQuestion::Answer::Mine:
        return write(m_owner.content(), true, error);
    case ConflictQuestion::Answer::CopyAndTheirs: {
        QString copy;
        if (!m_file.writeCopy(m_owner.content(), &copy, error))
            return Saved::Failed; // nothing read: mine is still on the screen
        break;
    }
    case ConflictQuestion::Answer::Theirs:
        break;
    }
    if (!closing) {
        read(parent);
        if (m_owner.shown)
            m_owner.shown();
    }
    return Saved::Kept;
}

void StationFileGuard::checkForChange(QWidget *parent, bool thorough)
{
    if (s_asking || m_guarding || !m_file.isTracking() || !m_owner.content)
        return;
    if (m_owner.busy && m_owner.busy())
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
    if (m_file.ownChanged(m_owner.content())) {
        // Mine would be lost by reading theirs: the full question.
        QString error;
        if (resolve(parent, disk, false, &error) == Saved::Failed)
            Dialogs::inform(parent,
                            QStringLiteral("* %1 파일을 저장하지 못했습니다 !\n%2\n%3")
                                .arg(m_what, QDir::toNativeSeparators(m_file.path()), error),
                            QStringLiteral("저장오류"), QMessageBox::Warning);
        return;
    }
    bool yes = false;
    {
        Asking asking(s_asking);
        yes = Dialogs::askYesNo(
            parent,
            QStringLiteral("* 다른 곳에서 %1 파일을 %2. 다시 읽을까요 ?\n%3\n"
                           "(이 창에서 고친 내용은 없습니다. 아니오: 지금 화면을 그대로 둡니다)")
                .arg(m_what,
                     disk == TrackedFile::Disk::Removed ? QStringLiteral("지웠습니다")
                                                        : QStringLiteral("바꾸었습니다"),
                     QDir::toNativeSeparators(m_file.path())),
            ConflictQuestion::title());
    }
    if (yes) {
        read(parent);
        if (m_owner.shown)
            m_owner.shown();
    } else {
        m_declined = m_file.seen();
        m_hasDeclined = true;
    }
}
