#include "goodscheck.h"

#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "station/barcodevalidator.h"

#include <QHash>

namespace {

bool formatInUse(const LabelFormat &f)
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

} // namespace

QList<GoodsCheck::Problem> GoodsCheck::run(const PrinterDriver &printer, const FormatSet &set,
                                           const GoodsTable &goods)
{
    QList<Problem> out;
    QHash<int, QList<int>> rowsOfNumber;
    for (int r = 1; r <= goods.rows(); ++r)
        rowsOfNumber[goods.numberAt(r)] << r;

    for (int r = 1; r <= goods.rows(); ++r) {
        const QString number = goods.cell(r, GoodsTable::NumberColumn).trimmed();
        Kind kind = Kind::Number;
        auto add = [&](const QString &message) { out.append({r, number, message, kind}); };

        const int n = goods.numberAt(r);
        if (n < 1 || n > 999) {
            add(QStringLiteral("the goods number '%1' is not 1 to 999; give the item a number "
                               "from 1 to 999")
                    .arg(number));
        } else if (rowsOfNumber.value(n).size() > 1 && rowsOfNumber.value(n).first() != r) {
            kind = Kind::DuplicateNumber;
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
        const int format = int(LeadingNumber(formatText));
        kind = Kind::Format;
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
        kind = Kind::Barcode;
        for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
            const BarcodeElement &e = f.Bar[b];
            QString data = barcodes[b];
            // A printer that keeps fixed barcode values prints them instead of the goods'.
            if (printer.keepsExtendedFormat() && !e.BarString.isEmpty())
                data = e.BarString;
            if (e.BarSelt != 1 || data.isEmpty())
                continue;
            const QString why = BarcodeValidator::problem(printer, e.BarCode, data);
            if (!why.isEmpty()) {
                const QString symbology = BarcodeValidator::symbologyName(printer, e.BarCode);
                add(QStringLiteral("barcode %1 '%2' cannot print as %3 (%4); correct the data "
                                   "or choose another symbology in format %5")
                        .arg(b)
                        .arg(data, symbology.isEmpty() ? QStringLiteral("a barcode") : symbology,
                             why)
                        .arg(format));
            }
        }

        const auto texts = LabelJob::rowTexts(goods, r);
        kind = Kind::TextLength;
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

QStringList GoodsCheck::countLines(const QList<Problem> &problems, bool korean)
{
    int counts[KindCount] = {};
    for (const Problem &p : problems)
        ++counts[int(p.kind)];
    static const char *const ko[KindCount] = {
        "번호가 1~999 밖인 품목 %1건", "번호 중복 %1건", "포멧 번호가 없거나 빈 포멧 %1건",
        "포멧의 바코드로 인쇄할 수 없는 데이터 (EAN 체크 숫자, 길이, 문자) %1건",
        "필드보다 긴 텍스트 (앞부분이 잘림) %1건"};
    static const char *const en[KindCount] = {
        "%1 goods number(s) outside 1 to 999", "%1 duplicate goods number(s)",
        "%1 missing format number(s) or empty format(s)",
        "%1 barcode(s) the format's symbology cannot print (EAN check digit, length, characters)",
        "%1 text(s) longer than their field (their left part is cut)"};
    QStringList out;
    for (int k = 0; k < KindCount; ++k) {
        if (counts[k])
            out << QString::fromUtf8(korean ? ko[k] : en[k]).arg(counts[k]);
    }
    return out;
}
