// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/prebuilder.h"

#include "common/cp949codec.h"
#include "common/textfile.h"
#include "model/leogoodswriter.h"
#include "model/prefile.h"
#include "model/goodstable.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Three fields: a 13-byte code at 1, a 10-byte name at 14, an unused field; 24-byte records.
PreBuilder smallFile(int records)
{
    PreBuilder pre;
    pre.setRecordLength(24);
    pre.setField(0, 1, 13, 1, QStringLiteral("코드"));
    pre.setField(1, 14, 10, 0, QStringLiteral("상품명"), ' ');
    pre.setField(2, 5, 0, 7, QStringLiteral("예비"));
    for (int r = 1; r <= records; ++r)
        pre.addRecord({QStringLiteral("88012345%1").arg(r, 5, 10, QLatin1Char('0')),
                       QStringLiteral("상품%1").arg(r)});
    return pre;
}

} // namespace

class TestPreFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void signature_data();
    void signature();
    void refusedFileKeepsEarlierContent_data();
    void refusedFileKeepsEarlierContent();
    void missingFileIsUnreadable();
    void recordCount_data();
    void recordCount();
    void layoutAndNames();
    void unusedFieldStaysEmpty();
    void padding_data();
    void padding();
    void hangulCutByFieldLength_data();
    void hangulCutByFieldLength();
    void fieldPastEndOfFileReadsBlank();
    void fieldStaysInsideItsRecord();
    void lineBreaksInFieldsKeepGoodsLines();
    void recordLengthOneIsBounded();
    void sampleFile();
};

void TestPreFile::signature_data()
{
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("exact") << QByteArray("LEO_60D Ver 3") << true;
    QTest::newRow("more text after the 13 bytes") << QByteArray("LEO_60D Ver 3.1x") << true;
    QTest::newRow("other version") << QByteArray("LEO_60D Ver 2") << false;
    QTest::newRow("lower case") << QByteArray("leo_60d ver 3") << false;
    QTest::newRow("space instead of underscore") << QByteArray("LEO 60D Ver 3") << false;
    QTest::newRow("blank") << QByteArray() << false;
}

void TestPreFile::signature()
{
    QFETCH(QByteArray, signature);
    QFETCH(bool, accepted);
    PreBuilder pre = smallFile(2);
    pre.setSignature(signature);
    PreFile file;
    QCOMPARE(file.parse(pre.build()) == PreFile::Status::Ok, accepted);
    QCOMPARE(file.recordCount(), accepted ? 2 : 0);
}

void TestPreFile::refusedFileKeepsEarlierContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = smallFile(1).build();
    QTest::newRow("shorter than the header") << good.left(767);
    QTest::newRow("header only, 13 bytes") << good.left(13);
    QByteArray big = good + QByteArray(PreFile::MaxFileSize + 1 - good.size(), ' ');
    QTest::newRow("one byte over the image") << big;
    QByteArray zero = good;
    zero[246] = 0;
    QTest::newRow("record length 0") << zero;
    QByteArray wrong = good;
    wrong[12] = '4';
    QTest::newRow("wrong version") << wrong;
}

void TestPreFile::refusedFileKeepsEarlierContent()
{
    QFETCH(QByteArray, bytes);
    PreFile file;
    QCOMPARE(file.parse(smallFile(3).build()), PreFile::Status::Ok);
    QCOMPARE(file.parse(bytes), PreFile::Status::Unknown);
    QCOMPARE(file.recordCount(), 3);
    QCOMPARE(file.recordLength(), 24);
    QCOMPARE(file.cell(3, 1), QStringLiteral("상품3     "));

    // The same through a real file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.pre"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    QCOMPARE(file.load(path), PreFile::Status::Unknown);
    QCOMPARE(file.recordCount(), 3);
}

void TestPreFile::missingFileIsUnreadable()
{
    QTemporaryDir dir;
    PreFile file;
    QCOMPARE(file.load(dir.filePath(QStringLiteral("none.pre"))), PreFile::Status::Unreadable);
    QCOMPARE(file.load(dir.path()), PreFile::Status::Unreadable);
    QVERIFY(!file.isLoaded());
}

void TestPreFile::recordCount_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("expected");
    QTest::newRow("header only") << 0 << QByteArray() << 0;
    QTest::newRow("three records") << 3 << QByteArray() << 3;
    QTest::newRow("partial record ignored") << 3 << QByteArray(23, 'x') << 3;
    QTest::newRow("one byte of a record") << 0 << QByteArray(1, 'x') << 0;
}

void TestPreFile::recordCount()
{
    QFETCH(int, records);
    QFETCH(QByteArray, tail);
    QFETCH(int, expected);
    PreBuilder pre = smallFile(records);
    pre.appendRaw(tail);
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.recordCount(), expected);
    QCOMPARE(file.rows().size(), expected);
    QCOMPARE(file.cell(expected + 1, 0), QString());
}

