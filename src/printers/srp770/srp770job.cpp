// SPDX-License-Identifier: GPL-3.0-or-later
#include "srp770job.h"

#include "common/textutil.h"
#include "printers/srp770/srp770driver.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString dots(qint32 mm)
{
    return QString::number(qint64(mm) * PrinterDriver::DotsPerMm);
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
    line(QStringLiteral("SL") + dots(f.LblLeng) + ',' + QString::number(Srp770Driver::GapDots) +
         ',' + (blackMark ? QStringLiteral("B") : QStringLiteral("G")));
    line(QStringLiteral("SO") + (f.LblDegree == 0 ? QStringLiteral("T") : QStringLiteral("B")));

    for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
        const BarcodeElement &e = f.Bar[b];
        const QString &data = item.barcodes[b];
        if (e.BarSelt != 1 || data.isEmpty())
            continue;
        int narrow = 0, wide = 0;
        Srp770Driver::barWidths(e.BarDen, &narrow, &wide);
        line(QStringLiteral("B1") + dots(e.BarXx) + ',' + dots(e.BarYy) + ',' +
             QString::number(Srp770Driver::symbologyCode(e.BarCode)) + ',' +
             QString::number(narrow) + ',' + QString::number(wide) + ',' + dots(e.BarHeight) +
             QStringLiteral(",0,") +
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
        line(QStringLiteral("T") + dots(e.TxtXx) + ',' + dots(e.TxtYy) + ',' +
             Srp770Driver::fontCode(e.TxtFont) + ',' + QString::number(e.TxtXSize) + ',' +
             QString::number(e.TxtYSize) + QStringLiteral(",0,0,") +
             (reverse ? QStringLiteral("R") : QStringLiteral("N")) + ',' +
             (bold ? QStringLiteral("B") : QStringLiteral("N")) + QStringLiteral(",'") + text +
             '\'');
    }

    line(QStringLiteral("P") + QString::number(count));
    return out;
}
