#pragma once

#include "model/labeljob.h"

#include <QList>
#include <QString>
#include <QStringList>

class GoodsTable;
class QWidget;

// The scan check before labels go out: which goods of a planned list print or transfer have
// barcodes that would not scan, and one question to the operator, who may go on.
class ScanGate {
public:
    struct Goods {
        int row = 0;    // goods row, 1-based
        QString number; // the goods number as the list shows it
        QString name;   // the goods name
        QStringList
            reasons; // per barcode that does not scan: "EAN-13 8801234567893: 스캔 안 됨: ..."
    };

    // The planned labels' goods whose barcodes do not scan or scan with other data, in the
    // order of the plan, each row once. Labels are checked in parallel.
    static QList<Goods> unscannable(const QList<LabelJob> &plan, const GoodsTable &goods);

    // The question for `list` ending in "그래도 <action>하시겠습니까 ?".
    static QString question(const QList<Goods> &list, const QString &action);
    // Asks the question once when `list` is not empty; true to go on (at once when empty).
    static bool askToGoOn(QWidget *parent, const QList<Goods> &list, const QString &action);
    // Both: checks the plan (with the hourglass) and asks when anything does not scan.
    static bool confirm(QWidget *parent, const QList<LabelJob> &plan, const GoodsTable &goods,
                        const QString &action);

    // At most this many goods are named in the question; the rest are counted.
    static constexpr int ListedGoods = 10;
};
