// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/addrow.h"
#include "common/cp949codec.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "station/srp770frm.h"
#include "station/stationprinter.h"
#include "support/controls.h"
#include "support/printertestbed.h"
#include "support/sendwait.h"
#include "support/stationfixture.h"
#include "support/tcpprinter.h"
#include "widgets/statuslog.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Format 1: 60 x 40 mm, EAN13 at (5, 10) with bar widths 25 and digits below, text 1 in font 5
// at (5, 25). Format 2 is empty.
FormatSet formats()
{
    FormatSet s;
    s.BarComPort = 3;
    s.BarComSpeed = 1;
    s.Fmt[1].LblWidth = 60;
    s.Fmt[1].LblLeng = 40;
    s.Fmt[1].Bar[1] = {1, 10, 5, 8, 25, 10, 2}; // Selt, Yy, Xx, Code, Den, Height, HmRead
    s.Fmt[1].Txt[1] = {1, 25, 5, 5, 1, 1};      // Selt, Yy, Xx, Font, YSize, XSize
    return s;
}

// The label of row r (1..3) on format 1.
QByteArray job(int row, int count, char stock = 'G')
{
    const QStringList names{"사과", "배", "포도"};
    return Cp949Codec::encode(
        QStringLiteral(
            "CB\r\nSS2\r\nSD20\r\nSW480\r\nSL320,24,%1\r\nSOT\r\n"
            "B140,80,7,2,5,80,0,1,'88012345678%2'\r\nT40,200,a,1,1,0,0,N,N,'%3'\r\nP%4\r\n")
            .arg(QLatin1Char(stock))
            .arg(row - 1)
            .arg(names[row - 1])
            .arg(count));
}

int jobCount(const QByteArray &sent)
{
    return int(sent.count("CB\r\nSS2\r\n"));
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

} // namespace

// The print panels of a station (shown on the SRP-770 station): opening, the quantity boxes,
// the conditions of the confirm buttons, the format override, the list progress and its stop,
// and the label stock options.
class TestPrintPanels : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void openingSavesAndResets_data();
    void openingSavesAndResets();
    void quantityKeys_data();
    void quantityKeys();
    void confirmNeedsEverything_data();
    void confirmNeedsEverything();
    void formatOverride_data();
    void formatOverride();
    void listProgressAndStop_data();
    void listProgressAndStop();
    void labelStockOfLaterJobs();
    void quantityBeyondAJobIsSkipped();
    void networkPorts_data();
    void networkPorts();
    void listSaysWhatItLeavesOut();

private:
    std::unique_ptr<SRP770Frm> openStation();
    QString path(const QString &name) const { return m_bed->path(name); }

    std::unique_ptr<PrinterTestBed> m_bed;
};

void TestPrintPanels::init()
{
    m_bed = std::make_unique<PrinterTestBed>();
    QVERIFY(m_bed->isValid());
}

void TestPrintPanels::cleanup()
{
    m_bed.reset();
}

std::unique_ptr<SRP770Frm> TestPrintPanels::openStation()
{
    if (!FormatFile::save(formats(), path("SRP770Frm[00].Txt"), Printers::srp770()))
        qFatal("cannot write the format file");
    GoodsRows goods;
    const QStringList names{"사과", "배", "포도"};
    for (int i = 0; i < 3; ++i) {
        GoodsItem item;
        item.reset();
        item.Name = names[i];
        item.Qty = qint16(i + 1);
        item.Barcodes[1] = QString("88012345678%1").arg(i);
        item.Texts[1] = names[i];
        goods.appendItem(item);
    }
    if (!goods.save(path("SRP770Dat[00].Txt")))
        qFatal("cannot write the goods file");
    auto w = std::make_unique<SRP770Frm>();
    w->show();
    QApplication::setActiveWindow(w.get());
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("station window not active");
    return w;
}

void TestPrintPanels::openingSavesAndResets_data()
{
    QTest::addColumn<bool>("list");
    addRow("single", false);
    addRow("list", true);
}

