// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The scan check before labels go out: which goods of a planned print or transfer have
// barcodes that would not scan. Each job is read back by its own language's reader (so a ZPL
// job is checked as ZPL), every distinct job once, on all cores. Plain values in and out: it
// runs on any thread.
class PlanScan {
public:
    struct Label {
        int row = 0;  // goods row, 1-based
        QString job;  // the job's text as it is sent
    };
    struct Goods {
        int row = 0;
        QString number; // the goods number as the list shows it
        QString name;
        QStringList reasons; // per barcode that does not scan: "EAN-13 880...: 스캔 안 됨: ..."
    };
    // `names`: row -> {number, name}.
    static QList<Goods> unscannable(const QList<Label> &labels,
                                    const QHash<int, QStringList> &names);
};
