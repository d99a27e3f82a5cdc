// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/spreadsheetexport.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractItemModel;

// What a grid shows, taken once from its model: header captions (headerData), cell texts
// (DisplayRole), check boxes (CheckStateRole), alignment (TextAlignmentRole) and colours,
// with the hidden columns and column widths the caller gives. Report printing and spreadsheet
// export work on this copy, so they treat every station's grid alike.
class GridSnapshot {
public:
    struct Cell {
        QString text;
        int check = -1; // -1 no check box, else Qt::CheckState
        Qt::Alignment align;
        QColor background; // invalid when the model gives none
        QColor foreground;
    };

    // widths: per column in pixels at 96 dpi (a missing entry is 64); hidden: per column
    // (a missing entry is shown).
    static GridSnapshot fromModel(const QAbstractItemModel *model, const QList<int> &widths,
                                  const QList<bool> &hidden = {});

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_header.size()); }
    const QString &caption(int column) const { return m_header[column]; }
    const Cell &cell(int row, int column) const { return m_rows[row][column]; }
    bool isHidden(int column) const { return m_hidden.value(column, false); }
    // Width of a column on screen, in pixels at the grid's font.
    int width(int column) const { return m_widths.value(column, 64); }
    // Text of a cell as a spreadsheet shows it: a check box reads "1" or "0".
    QString exportText(int row, int column) const;
    // The copy the spreadsheet writer takes; each column aligned as its first data cell.
    SpreadsheetTable toTable() const;

private:
    QStringList m_header;
    QList<QList<Cell>> m_rows;
    QList<bool> m_hidden;
    QList<int> m_widths;
};