void TestPrintPanels::openingSavesAndResets()
{
    QFETCH(bool, list);
    auto w = openStation();
    StationPrinter *p = w->printer();
    QPushButton *open = list ? Controls::find<QPushButton>(&*w, "GdsAllBarCmd")
                             : Controls::find<QPushButton>(&*w, "GdsBarPrtCmd");
    QFrame *panel = list ? p->BarPrint2Fme : p->BarPrintFme;
    QLineEdit *box = list ? p->BarPrintSu2Txt : p->BarPrintSuTxt;
    QCheckBox *override = list ? p->BarPrtFormChk : p->BarLptFormChk;
    QPushButton *confirm = list ? p->BarPrintEnter2Cmd : p->BarPrintEnterCmd;

    changeFormat(*w, 1, [](LabelFormat &f) { f.LblLeng = 77; });
    StationGoods::setCell(w->document(), 2, GoodsTable::NameColumn, QStringLiteral("수박"));
    open->click();
    QVERIFY(panel->isVisible());
    QVERIFY(TextFile::readLines(path("SRP770Frm[00].Txt")).contains("<LblLeng(1)>'77"));
    QVERIFY(TextFile::readLines(path("SRP770Dat[00].Txt")).value(1).startsWith("<002>'2'수박'"));

    // Values chosen the last time are gone on the next opening.
    box->setText("5");
    override->click();
    p->BarPrtSel1Opt->click();
    p->BarPrtSu2Opt->click();
    (list ? p->BarPrintExit2Cmd : p->BarPrintExitCmd)->click();
    QVERIFY(!panel->isVisible());
    open->click();
    QCOMPARE(box->text(), QString());
    QCOMPARE(focusName(), box->objectName());
    QVERIFY(!override->isChecked());
    if (list) {
        for (QRadioButton *o :
             {p->BarPrtSel1Opt, p->BarPrtSel2Opt, p->BarPrtSu1Opt, p->BarPrtSu2Opt})
            QVERIFY2(!o->isChecked(), qPrintable(o->objectName()));
    }
    confirm->click();
    QVERIFY(panel->isVisible());
    QCOMPARE(m_bed->printer().readAll(100), QByteArray());
}

void TestPrintPanels::quantityKeys_data()
{
    // The box holds "77" when the first key arrives; finish 0 moves the focus to the grid.
    QTest::addColumn<bool>("list");
    QTest::addColumn<int>("first");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("then");
    QTest::addColumn<int>("finish");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("jobs");
    const int leave = 0;
    addRow("digit empties once", false, int(Qt::Key_5), false, "3", leave, "53", true, "vaSpread1",
           0);
    addRow("keypad digit", true, int(Qt::Key_7), true, "", leave, "7", true, "vaSpread1", 0);
    addRow("keypad minus", false, int(Qt::Key_Minus), true, "9", leave, "9", true, "vaSpread1", 0);
    addRow("period", true, int(Qt::Key_Period), false, "5", leave, "0", true, "vaSpread1", 0);
    addRow("plus", false, int(Qt::Key_Plus), false, "12", leave, "12", true, "vaSpread1", 0);
    addRow("minus", true, int(Qt::Key_Minus), false, "5", leave, "5", true, "vaSpread1", 0);
    addRow("12.7", false, int(Qt::Key_1), false, "2.7", leave, "12", true, "vaSpread1", 0);
    addRow("1234", true, int(Qt::Key_1), false, "234", leave, "123", true, "vaSpread1", 0);
    addRow("0", false, int(Qt::Key_0), false, "", leave, "0", true, "vaSpread1", 0);
    addRow("Escape cancels", false, int(Qt::Key_4), false, "", int(Qt::Key_Escape), "*", false,
           "vaSpread1", 0);
    addRow("Escape in the list", true, int(Qt::Key_4), false, "", int(Qt::Key_Escape), "*", false,
           "vaSpread1", 0);
    addRow("Down to confirm", false, int(Qt::Key_8), false, "", int(Qt::Key_Down), "8", true,
           "BarPrintEnterCmd", 0);
    addRow("Down in the list", true, int(Qt::Key_1), false, "5", int(Qt::Key_Down), "15", true,
           "BarPrintEnter2Cmd", 0);
    addRow("Enter confirms", false, int(Qt::Key_2), false, "", int(Qt::Key_Return), "2", false,
           "vaSpread1", 1);
    addRow("Enter, list without choices", true, int(Qt::Key_3), false, "", int(Qt::Key_Enter), "3",
           true, "BarPrintEnter2Cmd", 0);
}

