// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/filequestions.h"
#include "common/trackedfile.h"

#include <QObject>

#include <functional>

class FileChangeWatch;
class QTableView;
class QWidget;
class StationDocument;

// The station window's side of its document's files: it answers the document's questions
// with message boxes, watches the files for other writers, and keeps the column-width file
// of the goods grid.
class StationFiles : public QObject, public FileQuestions {
    Q_OBJECT
public:
    // `busy`: whether a notice of a changed file must wait (labels being sent).
    StationFiles(StationDocument *document, QWidget *window, std::function<bool()> busy);
    ~StationFiles() override;

    // Reads the document's files and starts watching them.
    void open();
    // Saves both files of the document; false when a save failed (reported).
    bool save(bool closing);
    // The station's unload step: both files and the column widths of `grid` (of the form
    // `formName`), then the files' editing marks are let go.
    void close(QTableView *grid, const QString &formName);
    // Looks at both files now (what a notice of the system does).
    void checkForChanges(bool thorough = true);

    // What the column-width file held when the station read it.
    TrackedFile *widthFile() { return &m_widthFile; }

    // FileQuestions, asked of the operator.
    void unreadable(const QString &what, const QString &path, const QString &reason) override;
    bool replaceUnread(const QString &what, const QString &path) override;
    Answer conflict(const Conflict &conflict) override;
    bool readAgain(const QString &what, const QString &path, bool removed) override;
    void saveFailed(const QString &what, const QString &path, const QString &error) override;
    bool busy() const override;

private:
    StationDocument *m_doc;
    QWidget *m_window;
    std::function<bool()> m_busy;
    TrackedFile m_widthFile;
    FileChangeWatch *m_watch = nullptr;
};
