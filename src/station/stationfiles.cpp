// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationfiles.h"

#include "commands/stationdocument.h"
#include "common/filechangewatch.h"
#include "common/programstate.h"
#include "widgets/conflictquestion.h"
#include "widgets/dialogs.h"
#include "widgets/gridcolumnwidths.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

StationFiles::StationFiles(StationDocument *document, QWidget *window, std::function<bool()> busy)
    : QObject(window), m_doc(document), m_window(window), m_busy(std::move(busy))
{
    m_doc->setFileQuestions(this);
    m_watch = new FileChangeWatch(this);
    connect(m_watch, &FileChangeWatch::mayHaveChanged, this, &StationFiles::checkForChanges);
}

StationFiles::~StationFiles()
{
    m_doc->setFileQuestions(nullptr);
}

bool StationFiles::busy() const
{
    // A notice waits while labels are sent, a modal window is open, or the station closes;
    // the next look of the watch brings it up again.
    return !m_window->isVisible() || (m_busy && m_busy()) ||
           QApplication::activeModalWidget() != nullptr || Program().ModalOpening != 0;
}

void StationFiles::open()
{
    m_doc->openFiles();
    m_watch->setFiles({m_doc->formatFilePath(), m_doc->goodsFilePath()});
}

void StationFiles::checkForChanges(bool thorough)
{
    m_doc->checkFiles(thorough);
}

bool StationFiles::save(bool closing)
{
    return m_doc->saveFiles(closing);
}

void StationFiles::close(QTableView *grid, const QString &formName)
{
    m_watch->setFiles({});
    save(true);
    QString error;
    if (!SaveColumnWidths(grid, formName, &m_widthFile, &error)) {
        Dialogs::inform(m_window,
                        QStringLiteral("* 칼럼 사이즈를 저장하지 못했습니다 !\n%1").arg(error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    }
    m_doc->releaseFiles();
}

void StationFiles::unreadable(const QString &what, const QString &path, const QString &reason)
{
    Dialogs::inform(m_window,
                    QStringLiteral("* %1 파일을 읽을 수 없습니다 !\n%2\n%3\n\n"
                                   "화면에는 빈 %1 자료를 보여 줍니다. 저장할 때에는 이 파일을 "
                                   "바꿀지 먼저 묻습니다.")
                        .arg(what, QDir::toNativeSeparators(path), reason),
                    QStringLiteral("읽기오류"), QMessageBox::Warning);
}

bool StationFiles::replaceUnread(const QString &what, const QString &path)
{
    return Dialogs::askYesNo(
        m_window,
        QStringLiteral("* 읽지 못한 %1 파일을 지금 화면의 자료로 바꿀까요 ?\n%2\n"
                       "(아니오: 이 파일은 저장하지 않습니다)")
            .arg(what, QDir::toNativeSeparators(path)),
        QStringLiteral("저장확인"));
}

FileQuestions::Answer StationFiles::conflict(const Conflict &conflict)
{
    ConflictQuestion::Subject s;
    s.what = conflict.what;
    s.path = conflict.path;
    s.copyPath = conflict.copyPath;
    s.removed = conflict.removed;
    s.closing = conflict.closing;
    switch (ConflictQuestion::ask(m_window, s)) {
    case ConflictQuestion::Answer::Mine:
        return Answer::Mine;
    case ConflictQuestion::Answer::CopyAndTheirs:
        return Answer::CopyAndTheirs;
    case ConflictQuestion::Answer::Theirs:
        break;
    }
    return Answer::Theirs;
}

bool StationFiles::readAgain(const QString &what, const QString &path, bool removed)
{
    return Dialogs::askYesNo(
        m_window,
        QStringLiteral("* 다른 곳에서 %1 파일을 %2. 다시 읽을까요 ?\n%3\n"
                       "(이 창에서 고친 내용은 없습니다. 아니오: 지금 화면을 그대로 둡니다)")
            .arg(what, removed ? QStringLiteral("지웠습니다") : QStringLiteral("바꾸었습니다"),
                 QDir::toNativeSeparators(path)),
        ConflictQuestion::title());
}

void StationFiles::saveFailed(const QString &what, const QString &path, const QString &error)
{
    Dialogs::inform(m_window,
                    QStringLiteral("* %1 파일을 저장하지 못했습니다 !\n%2\n%3")
                        .arg(what, QDir::toNativeSeparators(path), error),
                    QStringLiteral("저장오류"), QMessageBox::Warning);
}
