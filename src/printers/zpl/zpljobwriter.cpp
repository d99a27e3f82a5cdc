// SPDX-License-Identifier: GPL-3.0-or-later
#include "zpljobwriter.h"

#include "common/cp949codec.h"
#include "model/printerlanguage.h"
#include "printers/zpl/zplbarcode.h"
#include "printers/zpl/zplgraphic.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString origin(int x, int y)
{
    return QStringLiteral("^FO%1,%2").arg(qMax(0, x)).arg(qMax(0, y));
}

QString picture(const MonoBitmap &bitmap)
{
    return QStringLiteral("^GF") + ZplGraphic::encode(bitmap) + QStringLiteral("^FS");
}

} // namespace

QString ZplJobWriter::escapedData(const QString &data, bool *escaped)
{
    *escaped = false;
    for (QChar c : data) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7E || u == u'^' || u == u'~' || u == u'_')
            *escaped = true;
    }
    if (!*escaped)
        return data;
    QString out;
    for (QChar c : data) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u <= 0x7E && u != u'^' && u != u'~' && u != u'_') {
            out += c;
            continue;
        }
        for (char b : Cp949Codec::encode(QString(c)))
            out += QStringLiteral("_%1").arg(uchar(b), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString ZplJobWriter::write(const LabelDescription &label, const LabelRaster &raster, int dpi,
                            int count, bool blackMark)
{
    const PrintedLabel printed = raster.draw(label, PrinterLanguage::dotsPerMm(dpi));
    QString out;
    auto line = [&out](const QString &text) { out += text + CrLf; };
    line(QStringLiteral("^XA"));
    // The resolution the job is drawn for (the printer's own; read back by this program).
    line(QStringLiteral("^FX%1 dpi").arg(dpi));
    line(QStringLiteral("^PW%1").arg(printed.widthDots));
    line(QStringLiteral("^LL%1").arg(printed.lengthDots));
    line(QStringLiteral("^LH0,0"));
    line(blackMark ? QStringLiteral("^MNM") : QStringLiteral("^MNY"));
    line(label.reversed ? QStringLiteral("^POI") : QStringLiteral("^PON"));
    for (const PrintedPart &part : printed.parts) {
        if (part.kind == PrintedPart::Kind::Picture) {
            line(origin(part.x, part.y) + picture(part.picture));
            continue;
        }
        const LabelObject &o = label.objects[part.object];
        const QString command = ZplBarcode::command(o.symbology, part.height, o.data);
        if (!command.isEmpty() && ZplBarcode::widthsFit(o.symbology, part.narrow, part.wide)) {
            bool escaped = false;
            const QString data =
                escapedData(ZplBarcode::fieldData(o.symbology, o.data), &escaped);
            line(origin(part.x, part.y) +
                 ZplBarcode::moduleCommand(o.symbology, part.narrow, part.wide, part.height) +
                 command + (escaped ? QStringLiteral("^FH") : QString()) +
                 QStringLiteral("^FD") + data + QStringLiteral("^FS"));
            continue;
        }
        if (part.picture.isNull())
            continue; // data the symbology cannot encode prints nothing
        // The bars as drawn, with what they are for the reader. A comment ends at the next
        // caret or tilde: data holding one (or anything but printable ASCII) goes as hex.
        bool plain = !o.data.startsWith(QLatin1String("hex:"));
        for (QChar c : o.data)
            plain = plain && c.unicode() >= 0x20 && c.unicode() <= 0x7E && c != QLatin1Char('^') &&
                    c != QLatin1Char('~');
        const QString data =
            plain ? o.data : QStringLiteral("hex:") + QString::fromLatin1(o.data.toUtf8().toHex());
        line(origin(part.x, part.y) +
             QStringLiteral("^FXbars,%1,%2,%3,%4")
                 .arg(ZplBarcode::key(o.symbology))
                 .arg(part.narrow)
                 .arg(part.wide)
                 .arg(data) +
             picture(part.picture));
    }
    line(QStringLiteral("^PQ%1").arg(count));
    line(QStringLiteral("^XZ"));
    return out;
}
