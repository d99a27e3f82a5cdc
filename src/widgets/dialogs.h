// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class QWidget;

// Every message box and input box of the program goes through here, so that tests can
// answer them: queued answers are taken first-in first-out instead of showing a window.
class Dialogs {
public:
    // "* ... ?" questions with Yes / No and the question icon. true for Yes.
    static bool askYesNo(QWidget *parent, const QString &text, const QString &title = QString());
    // A question that must be answered with one of `buttons` (no Escape, no close button);
    // the index of the button chosen. `defaultButton` has the focus.
    static int askChoice(QWidget *parent, const QString &text, const QString &title,
                         const QStringList &buttons, int defaultButton = 0);
    // Information with OK; the icon is the information icon unless given.
    static void inform(QWidget *parent, const QString &text, const QString &title = QString(),
                       QMessageBox::Icon icon = QMessageBox::Information);
    // An input box; nothing when cancelled.
    static std::optional<QString> askText(QWidget *parent, const QString &title,
                                          const QString &prompt,
                                          const QString &initial = QString());
    // A file name to save to (the save dialog, which asks before replacing a file); nothing
    // when cancelled. *selectedFilter receives the filter chosen (tests answer a QStringList
    // {name, filter}).
    static std::optional<QString> askSaveFileName(QWidget *parent, const QString &title,
                                                  const QString &initialPath, const QString &filter,
                                                  QString *selectedFilter = nullptr);
    // An existing file to open; nothing when cancelled.
    static std::optional<QString> askOpenFileName(QWidget *parent, const QString &title,
                                                  const QString &initialPath,
                                                  const QString &filter);

    // Test support. An answer is a bool for askYesNo, an int for askChoice (none answers
    // the default button), a QString (or an invalid QVariant for cancel) for askText,
    // askSaveFileName and askOpenFileName; inform() takes none.
    static void queueAnswer(const QVariant &answer);
    static void clearQueue();
    // When on, every box is answered from the queue (an empty queue answers No / cancel)
    // and never shown.
    static void setTestMode(bool on);
    // Texts ("title|text") of the boxes asked since the last clear.
    static QStringList shown();
    static void clearShown();
};
