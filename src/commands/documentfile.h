// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/filestamp.h"
#include "common/trackedfile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class DataLock;
class FileQuestions;

// One file of a document (its format file or its goods file), kept from being saved over
// when it is not what the document thinks it is.
//
// A file that exists but cannot be read (no permission, not a regular file, too large) is
// reported when the document opens it; the document then holds empty data, and every later
// save of that file asks first whether the unread file is to be replaced. A Yes replaces it
// (and the file counts as the document's own from then on); a No leaves it as it is.
//
// A file that another program (the LEO-60D+ conversion, the command line, another computer
// on a shared folder) has written since the document read it is never saved over without a
// word: before every save the file is compared with what was read, and when it differs the
// operator chooses to read theirs, keep mine, or keep mine as a copy and read theirs. While
// the document is open, a change noticed on disk is offered for reading at once. For as long
// as the document holds the file it holds the file's editing mark (DataLock::Kind::Editing),
// which makes writers of other programs stop and ask.
class DocumentFile {
public:
    // The document's side of the file.
    struct Content {
        // The bytes the document would write now.
        std::function<QByteArray()> bytes;
        // Takes the bytes read from the file into the document (empty: the default content).
        std::function<void(const QByteArray &)> take;
        // After a read while the document is open: show what was read.
        std::function<void()> reread;
    };

    // `what` names the file in questions: "포멧" or "품목". `asking` is shared by the files
    // of one document: set while a question about a changed file is open.
    DocumentFile(const QString &what, Content content, bool &asking);
    ~DocumentFile();

    void setQuestions(FileQuestions *questions) { m_questions = questions; }

    // Opens `path`: takes its editing mark, reads it into the document and reports a file
    // that cannot be read.
    void open(const QString &path);
    // Lets the editing mark go (the document closes).
    void release();
    const QString &path() const { return m_file.path(); }
    const QString &what() const { return m_what; }
    bool isGuarding() const { return m_guarding; }
    // Whether the document holds other content than it last read or wrote here.
    bool changed() const { return m_file.ownChanged(m_content.bytes()); }

    enum class Saved {
        Written, // the document's content is in the file
        Kept,    // not written, by the operator's choice or with nothing to write
        Failed,  // the write failed (reason in *error); the file is as it was
    };
    // Saves the document's content, asking first when another program has written the file
    // since it was read. `closing`: the document is closing, so "theirs" leaves the file as
    // it is, and a document without changes of its own leaves a changed file alone.
    Saved save(bool closing, QString *error);

    // A notice that the file may have changed (`thorough`: read it to compare, else size and
    // time tell): when it did, offers to read it again.
    void checkForChange(bool thorough);

private:
    void read();
    bool maySave();
    Saved resolve(TrackedFile::Disk disk, bool closing, QString *error);
    Saved write(const QByteArray &mine, bool overwrite, QString *error);

    QString m_what;
    Content m_content;
    bool &m_asking;
    FileQuestions *m_questions = nullptr;
    bool m_guarding = false;
    TrackedFile m_file;
    std::unique_ptr<DataLock> m_editing;
    FileStamp m_declined; // a changed file the operator chose not to read
    bool m_hasDeclined = false;
};
