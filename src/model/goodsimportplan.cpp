#include "goodsimportplan.h"

#include "common/currency.h"
#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/importedcell.h"

#include <QHash>

#include <bitset>
#include <limits>

namespace {

using M = GoodsImportMapping;

// Format and quantity cells are read as the goods file reads them: the leading number,
// blank for 0.
QString numberCell(const QString &raw)
{
    return CurToText(Currency::fromDecimalText(LeadingNumberText(raw)), 1);
}

// The goods number a cell gives: 0 when blank, -1 when not 1 to 999.
int goodsNumber(const QString &raw)
{
    const QString t = ImportedCell::controlsToSpaces(raw).trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qint64 n = LeadingWholeNumber(t, std::numeric_limits<qint32>::min(),
                                        std::numeric_limits<qint32>::max(), &ok);
    return ok && n >= 1 && n <= GoodsImportPlan::MaxGoods ? int(n) : -1;
}

struct Row {
    int sourceRow = 0;
    int number = 0; // 0 none given
    std::array<QString, M::FieldCount> cells;
};

class Builder {
public:
    Builder(GoodsImportPlan &plan, const M &mapping) : p(plan), m(mapping) {}

    // The cleaned cells of one file row; false when the row is skipped.
    bool readRow(const ImportTable &t, int r, Row *row)
    {
        row->sourceRow = t.sourceRows.value(r);
        // The cells' findings count only for rows that are imported.
        int controls = 0, cut = 0, filtered = 0, quantity = 0;
        QList<GoodsImportPlan::CellNote> notes;
        for (int f = 0; f < M::FieldCount; ++f) {
            if (!m.isMapped(f))
                continue;
            const QString raw = t.cell(r, m.column(f));
            if (f == M::Number || f == M::Format || f == M::Qty) {
                row->cells[size_t(f)] = ImportedCell::controlsToSpaces(raw).trimmed();
                continue;
            }
            const ImportedCell c = ImportedCell::clean(
                raw, f == M::Name ? GoodsImportPlan::NameBytes : GoodsImportPlan::DataBytes,
                f != M::Name);
            row->cells[size_t(f)] = c.text;
            controls += c.controls;
            cut += c.cut;
            filtered += c.filtered;
            if (!c.notCp949.isEmpty())
                notes.append({row->sourceRow, f, c.notCp949});
        }
        if (m.isMapped(M::Qty) && !row->cells[M::Qty].isEmpty()) {
            const double q = LeadingNumber(row->cells[M::Qty]);
            if (q < 0 || q > 999 || q != double(qint64(q)))
                ++quantity;
        }
        bool any = !row->cells[M::Name].isEmpty();
        for (int b = 0; b < 3; ++b)
            any = any || !row->cells[size_t(M::Barcode1 + b)].isEmpty();
        if (!any) {
            ++p.skippedNoNameNoBarcode;
            return false;
        }
        if (m.isMapped(M::Number)) {
            row->number = goodsNumber(row->cells[M::Number]);
            if (row->number < 0) {
                ++p.skippedNumberRange;
                return false;
            }
        }
        p.controlCells += controls;
        p.cutCells += cut;
        p.filteredCells += filtered;
        p.quantityCells += quantity;
        p.notCp949 += notes;
        return true;
    }

    // Writes the mapped cells of `row` into the 29 cell texts; a new item also gets its
    // number and defaults for what is not mapped.
    void fill(QStringList &cells, const Row &row, bool isNew)
    {
        if (isNew) {
            cells = QStringList(GoodsTable::ColumnCount, QString());
            cells[GoodsTable::FormatColumn - 1] = QStringLiteral("1");
            cells[GoodsTable::NameColumn - 1] = QStringLiteral("?");
        }
        for (int f = M::Name; f < M::FieldCount; ++f) {
            if (!m.isMapped(f))
                continue;
            const QString &v = row.cells[size_t(f)];
            QString &cell = cells[M::goodsColumn(f) - 1];
            if (f == M::Name) {
                if (!v.isEmpty())
                    cell = v;
            } else if (f == M::Format) {
                cell = numberCell(v);
                if (cell.isEmpty())
                    cell = QStringLiteral("1");
            } else if (f == M::Qty) {
                cell = numberCell(v);
            } else {
                cell = v;
            }
        }
    }

