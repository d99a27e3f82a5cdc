// SPDX-License-Identifier: GPL-3.0-or-later
#include "barnew/barnewfrm.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "widgets/vbcolour.h"
#include "station/al300edtfrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

// Waits for a modal window of type W to open (the code under test runs exec()) and acts on
// it as the operator would. Lives as long as the test that owns it, so a window that never
// opens leaves no timer behind.
template <typename W> class ModalDriver {
public:
    explicit ModalDriver(std::function<void(W *)> action) : m_action(std::move(action))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
            if (!w)
                return;
            m_timer.stop();
            m_opened = true;
            QTest::qWaitForWindowActive(w);
            m_action(w);
        });
        m_timer.start();
    }
    bool opened() const { return m_opened; }

private:
    QTimer m_timer;
    std::function<void(W *)> m_action;
    bool m_opened = false;
};

QString fieldOf(const GoodsItem &item, const QString &box)
{
    if (box == QLatin1String("GdsNoTxt"))
        return QString::number(item.No);
    if (box == QLatin1String("GdsNameTxt"))
        return item.Name;
    if (box == QLatin1String("GdsSuTxt"))
        return QString::number(item.Qty);
    if (box.startsWith(QLatin1String("BarCode")))
        return item.Barcodes[box.mid(7, 2).toInt()];
    if (box.startsWith(QLatin1String("TxtData")))
        return item.Texts[box.mid(7, 2).toInt()];
    return QStringLiteral("?");
}

} // namespace

// The goods item editor driven through its boxes and keys.
class TestAL300EdtFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void caption_data();
    void caption();
    void insertStartsFromEmptyItemInNameBox();
    void updateShowsItemAndStartsInQuantityBox();
    void formatOutsideRangeChoosesNone();
    void leavingBoxStores_data();
    void leavingBoxStores();
    void formatOptionStoresAtOnce();
    void numberBoxByMouseAndKeys_data();
    void numberBoxByMouseAndKeys();
    void firstKeyReplacesNumber_data();
    void firstKeyReplacesNumber();
    void movement_data();
    void movement();
    void focusColours();
    void checkDigitKey_data();
    void checkDigitKey();
    void generatorFillsBarcodeBox_data();
    void generatorFillsBarcodeBox();
    void generatorCancelledLeavesBox();
    void generatorNotOpenedWhileModalOpening();
    void escapeAfterGeneratorGivesNoResult();
    void emptyNameKeepsWindowOpen();
    void confirmGivesItem();
    void quantityBeyondAJobIsRefused_data();
    void quantityBeyondAJobIsRefused();
    void cancelButton();
    void editHelper();
    void editHelperWhileModalOpening();

private:
    // How the next editor opens: its mode and the item it is handed.
    ItemEditMode m_mode = ItemEditMode::Insert;
    GoodsItem m_item;

    static QLineEdit *box(AL300EdtFrm &frm, const QString &name)
    {
        return frm.findChild<QLineEdit *>(name);
    }
    static void showActive(AL300EdtFrm &frm)
    {
        frm.show();
        QVERIFY(QTest::qWaitForWindowActive(&frm));
        QCoreApplication::processEvents(); // the focus move after activation
    }
};

void TestAL300EdtFrm::init()
{
    Dialogs::setTestMode(true);
    ProgramState &p = Program();
    p.ModalOpening = 0;
    m_mode = ItemEditMode::Insert;
    m_item = GoodsItem();
}

void TestAL300EdtFrm::caption_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::newRow("insert") << 0 << "품목 등록 수정 작업 (등록) ";
    QTest::newRow("update") << 1 << "품목 등록 수정 작업 (수정) ";
}

