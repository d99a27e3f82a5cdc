// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;
class StationDocument;

// Undo and redo of a station's edits: the buttons "되돌리기: …" and "다시 실행: …" naming
// the step they take, and the keys Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z anywhere in the station.
// After a step the screen shows what it changed: the format it edited becomes the format on
// screen, a goods row it changed gets the grid's cursor.
class UndoControls : public QObject {
    Q_OBJECT
public:
    UndoControls(StationDocument *document, QWidget *window);

    QPushButton *UndoCmd = nullptr;
    QPushButton *RedoCmd = nullptr;

    // No step is taken while `busy` answers true (labels being sent).
    void setBusy(std::function<bool()> busy) { m_busy = std::move(busy); }
    // Puts the grid's cursor on a goods row (1-based) a step changed.
    // `current` answers the grid's cursor row (0 for none); a step that replaced the whole
    // list puts the cursor back there (or on the last row).
    void setRowShower(std::function<void(int)> show, std::function<int()> current = {})
    {
        m_showRow = std::move(show);
        m_currentRow = std::move(current);
    }
    // Ctrl+Z and Ctrl+Y in the box undo and redo its own typing while it has some; without
    // any they are the station's.
    void coverBox(QLineEdit *box);

    void undo();
    void redo();

Q_SIGNALS:
    // A button took a step: the goods grid takes the focus back.
    void buttonStepped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void step(bool forward);
    void showTexts();
    // Shows `text` on the button, cut with "…" where the button is too narrow for it.
    static void fitText(QPushButton *button, const QString &text);

    StationDocument *m_doc;
    std::function<bool()> m_busy;
    std::function<void(int)> m_showRow;
    std::function<int()> m_currentRow;
    QString m_undoText; // the buttons' whole texts
    QString m_redoText;
};
