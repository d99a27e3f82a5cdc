// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300protocol.h"

#include "common/textutil.h"
#include "model/fieldfilter.h"
#include "printers/al300/al300driver.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Zero-padded field of `width` characters keeping the rightmost ones ("0000" + n, last 4).
QString padded(qint64 n, int width)
{
    return (QString(width, QLatin1Char('0')) + QString::number(n)).right(width);
}

QString plain(qint64 n)
{
    return QString::number(n);
}

// Ratio character of a barcode: the digit below 10, "A" for 10 and above.
QString ratioChar(qint16 den)
{
    return den < 10 ? plain(den) : QStringLiteral("A");
}

QString colourLetter(qint16 rvs)
{
    return rvs == 0 ? QStringLiteral("B") : QStringLiteral("W");
}

// Input class code of a field for the printer's own data entry (stand-alone mode).
// Classes: 0 "X", 1 "0" digits, 2 "A", 3 "가". Unknown classes are treated as class 0.
QString barInputCode(qint16 edit)
{
    switch (edit) {
    case 2:
        return QStringLiteral("2");
    case 3:
        return QStringLiteral("9");
    default:
        return QStringLiteral("0");
    }
}

QString textInputCode(qint16 edit)
{
    switch (edit) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("2");
    default:
        return QStringLiteral("9");
    }
}

// A value as the AL-300's records can carry it: values go unquoted, so the record delimiters
// , ; | { } are sent as "?" (the field filter of the goods editor), whatever the goods file
// or the format holds.
QString recordValue(const QString &value)
{
    return FieldFilter(value);
}

bool isFixedText(const TextElement &e)
{
    return !e.TxtString.trimmed().isEmpty();
}

// Fixed text field name: F + 3-digit (element number + 4), i.e. its item table column.
QString fixedField(int j)
{
    return QStringLiteral("F") + padded(j + 4, 3);
}

QString barcodeGeometry(const BarcodeElement &e)
{
    return QStringLiteral(",I,000,") + padded(e.BarYy, 4) + ',' + padded(e.BarXx, 3) + ',' +
           ratioChar(e.BarDen) + ',' + plain(e.BarCode) + QStringLiteral(",0,") +
           plain(e.BarHeight) + ',' + plain(e.BarHmRead) + '|' + CrLf;
}

QString textStyle(const TextElement &e)
{
    return Al300Driver::fontCode(e.TxtFont) + QStringLiteral(",0,0,") + colourLetter(e.TxtRvs) +
           QStringLiteral(",D,0|") + CrLf;
}

bool validFormat(int k)
{
    return k >= 1 && k <= FormatSet::FormatCount;
}

} // namespace

QString BuildPrintJob(const FormatSet &set, int k, const std::array<QString, 4> &barcodes,
                      const std::array<QString, 11> &texts, int qty)
{
    if (!validFormat(k))
        return {};
    const LabelFormat &f = set.Fmt[k];

    QString form = QStringLiteral("{F001,") + padded(f.LblLeng, 4) + ',' + padded(f.LblWidth, 3) +
                   QStringLiteral(";QELFF001|") + CrLf;
    QString data = QStringLiteral("{B001,") + padded(qty, 4) + QStringLiteral(",E,1,1,") +
                   (f.LblDegree == 0 ? QStringLiteral("0") : QStringLiteral("2")) +
                   QStringLiteral(",C;QELFB001|") + CrLf;

    int n = 0; // printed objects so far
    for (int j = 1; j <= FormatSet::BarcodeCount; ++j) {
        const BarcodeElement &e = f.Bar[j];
        const QString value = recordValue(e.BarString.isEmpty() ? barcodes[j] : e.BarString);
        if (e.BarSelt != 1 || value.isEmpty())
            continue;
        ++n;
        form += QStringLiteral("B") + padded(n, 2) + barcodeGeometry(e);
        data += QStringLiteral("B") + padded(n, 2) + ';' + value + '|' + CrLf;
    }
    for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
        const TextElement &e = f.Txt[j];
        QString value = recordValue(e.TxtString.isEmpty() ? texts[j] : e.TxtString);
        // Aligned before the emptiness test: a text with a width is sent even when blank.
        if (e.TxtRight > 0)
            value = AlignRightByBytes(value, e.TxtRight, 1);
        if (e.TxtSelt != 1 || value.isEmpty())
            continue;
        ++n;
        form += QStringLiteral("T") + padded(n, 2) + QStringLiteral(",I,000,") +
                padded(e.TxtYy, 4) + ',' + padded(e.TxtXx, 3) + ',' + '0' + plain(e.TxtYSize) +
                '0' + plain(e.TxtXSize) + ',' + textStyle(e);
        data += QStringLiteral("T") + padded(n, 2) + ';' + value + '|' + CrLf;
    }
    form += QStringLiteral("}") + CrLf;
    data += QStringLiteral("}") + CrLf;
    return form + data;
}

