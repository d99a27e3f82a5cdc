// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "model/csvimportreader.h"
#include "model/fieldfilter.h"
#include "model/goodsexport.h"
#include "printers/printers.h"
#include "model/goodsimportfile.h"
#include "model/goodsimportplan.h"
#include "model/goodsimportsettings.h"
#include "model/goodstable.h"
#include "support/xlsxreader.h"
#include "support/goodsfilefixture.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace GoodsFileFixture;
using Plan = GoodsImportPlan;

namespace {

// A goods file line: position, then number, name, format, quantity, barcodes and texts as
// far as given; the rest empty.
QString line(int position, const QStringList &fields)
{
    QStringList f = fields;
    while (f.size() < 27)
        f << QString();
    return QStringLiteral("<%1>'").arg(position, 3, 10, QLatin1Char('0')) +
           f.join(QLatin1Char('\'')) + QStringLiteral("'~");
}

QByteArray fileBytes(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += Cp949Codec::encode(l) + "\r\n";
    return out;
}

ImportTable csvTable(const QByteArray &bytes)
{
    ImportTable t;
    CsvImportReader::read(bytes, TextEncoding::Auto, 0, &t);
    return t;
}

GoodsImportMapping mappingFor(const ImportTable &t, const QString &spec)
{
    GoodsImportMapping m;
    if (spec.isEmpty())
        return GoodsImportMapping::guess(t, GoodsImportMapping::guessHeader(t));
    QString error;
    m.parse(spec, &error);
    m.header = GoodsImportMapping::guessHeader(t);
    return m;
}

} // namespace

class TestGoodsImportPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void goodsFile_data();
    void goodsFile();
    void limits_data();
    void limits();
    void roundTrip_data();
    void roundTrip();
    void exportFiles();
    void guessAndRemember_data();
    void guessAndRemember();

private:
    QTemporaryDir m_dir;
};

void TestGoodsImportPlan::goodsFile_data()
{
    QTest::addColumn<QStringList>("existing"); // goods file lines before
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("map"); // "" guesses
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("match");
    QTest::addColumn<QStringList>("expected"); // goods file lines after
    QTest::addColumn<QString>("counts");       // added updated skipped renumbered
    const int append = int(Plan::Mode::Append), replace = int(Plan::Mode::Replace),
              update = int(Plan::Mode::Update);
    const int byBarcode = int(Plan::Match::Barcode1), byNumber = int(Plan::Match::Number);

    QTest::newRow("captions guessed, cells cleaned as the item editor does")
        << QStringList()
        << QByteArray("\xEF\xBB\xBF") +
               QStringLiteral("바코드,상품명,가격,메모\r\n"
                              "8801234567893,\"사과 \"\"부사\"\"\",\"1,500|원\",x\r\n"
                              "8809876543213,\"배\n특가\",900,\r\n,,,\r\n,없음,,\r\n"
                              "1234,café ₩,,\r\n ,,1234567890123456789012345678901234,\r\n")
                   .toUtf8()
        << "" << append << byBarcode
        << QStringList{line(1, {"1", "사과 `부사`", "1", "1", "8801234567893", "", "", "1?500?원"}),
                       line(2, {"2", "배 특가", "1", "1", "8809876543213", "", "", "900"}),
                       line(3, {"3", "없음", "1", "1"}), line(4, {"4", "caf? ?", "1", "1", "1234"})}
        << "4 0 1 0";
    QTest::newRow("append: a free number kept, the first free ones given")
        << QStringList{line(1, {"1", "A"}), line(2, {"3", "C"})} << QByteArray("5,E\n,F\n3,G\n,H\n")
        << "number=A,name=B" << append << byBarcode
        << QStringList{line(1, {"1", "A", "1", "0"}), line(2, {"3", "C", "1", "0"}),
                       line(3, {"5", "E", "1", "1"}), line(4, {"2", "F", "1", "1"}),
                       line(5, {"4", "G", "1", "1"}), line(6, {"6", "H", "1", "1"})}
        << "4 0 0 1";
    QTest::newRow("replace: numbers as given, rows skipped and why")
        << QStringList{line(1, {"9", "OLD"})}
        << QStringLiteral(
               "번호,품목명,바코드,포멧,수량\n7,A,111,2,3\n0,B,222\n1000,C,333\n,D,,9,1500\n"
               "8,,\n")
               .toUtf8()
        << "" << replace << byBarcode
        << QStringList{line(1, {"7", "A", "2", "3", "111"}), line(2, {"1", "D", "9", "1500"})}
        << "2 0 3 0";
    QTest::newRow("update by barcode 1: mapped cells only, number kept, the rest appended")
        << QStringList{line(1, {"4", "사과", "2", "3", "8801234567893", "", "", "old", "keep"})}
        << QByteArray("8801234567893;1700\n8809999999999;50\n") << "barcode1=A,text1=B" << update
        << byBarcode
        << QStringList{line(1, {"4", "사과", "2", "3", "8801234567893", "", "", "1700", "keep"}),
                       line(2, {"1", "?", "1", "1", "8809999999999", "", "", "50"})}
        << "1 1 0 0";
    QTest::newRow("update by number")
        << QStringList{line(1, {"1", "하나", "1", "0", "111"}),
                       line(2, {"2", "둘", "1", "0", "222"})}
        << QStringLiteral("번호\t품목명\n2\t새 이름\n5\t다섯\n").toUtf8() << "" << update
        << byNumber
        << QStringList{line(1, {"1", "하나", "1", "0", "111"}),
                       line(2, {"2", "새 이름", "1", "0", "222"}), line(3, {"5", "다섯", "1", "1"})}
        << "1 1 0 0";
}

