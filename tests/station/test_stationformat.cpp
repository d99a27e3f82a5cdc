// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/addrow.h"
#include "model/formatmodel.h"
#include "station/srp770frm.h"
#include "support/controls.h"
#include "support/stationfixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using Controls::find;

// The SRP-770 station's format editor: what it shows, its fields and keys, the option panels
// and the extension panel.
class TestStationFormat : public QObject, private StationFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void formatDisplay_data();
    void formatDisplay();
    void portAndDirection();
    void fieldKeys_data();
    void fieldKeys();
    void fieldRanges_data();
    void fieldRanges();
    void focusColours_data();
    void focusColours();
    void fixedText_data();
    void fixedText();
    void optionPanels_data();
    void optionPanels();
    void panelButtonToggles_data();
    void panelButtonToggles();
    void switchingFormatRedisplays();
    void extensionPanel();

private:
    std::unique_ptr<SRP770Frm> openStation() { return open<SRP770Frm>(); }
};

void TestStationFormat::formatDisplay_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    addRow("length 0 blank", "<LblLeng(1)>'0", "LblLengTxt", QString());
    addRow("width rounded", "<LblWidth(1)>'12.5", "LblWidthTxt", QString("12"));
    addRow("den 10 is A", "<BarDen(1:01)>'10", "BarDenLbl1", QString("A"));
    addRow("den 0 blank", "<BarDen(1:02)>'0", "BarDenLbl2", QString());
    addRow("den 25", "<BarDen(1:03)>'25", "BarDenLbl3", QString("25"));
    addRow("digits above", "<BarHmRead(1:01)>'1", "BarHmReadLbl1", QString("상단"));
    addRow("digits below", "<BarHmRead(1:02)>'2", "BarHmReadLbl2", QString("하단"));
    addRow("digits other", "<BarHmRead(1:03)>'3", "BarHmReadLbl3", QString());
    addRow("type 8", "<BarCode(1:01)>'8", "BarCodeLbl1", QString("EAN13"));
    addRow("type 11", "<BarCode(1:01)>'11", "BarCodeLbl1", QString());
    addRow("font 2", "<TxtFont(1:02)>'2", "TxtFontLbl2", QString("영문12*20"));
    addRow("reversal 1", "<TxtRvs(1:03)>'1", "TxtRvsLbl3", QString("음각"));
    addRow("reversal 2", "<TxtRvs(1:03)>'2", "TxtRvsLbl3", QString("Bold"));
    addRow("reversal 3", "<TxtRvs(1:03)>'3", "TxtRvsLbl3", QString("음Bd"));
    addRow("size 0 blank", "<TxtYSize(1:10)>'0", "TxtYSizeLbl10", QString());
    addRow("size 4", "<TxtXSize(1:10)>'4", "TxtXSizeLbl10", QString("4"));
    addRow("right length", "<TxtRight(1:04)>'7", "TxtSizeTxt4", QString("7"));
    addRow("fixed text trimmed", "<TxtString(1:03)>'  고정  ", "TxtStringTxt3", QString("고정"));
    addRow("other format not shown", "<TxtYy(2:01)>'9", "TxtYyTxt1", QString());
}

void TestStationFormat::formatDisplay()
{
    QFETCH(QString, line);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    QVERIFY(writeFormat({line}));
    auto frm = openStation();
    QCOMPARE(textOf(find(frm.get(), control)), shown);
}

void TestStationFormat::portAndDirection()
{
    QVERIFY(writeFormat({"<BarComPort>'2", "<BarComSpeed>'6", "<LblDegree(1)>'1"}));
    auto frm = openStation();
    QVERIFY(find<QRadioButton>(&*frm, "BarComPortOpt%1", 2)->isChecked());
    QVERIFY(find<QRadioButton>(&*frm, "BarComSpeedOpt%1", 6)->isChecked());
    QVERIFY(find<QRadioButton>(&*frm, "LblDegree1Opt")->isChecked());
    QVERIFY(find<QRadioButton>(&*frm, "BarForm%1Opt", 1)->isChecked());
    find<QRadioButton>(&*frm, "BarComPortOpt%1", 3)->click();
    QCOMPARE(frm->formatSet().BarComPort, qint16(3));
    // Port 0: the options are left as they are.
    frm->formatModel()->setPort(0, frm->formatSet().BarComSpeed);
    find<QRadioButton>(&*frm, "BarForm%1Opt", 2)->click();
    QVERIFY(find<QRadioButton>(&*frm, "BarComPortOpt%1", 3)->isChecked());
    QVERIFY(find<QRadioButton>(&*frm, "LblDegree0Opt")->isChecked());
    find<QRadioButton>(&*frm, "LblDegree1Opt")->click();
    QCOMPARE(frm->formatSet().Fmt[2].LblDegree, qint16(1));
    QCOMPARE(frm->formatSet().Fmt[1].LblDegree, qint16(1));
}

