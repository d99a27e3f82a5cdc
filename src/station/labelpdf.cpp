#include "labelpdf.h"

#include "station/labelpainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
    int n = 0;
    for (const LabelDescription &l : labels)
        n += qMax(0, l.count);
    return n;
}

bool LabelPdf::write(const QString &path, const QList<LabelDescription> &labels, QString *error)
{
    if (pageCount(labels) == 0) {
        fail(error, QStringLiteral("인쇄할 라벨이 없습니다"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(error, file.errorString());
        return false;
    }
    QPdfWriter pdf(&file);
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
        const QSizeF mm(dots.width() / 8.0, dots.height() / 8.0);
        const QPageLayout page(
            QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF());
        if (first) {
            pdf.setPageLayout(page);
            if (!painter.begin(&pdf)) {
                file.cancelWriting();
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
                    file.cancelWriting();
                    fail(error, QStringLiteral("PDF 쪽을 더할 수 없습니다"));
                    return false;
                }
            }
            first = false;
            LabelPainter::paint(painter, label, target);
        }
    }
    painter.end();
    if (!file.commit()) {
        fail(error, file.errorString());
        return false;
    }
    return true;
}
