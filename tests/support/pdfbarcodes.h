// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The barcodes a printed PDF holds: its pages rasterised at 300 dpi by pdftoppm (poppler-utils)
// and read with zbar; on sheets of labels each label is read on its own.

#include "model/sheetlayout.h"
#include "render/zbarreader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <map>

namespace PdfBarcodes {

// data -> how often, over every page (pictures made in `workDir` and removed).
inline std::map<QString, int> read(const QString &pdf, const QString &workDir,
                                   const SheetLayout *sheet = nullptr)
{
    std::map<QString, int> out;
    const QString base = QDir(workDir).filePath(QStringLiteral("page"));
    if (QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                           QStringLiteral("-png"), pdf, base}) != 0)
        return out;
    ZbarReader reader;
    const double pxPerMm = 300 / 25.4;
    const QDir dir(workDir);
    for (const QString &page : dir.entryList({QStringLiteral("page-*.png")})) {
        const QImage picture(dir.filePath(page));
        QList<QImage> parts{picture};
        if (sheet) {
            parts.clear();
            for (int c = 0; c < sheet->labelsPerSheet(); ++c) {
                const QRectF mm = sheet->cell(c);
                parts << picture.copy(
                    QRectF(mm.topLeft() * pxPerMm, mm.size() * pxPerMm).toAlignedRect());
            }
        }
        for (const QImage &part : std::as_const(parts))
            for (const ZbarReader::Symbol &s : reader.read(part))
                ++out[s.data];
        QFile::remove(dir.filePath(page));
    }
    return out;
}

} // namespace PdfBarcodes