void TestStationFormat::fieldKeys_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    const int up = Qt::Key_Up, down = Qt::Key_Down, enter = Qt::Key_Return;
    const int pad = Qt::Key_Enter;
    const QList<std::tuple<const char *, int, const char *>> rows{
        {"LblLengTxt", up, "LblLengTxt"},         {"LblLengTxt", down, "LblWidthTxt"},
        {"LblLengTxt", enter, "LblWidthTxt"},     {"LblWidthTxt", up, "LblLengTxt"},
        {"LblWidthTxt", down, "BarYyTxt1"},       {"LblWidthTxt", pad, "BarYyTxt1"},
        {"BarYyTxt1", up, "LblWidthTxt"},         {"BarYyTxt2", up, "BarYyTxt1"},
        {"BarYyTxt1", down, "BarYyTxt2"},         {"BarYyTxt3", down, "TxtYyTxt1"},
        {"BarYyTxt2", enter, "BarXxTxt2"},        {"BarXxTxt2", up, "BarYyTxt2"},
        {"BarXxTxt1", down, "BarYyTxt2"},         {"BarXxTxt3", down, "TxtYyTxt1"},
        {"BarXxTxt1", enter, "BarHeightTxt1"},    {"BarHeightTxt1", up, "BarXxTxt1"},
        {"BarHeightTxt2", enter, "BarYyTxt3"},    {"BarHeightTxt3", down, "TxtYyTxt1"},
        {"BarHeightTxt3", enter, "TxtYyTxt1"},    {"TxtYyTxt1", up, "BarYyTxt3"},
        {"TxtYyTxt5", up, "TxtYyTxt4"},           {"TxtYyTxt5", down, "TxtYyTxt6"},
        {"TxtYyTxt10", down, "TxtYyTxt10"},       {"TxtYyTxt4", enter, "TxtXxTxt4"},
        {"TxtXxTxt4", up, "TxtYyTxt4"},           {"TxtXxTxt3", enter, "TxtYyTxt4"},
        {"TxtXxTxt10", down, "TxtYyTxt10"},       {"TxtXxTxt10", enter, "TxtYyTxt10"},
        {"TxtSizeTxt1", up, "TxtSizeTxt1"},       {"TxtSizeTxt5", up, "TxtSizeTxt4"},
        {"TxtSizeTxt5", down, "TxtSizeTxt6"},     {"TxtSizeTxt10", down, "TxtSizeTxt10"},
        {"TxtSizeTxt2", enter, "TxtStringTxt2"},  {"TxtStringTxt3", up, "TxtSizeTxt3"},
        {"TxtStringTxt4", down, "TxtSizeTxt5"},   {"TxtStringTxt4", enter, "TxtSizeTxt5"},
        {"TxtStringTxt10", down, "TxtSizeTxt10"}, {"BarYyTxt1", int(Qt::Key_Left), "BarYyTxt1"},
    };
    for (const auto &[from, key, to] : rows)
        QTest::addRow("%s %d", from, key) << QString(from) << key << QString(to);
}

void TestStationFormat::fieldKeys()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    auto frm = openStation();
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    auto *box = find<QLineEdit>(frm.get(), from);
    box->setFocus();
    QCOMPARE(focusName(), from);
    QTest::keyClicks(box, "12");
    QTest::keyClick(box, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(focusName(), to);
    if (to != from) // moving on stored the value and rewrote the box
        QCOMPARE(box->text(), QString("12"));
}

void TestStationFormat::fieldRanges_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    addRow("Y keeps digits", "BarYyTxt1", "12a3", 123);
    addRow("Y 10000", "BarYyTxt1", "10000", 0);
    addRow("Y 9999", "TxtYyTxt10", "9999", 9999);
    addRow("X 1000", "BarXxTxt2", "1000", 0);
    addRow("X 999", "TxtXxTxt5", " 999 ", 999);
    addRow("height 0", "BarHeightTxt3", "0", 0);
    addRow("length 9999", "LblLengTxt", "9999", 9999);
    addRow("width 1000", "LblWidthTxt", "1000", 0);
    addRow("right 100", "TxtSizeTxt1", "100", 0);
    addRow("right 99", "TxtSizeTxt1", "99", 99);
    addRow("no digits", "TxtYyTxt2", "abc", 0);
}

