// SPDX-License-Identifier: GPL-3.0-or-later
#include "scangate.h"

#include "widgets/dialogs.h"

QString ScanGate::question(const QList<Goods> &list, const QString &action)
{
    QString text =
        QStringLiteral("* 스캔되지 않는 바코드가 있는 품목이 %1개 있습니다.\n").arg(list.size());
    for (int i = 0; i < list.size() && i < ListedGoods; ++i) {
        const Goods &g = list[i];
        text += QLatin1Char('\n') + QStringLiteral("품목 %1 %2").arg(g.number, g.name).trimmed();
        for (const QString &r : g.reasons)
            text += QStringLiteral("\n    ") + r;
    }
    if (list.size() > ListedGoods)
        text += QStringLiteral("\n... 외 %1개 품목").arg(list.size() - ListedGoods);
    return text + QStringLiteral("\n\n그래도 %1하시겠습니까 ?").arg(action);
}

bool ScanGate::askToGoOn(QWidget *parent, const QList<Goods> &list, const QString &action)
{
    if (list.isEmpty())
        return true;
    return Dialogs::askYesNo(parent, question(list, action), QStringLiteral("스캔 확인"));
}
