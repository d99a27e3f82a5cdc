// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "commands/goodscommands.h"
#include "model/goodstable.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A row given as its 29 cell texts (mark "1" or "").
QStringList rowOf(std::initializer_list<QString> leading)
{
    QStringList cells(leading);
    while (cells.size() < GoodsTable::ColumnCount)
        cells << QString();
    return cells;
}

void fill(GoodsTable &table, QList<QStringList> rows)
{
    for (QStringList &cells : rows) {
        while (cells.size() < GoodsTable::ColumnCount)
            cells << QString();
    }
    table.setRowTexts(rows);
}

// A change made as a station makes it: by its goods command (false for none).
bool apply(std::unique_ptr<QUndoCommand> command)
{
    if (!command)
        return false;
    command->redo();
    return true;
}

QStringList column(const GoodsTable &table, int col)
{
    QStringList out;
    for (int r = 1; r <= table.rows(); ++r)
        out << table.cell(r, col);
    return out;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

GoodsItem sampleItem()
{
    GoodsItem item;
    item.No = 55;
    item.Name = QStringLiteral("사과 1kg");
    item.Format = 2;
    item.Qty = 0;
    item.Barcodes[1] = QStringLiteral("8801234567893");
    item.Barcodes[3] = QStringLiteral("B3");
    item.Texts[1] = QStringLiteral("₩1,000");
    item.Texts[20] = QStringLiteral("끝");
    return item;
}

} // namespace

class TestGoodsTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writerExampleLine();
    void writerNumbersAndTexts_data();
    void writerNumbersAndTexts();
    void reader_data();
    void reader();
    void readerSkipsLines_data();
    void readerSkipsLines();
    void fileRoundTrip();
    void emptyGridEmptyFile();
    void missingFile();
    void insertFirstFreeNumber_data();
    void insertFirstFreeNumber();
    void insertFillsRow();
    void updateRow_data();
    void updateRow();
    void itemAtReadsCells();
    void renumber_data();
    void renumber();
    void sorts_data();
    void sorts();
    void sortKeepsPersistentIndexes();
    void deleteOnlyRow();
    void marks();
    void modelSide();
};

void TestGoodsTable::writerExampleLine()
{
    GoodsTable table;
    fill(table, {rowOf({"007", "", "AB", "1", "3", "123"})});
    const QStringList lines = table.toFileLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].startsWith(QStringLiteral("<001>'7'AB'1'3'123'''")));
    QCOMPARE(lines[0], QStringLiteral("<001>'7'AB'1'3'123") + QString(23, QLatin1Char('\'')) +
                           QStringLiteral("~"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SRP770Dat[00].Txt"));
    QString error;
    QVERIFY2(table.save(path, &error), qPrintable(error));
    QCOMPARE(readBytes(path), lines[0].toLatin1() + "\r\n");
}

void TestGoodsTable::writerNumbersAndTexts_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    const QString tail = QString(20, QLatin1Char('\'')) + QStringLiteral("'~");
    QTest::newRow("blank format and quantity")
        << rowOf({"012", "1", " 배 ", "", ""}) << 1 << "<001>'12'배'0'0'''" + tail;
    QTest::newRow("texts trimmed, last column")
        << rowOf({"3", "", "n", "5", "10", " a ", "b", "c", " t1 "}) << 1
        << "<001>'3'n'5'10'a'b'c't1" + tail.mid(1);
    QTest::newRow("row position of row 2")
        << rowOf({"999", "", "x", "1", "1"}) << 2 << "<002>'999'x'1'1'''" + tail;
    QTest::newRow("quotes cannot split the line")
        << rowOf({"1", "", "A'B\"C", "1", "1", "x'y"}) << 1 << "<001>'1'A`B`C'1'1'x`y''" + tail;
}

void TestGoodsTable::writerNumbersAndTexts()
{
    QFETCH(QStringList, cells);
    QFETCH(int, row);
    QFETCH(QString, expected);
    GoodsTable table;
    QList<QStringList> rows;
    for (int i = 1; i < row; ++i)
        rows << rowOf({"1", "", "first", "1", "1"});
    rows << cells;
    fill(table, rows);
    QCOMPARE(table.toFileLines().at(row - 1), expected);
}

