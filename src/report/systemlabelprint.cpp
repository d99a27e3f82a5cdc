// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemlabelprint.h"

#include "render/labelpainter.h"
#include "render/labelsheets.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace {

bool refuse(QString *korean, QString *english, const QString &k, const QString &e)
{
    if (korean)
        *korean = k;
    if (english)
        *english = e;
    return false;
}

// The page of a roll label: the label's size, no margins.
void setRollPage(QPrinter &printer, const LabelDescription &label)
{
    const QSizeF dots = LabelPainter::labelSize(label);
    const double perMm = qMax(1, label.dotsPerMm);
    const QPageSize size(QSizeF(dots.width() / perMm, dots.height() / perMm), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    // A roll's labels are mostly of one size: the page is set only when it changes (a preview
    // cannot change it while it is drawn).
    if (printer.pageLayout().pageSize().isEquivalentTo(size) &&
        printer.pageLayout().orientation() == QPageLayout::Portrait)
        return;
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(size);
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

} // namespace

QStringList SystemLabelPrint::printers()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    const QString standard = QPrinterInfo::defaultPrinterName();
    if (names.removeAll(standard) > 0)
        names.prepend(standard);
    return names;
}

bool SystemLabelPrint::setUp(QPrinter &printer, const QString &name,
                             const QList<LabelDescription> &labels, const SheetLayout *sheet,
                             int start, QString *korean, QString *english)
{
    if (!printers().contains(name))
        return refuse(korean, english,
                      QStringLiteral("시스템 프린터 '%1'이(가) 없습니다").arg(name),
                      QStringLiteral("no system printer '%1' (lpstat -p lists them)").arg(name));
    printer.setPrinterName(name);
    return setPage(printer, labels, sheet, start, korean, english);
}

bool SystemLabelPrint::setPage(QPrinter &printer, const QList<LabelDescription> &labels,
                               const SheetLayout *sheet, int start, QString *korean,
                               QString *english)
{
    int copies = 0;
    for (const LabelDescription &l : labels)
        copies += qMax(0, l.count);
    if (copies == 0)
        return refuse(korean, english, QStringLiteral("인쇄할 라벨이 없습니다"),
                      QStringLiteral("no label to print"));
    printer.setFullPage(true);
    if (sheet) {
        if (!LabelSheets::check(labels, *sheet, start, korean, english))
            return false;
        printer.setPageLayout(QPageLayout(
            QPageSize(sheet->paper == SheetLayout::Paper::A4 ? QPageSize::A4 : QPageSize::Letter),
            QPageLayout::Portrait, QMarginsF()));
        return true;
    }
    if (copies > LabelSheets::MaxSheets * 10)
        return refuse(korean, english, QStringLiteral("라벨이 너무 많습니다 (%1장)").arg(copies),
                      QStringLiteral("%1 labels; at most %2 at once")
                          .arg(copies)
                          .arg(LabelSheets::MaxSheets * 10));
    for (const LabelDescription &l : labels) {
        if (l.count > 0) {
            setRollPage(printer, l);
            break;
        }
    }
    return true;
}

bool SystemLabelPrint::print(QPrinter &printer, const QList<LabelDescription> &labels,
                             const SheetLayout *sheet, int start, QString *korean, QString *english,
                             int first, int last)
{
    if (!sheet && first > 0) {
        // The first page printed is the size of its own label.
        int page = 0;
        for (const LabelDescription &l : labels) {
            if (l.count > 0 && (page += l.count) > first) {
                setRollPage(printer, l);
                break;
            }
        }
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return refuse(korean, english,
                      QStringLiteral("프린터 '%1'에 인쇄할 수 없습니다").arg(printer.printerName()),
                      QStringLiteral("cannot print on '%1'").arg(printer.printerName()));
    const double dpi = printer.resolution();
    bool ok = true;
    if (sheet) {
        ok = LabelSheets::paint(painter, printer, dpi, labels, *sheet, start, first, last);
    } else {
        // A roll: one page a label, the page the label's size; copies of a label are one
        // picture. Pages `first` to `last` only.
        bool firstPage = true;
        int page = -1;
        for (const LabelDescription &l : labels) {
            if (l.count <= 0)
                continue;
            if (page + l.count < first || (last >= 0 && page >= last)) {
                page += l.count;
                continue;
            }
            const QImage picture = LabelPainter::renderPrintedAt(l, dpi).convertToFormat(
                QImage::Format_Mono, Qt::ThresholdDither);
            for (int c = 0; c < l.count && ok; ++c) {
                ++page;
                if (page < first || (last >= 0 && page > last))
                    continue;
                if (!firstPage) {
                    // (A preview keeps the first page's size: it draws pictures of pages.)
                    if (painter.paintEngine()->type() == QPaintEngine::Pdf)
                        setRollPage(printer, l);
                    ok = printer.newPage();
                }
                firstPage = false;
                if (ok && !picture.isNull())
                    painter.drawImage(QPoint(0, 0), picture);
            }
        }
    }
    painter.end();
    if (!ok)
        return refuse(korean, english, QStringLiteral("인쇄 쪽을 더할 수 없습니다"),
                      QStringLiteral("cannot add a page to the print"));
    return true;
}