void TestGoodsImportPlan::goodsFile()
{
    QFETCH(QStringList, existing);
    QFETCH(QByteArray, csv);
    QFETCH(QString, map);
    QFETCH(int, mode);
    QFETCH(int, match);
    QFETCH(QStringList, expected);
    GoodsTable goods;
    goods.fromFileLines(existing);
    const ImportTable table = csvTable(csv);
    const Plan plan =
        Plan::build(table, mappingFor(table, map), Plan::Mode(mode), Plan::Match(match), goods);
    QTEST(QStringLiteral("%1 %2 %3 %4")
              .arg(plan.added)
              .arg(plan.updated)
              .arg(plan.skipped())
              .arg(plan.renumbered),
          "counts");
    plan.applyTo(goods);
    const QString path = m_dir.filePath(QStringLiteral("SRP770Dat[00].Txt"));
    QVERIFY(goods.save(path));
    QCOMPARE(readBytes(path), fileBytes(expected));
}

void TestGoodsImportPlan::limits_data()
{
    QTest::addColumn<int>("existing");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("overLimit");
    QTest::newRow("append beyond 999") << 998 << 3 << int(Plan::Mode::Append) << 1 << 2;
    QTest::newRow("replace with 1000 rows") << 5 << 1000 << int(Plan::Mode::Replace) << 999 << 1;
    QTest::newRow("update appends within 999") << 999 << 1 << int(Plan::Mode::Update) << 0 << 1;
}

void TestGoodsImportPlan::limits()
{
    QFETCH(int, existing);
    QFETCH(int, rows);
    QFETCH(int, mode);
    GoodsTable goods;
    QStringList lines;
    for (int i = 1; i <= existing; ++i)
        lines << line(i, {QString::number(i), QStringLiteral("G%1").arg(i), "1", "0",
                          QStringLiteral("B%1").arg(i)});
    goods.fromFileLines(lines);
    QByteArray csv;
    for (int i = 1; i <= rows; ++i)
        csv += QByteArray("N") + QByteArray::number(i) + ",X" + QByteArray::number(i) + "\n";
    const ImportTable table = csvTable(csv);
    const Plan plan = Plan::build(table, mappingFor(table, QStringLiteral("name=A,barcode1=B")),
                                  Plan::Mode(mode), Plan::Match::Barcode1, goods);
    QTEST(plan.added, "added");
    QTEST(plan.skippedOverLimit, "overLimit");
    QVERIFY(plan.rows.size() <= Plan::MaxGoods);
    QVERIFY(plan.summaryKorean().join(QLatin1Char('\n')).contains(QStringLiteral("999개를 넘는")));
}

