#include "common/cp949codec.h"

#include <QtTest>

class TestCp949Codec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void encode_data();
    void encode();
    void decodeRoundTrip();
    void decodeCutLeadByte();
    void width_data();
    void width();
};

void TestCp949Codec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two syllables") << QStringLiteral("사과") << QByteArray::fromHex("bbe7b0fa");
    QTest::newRow("extended syllable") << QStringLiteral("똠") << QByteArray::fromHex("8c63");
    QTest::newRow("extended syllable 2") << QStringLiteral("뷁") << QByteArray::fromHex("94ee");
    QTest::newRow("e acute") << QStringLiteral("é") << QByteArray("?");
    QTest::newRow("won sign") << QStringLiteral("₩") << QByteArray("?");
    QTest::newRow("emoji is one byte") << QStringLiteral("😀") << QByteArray("?");
    QTest::newRow("backslash stays") << QStringLiteral("a\\b") << QByteArray("a\\b");
    QTest::newRow("mixed") << QStringLiteral("A사é😀z") << QByteArray::fromHex("41bbe73f3f7a");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp949Codec::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp949Codec::encode(text), bytes);
    QCOMPARE(Cp949Codec::byteLength(text), bytes.size());
}

void TestCp949Codec::decodeRoundTrip()
{
    const QString text = QStringLiteral("똠뷁 사과 'a' \\ 123 ·①");
    QCOMPARE(Cp949Codec::decode(Cp949Codec::encode(text)), text);
}

void TestCp949Codec::decodeCutLeadByte()
{
    // A lead byte without its trail byte must not swallow or invent text.
    const QString s = Cp949Codec::decode(QByteArray::fromHex("41bbe7bb"));
    QVERIFY2(s.startsWith(QStringLiteral("A사")), qPrintable(s));
    QCOMPARE(s.size(), 3);
    QVERIFY(s.at(2) != QChar(u'사'));
}

void TestCp949Codec::width_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("width");
    QTest::newRow("ascii") << QStringLiteral("A") << 1;
    QTest::newRow("hangul") << QStringLiteral("가") << 2;
    QTest::newRow("extended hangul") << QStringLiteral("똠") << 2;
    QTest::newRow("middle dot in code page") << QStringLiteral("·") << 2;
    QTest::newRow("circled digit") << QStringLiteral("①") << 2;
    QTest::newRow("e acute not in code page") << QStringLiteral("é") << 1;
    QTest::newRow("won sign not in code page") << QStringLiteral("₩") << 1;
}

void TestCp949Codec::width()
{
    QFETCH(QString, ch);
    QFETCH(int, width);
    QCOMPARE(Cp949Codec::charWidth(ch.at(0)), width);
}

QTEST_GUILESS_MAIN(TestCp949Codec)
#include "test_cp949codec.moc"
