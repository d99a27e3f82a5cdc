// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clirunner.h"
#include "model/goodstable.h"
#include "support/goodsfilefixture.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace GoodsFileFixture;

class TestGoodsCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void import_data();
    void import();
    void roundTrip_data();
    void roundTrip();

private:
    QString goodsFile() const { return m_dir->filePath(QStringLiteral("SRP770Dat[00].Txt")); }
    QStringList args(const QString &line) const
    {
        QStringList a = QStringList{QStringLiteral("--data-dir"), m_dir->path()} +
                        line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString &s : a)
            s.replace(QLatin1String("%D"), m_dir->path());
        return a;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestGoodsCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(LabelSetFixture::write(m_dir->path(), QStringLiteral("/dev/null")));
    QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("new.csv")),
                       QStringLiteral("바코드,상품명,가격\n8801234567893,사과,1500\n"
                                      "8809999999999,멜론,9000\n")
                           .toUtf8()));
    QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("empty.csv")), "바코드,상품명\n"));
    QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("shop.csv")),
                       QStringLiteral("3월 특가 목록,,\n품목명,바코드,가격\n"
                                      "사과,8801234567893,\"1,050\"\n포도,8.80001E+12,900\n")
                           .toUtf8()));
    QVERIFY(writeBytes(m_dir->filePath(QStringLiteral("text.xlsx")), "a,b\n"));
}

void TestGoodsCommand::import_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("says"); // in standard output, or error when failed
    const QString file = QStringLiteral("goods import %D/new.csv --set 00 ");
    QTest::newRow("no model") << file << 2 << false << "--model";
    QTest::newRow("bad mode") << file + "--model srp770 --mode merge" << 2 << false << "--mode";
    QTest::newRow("bad map") << file + "--model srp770 --map price=C" << 2 << false << "price";
    QTest::newRow("no file") << "goods import --model srp770 --set 00" << 2 << false
                             << "name the file";
    QTest::newRow("no subcommand") << "goods --model srp770" << 2 << false << "import or export";
    QTest::newRow("dry run") << file + "--model srp770 --dry-run" << 0 << false
                             << "2 added, 0 updated";
    QTest::newRow("append") << file + "--model srp770" << 0 << true << "2 added, 0 updated";
    QTest::newRow("update by barcode")
        << file + "--model srp770 --mode update --map barcode1=A,text3=C" << 0 << true
        << "1 added, 1 updated";
    QTest::newRow("nothing mapped")
        << file + "--model srp770 --map qty=C" << 1 << false << "nothing imported";
    QTest::newRow("replace with no goods leaves the list")
        << "goods import %D/empty.csv --set 00 --model srp770 --mode replace" << 1 << false
        << "nothing imported";
    const QString shop = QStringLiteral("goods import %D/shop.csv --set 00 --model srp770 ");
    QTest::newRow("dry run lists changed cells")
        << shop + "--dry-run" << 0 << false << "row 3 text1: \"1,050\" -> \"1?050\"";
    QTest::newRow("title above the captions")
        << shop + "--dry-run" << 0 << false << "1 row(s) above the caption row not imported";
    QTest::newRow("mangled barcode refused")
        << shop + "--dry-run" << 0 << false << "scientific notation, its digits lost (row 4)";
    QTest::newRow("thousands without separators")
        << shop + "--dry-run --plain-thousands" << 0 << false << "stored without them";
    QTest::newRow("caption row by hand") << shop + "--dry-run --caption-row 2" << 0 << false
                                         << "captions in row 2";
    QTest::newRow("caption row beyond the file")
        << shop + "--caption-row 9" << 1 << false << "row 9 is blank or beyond the file";
    QTest::newRow("bad caption row") << shop + "--caption-row 0" << 2 << false << "--caption-row";
    QTest::newRow("bad quantity") << shop + "--qty 1000" << 2 << false << "--qty";
    QTest::newRow("not what its name says") << "goods import %D/text.xlsx --set 00 --model srp770"
                                            << 1 << false << "do not match the file name";
}

void TestGoodsCommand::import()
{
    QFETCH(QString, line);
    QFETCH(int, status);
    QFETCH(bool, changed);
    QFETCH(QString, says);
    const QByteArray before = readBytes(goodsFile());
    const CliResult r = runCli(args(line));
    QCOMPARE(r.status, status);
    QCOMPARE(readBytes(goodsFile()) != before, changed);
    QVERIFY2((status == 0 ? QString::fromUtf8(r.out) : r.err).contains(says),
             qPrintable(QString::fromUtf8(r.out) + r.err));
}

void TestGoodsCommand::roundTrip_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("xlsx") << "--xlsx %D/out.xlsx";
    QTest::newRow("csv utf-8") << "--csv %D/out.csv";
    QTest::newRow("csv cp949") << "--csv %D/out.csv --encoding cp949";
}

void TestGoodsCommand::roundTrip()
{
    QFETCH(QString, option);
    // The list as the station keeps it (its data cleaned as the item editor stores them).
    GoodsRows goods;
    for (const QStringList &cells : {QStringList{"003", "", "배 `특가`", "2", "1", "8809876543213",
                                                 "PEAR 2", "", "배 특가", "900"},
                                     QStringList{"001", "", "사과", "1", "", "8801234567893"}}) {
        const int r = goods.appendRow();
        for (int c = 0; c < cells.size(); ++c)
            goods.setCell(r, c + 1, cells[c]);
        goods.setCell(r, GoodsTable::LastColumn - 1, QStringLiteral("끝"));
    }
    QVERIFY(goods.save(goodsFile()));
    const QByteArray before = readBytes(goodsFile());
    CliResult r = runCli(args(QStringLiteral("goods export --model srp770 --set 00 ") + option));
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString exported = args(option).value(3);
    r = runCli(args(
        QStringLiteral("goods import %1 --model srp770 --set 00 --mode replace").arg(exported)));
    QVERIFY2(r.status == 0, qPrintable(QString::fromUtf8(r.out) + r.err));
    QCOMPARE(readBytes(goodsFile()), before);
}

QTEST_GUILESS_MAIN(TestGoodsCommand)
#include "test_goodscommand.moc"
