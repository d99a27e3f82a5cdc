// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/currency.h"

#include "support/addrow.h"

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
    void conversions_data();
    void conversions();
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
    addRow("mode 9 half to even down", "2.5", "*", "1", 9, "2");
    addRow("mode 9 half to even up", "3.5", "*", "1", 9, "4");
    addRow("mode 9 negative half", "-2.5", "*", "1", 9, "-2");
    addRow("mode 9 above half", "2.5001", "*", "1", 9, "3");
    addRow("mode 0 floor negative", "-2.5", "*", "1", 0, "-3");
    addRow("mode 0 floor positive", "2.9999", "*", "1", 0, "2");
    addRow("mode 0 whole negative", "-2", "*", "1", 0, "-2");
    addRow("mode 2 cut", "1.239", "*", "1", 2, "1.23");
    addRow("mode 2 cut negative", "-1.239", "*", "1", 2, "-1.23");
    addRow("other mode keeps decimals", "1.5", "*", "1.5", 1, "2.25");
    addRow("product rounded to 4 places", "0.0001", "*", "0.5", 1, "0.0001");
    addRow("overflow gives 0", "922337203685477", "*", "10", 1, "0");
    addRow("divide", "10", "/", "4", 1, "2.5");
    addRow("divide mode 9", "10", "/", "4", 9, "2");
    addRow("divide mode 0 negative", "-10", "/", "4", 0, "-3");
    addRow("divide four places", "1", "/", "3", 1, "0.3333");
    addRow("divide mode 2", "2", "/", "3", 2, "0.66");
    addRow("divide by 0", "10", "/", "0", 1, "0");
    addRow("divide by 0 mode 0", "-10", "/", "0", 0, "0");
    addRow("divide overflow", "922337203685477", "/", "0.0001", 1, "0");
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

// Value given as decimal text (the text read for TextToCur); flag is the blank-zero flag where the
// helper has one.
void TestCurrency::conversions_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("expected");
    addRow("text", "Text", "1234.5", 0, "1234.5");
    addRow("text small", "Text", "0.0001", 0, "0.0001");
    addRow("text zero", "Text", "0", 0, "0");
    addRow("text zero blank", "Text", "0", 1, "");
    addRow("text extreme", "Text", "-922337203685477.5807", 0, "-922337203685477.5807");
    addRow("grouped", "Grouped", "1234567.891", 0, "1,234,567.89");
    addRow("grouped half up", "Grouped", "0.005", 0, "0.01");
    addRow("grouped carry", "Grouped", "999.999", 0, "1,000.00");
    addRow("grouped negative", "Grouped", "-1234.5", 0, "-1,234.50");
    addRow("grouped zero", "Grouped", "0", 0, "0.00");
    addRow("grouped zero blank", "Grouped", "0", 1, "");
    addRow("grouped extreme", "Grouped", "922337203685477.5807", 0, "922,337,203,685,477.58");
    addRow("cut positive", "Cut2", "1.239", 0, "1.23");
    addRow("cut negative", "Cut2", "-1.239", 0, "-1.23");
    addRow("cut below a cent", "Cut2", "-0.0099", 0, "0");
    addRow("cut large", "Cut2", "123456789012.3456", 0, "123456789012.34");
    addRow("cut largest", "Cut2", "922337203685477.5807", 0, "922337203685477.58");
    addRow("read grouped, three decimals", "TextToCur", "1,234.567", 0, "1234.56");
    addRow("read empty", "TextToCur", "", 0, "0");
    addRow("read letters", "TextToCur", "abc", 0, "0");
    addRow("read negative", "TextToCur", "-12.345", 0, "-12.34");
    addRow("read second point ends", "TextToCur", "1.2.3", 0, "1.2");
    addRow("read sign and unit", "TextToCur", "  +5원", 0, "5");
    addRow("read minus inside", "TextToCur", "12-3", 0, "12");
    addRow("read first 14 characters", "TextToCur", "123456789012345678", 0, "12345678901234");
}

void TestCurrency::conversions()
{
    QFETCH(QString, helper);
    QFETCH(QString, value);
    QFETCH(int, flag);
    QFETCH(QString, expected);
    if (helper == "TextToCur") {
        QCOMPARE(CurToText(TextToCur(value), 0), expected);
        return;
    }
    const Currency v = cur(value);
    const QString got = helper == "Text"      ? CurToText(v, qint16(flag))
                        : helper == "Grouped" ? CurToGrouped(v, qint16(flag))
                                              : CurToText(CurTruncate2(v), 0);
    QCOMPARE(got, expected);
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
