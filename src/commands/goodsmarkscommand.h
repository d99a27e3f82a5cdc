// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUndoCommand>

class GoodsTable;

// The selection marks of the whole list, before and after (one entry per row).
class GoodsMarksCommand : public QUndoCommand {
public:
    GoodsMarksCommand(GoodsTable &table, QList<bool> before, QList<bool> after, const QString &text,
                      QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    GoodsTable &m_table;
    QList<bool> m_before;
    QList<bool> m_after;
};
