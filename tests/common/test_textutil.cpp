// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "common/textutil.h"

#include "support/addrow.h"

#include <QtTest>

#include <functional>
#include <map>

class TestTextUtil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodeCp949();
    void textAndNumber_data();
    void textAndNumber();
    void cleanText_data();
    void cleanText();
    void splitFields_data();
    void splitFields();
    void splitOverflow();
    void ansiLeftBytes_data();
    void ansiLeftBytes();
    void ansiLeftBytesCutsHangul();
};

void TestTextUtil::decodeCp949()
{
    const QString text = QStringLiteral("똠뷁 사과 'a' \\ 123 ·①");
    QCOMPARE(Cp949Codec::decode(Cp949Codec::encode(text)), text);
    // A lead byte without its trail byte must not swallow or invent text.
    const QString cut = Cp949Codec::decode(QByteArray::fromHex("41bbe7bb"));
    QVERIFY2(cut.startsWith(QStringLiteral("A사")) && cut.size() == 3, qPrintable(cut));
}

// Helpers taking a text and a whole number, each answer compared as text (bytes in hex).
void TestTextUtil::textAndNumber_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    addRow("cp949 two syllables", "Cp949", "사과", 0, "bbe7b0fa");
    addRow("cp949 extended syllable", "Cp949", "똠", 0, "8c63");
    addRow("cp949 extended syllable 2", "Cp949", "뷁", 0, "94ee");
    addRow("cp949 e acute", "Cp949", "é", 0, "3f");
    addRow("cp949 won sign", "Cp949", "₩", 0, "3f");
    addRow("cp949 emoji is one byte", "Cp949", "😀", 0, "3f");
    addRow("cp949 backslash stays", "Cp949", "a\\b", 0, "615c62");
    addRow("cp949 mixed", "Cp949", "A사é😀z", 0, "41bbe73f3f7a");
    addRow("width ascii", "Width", "A", 0, "1");
    addRow("width hangul", "Width", "똠", 0, "2");
    addRow("width middle dot in code page", "Width", "·", 0, "2");
    addRow("width e acute not in code page", "Width", "é", 0, "1");
    addRow("width won sign not in code page", "Width", "₩", 0, "1");
    addRow("byte length with emoji", "ByteLen", "가a😀", 0, "4");
    addRow("ean 12 digits", "Ean", "400638133393", 0, "1");
    addRow("ean 13 digits recomputed", "Ean", "4006381333931", 0, "1");
    addRow("ean wrong check ignored", "Ean", "4006381333938", 0, "1");
    addRow("ean blanks around", "Ean", " 880123456789 ", 0, "3");
    addRow("ean 7 digits", "Ean", "9638507", 0, "4");
    addRow("ean 8 digits", "Ean", "96385074", 0, "4");
    addRow("ean letter counts 0", "Ean", "4006381333A3", 0, "0");
    addRow("ean letter counts 0 (7)", "Ean", "963850A", 0, "5");
    addRow("ean 10 characters", "Ean", "1234567890", 0, "X");
    addRow("left hangul dropped whole", "Left", "가나다", 5, "가나");
    addRow("left one byte left", "Left", "가", 1, "");
    addRow("left mixed", "Left", "a가b", 2, "a");
    addRow("left negative limit", "Left", "abc", -1, "");
    addRow("left quotes replaced", "Left", "it's \"x\"", 20, "it`s `x`");
    addRow("left quotes kept", "LeftKeep", "it's", 20, "it's");
    addRow("right last syllable", "Right", "가나다", 3, "다");
    addRow("right last too wide", "Right", "가나다", 1, "");
    addRow("right mixed", "Right", "a가b", 3, "가b");
    addRow("align padded", "Align", "12", 6, "    12");
    addRow("align loses start", "Align", "1234567", 6, "234567");
    addRow("align hangul at cut", "Align", "가나다", 5, " 나다");
    addRow("align quotes replaced", "Align", "a'b", 4, " a`b");
    addRow("align zero width", "Align", "x", 0, "");
    addRow("number minus commas point", "IsNumber", "-1,2.5", 0, "1");
    addRow("number minus later", "IsNumber", "1-2", 0, "0");
    addRow("number second point", "IsNumber", "1.2.3", 0, "0");
    addRow("number empty answers 1", "IsNumber", "", 1, "1");
    addRow("number empty answers 0", "IsNumber", "", 0, "0");
    addRow("number blank inside", "IsNumber", "1 2", 0, "0");
    addRow("keep digits", "KeepDigits", "a1.2-3", 0, "123");
    addRow("keep digits and point", "KeepDigits", "a1.2-3", 1, "1.23");
    addRow("digits none", "DigitsToLong", "abc", 0, "0");
    addRow("digits point dropped", "DigitsToLong", "12.5", 0, "125");
    addRow("digits sign dropped", "DigitsToLong", "-12", 0, "12");
    addRow("digits first six", "DigitsToLong", "1,234,567", 0, "123456");
    addRow("digits leading zeros", "DigitsToLong", "0001234567", 0, "123");
    addRow("leading blanks sign point", "Leading", "  -12.5abc", 0, "-12.5");
    addRow("leading plus", "Leading", "+7", 0, "7");
    addRow("leading point first", "Leading", ".5", 0, "0.5");
    addRow("leading second point", "Leading", "1.2.3", 0, "1.2");
    addRow("leading no exponent", "Leading", "12e3", 0, "12");
    addRow("leading sign only", "Leading", "-", 0, "0");
    addRow("leading nothing", "Leading", "abc", 0, "0");
    addRow("byte length empty", "ByteLen", "", 0, "0");
    addRow("int whole part", "LeadingInt", "12.7", 0, "12");
    addRow("int toward zero", "LeadingInt", "-3.9", 0, "-3");
    addRow("int ten digits held", "LeadingInt", "1234567890123", 0, "2147483647");
    addRow("int negative held", "LeadingInt", "-99999999999", 0, "-2147483648");
    addRow("int nothing", "LeadingInt", "x", 0, "0");
    addRow("int four hundred digits", "LeadingInt", QString(400, QLatin1Char('9')), 0,
           "2147483647");
}

