// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/barcodenumber.h"

#include <QtTest>

// The generator's number rules without a window: box texts go in as typed, a box is left,
// and the shown texts and the 13-digit code come out.
class TestBarcodeNumber : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opening();
    void modes_data();
    void modes();
    void leavingBox_data();
    void leavingBox();
    void typedCheckDigitStandsUntilAnotherBoxIsLeft();
    void modeChangeTakesBaseCompanyFromItsBox_data();
    void modeChangeTakesBaseCompanyFromItsBox();
    void modeChangeKeepsTypedPrefix();
};

void TestBarcodeNumber::opening()
{
    BarcodeNumber n;
    n.load();
    QCOMPARE(n.mode(), 0);
    QCOMPARE(n.boxText(BarcodeNumber::BasePrefixBox), QStringLiteral("220"));
    QCOMPARE(n.boxText(BarcodeNumber::BaseCompanyBox), QStringLiteral("1"));
    QCOMPARE(n.boxText(BarcodeNumber::PrefixBox), QStringLiteral("220"));
    QCOMPARE(n.boxText(BarcodeNumber::CompanyBox), QStringLiteral("1"));
    QCOMPARE(n.boxText(BarcodeNumber::GoodsBox), QStringLiteral("1"));
    QCOMPARE(n.boxText(BarcodeNumber::CheckBox), QStringLiteral("8"));
    QCOMPARE(n.basePrefixText(), QStringLiteral("220"));
    QCOMPARE(n.baseCompanyText(), QStringLiteral("0001"));
    QCOMPARE(n.code(), QStringLiteral("2200001000018"));
}

void TestBarcodeNumber::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("goods");
    QTest::addColumn<QString>("code");
    QTest::newRow("4 digits") << 0 << "0001"
                              << "00001"
                              << "2200001000018";
    QTest::newRow("5 digits") << 1 << "00001"
                              << "0001"
                              << "2200000100016";
    QTest::newRow("6 digits") << 2 << "000001"
                              << "001"
                              << "2200000010018";
    QTest::newRow("7 digits") << 3 << "0000001"
                              << "01"
                              << "2200000001016";
    QTest::newRow("8 digits") << 4 << "00000001"
                              << "1"
                              << "2200000000118";
}

void TestBarcodeNumber::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, company);
    QFETCH(QString, goods);
    QFETCH(QString, code);
    BarcodeNumber n;
    n.load();
    n.changeMode(mode);
    QCOMPARE(n.mode(), mode);
    QCOMPARE(n.companyText(), company);
    QCOMPARE(n.baseCompanyText(), company);
    QCOMPARE(n.goodsText(), goods);
    QCOMPARE(n.boxText(BarcodeNumber::CompanyBox), QStringLiteral("1"));
    QCOMPARE(n.boxText(BarcodeNumber::GoodsBox), QStringLiteral("1"));
    QCOMPARE(n.code(), code);
}

void TestBarcodeNumber::leavingBox_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");

    const int P = BarcodeNumber::PrefixBox;
    const int C = BarcodeNumber::CompanyBox;
    const int G = BarcodeNumber::GoodsBox;
    QTest::newRow("prefix 0 kept") << 0 << P << "0"
                                   << "0"
                                   << "0000001000016";
    QTest::newRow("prefix 1000") << 0 << P << "1000"
                                 << "220"
                                 << "2200001000018";
    QTest::newRow("prefix rounded") << 0 << P << "12.6"
                                    << "13"
                                    << "0130001000010";
    QTest::newRow("prefix negative") << 0 << P << "-5"
                                     << "220"
                                     << "2200001000018";
    QTest::newRow("prefix letters") << 0 << P << "abc"
                                    << "220"
                                    << "2200001000018";
    QTest::newRow("prefix emptied") << 0 << P << ""
                                    << "220"
                                    << "2200001000018";
    QTest::newRow("prefix 880") << 0 << P << " 880 "
                                << "880"
                                << "8800001000014";
    QTest::newRow("company 123456, mode 0") << 0 << C << "123456"
                                            << "1"
                                            << "2200001000018";
    QTest::newRow("company max, mode 0") << 0 << C << "9999"
                                         << "9999"
                                         << "2209999000017";
    QTest::newRow("company 0") << 0 << C << "0"
                               << "0"
                               << "2200000000019";
    QTest::newRow("company 123456, mode 2") << 2 << C << "123456"
                                            << "123456"
                                            << "2201234560010";
    QTest::newRow("goods max, mode 0") << 0 << G << "99999"
                                       << "99999"
                                       << "2200001999992";
    QTest::newRow("goods 100000, mode 0") << 0 << G << "100000"
                                          << "1"
                                          << "2200001000018";
    QTest::newRow("goods 2") << 0 << G << "2"
                             << "2"
                             << "2200001000025";
    QTest::newRow("goods 9, mode 4") << 4 << G << "9"
                                     << "9"
                                     << "2200000000194";
    QTest::newRow("goods 10, mode 4") << 4 << G << "10"
                                      << "1"
                                      << "2200000000118";
}