void TestGoodsTable::reader_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("cells");
    const QString empty23 = QString(22, QLatin1Char('\''));
    QTest::newRow("plain") << "<001>'7'AB'1'3'123'" + empty23 + "'~"
                           << rowOf({"007", "", "AB", "1", "3", "123"});
    QTest::newRow("number 1234 keeps last three digits")
        << "<001>'1234'A'2'5''" + empty23 + "'~" << rowOf({"234", "", "A", "2", "5"});
    QTest::newRow("empty name, format and quantity")
        << "<001>'8''''" + empty23 + "'~" << rowOf({"008", "", "?", "1", ""});
    QTest::newRow("format 0 shows 1, quantity 0 blank")
        << "<001>'8'n'0'0'" + empty23 + "'~" << rowOf({"008", "", "n", "1", ""});
    QTest::newRow("number 0 takes the row position")
        << "<005>'0'n'3'x'" + empty23 + "'~" << rowOf({"001", "", "n", "3", ""});
    QTest::newRow("leading-number rule")
        << "<001>' 12abc'n'2.5'3kg'" + empty23 + "'~" << rowOf({"012", "", "n", "2.5", "3"});
    QTest::newRow("28 fields are enough")
        << "<001>'4'n'1'1'b1'b2'b3" + QString(19, QLatin1Char('\'')) + "'t20" << [] {
               QStringList c = rowOf({"004", "", "n", "1", "1", "b1", "b2", "b3"});
               c[27] = QStringLiteral("t20");
               return c;
           }();
    QTest::newRow("TAB line copied from the grid")
        << "012\t1\t사과\t2\t5\t880\t\t\t" + QString(19, QLatin1Char('\t')) + "\t"
        << rowOf({"012", "", "사과", "2", "5", "880"});
    QTest::newRow("TAB line apostrophe becomes backtick")
        << "3\t\tO'Neil\t\t\t" + QString(23, QLatin1Char('\t'))
        << rowOf({"003", "", "O`Neil", "1", ""});
}

void TestGoodsTable::reader()
{
    QFETCH(QString, line);
    QFETCH(QStringList, cells);
    GoodsTable table;
    fill(table, {rowOf({"100", "1", "old"})}); // fromFileLines clears first
    table.fromFileLines({QString(), QStringLiteral("   "), line});
    QCOMPARE(table.rows(), 1);
    QCOMPARE(table.rowTexts().at(0), cells);
    QVERIFY(!table.mark(1));
}

void TestGoodsTable::readerSkipsLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("27 fields") << "<001>'4'n'1'1" + QString(22, QLatin1Char('\''));
    QTest::newRow("27 TAB fields") << "4\tn\t1\t1" + QString(23, QLatin1Char('\t'));
    QTest::newRow("all 28 fields empty") << QString(27, QLatin1Char('\'')) + "'~";
}

void TestGoodsTable::readerSkipsLines()
{
    QFETCH(QString, line);
    GoodsTable table;
    const QString good = "<001>'9'g'1'1'" + QString(22, QLatin1Char('\'')) + "'~";
    table.fromFileLines({line, good});
    QCOMPARE(table.rows(), 1);
    QCOMPARE(table.cell(1, 1), QStringLiteral("009"));
}

void TestGoodsTable::fileRoundTrip()
{
    QList<QStringList> rows;
    QStringList full = rowOf({"001", "", "사과 \"특\"", "5", "999", "880", "B2", "B3"});
    for (int t = 1; t <= 20; ++t)
        full[8 + t - 1] = QStringLiteral("텍스트%1").arg(t);
    rows << full << rowOf({"250", "1", "배", "1", "12", "", "", "x"})
         << rowOf({"002", "", "?", "1", ""});
    GoodsTable table;
    fill(table, rows);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("AL300Dat[03].Txt"));
    QString error;
    QVERIFY2(table.save(path, &error), qPrintable(error));
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes.count("\r\n"), 3);
    QVERIFY(bytes.contains(Cp949Codec::encode(QStringLiteral("'사과 `특`'"))));

    GoodsTable back;
    QVERIFY(back.load(path));
    QCOMPARE(back.rows(), 3);
    rows[0][2] = QStringLiteral("사과 `특`");
    rows[1][1] = QString(); // marks are not kept in the file
    QCOMPARE(back.rowTexts(), rows);
    QVERIFY(back.save(path, &error));
    QCOMPARE(readBytes(path), bytes);
}