void TestTextUtil::textAndNumber()
{
    using Fn = std::function<QString(const QString &, int)>;
    static const std::map<QString, Fn> helpers{
        {"Cp949", [](const QString &t, int) { return QString(Cp949Codec::encode(t).toHex()); }},
        {"Width",
         [](const QString &t, int) { return QString::number(Cp949Codec::charWidth(t[0])); }},
        {"Ean", [](const QString &t, int) { return EanCheckDigit(t); }},
        {"Left", [](const QString &t, int n) { return LeftByBytes(t, n, 0); }},
        {"LeftKeep", [](const QString &t, int n) { return LeftByBytes(t, n, 1); }},
        {"Right", [](const QString &t, int n) { return RightByBytes(t, n, 0); }},
        {"Align", [](const QString &t, int n) { return AlignRightByBytes(t, n, 1); }},
        {"IsNumber", [](const QString &t, int n) { return QString::number(IsNumberText(t, n)); }},
        {"KeepDigits", [](const QString &t, int n) { return KeepDigits(t, qint16(n)); }},
        {"DigitsToLong", [](const QString &t, int) { return QString::number(DigitsToLong(t)); }},
        {"Leading", [](const QString &t, int) { return LeadingNumberText(t); }},
        {"ByteLen", [](const QString &t, int) { return QString::number(AnsiByteLen(t)); }},
        {"LeadingInt", [](const QString &t, int) { return QString::number(LeadingInt(t)); }},
    };
    QFETCH(QString, helper);
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(helpers.at(helper)(text, n), expected);
}

void TestTextUtil::cleanText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("expected");
    addRow("null", QVariant(), 0, "");
    addRow("apostrophe in name", QVariant(" O'Neil "), 0, "O`Neil");
    addRow("double quotes", QVariant("\"x\""), 0, "`x`");
    addRow("cut at hangul", QVariant("가나다"), 5, "가나");
    addRow("trimmed after cut", QVariant("ab cd"), 3, "ab");
    addRow("number value", QVariant(12), 0, "12");
}

