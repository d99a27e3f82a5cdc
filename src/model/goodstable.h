// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/goodsitem.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// A station's goods list: rows 1..n of 29 columns, kept in the goods data file.
//   1 number ("007")  2 mark (check box)  3 name  4 format ("1".."5", blank = none)
//   5 quantity (blank for 0)  6..8 barcode data 1..3  9..28 texts 1..20  29 always empty
// Every cell holds text except the mark. The API uses 1-based rows and columns as the
// station's commands count them; the Qt model side is 0-based as usual.
//
// Anyone reads it; it is filled whole by its loaders (a goods file, its lines, or the rows'
// texts). Every other change is a goods command's (src/commands), so that a station's edits
// are the steps of its undo stack: the row and mark changes are private to the commands.
class GoodsTable : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 29;
    static constexpr int NumberColumn = 1;
    static constexpr int MarkColumn = 2;
    static constexpr int NameColumn = 3;
    static constexpr int FormatColumn = 4;
    static constexpr int QtyColumn = 5;
    static constexpr int FirstBarcodeColumn = 6;
    static constexpr int FirstTextColumn = 9;
    static constexpr int LastColumn = 29;

    explicit GoodsTable(QObject *parent = nullptr);

    // The designed widths (pixels) of the goods grid's columns 1..29, which the station's
    // grid starts with and the registration report prints.
    static QList<int> designedColumnWidths();

    int rows() const { return int(m_rows.size()); }
    // Cell text; the mark column reads "1" when on and "" when off. Out of range: "".
    QString cell(int row, int col) const;

    bool mark(int row) const;
    // Every row's mark, top to bottom.
    QList<bool> marks() const;

    // Empties the list (a loader's first step).
    void clear();

    // The two sort orders of the list: number then name, or name then number. The number
    // column is zero-filled, so its text order is the number order; ties keep their order.
    enum class SortKey { Number, Name };
    // The rows in sorted order: element i is the row (1-based) that comes to position i + 1.
    QList<int> sortOrder(SortKey key) const;
    // The rows' texts (as rowTexts() gives them) in that order.
    QList<QStringList> sortedRowTexts(SortKey key) const;

    // The number a new item gets: the first free number of the list sorted by number (the
    // first row position i whose number is not i, else n + 1).
    int firstFreeNumber() const;
    // The 29 cell texts of a new row holding the item under `number` (mark off).
    static QStringList itemRowTexts(const GoodsItem &item, qint64 number);
    // The row's cell texts with the item written into it: the mark and column 29 as they
    // are, number 0 given the highest number + 1.
    QStringList updatedRowTexts(int row, GoodsItem item) const;
    // The row as the item editor sees it (numbers read from the cells, texts trimmed).
    GoodsItem itemAt(int row) const;
    // Column 1 read as a number (0 when it holds none).
    int numberAt(int row) const;
    // The highest number in column 1; 0 for an empty list.
    int highestNumber() const;
    // A renumbering of the marked rows from `target` on (1..999): every marked row, top to
    // bottom, gets the smallest unused number j >= target (then target = j) and loses its
    // mark; a row for which no number up to 999 is free keeps both. Each row it gives a new
    // number, top to bottom, with that number; the goods commands carry it out.
    struct NewNumber {
        int row;
        int number;
    };
    QList<NewNumber> renumberPlan(int target) const;

    // Goods data file lines: "<rrr>'number'name'format'qty'data 6..28'~".
    QStringList toFileLines() const;
    // Clears, then appends a row for every usable line (apostrophe or TAB separated).
    void fromFileLines(const QStringList &lines);
    // Reads the goods data file; a missing file gives an empty list and is no error. False
    // (with the reason in *error, and an empty list) only when the file exists but cannot be
    // read.
    bool load(const QString &path, QString *error = nullptr);
    // Writes the whole file atomically (CP949, CR LF); an empty list gives an empty file.
    bool save(const QString &path, QString *error = nullptr) const;

    // Each row's 29 cell texts in order (the mark as "1" or "").
    QList<QStringList> rowTexts() const;
    // Replaces the whole list by rows given as rowTexts() gives them (one model reset).
    void setRowTexts(const QList<QStringList> &rows);
    // One row's 29 cell texts, as rowTexts() gives them; empty out of range.
    QStringList rowTextsAt(int row) const;

    // The number as column 1 shows it: at least three digits, zero-filled.
    static QString numberText(qint64 number);

    // A mark a view sets (the check box clicked in a grid) goes to `handler` instead of
    // straight into the table (a station makes it an undoable step); without a handler the
    // table sets it.
    void setViewMarkHandler(std::function<void(int row, bool on)> handler)
    {
        m_viewMarkHandler = std::move(handler);
    }

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // The changes the goods commands make, each signalled to the views.
    friend class GoodsRowCommand;
    friend class GoodsRowsCommand;
    friend class GoodsMarksCommand;
    friend class GoodsOrderCommand;
    friend class GoodsListCommand;

    void setMark(int row, bool on);
    // Sets every row's mark (one entry per row; a list of another length changes nothing).
    void setMarks(const QList<bool> &marks);
    void removeRowAt(int row);
    // Puts the rows in the given order (as sortOrder() gives it: every row once); one layout
    // change that keeps the views' current and persistent indexes on their rows.
    void reorder(const QList<int> &order);
    // Sets every cell of the row (mark included) from such texts; one change of the row.
    void setRowTextsAt(int row, const QStringList &texts);
    // Inserts a row at position `row` (1 .. n + 1; the rows from there move down) holding
    // such texts.
    void insertRowTexts(int row, const QStringList &texts);

    struct Row {
        bool mark = false;
        std::array<QString, ColumnCount + 1> cells; // 1..29 used; 0 and 2 unused
    };

    bool validRow(int row) const { return row >= 1 && row <= rows(); }
    static Row rowFromTexts(const QStringList &texts);
    void cellsChanged(int row, int firstCol, int lastCol);

    QList<Row> m_rows;
    std::function<void(int row, bool on)> m_viewMarkHandler;
};
