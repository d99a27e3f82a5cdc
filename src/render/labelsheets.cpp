// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelsheets.h"

#include "common/safesave.h"
#include "render/labelpainter.h"

#include <QPagedPaintDevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtConcurrent>

#include <cmath>

namespace {

QSizeF labelMm(const LabelDescription &label)
{
    const QSizeF dots = LabelPainter::labelSize(label);
    const double perMm = qMax(1, label.dotsPerMm);
    return QSizeF(dots.width() / perMm, dots.height() / perMm);
}

QString mm(double v)
{
    return QString::number(v, 'f', 1);
}

} // namespace

QList<LabelSheets::Place> LabelSheets::places(const QList<LabelDescription> &labels,
                                              const SheetLayout &layout, int start)
{
    QList<Place> out;
    const int perSheet = qMax(1, layout.labelsPerSheet());
    qint64 n = qBound(0, start, perSheet - 1);
    for (int i = 0; i < labels.size(); ++i) {
        for (int c = 0; c < labels[i].count; ++c, ++n) {
            if (n / perSheet >= MaxSheets)
                return out;
            out << Place{int(n / perSheet), int(n % perSheet), i};
        }
    }
    return out;
}

int LabelSheets::sheetCount(const QList<LabelDescription> &labels, const SheetLayout &layout,
                            int start)
{
    const int perSheet = qMax(1, layout.labelsPerSheet());
    qint64 n = qBound(0, start, perSheet - 1);
    for (const LabelDescription &l : labels)
        n += qMax(0, l.count);
    return n == qBound(0, start, perSheet - 1) ? 0 : int((n + perSheet - 1) / perSheet);
}

bool LabelSheets::check(const QList<LabelDescription> &labels, const SheetLayout &layout, int start,
                        QString *korean, QString *english)
{
    auto refuse = [&](const QString &k, const QString &e) {
        if (korean)
            *korean = k;
        if (english)
            *english = e;
        return false;
    };
    QString why;
    if (!layout.isValid(&why))
        return refuse(QStringLiteral("용지 배치 %1이(가) 맞지 않습니다: %2").arg(layout.name, why),
                      QStringLiteral("sheet layout %1: %2").arg(layout.name, why));
    for (const LabelDescription &l : labels) {
        const QSizeF size = labelMm(l);
        if (size.width() > layout.width + FitSlack || size.height() > layout.height + FitSlack)
            return refuse(
                QStringLiteral("라벨(%1×%2 mm)이 용지 칸(%3×%4 mm)보다 커서 인쇄하지 않았습니다")
                    .arg(mm(size.width()), mm(size.height()), mm(layout.width), mm(layout.height)),
                QStringLiteral("the label (%1×%2 mm) is larger than a cell of %3 (%4×%5 mm); "
                               "nothing printed")
                    .arg(mm(size.width()), mm(size.height()), layout.name, mm(layout.width),
                         mm(layout.height)));
    }
    const int sheets = sheetCount(labels, layout, start);
    if (sheets == 0)
        return refuse(QStringLiteral("인쇄할 라벨이 없습니다"),
                      QStringLiteral("no label to print"));
    if (sheets > MaxSheets)
        return refuse(
            QStringLiteral("용지가 너무 많습니다 (%1장, %2장까지)").arg(sheets).arg(MaxSheets),
            QStringLiteral("%1 sheets; at most %2 at once").arg(sheets).arg(MaxSheets));
    return true;
}

bool LabelSheets::paint(QPainter &painter, QPagedPaintDevice &device, double dpi,
                        const QList<LabelDescription> &labels, const SheetLayout &layout, int start,
                        int first, int last)
{
    const QList<Place> all = places(labels, layout, start);
    const double pxPerMm = dpi / 25.4;
    bool firstPage = true;
    // The picture of the label placed last: its next copies use it again.
    int lastLabel = -1;
    QImage lastPicture;
    qsizetype i = 0;
    while (i < all.size()) {
        const int sheet = all[i].sheet;
        qsizetype end = i;
        while (end < all.size() && all[end].sheet == sheet)
            ++end;
        if (sheet < first || (last >= 0 && sheet > last)) {
            i = end;
            continue;
        }
        if (!firstPage && !device.newPage())
            return false;
        firstPage = false;
        // One sheet's labels drawn side by side on the cores, each label once, then placed.
        QList<int> drawn;
        for (qsizetype k = i; k < end; ++k) {
            if ((drawn.isEmpty() || drawn.last() != all[k].label) && all[k].label != lastLabel)
                drawn << all[k].label;
        }
        const QList<QImage> pictures =
            QtConcurrent::blockingMapped<QList<QImage>>(drawn, [&labels, dpi](int label) {
                return LabelPainter::renderPrintedAt(labels[label], dpi)
                    .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
            });
        for (qsizetype k = i; k < end; ++k) {
            const qsizetype at = drawn.indexOf(all[k].label);
            if (at >= 0) {
                lastPicture = pictures[at];
                lastLabel = all[k].label;
            }
            const QImage &picture = lastPicture;
            if (picture.isNull())
                continue;
            const QRectF cell = layout.cell(all[k].cell);
            // Centred in its cell, on whole device dots.
            const double x = (cell.left() + cell.width() / 2) * pxPerMm - picture.width() / 2.0;
            const double y = (cell.top() + cell.height() / 2) * pxPerMm - picture.height() / 2.0;
            painter.drawImage(QPoint(int(std::lround(x)), int(std::lround(y))), picture);
        }
        i = end;
    }
    return true;
}

bool LabelSheets::writePdf(const QString &path, const QList<LabelDescription> &labels,
                           const SheetLayout &layout, int start, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QString why;
    if (!check(labels, layout, start, nullptr, &why))
        return fail(why);
    SafeSave file(path);
    if (!file.open(&why))
        return fail(why);
    QPdfWriter pdf(file.device());
    pdf.setResolution(PdfDpi);
    pdf.setCreator(QStringLiteral("Label Station"));
    pdf.setTitle(QStringLiteral("라벨 용지"));
    pdf.setPageLayout(QPageLayout(
        QPageSize(layout.paper == SheetLayout::Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
        QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        file.cancel();
        return fail(QStringLiteral("cannot make the PDF"));
    }
    const bool painted = paint(painter, pdf, PdfDpi, labels, layout, start);
    painter.end();
    if (!painted) {
        file.cancel();
        return fail(QStringLiteral("cannot add a page to the PDF"));
    }
    if (!file.commit(&why))
        return fail(why);
    return true;
}
