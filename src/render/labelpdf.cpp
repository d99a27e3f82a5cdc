// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelpdf.h"

#include "common/safesave.h"
#include "render/labelpainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <limits>

namespace {

constexpr int Resolution = 1200; // device units per inch of the PDF painter

void fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
}

} // namespace

int LabelPdf::pageCount(const QList<LabelDescription> &labels)
{
    qint64 n = 0;
    for (const LabelDescription &l : labels)
        n += qMax(0, l.count);
    return int(qMin<qint64>(n, std::numeric_limits<int>::max()));
}

bool LabelPdf::write(const QString &path, const QList<LabelDescription> &labels, QString *error)
{
    const int pages = pageCount(labels);
    if (pages == 0) {
        fail(error, QStringLiteral("인쇄할 라벨이 없습니다"));
        return false;
    }
    if (pages > MaxPages) {
        fail(error, QStringLiteral("라벨이 너무 많습니다 (%1장, 한 PDF에 %2장까지)")
                        .arg(pages)
                        .arg(MaxPages));
        return false;
    }
    SafeSave file(path);
    QString why;
    if (!file.open(&why)) {
        fail(error, why);
        return false;
    }
    QPdfWriter pdf(file.device());
    pdf.setResolution(Resolution);
    pdf.setCreator(QStringLiteral("Label Station"));
    pdf.setTitle(QStringLiteral("라벨"));

    QPainter painter;
    bool first = true;
    for (const LabelDescription &label : labels) {
        if (label.count <= 0)
            continue;
        // The page is the label: width across, length down (the size from the objects when
        // the job gives none).
        const QSizeF dots = LabelPainter::labelSize(label);
        const double perMm = qMax(1, label.dotsPerMm);
        const QSizeF mm(dots.width() / perMm, dots.height() / perMm);
        const QPageLayout page(
            QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF());
        if (first) {
            pdf.setPageLayout(page);
            if (!painter.begin(&pdf)) {
                file.cancel();
                fail(error, QStringLiteral("PDF를 만들 수 없습니다"));
                return false;
            }
        }
        const QRectF target(0, 0, mm.width() / 25.4 * Resolution, mm.height() / 25.4 * Resolution);
        for (int copy = 0; copy < label.count; ++copy) {
            if (!first) {
                pdf.setPageLayout(page);
                if (!pdf.newPage()) {
                    painter.end();
                    file.cancel();
                    fail(error, QStringLiteral("PDF 쪽을 더할 수 없습니다"));
                    return false;
                }
            }
            first = false;
            LabelPainter::paint(painter, label, target);
        }
    }
    painter.end();
    if (!file.commit(&why)) {
        fail(error, why);
        return false;
    }
    return true;
}
