// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodstable.h"

#include "common/currency.h"
#include "common/textfile.h"
#include "common/textutil.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>

namespace {

// A cell read as a whole number by the leading-number rule; 0 when it holds none or the
// number does not fit 32 bits.
qint64 cellNumber(const QString &text)
{
    bool ok = false;
    const qint64 v = LeadingWholeNumber(text, std::numeric_limits<qint32>::min(),
                                        std::numeric_limits<qint32>::max(), &ok);
    return ok ? v : 0;
}

qint16 cellNumber16(const QString &text)
{
    bool ok = false;
    const qint64 v = LeadingWholeNumber(text, std::numeric_limits<qint16>::min(),
                                        std::numeric_limits<qint16>::max(), &ok);
    return ok ? qint16(v) : 0;
}

// A quantity cell for the item editor: rounded like the other numbers, a number beyond 16
// bits held at the 16-bit end (so that the editor sees it is too large instead of 0).
qint16 quantity16(const QString &text)
{
    const double v = std::nearbyint(LeadingNumber(text));
    if (std::isnan(v))
        return 0;
    return qint16(std::clamp(v, double(std::numeric_limits<qint16>::min()),
                             double(std::numeric_limits<qint16>::max())));
}

// A text read as a number by the leading-number rule, as a currency value (0 when the
// number is out of range).
Currency cellValue(const QString &text)
{
    return Currency::fromDecimalText(LeadingNumberText(text));
}

QString blankForZero(qint64 v)
{
    return v == 0 ? QString() : QString::number(v);
}

// A data file field must not hold the separator or break the line: quotes become
// backticks and line breaks spaces.
QString fileField(const QString &text)
{
    QString out = QuotesToBackticks(text.trimmed());
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

const int FileFieldMinimum = 28;

} // namespace

GoodsTable::GoodsTable(QObject *parent) : QAbstractTableModel(parent) {}

QString GoodsTable::cell(int row, int col) const
{
    if (!validRow(row) || col < 1 || col > ColumnCount)
        return {};
    const Row &r = m_rows[row - 1];
    if (col == MarkColumn)
        return r.mark ? QStringLiteral("1") : QString();
    return r.cells[col];
}

bool GoodsTable::mark(int row) const
{
    return validRow(row) && m_rows[row - 1].mark;
}

void GoodsTable::setMark(int row, bool on)
{
    if (!validRow(row) || m_rows[row - 1].mark == on)
        return;
    m_rows[row - 1].mark = on;
    cellsChanged(row, MarkColumn, MarkColumn);
}

QList<bool> GoodsTable::marks() const
{
    QList<bool> out;
    out.reserve(rows());
    for (const Row &r : m_rows)
        out << r.mark;
    return out;
}

void GoodsTable::setMarks(const QList<bool> &marks)
{
    if (marks.size() != rows())
        return;
    int first = -1;
    int last = -1;
    for (int i = 0; i < rows(); ++i) {
        if (m_rows[i].mark == marks[i])
            continue;
        m_rows[i].mark = marks[i];
        if (first < 0)
            first = i;
        last = i;
    }
    if (first >= 0)
        Q_EMIT dataChanged(index(first, MarkColumn - 1), index(last, MarkColumn - 1),
                           {Qt::CheckStateRole, Qt::DisplayRole});
}

void GoodsTable::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QList<int> GoodsTable::designedColumnWidths()
{
    QList<int> widths{44, 36, 180, 40, 44, 110, 110, 110};
    while (widths.size() < ColumnCount)
        widths << (widths.size() == ColumnCount - 1 ? 20 : 90);
    return widths;
}

void GoodsTable::removeRowAt(int row)
{
    if (!validRow(row))
        return;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    m_rows.removeAt(row - 1);
    endRemoveRows();
}

QList<QStringList> GoodsTable::sortedRowTexts(SortKey key) const
{
    QList<QStringList> out;
    for (int row : sortOrder(key))
        out << rowTextsAt(row);
    return out;
}

QList<int> GoodsTable::sortOrder(SortKey key) const
{
    const int firstKey = key == SortKey::Number ? NumberColumn : NameColumn;
    const int secondKey = key == SortKey::Number ? NameColumn : NumberColumn;
    QList<int> order(rows());
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const Row &ra = m_rows[a - 1];
        const Row &rb = m_rows[b - 1];
        const int c = QString::compare(ra.cells[firstKey], rb.cells[firstKey]);
        if (c != 0)
            return c < 0;
        return QString::compare(ra.cells[secondKey], rb.cells[secondKey]) < 0;
    });
    return order;
}