void TestAL300EdtFrm::caption()
{
    QFETCH(int, mode);
    QFETCH(QString, title);
    m_mode = ItemEditMode(mode);
    AL300EdtFrm frm(m_mode, m_item);
    QCOMPARE(frm.windowTitle(), title);
    QStringList labels;
    for (auto *l : frm.findChildren<QLabel *>())
        labels << l->text();
    for (const char *t : {"등록번호", "작 업 명", "포멧번호", "바코드#01", "바코드#03", "텍스트#01",
                          "텍스트#10", "수   량", "F1:바코드생성, F2:체크번호생성"})
        QVERIFY2(labels.contains(QString::fromUtf8(t)), t);
}

void TestAL300EdtFrm::insertStartsFromEmptyItemInNameBox()
{
    ProgramState &p = Program();
    m_item.No = 5;
    m_item.Name = QStringLiteral("old");
    m_item.Format = 3;
    m_item.Texts[15] = QStringLiteral("old");
    p.ModalOpening = 1;
    p.UserCode = QStringLiteral("op");
    AL300EdtFrm frm(m_mode, m_item);
    QCOMPARE(p.ModalOpening, qint16(0));
    QVERIFY(!frm.confirmed());
    QCOMPARE(frm.userCode(), QStringLiteral("op"));
    p.UserCode.clear();
    QCOMPARE(frm.item().No, 0);
    QCOMPARE(frm.item().Name, QString());
    QCOMPARE(frm.item().Format, qint16(1));
    QCOMPARE(frm.item().Texts[15], QString());
    QCOMPARE(frm.GdsNoTxt->text(), QStringLiteral("자동"));
    QVERIFY(frm.BarForm1Opt->isChecked());
    QCOMPARE(frm.GdsSuTxt->text(), QString());
    showActive(frm);
    QCOMPARE(QApplication::focusWidget(), frm.GdsNameTxt);
}

void TestAL300EdtFrm::updateShowsItemAndStartsInQuantityBox()
{
    ProgramState &p = Program();
    m_mode = ItemEditMode::Update;
    m_item.No = 7;
    m_item.Name = QStringLiteral("사과");
    m_item.Format = 3;
    m_item.Qty = 12;
    m_item.Barcodes[3] = QStringLiteral("8801234567893");
    m_item.Texts[10] = QStringLiteral("끝");
    m_item.Texts[11] = QStringLiteral("kept");
    AL300EdtFrm frm(m_mode, m_item);
    QCOMPARE(frm.GdsNoTxt->text(), QStringLiteral("7"));
    QCOMPARE(frm.GdsNameTxt->text(), QStringLiteral("사과"));
    QVERIFY(frm.BarForm3Opt->isChecked());
    QCOMPARE(frm.GdsSuTxt->text(), QStringLiteral("12"));
    QCOMPARE(frm.BarCode03Txt->text(), QStringLiteral("8801234567893"));
    QCOMPARE(box(frm, "TxtData10Txt")->text(), QStringLiteral("끝"));
    showActive(frm);
    QCOMPARE(QApplication::focusWidget(), frm.GdsSuTxt);
    QTest::mouseClick(frm.GdsEnterCmd, Qt::LeftButton);
    QVERIFY(frm.confirmed());
    QCOMPARE(frm.item().Texts[11], QStringLiteral("kept")); // no box: left as it was
    QCOMPARE(frm.item().Qty, qint16(12));
    QCOMPARE(frm.item().Format, qint16(3));
}

void TestAL300EdtFrm::formatOutsideRangeChoosesNone()
{
    m_mode = ItemEditMode::Update;
    m_item.Name = QStringLiteral("x");
    m_item.Format = 7;
    AL300EdtFrm frm(m_mode, m_item);
    for (auto *opt : frm.findChildren<QRadioButton *>())
        QVERIFY(!opt->isChecked());
}

