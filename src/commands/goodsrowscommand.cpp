// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsrowscommand.h"

#include "model/goodstable.h"

GoodsRowsCommand::GoodsRowsCommand(GoodsTable &table, QList<Change> changes, const QString &text,
                                   QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_changes(std::move(changes))
{
}

void GoodsRowsCommand::undo()
{
    for (auto c = m_changes.crbegin(); c != m_changes.crend(); ++c)
        m_table.setRowTextsAt(c->row, c->before);
}

void GoodsRowsCommand::redo()
{
    for (const Change &c : m_changes)
        m_table.setRowTextsAt(c.row, c.after);
}