void GoodsTable::reorder(const QList<int> &order)
{
    const int n = rows();
    if (order.size() != n || std::is_sorted(order.begin(), order.end()))
        return;
    std::vector<int> newPosition(n, -1);
    for (int i = 0; i < n; ++i) {
        const int from = order[i] - 1;
        if (from < 0 || from >= n || newPosition[from] >= 0)
            return; // not an order of these rows
        newPosition[from] = i;
    }

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<Row> sorted;
    sorted.reserve(n);
    for (int i = 0; i < n; ++i)
        sorted.append(m_rows[order[i] - 1]);
    m_rows = sorted;
    const QModelIndexList oldIndexes = persistentIndexList();
    QModelIndexList newIndexes;
    newIndexes.reserve(oldIndexes.size());
    for (const QModelIndex &i : oldIndexes)
        newIndexes.append(index(newPosition[i.row()], i.column()));
    changePersistentIndexList(oldIndexes, newIndexes);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int GoodsTable::firstFreeNumber() const
{
    const QList<int> order = sortOrder(SortKey::Number);
    for (int i = 1; i <= order.size(); ++i) {
        if (numberAt(order[i - 1]) != i)
            return i;
    }
    return rows() + 1;
}

QStringList GoodsTable::itemRowTexts(const GoodsItem &item, qint64 number)
{
    QStringList texts(ColumnCount);
    texts[NumberColumn - 1] = numberText(number);
    texts[NameColumn - 1] = item.Name;
    texts[FormatColumn - 1] = blankForZero(item.Format);
    texts[QtyColumn - 1] = blankForZero(item.Qty);
    for (int b = 1; b <= 3; ++b)
        texts[FirstBarcodeColumn + b - 2] = item.Barcodes[b];
    for (int t = 1; t <= 20; ++t)
        texts[FirstTextColumn + t - 2] = item.Texts[t];
    return texts;
}

QStringList GoodsTable::updatedRowTexts(int row, GoodsItem item) const
{
    if (!validRow(row))
        return {};
    if (item.No == 0)
        item.No = highestNumber() + 1;
    QStringList texts = itemRowTexts(item, item.No);
    texts[MarkColumn - 1] = cell(row, MarkColumn);
    texts[LastColumn - 1] = cell(row, LastColumn);
    return texts;
}

GoodsItem GoodsTable::itemAt(int row) const
{
    GoodsItem item;
    if (!validRow(row))
        return item;
    const Row &r = m_rows[row - 1];
    item.No = qint32(cellNumber(r.cells[NumberColumn]));
    item.Name = r.cells[NameColumn].trimmed();
    item.Format = cellNumber16(r.cells[FormatColumn]);
    item.Qty = quantity16(r.cells[QtyColumn]);
    for (int b = 1; b <= 3; ++b)
        item.Barcodes[b] = r.cells[FirstBarcodeColumn + b - 1].trimmed();
    for (int t = 1; t <= 20; ++t)
        item.Texts[t] = r.cells[FirstTextColumn + t - 1].trimmed();
    return item;
}

int GoodsTable::numberAt(int row) const
{
    return validRow(row) ? int(cellNumber(m_rows[row - 1].cells[NumberColumn])) : 0;
}

int GoodsTable::highestNumber() const
{
    int highest = 0;
    for (int i = 1; i <= rows(); ++i)
        highest = std::max(highest, numberAt(i));
    return highest;
}

QList<GoodsTable::NewNumber> GoodsTable::renumberPlan(int target) const
{
    QList<NewNumber> plan;
    if (rows() == 0 || target < 1 || target > 999)
        return plan;
    // How many rows hold each number 1..999 (a list may hold a number twice).
    std::map<int, int> used;
    for (int k = 1; k <= rows(); ++k) {
        const int n = numberAt(k);
        if (n >= 1 && n <= 999)
            ++used[n];
    }
    int t = target;
    for (int i = 1; i <= rows(); ++i) {
        if (!m_rows[i - 1].mark)
            continue;
        int j = t;
        while (j <= 999 && used.count(j))
            ++j;
        if (j > 999)
            continue; // every number from t to 999 is taken: the row stays as it is
        const int old = numberAt(i);
        if (old >= 1 && old <= 999 && --used[old] == 0)
            used.erase(old);
        ++used[j];
        plan.append({i, j});
        t = j;
    }
    return plan;
}

QStringList GoodsTable::toFileLines() const
{
    QStringList lines;
    lines.reserve(rows());
    for (int i = 1; i <= rows(); ++i) {
        const Row &r = m_rows[i - 1];
        QStringList f;
        f << QStringLiteral("<%1>").arg(i, 3, 10, QLatin1Char('0'));
        f << cellValue(r.cells[NumberColumn]).toPlainText();
        f << fileField(r.cells[NameColumn]);
        f << cellValue(r.cells[FormatColumn]).toPlainText();
        f << cellValue(r.cells[QtyColumn]).toPlainText();
        for (int c = FirstBarcodeColumn; c < LastColumn; ++c)
            f << fileField(r.cells[c]);
        f << QLatin1Char('~') + fileField(r.cells[LastColumn]);
        lines << f.join(QLatin1Char('\''));
    }
    return lines;
}

void GoodsTable::fromFileLines(const QStringList &lines)
{
    beginResetModel();
    m_rows.clear();
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList f = SplitFields(line, 0);
        if (f.size() < FileFieldMinimum) {
            f = SplitFields(line, 2);
            if (f.size() < FileFieldMinimum)
                continue;
            // A TAB line carries the grid columns in order: its number is in field 1 and
            // field 2 is the mark.
            f[1] = f[0];
        }
        bool allEmpty = true;
        for (int k = 0; k < FileFieldMinimum; ++k) {
            f[k].replace(QLatin1Char('\''), QLatin1Char('`'));
            if (!f[k].isEmpty())
                allEmpty = false;
        }
        if (allEmpty)
            continue;

        Row r;
        const int position = rows() + 1;
        bool ok = false;
        qint64 number = LeadingWholeNumber(f[1], std::numeric_limits<qint64>::min() / 2,
                                           std::numeric_limits<qint64>::max() / 2, &ok);
        if (!ok || number == 0)
            number = position;
        r.cells[NumberColumn] = numberText(qAbs(number) % 1000);
        r.cells[NameColumn] = f[2].isEmpty() ? QStringLiteral("?") : f[2];
        r.cells[FormatColumn] = CurToText(cellValue(f[3]), 1);
        if (r.cells[FormatColumn].isEmpty())
            r.cells[FormatColumn] = QStringLiteral("1");
        r.cells[QtyColumn] = CurToText(cellValue(f[4]), 1);
        for (int c = FirstBarcodeColumn; c < LastColumn; ++c)
            r.cells[c] = f[c - 1];
        m_rows.append(r);
    }
    endResetModel();
}