void TestAL300EdtFrm::leavingBoxStores_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");

    const QString hangul30 = QString(30, QChar(0xAC00)); // 60 bytes
    const QString hangul16 = QString(16, QChar(0xAC00)); // 32 bytes
    QTest::newRow("name quotes") << "GdsNameTxt"
                                 << "  it's \"사과\"  "
                                 << "it`s `사과`"
                                 << "it`s `사과`";
    QTest::newRow("name 50 bytes")
        << "GdsNameTxt" << hangul30 << QString(25, QChar(0xAC00)) << QString(25, QChar(0xAC00));
    QTest::newRow("name keeps delimiters") << "GdsNameTxt"
                                           << "a,b"
                                           << "a,b"
                                           << "a,b";
    QTest::newRow("barcode delimiters") << "BarCode01Txt"
                                        << "A,B;C"
                                        << "A?B?C"
                                        << "A?B?C";
    QTest::newRow("barcode trimmed") << "BarCode02Txt"
                                     << "  x|y{z}  "
                                     << "x?y?z?"
                                     << "x?y?z?";
    QTest::newRow("barcode 30 bytes") << "BarCode03Txt"
                                      << "1234567890123456789012345678901234"
                                      << "123456789012345678901234567890"
                                      << "123456789012345678901234567890";
    QTest::newRow("barcode hangul cut whole")
        << "BarCode01Txt" << hangul16 << QString(15, QChar(0xAC00)) << QString(15, QChar(0xAC00));
    QTest::newRow("text quote") << "TxtData01Txt"
                                << "it's;"
                                << "it`s?"
                                << "it`s?";
    QTest::newRow("text 10") << "TxtData10Txt"
                             << "{a}"
                             << "?a?"
                             << "?a?";
    QTest::newRow("number") << "GdsNoTxt"
                            << "12.5"
                            << "125"
                            << "125";
    QTest::newRow("number six digits") << "GdsNoTxt"
                                       << "1234567"
                                       << "123456"
                                       << "123456";
    QTest::newRow("number none") << "GdsNoTxt"
                                 << "자동"
                                 << "자동"
                                 << "0";
    QTest::newRow("quantity 1500") << "GdsSuTxt"
                                   << "1500"
                                   << "150"
                                   << "150";
    QTest::newRow("quantity -7") << "GdsSuTxt"
                                 << "-7"
                                 << "7"
                                 << "7";
    QTest::newRow("quantity 0") << "GdsSuTxt"
                                << "0"
                                << ""
                                << "0";
    QTest::newRow("quantity trimmed") << "GdsSuTxt"
                                      << "  42  "
                                      << "42"
                                      << "42";
    QTest::newRow("quantity fraction") << "GdsSuTxt"
                                       << "1.9"
                                       << "1"
                                       << "1";
    QTest::newRow("quantity plus") << "GdsSuTxt"
                                   << "+5"
                                   << "5"
                                   << "5";
    QTest::newRow("quantity letters") << "GdsSuTxt"
                                      << "abc"
                                      << ""
                                      << "0";
    QTest::newRow("quantity 999") << "GdsSuTxt"
                                  << "999"
                                  << "999"
                                  << "999";
}

void TestAL300EdtFrm::leavingBoxStores()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QLineEdit *b = box(frm, name);
    QVERIFY(b);
    b->setFocus(Qt::OtherFocusReason);
    b->setText(typed);
    QTest::keyClick(b, Qt::Key_Down); // leaves the box
    QVERIFY(!b->hasFocus());
    QCOMPARE(b->text(), shown);
    QCOMPARE(fieldOf(frm.item(), name), stored);
}

void TestAL300EdtFrm::numberBoxByMouseAndKeys_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("no");         // the item's number when changing
    QTest::addColumn<QString>("opened"); // the box once the window is active
    QTest::addColumn<QString>("typed");  // after a click into the box; Enter leaves it
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("new, passed through") << 0 << 0 << "자동"
                                         << ""
                                         << "자동" << 0;
    QTest::newRow("new, number typed") << 0 << 0 << "자동"
                                       << "7"
                                       << "7" << 7;
    QTest::newRow("new, 0 typed") << 0 << 0 << "자동"
                                  << "0"
                                  << "자동" << 0;
    QTest::newRow("change, kept") << 1 << 5 << "5"
                                  << ""
                                  << "5" << 5;
    QTest::newRow("change, 0 typed") << 1 << 5 << "5"
                                     << "0"
                                     << "" << 0;
}

