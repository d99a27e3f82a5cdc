// SPDX-License-Identifier: GPL-3.0-or-later
#include "barnew/barnewfrm.h"
#include "common/programstate.h"
#include "widgets/vbcolour.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The generator window driven as the operator does: focus, keys and clicks.
class TestBarNewFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void loadClearsResultAndShowsOpeningNumber();
    void captions();
    void modeFour();
    void movement_data();
    void movement();
    void typedCheckDigitConfirmedWithMouse();
    void typedCheckDigitConfirmedWithEnter();
    void typedCheckDigitReplacedWhenAnotherBoxIsLeft();
    void outOfRangeEntriesOnLeaving_data();
    void outOfRangeEntriesOnLeaving();
    void enteringPaintsAndSelects();
    void escapeCancels();
    void f1ButtonDoesNothing();

private:
    static QLineEdit *box(BarNewFrm &frm, int index) { return frm.gdsBarNoTxt[index]; }
    static void showActive(BarNewFrm &frm)
    {
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
    }
    static void focus(QLineEdit *box)
    {
        box->setFocus(Qt::OtherFocusReason);
        QVERIFY(box->hasFocus());
    }
};

void TestBarNewFrm::init()
{
    Program().ModalOpening = 0;
}

void TestBarNewFrm::loadClearsResultAndShowsOpeningNumber()
{
    Program().ModalOpening = 1;
    BarNewFrm frm;
    QVERIFY(!frm.code());
    QCOMPARE(Program().ModalOpening, qint16(0));

    const char *const names[] = {"gdsBarNoTxt0", "gdsBarNoTxt1",  "gdsBarNoTxt2",
                                 "gdsBarNoTxt3", "gdsBarNoTxt10", "gdsBarNoTxt11"};
    const char *const shown[] = {"220", "1", "1", "8", "220", "1"};
    for (int i = 0; i < 6; ++i) {
        auto *b = frm.findChild<QLineEdit *>(QLatin1String(names[i]));
        QVERIFY2(b, names[i]);
        QCOMPARE(b->text(), QLatin1String(shown[i]));
    }
    QVERIFY(frm.findChild<QRadioButton *>(QStringLiteral("BComLen0Opt"))->isChecked());
    QCOMPARE(frm.number().code(), QStringLiteral("2200001000018"));
}

void TestBarNewFrm::captions()
{
    BarNewFrm frm;
    QCOMPARE(frm.windowTitle(), QStringLiteral("바코드 등록 작업"));
    const char *const opts[] = {"4 자리 (상품 5 자리)", "5 자리 (상품 4 자리)",
                                "6 자리 (상품 3 자리)", "7 자리 (상품 2 자리)",
                                "8 자리 (상품 1 자리)"};
    for (int m = 0; m < 5; ++m) {
        auto *opt = frm.findChild<QRadioButton *>(QStringLiteral("BComLen%1Opt").arg(m));
        QVERIFY(opt);
        QCOMPARE(opt->text(), QString::fromUtf8(opts[m]));
    }
    QStringList groups;
    for (auto *g : frm.findChildren<QGroupBox *>())
        groups << g->title();
    QVERIFY(groups.contains(QStringLiteral("설정")));
    QVERIFY(groups.contains(QStringLiteral("바코드 입력")));
    QStringList labels;
    for (auto *l : frm.findChildren<QLabel *>())
        labels << l->text();
    for (const char *t :
         {"국가", "회사", "회사번호 자릿수", "국가번호", "회사번호", "상품번호", "번호확인"})
        QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
    QCOMPARE(frm.findChild<QPushButton *>(QStringLiteral("BarEnterCmd"))->text(),
             QStringLiteral("확인"));
    QCOMPARE(frm.findChild<QPushButton *>(QStringLiteral("BarExitCmd"))->text(),
             QStringLiteral("취소"));
    QCOMPARE(frm.findChild<QPushButton *>(QStringLiteral("BarF1Cmd"))->text(),
             QStringLiteral("F1"));
}

void TestBarNewFrm::modeFour()
{
    BarNewFrm frm;
    showActive(frm);
    QTest::mouseClick(frm.BComLen4Opt, Qt::LeftButton);
    QVERIFY(frm.BComLen4Opt->isChecked());
    QCOMPARE(box(frm, 1)->text(), QStringLiteral("1"));
    QCOMPARE(box(frm, 11)->text(), QStringLiteral("1"));
    QCOMPARE(box(frm, 2)->text(), QStringLiteral("1"));
    QCOMPARE(frm.number().companyText(), QStringLiteral("00000001"));
    QTest::mouseClick(frm.BarEnterCmd, Qt::LeftButton);
    QCOMPARE(frm.code(), std::optional<QString>(QStringLiteral("2200000000118")));
    QVERIFY(!frm.isVisible());
}

void TestBarNewFrm::movement_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to"); // -1: the window was confirmed

    const int E = Qt::Key_Return, D = Qt::Key_Down, U = Qt::Key_Up;
    const int table[][4] = {{10, 0, 11, 10}, {11, 1, 0, 10}, {0, 1, 1, 0},
                            {1, 2, 2, 0},    {2, 3, 3, 1},   {3, -1, -1, 2}};
    for (const auto &row : table) {
        QTest::addRow("%d enter", row[0]) << row[0] << E << row[1];
        QTest::addRow("%d down", row[0]) << row[0] << D << row[2];
        QTest::addRow("%d up", row[0]) << row[0] << U << row[3];
    }
    QTest::newRow("3 keypad enter") << 3 << int(Qt::Key_Enter) << -1;
}

