// SPDX-License-Identifier: GPL-3.0-or-later
#include "elementgeometry.h"

#include "model/printerdriver.h"
#include "printers/labeljobreader.h"
#include "render/labelpainter.h"

std::optional<ElementGeometry::Box> ElementGeometry::box(const PrinterDriver &driver,
                                                         const FormatSet &set, int format,
                                                         const Values &values, bool barcode,
                                                         int index)
{
    if (format < 1 || format > FormatSet::FormatCount)
        return std::nullopt;
    const LabelFormat &f = set.Fmt[format];
    if (barcode ? (index < 1 || index > FormatSet::BarcodeCount || f.Bar[index].BarSelt == 0)
                : (index < 1 || index > FormatSet::ShownTextCount || f.Txt[index].TxtSelt == 0))
        return std::nullopt;
    // The element alone on its label.
    FormatSet alone = set;
    LabelFormat &a = alone.Fmt[format];
    for (int b = 1; b <= FormatSet::BarcodeCount; ++b)
        a.Bar[b].BarSelt = barcode && b == index ? f.Bar[b].BarSelt : 0;
    for (int t = 1; t <= FormatSet::TextCount; ++t)
        a.Txt[t].TxtSelt = !barcode && t == index ? f.Txt[t].TxtSelt : 0;
    auto drawn = [&](const Values &v, LabelDescription *label) {
        *label = LabelJobReader::read(
            driver.labelJob(alone, format, v.barcodes, v.texts, 1, v.blackMark));
        QRectF dots;
        for (const LabelPainter::Placement &p : LabelPainter::placements(*label))
            dots = dots.united(p.bounds);
        return dots;
    };
    LabelDescription label;
    QRectF dots = drawn(values, &label);
    // An element whose goods value is empty still has its place: it is found with a sample
    // value (digits every symbology takes, a Hangul word).
    const bool empty = barcode ? values.barcodes[index].trimmed().isEmpty()
                               : index <= 10 && values.texts[index].trimmed().isEmpty();
    for (const char *sample : {"880123456789", "1234567"}) {
        if (!dots.isEmpty() || !empty)
            break;
        Values v = values;
        if (barcode)
            v.barcodes[index] = QString::fromLatin1(sample);
        else
            v.texts[index] = QStringLiteral("가나다");
        dots = drawn(v, &label);
    }
    if (dots.isEmpty())
        return std::nullopt;
    const double perMm = qMax(1, label.dotsPerMm);
    return Box{barcode, index, QRectF(dots.topLeft() / perMm, dots.size() / perMm)};
}

QList<ElementGeometry::Box> ElementGeometry::boxes(const PrinterDriver &driver,
                                                   const FormatSet &set, int format,
                                                   const Values &values)
{
    QList<Box> out;
    for (int b = 1; b <= FormatSet::BarcodeCount; ++b)
        if (const auto box = ElementGeometry::box(driver, set, format, values, true, b))
            out << *box;
    for (int t = 1; t <= FormatSet::ShownTextCount; ++t)
        if (const auto box = ElementGeometry::box(driver, set, format, values, false, t))
            out << *box;
    return out;
}