void TestStationFormat::fieldRanges()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    auto frm = openStation();
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    find<QRadioButton>(&*frm, "BarForm%1Opt", 4)->click(); // values go to the format on screen
    auto *box = find<QLineEdit>(frm.get(), field);
    box->setFocus();
    QTest::keyClicks(box, typed);
    find<QTableView>(&*frm, "vaSpread1")->setFocus();
    const LabelFormat &f = frm->formatSet().Fmt[4];
    const int n = field.right(field.endsWith("10") ? 2 : 1).toInt();
    const QMap<QString, int> values{{"BarYyTxt", f.Bar[qMin(n, 3)].BarYy},
                                    {"BarXxTxt", f.Bar[qMin(n, 3)].BarXx},
                                    {"BarHeightTxt", f.Bar[qMin(n, 3)].BarHeight},
                                    {"TxtYyTxt", f.Txt[n].TxtYy},
                                    {"TxtXxTxt", f.Txt[n].TxtXx},
                                    {"TxtSizeTxt", f.Txt[n].TxtRight},
                                    {"LblLengTxt", f.LblLeng},
                                    {"LblWidthTxt", f.LblWidth}};
    QString kind = field;
    while (!kind.isEmpty() && kind.back().isDigit())
        kind.chop(1);
    QCOMPARE(values.value(kind, -1), stored);
    QCOMPARE(box->text(), stored ? QString::number(stored) : QString());
    QCOMPARE(frm->formatSet().Fmt[1], LabelFormat()); // format 1 untouched
}

void TestStationFormat::focusColours_data()
{
    QTest::addColumn<QString>("field");
    for (const char *f :
         {"LblLengTxt", "BarHeightTxt2", "TxtXxTxt10", "TxtSizeTxt3", "TxtStringTxt7"})
        QTest::newRow(f) << QString(f);
}

void TestStationFormat::focusColours()
{
    QFETCH(QString, field);
    auto frm = openStation();
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    auto *box = find<QLineEdit>(frm.get(), field);
    box->setFocus();
    QCOMPARE(box->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x80)); // &H0080FFFF
    find<QTableView>(&*frm, "vaSpread1")->setFocus();
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestStationFormat::fixedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    addRow("quotes", "A'B\"C", QString("A`B`C"));
    addRow("trimmed", "  고정 문자  ", QString("고정 문자"));
    addRow("26 syllables cut to 25", QString(26, QChar(0xAC00)), QString(25, QChar(0xAC00)));
    addRow("odd byte left over", "a" + QString(25, QChar(0xAC00)),
           "a" + QString(24, QChar(0xAC00)));
    addRow("50 ASCII kept", QString(50, 'x'), QString(50, 'x'));
}

void TestStationFormat::fixedText()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    auto frm = openStation();
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    find<QRadioButton>(&*frm, "BarForm%1Opt", 5)->click();
    find<QLineEdit>(&*frm, "TxtStringTxt%1", 6)->setFocus();
    find<QLineEdit>(&*frm, "TxtStringTxt%1", 6)->setText(typed);
    find<QTableView>(&*frm, "vaSpread1")->setFocus();
    QCOMPARE(frm->formatSet().Fmt[5].Txt[6].TxtString, stored);
    QCOMPARE(find<QLineEdit>(&*frm, "TxtStringTxt%1", 6)->text(), stored);
}

