// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodstable.h"

class GoodsImportPlan;

#include <QUndoCommand>

#include <memory>

// The commands of a goods list as steps of an undo stack, each grouped as the operator gives
// it (one renumbering of many rows is one step). Each factory works out the change without
// making it (the undo stack's push makes it) and answers nullptr when the list would stay as
// it is. Rows are given by zero-based index. The command texts are the operator's words for
// the step ("3개 품목 번호 변경").
class GoodsCommands {
public:
    // Sorts by number and appends the item under the first free number.
    static std::unique_ptr<QUndoCommand> insert(GoodsTable &table, const GoodsItem &item);
    // Writes the item into the row (mark and column 29 kept; number 0 becomes the highest
    // number + 1).
    static std::unique_ptr<QUndoCommand> update(GoodsTable &table, int index,
                                                const GoodsItem &item);
    static std::unique_ptr<QUndoCommand> remove(GoodsTable &table, int index);
    static std::unique_ptr<QUndoCommand> setMark(GoodsTable &table, int index, bool on);
    static std::unique_ptr<QUndoCommand> toggleMark(GoodsTable &table, int index);
    static std::unique_ptr<QUndoCommand> setAllMarks(GoodsTable &table, bool on);
    // Gives the marked rows new numbers from `target` on (GoodsTable::renumberMarked).
    static std::unique_ptr<QUndoCommand> renumberMarked(GoodsTable &table, int target);
    static std::unique_ptr<QUndoCommand> sort(GoodsTable &table, GoodsTable::SortKey key);
    // Replaces the whole list by `rows` (as GoodsTable::rowTexts() gives them).
    static std::unique_ptr<QUndoCommand>
    replaceAll(GoodsTable &table, const QList<QStringList> &rows, const QString &text);

    // The list an import plan worked out, as one step.
    static std::unique_ptr<QUndoCommand> import(GoodsTable &table, const GoodsImportPlan &plan);

    // The goods number of a row as the commands name it: "12", not "012".
    static QString numberName(const GoodsTable &table, int index);
};