void TestGoodsImportPlan::roundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("csv utf-8") << "utf-8";
    QTest::newRow("csv cp949") << "cp949";
    QTest::newRow("xlsx") << "xlsx";
}

void TestGoodsImportPlan::roundTrip()
{
    QFETCH(QString, kind);
    // A goods file as the stations write it: Hangul, texts 11 to 20, a backtick, an empty
    // quantity, a format no station has; data cleaned as the item editor stores them.
    GoodsTable goods;
    LabelSetFixture::fillGoods(goods);
    QList<QStringList> rows = goods.rowTexts();
    for (QStringList &row : rows) {
        for (int c = GoodsTable::FirstBarcodeColumn; c < GoodsTable::LastColumn; ++c)
            row[c - 1] = FieldFilter(row[c - 1]);
    }
    QStringList last(GoodsTable::ColumnCount);
    last[GoodsTable::NumberColumn - 1] = QStringLiteral("999");
    last[GoodsTable::NameColumn - 1] = QStringLiteral("뷁 `똠` 1 1/2\" x");
    last[GoodsTable::FormatColumn - 1] = QStringLiteral("5");
    for (int t = 1; t <= 20; ++t)
        last[GoodsTable::FirstTextColumn + t - 2] = QStringLiteral("T%1 값").arg(t);
    goods.setRowTexts(rows << last);
    const QString before = m_dir.filePath(QStringLiteral("before.txt"));
    QVERIFY(goods.save(before));
    goods.load(before);

    const QString exported = m_dir.filePath(
        kind == QLatin1String("xlsx") ? QStringLiteral("e.xlsx") : QStringLiteral("e.csv"));
    if (kind == QLatin1String("xlsx"))
        QVERIFY(GoodsExport::writeXlsx(exported, goods));
    else
        QVERIFY(GoodsExport::writeCsv(exported, goods,
                                      kind == QLatin1String("cp949") ? GoodsExport::Csv::Cp949
                                                                     : GoodsExport::Csv::Utf8Bom));
    ImportTable table;
    QVERIFY(GoodsImportFile::read(exported, {}, &table).ok());
    GoodsTable other;
    other.fromFileLines({line(1, {"1", "other"})});
    const Plan plan = Plan::build(table, GoodsImportMapping::guess(table, true),
                                  Plan::Mode::Replace, Plan::Match::Barcode1, other);
    plan.applyTo(other);
    const QString after = m_dir.filePath(QStringLiteral("after.txt"));
    QVERIFY(other.save(after));
    QCOMPARE(readBytes(after), readBytes(before));
}

