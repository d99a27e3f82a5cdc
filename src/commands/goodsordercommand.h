// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QUndoCommand>

class GoodsTable;

// The goods rows put in another order (a sort); undo puts them back as they were.
class GoodsOrderCommand : public QUndoCommand {
public:
    // `order` as GoodsTable::sortOrder() gives it.
    GoodsOrderCommand(GoodsTable &table, QList<int> order, const QString &text,
                      QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    GoodsTable &m_table;
    QList<int> m_order;
    QList<int> m_back; // the order that undoes m_order
};