void TestPrintPanels::quantityKeys()
{
    QFETCH(bool, list);
    QFETCH(int, first);
    QFETCH(bool, keypad);
    QFETCH(QString, then);
    QFETCH(int, finish);
    QFETCH(QString, shown);
    QFETCH(bool, open);
    QFETCH(QString, focus);
    QFETCH(int, jobs);
    auto w = openStation();
    StationPrinter *p = w->printer();
    (list ? Controls::find<QPushButton>(&*w, "GdsAllBarCmd")
          : Controls::find<QPushButton>(&*w, "GdsBarPrtCmd"))
        ->click();
    QLineEdit *box = list ? p->BarPrintSu2Txt : p->BarPrintSuTxt;
    QCOMPARE(focusName(), box->objectName());
    box->setText("77");
    QTest::keyClick(box, Qt::Key(first), keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QTest::keyClicks(box, then);
    if (finish == 0)
        Controls::find<QTableView>(&*w, "vaSpread1")->setFocus();
    else
        QTest::keyClick(box, Qt::Key(finish));
    QVERIFY(waitUntilSent(p));
    if (shown != "*")
        QCOMPARE(box->text(), shown);
    QCOMPARE((list ? p->BarPrint2Fme : p->BarPrintFme)->isVisible(), open);
    QCOMPARE(focusName(), focus);
    const QByteArray sent = m_bed->printer().readAll(jobs ? 200 : 100);
    QCOMPARE(jobCount(sent), jobs);
    if (jobs)
        QCOMPARE(sent, job(1, shown.toInt()));
}

void TestPrintPanels::confirmNeedsEverything_data()
{
    QTest::addColumn<bool>("list");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("told"); // the message that says what is missing
    const QString port = "포트를 고르세요", speed = "통신 속도를 고르세요",
                  quantity = "발행 수량을 넣으세요";
    QTest::newRow("single: nothing missing") << false << "" << job(2, 4) << "";
    QTest::newRow("single: port") << false << "port" << QByteArray() << port;
    QTest::newRow("single: speed") << false << "speed" << QByteArray() << speed;
    QTest::newRow("single: quantity") << false << "quantity" << QByteArray() << quantity;
    QTest::newRow("single: active row") << false << "row" << QByteArray() << "발행할 품목을 고르세요";
    QTest::newRow("list: nothing missing") << true << "" << job(1, 4) + job(2, 4) + job(3, 4) << "";
    QTest::newRow("list: port") << true << "port" << QByteArray() << port;
    QTest::newRow("list: speed") << true << "speed" << QByteArray() << speed;
    QTest::newRow("list: selection") << true << "selection" << QByteArray() << "전체/선택";
    QTest::newRow("list: quantity mode") << true << "mode" << QByteArray() << "품목별/입력";
    QTest::newRow("list: typed quantity") << true << "quantity" << QByteArray() << quantity;
    QTest::newRow("list: own quantities need none")
        << true << "quantity, own" << job(1, 1) + job(2, 2) + job(3, 3) << "";
    QTest::newRow("list: no goods") << true << "rows" << QByteArray() << "발행할 품목이 없습니다";
}

void TestPrintPanels::confirmNeedsEverything()
{
    QFETCH(bool, list);
    QFETCH(QString, missing);
    QFETCH(QByteArray, sent);
    auto w = openStation();
    StationPrinter *p = w->printer();
    w->setActiveRow(2);
    (list ? Controls::find<QPushButton>(&*w, "GdsAllBarCmd")
          : Controls::find<QPushButton>(&*w, "GdsBarPrtCmd"))
        ->click();
    if (missing == "port")
        changePort(*w, 0, w->formatSet().BarComSpeed);
    if (missing == "speed")
        changePort(*w, w->formatSet().BarComPort, 0);
    if (missing == "row")
        Controls::find<QTableView>(&*w, "vaSpread1")->setCurrentIndex(QModelIndex());
    if (missing == "rows")
        w->document()->replaceGoods({}, QStringLiteral("모두 삭제"));
    if (list && missing != "selection")
        p->BarPrtSel1Opt->click();
    if (list && missing != "mode")
        (missing == "quantity, own" ? p->BarPrtSu1Opt : p->BarPrtSu2Opt)->click();
    (list ? p->BarPrintSu2Txt : p->BarPrintSuTxt)
        ->setText(missing.startsWith("quantity") ? "0" : "4");
    (list ? p->BarPrintEnter2Cmd : p->BarPrintEnterCmd)->click();
    QVERIFY(waitUntilSent(p));
    QCOMPARE(m_bed->printer().readAll(sent.isEmpty() ? 100 : 200), sent);
    QCOMPARE((list ? p->BarPrint2Fme : p->BarPrintFme)->isVisible(), sent.isEmpty());
    QFETCH(QString, told);
    QCOMPARE(Dialogs::shown().size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(Dialogs::shown().first().contains(told), qPrintable(Dialogs::shown().first()));
}

void TestPrintPanels::formatOverride_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("override");
    QTest::addColumn<QByteArray>("sent");
    const QByteArray empty2 = "CB\r\nSS2\r\nSD20\r\nSW0\r\nSL0,24,G\r\nSOT\r\nP2\r\n";
    addRow("blank", "", false, QByteArray());
    addRow("blank, on-screen format", "", true, job(2, 2));
    addRow("above 5", "9", false, QByteArray());
    addRow("above 5, on-screen format", "9", true, job(2, 2));
    addRow("the row's own format", "2", false, empty2);
    addRow("on-screen format wins", "2", true, job(2, 2));
}

void TestPrintPanels::formatOverride()
{
    QFETCH(QString, format);
    QFETCH(bool, override);
    QFETCH(QByteArray, sent);
    auto w = openStation();
    StationPrinter *p = w->printer();
    QCOMPARE(w->currentFormat(), 1);
    StationGoods::setCell(w->document(), 2, GoodsTable::FormatColumn, format);
    w->setActiveRow(2);
    Controls::find<QPushButton>(&*w, "GdsBarPrtCmd")->click();
    if (override)
        p->BarLptFormChk->click();
    p->BarPrintSuTxt->setText("2");
    p->BarPrintEnterCmd->click();
    QVERIFY(waitUntilSent(p));
    QCOMPARE(m_bed->printer().readAll(sent.isEmpty() ? 100 : 200), sent);
    // A row without a format prints nothing: the operator is told, the panel stays.
    QCOMPARE(p->BarPrintFme->isVisible(), sent.isEmpty());
    QCOMPARE(Dialogs::shown().size(), sent.isEmpty() ? 1 : 0);
    if (sent.isEmpty())
        QVERIFY(Dialogs::shown().first().contains("포멧 없음: 1행 제외"));
}

void TestPrintPanels::listProgressAndStop_data()
{
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("logged"); // the status line afterwards
    addRow("to the end", 0, QStringList{"1 / 3", "2 / 3", "3 / 3"},
           job(1, 1) + job(2, 2) + job(3, 3), "발행: 6장");
    addRow("stop during the first", 1, QStringList{"1 / 3"}, job(1, 1), "발행 중지: 1/6장");
    addRow("stop during the second", 2, QStringList{"1 / 3", "2 / 3"}, job(1, 1) + job(2, 2),
           "발행 중지: 3/6장");
}

void TestPrintPanels::listProgressAndStop()
{
    QFETCH(int, stopAt);
    QFETCH(QStringList, seen);
    QFETCH(QByteArray, sent);
    auto w = openStation();
    auto *log = new StatusLog(w.get()); // as the main window keeps one
    StationPrinter *p = w->printer();
    Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
    p->BarPrtSel1Opt->click();
    p->BarPrtSu1Opt->click();

    // Watch the progress panel while the labels go out (the waits process events).
    QStringList labels;
    bool stopped = false;
    bool cancelUsable = true;
    QTimer watch;
    watch.setInterval(2);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!p->PrintProgressFme->isVisible())
            return;
        const QString text = p->PrintProgressLbl->text().section(QStringLiteral(" ("), 0, 0);
        if (labels.isEmpty() || labels.last() != text)
            labels << text;
        if (stopAt > 0 && !stopped && text == QStringLiteral("%1 / 3").arg(stopAt)) {
            // Only the progress panel takes clicks: a click on a format option does nothing.
            QTest::mouseClick(Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2), Qt::LeftButton);
            cancelUsable = p->PrintCancelCmd->isEnabled() && p->isInputBlocked() &&
                           !Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->isChecked();
            p->PrintCancelCmd->click();
            stopped = true;
        }
    });
    watch.start();
    p->BarPrintEnter2Cmd->click();
    QVERIFY(waitUntilSent(p));
    watch.stop();

    QCOMPARE(labels, seen);
    QVERIFY(cancelUsable);
    QCOMPARE(m_bed->printer().readAll(), sent);
    QVERIFY(!p->PrintProgressFme->isVisible());
    QVERIFY(!p->BarPrint2Fme->isVisible());
    QVERIFY(p->BarPrintEnter2Cmd->isEnabled());
    QVERIFY(!p->isInputBlocked());
    QVERIFY(!p->isPrinting());
    QFETCH(QString, logged);
    QCOMPARE(log->entries().value(0).text, logged);
}

