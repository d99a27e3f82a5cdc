// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsrowcommand.h"

#include "model/goodstable.h"

GoodsRowCommand::GoodsRowCommand(GoodsTable &table, Kind kind, int row, QStringList texts,
                                 const QString &text, QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_kind(kind), m_row(row),
      m_texts(std::move(texts))
{
}

void GoodsRowCommand::undo()
{
    if (m_kind == Kind::Insert)
        remove();
    else
        insert();
}

void GoodsRowCommand::redo()
{
    if (m_kind == Kind::Insert)
        insert();
    else
        remove();
}

void GoodsRowCommand::insert()
{
    m_table.insertRowTexts(m_row, m_texts);
}

void GoodsRowCommand::remove()
{
    m_table.removeRowAt(m_row);
}
