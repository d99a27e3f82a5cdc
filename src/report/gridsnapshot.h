#pragma once

#include "spreadsheetexport.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QTableView;

// What a grid shows, taken once from its view and model: header captions (headerData),
// cell texts (DisplayRole), check boxes (CheckStateRole), alignment (TextAlignmentRole),
// colours, hidden columns and column widths. Report printing and spreadsheet export work
// on this copy, so they treat every station's grid alike.
class GridSnapshot {
public:
    struct Cell {
        QString text;
        int check = -1; // -1 no check box, else Qt::CheckState
        Qt::Alignment align;
        QColor background; // invalid when the model gives none
        QColor foreground;
    };

    static GridSnapshot take(const QTableView *grid);

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
