// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300frm.h"
#include "support/addrow.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "support/controls.h"
#include "support/stationfixture.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList checkedIn(QWidget *panel)
{
    QStringList on;
    for (QRadioButton *o : panel->findChildren<QRadioButton *>()) {
        if (o->isChecked())
            on << o->objectName();
    }
    on.sort();
    return on;
}

QStringList optionsIn(QWidget *panel)
{
    QStringList names;
    for (QRadioButton *o : panel->findChildren<QRadioButton *>())
        names << o->objectName();
    names.sort();
    return names;
}

// A format set in which every field of every format has its own value.
FormatSet everyField()
{
    FormatSet s;
    s.BarComPort = 7;
    s.BarComSpeed = 5;
    for (int f = 1; f <= 5; ++f) {
        LabelFormat &l = s.Fmt[f];
        l.LblLeng = 1000 + f;
        l.LblWidth = 300 + f;
        l.LblDegree = qint16(f % 2);
        l.LblMode = qint16(f % 3);
        l.LblSensor = qint16((f + 1) % 3);
        l.LblCut = qint16((f + 1) % 2);
        l.LblOver = qint16(f % 2);
        for (int b = 1; b <= 3; ++b) {
            BarcodeElement &e = l.Bar[b];
            e.BarSelt = qint16((f + b) % 2);
            e.BarYy = 1000 + 10 * f + b;
            e.BarXx = 100 + 10 * f + b;
            e.BarCode = qint16((f + b) % 9);
            e.BarDen = qint16((f * 3 + b) % 10 + 1);
            e.BarHeight = 50 + f + b;
            e.BarHmRead = qint16(b % 3);
            e.BarRight = qint16(10 * f + b);
            e.BarString = QStringLiteral("고정%1-%2").arg(f).arg(b);
            e.BarEdit = qint16((f + b) % 4);
        }
        for (int t = 1; t <= 20; ++t) {
            TextElement &e = l.Txt[t];
            e.TxtSelt = qint16((f + t) % 2);
            e.TxtYy = 2000 + 20 * f + t;
            e.TxtXx = 200 + 20 * f + t;
            e.TxtFont = qint16((f + t) % 4);
            e.TxtYSize = qint16((f + t) % 9 + 1);
            e.TxtXSize = qint16((f * t) % 9 + 1);
            e.TxtRvs = qint16(t % 2);
            e.TxtRight = qint16((f + t) % 50);
            e.TxtString = t % 3 == 0 ? QStringLiteral("문자 %1.%2").arg(f).arg(t) : QString();
            e.TxtEdit = qint16((f * t) % 4);
        }
    }
    return s;
}

} // namespace

// The AL-300 station's own parts of the format editor: ratio codes per symbology, the
// 1..9 sizes, three fonts, two reversal values, label settings, input classes, fixed values.
class TestAl300Frm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void ratioGroups_data();
    void ratioGroups();
    void ratioPanelShowsStoredValue();
    void sizePanelForgetsThePreviousText();
    void textPanels_data();
    void textPanels();
    void labelSettings_data();
    void labelSettings();
    void fixedValues_data();
    void fixedValues();
    void barcodeWidthIsShownOnly();
    void saveAndLoadKeepEveryField();

private:
    std::unique_ptr<AL300Frm> openStation();
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAl300Frm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Program() = ProgramState();
    Program().DataDirOverride = m_dir->path();
    Dialogs::setTestMode(true);
}

void TestAl300Frm::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<AL300Frm> TestAl300Frm::openStation()
{
    auto w = std::make_unique<AL300Frm>();
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("station window not active");
    return w;
}