void TestTextUtil::cleanText()
{
    QFETCH(QVariant, value);
    QFETCH(int, limit);
    QFETCH(QString, expected);
    QCOMPARE(CleanText(value, limit), expected);
}

// Kind -1 splits into words.
void TestTextUtil::splitFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("fields");
    addRow("empty", "", 0, QStringList());
    addRow("blanks only", "   ", 0, QStringList());
    addRow("trimmed fields", " a ' b ", 0, QStringList{"a", "b"});
    addRow("trailing separator", "a'b'", 0, QStringList{"a", "b", ""});
    addRow("consecutive", "a''b", 0, QStringList{"a", "", "b"});
    addRow("comma", "1,2", 1, QStringList{"1", "2"});
    addRow("tab", "a\tb", 2, QStringList{"a", "b"});
    addRow("space", "a  b", 3, QStringList{"a", "", "b"});
    addRow("line feed", "a\nb", 4, QStringList{"a", "b"});
    addRow("semicolon", "a;b", 5, QStringList{"a", "b"});
    addRow("other kind is apostrophe", "a'b,c", 7, QStringList{"a", "b,c"});
    addRow("words: runs of spaces", "  10   20  30  ", -1, QStringList{"10", "20", "30"});
    addRow("words: spaces only", "    ", -1, QStringList());
    addRow("words: tab is no separator", "a\tb c", -1, QStringList{"a\tb", "c"});
}

void TestTextUtil::splitFields()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QStringList, fields);
    bool ok = false;
    QCOMPARE(kind < 0 ? SplitWords(text, &ok) : SplitFields(text, kind, &ok), fields);
    QVERIFY(ok);
}

void TestTextUtil::splitOverflow()
{
    bool ok = false;
    QCOMPARE(SplitFields(QString(MaxSplitFields - 1, u'\''), 0, &ok).size(), MaxSplitFields);
    QVERIFY(ok);
    QVERIFY(SplitFields(QString(MaxSplitFields, u'\''), 0, &ok).isEmpty());
    QVERIFY(!ok);
    const QString words = QStringLiteral("w ").repeated(MaxSplitFields);
    QCOMPARE(SplitWords(words, &ok).size(), MaxSplitFields);
    QVERIFY(ok);
    QVERIFY(SplitWords(words + u'w', &ok).isEmpty());
    QVERIFY(!ok);
}

void TestTextUtil::ansiLeftBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("count");
    QTest::addColumn<QString>("expected");
    addRow("bytes", "abc", QVariant(2), "ab");
    addRow("numeric text count", "abc", QVariant("2"), "ab");
    addRow("non-numeric count", "abc", QVariant("x"), "");
    addRow("null count", "abc", QVariant(), "");
    addRow("negative count", "abc", QVariant(-1), "");
    addRow("huge count", "abc", QVariant(1e20), "abc");
    addRow("blank text", "   ", QVariant(2), "");
    addRow("whole hangul", "가나", QVariant(4), "가나");
    addRow("NULs become spaces", QString::fromLatin1("a\0b\0c", 5), QVariant(4), "a b ");
}

void TestTextUtil::ansiLeftBytes()
{
    QFETCH(QString, text);
    QFETCH(QVariant, count);
    QFETCH(QString, expected);
    QCOMPARE(AnsiLeftBytes(text, count), expected);
}

void TestTextUtil::ansiLeftBytesCutsHangul()
{
    const QString got = AnsiLeftBytes(QStringLiteral("가나"), 3);
    QVERIFY2(got.startsWith(QStringLiteral("가")), qPrintable(got));
    QVERIFY(!got.contains(QStringLiteral("나")));
    QVERIFY(got.size() <= 2);
}

QTEST_GUILESS_MAIN(TestTextUtil)
#include "test_textutil.moc"
