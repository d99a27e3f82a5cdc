// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QStringList>

// A read-only grid of texts for the conversion window: column captions, rows of cell texts
// and optional text and back colours per row. Rows and columns are 0-based here; the
// vertical header shows the row number from 1.
class TextGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextGridModel(int columnCount, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeaders(const QStringList &headers);
    QStringList headers() const { return m_headers; }
    // Replaces every row; short rows are padded with empty cells, long ones cut.
    void setRows(const QList<QStringList> &rows);
    void appendRow(const QStringList &row);
    void clearRows();
    const QList<QStringList> &rows() const { return m_rows; }
    QString cell(int row, int column) const;
    void setRowColours(int row, const QColor &text, const QColor &back);
    void setColumnAlignment(int column, Qt::Alignment alignment);

private:
    QStringList fitted(QStringList row) const;

    int m_columns;
    QStringList m_headers;
    QList<QStringList> m_rows;
    QHash<int, QPair<QColor, QColor>> m_rowColours;
    QHash<int, Qt::Alignment> m_alignment;
};
