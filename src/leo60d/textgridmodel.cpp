// SPDX-License-Identifier: GPL-3.0-or-later
#include "textgridmodel.h"

TextGridModel::TextGridModel(int columnCount, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columnCount), m_headers(columnCount)
{
}

int TextGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant TextGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows[index.row()].value(index.column());
    case Qt::ForegroundRole:
        if (m_rowColours.contains(index.row()))
            return m_rowColours[index.row()].first;
        break;
    case Qt::TextAlignmentRole:
        if (m_alignment.contains(index.column()))
            return int(m_alignment[index.column()] | Qt::AlignVCenter);
        break;
    case Qt::BackgroundRole:
        if (m_rowColours.contains(index.row()))
            return m_rowColours[index.row()].second;
        break;
    default:
        break;
    }
    return {};
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return section + 1;
}

void TextGridModel::setHeaders(const QStringList &headers)
{
    m_headers = fitted(headers);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void TextGridModel::setRows(const QList<QStringList> &rows)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (const QStringList &row : rows)
        m_rows << fitted(row);
    m_rowColours.clear();
    endResetModel();
}

void TextGridModel::appendRow(const QStringList &row)
{
    const int n = int(m_rows.size());
    beginInsertRows(QModelIndex(), n, n);
    m_rows << fitted(row);
    endInsertRows();
}

void TextGridModel::clearRows()
{
    setRows({});
}

QString TextGridModel::cell(int row, int column) const
{
    return m_rows.value(row).value(column);
}

void TextGridModel::setRowColours(int row, const QColor &text, const QColor &back)
{
    m_rowColours[row] = {text, back};
    Q_EMIT dataChanged(index(row, 0), index(row, m_columns - 1));
}

QStringList TextGridModel::fitted(QStringList row) const
{
    while (row.size() < m_columns)
        row << QString();
    return row.mid(0, m_columns);
}

void TextGridModel::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignment[column] = alignment;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, column), index(int(m_rows.size()) - 1, column));
}
