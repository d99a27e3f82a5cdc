#include "srp770job.h"

#include "common/textutil.h"

#include <cstdlib>

namespace {

constexpr int DotsPerMm = 8;
const QString CrLf = QStringLiteral("\r\n");

QString dots(qint32 mm)
{
    return QString::number(qint64(mm) * DotsPerMm);
}

// Printer symbology code: the format's 1..10 shifted to 0..9; unset or unknown gives EAN13.
int symbologyCode(qint16 barCode)
{
    return barCode >= 1 && barCode <= 10 ? barCode - 1 : 7;
}

// BarDen keeps narrow and wide bar widths as tens and units digit; a 0 digit means the
// printer's usual 2 (narrow) or 6 (wide).
void barWidths(qint16 barDen, int *narrow, int *wide)
{
    const int v = std::abs(int(barDen)) % 100;
    *narrow = v / 10 == 0 ? 2 : v / 10;
    *wide = v % 10 == 0 ? 6 : v % 10;
}

QString fontCode(qint16 font)
{
    switch (font) {
    case 2:
        return QStringLiteral("1");
    case 3:
        return QStringLiteral("2");
    case 4:
        return QStringLiteral("3");
    case 5:
        return QStringLiteral("a");
    case 6:
        return QStringLiteral("b");
    default: // 0 (not set), 1 and anything unknown: the smallest font
        return QStringLiteral("0");
    }
}

} // namespace

QString BuildSrp770Label(const FormatSet &set, int format, const LabelItem &item, int count,
                         bool blackMark)
{
    if (format < 1 || format > FormatSet::FormatCount)
        return {};
    const LabelFormat &f = set.Fmt[format];

    QString out;
    auto line = [&out](const QString &text) { out += text + CrLf; };

    line(QStringLiteral("CB"));
    line(QStringLiteral("SS2"));
    line(QStringLiteral("SD20"));
    line(QStringLiteral("SW") + dots(f.LblWidth));
    // The 24 dots are a fixed 3 mm gap length.
    line(QStringLiteral("SL") + dots(f.LblLeng) + QStringLiteral(",24,") +
         (blackMark ? QStringLiteral("B") : QStringLiteral("G")));
    line(QStringLiteral("SO") + (f.LblDegree == 0 ? QStringLiteral("T") : QStringLiteral("B")));

    for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
        const BarcodeElement &e = f.Bar[b];
        const QString &data = item.barcodes[b];
        if (e.BarSelt != 1 || data.isEmpty())
            continue;
        int narrow = 0, wide = 0;
        barWidths(e.BarDen, &narrow, &wide);
        line(QStringLiteral("B1") + dots(e.BarXx) + ',' + dots(e.BarYy) + ',' +
             QString::number(symbologyCode(e.BarCode)) + ',' + QString::number(narrow) + ',' +
             QString::number(wide) + ',' + dots(e.BarHeight) + QStringLiteral(",0,") +
             (e.BarHmRead == 2 ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral(",'") +
             data + '\'');
    }

    for (int t = 1; t <= FormatSet::ShownTextCount; ++t) {
        const TextElement &e = f.Txt[t];
        QString text = e.TxtString.isEmpty() ? item.texts[t] : e.TxtString;
        if (e.TxtRight != 0)
            text = AlignRightByBytes(text, e.TxtRight, 1);
        if (e.TxtSelt != 1 || text.isEmpty())
            continue;
        const bool reverse = e.TxtRvs == 1 || e.TxtRvs == 3;
        const bool bold = e.TxtRvs == 2 || e.TxtRvs == 3;
        line(QStringLiteral("T") + dots(e.TxtXx) + ',' + dots(e.TxtYy) + ',' + fontCode(e.TxtFont) +
             ',' + QString::number(e.TxtXSize) + ',' + QString::number(e.TxtYSize) +
             QStringLiteral(",0,0,") + (reverse ? QStringLiteral("R") : QStringLiteral("N")) + ',' +
             (bold ? QStringLiteral("B") : QStringLiteral("N")) + QStringLiteral(",'") + text +
             '\'');
    }

    line(QStringLiteral("P") + QString::number(count));
    return out;
}
