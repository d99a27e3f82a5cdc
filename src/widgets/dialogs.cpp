// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QQueue>

namespace {

struct DialogState {
    bool testMode = false;
    QQueue<QVariant> answers;
    QStringList shown;
};

DialogState &state()
{
    static DialogState s;
    return s;
}

// A box without a title of its own carries the main window's caption.
QString caption(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("바코드 프린터 작업") : title;
}

// A test's queued answer to a question asking for a text: none (or an invalid value)
// stands for Cancel.
std::optional<QString> queuedText()
{
    if (state().answers.isEmpty())
        return std::nullopt;
    const QVariant a = state().answers.dequeue();
    if (!a.isValid())
        return std::nullopt;
    return a.toString();
}

} // namespace

bool Dialogs::askYesNo(QWidget *parent, const QString &text, const QString &title)
{
    state().shown << title + QLatin1Char('|') + text;
    if (state().testMode)
        return !state().answers.isEmpty() && state().answers.dequeue().toBool();
    QMessageBox box(QMessageBox::Question, caption(title), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int Dialogs::askChoice(QWidget *parent, const QString &text, const QString &title,
                       const QStringList &buttons, int defaultButton)
{
    state().shown << title + QLatin1Char('|') + text;
    if (state().testMode) {
        const int a = state().answers.isEmpty() ? defaultButton : state().answers.dequeue().toInt();
        return a >= 0 && a < buttons.size() ? a : defaultButton;
    }
    QMessageBox box(QMessageBox::Question, caption(title), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &caption : buttons)
        added << box.addButton(caption, QMessageBox::ActionRole);
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(static_cast<QPushButton *>(added[defaultButton]));
    box.exec();
    const int chosen = int(added.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : defaultButton;
}

void Dialogs::inform(QWidget *parent, const QString &text, const QString &title,
                     QMessageBox::Icon icon)
{
    state().shown << title + QLatin1Char('|') + text;
    if (state().testMode)
        return;
    QMessageBox box(icon, caption(title), text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> Dialogs::askText(QWidget *parent, const QString &title,
                                        const QString &prompt, const QString &initial)
{
    state().shown << title + QLatin1Char('|') + prompt;
    if (state().testMode)
        return queuedText();
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> Dialogs::askSaveFileName(QWidget *parent, const QString &title,
                                                const QString &initialPath, const QString &filter,
                                                QString *selectedFilter)
{
    state().shown << title + QLatin1Char('|') + initialPath;
    if (state().testMode) {
        if (!state().answers.isEmpty() &&
            state().answers.head().typeId() == QMetaType::QStringList) {
            const QStringList a = state().answers.dequeue().toStringList();
            if (selectedFilter)
                *selectedFilter = a.value(1);
            return a.value(0);
        }
        return queuedText();
    }
    const QString name =
        QFileDialog::getSaveFileName(parent, caption(title), initialPath, filter, selectedFilter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> Dialogs::askOpenFileName(QWidget *parent, const QString &title,
                                                const QString &initialPath, const QString &filter)
{
    state().shown << title + QLatin1Char('|') + initialPath;
    if (state().testMode)
        return queuedText();
    const QString name = QFileDialog::getOpenFileName(parent, caption(title), initialPath, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void Dialogs::queueAnswer(const QVariant &answer)
{
    state().answers.enqueue(answer);
}

void Dialogs::clearQueue()
{
    state().answers.clear();
}

void Dialogs::setTestMode(bool on)
{
    state().testMode = on;
}

QStringList Dialogs::shown()
{
    return state().shown;
}

void Dialogs::clearShown()
{
    state().shown.clear();
}