    GoodsImportPlan &p;
    const M &m;
};

QString matchKey(const QStringList &cells, GoodsImportPlan::Match match)
{
    if (match == GoodsImportPlan::Match::Barcode1)
        return cells.value(GoodsTable::FirstBarcodeColumn - 1).trimmed();
    const int n = goodsNumber(cells.value(GoodsTable::NumberColumn - 1));
    return n > 0 ? QString::number(n) : QString();
}

} // namespace

GoodsImportPlan GoodsImportPlan::build(const ImportTable &table, const GoodsImportMapping &mapping,
                                       Mode mode, Match match, const GoodsTable &current)
{
    GoodsImportPlan plan;
    bool anyGoodsCell = mapping.isMapped(M::Name);
    for (int b = 0; b < 3; ++b)
        anyGoodsCell = anyGoodsCell || mapping.isMapped(M::Barcode1 + b);
    if (!anyGoodsCell) {
        plan.mappingProblemKorean = QStringLiteral("품목명이나 바코드에 연결한 칸이 없습니다");
        plan.mappingProblemEnglish = QStringLiteral("neither the name nor a barcode is mapped");
        return plan;
    }
    const int keyField = match == Match::Barcode1 ? int(M::Barcode1) : int(M::Number);
    if (mode == Mode::Update && !mapping.isMapped(keyField)) {
        plan.mappingProblemKorean =
            QStringLiteral("갱신하려면 %1에 칸을 연결하세요").arg(M::caption(keyField));
        plan.mappingProblemEnglish =
            QStringLiteral("update needs a column for %1").arg(M::key(keyField));
        return plan;
    }

    Builder b(plan, mapping);
    QList<Row> rows;
    for (int r = mapping.header ? 1 : 0; r < table.rows.size(); ++r) {
        Row row;
        if (b.readRow(table, r, &row))
            rows.append(row);
    }

    if (mode != Mode::Replace)
        plan.rows = current.rowTexts();
    std::bitset<MaxGoods + 1> used;
    QHash<QString, QList<int>> byKey; // match key -> result rows (0-based)
    for (int i = 0; i < plan.rows.size(); ++i) {
        const int n = goodsNumber(plan.rows[i].value(GoodsTable::NumberColumn - 1));
        if (n > 0)
            used.set(size_t(n));
        const QString key = matchKey(plan.rows[i], match);
        if (!key.isEmpty())
            byKey[key].append(i);
    }
    // Numbers the file gives are kept free for their rows.
    std::bitset<MaxGoods + 1> reserved;
    for (const Row &row : rows) {
        if (row.number > 0)
            reserved.set(size_t(row.number));
    }
    int nextFree = 1;
    auto firstFree = [&]() {
        while (nextFree <= MaxGoods &&
               (used.test(size_t(nextFree)) || reserved.test(size_t(nextFree))))
            ++nextFree;
        return nextFree <= MaxGoods ? nextFree : 0;
    };

    int firstChanged = -1;
    for (const Row &row : rows) {
        if (mode == Mode::Update) {
            const QString key = match == Match::Barcode1 ? row.cells[M::Barcode1]
                                : row.number > 0         ? QString::number(row.number)
                                                         : QString();
            const QList<int> hits = key.isEmpty() ? QList<int>() : byKey.value(key);
            if (!hits.isEmpty()) {
                for (int i : hits)
                    b.fill(plan.rows[i], row, false);
                ++plan.updated;
                if (firstChanged < 0)
                    firstChanged = hits.first();
                continue;
            }
        }
        if (plan.rows.size() >= MaxGoods) {
            ++plan.skippedOverLimit;
            continue;
        }
        int number = row.number;
        if (mode != Mode::Replace && number > 0 && used.test(size_t(number))) {
            number = 0;
            ++plan.renumbered;
        }
        if (number == 0)
            number = firstFree();
        if (number == 0) {
            ++plan.skippedOverLimit;
            continue;
        }
        QStringList cells;
        b.fill(cells, row, true);
        cells[GoodsTable::NumberColumn - 1] = GoodsTable::numberText(number);
        used.set(size_t(number));
        plan.rows.append(cells);
        const QString key = matchKey(cells, match);
        if (!key.isEmpty())
            byKey[key].append(int(plan.rows.size()) - 1);
        ++plan.added;
        if (firstChanged < 0)
            firstChanged = int(plan.rows.size()) - 1;
    }
    plan.firstChangedRow = firstChanged + 1;
    return plan;
}

