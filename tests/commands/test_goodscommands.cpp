// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/addrow.h"
#include "model/csvimportreader.h"
#include "commands/goodscommands.h"
#include "model/goodsimportplan.h"
#include "model/goodstable.h"
#include "support/goodsfilefixture.h"

#include <QTemporaryDir>
#include <QtTest>
#include <QUndoStack>

#include <functional>

using GoodsFileFixture::readBytes;

namespace {

// Goods 5 사과, 3 배, 9 감, 1 귤, 7 포도 in that order; every row has texts 11 to 20 (which
// no window shows) and a barcode.
QList<QStringList> sampleRows()
{
    const QStringList names{"사과", "배", "감", "귤", "포도"};
    const QList<int> numbers{5, 3, 9, 1, 7};
    QList<QStringList> rows;
    for (int i = 0; i < names.size(); ++i) {
        GoodsItem item;
        item.reset();
        item.Name = names[i];
        item.Qty = qint16(i + 1);
        item.Barcodes[1] = QStringLiteral("88000000000%1").arg(i);
        for (int t = 1; t <= 20; ++t)
            item.Texts[t] = QStringLiteral("%1-%2").arg(names[i]).arg(t);
        rows << GoodsTable::itemRowTexts(item, numbers[i]);
    }
    return rows;
}

// The sample rows with their marks: "10100" marks rows 1 and 3.
QList<QStringList> markedRows(const QString &marks)
{
    QList<QStringList> rows = sampleRows();
    for (int r = 0; r < rows.size(); ++r)
        rows[r][GoodsTable::MarkColumn - 1] = marks[r] == QLatin1Char('1') ? "1" : "";
    return rows;
}

// `count` goods numbered 1.. with every other one from the third on marked.
QList<QStringList> manyRows(int count, int marked)
{
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i) {
        GoodsItem item;
        item.reset();
        item.Name = QStringLiteral("품목 %1").arg(i);
        QStringList texts = GoodsTable::itemRowTexts(item, i);
        if (i <= marked)
            texts[GoodsTable::MarkColumn - 1] = QStringLiteral("1");
        rows << texts;
    }
    return rows;
}

QString numbers(const GoodsTable &t)
{
    QStringList out;
    for (int r = 1; r <= t.rows(); ++r)
        out << t.cell(r, GoodsTable::NumberColumn) + (t.mark(r) ? QStringLiteral("*") : QString());
    return out.join(QLatin1Char(','));
}

using Factory = std::function<std::unique_ptr<QUndoCommand>(GoodsTable &)>;

GoodsImportPlan importPlan(const GoodsTable &current)
{
    // 귤 (barcode ...3) gets a new name; 수박 is new.
    const QByteArray csv = "name,barcode1,qty\n"
                           "귤 1kg,880000000003,9\n"
                           "수박,8800000000099,2\n";
    ImportTable t;
    CsvImportReader::read(csv, TextEncoding::Auto, 0, &t);
    const GoodsImportMapping m = GoodsImportMapping::guess(t, true);
    return GoodsImportPlan::build(t, m, GoodsImportPlan::Mode::Update,
                                  GoodsImportPlan::Match::Barcode1, current);
}

} // namespace

// The goods list's commands as steps of an undo stack, without a window: each changes the
// list as the command does, undo gives back the very list (every cell, every mark, every
// row at its place) and the very file bytes, redo the changed list again.
class TestGoodsCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedo_data();
    void undoAndRedo();
    void nothingToDo_data();
    void nothingToDo();
    void renumberingManyRowsIsOneStep();
};

void TestGoodsCommands::undoAndRedo_data()
{
    QTest::addColumn<QString>("marks"); // of the sample rows
    QTest::addColumn<Factory>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after"); // numbers, "*" for a mark
    GoodsItem pear;
    pear.reset();
    pear.Name = QStringLiteral("배 특");
    pear.Texts[11] = QStringLiteral("남음");
    using C = GoodsCommands;
    addRow("insert sorts and takes the first free number", "00000",
           Factory([pear](GoodsTable &t) { return C::insert(t, pear); }), "2번 품목 등록",
           QString("001,003,005,007,009,002"));
    addRow("update keeps the mark", "01000",
           Factory([pear](GoodsTable &t) { return C::update(t, 1, pear); }), "3번 품목 수정",
           QString("005,010*,009,001,007"));
    addRow("delete", "01001", Factory([](GoodsTable &t) { return C::remove(t, 1); }),
           "3번 품목 삭제", QString("005,009,001,007*"));
    addRow("delete the last row", "00001", Factory([](GoodsTable &t) { return C::remove(t, 4); }),
           "7번 품목 삭제", QString("005,003,009,001"));
    addRow("mark", "00000", Factory([](GoodsTable &t) { return C::toggleMark(t, 2); }),
           "9번 품목 선택", QString("005,003,009*,001,007"));
    addRow("unmark", "00100", Factory([](GoodsTable &t) { return C::toggleMark(t, 2); }),
           "9번 품목 선택 해제", QString("005,003,009,001,007"));
    addRow("select all", "01000", Factory([](GoodsTable &t) { return C::setAllMarks(t, true); }),
           "전체 선택", QString("005*,003*,009*,001*,007*"));
    addRow("clear all", "11001", Factory([](GoodsTable &t) { return C::setAllMarks(t, false); }),
           "선택 해제", QString("005,003,009,001,007"));
    addRow("renumber the marked rows", "10101",
           Factory([](GoodsTable &t) { return C::renumberMarked(t, 2); }), "3개 품목 번호 변경",
           QString("002,003,004,001,005"));
    addRow("renumber: no number free for the last", "00011",
           Factory([](GoodsTable &t) { return C::renumberMarked(t, 999); }), "1개 품목 번호 변경",
           QString("005,003,009,999,007*"));
    addRow("sort by number", "01000",
           Factory([](GoodsTable &t) { return C::sort(t, GoodsTable::SortKey::Number); }),
           "번호순 정렬", QString("001,003*,005,007,009"));
    addRow("sort by name", "00000",
           Factory([](GoodsTable &t) { return C::sort(t, GoodsTable::SortKey::Name); }),
           "이름순 정렬", QString("009,001,003,005,007"));
    addRow("import", "00010", Factory([](GoodsTable &t) { return C::import(t, importPlan(t)); }),
           "품목 가져오기 (추가 1개, 갱신 1개)", QString("005,003,009,001*,007,002"));
}