void TestGoodsTable::emptyGridEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SRP770Dat[01].Txt"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("<001>'1'x'1'1'''''''''''''''''''''''''~\r\n");
    old.close();

    GoodsTable table;
    QVERIFY(table.save(path, nullptr));
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);

    fill(table, {rowOf({"001", "", "x"})});
    QVERIFY(table.load(path));
    QCOMPARE(table.rows(), 0);
}

void TestGoodsTable::missingFile()
{
    QTemporaryDir dir;
    GoodsTable table;
    fill(table, {rowOf({"001", "", "x"})});
    QVERIFY(table.load(dir.filePath(QStringLiteral("none.Txt"))));
    QCOMPARE(table.rows(), 0);
    QString error;
    QVERIFY(!table.save(dir.filePath(QStringLiteral("no/dir/x.Txt")), &error));
    QVERIFY(!error.isEmpty());
}

void TestGoodsTable::insertFirstFreeNumber_data()
{
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("row");
    QTest::newRow("gap at 3, sorted first")
        << QStringList{"004", "001", "002"} << QStringList{"001", "002", "004", "003"} << 4;
    QTest::newRow("empty list") << QStringList{} << QStringList{"001"} << 1;
    QTest::newRow("no gap") << QStringList{"002", "001"} << QStringList{"001", "002", "003"} << 3;
    QTest::newRow("1 free") << QStringList{"002", "003"} << QStringList{"002", "003", "001"} << 3;
    QTest::newRow("duplicate numbers")
        << QStringList{"001", "001", "002"} << QStringList{"001", "001", "002", "002"} << 4;
}

void TestGoodsTable::insertFirstFreeNumber()
{
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, after);
    QFETCH(int, row);
    GoodsTable table;
    QList<QStringList> rows;
    for (const QString &n : numbers)
        rows << rowOf({n, "", "n" + n});
    fill(table, rows);
    GoodsItem item = sampleItem();
    QVERIFY(apply(GoodsCommands::insert(table, item)));
    QCOMPARE(table.rows(), row);
    QCOMPARE(column(table, 1), after);
}

void TestGoodsTable::insertFillsRow()
{
    GoodsTable table;
    fill(table, {rowOf({"001", "", "a"})});
    QVERIFY(apply(GoodsCommands::insert(table, sampleItem())));
    const int row = table.rows();
    QStringList expected =
        rowOf({"002", "", "사과 1kg", "2", "", "8801234567893", "", "B3", "₩1,000"});
    expected[27] = QStringLiteral("끝");
    QCOMPARE(table.rowTexts().at(row - 1), expected);
}

void TestGoodsTable::updateRow_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number kept") << 42 << "042";
    QTest::newRow("number 0 gets highest + 1") << 0 << "010";
    QTest::newRow("duplicate allowed") << 9 << "009";
}

void TestGoodsTable::updateRow()
{
    QFETCH(int, number);
    QFETCH(QString, expected);
    GoodsTable table;
    QStringList second = rowOf({"003", "1", "old", "1", "1", "x"});
    second[28] = QStringLiteral("keep");
    fill(table, {rowOf({"009", "", "a"}), second, rowOf({"002", "", "b"})});
    GoodsItem item = sampleItem();
    item.No = number;
    QVERIFY(apply(GoodsCommands::update(table, 1, item)));
    QStringList row =
        rowOf({expected, "1", "사과 1kg", "2", "", "8801234567893", "", "B3", "₩1,000"});
    row[27] = QStringLiteral("끝");
    row[28] = QStringLiteral("keep");
    QCOMPARE(table.rowTexts().at(1), row);
}

