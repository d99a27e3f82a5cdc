// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QUndoCommand>

class GoodsTable;

// One goods row added at its place or taken out of the list, with all its cells and its
// mark, so that undoing a removal puts the row back where it was.
class GoodsRowCommand : public QUndoCommand {
public:
    enum class Kind { Insert, Remove };
    // `row` as the goods table numbers its rows; `texts` the row's 29 cell texts.
    GoodsRowCommand(GoodsTable &table, Kind kind, int row, QStringList texts, const QString &text,
                    QUndoCommand *parent = nullptr);

    void undo() override;
    void redo() override;

private:
    void insert();
    void remove();

    GoodsTable &m_table;
    Kind m_kind;
    int m_row;
    QStringList m_texts;
};
