// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodslistcommand.h"

#include "model/goodstable.h"

GoodsListCommand::GoodsListCommand(GoodsTable &table, QList<QStringList> before,
                                   QList<QStringList> after, const QString &text,
                                   QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void GoodsListCommand::undo()
{
    apply(m_before);
}

void GoodsListCommand::redo()
{
    apply(m_after);
}

void GoodsListCommand::apply(const QList<QStringList> &rows)
{
    // A list of as many rows changes row by row, so that the views keep their cursor; any
    // other is read anew.
    if (rows.size() != m_table.rows()) {
        m_table.setRowTexts(rows);
        return;
    }
    for (int r = 1; r <= m_table.rows(); ++r) {
        if (m_table.rowTextsAt(r) != rows[r - 1])
            m_table.setRowTextsAt(r, rows[r - 1]);
    }
}