void TestAl300Frm::ratioGroups_data()
{
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<QString>("byDefault");
    QTest::addColumn<QString>("click");
    QTest::addColumn<int>("den");
    QTest::addColumn<QString>("label");
    const QStringList g1{"BarCode11Opt", "BarCode13Opt", "BarCode14Opt"};
    const QStringList g2{"BarCode25Opt", "BarCode22Opt", "BarCode28Opt", "BarCode26Opt"};
    const QStringList g3{"BarCode31Opt", "BarCode38Opt", "BarCode3aOpt", "BarCode33Opt"};
    const QStringList g4{"BarCode49Opt", "BarCode48Opt", "BarCode43Opt", "BarCode44Opt"};
    addRow("UPC-A", 1, "UPC-A", 1, g1, "1 3 4", "BarCode11Opt", "", 1, "1");
    addRow("UPC-E, 4", 2, "UPC-E", 1, g1, "1 3 4", "BarCode11Opt", "BarCode14Opt", 4, "4");
    addRow("EAN-8", 6, "EAN-8", 1, g1, "1 3 4", "BarCode11Opt", "", 1, "1");
    addRow("EAN-13, 3", 7, "EAN-13", 1, g1, "1 3 4", "BarCode11Opt", "BarCode13Opt", 3, "3");
    addRow("I 2of5", 3, "I 2of5", 2, g2, "5 2 8 6", "BarCode26Opt", "", 6, "6");
    addRow("I 2of5, 2", 3, "I 2of5", 2, g2, "5 2 8 6", "BarCode26Opt", "BarCode22Opt", 2, "2");
    addRow("NW7", 5, "NW7", 3, g3, "1 8 A 3", "BarCode31Opt", "", 1, "1");
    addRow("NW7, A", 5, "NW7", 3, g3, "1 8 A 3", "BarCode31Opt", "BarCode3aOpt", 10, "A");
    addRow("Code39", 4, "Code39", 4, g4, "9 8 3 4", "BarCode49Opt", "", 9, "9");
    addRow("Code128, 8", 8, "Code128", 4, g4, "9 8 3 4", "BarCode49Opt", "BarCode48Opt", 8, "8");
}

void TestAl300Frm::ratioGroups()
{
    QFETCH(int, symbology);
    QFETCH(QString, name);
    QFETCH(int, group);
    QFETCH(QStringList, offered);
    QFETCH(QString, captions);
    QFETCH(QString, byDefault);
    QFETCH(QString, click);
    QFETCH(int, den);
    QFETCH(QString, label);
    auto w = openStation();
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 4)->click();
    Controls::find<QPushButton>(&*w, "BarCodeCmd%1", 2)->click();
    QVERIFY(Controls::find<QFrame>(&*w, "BarCodeFme")->isVisible());
    for (int g = 1; g <= 4; ++g)
        QVERIFY(!Controls::find<QWidget>(&*w, "BarRatio%1Fme", g)->isVisible()); // no symbology yet

    Controls::find<QRadioButton>(&*w, "BarCode%1Opt", symbology)->click();
    for (int g = 1; g <= 4; ++g)
        QCOMPARE(Controls::find<QWidget>(&*w, "BarRatio%1Fme", g)->isVisible(), g == group);
    QStringList texts;
    for (const QString &o : offered) {
        auto *b =
            Controls::find<QWidget>(&*w, "BarRatio%1Fme", group)->findChild<QRadioButton *>(o);
        QVERIFY2(b, qPrintable(o));
        texts << b->text();
    }
    QCOMPARE(texts.join(' '), captions);
    QCOMPARE(checkedIn(Controls::find<QWidget>(&*w, "BarRatio%1Fme", group)),
             QStringList{byDefault});
    if (!click.isEmpty())
        Controls::find<QFrame>(&*w, "BarCodeFme")->findChild<QRadioButton *>(click)->click();
    Controls::find<QFrame>(&*w, "BarCodeFme")->findChild<QPushButton *>("BarCodeEnterCmd")->click();

    QVERIFY(!Controls::find<QFrame>(&*w, "BarCodeFme")->isVisible());
    const BarcodeElement &e = w->formatSet().Fmt[4].Bar[2];
    QCOMPARE(int(e.BarCode), symbology);
    QCOMPARE(int(e.BarDen), den);
    QCOMPARE(Controls::find<QLabel>(&*w, "BarCodeLbl%1", 2)->text(), name);
    QCOMPARE(Controls::find<QLabel>(&*w, "BarDenLbl%1", 2)->text(), label);
    QCOMPARE(w->formatSet().Fmt[1].Bar[2], BarcodeElement());
}