void GoodsImportPlan::applyTo(GoodsTable &table) const
{
    table.setRowTexts(rows);
}

QStringList GoodsImportPlan::summaryKorean() const
{
    if (!mappingProblemKorean.isEmpty())
        return {mappingProblemKorean};
    QStringList out;
    out << QStringLiteral("추가 %1개, 갱신 %2개, 건너뜀 %3개 → 품목 %4개")
               .arg(added)
               .arg(updated)
               .arg(skipped())
               .arg(rows.size());
    if (skippedNoNameNoBarcode)
        out << QStringLiteral("  건너뜀: 품목명과 바코드가 없는 줄 %1개")
                   .arg(skippedNoNameNoBarcode);
    if (skippedNumberRange)
        out << QStringLiteral("  건너뜀: 번호가 1~999 밖인 줄 %1개").arg(skippedNumberRange);
    if (skippedOverLimit)
        out << QStringLiteral("  건너뜀: 999개를 넘는 품목 %1개").arg(skippedOverLimit);
    if (renumbered)
        out << QStringLiteral("  번호가 이미 있어 빈 번호를 받은 품목 %1개").arg(renumbered);
    if (controlCells)
        out << QStringLiteral("줄바꿈 등 제어 문자를 공백으로 바꾼 칸 %1개").arg(controlCells);
    if (cutCells)
        out << QStringLiteral("길이 제한(품목명 50, 바코드·텍스트 30바이트)으로 잘린 칸 %1개")
                   .arg(cutCells);
    if (filteredCells)
        out << QStringLiteral("필드 필터가 , ; | { } 를 ?로 바꾼 칸 %1개").arg(filteredCells);
    if (quantityCells)
        out << QStringLiteral("수량이 0~999 정수가 아닌 칸 %1개").arg(quantityCells);
    if (!notCp949.isEmpty()) {
        out << QStringLiteral("CP949에 없는 문자가 있는 칸 %1개 (?로 바뀜):").arg(notCp949.size());
        for (int i = 0; i < notCp949.size() && i < 20; ++i)
            out << QStringLiteral("  %1행 %2: %3")
                       .arg(notCp949[i].sourceRow)
                       .arg(M::caption(notCp949[i].field), notCp949[i].characters);
        if (notCp949.size() > 20)
            out << QStringLiteral("  외 %1칸").arg(notCp949.size() - 20);
    }
    return out;
}

QStringList GoodsImportPlan::summaryEnglish() const
{
    if (!mappingProblemEnglish.isEmpty())
        return {mappingProblemEnglish};
    QStringList out;
    out << QStringLiteral("%1 added, %2 updated, %3 skipped; %4 goods in the list")
               .arg(added)
               .arg(updated)
               .arg(skipped())
               .arg(rows.size());
    if (skippedNoNameNoBarcode)
        out << QStringLiteral("  skipped: %1 row(s) without name and barcode")
                   .arg(skippedNoNameNoBarcode);
    if (skippedNumberRange)
        out << QStringLiteral("  skipped: %1 row(s) with a number outside 1 to 999")
                   .arg(skippedNumberRange);
    if (skippedOverLimit)
        out << QStringLiteral("  skipped: %1 row(s) over 999 goods").arg(skippedOverLimit);
    if (renumbered)
        out << QStringLiteral("  %1 item(s) got a free number (theirs was in use)").arg(renumbered);
    if (controlCells)
        out << QStringLiteral("%1 cell(s): control characters became spaces").arg(controlCells);
    if (cutCells)
        out << QStringLiteral("%1 cell(s) cut to their byte limit (name 50, data 30)")
                   .arg(cutCells);
    if (filteredCells)
        out << QStringLiteral("%1 cell(s): , ; | { } became ?").arg(filteredCells);
    if (quantityCells)
        out << QStringLiteral("%1 quantity cell(s) not a whole number 0 to 999").arg(quantityCells);
    if (!notCp949.isEmpty()) {
        out << QStringLiteral("%1 cell(s) with characters CP949 lacks (they become ?):")
                   .arg(notCp949.size());
        for (int i = 0; i < notCp949.size() && i < 20; ++i)
            out << QStringLiteral("  row %1 %2: %3")
                       .arg(notCp949[i].sourceRow)
                       .arg(M::key(notCp949[i].field), notCp949[i].characters);
        if (notCp949.size() > 20)
            out << QStringLiteral("  and %1 more").arg(notCp949.size() - 20);
    }
    return out;
}