void TestAL300EdtFrm::numberBoxByMouseAndKeys()
{
    QFETCH(int, mode);
    QFETCH(int, no);
    QFETCH(QString, opened);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    m_mode = ItemEditMode(mode);
    m_item.No = no;
    m_item.Name = QStringLiteral("사과");
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QCOMPARE(frm.GdsNoTxt->text(), opened);
    QCOMPARE(frm.item().No, no);
    QTest::mouseClick(frm.GdsNoTxt, Qt::LeftButton);
    QVERIFY(frm.GdsNoTxt->hasFocus());
    QTest::keyClicks(frm.GdsNoTxt, typed);
    QTest::keyClick(frm.GdsNoTxt, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), frm.GdsNameTxt);
    QCOMPARE(frm.GdsNoTxt->text(), shown);
    QCOMPARE(frm.item().No, stored);
}

void TestAL300EdtFrm::formatOptionStoresAtOnce()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QTest::mouseClick(frm.BarForm4Opt, Qt::LeftButton);
    QCOMPARE(frm.item().Format, qint16(4));
    QTest::mouseClick(frm.BarForm2Opt, Qt::LeftButton);
    QCOMPARE(frm.item().Format, qint16(2));
    QVERIFY(!frm.BarForm4Opt->isChecked());
}

void TestAL300EdtFrm::firstKeyReplacesNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("after");

    const int none = Qt::NoModifier;
    const int pad = Qt::KeypadModifier;
    QTest::newRow("quantity digit") << "GdsSuTxt" << int(Qt::Key_3) << none << "3";
    QTest::newRow("quantity keypad digit") << "GdsSuTxt" << int(Qt::Key_3) << pad << "3";
    QTest::newRow("quantity minus") << "GdsSuTxt" << int(Qt::Key_Minus) << none << "-";
    QTest::newRow("quantity point") << "GdsSuTxt" << int(Qt::Key_Period) << none << ".";
    QTest::newRow("quantity keypad plus") << "GdsSuTxt" << int(Qt::Key_Plus) << pad << "+";
    QTest::newRow("quantity letter") << "GdsSuTxt" << int(Qt::Key_A) << none << "12a";
    QTest::newRow("quantity backspace") << "GdsSuTxt" << int(Qt::Key_Backspace) << none << "1";
    QTest::newRow("number digit") << "GdsNoTxt" << int(Qt::Key_9) << none << "9";
    QTest::newRow("number keypad digit") << "GdsNoTxt" << int(Qt::Key_0) << pad << "0";
}

void TestAL300EdtFrm::firstKeyReplacesNumber()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, after);
    m_mode = ItemEditMode::Update;
    m_item.No = 12;
    m_item.Name = QStringLiteral("x");
    m_item.Qty = 12;
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QLineEdit *b = box(frm, name);
    b->setFocus(Qt::OtherFocusReason);
    b->end(false);
    QTest::keyClick(b, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(b->text(), after);
    // Later keys edit normally.
    QTest::keyClick(b, Qt::Key_4);
    QCOMPARE(b->text(), after + QLatin1Char('4'));
}

void TestAL300EdtFrm::movement_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    const int U = Qt::Key_Up, D = Qt::Key_Down, E = Qt::Key_Return;
    QTest::newRow("number up") << "GdsNoTxt" << U << "GdsNoTxt";
    QTest::newRow("number enter") << "GdsNoTxt" << E << "GdsNameTxt";
    QTest::newRow("name up") << "GdsNameTxt" << U << "GdsNameTxt";
    QTest::newRow("name down") << "GdsNameTxt" << D << "BarCode01Txt";
    QTest::newRow("barcode 1 up") << "BarCode01Txt" << U << "GdsNameTxt";
    QTest::newRow("barcode 2 enter") << "BarCode02Txt" << E << "BarCode03Txt";
    QTest::newRow("barcode 3 down") << "BarCode03Txt" << D << "TxtData01Txt";
    QTest::newRow("text 1 up") << "TxtData01Txt" << U << "BarCode03Txt";
    QTest::newRow("text 5 enter") << "TxtData05Txt" << E << "TxtData06Txt";
    QTest::newRow("text 6 up") << "TxtData06Txt" << U << "TxtData05Txt";
    QTest::newRow("text 10 keypad enter") << "TxtData10Txt" << int(Qt::Key_Enter) << "GdsSuTxt";
    QTest::newRow("quantity up") << "GdsSuTxt" << U << "TxtData10Txt";
    QTest::newRow("quantity enter") << "GdsSuTxt" << E << "GdsEnterCmd";
    QTest::newRow("quantity down") << "GdsSuTxt" << D << "GdsEnterCmd";
}