void TestBarcodeNumber::leavingBox()
{
    QFETCH(int, mode);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    BarcodeNumber n;
    n.load();
    n.changeMode(mode);
    n.setBoxText(box, typed);
    n.normalise(box);
    QCOMPARE(n.boxText(box), shown);
    QCOMPARE(n.code(), code);
    QCOMPARE(n.code().size(), 13);
}

void TestBarcodeNumber::typedCheckDigitStandsUntilAnotherBoxIsLeft()
{
    BarcodeNumber n;
    n.load();
    n.setBoxText(BarcodeNumber::CheckBox, QStringLiteral("5"));
    n.normalise(BarcodeNumber::CheckBox);
    QCOMPARE(n.code(), QStringLiteral("2200001000015"));
    QCOMPARE(n.boxText(BarcodeNumber::CheckBox), QStringLiteral("5"));

    // An out-of-range check digit becomes 0.
    n.setBoxText(BarcodeNumber::CheckBox, QStringLiteral("12"));
    n.normalise(BarcodeNumber::CheckBox);
    QCOMPARE(n.code(), QStringLiteral("2200001000010"));

    // Leaving the goods box, even unchanged, recomputes it.
    n.normalise(BarcodeNumber::GoodsBox);
    QCOMPARE(n.code(), QStringLiteral("2200001000018"));
    QCOMPARE(n.boxText(BarcodeNumber::CheckBox), QStringLiteral("8"));
}

void TestBarcodeNumber::modeChangeTakesBaseCompanyFromItsBox_data()
{
    QTest::addColumn<QString>("baseCompany");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("fits mode 2") << "123456" << 2 << "123456"
                                 << "2201234560010";
    QTest::newRow("too long for mode 0") << "123456" << 0 << "1"
                                         << "2200001000018";
    QTest::newRow("fits mode 0") << "1234" << 0 << "1234"
                                 << "2201234000011";
    QTest::newRow("zero") << "0" << 3 << "1"
                          << "2200000001016";
    QTest::newRow("not a number") << "x" << 4 << "1"
                                  << "2200000000118";
}

void TestBarcodeNumber::modeChangeTakesBaseCompanyFromItsBox()
{
    QFETCH(QString, baseCompany);
    QFETCH(int, mode);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    BarcodeNumber n;
    n.load();
    n.setBoxText(BarcodeNumber::BaseCompanyBox, baseCompany);
    n.changeMode(mode);
    QCOMPARE(n.boxText(BarcodeNumber::BaseCompanyBox), shown);
    QCOMPARE(n.boxText(BarcodeNumber::CompanyBox), shown);
    QCOMPARE(n.code(), code);
}

void TestBarcodeNumber::modeChangeKeepsTypedPrefix()
{
    BarcodeNumber n;
    n.load();
    n.setBoxText(BarcodeNumber::PrefixBox, QStringLiteral("880"));
    n.setBoxText(BarcodeNumber::GoodsBox, QStringLiteral("77"));
    n.normalise(BarcodeNumber::GoodsBox);
    n.changeMode(1);
    // The goods number starts again at 1; the prefix stays.
    QCOMPARE(n.code().left(3), QStringLiteral("880"));
    QCOMPARE(n.goodsText(), QStringLiteral("0001"));

    // The base prefix box falls back to 220 outside 1..999, and is kept padded.
    n.setBoxText(BarcodeNumber::BasePrefixBox, QStringLiteral("0"));
    n.normalise(BarcodeNumber::BasePrefixBox);
    QCOMPARE(n.boxText(BarcodeNumber::BasePrefixBox), QStringLiteral("220"));
    n.setBoxText(BarcodeNumber::BasePrefixBox, QStringLiteral("5"));
    n.normalise(BarcodeNumber::BasePrefixBox);
    QCOMPARE(n.boxText(BarcodeNumber::BasePrefixBox), QStringLiteral("5"));
    QCOMPARE(n.basePrefixText(), QStringLiteral("005"));
}

QTEST_GUILESS_MAIN(TestBarcodeNumber)
#include "test_barcodenumber.moc"
