#pragma once

#include "common/filestamp.h"
#include "common/trackedfile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class DataLock;
class QWidget;

// Keeps a station from saving over a file that is not what it thinks it is.
//
// A format or goods file that exists but cannot be read (no permission, not a regular file,
// too large) is reported when the station opens; the station then shows an empty format set
// or list, and every later save of that file asks first whether the unread file is to be
// replaced. A Yes replaces it (and the file counts as the station's own from then on); a No
// leaves it as it is.
//
// A file that another program (the LEO-60D+ conversion, the command line, another computer
// on a shared folder) has written since the station read it is never saved over without a
// word: before every save the station compares the file with what it read, and when it
// differs the operator chooses to read theirs, keep mine, or keep mine as a copy and read
// theirs (ConflictQuestion). While the station is open, a change noticed on disk is offered
// for reading at once. For as long as the station shows the file it holds the file's editing
// mark (DataLock::Kind::Editing), which makes writers of other programs stop and ask.
class StationFileGuard {
public:
    // `what` names the file in messages: "포멧" or "품목".
    explicit StationFileGuard(const QString &what);
    ~StationFileGuard();

    // The station's side of the file.
    struct Owner {
        // The bytes the station would write now.
        std::function<QByteArray()> content;
        // Takes the bytes read from the file into the station (empty: the default content).
        std::function<void(const QByteArray &)> take;
        // After a reload while the station is open: show what was read.
        std::function<void()> shown;
        // Whether a notice must wait (a job being sent, a modal window open).
        std::function<bool()> busy;
    };
    void setOwner(Owner owner) { m_owner = std::move(owner); }

    // Opens `path` for the station: takes its editing mark, reads it through the owner and
    // reports a file that cannot be read (loaded()).
    void open(QWidget *parent, const QString &path);
    // Lets the editing mark go (the station closes).
    void release();
    const QString &path() const { return m_file.path(); }

    // After a load: `ok` false reports the file (with `reason`) to the operator and guards it.
    void loaded(QWidget *parent, const QString &path, bool ok, const QString &reason);
    // Before a save: true when the file may be written.
    bool maySave(QWidget *parent, const QString &path);
    bool isGuarding() const { return m_guarding; }

    enum class Saved {
        Written, // the station's content is in the file
        Kept,    // not written, by the operator's choice or with nothing to write
        Failed,  // the write failed (reason in *error); the file is as it was
    };
    // Saves the station's content, asking first when another program has written the file
    // since it was read. `closing`: the station is closing, so "theirs" leaves the file as
    // it is, and a station without changes of its own leaves a changed file alone.
    Saved save(QWidget *parent, bool closing, QString *error);

    // A notice that the file may have changed (`thorough`: read it to compare, else size and
    // time tell): when it did, offers to read it again.
    void checkForChange(QWidget *parent, bool thorough);

private:
    // Reads the file into the station and takes it as the station's starting point.
    void read(QWidget *parent);
    // The operator's choice about a changed file, carried out. Written when mine was written.
    Saved resolve(QWidget *parent, TrackedFile::Disk disk, bool closing, QString *error);
    Saved write(const QByteArray &mine, bool overwrite, QString *error);

    QString m_what;
    bool m_guarding = false;
    Owner m_owner;
    TrackedFile m_file;
    std::unique_ptr<DataLock> m_editing;
    FileStamp m_declined; // a changed file the operator chose not to read
    bool m_hasDeclined = false;
    static bool s_asking; // a question about a changed file is open
};