void TestAL300EdtFrm::movement()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QLineEdit *b = box(frm, from);
    b->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(b, Qt::Key(key));
    QVERIFY(frm.isVisible()); // Enter never confirms from a box
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    QVERIFY(!frm.confirmed());
}

void TestAL300EdtFrm::focusColours()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QCOMPARE(frm.GdsNameTxt->palette().color(QPalette::Base), VbColour(FocusColour));
    QCOMPARE(frm.GdsNoTxt->palette().color(QPalette::Base), VbColour(BlurColour));
    QTest::keyClick(frm.GdsNameTxt, Qt::Key_Down);
    QCOMPARE(frm.GdsNameTxt->palette().color(QPalette::Base), VbColour(BlurColour));
    QCOMPARE(frm.BarCode01Txt->palette().color(QPalette::Base), VbColour(FocusColour));
}

void TestAL300EdtFrm::checkDigitKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::newRow("12 digits") << "BarCode01Txt"
                               << "400638133393"
                               << "4006381333931";
    QTest::newRow("12 digits, blanks") << "BarCode02Txt"
                                       << " 880123400001 "
                                       << "8801234000017";
    QTest::newRow("13 digits") << "BarCode03Txt"
                               << "4006381333931"
                               << "4006381333931";
    QTest::newRow("11 digits") << "BarCode01Txt"
                               << "40063813339"
                               << "40063813339";
    QTest::newRow("letter") << "BarCode01Txt"
                            << "40063813339A"
                            << "40063813339A";
    QTest::newRow("sign") << "BarCode01Txt"
                          << "-40063813339"
                          << "-40063813339";
    QTest::newRow("empty") << "BarCode01Txt"
                           << ""
                           << "";
    QTest::newRow("text box") << "TxtData01Txt"
                              << "400638133393"
                              << "400638133393";
}

void TestAL300EdtFrm::checkDigitKey()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, after);
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QLineEdit *b = box(frm, name);
    b->setFocus(Qt::OtherFocusReason);
    b->setText(text);
    QTest::keyClick(b, Qt::Key_F2);
    QCOMPARE(b->text(), after);
    QVERIFY(b->hasFocus());
}

void TestAL300EdtFrm::generatorFillsBarcodeBox_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("k");
    QTest::newRow("barcode 1") << "BarCode01Txt" << 1;
    QTest::newRow("barcode 3") << "BarCode03Txt" << 3;
}

void TestAL300EdtFrm::generatorFillsBarcodeBox()
{
    QFETCH(QString, name);
    QFETCH(int, k);
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QLineEdit *b = box(frm, name);
    b->setFocus(Qt::OtherFocusReason);
    b->setText(QStringLiteral("old"));
    ModalDriver<BarNewFrm> driver(
        [](BarNewFrm *g) { QTest::mouseClick(g->BarEnterCmd, Qt::LeftButton); });
    QTest::keyClick(b, Qt::Key_F1);
    QVERIFY(driver.opened());
    QCOMPARE(b->text(), QStringLiteral("2200001000018"));
    QCOMPARE(Program().ModalOpening, qint16(0));
    QVERIFY(frm.isVisible());
    // Re-activation leaves the focus where it is.
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    QTRY_COMPARE(QApplication::focusWidget(), b);
    // Stored when the box is left.
    QTest::keyClick(b, Qt::Key_Up);
    QCOMPARE(frm.item().Barcodes[k], QStringLiteral("2200001000018"));
}

