#include "goodslistcommand.h"

#include "goodstable.h"

GoodsListCommand::GoodsListCommand(GoodsTable &table, QList<QStringList> before,
                                   QList<QStringList> after, const QString &text,
                                   QUndoCommand *parent)
    : QUndoCommand(text, parent), m_table(table), m_before(std::move(before)),
      m_after(std::move(after))
{
}

void GoodsListCommand::undo()
{
    m_table.setRowTexts(m_before);
}

void GoodsListCommand::redo()
{
    m_table.setRowTexts(m_after);
}
