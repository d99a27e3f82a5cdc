// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodscheck.h"

#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "render/barcodevalidator.h"

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

QList<GoodsCheck::Problem> GoodsCheck::run(const PrinterDriver &printer, const FormatSet &set,
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

        const int qty = LeadingInt(goods.cell(r, GoodsTable::QtyColumn));
        kind = Kind::Quantity;
        if (qty > LabelJob::MaxCount)
            add(QStringLiteral("the quantity %1 is more than one label job carries (%2): the "
                               "item is not printed with its own quantity; give it a quantity "
                               "from 1 to %2")
                    .arg(qty)
                    .arg(LabelJob::MaxCount));

        // Every cell the jobs send (barcodes 1..3 and texts 1..10, the AL-300's item table
        // too) that goes out otherwise than the list holds it.
        kind = Kind::SentChanged;
        {
            for (int c = GoodsTable::FirstBarcodeColumn;
                 c < GoodsTable::FirstTextColumn + FormatSet::ShownTextCount; ++c) {
                const QString cell = goods.cell(r, c).trimmed();
                const QString sent = printer.sentValue(cell);
                if (sent == cell)
                    continue;
                const bool barcode = c < GoodsTable::FirstTextColumn;
                add(QStringLiteral("%1 %2 '%3' is sent to the %4 as '%5': %6")
                        .arg(barcode ? QStringLiteral("barcode") : QStringLiteral("text"))
                        .arg(barcode ? c - GoodsTable::FirstBarcodeColumn + 1
                                     : c - GoodsTable::FirstTextColumn + 1)
                        .arg(cell, printer.name(), sent, delimiters));
            }
        }

        const QString formatText = goods.cell(r, GoodsTable::FormatColumn).trimmed();
        const int format = LeadingInt(formatText);
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

        // The format's fixed values, once per format, at the first row printed with it.
        if (!fixedChecked[size_t(format)]) {
            fixedChecked[size_t(format)] = true;
            kind = Kind::SentChanged;
            auto fixed = [&](const QString &kind, int element, bool used, const QString &value) {
                const QString sent = printer.sentValue(value);
                if (!used || value.isEmpty() || sent == value)
                    return;
                add(QStringLiteral("the fixed %1 %2 of format %3 '%4' is sent to the %5 as "
                                   "'%6': %7")
                        .arg(kind)
                        .arg(element)
                        .arg(format)
                        .arg(value, printer.name(), sent, delimiters));
            };
            for (int b = 1; b <= FormatSet::BarcodeCount; ++b)
                fixed(QStringLiteral("barcode"), b, f.Bar[b].BarSelt == 1, f.Bar[b].BarString);
            for (int t = 1; t <= FormatSet::ShownTextCount; ++t)
                fixed(QStringLiteral("text"), t, f.Txt[t].TxtSelt == 1, f.Txt[t].TxtString);
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
        "번호가 1~999 밖인 품목 %1건",
        "번호 중복 %1건",
        "한 번에 발행할 수 있는 수량을 넘는 품목 %1건",
        "프린터로 보낼 때 , ; | { } 가 ?로 바뀌는 값 %1건",
        "포멧 번호가 없거나 빈 포멧 %1건",
        "포멧의 바코드로 인쇄할 수 없는 데이터 (EAN 체크 숫자, 길이, 문자) %1건",
        "필드보다 긴 텍스트 (앞부분이 잘림) %1건"};
    static const char *const en[KindCount] = {
        "%1 goods number(s) outside 1 to 999",
        "%1 duplicate goods number(s)",
        "%1 quantity(ies) above what one label job carries",
        "%1 value(s) whose , ; | { } are sent as ?",
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
