#include "common/currency.h"

#include <QtTest>

namespace {

Currency cur(const QString &text)
{
    bool ok = false;
    const Currency c = Currency::fromDecimalText(text, &ok);
    if (!ok)
        qFatal("bad test value %s", qPrintable(text));
    return c;
}

} // namespace

class TestCurrency : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void arithmetic_data();
    void arithmetic();
    void toText_data();
    void toText();
    void truncate2_data();
    void truncate2();
    void textToCur_data();
    void textToCur();
    void decimalTextRange();
};

// op: "*" CurMultiply, "/" CurDivide; mode 1 keeps the four decimals.
void TestCurrency::arithmetic_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mode 9 half to even down") << "2.5"
                                              << "*"
                                              << "1" << 9 << "2";
    QTest::newRow("mode 9 half to even up") << "3.5"
                                            << "*"
                                            << "1" << 9 << "4";
    QTest::newRow("mode 9 negative half") << "-2.5"
                                          << "*"
                                          << "1" << 9 << "-2";
    QTest::newRow("mode 9 above half") << "2.5001"
                                       << "*"
                                       << "1" << 9 << "3";
    QTest::newRow("mode 0 floor negative") << "-2.5"
                                           << "*"
                                           << "1" << 0 << "-3";
    QTest::newRow("mode 0 floor positive") << "2.9999"
                                           << "*"
                                           << "1" << 0 << "2";
    QTest::newRow("mode 0 whole negative") << "-2"
                                           << "*"
                                           << "1" << 0 << "-2";
    QTest::newRow("mode 2 cut") << "1.239"
                                << "*"
                                << "1" << 2 << "1.23";
    QTest::newRow("mode 2 cut negative") << "-1.239"
                                         << "*"
                                         << "1" << 2 << "-1.23";
    QTest::newRow("other mode keeps decimals") << "1.5"
                                               << "*"
                                               << "1.5" << 1 << "2.25";
    QTest::newRow("product rounded to 4 places") << "0.0001"
                                                 << "*"
                                                 << "0.5" << 1 << "0.0001";
    QTest::newRow("overflow gives 0") << "922337203685477"
                                      << "*"
                                      << "10" << 1 << "0";
    QTest::newRow("divide") << "10"
                            << "/"
                            << "4" << 1 << "2.5";
    QTest::newRow("divide mode 9") << "10"
                                   << "/"
                                   << "4" << 9 << "2";
    QTest::newRow("divide mode 0 negative") << "-10"
                                            << "/"
                                            << "4" << 0 << "-3";
    QTest::newRow("divide four places") << "1"
                                        << "/"
                                        << "3" << 1 << "0.3333";
    QTest::newRow("divide mode 2") << "2"
                                   << "/"
                                   << "3" << 2 << "0.66";
    QTest::newRow("divide by 0") << "10"
                                 << "/"
                                 << "0" << 1 << "0";
    QTest::newRow("divide by 0 mode 0") << "-10"
                                        << "/"
                                        << "0" << 0 << "0";
    QTest::newRow("divide overflow") << "922337203685477"
                                     << "/"
                                     << "0.0001" << 1 << "0";
}

void TestCurrency::arithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, op);
    QFETCH(QString, b);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    const Currency r = op == "*" ? CurMultiply(cur(a), cur(b), qint16(mode))
                                 : CurDivide(cur(a), cur(b), qint16(mode));
    QCOMPARE(CurToText(r, 0), expected);
}

// grouped: 1 CurToGrouped, 0 CurToText.
void TestCurrency::toText_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("grouped");
    QTest::addColumn<int>("blankZero");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "1234.5" << 0 << 0 << "1234.5";
    QTest::newRow("plain negative") << "-3" << 0 << 1 << "-3";
    QTest::newRow("plain small") << "0.0001" << 0 << 0 << "0.0001";
    QTest::newRow("plain zero") << "0" << 0 << 0 << "0";
    QTest::newRow("plain zero blank") << "0" << 0 << 1 << "";
    QTest::newRow("plain extreme") << "-922337203685477.5807" << 0 << 0 << "-922337203685477.5807";
    QTest::newRow("grouped") << "1234567.891" << 1 << 0 << "1,234,567.89";
    QTest::newRow("grouped half up") << "0.005" << 1 << 0 << "0.01";
    QTest::newRow("grouped carry") << "999.999" << 1 << 0 << "1,000.00";
    QTest::newRow("grouped negative") << "-1234.5" << 1 << 0 << "-1,234.50";
    QTest::newRow("grouped zero") << "0" << 1 << 0 << "0.00";
    QTest::newRow("grouped zero blank") << "0" << 1 << 1 << "";
    QTest::newRow("grouped extreme")
        << "922337203685477.5807" << 1 << 0 << "922,337,203,685,477.58";
}

void TestCurrency::toText()
{
    QFETCH(QString, value);
    QFETCH(int, grouped);
    QFETCH(int, blankZero);
    QFETCH(QString, expected);
    const Currency v = cur(value);
    QCOMPARE(grouped ? CurToGrouped(v, qint16(blankZero)) : CurToText(v, qint16(blankZero)),
             expected);
}

void TestCurrency::truncate2_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive") << "1.239"
                              << "1.23";
    QTest::newRow("negative") << "-1.239"
                              << "-1.23";
    QTest::newRow("whole") << "5"
                           << "5";
    QTest::newRow("below a cent") << "-0.0099"
                                  << "0";
    QTest::newRow("large") << "123456789012.3456"
                           << "123456789012.34";
    QTest::newRow("largest") << "922337203685477.5807"
                             << "922337203685477.58";
}

void TestCurrency::truncate2()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(CurToText(CurTruncate2(cur(value)), 0), expected);
}

void TestCurrency::textToCur_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped, three decimals") << "1,234.567"
                                             << "1234.56";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("letters") << "abc"
                             << "0";
    QTest::newRow("negative") << "-12.345"
                              << "-12.34";
    QTest::newRow("second point ends") << "1.2.3"
                                       << "1.2";
    QTest::newRow("sign and unit") << "  +5원"
                                   << "5";
    QTest::newRow("minus inside stops number") << "12-3"
                                               << "12";
    QTest::newRow("first 14 characters") << "123456789012345678"
                                         << "12345678901234";
}

void TestCurrency::textToCur()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CurToText(TextToCur(text), 0), expected);
}

void TestCurrency::decimalTextRange()
{
    bool ok = false;
    QCOMPARE(Currency::fromDecimalText("922337203685477.5807", &ok).raw(),
             std::numeric_limits<qint64>::max());
    QVERIFY(ok);
    QCOMPARE(Currency::fromDecimalText("922337203685477.9", &ok).raw(), 0);
    QVERIFY(!ok);
    QCOMPARE(Currency::fromDecimalText("922337203685477.58075", &ok).raw(), 0);
    QVERIFY(!ok);
}

QTEST_GUILESS_MAIN(TestCurrency)
#include "test_currency.moc"
