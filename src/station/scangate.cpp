#include "scangate.h"

#include "common/dialogs.h"
#include "model/goodstable.h"
#include "printers/labeljobreader.h"
#include "render/scancheck.h"

#include <QApplication>
#include <QHash>
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

QList<ScanGate::Goods> ScanGate::unscannable(const QList<LabelJob> &plan, const GoodsTable &goods)
{
    // Labels that are the same text are checked once.
    QStringList texts;
    QHash<QString, int> index;
    for (const LabelJob &job : plan) {
        if (!index.contains(job.text)) {
            index.insert(job.text, int(texts.size()));
            texts << job.text;
        }
    }
    const QList<QStringList> reasons = QtConcurrent::blockingMapped<QList<QStringList>>(
        texts, [](const QString &text) { return reasonsOf(text); });

    QList<Goods> out;
    QList<int> listed;
    for (const LabelJob &job : plan) {
        const QStringList &why = reasons[index.value(job.text)];
        if (why.isEmpty() || listed.contains(job.row))
            continue;
        listed << job.row;
        out << Goods{job.row, goods.cell(job.row, GoodsTable::NumberColumn).trimmed(),
                     goods.cell(job.row, GoodsTable::NameColumn).trimmed(), why};
    }
    return out;
}

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

bool ScanGate::confirm(QWidget *parent, const QList<LabelJob> &plan, const GoodsTable &goods,
                       const QString &action)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<Goods> list = unscannable(plan, goods);
    QApplication::restoreOverrideCursor();
    return askToGoOn(parent, list, action);
}
