// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "report/printersettingspanel.h"
#include "report/prnseltfrm.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

class TestPrnSeltFrm : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrnSeltFrm> open(qint16 rangeKind = 1)
    {
        ReportRequest req;
        req.ListKind = QStringLiteral("SRP770");
        req.RangeKind = rangeKind;
        req.PaperAllowed[1] = true;
        req.KindCaptions[1] = QStringLiteral("등록현황");
        req.PrintChoice = PrintExit::SpreadsheetView; // the answer starts afresh
        req.PreviewRequested = true;
        Program().ModalOpening = 1;
        auto w = std::make_unique<PrnSeltFrm>(req);
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("dialog did not become active");
        return w;
    }

    // Types text into a field as the operator would, then moves the focus away.
    static void typeAndLeave(QLineEdit *edit, const QString &text, QWidget *away)
    {
        edit->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(edit, text);
        away->setFocus();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase() { Dialogs::setTestMode(true); }

    void loadClearsModalOpeningAndShowsOnlyItsPanel_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("panel");
        QTest::newRow("number") << 1 << "Frame6";
        QTest::newRow("kind 2") << 2 << "Frame8";
        QTest::newRow("kind 3") << 3 << "Frame334";
        QTest::newRow("kind 4") << 4 << "Frame86";
        QTest::newRow("name") << 5 << "Frame20s";
    }
    void loadClearsModalOpeningAndShowsOnlyItsPanel()
    {
        QFETCH(int, kind);
        QFETCH(QString, panel);
        auto w = open(qint16(kind));
        QCOMPARE(Program().ModalOpening, qint16(0));
        QCOMPARE(w->answer().PrintChoice, PrintExit::Nothing);
        QVERIFY(!w->answer().PreviewRequested);
        for (const char *name : {"Frame6", "Frame8", "Frame334", "Frame86", "Frame20s"}) {
            auto *f = w->findChild<QFrame *>(QLatin1String(name));
            QVERIFY(f);
            QCOMPARE(f->isVisible(), panel == QLatin1String(name));
        }
        QCOMPARE(w->PrnSel21Cmd->text(), QStringLiteral("등록현황"));
        QVERIFY(w->PrnSel11Cmd->isEnabled());
        for (QPushButton *b : {w->PrnSel12Cmd, w->PrnSel13Cmd, w->PrnSel14Cmd, w->PrnSel15Cmd})
            QVERIFY(!b->isEnabled());
        QVERIFY(!w->printerPanel()->SetInkFme->isVisible());
        QVERIFY(!w->printerPanel()->PrintSpcFme->isVisible());
        QVERIFY(!w->DTPicker1->isVisible());
        QCOMPARE(w->focusWidget(), w->PrnInputCmd);
        const QSize size = w->size();
        w->resize(size + QSize(200, 100));
        QCOMPARE(w->size(), size);
    }

    void a4OffsetOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("too large") << "1500"
                                   << "" << 0;
        QTest::newRow("lowest") << "-999"
                                << "-999" << -999;
        QTest::newRow("below range") << "-1000"
                                     << "" << 0;
        QTest::newRow("rounded") << "12.6"
                                 << "13" << 13;
        QTest::newRow("not a number") << "abc"
                                      << "" << 0;
    }
    void a4OffsetOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        auto w = open();
        w->printerPanel()->PrintSpcCmd->click();
        QVERIFY(w->printerPanel()->PrintSpcFme->isVisible());
        QCOMPARE(w->focusWidget(), w->printerPanel()->PspExitCmd);
        auto *top3 = w->findChild<QLineEdit *>(QStringLiteral("A4Top03Txt"));
        QVERIFY(top3);
        typeAndLeave(top3, typed, w->printerPanel()->PspExitCmd);
        QCOMPARE(top3->text(), shown);
        QCOMPARE(w->writtenSettings().value(QStringLiteral("PrintA4Top03"), 12345), stored);
        // Every one of the 16 offsets is written together.
        QCOMPARE(w->writtenSettings().value(QStringLiteral("PrintA4Left08"), 12345), 0);
    }

    void fineAdjustmentOnLeaving_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("stored");
        QTest::newRow("above range") << "SetBjYTxt"
                                     << "150"
                                     << "0.00"
                                     << "PrinterBjY" << 0;
        QTest::newRow("half") << "SetBjYTxt"
                              << "12.5"
                              << "12.50"
                              << "PrinterBjY" << 1250;
        QTest::newRow("upper bound") << "SetBjHTxt"
                                     << "100"
                                     << "100.00"
                                     << "PrinterBjH" << 10000;
        QTest::newRow("negative") << "SetBjLTxt"
                                  << "-0.25"
                                  << "-0.25"
                                  << "PrinterBjL" << -25;
        QTest::newRow("text") << "SetBjLTxt"
                              << "abc"
                              << "0.00"
                              << "PrinterBjL" << 0;
        QTest::newRow("cut to 7") << "SetBjHTxt"
                                  << "1.00000009"
                                  << "1.00"
                                  << "PrinterBjH" << 100;
    }
    void fineAdjustmentOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, key);
        QFETCH(int, stored);
        auto w = open();
        QCOMPARE(w->printerPanel()->SetBjYTxt->text(), QStringLiteral("0.00"));
        w->printerPanel()->SetInkCmd->click();
        QVERIFY(w->printerPanel()->SetInkFme->isVisible());
        auto *edit = w->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        typeAndLeave(edit, typed, w->printerPanel()->ExitInkCmd);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(w->writtenSettings().value(key, 12345), stored);
    }

    void rangeFieldOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fraction cut down") << "12.7"
                                           << "12";
        QTest::newRow("absolute value") << "-5"
                                        << "5";
        QTest::newRow("six characters kept") << "1234567"
                                             << "123456";
        QTest::newRow("zero is blank") << "0"
                                       << "";
        QTest::newRow("not a number") << "x1"
                                      << "";
    }
    void rangeFieldOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto w = open();
        typeAndLeave(w->St6Txt, typed, w->Ed6Txt);
        QCOMPARE(w->St6Txt->text(), shown);
    }

    void firstKeyClears_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digit replaces") << "St6Txt" << int(Qt::Key_7) << "7";
        QTest::newRow("minus replaces") << "St6Txt" << int(Qt::Key_Minus) << "-";
        QTest::newRow("delete clears") << "St6Txt" << int(Qt::Key_Delete) << "";
        QTest::newRow("delete clears fine field") << "SetBjYTxt" << int(Qt::Key_Delete) << "";
        QTest::newRow("letter appends") << "St6Txt" << int(Qt::Key_A) << "42a";
        QTest::newRow("text field keeps") << "St20sTxt" << int(Qt::Key_7) << "427";
    }
    void firstKeyClears()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, expected);
        auto w = open(field == QLatin1String("St20sTxt") ? 5 : 1);
        if (field == QLatin1String("SetBjYTxt"))
            w->printerPanel()->SetInkCmd->click();
        auto *edit = w->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        edit->setText(QStringLiteral("42"));
        edit->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x80));
        edit->setCursorPosition(edit->text().size());
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(edit->text(), expected);
        // Later keys edit normally.
        QTest::keyClick(edit, Qt::Key_1);
        QCOMPARE(edit->text(), expected + QLatin1Char('1'));
    }

    void keyMovement_data()
    {
        QTest::addColumn<int>("rangeKind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("start enter") << 1 << "St6Txt" << int(Qt::Key_Return) << "Ed6Txt";
        QTest::newRow("start up stays") << 1 << "St6Txt" << int(Qt::Key_Up) << "St6Txt";
        QTest::newRow("end enter confirm") << 1 << "Ed6Txt" << int(Qt::Key_Return) << "PrnInputCmd";
        QTest::newRow("end up") << 1 << "Ed6Txt" << int(Qt::Key_Up) << "St6Txt";
        QTest::newRow("334 enter walks starts")
            << 3 << "St334bTxt" << int(Qt::Key_Return) << "St334cTxt";
        QTest::newRow("334 last start enter")
            << 3 << "St334cTxt" << int(Qt::Key_Return) << "Ed334aTxt";
        QTest::newRow("334 start down") << 3 << "St334bTxt" << int(Qt::Key_Down) << "Ed334aTxt";
        QTest::newRow("334 end down") << 3 << "Ed334bTxt" << int(Qt::Key_Down) << "PrnInputCmd";
        QTest::newRow("334 first end up") << 3 << "Ed334aTxt" << int(Qt::Key_Up) << "St334aTxt";
        QTest::newRow("334 end up") << 3 << "Ed334cTxt" << int(Qt::Key_Up) << "Ed334bTxt";
        QTest::newRow("name enter") << 5 << "St20sTxt" << int(Qt::Key_Enter) << "Ed20sTxt";
    }
    void keyMovement()
    {
        QFETCH(int, rangeKind);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        auto w = open(qint16(rangeKind));
        auto *edit = w->findChild<QLineEdit *>(from);
        QVERIFY(edit);
        edit->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClick(edit, Qt::Key(key));
        QVERIFY(w->focusWidget());
        QCOMPARE(w->focusWidget()->objectName(), to);
    }

    void a4KeyMovement_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("top enter") << "A4Top02Txt" << int(Qt::Key_Return) << "A4Left02Txt";
        QTest::newRow("top down") << "A4Top02Txt" << int(Qt::Key_Down) << "A4Top03Txt";
        QTest::newRow("top up") << "A4Top02Txt" << int(Qt::Key_Up) << "A4Top01Txt";
        QTest::newRow("left enter") << "A4Left02Txt" << int(Qt::Key_Return) << "A4Top03Txt";
        QTest::newRow("left up") << "A4Left05Txt" << int(Qt::Key_Up) << "A4Top05Txt";
        QTest::newRow("last row down") << "A4Top08Txt" << int(Qt::Key_Down) << "PspExitCmd";
        QTest::newRow("last left enter") << "A4Left08Txt" << int(Qt::Key_Return) << "PspExitCmd";
        QTest::newRow("fine down") << "SetBjHTxt" << int(Qt::Key_Down) << "SetBjLTxt";
        QTest::newRow("fine last") << "SetBjLTxt" << int(Qt::Key_Return) << "ExitInkCmd";
    }
    void a4KeyMovement()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        auto w = open();
        if (from.startsWith(QLatin1String("SetBj")))
            w->printerPanel()->SetInkCmd->click();
        else
            w->printerPanel()->PrintSpcCmd->click();
        auto *edit = w->findChild<QLineEdit *>(from);
        QVERIFY(edit);
        edit->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(w->focusWidget()->objectName(), to);
    }

    void sidePanelsToggle()
    {
        auto w = open();
        w->printerPanel()->SetInkCmd->click();
        QVERIFY(w->printerPanel()->SetInkFme->isVisible());
        w->printerPanel()->SetInkCmd->click();
        QVERIFY(!w->printerPanel()->SetInkFme->isVisible());
        w->printerPanel()->SetInkCmd->click();
        w->printerPanel()->ExitInkCmd->click();
        QVERIFY(!w->printerPanel()->SetInkFme->isVisible());
        w->printerPanel()->PrintSpcCmd->click();
        QVERIFY(w->printerPanel()->PrintSpcFme->isVisible());
        w->printerPanel()->PspExitCmd->click();
        QVERIFY(!w->printerPanel()->PrintSpcFme->isVisible());
    }

    void immediateSaves()
    {
        auto w = open();
        QVERIFY(w->printerPanel()->SelPrt0Opt->isChecked());
        QTest::mouseClick(w->printerPanel()->SelPrt1Opt, Qt::LeftButton);
        QCOMPARE(w->writtenSettings().value(QStringLiteral("PrinterSet"), -1), 1);
        w->printerPanel()->SetInkCmd->click();
        QTest::mouseClick(w->printerPanel()->SetBxChk, Qt::LeftButton);
        QCOMPARE(w->writtenSettings().value(QStringLiteral("PrinterBxSel"), -1), 1);
        QVERIFY(!w->writtenSettings().contains(QStringLiteral("PrinterBjSel")));
    }

    void exitButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("preview");
        QTest::addColumn<bool>("returnsState");
        QTest::newRow("confirm") << "PrnInputCmd" << 1 << 0 << true;
        QTest::newRow("preview") << "PrnViewCmd" << 1 << 1 << true;
        QTest::newRow("sheet print") << "PrnSpreadCmd" << 2 << 0 << false;
        QTest::newRow("spreadsheet file") << "ExcelWriteCmd" << 3 << 0 << false;
        QTest::newRow("spreadsheet view") << "ExcelViewCmd" << 4 << 0 << false;
        QTest::newRow("cancel") << "PrnCancelCmd" << 0 << 0 << true;
    }
    void exitButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, choice);
        QFETCH(int, preview);
        QFETCH(bool, returnsState);
        auto w = open();
        w->St6Txt->setText(QStringLiteral("17"));
        QTest::mouseClick(w->PrnSel32Cmd, Qt::LeftButton);
        auto *b = w->findChild<QPushButton *>(button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(int(w->answer().PrintChoice), choice);
        QCOMPARE(int(w->answer().PreviewRequested), preview);
        QCOMPARE(w->answer().RangeValues[0] == Currency::fromWhole(17), returnsState);
        QCOMPARE(w->answer().Selections[3] == 2, returnsState);
        // The row selections are written whatever button closed the form.
        QCOMPARE(w->writtenSettings().value(QStringLiteral("[SRP770]PrnSel3"), -1), 2);
        QCOMPARE(w->writtenSettings().value(QStringLiteral("[SRP770]PrnSel1"), -1), 1);
    }

    void escapeCancels()
    {
        auto w = open();
        w->St6Txt->setFocus();
        QTest::keyClick(w->St6Txt, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->answer().PrintChoice, PrintExit::Nothing);
        auto w2 = open();
        QTest::keyClick(w2->PrnInputCmd, Qt::Key_Escape);
        QVERIFY(!w2->isVisible());
        QCOMPARE(w2->answer().PrintChoice, PrintExit::Nothing);
    }

    void closeBoxGivesZero()
    {
        auto w = open();
        QTest::mouseClick(w->PrnSel22Cmd, Qt::LeftButton);
        QVERIFY(w->close());
        QCOMPARE(w->answer().PrintChoice, PrintExit::Nothing);
        QVERIFY(!w->answer().PreviewRequested);
        QCOMPARE(w->writtenSettings().value(QStringLiteral("[SRP770]PrnSel2"), -1), 2);
    }

    void defaultsOnEveryOpening()
    {
        {
            auto w = open();
            QTest::mouseClick(w->PrnSel32Cmd, Qt::LeftButton);
            QTest::mouseClick(w->PrnSel63Cmd, Qt::LeftButton);
            QTest::mouseClick(w->printerPanel()->SelPrt1Opt, Qt::LeftButton);
            w->printerPanel()->SetInkCmd->click();
            QTest::mouseClick(w->printerPanel()->SetBjChk, Qt::LeftButton);
            typeAndLeave(w->printerPanel()->SetBjYTxt, QStringLiteral("12.5"),
                         w->printerPanel()->ExitInkCmd);
            QTest::mouseClick(w->PrnInputCmd, Qt::LeftButton);
            QCOMPARE(w->answer().Selections[3], qint16(2));
            QCOMPARE(w->answer().Selections[6], qint16(3));
            QCOMPARE(w->answer().PrinterType, qint16(1));
            QCOMPARE(w->answer().FineAdjustOff, qint16(1));
            QCOMPARE(w->answer().FineY, Currency::fromRaw(125000));
        }
        auto w = open();
        QVERIFY(w->printerPanel()->SelPrt0Opt->isChecked());
        QVERIFY(!w->printerPanel()->SetBjChk->isChecked());
        QCOMPARE(w->printerPanel()->SetBjYTxt->text(), QStringLiteral("0.00"));
        QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("A4Top01Txt"))->text(), QString());
        // The selected button carries its row colour, the others the neutral grey.
        QVERIFY(w->PrnSel31Cmd->styleSheet().contains(QStringLiteral("#c0ffff")));
        QVERIFY(w->PrnSel32Cmd->styleSheet().contains(QStringLiteral("#e0e0e0")));
        QVERIFY(w->PrnSel11Cmd->styleSheet().contains(QStringLiteral("#ffc0ff")));
        QTest::mouseClick(w->PrnInputCmd, Qt::LeftButton);
        QCOMPARE(w->answer().Selections[3], qint16(1));
        QCOMPARE(w->answer().Selections[6], qint16(1));
        QCOMPARE(w->answer().PrinterType, qint16(0));
        QCOMPARE(w->answer().FineY, Currency());
    }

    void compositeNumbers()
    {
        auto w = open(3);
        w->St334aTxt->setText(QStringLiteral("1"));
        w->St334bTxt->setText(QStringLiteral("23"));
        w->St334cTxt->setText(QStringLiteral("45678"));
        w->Ed334aTxt->setText(QStringLiteral("999"));
        QTest::mouseClick(w->PrnInputCmd, Qt::LeftButton);
        QCOMPARE(w->answer().StartComposite, Currency::fromWhole(10235678LL));
        QCOMPARE(w->answer().EndComposite, Currency::fromWhole(9990000000LL));
    }

    void pictureOfTheForm()
    {
        auto w = open();
        const QImage plain = w->grab().toImage();
        QCOMPARE(plain.size(), w->size() * plain.devicePixelRatio());
        w->printerPanel()->SetInkCmd->click();
        const QImage ink = w->grab().toImage();
        QVERIFY(plain != ink); // the panel is drawn over the form
        const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS");
        if (!dir.isEmpty()) {
            plain.save(dir + QStringLiteral("/prnseltfrm.png"));
            ink.save(dir + QStringLiteral("/prnseltfrm_ink.png"));
            w->printerPanel()->SetInkCmd->click();
            w->printerPanel()->PrintSpcCmd->click();
            w->grab().save(dir + QStringLiteral("/prnseltfrm_margins.png"));
        }
    }
};

QTEST_MAIN(TestPrnSeltFrm)
#include "test_prnseltfrm.moc"
