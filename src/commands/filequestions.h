// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a document asks and tells the operator about its files. The window that shows the
// document answers (with message boxes); the document decides what is read and written.
class FileQuestions {
public:
    virtual ~FileQuestions() = default;

    // A file that another program changed since the document read it, met before a save or
    // while the document is open.
    struct Conflict {
        QString what;         // the file's name in words: "품목", "포멧"
        QString path;         // the file
        QString copyPath;     // where a copy of mine would go
        bool removed = false; // theirs is: the file was removed
        bool closing = false; // "theirs" leaves the file as it is instead of reading it
    };
    enum class Answer { Theirs, Mine, CopyAndTheirs };

    // The file exists but could not be read (`reason`): the document shows empty data.
    virtual void unreadable(const QString &what, const QString &path, const QString &reason) = 0;
    // Before the first save over a file that could not be read: true replaces it.
    virtual bool replaceUnread(const QString &what, const QString &path) = 0;
    // Theirs against mine when both changed.
    virtual Answer conflict(const Conflict &conflict) = 0;
    // Another program changed (or removed) the file and the document has no change of its
    // own: true reads it again.
    virtual bool readAgain(const QString &what, const QString &path, bool removed) = 0;
    // A write failed; the file is as it was.
    virtual void saveFailed(const QString &what, const QString &path, const QString &error) = 0;
    // Whether a notice of a changed file must wait (a job being sent, a modal window open).
    virtual bool busy() const = 0;
};