void TestStationFormat::optionPanels_data()
{
    // values: the element's one or two values of the panel before and after.
    QTest::addColumn<QString>("open");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QStringList>("labels");
    using L = QList<int>;
    using S = QStringList;
    addRow("type: den 7, narrow 3", "BarCodeCmd2", L{8, 7}, S{"BarCode8Opt", "BarWide7Opt"},
           S{"BarNarrow3Opt"}, "BarCodeEnterCmd", L{8, 37}, S{"EAN13", "37"});
    addRow("type: none checked", "BarCodeCmd1", L{0, 25}, S{"BarNarrow2Opt", "BarWide5Opt"}, S{},
           "BarCodeEnterCmd", L{0, 25}, S{"", "25"});
    addRow("type: den 10", "BarCodeCmd3", L{1, 0}, S{"BarCode1Opt"},
           S{"BarCode10Opt", "BarNarrow1Opt"}, "BarCodeEnterCmd", L{10, 10}, S{"EAN128", "A"});
    addRow("type: cancel", "BarCodeCmd1", L{2, 25},
           S{"BarCode2Opt", "BarNarrow2Opt", "BarWide5Opt"}, S{"BarCode5Opt", "BarNarrow9Opt"},
           "BarCodeExitCmd", L{2, 25}, S{"Code128", "25"});
    addRow("type: clear", "BarCodeCmd1", L{2, 25}, S{"BarCode2Opt", "BarNarrow2Opt", "BarWide5Opt"},
           S{}, "BarCancelCmd", L{0, 0}, S{"", ""});
    addRow("digits: below", "BarHmReadCmd2", L{0}, S{"BarHmRead0Opt"}, S{"BarHmRead2Opt"},
           "BarHmReadEnterCmd", L{2}, S{"하단"});
    addRow("digits: none checked keeps", "BarHmReadCmd1", L{5}, S{}, S{}, "BarHmReadEnterCmd", L{5},
           S{""});
    addRow("digits: cancel", "BarHmReadCmd3", L{1}, S{"BarHmRead1Opt"}, S{"BarHmRead2Opt"},
           "BarHmReadExitCmd", L{1}, S{"상단"});
    addRow("digits: clear", "BarHmReadCmd3", L{1}, S{"BarHmRead1Opt"}, S{}, "BnoCancelCmd", L{0},
           S{""});
    addRow("font: 6", "TxtFontCmd4", L{0}, S{}, S{"TxtFont6Opt"}, "TxtFontEnterCmd", L{6},
           S{"고딕24*24"});
    addRow("font: cancel", "TxtFontCmd4", L{3}, S{"TxtFont3Opt"}, S{"TxtFont1Opt"},
           "TxtFontExitCmd", L{3}, S{"영문16*25"});
    addRow("font: clear", "TxtFontCmd1", L{3}, S{"TxtFont3Opt"}, S{}, "FntCancelCmd", L{0}, S{""});
    addRow("size: Y 4", "TxtYxSizeCmd10", L{2, 3}, S{"TxtYSize2Opt", "TxtXSize3Opt"},
           S{"TxtYSize4Opt"}, "TxtYxSizeEnterCmd", L{4, 3}, S{"4", "3"});
    addRow("size: one row empty", "TxtYxSizeCmd2", L{0, 2}, S{"TxtXSize2Opt"}, S{},
           "TxtYxSizeEnterCmd", L{0, 2}, S{"", "2"});
    addRow("size: clear", "TxtYxSizeCmd2", L{2, 3}, S{"TxtYSize2Opt", "TxtXSize3Opt"}, S{},
           "TszCancelCmd", L{0, 0}, S{"", ""});
    addRow("reversal: 3", "TxtRvsCmd1", L{0}, S{"TxtRvs0Opt"}, S{"TxtRvs3Opt"}, "TxtRvsEnterCmd",
           L{3}, S{"음Bd"});
    addRow("reversal: cancel", "TxtRvsCmd7", L{2}, S{"TxtRvs2Opt"}, S{"TxtRvs1Opt"},
           "TxtRvsExitCmd", L{2}, S{"Bold"});
    addRow("reversal: clear", "TxtRvsCmd7", L{1}, S{"TxtRvs1Opt"}, S{}, "TumCancelCmd", L{0},
           S{""});
}