void TestGoodsImportPlan::exportFiles()
{
    GoodsTable goods;
    goods.fromFileLines({line(1, {"7", "사과, 큰 것", "1", "3", "8801234567893", "", "", " a\"b"}),
                         line(2, {"12", "뷁", "2", "0", "0012345678905"})});
    const QByteArray head = QStringLiteral("번호,품목명,포멧,수량,바코드#1,바코드#2,바코드#3,"
                                           "텍스트#01,텍스트#02,텍스트#03,텍스트#04,텍스트#05,"
                                           "텍스트#06,텍스트#07,텍스트#08,텍스트#09,텍스트#10,"
                                           "텍스트#11,텍스트#12,텍스트#13,텍스트#14,텍스트#15,"
                                           "텍스트#16,텍스트#17,텍스트#18,텍스트#19,텍스트#20\r\n")
                                .toUtf8();
    const QByteArray rest = QByteArray(19, ',') + "\r\n";
    const QByteArray body =
        QStringLiteral("7,\"사과, 큰 것\",1,3,8801234567893,,,\"a\"\"b\"").toUtf8() + rest +
        QStringLiteral("12,뷁,2,,0012345678905,,,").toUtf8() + rest;
    QCOMPARE(GoodsExport::csvBytes(goods, GoodsExport::Csv::Utf8Bom),
             QByteArray("\xEF\xBB\xBF") + head + body);
    QCOMPARE(GoodsExport::csvBytes(goods, GoodsExport::Csv::Cp949),
             Cp949Codec::encode(QString::fromUtf8(head + body)));

    const QString path = m_dir.filePath(QStringLiteral("x.xlsx"));
    QVERIFY(GoodsExport::writeXlsx(path, goods));
    QString error;
    const QJsonObject cells = ReadXlsx(path, &error).value(QLatin1String("cells")).toObject();
    QVERIFY2(!cells.isEmpty(), qPrintable(error));
    auto cell = [&](const char *ref) { return cells.value(QLatin1String(ref)).toObject(); };
    QCOMPARE(cell("E3").value(QLatin1String("v")).toString(), QStringLiteral("0012345678905"));
    QCOMPARE(cell("E3").value(QLatin1String("t")).toString(), QStringLiteral("s"));
    QCOMPARE(cell("A2").value(QLatin1String("v")).toInt(), 7);
    QCOMPARE(cell("H1").value(QLatin1String("v")).toString(), QStringLiteral("텍스트#01"));
}

void TestGoodsImportPlan::guessAndRemember_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("guessed");
    QTest::addColumn<QByteArray>("later"); // the next week's file, columns moved
    QTest::addColumn<QString>("remembered");
    QTest::newRow("Korean captions, price to the first text")
        << QStringLiteral("상품코드,품명,바코드,단가,규격\n1,사과,8801234567893,1500,1kg\n")
               .toUtf8()
        << true << "name=B,barcode1=C,text1=D"
        << QStringLiteral("단가,바코드,품명\n1,8801,배\n").toUtf8() << "name=C,barcode1=B,text1=A";
    QTest::newRow("our own export captions")
        << QStringLiteral("번호,품목명,포멧,수량,바코드#1,텍스트#01,텍스트#12\n1,a,1,2,3,4,5\n")
               .toUtf8()
        << true << "number=A,name=B,format=C,qty=D,barcode1=E,text1=F,text12=G"
        << QStringLiteral("품목명,번호\nb,2\n").toUtf8() << "number=B,name=A";
    QTest::newRow("no captions: judged by the cells")
        << QStringLiteral("사과,8801234567893,1500\n배,8809876543213,900\n").toUtf8() << false
        << "name=A,barcode1=B" << QStringLiteral("포도,8801111111119\n").toUtf8()
        << "name=A,barcode1=B";
}

void TestGoodsImportPlan::guessAndRemember()
{
    QFETCH(QByteArray, csv);
    QFETCH(bool, header);
    const ImportTable table = csvTable(csv);
    QCOMPARE(GoodsImportMapping::guessHeader(table), header);
    const GoodsImportMapping m = GoodsImportMapping::guess(table, header);
    QTEST(m.spec(), "guessed");

    GoodsImportSettings settings;
    settings.remember(m, table);
    settings.mode = Plan::Mode::Update;
    const QString path = m_dir.filePath(GoodsImportSettings::fileName(Printers::al300(), "03"));
    QVERIFY(settings.save(path));
    GoodsImportSettings loaded;
    QVERIFY(loaded.load(path));
    QVERIFY(loaded.known);
    QCOMPARE(loaded.mode, Plan::Mode::Update);
    QFETCH(QByteArray, later);
    const GoodsImportMapping again = loaded.mappingFor(csvTable(later));
    QTEST(again.spec(), "remembered");
    QCOMPARE(again.header, header);
}

QTEST_GUILESS_MAIN(TestGoodsImportPlan)
#include "test_goodsimportplan.moc"
