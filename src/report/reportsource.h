// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/gridsnapshot.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QList>
#include <QPointer>

class QFont;
class QTableView;

// What a report prints or exports: a table model (a station's goods, the LEO-60D+ records),
// the width of each column on the page and the columns left out and, when the report comes
// from a window, the operator's selection in its grid (the current row for "현재 페이지", the
// selected block for "선택 영역"). The model is read afresh for every page layout, so a
// preview or a print shows the goods as they are at that moment.
class ReportSource {
public:
    ReportSource() = default;
    // widths: per column in pixels at 96 dpi (a missing entry is 64); hidden: per column.
    ReportSource(const QAbstractItemModel *model, QList<int> widths, QList<bool> hidden = {},
                 const QItemSelectionModel *selection = nullptr);

    // A model with the column layout and the selection of the grid that shows it.
    static ReportSource fromGrid(const QAbstractItemModel *model, const QTableView *grid);

    // The widths a grid in `font` gives the model's columns when it fits them to their
    // contents (QTableView::resizeColumnsToContents): the widest of the first 1000 cell
    // texts with the item margins and the grid line, at least the column title in bold
    // with the header margins, and at least the header's smallest section. The margins are
    // the program's style's when it has one (Fusion's otherwise), so no widget is needed.
    static QList<int> fittedWidths(const QAbstractItemModel *model, const QFont &font);

    const QAbstractItemModel *model() const { return m_model; }
    QList<int> widths() const { return m_widths; }
    int rowCount() const;
    // The model's texts as the report shows them.
    GridSnapshot snapshot() const;
    // The grid's current row (0-based); 0 without one.
    int currentRow() const;
    // The selected block, 0-based corners; false when nothing is selected.
    bool selectedBlock(int *row, int *column, int *row2, int *column2) const;

private:
    QPointer<const QAbstractItemModel> m_model;
    QList<int> m_widths;
    QList<bool> m_hidden;
    QPointer<const QItemSelectionModel> m_selection;
};
