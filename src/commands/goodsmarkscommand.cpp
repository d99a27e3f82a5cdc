// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsmarkscommand.h"

#include "model/goodstable.h"

GoodsMarksCommand::GoodsMarksCommand(GoodsTable &table, QList<bool> before, QList<bool> after,
                                     const QString &text, QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void GoodsMarksCommand::undo()
{
    m_table.setMarks(m_before);
}

void GoodsMarksCommand::redo()
{
    m_table.setMarks(m_after);
}
