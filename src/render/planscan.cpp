// SPDX-License-Identifier: GPL-3.0-or-later
#include "planscan.h"

#include "printers/labeljobreader.h"
#include "render/scancheck.h"

#include <QtConcurrent>

namespace {

// The reasons of one label, empty when every barcode scans (or is not checked).
QStringList reasonsOf(const QString &jobText)
{
    QStringList out;
    for (const ScanResult &r : ScanCheck::run(LabelJobReader::read(jobText))) {
        if (r.fails())
            out << r.name() + QStringLiteral(": ") + r.korean();
    }
    return out;
}

} // namespace

QList<PlanScan::Goods> PlanScan::unscannable(const QList<Label> &labels,
                                             const QHash<int, QStringList> &names)
{
    // Labels that are the same text are checked once.
    QStringList texts;
    QHash<QString, int> index;
    for (const Label &l : labels) {
        if (!index.contains(l.job)) {
            index.insert(l.job, int(texts.size()));
            texts << l.job;
        }
    }
    const QList<QStringList> reasons = QtConcurrent::blockingMapped<QList<QStringList>>(
        texts, [](const QString &text) { return reasonsOf(text); });

    QList<Goods> out;
    QList<int> listed;
    for (const Label &l : labels) {
        const QStringList &why = reasons[index.value(l.job)];
        if (why.isEmpty() || listed.contains(l.row))
            continue;
        listed << l.row;
        const QStringList n = names.value(l.row);
        out << Goods{l.row, n.value(0), n.value(1), why};
    }
    return out;
}