void TestPrintPanels::labelStockOfLaterJobs()
{
    auto w = openStation();
    StationPrinter *p = w->printer();
    QVERIFY(Controls::find<QRadioButton>(&*w, "GapBlack0Opt")->isChecked());
    auto printRow1 = [&] {
        w->setActiveRow(1);
        Controls::find<QPushButton>(&*w, "GdsBarPrtCmd")->click();
        p->BarPrintSuTxt->setText("1");
        p->BarPrintEnterCmd->click();
        waitUntilSent(p);
        return m_bed->printer().readAll();
    };
    QCOMPARE(printRow1(), job(1, 1, 'G'));
    Controls::find<QRadioButton>(&*w, "GapBlack1Opt")->click();
    QCOMPARE(printRow1(), job(1, 1, 'B'));
    QCOMPARE(printRow1(), job(1, 1, 'B'));
    Controls::find<QRadioButton>(&*w, "GapBlack0Opt")->click();
    QCOMPARE(printRow1(), job(1, 1, 'G'));
}

void TestPrintPanels::quantityBeyondAJobIsSkipped()
{
    // Row 2 holds a quantity no label job carries (a hand-edited list): it is not printed, not
    // cut, and the operator is told.
    auto w = openStation();
    StationGoods::setCell(w->document(), 2, GoodsTable::QtyColumn, QStringLiteral("12345"));
    StationPrinter *p = w->printer();
    Dialogs::clearShown();
    Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
    p->BarPrtSel1Opt->click();
    p->BarPrtSu1Opt->click();
    p->BarPrintEnter2Cmd->click();
    QVERIFY(waitUntilSent(p));
    QCOMPARE(m_bed->printer().readAll(), job(1, 1) + job(3, 3));
    const QStringList shown = Dialogs::shown();
    QVERIFY2(shown.size() == 1 && shown[0].contains("002") && shown[0].contains("12345"),
             qPrintable(shown.join(" / ")));
}