void TestAl300Frm::ratioPanelShowsStoredValue()
{
    QVERIFY(TextFile::writeLines(path("AL300Frm[00].Txt"),
                                 {"<BarCode(1:03)>'3", "<BarDen(1:03)>'8", "<BarDen(1:01)>'7",
                                  "<BarCode(2:03)>'5", "<BarDen(2:03)>'10"}));
    auto w = openStation();
    QCOMPARE(Controls::find<QLabel>(&*w, "BarDenLbl%1", 3)->text(), QString("8"));
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->click();
    QCOMPARE(Controls::find<QLabel>(&*w, "BarCodeLbl%1", 3)->text(), QString("NW7"));
    QCOMPARE(Controls::find<QLabel>(&*w, "BarDenLbl%1", 3)->text(), QString("A"));
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 1)->click();

    Controls::find<QPushButton>(&*w, "BarCodeCmd%1", 3)->click();
    QCOMPARE(checkedIn(Controls::find<QFrame>(&*w, "BarCodeFme")),
             (QStringList{"BarCode28Opt", "BarCode3Opt"}));
    QVERIFY(Controls::find<QWidget>(&*w, "BarRatio%1Fme", 2)->isVisible());
    // Another symbology brings its own group with its default; coming back keeps the choice.
    Controls::find<QRadioButton>(&*w, "BarCode%1Opt", 4)->click();
    QVERIFY(!Controls::find<QWidget>(&*w, "BarRatio%1Fme", 2)->isVisible());
    QCOMPARE(checkedIn(Controls::find<QWidget>(&*w, "BarRatio%1Fme", 4)),
             QStringList{"BarCode49Opt"});
    Controls::find<QRadioButton>(&*w, "BarCode%1Opt", 3)->click();
    QCOMPARE(checkedIn(Controls::find<QWidget>(&*w, "BarRatio%1Fme", 2)),
             QStringList{"BarCode28Opt"});
    Controls::find<QFrame>(&*w, "BarCodeFme")->findChild<QPushButton *>("BarCodeEnterCmd")->click();
    QCOMPARE(w->formatSet().Fmt[1].Bar[3].BarDen, qint16(8));

    // A ratio without a symbology (hand-edited file) is cleared by the confirmation.
    Controls::find<QPushButton>(&*w, "BarCodeCmd%1", 1)->click();
    QCOMPARE(checkedIn(Controls::find<QFrame>(&*w, "BarCodeFme")),
             QStringList()); // nothing left from barcode 3
    Controls::find<QFrame>(&*w, "BarCodeFme")->findChild<QPushButton *>("BarCodeEnterCmd")->click();
    QCOMPARE(w->formatSet().Fmt[1].Bar[1].BarDen, qint16(0));
    QCOMPARE(Controls::find<QLabel>(&*w, "BarDenLbl%1", 1)->text(), QString());
}

void TestAl300Frm::sizePanelForgetsThePreviousText()
{
    auto w = openStation();
    Controls::find<QPushButton>(&*w, "TxtYxSizeCmd%1", 1)->click();
    Controls::find<QFrame>(&*w, "TxtYxSizeFme")->findChild<QRadioButton *>("TxtYSize9Opt")->click();
    Controls::find<QFrame>(&*w, "TxtYxSizeFme")->findChild<QRadioButton *>("TxtXSize7Opt")->click();
    Controls::find<QFrame>(&*w, "TxtYxSizeFme")
        ->findChild<QPushButton *>("TxtYxSizeEnterCmd")
        ->click();
    Controls::find<QPushButton>(&*w, "TxtYxSizeCmd%1", 2)->click();
    QCOMPARE(checkedIn(Controls::find<QFrame>(&*w, "TxtYxSizeFme")), QStringList());
    Controls::find<QFrame>(&*w, "TxtYxSizeFme")
        ->findChild<QPushButton *>("TxtYxSizeEnterCmd")
        ->click();
    const TextElement &e = w->formatSet().Fmt[1].Txt[2];
    QCOMPARE(QList<int>({e.TxtYSize, e.TxtXSize}), QList<int>({0, 0}));
    QCOMPARE(w->formatSet().Fmt[1].Txt[1].TxtYSize, qint16(9));
}

void TestAl300Frm::textPanels_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("enter");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QStringList>("labels");
    QStringList sizes;
    for (int i = 1; i <= 9; ++i)
        sizes << QString("TxtXSize%1Opt").arg(i) << QString("TxtYSize%1Opt").arg(i);
    sizes.sort();
    using S = QStringList;
    using L = QList<int>;
    addRow("size 9 by 7", "TxtYxSizeCmd3", sizes, S{}, S{"TxtYSize9Opt", "TxtXSize7Opt"},
           "TxtYxSizeEnterCmd", L{9, 7}, S{"9", "7"});
    addRow("font 3", "TxtFontCmd4", S{"TxtFont1Opt", "TxtFont2Opt", "TxtFont3Opt"},
           S{"영문 16*24", "고딕 16*16", "고딕 24*24"}, S{"TxtFont3Opt"}, "TxtFontEnterCmd", L{3},
           S{"고딕24*24"});
    addRow("font 1", "TxtFontCmd10", S{"TxtFont1Opt", "TxtFont2Opt", "TxtFont3Opt"},
           S{"영문 16*24", "고딕 16*16", "고딕 24*24"}, S{"TxtFont1Opt"}, "TxtFontEnterCmd", L{1},
           S{"영문16*24"});
    addRow("reversed", "TxtRvsCmd2", S{"TxtRvs0Opt", "TxtRvs1Opt"}, S{"정상", "음각"},
           S{"TxtRvs1Opt"}, "TxtRvsEnterCmd", L{1}, S{"음각"});
    addRow("normal", "TxtRvsCmd2", S{"TxtRvs0Opt", "TxtRvs1Opt"}, S{"정상", "음각"},
           S{"TxtRvs0Opt"}, "TxtRvsEnterCmd", L{0}, S{""});
}