void TestStationFormat::optionPanels()
{
    QFETCH(QString, open);
    QFETCH(QList<int>, before);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, clicks);
    QFETCH(QString, button);
    QFETCH(QList<int>, after);
    QFETCH(QStringList, labels);
    auto frm = openStation();
    find<QRadioButton>(&*frm, "BarForm%1Opt", 2)->click();
    QString kind = open;
    while (kind.back().isDigit())
        kind.chop(1);
    const int n = open.mid(kind.size()).toInt();
    // The element's values of this panel in a format, with their labels.
    const auto valuesOf = [&kind, n](LabelFormat &f) -> QList<qint16 *> {
        if (kind == "BarCodeCmd")
            return {&f.Bar[n].BarCode, &f.Bar[n].BarDen};
        if (kind == "BarHmReadCmd")
            return {&f.Bar[n].BarHmRead};
        if (kind == "TxtFontCmd")
            return {&f.Txt[n].TxtFont};
        if (kind == "TxtYxSizeCmd")
            return {&f.Txt[n].TxtYSize, &f.Txt[n].TxtXSize};
        return {&f.Txt[n].TxtRvs};
    };
    QList<QLabel *> shown;
    if (kind == "BarCodeCmd")
        shown = {find<QLabel>(&*frm, "BarCodeLbl%1", n), find<QLabel>(&*frm, "BarDenLbl%1", n)};
    else if (kind == "BarHmReadCmd")
        shown = {find<QLabel>(&*frm, "BarHmReadLbl%1", n)};
    else if (kind == "TxtFontCmd")
        shown = {find<QLabel>(&*frm, "TxtFontLbl%1", n)};
    else if (kind == "TxtYxSizeCmd")
        shown = {find<QLabel>(&*frm, "TxtYSizeLbl%1", n), find<QLabel>(&*frm, "TxtXSizeLbl%1", n)};
    else
        shown = {find<QLabel>(&*frm, "TxtRvsLbl%1", n)};
    LabelFormat f = frm->formatSet().Fmt[2];
    const QList<qint16 *> values = valuesOf(f);
    for (int i = 0; i < values.size(); ++i)
        *values[i] = qint16(before[i]);
    frm->formatModel()->setFormat(2, f);

    find<QPushButton>(frm.get(), open)->click();
    QFrame *panel = qobject_cast<QFrame *>(find<QPushButton>(frm.get(), button)->parentWidget());
    QVERIFY(panel && panel->isVisible());
    QStringList on;
    for (QRadioButton *o : panel->findChildren<QRadioButton *>()) {
        if (o->isChecked())
            on << o->objectName();
    }
    on.sort();
    checked.sort();
    QCOMPARE(on, checked);
    for (const QString &c : clicks)
        find<QRadioButton>(panel, c)->click();
    find<QPushButton>(panel, button)->click();
    QVERIFY(!panel->isVisible());
    QList<int> now;
    QStringList texts;
    LabelFormat stored = frm->formatSet().Fmt[2];
    const QList<qint16 *> storedValues = valuesOf(stored);
    for (int i = 0; i < storedValues.size(); ++i) {
        now << *storedValues[i];
        texts << shown[i]->text();
    }
    QCOMPARE(now, after);
    QCOMPARE(texts, labels);
}

void TestStationFormat::panelButtonToggles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("clear");
    addRow("type", "BarCodeCmd", "BarCodeFme", "BarCancelCmd");
    addRow("digits", "BarHmReadCmd", "BarHmReadFme", "BnoCancelCmd");
    addRow("font", "TxtFontCmd", "TxtFontFme", "FntCancelCmd");
    addRow("size", "TxtYxSizeCmd", "TxtYxSizeFme", "TszCancelCmd");
    addRow("reversal", "TxtRvsCmd", "TxtRvsFme", "TumCancelCmd");
}

void TestStationFormat::panelButtonToggles()
{
    QFETCH(QString, kind);
    QFETCH(QString, panel);
    QFETCH(QString, clear);
    // Every element starts with a value the clear button changes.
    QStringList lines;
    for (int i = 1; i <= 3; ++i)
        lines << QString("<BarCode(1:%1)>'1").arg(i, 2, 10, QChar('0'))
              << QString("<BarHmRead(1:%1)>'1").arg(i, 2, 10, QChar('0'));
    for (int i = 1; i <= 10; ++i) {
        for (const char *tag : {"TxtFont", "TxtYSize", "TxtRvs"})
            lines << QString("<%1(1:%2)>'1").arg(tag).arg(i, 2, 10, QChar('0'));
    }
    QVERIFY(writeFormat(lines));
    auto frm = openStation();
    const FormatSet original = frm->formatSet();
    // Every panel opens in the column of the barcode type panel.
    find<QPushButton>(&*frm, "BarCodeCmd%1", 1)->click();
    const int left = find<QFrame>(&*frm, "BarCodeFme")->x();
    find<QPushButton>(&*frm, "BarCodeCmd%1", 1)->click();
    QVERIFY(!find<QFrame>(&*frm, "BarCodeFme")->isVisible());
    auto *p = find<QFrame>(frm.get(), panel);
    auto *first = find<QPushButton>(frm.get(), kind + "1");
    auto *second = find<QPushButton>(frm.get(), kind + "2");
    auto *third = find<QPushButton>(frm.get(), kind + "3");

    first->click();
    QVERIFY(p->isVisible());
    QCOMPARE(p->y(), find<QGroupBox>(&*frm, "BarFormFme")->y() +
                         first->mapTo(find<QGroupBox>(&*frm, "BarFormFme"), QPoint()).y());
    QCOMPARE(p->x(), left);
    third->click(); // closes; does not switch to element 3
    QVERIFY(!p->isVisible());
    QCOMPARE(frm->formatSet(), original);

    second->click();
    QCOMPARE(p->y(), find<QGroupBox>(&*frm, "BarFormFme")->y() +
                         first->mapTo(find<QGroupBox>(&*frm, "BarFormFme"), QPoint()).y());
    find<QPushButton>(p, clear)->click();
    FormatSet changed = frm->formatSet();
    QVERIFY(!(changed == original));
    // Only element 2 was cleared.
    changed.Fmt[1].Bar[2] = original.Fmt[1].Bar[2];
    changed.Fmt[1].Txt[2] = original.Fmt[1].Txt[2];
    QCOMPARE(changed, original);
}

