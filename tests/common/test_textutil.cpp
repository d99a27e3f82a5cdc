#include "common/textutil.h"

#include <QtTest>

using Row = QList<QVariant>;

class TestTextUtil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eanCheckDigit_data();
    void eanCheckDigit();
    void byteCuts_data();
    void byteCuts();
    void isNumberText_data();
    void isNumberText();
    void cleanText_data();
    void cleanText();
    void splitFields_data();
    void splitFields();
    void splitOverflow();
    void splitWords_data();
    void splitWords();
    void leadingNumber_data();
    void leadingNumber();
    void digitsToLong_data();
    void digitsToLong();
    void ansiLeftBytes_data();
    void ansiLeftBytes();
    void ansiLeftBytesCutsHangul();
};

void TestTextUtil::eanCheckDigit_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("digit");
    QTest::newRow("12 digits") << "400638133393"
                               << "1";
    QTest::newRow("13 digits recomputed") << "4006381333931"
                                          << "1";
    QTest::newRow("13 digits wrong check ignored") << "4006381333938"
                                                   << "1";
    QTest::newRow("blanks around") << " 880123456789 "
                                   << "3";
    QTest::newRow("7 digits") << "9638507"
                              << "4";
    QTest::newRow("8 digits") << "96385074"
                              << "4";
    QTest::newRow("letter counts 0 (13)") << "4006381333A3"
                                          << "0";
    QTest::newRow("letter counts 0 (8)") << "963850A"
                                         << "5";
    QTest::newRow("10 characters") << "1234567890"
                                   << "X";
    QTest::newRow("empty") << ""
                           << "X";
}

void TestTextUtil::eanCheckDigit()
{
    QFETCH(QString, code);
    QFETCH(QString, digit);
    QCOMPARE(EanCheckDigit(code), digit);
}

// kind: L LeftByBytes, R RightByBytes, A AlignRightByBytes.
void TestTextUtil::byteCuts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("keepQuotes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("L hangul dropped whole") << "L"
                                            << "가나다" << 5 << 0 << "가나";
    QTest::newRow("L exact") << "L"
                             << "가나다" << 6 << 0 << "가나다";
    QTest::newRow("L one byte left") << "L"
                                     << "가" << 1 << 0 << "";
    QTest::newRow("L mixed") << "L"
                             << "a가b" << 2 << 0 << "a";
    QTest::newRow("L zero limit") << "L"
                                  << "abc" << 0 << 0 << "";
    QTest::newRow("L negative limit") << "L"
                                      << "abc" << -1 << 0 << "";
    QTest::newRow("L quotes replaced") << "L"
                                       << "it's \"x\"" << 20 << 0 << "it`s `x`";
    QTest::newRow("L quotes kept") << "L"
                                   << "it's" << 20 << 1 << "it's";
    QTest::newRow("R last syllable") << "R"
                                     << "가나다" << 3 << 0 << "다";
    QTest::newRow("R last too wide") << "R"
                                     << "가나다" << 1 << 0 << "";
    QTest::newRow("R mixed") << "R"
                             << "a가b" << 3 << 0 << "가b";
    QTest::newRow("A padded") << "A"
                              << "12" << 6 << 1 << "    12";
    QTest::newRow("A too long loses start") << "A"
                                            << "1234567" << 6 << 1 << "234567";
    QTest::newRow("A hangul at cut padded") << "A"
                                            << "가나다" << 5 << 1 << " 나다";
    QTest::newRow("A quotes always replaced") << "A"
                                              << "a'b" << 4 << 1 << " a`b";
    QTest::newRow("A empty text") << "A"
                                  << "" << 3 << 0 << "   ";
    QTest::newRow("A zero width") << "A"
                                  << "x" << 0 << 0 << "";
}

void TestTextUtil::byteCuts()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(int, keepQuotes);
    QFETCH(QString, expected);
    const QString got = kind == "L"   ? LeftByBytes(text, limit, qint16(keepQuotes))
                        : kind == "R" ? RightByBytes(text, limit, qint16(keepQuotes))
                                      : AlignRightByBytes(text, limit, qint16(keepQuotes));
    QCOMPARE(got, expected);
}

void TestTextUtil::isNumberText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("forEmpty");
    QTest::addColumn<int>("expected");
    QTest::newRow("minus commas point") << "-1,2.5" << 0 << 1;
    QTest::newRow("minus later") << "1-2" << 0 << 0;
    QTest::newRow("second point") << "1.2.3" << 0 << 0;
    QTest::newRow("empty answers 1") << "" << 1 << 1;
    QTest::newRow("empty answers 0") << "" << 0 << 0;
    QTest::newRow("blank inside") << "1 2" << 0 << 0;
    QTest::newRow("commas anywhere") << ",,5," << 0 << 1;
}

void TestTextUtil::isNumberText()
{
    QFETCH(QString, text);
    QFETCH(int, forEmpty);
    QFETCH(int, expected);
    QCOMPARE(int(IsNumberText(text, qint16(forEmpty))), expected);
}