void TestAL300EdtFrm::generatorCancelledLeavesBox()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    frm.BarCode02Txt->setFocus(Qt::OtherFocusReason);
    frm.BarCode02Txt->setText(QStringLiteral("abc"));
    ModalDriver<BarNewFrm> driver([](BarNewFrm *g) {
        QTest::keyClicks(g->gdsBarNoTxt[2], QStringLiteral("5"));
        QTest::keyClick(g->gdsBarNoTxt[2], Qt::Key_Escape);
    });
    QTest::keyClick(frm.BarCode02Txt, Qt::Key_F1);
    QVERIFY(driver.opened());
    QCOMPARE(frm.BarCode02Txt->text(), QStringLiteral("abc"));
    QVERIFY(frm.isVisible());
}

void TestAL300EdtFrm::generatorNotOpenedWhileModalOpening()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    frm.BarCode01Txt->setFocus(Qt::OtherFocusReason);
    frm.BarCode01Txt->setText(QStringLiteral("abc"));
    Program().ModalOpening = 1;
    ModalDriver<BarNewFrm> driver([](BarNewFrm *g) { g->reject(); });
    QTest::keyClick(frm.BarCode01Txt, Qt::Key_F1);
    QVERIFY(!driver.opened());
    QCOMPARE(frm.BarCode01Txt->text(), QStringLiteral("abc"));
    Program().ModalOpening = 0;
}

void TestAL300EdtFrm::escapeAfterGeneratorGivesNoResult()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    frm.GdsNameTxt->setText(QStringLiteral("사과"));
    QTest::keyClick(frm.GdsNameTxt, Qt::Key_Down);
    ModalDriver<BarNewFrm> driver(
        [](BarNewFrm *g) { QTest::keyClick(g->gdsBarNoTxt[3], Qt::Key_Return); });
    frm.BarCode01Txt->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(frm.BarCode01Txt, Qt::Key_F1);
    QVERIFY(driver.opened());
    QCOMPARE(frm.BarCode01Txt->text(), QStringLiteral("2200001000018"));
    QTest::keyClick(frm.BarCode01Txt, Qt::Key_Escape);
    QVERIFY(!frm.isVisible());
    QVERIFY(!frm.confirmed());
}

void TestAL300EdtFrm::emptyNameKeepsWindowOpen()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    frm.GdsNameTxt->setText(QStringLiteral("    "));
    frm.GdsSuTxt->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(frm.GdsSuTxt, Qt::Key_Return); // to the confirm button
    QCOMPARE(QApplication::focusWidget(), frm.GdsEnterCmd);
    QTest::keyClick(frm.GdsEnterCmd, Qt::Key_Space);
    QVERIFY(frm.isVisible());
    QCOMPARE(frm.item().Name, QString());
    QCOMPARE(QApplication::focusWidget(), frm.GdsNameTxt);
    QVERIFY(!frm.confirmed());
    QVERIFY(Dialogs::shown().isEmpty());
}

void TestAL300EdtFrm::confirmGivesItem()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    const std::pair<QLineEdit *, const char *> typed[] = {
        {frm.GdsNameTxt, "배 상자"},
        {frm.GdsNoTxt, "44"}, // kept in the item; the station decides
        {frm.BarCode01Txt, "A;B"},
        {frm.GdsSuTxt, "3"}};
    for (const auto &[b, text] : typed) {
        b->setFocus(Qt::OtherFocusReason);
        b->setText(QString::fromUtf8(text));
    }
    // The quantity box still has the focus when the button is clicked.
    QTest::mouseClick(frm.GdsEnterCmd, Qt::LeftButton);
    QVERIFY(!frm.isVisible());
    QCOMPARE(frm.result(), int(QDialog::Accepted));
    const GoodsItem &item = frm.item();
    QVERIFY(frm.confirmed());
    QCOMPARE(item.Name, QStringLiteral("배 상자"));
    QCOMPARE(item.No, 44);
    QCOMPARE(item.Format, qint16(1));
    QCOMPARE(item.Qty, qint16(3));
    QCOMPARE(item.Barcodes[1], QStringLiteral("A?B"));
}