void TestGoodsTable::itemAtReadsCells()
{
    GoodsTable table;
    QStringList cells = rowOf({"012", "1", " 이름 ", "3", "15", " b1 ", "b2", "", " t1 "});
    cells[27] = QStringLiteral("t20 ");
    fill(table, {cells});
    const GoodsItem item = table.itemAt(1);
    QCOMPARE(item.No, 12);
    QCOMPARE(item.Name, QStringLiteral("이름"));
    QCOMPARE(item.Format, qint16(3));
    QCOMPARE(item.Qty, qint16(15));
    QCOMPARE(item.Barcodes[1], QStringLiteral("b1"));
    QCOMPARE(item.Barcodes[2], QStringLiteral("b2"));
    QCOMPARE(item.Texts[1], QStringLiteral("t1"));
    QCOMPARE(item.Texts[20], QStringLiteral("t20"));

    // Blank format and quantity read as 0; a quantity beyond 16 bits is held at 32767 (the
    // item editor refuses it rather than the list losing it as 0).
    fill(table, {rowOf({"001", "", "n", ""})});
    QCOMPARE(table.itemAt(1).Format, qint16(0));
    QCOMPARE(table.itemAt(1).Qty, qint16(0));
    fill(table, {rowOf({"001", "", "n", "", "99999"})});
    QCOMPARE(table.itemAt(1).Qty, qint16(32767));
}

void TestGoodsTable::renumber_data()
{
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("marksAfter");
    QTest::newRow("5 and 7 in use")
        << QStringList{"001", "005", "002", "007"} << QStringList{"1", "", "1", ""} << 5 << true
        << QStringList{"006", "005", "008", "007"} << QStringList{"", "", "", ""};
    QTest::newRow("target free") << QStringList{"001", "002"} << QStringList{"", "1"} << 20 << true
                                 << QStringList{"001", "020"} << QStringList{"", ""};
    QTest::newRow("all taken to 999")
        << QStringList{"999", "998", "001"} << QStringList{"", "", "1"} << 998 << false
        << QStringList{"999", "998", "001"} << QStringList{"", "", "1"};
    QTest::newRow("target 0") << QStringList{"001"} << QStringList{"1"} << 0 << false
                              << QStringList{"001"} << QStringList{"1"};
    QTest::newRow("target 1000") << QStringList{"001"} << QStringList{"1"} << 1000 << false
                                 << QStringList{"001"} << QStringList{"1"};
    QTest::newRow("empty list") << QStringList{} << QStringList{} << 5 << false << QStringList{}
                                << QStringList{};
}

void TestGoodsTable::renumber()
{
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, marks);
    QFETCH(int, target);
    QFETCH(bool, result);
    QFETCH(QStringList, after);
    QFETCH(QStringList, marksAfter);
    GoodsTable table;
    QList<QStringList> rows;
    for (int i = 0; i < numbers.size(); ++i)
        rows << rowOf({numbers[i], marks[i], "n"});
    fill(table, rows);
    QCOMPARE(apply(GoodsCommands::renumberMarked(table, target)), result);
    QCOMPARE(column(table, 1), after);
    QCOMPARE(column(table, 2), marksAfter);
}

void TestGoodsTable::sorts_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QStringList>("order"); // column 6 tags of the rows afterwards
    QTest::newRow("by number then name") << false << QStringList{"d", "f", "b", "c", "e", "a"};
    QTest::newRow("by name then number") << true << QStringList{"d", "f", "c", "e", "a", "b"};
}

void TestGoodsTable::sorts()
{
    QFETCH(bool, byName);
    QFETCH(QStringList, order);
    GoodsTable table;
    // Rows c and e are equal in both keys: the sort is stable.
    fill(table, {rowOf({"003", "", "배", "", "", "a"}), rowOf({"001", "1", "사과", "", "", "b"}),
                 rowOf({"002", "", "배", "", "", "c"}), rowOf({"001", "", "가", "", "", "d"}),
                 rowOf({"002", "", "배", "", "", "e"}), rowOf({"001", "", "나", "", "", "f"})});
    apply(GoodsCommands::sort(table, byName ? GoodsTable::SortKey::Name
                                            : GoodsTable::SortKey::Number));
    QCOMPARE(column(table, 6), order);
    // The mark moves with its row.
    QCOMPARE(table.mark(int(order.indexOf(QStringLiteral("b"))) + 1), true);
    QCOMPARE(column(table, 2).count(QStringLiteral("1")), 1);
}

