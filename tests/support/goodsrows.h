// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Goods lists for tests. A list of its own is built row by row here and loaded whole, as a
// goods file would be; a station's list is changed as the operator changes it, each change a
// step of the station's undo stack.

#include "commands/stationdocument.h"
#include "model/goodstable.h"

#include <QList>
#include <QStringList>

class GoodsRows {
public:
    // An empty row (mark off); answers its number n + 1.
    int appendRow()
    {
        m_rows << QStringList(GoodsTable::ColumnCount);
        return int(m_rows.size());
    }
    // Column `col` (1-based) of row `row`; the mark column takes "1" for on.
    void setCell(int row, int col, const QString &text) { m_rows[row - 1][col - 1] = text; }
    void setMark(int row, bool on) { setCell(row, GoodsTable::MarkColumn, on ? "1" : ""); }
    // The item under the next number (as the item editor's insert numbers a growing list).
    int appendItem(const GoodsItem &item)
    {
        m_rows << GoodsTable::itemRowTexts(item, m_rows.size() + 1);
        return int(m_rows.size());
    }
    void clear() { m_rows.clear(); }
    int rows() const { return int(m_rows.size()); }
    QString cell(int row, int col) const { return m_rows[row - 1][col - 1]; }
    const QList<QStringList> &texts() const { return m_rows; }
    // Loads the rows into `table` (replacing what it held).
    void fill(GoodsTable &table) const { table.setRowTexts(m_rows); }
    // The rows as a goods list, loaded now; where a list is asked for, the rows give it.
    const GoodsTable &table() const
    {
        m_table.setRowTexts(m_rows);
        return m_table;
    }
    operator const GoodsTable &() const { return table(); }
    bool save(const QString &path, QString *error = nullptr) const
    {
        return table().save(path, error);
    }

private:
    QList<QStringList> m_rows;
    mutable GoodsTable m_table;
};

namespace StationGoods {

// One cell of a station's list changed, as one step.
inline bool setCell(StationDocument *document, int row, int col, const QString &text)
{
    QList<QStringList> rows = document->goods()->rowTexts();
    rows[row - 1][col - 1] = text;
    return document->replaceGoods(rows, QStringLiteral("셀 변경"));
}

// An empty row at the end of a station's list, as one step; answers its number n + 1.
inline int appendRow(StationDocument *document)
{
    QList<QStringList> rows = document->goods()->rowTexts();
    rows << QStringList(GoodsTable::ColumnCount);
    document->replaceGoods(rows, QStringLiteral("행 추가"));
    return int(rows.size());
}

} // namespace StationGoods
