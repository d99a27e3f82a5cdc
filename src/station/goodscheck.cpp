#include "goodscheck.h"

#include "common/textutil.h"
#include "station/barcodevalidator.h"
#include "station/fieldfilter.h"
#include "station/goodstable.h"
#include "station/labeljob.h"

#include <QHash>

#include <array>

bool GoodsCheck::formatInUse(const LabelFormat &f)
{
    for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
        if (f.Bar[b].BarSelt == 1)
            return true;
    }
    for (int t = 1; t <= FormatSet::ShownTextCount; ++t) {
        if (f.Txt[t].TxtSelt == 1)
            return true;
    }
    return false;
}

QList<GoodsCheck::Problem> GoodsCheck::run(PrinterModel model, const FormatSet &set,
                                           const GoodsTable &goods)
{
    QList<Problem> out;
    std::array<bool, FormatSet::FormatCount + 1> fixedChecked{};
    const QString delimiters = QStringLiteral("its records cannot carry , ; | { } and take \"?\" "
                                              "instead; write the value without them");
    QHash<int, QList<int>> rowsOfNumber;
    for (int r = 1; r <= goods.rows(); ++r)
        rowsOfNumber[goods.numberAt(r)] << r;

    for (int r = 1; r <= goods.rows(); ++r) {
        const QString number = goods.cell(r, GoodsTable::NumberColumn).trimmed();
        auto add = [&](const QString &message) { out.append({r, number, message}); };

        const int n = goods.numberAt(r);
        if (n < 1 || n > 999) {
            add(QStringLiteral("the goods number '%1' is not 1 to 999; give the item a number "
                               "from 1 to 999")
                    .arg(number));
        } else if (rowsOfNumber.value(n).size() > 1 && rowsOfNumber.value(n).first() != r) {
            add(QStringLiteral("the goods number is used %1 times (rows %2); give this item a "
                               "number of its own")
                    .arg(rowsOfNumber.value(n).size())
                    .arg([&] {
                        QStringList rows;
                        for (int x : rowsOfNumber.value(n))
                            rows << QString::number(x);
                        return rows.join(QLatin1String(", "));
                    }()));
        }

        const int qty = LeadingInt(goods.cell(r, GoodsTable::QtyColumn));
        if (qty > LabelJob::MaxCount)
            add(QStringLiteral("the quantity %1 is more than one label job carries (%2): the "
                               "item is not printed with its own quantity; give it a quantity "
                               "from 1 to %2")
                    .arg(qty)
                    .arg(LabelJob::MaxCount));

        // Every cell the AL-300 jobs send: barcodes 1..3 and texts 1..10 (the item table).
        if (model == PrinterModel::AL300) {
            for (int c = GoodsTable::FirstBarcodeColumn;
                 c < GoodsTable::FirstTextColumn + FormatSet::ShownTextCount; ++c) {
                const QString cell = goods.cell(r, c).trimmed();
                const QString sent = FieldFilter(cell);
                if (sent == cell)
                    continue;
                const bool barcode = c < GoodsTable::FirstTextColumn;
                add(QStringLiteral("%1 %2 '%3' is sent to the AL-300 as '%4': %5")
                        .arg(barcode ? QStringLiteral("barcode") : QStringLiteral("text"))
                        .arg(barcode ? c - GoodsTable::FirstBarcodeColumn + 1
                                     : c - GoodsTable::FirstTextColumn + 1)
                        .arg(cell, sent, delimiters));
            }
        }

        const QString formatText = goods.cell(r, GoodsTable::FormatColumn).trimmed();
        const int format = LeadingInt(formatText);
        if (format < 1 || format > FormatSet::FormatCount) {
            add(formatText.isEmpty()
                    ? QStringLiteral("no format number: the item prints only with a chosen "
                                     "format; give it a format from 1 to 5")
                    : QStringLiteral("the format number '%1' is not 1 to 5: the item prints "
                                     "nothing; give it a format from 1 to 5")
                          .arg(formatText));
            continue;
        }
        const LabelFormat &f = set.Fmt[format];
        if (!formatInUse(f)) {
            add(QStringLiteral("format %1 has no barcode or text in use: the label comes out "
                               "blank; set up format %1 or choose another format")
                    .arg(format));
            continue;
        }

        // The format's fixed values, once per format, at the first row printed with it.
        if (model == PrinterModel::AL300 && !fixedChecked[size_t(format)]) {
            fixedChecked[size_t(format)] = true;
            auto fixed = [&](const QString &kind, int element, bool used, const QString &value) {
                if (!used || value.isEmpty() || FieldFilter(value) == value)
                    return;
                add(QStringLiteral("the fixed %1 %2 of format %3 '%4' is sent to the AL-300 as "
                                   "'%5': %6")
                        .arg(kind)
                        .arg(element)
                        .arg(format)
                        .arg(value, FieldFilter(value), delimiters));
            };
            for (int b = 1; b <= FormatSet::BarcodeCount; ++b)
                fixed(QStringLiteral("barcode"), b, f.Bar[b].BarSelt == 1, f.Bar[b].BarString);
            for (int t = 1; t <= FormatSet::ShownTextCount; ++t)
                fixed(QStringLiteral("text"), t, f.Txt[t].TxtSelt == 1, f.Txt[t].TxtString);
        }

        const auto barcodes = LabelJob::rowBarcodes(goods, r);
        for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
            const BarcodeElement &e = f.Bar[b];
            QString data = barcodes[b];
            if (model == PrinterModel::AL300 && !e.BarString.isEmpty())
                data = e.BarString;
            if (e.BarSelt != 1 || data.isEmpty())
                continue;
            const QString why = BarcodeValidator::problem(model, e.BarCode, data);
            if (!why.isEmpty()) {
                const QString symbology = BarcodeValidator::symbologyName(model, e.BarCode);
                add(QStringLiteral("barcode %1 '%2' cannot print as %3 (%4); correct the data "
                                   "or choose another symbology in format %5")
                        .arg(b)
                        .arg(data, symbology.isEmpty() ? QStringLiteral("a barcode") : symbology,
                             why)
                        .arg(format));
            }
        }

        const auto texts = LabelJob::rowTexts(goods, r);
        for (int t = 1; t <= FormatSet::ShownTextCount; ++t) {
            const TextElement &e = f.Txt[t];
            const QString text = e.TxtString.isEmpty() ? texts[t] : e.TxtString;
            if (e.TxtSelt != 1 || e.TxtRight <= 0)
                continue;
            const int bytes = AnsiByteLen(text);
            if (bytes > e.TxtRight)
                add(QStringLiteral("text %1 '%2' is %3 bytes, longer than its %4-byte field in "
                                   "format %5, so its left part is cut; shorten the text or "
                                   "widen the field")
                        .arg(t)
                        .arg(text)
                        .arg(bytes)
                        .arg(e.TxtRight)
                        .arg(format));
        }
    }
    return out;
}
