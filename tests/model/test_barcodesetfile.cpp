// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "common/textfile.h"
#include "model/barcodesetfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestBarcodeSetFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data();
    void reading();
    void writesEveryLine();
    void missingFileGivesDefaults();
};

void TestBarcodeSetFile::reading_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("setNo");
    QTest::addColumn<QStringList>("names"); // "index=name" for the non-empty ones

    QTest::newRow("blank lines do not shift names")
        << QStringList{"", "7", "  ", "가게", "", "?", "창고"} << 7
        << QStringList{"0=가게", "2=창고"};
    QTest::newRow("number out of range") << QStringList{"25", "a"} << 0 << QStringList{"0=a"};
    QTest::newRow("sign ignored") << QStringList{"-12"} << 12 << QStringList{};
    QTest::newRow("short file") << QStringList{"3", "one"} << 3 << QStringList{"0=one"};
    QTest::newRow("quotes become backticks")
        << QStringList{"0", " it's \"ok\" "} << 0 << QStringList{"0=it`s `ok`"};
    // 16 syllables are 32 bytes: the name keeps the first 15 (30 bytes).
    QTest::newRow("over-long Hangul name cut at 30 bytes")
        << QStringList{"1", QString(16, QChar(0xAC00))} << 1
        << QStringList{"0=" + QString(15, QChar(0xAC00))};
    QStringList many{"21"};
    for (int i = 0; i < 25; ++i)
        many << QString("n%1").arg(i);
    QTest::newRow("lines after the 23rd ignored") << many << 21 << [] {
        QStringList l;
        for (int i = 0; i < 22; ++i)
            l << QString("%1=n%1").arg(i);
        return l;
    }();
}

void TestBarcodeSetFile::reading()
{
    QFETCH(QStringList, lines);
    QFETCH(int, setNo);
    QFETCH(QStringList, names);
    const auto c = BarcodeSetFile::fromLines(lines);
    QCOMPARE(c.setNo, setNo);
    QStringList expected(22);
    for (const QString &n : names)
        expected[n.section('=', 0, 0).toInt()] = n.section('=', 1);
    QCOMPARE(c.names, expected);
}

void TestBarcodeSetFile::writesEveryLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("QelBarcodeSet.Txt");
    BarcodeSetFile::Contents c;
    c.setNo = 7;
    c.names[0] = "사과";
    QVERIFY(BarcodeSetFile::write(path, c));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QByteArray expected = "7\r\n\xBB\xE7\xB0\xFA\r\n";
    for (int i = 1; i < 22; ++i)
        expected += "?\r\n";
    QCOMPARE(bytes, expected);
    QCOMPARE(BarcodeSetFile::read(path).names, c.names);
}

void TestBarcodeSetFile::missingFileGivesDefaults()
{
    const auto c = BarcodeSetFile::read("/nonexistent/QelBarcodeSet.Txt");
    QCOMPARE(c.setNo, 0);
    QCOMPARE(c.names, QStringList(22));
}

QTEST_GUILESS_MAIN(TestBarcodeSetFile)
#include "test_barcodesetfile.moc"
