// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QUndoCommand>

class GoodsTable;

// The whole goods list replaced (an import), with every row before and after.
class GoodsListCommand : public QUndoCommand {
public:
    // Rows as GoodsTable::rowTexts() gives them.
    GoodsListCommand(GoodsTable &table, QList<QStringList> before, QList<QStringList> after,
                     const QString &text, QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    void apply(const QList<QStringList> &rows);

    GoodsTable &m_table;
    QList<QStringList> m_before;
    QList<QStringList> m_after;
};