// A network port has no line speed: the label goes out without one; one that refuses the
// connection is named with its host and port.
void TestPrintPanels::networkPorts_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("printer listening") << true;
    QTest::newRow("connection refused") << false;
}

void TestPrintPanels::networkPorts()
{
    QFETCH(bool, listening);
    TcpPrinter tcp;
    const QString target = listening ? tcp.target() : QStringLiteral("tcp://127.0.0.1:1");
    QVERIFY(TextFile::writeLines(path("ComPorts.Txt"), {"COM5'" + target}));
    auto w = openStation();
    changePort(*w, 5, 0); // no line speed
    StationPrinter *p = w->printer();
    w->setActiveRow(2);
    QTest::mouseClick(Controls::find<QPushButton>(&*w, "GdsBarPrtCmd"), Qt::LeftButton);
    p->BarPrintSuTxt->setText("4");
    QTest::mouseClick(p->BarPrintEnterCmd, Qt::LeftButton);
    QVERIFY(waitUntilSent(p));
    const QString told = Dialogs::shown().join('\n');
    if (listening) {
        QTRY_COMPARE(tcp.bytes(), job(2, 4));
        QCOMPARE(told, QString());
    } else {
        QVERIFY2(told.contains("127.0.0.1:1") && told.contains("연결을 거부"), qPrintable(told));
    }
}

// The list panel names the rows its choices leave out before anything is sent.
void TestPrintPanels::listSaysWhatItLeavesOut()
{
    auto w = openStation();
    StationGoods::setCell(w->document(), 3, GoodsTable::QtyColumn, QString());
    StationPrinter *p = w->printer();
    QTest::mouseClick(Controls::find<QPushButton>(&*w, "GdsAllBarCmd"), Qt::LeftButton);
    QVERIFY(!p->BarPrtSkipLbl->isVisible());
    QTest::mouseClick(p->BarPrtSel1Opt, Qt::LeftButton);
    QTest::mouseClick(p->BarPrtSu1Opt, Qt::LeftButton);
    QVERIFY(p->BarPrtSkipLbl->isVisible());
    QCOMPARE(p->BarPrtSkipLbl->text(), QStringLiteral("수량 0: 1행 제외"));
    // Grown by the line, the panel keeps its buttons inside the window.
    w->show();
    QVERIFY(p->BarPrint2Fme->geometry().bottom() < w->height());
    // A typed quantity prints every row.
    QTest::mouseClick(p->BarPrtSu2Opt, Qt::LeftButton);
    QTest::keyClicks(p->BarPrintSu2Txt, "2");
    QVERIFY(!p->BarPrtSkipLbl->isVisible());
}

QTEST_MAIN(TestPrintPanels)
#include "test_printpanels.moc"
