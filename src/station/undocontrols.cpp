// SPDX-License-Identifier: GPL-3.0-or-later
#include "undocontrols.h"

#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "commands/stationdocument.h"
#include "station/stationwidgets.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QUndoStack>

namespace {

bool isUndoKey(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return e->key() == Qt::Key_Z && mods == Qt::ControlModifier;
}

bool isRedoKey(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return (e->key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
           (e->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier));
}

} // namespace

UndoControls::UndoControls(StationDocument *document, QWidget *window)
    : QObject(window), m_doc(document)
{
    UndoCmd = MakeCommandButton(QStringLiteral("UndoCmd"), QString(), window);
    RedoCmd = MakeCommandButton(QStringLiteral("RedoCmd"), QString(), window);
    // The buttons share the width they are given and never widen the station: a long step
    // name is cut with "…" (the tooltip has it whole).
    for (QPushButton *b : {UndoCmd, RedoCmd}) {
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setMinimumWidth(40);
        b->installEventFilter(this);
    }
    connect(UndoCmd, &QPushButton::clicked, this, [this] {
        undo();
        Q_EMIT buttonStepped();
    });
    connect(RedoCmd, &QPushButton::clicked, this, [this] {
        redo();
        Q_EMIT buttonStepped();
    });
    const struct {
        QKeySequence keys;
        void (UndoControls::*step)();
    } keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Z), &UndoControls::undo},
                {QKeySequence(Qt::CTRL | Qt::Key_Y), &UndoControls::redo},
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &UndoControls::redo}};
    for (const auto &k : keys) {
        auto *shortcut = new QShortcut(k.keys, window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, k.step);
    }
    QUndoStack *stack = m_doc->undoStack();
    connect(stack, &QUndoStack::indexChanged, this, &UndoControls::showTexts);
    connect(stack, &QUndoStack::canUndoChanged, this, &UndoControls::showTexts);
    connect(stack, &QUndoStack::canRedoChanged, this, &UndoControls::showTexts);
    showTexts();
}

void UndoControls::showTexts()
{
    const QUndoStack *stack = m_doc->undoStack();
    UndoCmd->setEnabled(stack->canUndo());
    RedoCmd->setEnabled(stack->canRedo());
    m_undoText = stack->canUndo() ? QStringLiteral("되돌리기: ") + stack->undoText()
                                  : QStringLiteral("되돌리기");
    m_redoText = stack->canRedo() ? QStringLiteral("다시 실행: ") + stack->redoText()
                                  : QStringLiteral("다시 실행");
    UndoCmd->setToolTip(m_undoText + QStringLiteral(" (Ctrl+Z)"));
    RedoCmd->setToolTip(m_redoText + QStringLiteral(" (Ctrl+Y)"));
    fitText(UndoCmd, m_undoText);
    fitText(RedoCmd, m_redoText);
}

void UndoControls::fitText(QPushButton *button, const QString &text)
{
    const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
    button->setText(room <= 0 ? text
                              : button->fontMetrics().elidedText(text, Qt::ElideRight, room));
}

void UndoControls::undo()
{
    step(false);
}

void UndoControls::redo()
{
    step(true);
}

void UndoControls::step(bool forward)
{
    QUndoStack *stack = m_doc->undoStack();
    if ((m_busy && m_busy()) || !(forward ? stack->canRedo() : stack->canUndo()))
        return;
    // What the step changes: the first format, and the first single goods row.
    int format = 0;
    int row = 0;
    bool reset = false;
    const int was = m_currentRow ? m_currentRow() : 0;
    const GoodsTable *goods = m_doc->goods();
    const QList<QMetaObject::Connection> watch{
        connect(m_doc->formats(), &FormatModel::changed, this,
                [&format](FormatPart, int f, int) {
                    if (format == 0)
                        format = f;
                }),
        connect(goods, &GoodsTable::rowsInserted, this,
                [&row](const QModelIndex &, int first, int last) {
                    if (row == 0 && first == last)
                        row = first + 1;
                }),
        connect(goods, &GoodsTable::dataChanged, this,
                [&row](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                    if (row == 0 && topLeft.row() == bottomRight.row())
                        row = topLeft.row() + 1;
                }),
        connect(goods, &GoodsTable::modelReset, this, [&reset] { reset = true; })};
    if (forward)
        stack->redo();
    else
        stack->undo();
    for (const QMetaObject::Connection &c : watch)
        disconnect(c);
    if (format > 0)
        m_doc->setCurrentFormat(format);
    // A whole new list has no cursor: the row the operator was on shows again.
    if (row == 0 && reset && goods->rows() > 0)
        row = std::clamp(was, 1, goods->rows());
    if (row > 0 && m_showRow)
        m_showRow(row);
}

void UndoControls::coverBox(QLineEdit *box)
{
    box->installEventFilter(this);
}

bool UndoControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == UndoCmd || watched == RedoCmd)) {
        fitText(static_cast<QPushButton *>(watched), watched == UndoCmd ? m_undoText : m_redoText);
        return false;
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Nothing typed to take back: the box lets the station's shortcut have the key.
        if ((isUndoKey(key) && !box->isUndoAvailable()) ||
            (isRedoKey(key) && !box->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