void TestAl300Frm::textPanels()
{
    QFETCH(QString, open);
    QFETCH(QStringList, options);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, clicks);
    QFETCH(QString, enter);
    QFETCH(QList<int>, values);
    QFETCH(QStringList, labels);
    auto w = openStation();
    const int t = open.mid(open.indexOf(QRegularExpression("\\d"))).toInt();
    if (open.startsWith("TxtRvs")) { // start from the other value
        changeFormat(*w, 1, [&](LabelFormat &f) { f.Txt[t].TxtRvs = qint16(1 - values[0]); });
    }
    w->findChild<QPushButton *>(open)->click();
    auto *panel = qobject_cast<QFrame *>(w->findChild<QPushButton *>(enter)->parentWidget());
    QVERIFY(panel->isVisible());
    QCOMPARE(optionsIn(panel), options);
    QStringList shownCaptions;
    for (const QString &o : options)
        shownCaptions << panel->findChild<QRadioButton *>(o)->text();
    if (!captions.isEmpty())
        QCOMPARE(shownCaptions, captions);
    for (const QString &c : clicks)
        panel->findChild<QRadioButton *>(c)->click();
    panel->findChild<QPushButton *>(enter)->click();

    const TextElement &e = w->formatSet().Fmt[1].Txt[t];
    QList<int> now;
    QStringList texts;
    if (open.startsWith("TxtYxSize")) {
        now = {e.TxtYSize, e.TxtXSize};
        texts = {Controls::find<QLabel>(&*w, "TxtYSizeLbl%1", t)->text(),
                 Controls::find<QLabel>(&*w, "TxtXSizeLbl%1", t)->text()};
    } else if (open.startsWith("TxtFont")) {
        now = {e.TxtFont};
        texts = {Controls::find<QLabel>(&*w, "TxtFontLbl%1", t)->text()};
    } else {
        now = {e.TxtRvs};
        texts = {Controls::find<QLabel>(&*w, "TxtRvsLbl%1", t)->text()};
    }
    QCOMPARE(now, values);
    QCOMPARE(texts, labels);
}

void TestAl300Frm::labelSettings_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    addRow("peeler", "BarMode2Opt", 2, "LblMode", 2);
    addRow("stop at cut line", "BarMode1Opt", 5, "LblMode", 1);
    addRow("black mark", "BarSensor1Opt", 3, "LblSensor", 1);
    addRow("continuous", "BarSensor2Opt", 2, "LblSensor", 2);
    addRow("cut", "BarCut1Opt", 4, "LblCut", 1);
    addRow("overlay", "BarOver1Opt", 2, "LblOver", 1);
    addRow("barcode 2 class 가", "BarEdit3Opt2", 3, "BarEdit2", 3);
    addRow("barcode 1 class 0", "BarEdit1Opt1", 2, "BarEdit1", 1);
    addRow("text 7 class A", "TxtEdit2Opt7", 5, "TxtEdit7", 2);
    addRow("text 10 class 가", "TxtEdit3Opt10", 2, "TxtEdit10", 3);
}

void TestAl300Frm::labelSettings()
{
    QFETCH(QString, option);
    QFETCH(int, format);
    QFETCH(QString, field);
    QFETCH(int, value);
    auto w = openStation();
    auto read = [&](int f) -> int {
        const LabelFormat &l = w->formatSet().Fmt[f];
        const int n = field.mid(7).toInt();
        if (field == "LblMode")
            return l.LblMode;
        if (field == "LblSensor")
            return l.LblSensor;
        if (field == "LblCut")
            return l.LblCut;
        if (field == "LblOver")
            return l.LblOver;
        if (field.startsWith("BarEdit"))
            return l.Bar[n].BarEdit;
        return l.Txt[n].TxtEdit;
    };
    auto *o = w->findChild<QRadioButton *>(option);
    QVERIFY(o);
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", format)->click();
    o->click();
    for (int f = 1; f <= 5; ++f)
        QCOMPARE(read(f), f == format ? value : 0);
    // The choice belongs to its format: another format shows its own, coming back shows it.
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 1)->click();
    QVERIFY(!o->isChecked());
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", format)->click();
    QVERIFY(o->isChecked());
}