void TestGoodsCommands::undoAndRedo()
{
    QFETCH(QString, marks);
    QFETCH(Factory, command);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("SRP770Dat[00].Txt"));
    GoodsTable table;
    table.setRowTexts(markedRows(marks));
    QVERIFY(table.save(file));
    const QByteArray original = readBytes(file);
    const QList<QStringList> before = table.rowTexts();

    QUndoStack stack;
    std::unique_ptr<QUndoCommand> step = command(table);
    QVERIFY(step);
    QCOMPARE(table.rowTexts(), before); // worked out, not done
    stack.push(step.release());
    QCOMPARE(stack.count(), 1);
    QCOMPARE(stack.undoText(), text);
    QCOMPARE(numbers(table), after);
    const QList<QStringList> changed = table.rowTexts();
    QVERIFY(table.save(file));
    const QByteArray changedBytes = readBytes(file);
    QVERIFY(changedBytes != original || changed != before);

    stack.undo();
    QCOMPARE(table.rowTexts(), before);
    QVERIFY(table.save(file));
    QCOMPARE(readBytes(file), original);

    stack.redo();
    QCOMPARE(table.rowTexts(), changed);
    QVERIFY(table.save(file));
    QCOMPARE(readBytes(file), changedBytes);
}

void TestGoodsCommands::nothingToDo_data()
{
    QTest::addColumn<QString>("marks");
    QTest::addColumn<Factory>("command");
    using C = GoodsCommands;
    addRow("renumber without marks", "00000",
           Factory([](GoodsTable &t) { return C::renumberMarked(t, 2); }));
    addRow("renumber to 0", "11111",
           Factory([](GoodsTable &t) { return C::renumberMarked(t, 0); }));
    addRow("select all, all selected", "11111",
           Factory([](GoodsTable &t) { return C::setAllMarks(t, true); }));
    addRow("update with the same item", "00000",
           Factory([](GoodsTable &t) { return C::update(t, 3, t.itemAt(4)); }));
    addRow("no such row", "00000", Factory([](GoodsTable &t) { return C::remove(t, 5); }));
    addRow("sorted already", "00000", Factory([](GoodsTable &t) {
               t.setRowTexts(t.sortedRowTexts(GoodsTable::SortKey::Number));
               return C::sort(t, GoodsTable::SortKey::Number);
           }));
}

void TestGoodsCommands::nothingToDo()
{
    QFETCH(QString, marks);
    QFETCH(Factory, command);
    GoodsTable table;
    table.setRowTexts(markedRows(marks));
    QVERIFY(!command(table));
}

// 200 marked goods renumbered from 301: one step, undone in one.
void TestGoodsCommands::renumberingManyRowsIsOneStep()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("AL300Dat[00].Txt"));
    GoodsTable table;
    table.setRowTexts(manyRows(250, 200));
    QVERIFY(table.save(file));
    const QByteArray original = readBytes(file);
    QUndoStack stack;
    stack.push(GoodsCommands::renumberMarked(table, 301).release());
    QCOMPARE(stack.count(), 1);
    QCOMPARE(stack.undoText(), QString("200개 품목 번호 변경"));
    QCOMPARE(table.cell(1, GoodsTable::NumberColumn), QString("301"));
    QCOMPARE(table.cell(200, GoodsTable::NumberColumn), QString("500"));
    QCOMPARE(table.marks(), QList<bool>(250, false));
    stack.undo();
    QVERIFY(table.save(file));
    QCOMPARE(readBytes(file), original);
    QCOMPARE(table.marks().count(true), 200);
}

QTEST_GUILESS_MAIN(TestGoodsCommands)
#include "test_goodscommands.moc"