void TestPreFile::layoutAndNames()
{
    PreBuilder pre = smallFile(1);
    pre.setField(24, 200, 255, 255, QStringLiteral("마지막필드이름입니다")); // 20 bytes, cut to 14
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.field(0).start, 1);
    QCOMPARE(file.field(0).length, 13);
    QCOMPARE(file.field(0).attribute, 1);
    QCOMPARE(file.field(1).name, QStringLiteral("상품명"));
    QCOMPARE(file.field(2).attribute, 7);
    QCOMPARE(file.field(24).start, 200);
    QCOMPARE(file.field(24).length, 255);
    QCOMPARE(file.field(24).attribute, 255);
    QCOMPARE(file.field(24).name, QStringLiteral("마지막필드이름"));
    QCOMPARE(file.field(10).name, QString());
    const QStringList names = file.fieldNames();
    QCOMPARE(names.size(), PreFile::FieldCount);
    QCOMPARE(names[0], QStringLiteral("코드"));
}

void TestPreFile::unusedFieldStaysEmpty()
{
    // Field 2 lies over the code's bytes but has length 0.
    PreFile file;
    QCOMPARE(file.parse(smallFile(2).build()), PreFile::Status::Ok);
    for (int r = 1; r <= 2; ++r) {
        QCOMPARE(file.cell(r, 2), QString());
        QCOMPARE(file.rows()[r - 1][2], QString());
    }
    QCOMPARE(file.rows()[1][0], QStringLiteral("8801234500002"));
}

void TestPreFile::padding_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("NUL padding") << QByteArray("AB\0\0\0\0", 6) << QStringLiteral("AB    ")
                                 << QStringLiteral("AB");
    QTest::newRow("space padding")
        << QByteArray("  AB  ", 6) << QStringLiteral("  AB  ") << QStringLiteral("AB");
    QTest::newRow("NUL inside") << QByteArray("A\0B\0\0\0", 6) << QStringLiteral("A B   ")
                                << QStringLiteral("A B");
    QTest::newRow("all NUL") << QByteArray(6, '\0') << QStringLiteral("      ") << QString();
    QTest::newRow("all spaces") << QByteArray(6, ' ') << QString() << QString();
    QTest::newRow("Hangul with NUL")
        << (Cp949Codec::encode(QStringLiteral("사과")) + QByteArray(2, '\0'))
        << QStringLiteral("사과  ") << QStringLiteral("사과");
}

void TestPreFile::padding()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, cell);
    QFETCH(QString, trimmed);
    PreBuilder pre;
    pre.setRecordLength(8);
    pre.setField(0, 2, 6, 0, QStringLiteral("F"));
    QByteArray record = "X" + field + "Y";
    pre.appendRaw(record);
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.recordCount(), 1);
    QCOMPARE(file.cell(1, 0), cell);
    QCOMPARE(file.rows()[0][0], trimmed);
}

void TestPreFile::hangulCutByFieldLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    // "사과나무" is 8 bytes in CP949.
    QTest::newRow("whole") << 8 << QStringLiteral("사과나무");
    QTest::newRow("cut inside the third syllable") << 5 << QStringLiteral("사과");
    QTest::newRow("cut after two syllables") << 4 << QStringLiteral("사과");
    QTest::newRow("first byte only") << 1 << QString();
    QTest::newRow("mixed cut") << 3 << QStringLiteral("사");
}

void TestPreFile::hangulCutByFieldLength()
{
    QFETCH(int, length);
    QFETCH(QString, expected);
    PreBuilder pre;
    pre.setRecordLength(12);
    pre.setField(0, 1, length, 0, QStringLiteral("이름"));
    pre.setField(1, 11, 2, 0, QStringLiteral("다음"));
    // The full name is in the record; the field definition cuts it.
    QByteArray record = Cp949Codec::encode(QStringLiteral("사과나무")) + "  " + "OK";
    pre.appendRaw(record);
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.rows()[0][0], expected);
    QCOMPARE(file.rows()[0][1], QStringLiteral("OK"));
    QVERIFY(!file.cell(1, 0).contains(QChar(0xFFFD)));
    QVERIFY(!file.cell(1, 0).contains(QLatin1Char('?')));
}

void TestPreFile::fieldPastEndOfFileReadsBlank()
{
    // A field that starts near the end of the last record runs past the end of the file.
    PreBuilder pre;
    pre.setRecordLength(4);
    pre.setField(0, 3, 10, 0, QStringLiteral("긴필드"));
    pre.appendRaw("abCD");
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.cell(1, 0), QStringLiteral("CD        "));
}