bool GoodsTable::load(const QString &path, QString *error)
{
    QByteArray bytes;
    const TextFile::Read r = TextFile::readBytes(path, TextFile::MaxDataFileBytes, &bytes, error);
    fromFileLines(TextFile::splitLines(bytes));
    return r != TextFile::Read::Failed;
}

bool GoodsTable::save(const QString &path, QString *error) const
{
    return TextFile::writeLines(path, toFileLines(), error);
}

QList<QStringList> GoodsTable::rowTexts() const
{
    QList<QStringList> out;
    out.reserve(rows());
    for (int i = 1; i <= rows(); ++i) {
        QStringList texts;
        for (int c = 1; c <= ColumnCount; ++c)
            texts << cell(i, c);
        out << texts;
    }
    return out;
}

void GoodsTable::setRowTexts(const QList<QStringList> &rows)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (const QStringList &texts : rows)
        m_rows.append(rowFromTexts(texts));
    endResetModel();
}

QStringList GoodsTable::rowTextsAt(int row) const
{
    QStringList texts;
    if (!validRow(row))
        return texts;
    for (int c = 1; c <= ColumnCount; ++c)
        texts << cell(row, c);
    return texts;
}

void GoodsTable::setRowTextsAt(int row, const QStringList &texts)
{
    if (!validRow(row))
        return;
    m_rows[row - 1] = rowFromTexts(texts);
    cellsChanged(row, NumberColumn, LastColumn);
}

void GoodsTable::insertRowTexts(int row, const QStringList &texts)
{
    if (row < 1 || row > rows() + 1)
        return;
    beginInsertRows(QModelIndex(), row - 1, row - 1);
    m_rows.insert(row - 1, rowFromTexts(texts));
    endInsertRows();
}

GoodsTable::Row GoodsTable::rowFromTexts(const QStringList &texts)
{
    Row r;
    r.mark = LeadingNumber(texts.value(MarkColumn - 1)) != 0;
    for (int c = 1; c <= ColumnCount; ++c) {
        if (c != MarkColumn)
            r.cells[c] = texts.value(c - 1);
    }
    return r;
}

QString GoodsTable::numberText(qint64 number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

void GoodsTable::cellsChanged(int row, int firstCol, int lastCol)
{
    Q_EMIT dataChanged(index(row - 1, firstCol - 1), index(row - 1, lastCol - 1));
}

int GoodsTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows();
}

int GoodsTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GoodsTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows() || index.column() >= ColumnCount)
        return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (col == MarkColumn)
            return {};
        return cell(row, col);
    case Qt::CheckStateRole:
        if (col == MarkColumn)
            return mark(row) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        if (col == NumberColumn || col == FormatColumn)
            return int(Qt::AlignCenter);
        if (col == QtyColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool GoodsTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() + 1 != MarkColumn || role != Qt::CheckStateRole)
        return false;
    const bool on = value.toInt() == Qt::Checked;
    if (m_viewMarkHandler)
        m_viewMarkHandler(index.row() + 1, on);
    else
        setMark(index.row() + 1, on);
    return true;
}

Qt::ItemFlags GoodsTable::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() + 1 == MarkColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant GoodsTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int col = section + 1;
    switch (col) {
    case NumberColumn:
        return QStringLiteral("번호");
    case MarkColumn:
        return QStringLiteral("선택");
    case NameColumn:
        return QStringLiteral("품목명");
    case FormatColumn:
        return QStringLiteral("포멧");
    case QtyColumn:
        return QStringLiteral("수량");
    case LastColumn:
        return QString();
    default:
        break;
    }
    if (col >= FirstBarcodeColumn && col < FirstTextColumn)
        return QStringLiteral("바코드#%1").arg(col - FirstBarcodeColumn + 1);
    if (col >= FirstTextColumn && col < LastColumn)
        return QStringLiteral("텍스트#%1").arg(col - FirstTextColumn + 1, 2, 10, QLatin1Char('0'));
    return {};
}