QString BuildFormatDownload(const FormatSet &set, const std::array<bool, 6> &selected)
{
    QString out;
    for (int i = 1; i <= FormatSet::FormatCount; ++i) {
        if (!selected[i])
            continue;
        const LabelFormat &f = set.Fmt[i];
        const QString nnn = padded(i, 3);

        int b = 0, t = 0, v = 0;
        for (int j = 1; j <= FormatSet::BarcodeCount; ++j)
            b += f.Bar[j].BarSelt == 1;
        for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
            if (f.Txt[j].TxtSelt != 1)
                continue;
            ++t;
            v += !isFixedText(f.Txt[j]);
        }
        const int fixedCount = t - v;

        out += QStringLiteral("{N,D,") + nnn + QStringLiteral(",F}") + CrLf;
        out += QStringLiteral("{N,R,") + nnn + QStringLiteral(",F,") + plain(f.LblLeng) + ',' +
               plain(f.LblWidth) + ',' + plain(f.LblDegree) + ',' + plain(f.LblMode) + ',' +
               plain(f.LblSensor) + ',' + plain(f.LblCut) + QStringLiteral(";QelForm") + plain(i) +
               ';' + plain(f.LblOver) + '|' + CrLf;
        out += QStringLiteral("I,") + plain(1 + b + v) + '|' + CrLf;

        // Variable fields: P001 the goods number, then the used barcodes, then the used
        // texts without fixed text. The same numbering is used by the object records below.
        int field = 1;
        std::array<int, 4> barField{};
        std::array<int, 11> textField{};
        out += QStringLiteral("P001,K,3,F,0,N,상품번호|") + CrLf;
        for (int j = 1; j <= FormatSet::BarcodeCount; ++j) {
            if (f.Bar[j].BarSelt != 1)
                continue;
            barField[j] = ++field;
            out += QStringLiteral("P") + padded(field, 3) + QStringLiteral(",K,30,V,") +
                   barInputCode(f.Bar[j].BarEdit) + QStringLiteral(",N,바코드") + padded(j, 2) +
                   '|' + CrLf;
        }
        for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
            const TextElement &e = f.Txt[j];
            if (e.TxtSelt != 1 || isFixedText(e))
                continue;
            textField[j] = ++field;
            out += QStringLiteral("P") + padded(field, 3) + QStringLiteral(",K,30,V,") +
                   textInputCode(e.TxtEdit) + QStringLiteral(",N,텍스트") + padded(j, 2) + '|' +
                   CrLf;
        }

        if (fixedCount > 0) {
            out += QStringLiteral("E,") + plain(fixedCount) + '|' + CrLf;
            for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
                const TextElement &e = f.Txt[j];
                if (e.TxtSelt == 1 && isFixedText(e))
                    out += fixedField(j) + ',' + recordValue(e.TxtString) + '|' + CrLf;
            }
        }

        out += QStringLiteral("O,") + plain(b + t) + '|' + CrLf;
        for (int j = 1; j <= FormatSet::BarcodeCount; ++j) {
            if (barField[j] != 0)
                out += QStringLiteral("B,P") + padded(barField[j], 3) + barcodeGeometry(f.Bar[j]);
        }
        for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
            const TextElement &e = f.Txt[j];
            if (e.TxtSelt != 1)
                continue;
            const QString name =
                textField[j] != 0 ? QStringLiteral("P") + padded(textField[j], 3) : fixedField(j);
            out += QStringLiteral("T,") + name + QStringLiteral(",I,000,") + padded(e.TxtYy, 4) +
                   ',' + padded(e.TxtXx, 3) + ',' + plain(e.TxtYSize) + ',' + plain(e.TxtXSize) +
                   ',' + textStyle(e);
        }
        out += QStringLiteral("}") + CrLf;
    }
    return out;
}