void TestTextUtil::cleanText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << 0 << "";
    QTest::newRow("apostrophe in name") << QVariant(" O'Neil ") << 0 << "O`Neil";
    QTest::newRow("double quotes") << QVariant("\"x\"") << 0 << "`x`";
    QTest::newRow("blanks only") << QVariant("   ") << 5 << "";
    QTest::newRow("cut at hangul") << QVariant("가나다") << 5 << "가나";
    QTest::newRow("trimmed after cut") << QVariant("ab cd") << 3 << "ab";
    QTest::newRow("number value") << QVariant(12) << 0 << "12";
}

void TestTextUtil::cleanText()
{
    QFETCH(QVariant, value);
    QFETCH(int, limit);
    QFETCH(QString, expected);
    QCOMPARE(CleanText(value, limit), expected);
}

void TestTextUtil::splitFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty") << "" << 0 << QStringList();
    QTest::newRow("blanks only") << "   " << 0 << QStringList();
    QTest::newRow("trimmed fields") << " a ' b " << 0 << QStringList{"a", "b"};
    QTest::newRow("trailing separator") << "a'b'" << 0 << QStringList{"a", "b", ""};
    QTest::newRow("consecutive") << "a''b" << 0 << QStringList{"a", "", "b"};
    QTest::newRow("comma") << "1,2" << 1 << QStringList{"1", "2"};
    QTest::newRow("tab") << "a\tb" << 2 << QStringList{"a", "b"};
    QTest::newRow("space") << "a  b" << 3 << QStringList{"a", "", "b"};
    QTest::newRow("line feed") << "a\nb" << 4 << QStringList{"a", "b"};
    QTest::newRow("semicolon") << "a;b" << 5 << QStringList{"a", "b"};
    QTest::newRow("other kind is apostrophe") << "a'b,c" << 7 << QStringList{"a", "b,c"};
}

void TestTextUtil::splitFields()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QStringList, fields);
    bool ok = false;
    QCOMPARE(SplitFields(text, kind, &ok), fields);
    QVERIFY(ok);
}

void TestTextUtil::splitOverflow()
{
    bool ok = false;
    QCOMPARE(SplitFields(QString(MaxSplitFields - 1, QLatin1Char('\'')), 0, &ok).size(),
             MaxSplitFields);
    QVERIFY(ok);
    QVERIFY(SplitFields(QString(MaxSplitFields, QLatin1Char('\'')), 0, &ok).isEmpty());
    QVERIFY(!ok);

    QString words;
    for (int i = 0; i < MaxSplitFields; ++i)
        words += QStringLiteral("w ");
    QCOMPARE(SplitWords(words, &ok).size(), MaxSplitFields);
    QVERIFY(ok);
    QVERIFY(SplitWords(words + QStringLiteral("w"), &ok).isEmpty());
    QVERIFY(!ok);
}

void TestTextUtil::splitWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("runs of spaces") << "  10   20  30  " << QStringList{"10", "20", "30"};
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("spaces only") << "    " << QStringList();
    QTest::newRow("tab is no separator") << "a\tb c" << QStringList{"a\tb", "c"};
}

void TestTextUtil::splitWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(SplitWords(text), words);
}

void TestTextUtil::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::newRow("blanks sign point") << "  -12.5abc"
                                       << "-12.5";
    QTest::newRow("plus") << "+7"
                          << "7";
    QTest::newRow("point first") << ".5"
                                 << "0.5";
    QTest::newRow("second point stops") << "1.2.3"
                                        << "1.2";
    QTest::newRow("no exponent") << "12e3"
                                 << "12";
    QTest::newRow("nothing readable") << "abc"
                                      << "0";
    QTest::newRow("sign only") << "-"
                               << "0";
    QTest::newRow("empty") << ""
                           << "0";
}

void TestTextUtil::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, number);
    QCOMPARE(LeadingNumberText(text), number);
}

void TestTextUtil::digitsToLong_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("point dropped") << "12.5" << 125;
    QTest::newRow("sign dropped") << "-12" << 12;
    QTest::newRow("first six digits") << "1,234,567" << 123456;
    QTest::newRow("leading zeros count") << "0001234567" << 123;
    QTest::newRow("largest") << "999999999" << 999999;
}

void TestTextUtil::digitsToLong()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(DigitsToLong(text), value);
}

void TestTextUtil::ansiLeftBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bytes") << "abc" << QVariant(2) << "ab";
    QTest::newRow("numeric text count") << "abc" << QVariant("2") << "ab";
    QTest::newRow("non-numeric count") << "abc" << QVariant("x") << "";
    QTest::newRow("null count") << "abc" << QVariant() << "";
    QTest::newRow("negative count") << "abc" << QVariant(-1) << "";
    QTest::newRow("huge count") << "abc" << QVariant(1e20) << "abc";
    QTest::newRow("blank text") << "   " << QVariant(2) << "";
    QTest::newRow("whole hangul") << "가나" << QVariant(4) << "가나";
    QTest::newRow("NULs become spaces")
        << QString::fromLatin1("a\0b\0c", 5) << QVariant(4) << "a b ";
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
