// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsimportplan.h"

#include "common/currency.h"
#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/importedcell.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

#include <bitset>
#include <limits>

namespace {

using M = GoodsImportMapping;

// A cell's text in a listing: quoted, "" when blank.
QString shown(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// "3, 5, 7" (the first 20, then "…").
QString rowList(const QList<int> &rows)
{
    QStringList out;
    for (int i = 0; i < rows.size() && i < 20; ++i)
        out << QString::number(rows[i]);
    if (rows.size() > 20)
        out << QStringLiteral("...");
    return out.join(QStringLiteral(", "));
}

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

// "1,050", "-12,345.5": a number written with thousands separators.
bool hasThousands(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?\d{1,3}(,\d{3})+(\.\d+)?$)"));
    return number.match(text).hasMatch();
}

// "8.80001E+12": a number a spreadsheet wrote in scientific notation.
bool isScientific(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?\d+(\.\d+)?[eE][+-]?\d+$)"));
    return number.match(text).hasMatch();
}

struct Row {
    int sourceRow = 0;
    int number = 0; // 0 none given
    std::array<QString, M::FieldCount> cells;
};

class Builder {
public:
    Builder(GoodsImportPlan &plan, const M &mapping, const GoodsImportPlan::Options &options)
        : p(plan), m(mapping), o(options)
    {
    }

    // The cleaned cells of one file row; false when the row is skipped.
    bool readRow(const ImportTable &t, int r, Row *row)
    {
        row->sourceRow = t.sourceRows.value(r);
        // The cells' findings count only for rows that are imported.
        int controls = 0, cut = 0, filtered = 0, quantity = 0, thousands = 0;
        QList<GoodsImportPlan::CellNote> notes;
        QList<GoodsImportPlan::ChangedCell> changed;
        bool scientific = false;
        for (int f = 0; f < M::FieldCount; ++f) {
            if (!m.isMapped(f))
                continue;
            const QString raw = t.cell(r, m.column(f));
            QString read = raw.trimmed();
            if (hasThousands(read)) {
                ++thousands;
                if (o.plainThousands)
                    read.remove(QLatin1Char(','));
            }
            if (f >= M::Barcode1 && f < M::Text1 && isScientific(read))
                scientific = true;
            if (f == M::Number || f == M::Format || f == M::Qty) {
                row->cells[size_t(f)] = ImportedCell::controlsToSpaces(read).trimmed();
                if (f != M::Number) {
                    const QString stored = numberCell(row->cells[size_t(f)]);
                    // A blank cell stands for 0 as the goods file writes it.
                    if (stored != raw.trimmed() && !(stored.isEmpty() && isZero(raw)))
                        changed.append({row->sourceRow, f, raw.trimmed(), stored});
                }
                continue;
            }
            // The cell as the file has it, unless its thousands separators were taken out.
            const QString input = read == raw.trimmed() ? raw : read;
            const ImportedCell c = ImportedCell::clean(
                input, f == M::Name ? GoodsImportPlan::NameBytes : GoodsImportPlan::DataBytes,
                f != M::Name);
            row->cells[size_t(f)] = c.text;
            if (c.text != raw.trimmed())
                changed.append({row->sourceRow, f, raw.trimmed(), c.text});
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
        if (scientific) {
            p.scientificBarcodeRows.append(row->sourceRow);
            return false;
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
        p.changedCells += changed;
        p.thousandsCells += thousands;
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
            if (!m.isMapped(M::Qty))
                cells[GoodsTable::QtyColumn - 1] =
                    numberCell(QString::number(std::clamp(o.defaultQty, 0, 999)));
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
    const GoodsImportPlan::Options &o;

private:
    static bool isZero(const QString &raw)
    {
        bool ok = false;
        return raw.trimmed().toDouble(&ok) == 0 && ok;
    }
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
                                       Mode mode, Match match, const GoodsTable &current,
                                       const Options &options)
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

    plan.plainThousands = options.plainThousands;
    Builder b(plan, mapping, options);
    QList<Row> rows;
    const int captionRow =
        mapping.header ? std::clamp(mapping.captionRow, 0, int(table.rows.size())) : -1;
    plan.skippedAboveCaptions = std::max(0, captionRow);
    for (int r = captionRow + 1; r < table.rows.size(); ++r) {
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

QStringList GoodsImportPlan::changedCellLines(bool korean) const
{
    QStringList out;
    if (changedCells.isEmpty())
        return out;
    out << (korean
                ? QStringLiteral("읽은 것과 다르게 저장되는 칸 %1개 (행, 칸: 읽은 값 → 저장할 값):")
                : QStringLiteral("%1 cell(s) stored otherwise than read (row, cell: read -> "
                                 "stored):"))
               .arg(changedCells.size());
    for (const ChangedCell &c : changedCells)
        out << (korean ? QStringLiteral("  %1행 %2: %3 → %4")
                       : QStringLiteral("  row %1 %2: %3 -> %4"))
                   .arg(c.sourceRow)
                   .arg(korean ? M::caption(c.field) : M::key(c.field), shown(c.read),
                        shown(c.stored));
    return out;
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
    if (!scientificBarcodeRows.isEmpty())
        out << QStringLiteral("  건너뜀: 바코드가 지수 표기(8.80001E+12 등)라 숫자를 잃은 줄 %1개 "
                              "(%2행) - 엑셀에서 바코드 열을 텍스트 형식으로 바꾸고 바코드를 다시 "
                              "넣어 저장하세요")
                   .arg(scientificBarcodeRows.size())
                   .arg(rowList(scientificBarcodeRows));
    if (skippedAboveCaptions)
        out << QStringLiteral("  제목 줄 위의 줄 %1개는 가져오지 않음").arg(skippedAboveCaptions);
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
    if (thousandsCells)
        out << (plainThousands
                    ? QStringLiteral(
                          "천 단위 쉼표가 있는 숫자 칸 %1개: 쉼표를 빼고 저장 (1,050 → 1050)")
                    : QStringLiteral("천 단위 쉼표가 있는 숫자 칸 %1개: 쉼표는 ?로 바뀝니다 "
                                     "('천 단위 쉼표 빼기'를 고르면 1,050 → 1050)"))
                   .arg(thousandsCells);
    out << changedCellLines(true);
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
    if (!scientificBarcodeRows.isEmpty())
        out << QStringLiteral("  refused: %1 row(s) whose barcode is a number in scientific "
                              "notation, its digits lost (row %2); format the barcode column "
                              "as text in the spreadsheet and enter the barcodes again")
                   .arg(scientificBarcodeRows.size())
                   .arg(rowList(scientificBarcodeRows));
    if (skippedAboveCaptions)
        out << QStringLiteral("  %1 row(s) above the caption row not imported")
                   .arg(skippedAboveCaptions);
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
    if (thousandsCells)
        out << (plainThousands
                    ? QStringLiteral("%1 number cell(s) with thousands separators: stored "
                                     "without them (1,050 -> 1050)")
                    : QStringLiteral("%1 number cell(s) with thousands separators: the commas "
                                     "become ? (--plain-thousands stores 1,050 as 1050)"))
                   .arg(thousandsCells);
    out << changedCellLines(false);
    return out;
}