void TestPreFile::fieldStaysInsideItsRecord()
{
    // Field 0 reaches 2 bytes past its 4-byte record; field 1 starts at position 0.
    PreBuilder pre;
    pre.setRecordLength(4);
    pre.setField(0, 3, 4, 0, QStringLiteral("넘침"));
    pre.setField(1, 0, 2, 0, QStringLiteral("영"));
    pre.appendRaw("abCDefGH");
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.cell(1, 0), QStringLiteral("CD  "));
    QCOMPARE(file.cell(2, 0), QStringLiteral("GH  "));
    QCOMPARE(file.cell(2, 1), QStringLiteral(" e"));
}

void TestPreFile::lineBreaksInFieldsKeepGoodsLines()
{
    PreBuilder pre;
    pre.setRecordLength(12);
    pre.setField(0, 1, 12, 0, QStringLiteral("이름"));
    pre.appendRaw("AB\r\nCD\tEF\x01"
                  "GH");
    pre.appendRaw("second line ");
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.rows()[0][0], QStringLiteral("AB  CD EF GH"));
    // Two goods written, two goods read back.
    QTemporaryDir dir;
    const QString goodsPath = dir.filePath("AL300Dat[00].Txt");
    QVERIFY(LeoGoodsWriter::write(goodsPath, file.rows(), {1, 0, 0, 1}));
    QCOMPARE(TextFile::readLines(goodsPath).size(), 2);
    GoodsTable goods;
    QVERIFY(goods.load(goodsPath));
    QCOMPARE(goods.rows(), 2);
    QCOMPARE(goods.cell(1, GoodsTable::FirstTextColumn), QStringLiteral("AB  CD EF GH"));
    // A cell that holds a line break however it came there is written on one line.
    QCOMPARE(LeoGoodsWriter::fieldText(QStringLiteral("a\nb")), QStringLiteral("a b"));
}

void TestPreFile::recordLengthOneIsBounded()
{
    // The largest file with one-byte records and every field as long as it can be.
    PreBuilder pre;
    pre.setRecordLength(1);
    for (int i = 0; i < PreFile::FieldCount; ++i)
        pre.setField(i, 1, 255, 0, QStringLiteral("F%1").arg(i));
    QByteArray records(int(PreFile::MaxFileSize - PreFile::HeaderSize), 'x');
    pre.appendRaw(records);
    QElapsedTimer clock;
    clock.start();
    PreFile file;
    QCOMPARE(file.parse(pre.build()), PreFile::Status::Ok);
    QCOMPARE(file.recordCount(), PreFile::MaxRecords);
    QCOMPARE(file.omittedRecords(), int(records.size()) - PreFile::MaxRecords);
    const QList<QStringList> rows = file.rows();
    QCOMPARE(rows.size(), PreFile::MaxRecords);
    QCOMPARE(rows.last()[24], QStringLiteral("x"));
    const QStringList lines = LeoGoodsWriter::buildLines(rows, {1, 2, 3, 4});
    QCOMPARE(lines.size(), PreFile::MaxRecords);
    QVERIFY(lines.last().startsWith("<000999>'999'"));
#ifdef __SANITIZE_ADDRESS__
    const qint64 bound = 15000; // the sanitizers check every byte touched
#else
    const qint64 bound = 1000;
#endif
    QVERIFY2(clock.elapsed() < bound, qPrintable(QString::number(clock.elapsed())));
}

void TestPreFile::sampleFile()
{
    PreFile file;
    QCOMPARE(file.load(QStringLiteral(TEST_DATA_DIR "/sample.pre")), PreFile::Status::Ok);
    QCOMPARE(file.recordLength(), 96);
    QCOMPARE(file.recordCount(), 200);
    QCOMPARE(
        file.fieldNames().mid(0, 8),
        (QStringList{QStringLiteral("상품코드"), QStringLiteral("상품명"), QStringLiteral("규격"),
                     QStringLiteral("판매가"), QStringLiteral("제조사"), QStringLiteral("원산지"),
                     QStringLiteral("분류"), QStringLiteral("예비")}));
    const QList<QStringList> rows = file.rows();
    QCOMPARE(rows[0][0], QStringLiteral("8800010000371"));
    QCOMPARE(rows[0][1], QStringLiteral("배 주스"));
    QCOMPARE(rows[0][2], QStringLiteral("1,000ml"));
    QCOMPARE(rows[0][4], QStringLiteral("한결식품"));
    QCOMPARE(rows[3][4], QStringLiteral("O'Farm Co."));
    QVERIFY(rows[56].join(QString()).isEmpty());
    QVERIFY(!rows[57].join(QString()).isEmpty());
    for (const QStringList &row : rows)
        QCOMPARE(row[7], QString());
}

QTEST_GUILESS_MAIN(TestPreFile)
#include "test_prefile.moc"
