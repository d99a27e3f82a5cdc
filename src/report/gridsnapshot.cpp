// SPDX-License-Identifier: GPL-3.0-or-later
#include "gridsnapshot.h"

#include <QAbstractItemModel>
#include <QBrush>

GridSnapshot GridSnapshot::fromModel(const QAbstractItemModel *model, const QList<int> &widths,
                                     const QList<bool> &hidden)
{
    GridSnapshot s;
    if (!model)
        return s;
    const int cols = model->columnCount();
    const int rows = model->rowCount();
    for (int c = 0; c < cols; ++c) {
        s.m_header << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        s.m_hidden << hidden.value(c, false);
        s.m_widths << widths.value(c, 64);
    }
    s.m_rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QList<Cell> cells;
        cells.reserve(cols);
        for (int c = 0; c < cols; ++c) {
            const QModelIndex i = model->index(r, c);
            Cell cell;
            cell.text = i.data(Qt::DisplayRole).toString();
            const QVariant check = i.data(Qt::CheckStateRole);
            if (check.isValid())
                cell.check = check.toInt();
            cell.align = Qt::Alignment(i.data(Qt::TextAlignmentRole).toInt());
            cell.background = i.data(Qt::BackgroundRole).value<QBrush>().color();
            if (i.data(Qt::BackgroundRole).isNull())
                cell.background = QColor();
            cell.foreground = i.data(Qt::ForegroundRole).isNull()
                                  ? QColor()
                                  : i.data(Qt::ForegroundRole).value<QBrush>().color();
            cells << cell;
        }
        s.m_rows << cells;
    }
    return s;
}

QString GridSnapshot::exportText(int row, int column) const
{
    const Cell &c = m_rows[row][column];
    if (c.check >= 0 && c.text.isEmpty())
        return c.check == Qt::Unchecked ? QStringLiteral("0") : QStringLiteral("1");
    return c.text;
}

SpreadsheetTable GridSnapshot::toTable() const
{
    SpreadsheetTable t;
    t.header = m_header;
    t.hidden = m_hidden;
    for (int c = 0; c < columnCount(); ++c) {
        SpreadsheetTable::Align a = SpreadsheetTable::Align::General;
        if (rowCount() > 0) {
            const Qt::Alignment h = m_rows[0][c].align & Qt::AlignHorizontal_Mask;
            if (h & Qt::AlignHCenter)
                a = SpreadsheetTable::Align::Centre;
            else if (h & (Qt::AlignRight | Qt::AlignTrailing))
                a = SpreadsheetTable::Align::Right;
            else if (h & (Qt::AlignLeft | Qt::AlignLeading))
                a = SpreadsheetTable::Align::Left;
        }
        t.align << a;
    }
    for (int r = 0; r < rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < columnCount(); ++c)
            row << exportText(r, c);
        t.rows << row;
    }
    return t;
}