void TestAl300Frm::fixedValues_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    const QString ga30(30, QChar(u'가'));
    addRow("barcode delimiters", "BarStringTxt2", "A,B;C|D{E}F", "A?B?C?D?E?F");
    addRow("text delimiters", "TxtStringTxt4", "1,000;원", "1?000?원");
    addRow("quotes", "BarStringTxt1", "it's \"x\"", "it`s `x`");
    addRow("spaces", "TxtStringTxt10", "  12  ", "12");
    addRow("50 bytes", "TxtStringTxt1", ga30, QString(25, QChar(u'가')));
    addRow("cut before a half character", "BarStringTxt3", "a" + ga30,
           "a" + QString(24, QChar(u'가')));
}

void TestAl300Frm::fixedValues()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    auto w = openStation();
    Controls::find<QPushButton>(&*w, "TxtExOnCmd")->click();
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 3)->click();
    auto *edit = w->findChild<QLineEdit *>(box);
    QVERIFY(edit);
    edit->setFocus();
    edit->setText(typed);
    Controls::find<QTableView>(&*w, "vaSpread1")->setFocus();
    const int n = box.mid(12).toInt();
    const LabelFormat &f = w->formatSet().Fmt[3];
    QCOMPARE(box.startsWith("Bar") ? f.Bar[n].BarString : f.Txt[n].TxtString, stored);
    QCOMPARE(edit->text(), stored);
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 1)->click();
    QCOMPARE(edit->text(), QString());
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 3)->click();
    QCOMPARE(edit->text(), stored);
}

void TestAl300Frm::barcodeWidthIsShownOnly()
{
    QVERIFY(TextFile::writeLines(path("AL300Frm[00].Txt"),
                                 {"<BarRight(1:02)>'12", "<BarRight(2:02)>'7"}));
    auto w = openStation();
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2)->text(), QString("12"));
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 1)->text(), QString());
    QVERIFY(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2)->isReadOnly());
    Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2)->setFocus();
    QTest::keyClicks(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2), "5");
    Controls::find<QTableView>(&*w, "vaSpread1")->setFocus();
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2)->text(), QString("12"));
    Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->click();
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 2)->text(), QString("7"));
    Controls::find<QPushButton>(&*w, "ChtWriteCmd")->click();
    const QStringList lines = TextFile::readLines(path("AL300Frm[00].Txt"));
    QVERIFY(lines.contains("<BarRight(1:02)>'12"));
    QVERIFY(lines.contains("<BarRight(2:02)>'7"));
}

void TestAl300Frm::saveAndLoadKeepEveryField()
{
    const FormatSet original = everyField();
    {
        auto w = openStation();
        w->formatModel()->replace(original);
        Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->click();
        Controls::find<QPushButton>(&*w, "ChtWriteCmd")->click();
    }
    QCOMPARE(TextFile::readLines(path("AL300Frm[00].Txt")).size(), 2 + 5 * (7 + 3 * 10 + 20 * 10));
    auto w = openStation();
    QCOMPARE(w->formatSet(), original);
    // Format 1 on screen after opening.
    const LabelFormat &f = original.Fmt[1];
    QVERIFY(Controls::find<QRadioButton>(&*w, "BarMode%1Opt", f.LblMode)->isChecked());
    QVERIFY(Controls::find<QRadioButton>(&*w, "BarSensor%1Opt", f.LblSensor)->isChecked());
    QVERIFY(Controls::find<QRadioButton>(&*w, "BarCut%1Opt", f.LblCut)->isChecked());
    QVERIFY(Controls::find<QRadioButton>(&*w, "BarOver%1Opt", f.LblOver)->isChecked());
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarStringTxt%1", 3)->text(), f.Bar[3].BarString);
    QCOMPARE(Controls::find<QLineEdit>(&*w, "BarSizeTxt%1", 3)->text(),
             QString::number(f.Bar[3].BarRight));
    QVERIFY(Controls::find<QRadioButton>(
                &*w, QStringLiteral("BarEdit%1Opt%2").arg(f.Bar[2].BarEdit).arg(2))
                ->isChecked());
    QVERIFY(Controls::find<QRadioButton>(
                &*w, QStringLiteral("TxtEdit%1Opt%2").arg(f.Txt[9].TxtEdit).arg(9))
                ->isChecked());
    QCOMPARE(Controls::find<QLabel>(&*w, "BarDenLbl%1", 1)->text(),
             f.Bar[1].BarDen == 10 ? QString("A") : QString::number(f.Bar[1].BarDen));
}

QTEST_MAIN(TestAl300Frm)
#include "test_al300frm.moc"
