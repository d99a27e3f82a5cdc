// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/planscan.h"

#include <QList>
#include <QString>

class QWidget;

// The one question before labels whose barcodes do not scan go out: the operator may go on.
class ScanGate {
public:
    using Goods = PlanScan::Goods;

    // The question for `list` ending in "그래도 <action>하시겠습니까 ?".
    static QString question(const QList<Goods> &list, const QString &action);
    // Asks the question once when `list` is not empty; true to go on (at once when empty).
    static bool askToGoOn(QWidget *parent, const QList<Goods> &list, const QString &action);

    // At most this many goods are named in the question; the rest are counted.
    static constexpr int ListedGoods = 10;
};
