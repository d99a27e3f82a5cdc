// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsordercommand.h"

#include "model/goodstable.h"

GoodsOrderCommand::GoodsOrderCommand(GoodsTable &table, QList<int> order, const QString &text,
                                     QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_order(std::move(order))
{
    // Row m_order[i] goes to position i + 1, so position m_order[i] takes back row i + 1.
    m_back.resize(m_order.size());
    for (int i = 0; i < m_order.size(); ++i) {
        if (m_order[i] >= 1 && m_order[i] <= m_order.size())
            m_back[m_order[i] - 1] = i + 1;
    }
}

void GoodsOrderCommand::undo()
{
    m_table.reorder(m_back);
}

void GoodsOrderCommand::redo()
{
    m_table.reorder(m_order);
}