QString BuildLinkDownload(const FormatSet &set, const std::array<bool, 6> &selected)
{
    QString out;
    for (int i = 1; i <= FormatSet::FormatCount; ++i) {
        if (!selected[i])
            continue;
        const LabelFormat &f = set.Fmt[i];
        const QString nnn = padded(i, 3);

        out += QStringLiteral("{S,D,") + nnn + QStringLiteral(",F}") + CrLf;
        out += QStringLiteral("{S,R,") + nnn + QStringLiteral(",F,001,F,") + nnn +
               QStringLiteral(",F|") + CrLf;
        out += QStringLiteral("K,001|") + CrLf;
        out += QStringLiteral("K001,1,1,3,0,상품번호?|") + CrLf;

        // Item column -> format field, numbered exactly as in the format download.
        int field = 0;
        out += QStringLiteral("M,001,P") + padded(++field, 3) + QStringLiteral(",0,0|") + CrLf;
        for (int j = 1; j <= FormatSet::BarcodeCount; ++j) {
            const BarcodeElement &e = f.Bar[j];
            if (e.BarSelt != 1)
                continue;
            out += QStringLiteral("M,") + padded(j + 1, 3) + QStringLiteral(",P") +
                   padded(++field, 3) + QStringLiteral(",1,") +
                   (e.BarEdit == 0 ? QStringLiteral("0") : QStringLiteral("1")) + '|' + CrLf;
        }
        for (int j = 1; j <= FormatSet::ShownTextCount; ++j) {
            const TextElement &e = f.Txt[j];
            if (e.TxtSelt != 1 || isFixedText(e))
                continue;
            out += QStringLiteral("M,") + padded(j + 4, 3) + QStringLiteral(",P") +
                   padded(++field, 3) + QStringLiteral(",1,") +
                   (e.TxtEdit == 0 ? QStringLiteral("0") : QStringLiteral("1")) + '|' + CrLf;
        }
        out += QStringLiteral("}") + CrLf;
    }
    return out;
}

QString BuildItemTableDownload(const QList<QStringList> &rows)
{
    QString out = QStringLiteral("{I,D,001,F}") + CrLf;
    if (rows.isEmpty())
        return out;

    // 14 columns: the goods number 3 wide, then 3 barcodes and 10 texts 30 wide each.
    out += QStringLiteral("{I,R,001,F,") + padded(14, 3) + QStringLiteral(";3") +
           QStringLiteral(",30").repeated(13) + '|' + CrLf;

    auto cell = [](const QStringList &row, int column) {
        return column - 1 < row.size() ? row.at(column - 1).trimmed() : QString();
    };
    for (const QStringList &row : rows) {
        bool inRange = false;
        const qint64 number = LeadingWholeNumber(cell(row, 1), 1, 999, &inRange);
        if (!inRange)
            continue;
        QString line = padded(number, 3);
        for (int column = 6; column <= 18; ++column) {
            const QString value = recordValue(cell(row, column));
            line += ',' + (value.isEmpty() ? QStringLiteral(" ") : value);
        }
        out += line + '|' + CrLf;
    }
    out += QStringLiteral("}") + CrLf;
    return out;
}
