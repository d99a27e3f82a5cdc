// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodscommands.h"

#include "model/goodsimportplan.h"
#include "commands/goodslistcommand.h"
#include "commands/goodsmarkscommand.h"
#include "commands/goodsordercommand.h"
#include "commands/goodsrowcommand.h"
#include "commands/goodsrowscommand.h"

#include <algorithm>

namespace {

bool validIndex(const GoodsTable &table, int index)
{
    return index >= 0 && index < table.rows();
}

} // namespace

QString GoodsCommands::numberName(const GoodsTable &table, int index)
{
    return QString::number(table.numberAt(index + 1));
}

std::unique_ptr<QUndoCommand> GoodsCommands::insert(GoodsTable &table, const GoodsItem &item)
{
    const int number = table.firstFreeNumber();
    auto step = std::make_unique<QUndoCommand>(QStringLiteral("%1번 품목 등록").arg(number));
    const QList<int> order = table.sortOrder(GoodsTable::SortKey::Number);
    if (!std::is_sorted(order.begin(), order.end()))
        new GoodsOrderCommand(table, order, QString(), step.get());
    new GoodsRowCommand(table, GoodsRowCommand::Kind::Insert, table.rows() + 1,
                        GoodsTable::itemRowTexts(item, number), QString(), step.get());
    return step;
}

std::unique_ptr<QUndoCommand> GoodsCommands::update(GoodsTable &table, int index,
                                                    const GoodsItem &item)
{
    if (!validIndex(table, index))
        return nullptr;
    const int row = index + 1;
    GoodsRowsCommand::Change change{row, table.rowTextsAt(row), table.updatedRowTexts(row, item)};
    if (change.before == change.after)
        return nullptr;
    const QString text = QStringLiteral("%1번 품목 수정").arg(numberName(table, index));
    return std::make_unique<GoodsRowsCommand>(table, QList<GoodsRowsCommand::Change>{change}, text);
}

std::unique_ptr<QUndoCommand> GoodsCommands::remove(GoodsTable &table, int index)
{
    if (!validIndex(table, index))
        return nullptr;
    return std::make_unique<GoodsRowCommand>(
        table, GoodsRowCommand::Kind::Remove, index + 1, table.rowTextsAt(index + 1),
        QStringLiteral("%1번 품목 삭제").arg(numberName(table, index)));
}

std::unique_ptr<QUndoCommand> GoodsCommands::setMark(GoodsTable &table, int index, bool on)
{
    if (!validIndex(table, index) || table.mark(index + 1) == on)
        return nullptr;
    QList<bool> after = table.marks();
    after[index] = on;
    return std::make_unique<GoodsMarksCommand>(
        table, table.marks(), after,
        (on ? QStringLiteral("%1번 품목 선택") : QStringLiteral("%1번 품목 선택 해제"))
            .arg(numberName(table, index)));
}

std::unique_ptr<QUndoCommand> GoodsCommands::toggleMark(GoodsTable &table, int index)
{
    if (!validIndex(table, index))
        return nullptr;
    return setMark(table, index, !table.mark(index + 1));
}

std::unique_ptr<QUndoCommand> GoodsCommands::setAllMarks(GoodsTable &table, bool on)
{
    const QList<bool> before = table.marks();
    const QList<bool> after(before.size(), on);
    if (before == after)
        return nullptr;
    return std::make_unique<GoodsMarksCommand>(
        table, before, after, on ? QStringLiteral("전체 선택") : QStringLiteral("선택 해제"));
}

std::unique_ptr<QUndoCommand> GoodsCommands::renumberMarked(GoodsTable &table, int target)
{
    const QList<GoodsTable::NewNumber> plan = table.renumberPlan(target);
    if (plan.isEmpty())
        return nullptr;
    QList<GoodsRowsCommand::Change> changes;
    changes.reserve(plan.size());
    for (const GoodsTable::NewNumber &n : plan) {
        GoodsRowsCommand::Change c{n.row, table.rowTextsAt(n.row), {}};
        c.after = c.before;
        c.after[GoodsTable::NumberColumn - 1] = GoodsTable::numberText(n.number);
        c.after[GoodsTable::MarkColumn - 1] = QString();
        changes << c;
    }
    const QString text = QStringLiteral("%1개 품목 번호 변경").arg(changes.size());
    return std::make_unique<GoodsRowsCommand>(table, changes, text);
}

std::unique_ptr<QUndoCommand> GoodsCommands::sort(GoodsTable &table, GoodsTable::SortKey key)
{
    const QList<int> order = table.sortOrder(key);
    if (std::is_sorted(order.begin(), order.end()))
        return nullptr;
    return std::make_unique<GoodsOrderCommand>(table, order,
                                               key == GoodsTable::SortKey::Number
                                                   ? QStringLiteral("번호순 정렬")
                                                   : QStringLiteral("이름순 정렬"));
}

std::unique_ptr<QUndoCommand>
GoodsCommands::replaceAll(GoodsTable &table, const QList<QStringList> &rows, const QString &text)
{
    const QList<QStringList> before = table.rowTexts();
    if (before == rows)
        return nullptr;
    return std::make_unique<GoodsListCommand>(table, before, rows, text);
}

std::unique_ptr<QUndoCommand> GoodsCommands::import(GoodsTable &table, const GoodsImportPlan &plan)
{
    if (!plan.importsAnything())
        return nullptr;
    return replaceAll(
        table, plan.rows,
        QStringLiteral("품목 가져오기 (추가 %1개, 갱신 %2개)").arg(plan.added).arg(plan.updated));
}