void TestStationFormat::switchingFormatRedisplays()
{
    QVERIFY(writeFormat(
        {"<LblLeng(1)>'40", "<LblLeng(2)>'60", "<BarCode(2:01)>'2", "<TxtRight(2:01)>'5"}));
    auto frm = openStation();
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    QCOMPARE(find<QLineEdit>(&*frm, "LblLengTxt")->text(), QString("40"));
    QCOMPARE(find<QLineEdit>(&*frm, "TxtSizeTxt%1", 1)->text(), QString());
    find<QRadioButton>(&*frm, "BarForm%1Opt", 2)->click();
    QCOMPARE(find<QLineEdit>(&*frm, "LblLengTxt")->text(), QString("60"));
    QCOMPARE(find<QLabel>(&*frm, "BarCodeLbl%1", 1)->text(), QString("Code128"));
    QCOMPARE(find<QLineEdit>(&*frm, "TxtSizeTxt%1", 1)->text(), QString("5"));
    QCOMPARE(focusName(), QString("vaSpread1"));

    find<QLineEdit>(&*frm, "LblLengTxt")->setFocus();
    find<QLineEdit>(&*frm, "LblLengTxt")->setText("61");
    find<QTableView>(&*frm, "vaSpread1")->setFocus();
    QCOMPARE(frm->formatSet().Fmt[2].LblLeng, 61);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, 40);

    // A panel left open keeps its element and confirms into the format now shown.
    find<QPushButton>(&*frm, "BarCodeCmd%1", 1)->click();
    find<QRadioButton>(&*frm, "BarForm%1Opt", 3)->click();
    QVERIFY(find<QFrame>(&*frm, "BarCodeFme")->isVisible());
    find<QRadioButton>(&*frm, "BarCode%1Opt", 4)->click();
    find<QPushButton>(frm.get(), "BarCodeEnterCmd")->click();
    QCOMPARE(frm->formatSet().Fmt[3].Bar[1].BarCode, qint16(4));
    QCOMPARE(frm->formatSet().Fmt[2].Bar[1].BarCode, qint16(2));
    QCOMPARE(find<QLabel>(&*frm, "BarCodeLbl%1", 1)->text(), QString("Codabar"));
}

void TestStationFormat::extensionPanel()
{
    auto frm = openStation();
    QVERIFY(!find<QFrame>(&*frm, "TxtExtFme")->isVisible());
    QCOMPARE(find<QPushButton>(&*frm, "TxtExOnCmd")->text(), QString("+"));
    QCOMPARE(find<QPushButton>(&*frm, "TxtExOffCmd")->text(), QString("-"));
    find<QPushButton>(&*frm, "TxtExOnCmd")->click();
    QVERIFY(find<QFrame>(&*frm, "TxtExtFme")->isVisible());
    QStringList captions;
    for (QLabel *l : find<QFrame>(&*frm, "TxtExtFme")->findChildren<QLabel *>())
        captions << l->text();
    for (const char *c :
         {"텍스트설정", "길이", "고정문자", "* [길이] : 입력시 우측부터 인쇄되며 좌측여백 임",
          "* [고정] : 모든 품목에 인쇄 될 고정문자열"})
        QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
    find<QPushButton>(&*frm, "TxtExOnCmd")->click(); // "+" only shows
    QVERIFY(find<QFrame>(&*frm, "TxtExtFme")->isVisible());
    find<QPushButton>(&*frm, "TxtExOffCmd")->click();
    QVERIFY(!find<QFrame>(&*frm, "TxtExtFme")->isVisible());
}

QTEST_MAIN(TestStationFormat)
#include "test_stationformat.moc"
