// SPDX-License-Identifier: GPL-3.0-or-later
#include "printedscan.h"

#include "render/labelpainter.h"
#include "render/scancheck.h"
#include "render/zbarreader.h"

#include <QImage>
#include <QtConcurrent>

QStringList PrintedScan::reasons(const LabelDescription &label, double dpi, bool english)
{
    QStringList out;
    QList<ScanResult> results = ScanCheck::run(label);
    bool anyScans = false;
    for (const ScanResult &r : std::as_const(results)) {
        if (r.fails())
            out << r.name() + QStringLiteral(": ") + (english ? r.english() : r.korean());
        anyScans = anyScans || r.scans();
    }
    if (!anyScans)
        return out;
    // The barcodes that scan at the label's own dots, read again as the printer draws them.
    const QImage picture = LabelPainter::renderPrintedAt(label, dpi);
    QList<ZbarReader::Symbol> found;
    if (!picture.isNull()) {
        ZbarReader reader;
        found = reader.read(picture);
    }
    const int at = qRound(dpi);
    const QString why =
        picture.isNull()
            ? (english ? QStringLiteral("cannot be drawn at %1 dpi (the label is too large)")
                       : QStringLiteral("%1 dpi로 그릴 수 없음 (라벨이 너무 큼)"))
                  .arg(at)
            : (english ? QStringLiteral("does not read back when printed at %1 dpi")
                       : QStringLiteral("%1 dpi로 인쇄하면 읽히지 않음"))
                  .arg(at);
    for (const ScanResult &r : std::as_const(results)) {
        if (!r.scans())
            continue;
        bool read = false;
        for (const ZbarReader::Symbol &s : std::as_const(found))
            read = read || s.data == r.expected;
        if (!read)
            out << r.name() + QStringLiteral(": ") + why;
    }
    return out;
}

QList<QStringList> PrintedScan::reasons(const QList<LabelDescription> &labels, double dpi,
                                        bool english)
{
    // Copies of one goods row are one label: each job text is checked once.
    QList<int> first; // per label, the index of the first label with its objects
    QList<int> distinct;
    QHash<QString, int> seen;
    for (int i = 0; i < labels.size(); ++i) {
        QString key;
        for (const LabelObject &o : labels[i].objects)
            key += o.source + QLatin1Char('\n');
        key += QString::number(labels[i].widthDots) + QLatin1Char('x') +
               QString::number(labels[i].lengthDots);
        auto it = seen.constFind(key);
        if (it == seen.constEnd()) {
            it = seen.insert(key, int(distinct.size()));
            distinct << i;
        }
        first << it.value();
    }
    const QList<QStringList> checked = QtConcurrent::blockingMapped<QList<QStringList>>(
        distinct, [&labels, dpi, english](int i) { return reasons(labels[i], dpi, english); });
    QList<QStringList> out;
    out.reserve(labels.size());
    for (int d : std::as_const(first))
        out << checked[d];
    return out;
}