void TestAL300EdtFrm::quantityBeyondAJobIsRefused_data()
{
    QTest::addColumn<int>("listed");    // the quantity the list holds
    QTest::addColumn<QString>("typed"); // typed into the quantity box, "-" for nothing
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("stored");
    // A quantity the editor was handed is kept as it is, never cut to three characters.
    QTest::newRow("1500 kept") << 1500 << "-" << true << 1500;
    QTest::newRow("9999 kept") << 9999 << "-" << true << 9999;
    QTest::newRow("12345 refused") << 12345 << "-" << false << 12345;
    // What the operator types follows the three-character rule.
    QTest::newRow("12345, then 7 typed") << 12345 << "7" << true << 7;
    QTest::newRow("12, then 1500 typed") << 12 << "1500" << true << 150;
}

void TestAL300EdtFrm::quantityBeyondAJobIsRefused()
{
    QFETCH(int, listed);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, stored);
    ProgramState &p = Program();
    m_mode = ItemEditMode::Update;
    m_item.No = 7;
    m_item.Name = QStringLiteral("사과");
    m_item.Qty = qint16(listed);
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    QCOMPARE(QApplication::focusWidget(), frm.GdsSuTxt);
    QCOMPARE(frm.GdsSuTxt->text(), QString::number(listed));
    if (typed != "-")
        QTest::keyClicks(frm.GdsSuTxt, typed);
    Dialogs::clearShown();
    QTest::mouseClick(frm.GdsEnterCmd, Qt::LeftButton);
    QCOMPARE(frm.isVisible(), !accepted);
    QCOMPARE(frm.confirmed(), accepted);
    QCOMPARE(frm.item().Qty, qint16(stored));
    QCOMPARE(Dialogs::shown().size(), accepted ? 0 : 1);
    if (!accepted) {
        QVERIFY(Dialogs::shown()[0].contains("9999"));
        QCOMPARE(QApplication::focusWidget(), frm.GdsSuTxt);
        frm.reject();
    }
}

void TestAL300EdtFrm::cancelButton()
{
    AL300EdtFrm frm(m_mode, m_item);
    showActive(frm);
    frm.GdsNameTxt->setText(QStringLiteral("사과"));
    QTest::mouseClick(frm.GdsExitCmd, Qt::LeftButton);
    QVERIFY(!frm.isVisible());
    QVERIFY(!frm.confirmed());
}

void TestAL300EdtFrm::editHelper()
{
    ModalDriver<AL300EdtFrm> driver([](AL300EdtFrm *e) {
        QCoreApplication::processEvents();
        QTest::keyClicks(e->GdsNameTxt, QStringLiteral("pear"));
        QTest::keyClick(e->GdsNameTxt, Qt::Key_Return);
        QTest::mouseClick(e->GdsEnterCmd, Qt::LeftButton);
    });
    const std::optional<GoodsItem> item = AL300EdtFrm::edit(nullptr, ItemEditMode::Insert);
    QVERIFY(item);
    QVERIFY(driver.opened());
    QCOMPARE(item->Name, QStringLiteral("pear"));
    QCOMPARE(Program().ModalOpening, qint16(0));
}

void TestAL300EdtFrm::editHelperWhileModalOpening()
{
    Program().ModalOpening = 1;
    ModalDriver<AL300EdtFrm> driver([](AL300EdtFrm *e) { e->reject(); });
    QVERIFY(!AL300EdtFrm::edit(nullptr, ItemEditMode::Insert));
    QVERIFY(!driver.opened());
    Program().ModalOpening = 0;
}

QTEST_MAIN(TestAL300EdtFrm)
#include "test_al300edtfrm.moc"
