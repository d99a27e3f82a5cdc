#include "goodscheck.h"

#include "common/textutil.h"
#include "station/barcodevalidator.h"
#include "station/goodstable.h"
#include "station/labeljob.h"

#include <QHash>

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
