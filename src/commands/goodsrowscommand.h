// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QUndoCommand>

class GoodsTable;

// Goods rows that change in place (cells and mark; the rows stay where they are), each with
// its 29 cell texts before and after. Rows are numbered as the goods table numbers them.
class GoodsRowsCommand : public QUndoCommand {
public:
    struct Change {
        int row;
        QStringList before;
        QStringList after;
    };
    GoodsRowsCommand(GoodsTable &table, QList<Change> changes, const QString &text,
                     QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    GoodsTable &m_table;
    QList<Change> m_changes;
};