void TestBarNewFrm::movement()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, from));
    QTest::keyClick(box(frm, from), Qt::Key(key));
    if (to < 0) {
        QVERIFY(!frm.isVisible());
        QCOMPARE(frm.result(), int(QDialog::Accepted));
        QCOMPARE(frm.code(), std::optional<QString>(QStringLiteral("2200001000018")));
    } else {
        QVERIFY(frm.isVisible());
        QCOMPARE(QApplication::focusWidget(), box(frm, to));
        QVERIFY(!frm.code());
    }
}

void TestBarNewFrm::typedCheckDigitConfirmedWithMouse()
{
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, 3));
    QTest::keyClicks(box(frm, 3), QStringLiteral("5"));
    QTest::mouseClick(frm.BarEnterCmd, Qt::LeftButton);
    QCOMPARE(frm.code(), std::optional<QString>(QStringLiteral("2200001000015")));
}

void TestBarNewFrm::typedCheckDigitConfirmedWithEnter()
{
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, 3));
    QTest::keyClicks(box(frm, 3), QStringLiteral("5"));
    QTest::keyClick(box(frm, 3), Qt::Key_Return);
    QCOMPARE(frm.code(), std::optional<QString>(QStringLiteral("2200001000015")));
}

void TestBarNewFrm::typedCheckDigitReplacedWhenAnotherBoxIsLeft()
{
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, 3));
    QTest::keyClicks(box(frm, 3), QStringLiteral("5"));
    QTest::keyClick(box(frm, 3), Qt::Key_Up); // leaves box 3 for box 2
    QCOMPARE(box(frm, 3)->text(), QStringLiteral("5"));
    QCOMPARE(QApplication::focusWidget(), box(frm, 2));
    QTest::keyClick(box(frm, 2), Qt::Key_Up); // leaves box 2
    QCOMPARE(box(frm, 3)->text(), QStringLiteral("8"));
    QTest::mouseClick(frm.BarEnterCmd, Qt::LeftButton);
    QCOMPARE(frm.code(), std::optional<QString>(QStringLiteral("2200001000018")));
}

void TestBarNewFrm::outOfRangeEntriesOnLeaving_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("code");
    QTest::newRow("prefix 0") << 0 << "0"
                              << "0"
                              << "0000001000016";
    QTest::newRow("prefix 1000") << 0 << "1000"
                                 << "220"
                                 << "2200001000018";
    QTest::newRow("company 123456") << 1 << "123456"
                                    << "1"
                                    << "2200001000018";
    QTest::newRow("goods 2") << 2 << "2"
                             << "2"
                             << "2200001000025";
    QTest::newRow("check 12") << 3 << "12"
                              << "0"
                              << "2200001000010";
    QTest::newRow("base prefix 0") << 10 << "0"
                                   << "220"
                                   << "2200001000018";
    QTest::newRow("base company 99999") << 11 << "99999"
                                        << "1"
                                        << "2200001000018";
}

void TestBarNewFrm::outOfRangeEntriesOnLeaving()
{
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, code);
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, index));
    QCOMPARE(box(frm, index)->selectedText(), box(frm, index)->text());
    QTest::keyClicks(box(frm, index), typed); // replaces the selected text
    QTest::mouseClick(frm.BarEnterCmd, Qt::LeftButton);
    QCOMPARE(box(frm, index)->text(), shown);
    QCOMPARE(frm.code().value_or(QString()), code);
}

void TestBarNewFrm::enteringPaintsAndSelects()
{
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, 1));
    QCOMPARE(box(frm, 1)->palette().color(QPalette::Base), VbColour(FocusColour));
    QCOMPARE(box(frm, 1)->selectedText(), QStringLiteral("1"));
    QTest::keyClick(box(frm, 1), Qt::Key_Return);
    QCOMPARE(box(frm, 1)->palette().color(QPalette::Base), VbColour(BlurColour));
    QCOMPARE(box(frm, 2)->palette().color(QPalette::Base), VbColour(FocusColour));
}

void TestBarNewFrm::escapeCancels()
{
    BarNewFrm frm;
    showActive(frm);
    focus(box(frm, 2));
    QTest::keyClicks(box(frm, 2), QStringLiteral("7"));
    QTest::keyClick(box(frm, 2), Qt::Key_Escape);
    QVERIFY(!frm.isVisible());
    QCOMPARE(frm.result(), int(QDialog::Rejected));
    QVERIFY(!frm.code());
}

void TestBarNewFrm::f1ButtonDoesNothing()
{
    BarNewFrm frm;
    showActive(frm);
    QTest::mouseClick(frm.BarF1Cmd, Qt::LeftButton);
    focus(box(frm, 2));
    QTest::keyClick(box(frm, 2), Qt::Key_F1);
    QVERIFY(frm.isVisible());
    QVERIFY(!frm.code());
    QCOMPARE(box(frm, 2)->text(), QStringLiteral("1"));
}

QTEST_MAIN(TestBarNewFrm)
#include "test_barnewfrm.moc"