void TestGoodsTable::sortKeepsPersistentIndexes()
{
    GoodsTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(table, {rowOf({"003", "", "c"}), rowOf({"001", "", "a"}), rowOf({"002", "", "b"})});
    const QPersistentModelIndex c(table.index(0, 2));
    QVERIFY(apply(GoodsCommands::sort(table, GoodsTable::SortKey::Number)));
    QCOMPARE(c.row(), 2);
    QCOMPARE(c.data().toString(), QStringLiteral("c"));
}

void TestGoodsTable::deleteOnlyRow()
{
    GoodsTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(table, {rowOf({"001", "", "a"})});
    QVERIFY(apply(GoodsCommands::remove(table, 0)));
    QCOMPARE(table.rows(), 0);
    QCOMPARE(table.rowCount(), 0);
    QVERIFY(table.toFileLines().isEmpty());
    QVERIFY(!apply(GoodsCommands::remove(table, 0))); // nothing left: no command
    QCOMPARE(table.rows(), 0);
}

void TestGoodsTable::marks()
{
    GoodsTable table;
    fill(table, {rowOf({"001"}), rowOf({"002"}), rowOf({"003"})});
    QVERIFY(apply(GoodsCommands::toggleMark(table, 1)));
    QCOMPARE(column(table, 2), (QStringList{"", "1", ""}));
    QVERIFY(apply(GoodsCommands::setAllMarks(table, true)));
    QCOMPARE(column(table, 2), (QStringList{"1", "1", "1"}));
    QVERIFY(apply(GoodsCommands::toggleMark(table, 0)));
    QVERIFY(apply(GoodsCommands::setAllMarks(table, false)));
    QCOMPARE(column(table, 2), (QStringList{"", "", ""}));
    // A mark text reading as a number other than 0 is on.
    fill(table, {rowOf({"001", "1"}), rowOf({"002", "0"}), rowOf({"003", "2"})});
    QCOMPARE(column(table, 2), (QStringList{"1", "", "1"}));
}

void TestGoodsTable::modelSide()
{
    GoodsTable table;
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(table.columnCount(), 29);
    QCOMPARE(table.headerData(0, Qt::Horizontal).toString(), QStringLiteral("번호"));
    QCOMPARE(table.headerData(1, Qt::Horizontal).toString(), QStringLiteral("선택"));
    QCOMPARE(table.headerData(2, Qt::Horizontal).toString(), QStringLiteral("품목명"));
    QCOMPARE(table.headerData(3, Qt::Horizontal).toString(), QStringLiteral("포멧"));
    QCOMPARE(table.headerData(4, Qt::Horizontal).toString(), QStringLiteral("수량"));
    QCOMPARE(table.headerData(7, Qt::Horizontal).toString(), QStringLiteral("바코드#3"));
    QCOMPARE(table.headerData(8, Qt::Horizontal).toString(), QStringLiteral("텍스트#01"));
    QCOMPARE(table.headerData(27, Qt::Horizontal).toString(), QStringLiteral("텍스트#20"));
    QCOMPARE(table.headerData(28, Qt::Horizontal).toString(), QString());

    fill(table, {rowOf({"007", "", "이름", "1", "12"})});
    QCOMPARE(table.data(table.index(0, 0)).toString(), QStringLiteral("007"));
    QCOMPARE(table.data(table.index(0, 2)).toString(), QStringLiteral("이름"));
    QCOMPARE(table.data(table.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(table.data(table.index(0, 3), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(table.data(table.index(0, 4), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(table.data(table.index(0, 2), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignLeft | Qt::AlignVCenter));

    const QModelIndex markIndex = table.index(0, 1);
    QVERIFY(table.flags(markIndex) & Qt::ItemIsUserCheckable);
    QVERIFY(!(table.flags(table.index(0, 2)) & Qt::ItemIsEditable));
    QCOMPARE(table.data(markIndex, Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QSignalSpy changed(&table, &QAbstractItemModel::dataChanged);
    QVERIFY(table.setData(markIndex, int(Qt::Checked), Qt::CheckStateRole));
    QVERIFY(table.mark(1));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(table.data(markIndex, Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(!table.setData(table.index(0, 2), QStringLiteral("x"), Qt::EditRole));
    QCOMPARE(table.cell(1, 3), QStringLiteral("이름"));
}

QTEST_GUILESS_MAIN(TestGoodsTable)
#include "test_goodstable.moc"
