// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "sending/sendqueue.h"
#include "station/al300frm.h"
#include "station/srp770frm.h"
#include "station/stationprinter.h"
#include "support/addrow.h"
#include "support/controls.h"
#include "support/printertestbed.h"
#include "support/sendwait.h"
#include "widgets/dialogs.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Format 1: the reference label (28 x 35 mm, EAN-13, a variable text and the fixed text 가격).
// Format 3: reversed, peeler, black mark, cut, overlay; Code39 as barcode 2 (input class "A")
// and a reversed text 3 (input class "가").
FormatSet stationFormats()
{
    // Element fields in order: Selt, Yy, Xx, Code / Font, Den / YSize, Height / XSize,
    // HmRead / Rvs, Right, String, Edit.
    FormatSet s;
    s.BarComPort = 3;
    s.BarComSpeed = 1;
    LabelFormat &f = s.Fmt[1];
    f.LblLeng = 280;
    f.LblWidth = 350;
    f.LblMode = 1;
    f.Bar[1] = {1, 110, 80, 7, 1, 80, 2};
    f.Txt[1] = {1, 200, 20, 2, 1, 2};
    f.Txt[2] = {1, 60, 140, 1, 1, 1, 0, 0, QStringLiteral("가격")};
    LabelFormat &g = s.Fmt[3];
    g.LblLeng = 400;
    g.LblWidth = 500;
    g.LblDegree = 1;
    g.LblMode = 2;
    g.LblSensor = 1;
    g.LblCut = 1;
    g.LblOver = 1;
    g.Bar[2] = {1, 50, 30, 4, 9, 100, 1, 0, QString(), 2};
    g.Txt[3] = {1, 300, 10, 3, 2, 3, 1, 0, QString(), 3};
    return s;
}

QByteArray wire(const char *text)
{
    return Cp949Codec::encode(QString::fromUtf8(text));
}

const char *FormatDownload = "{N,D,001,F}\r\n"
                             "{N,R,001,F,280,350,0,1,0,0;QelForm1;0|\r\n"
                             "I,3|\r\n"
                             "P001,K,3,F,0,N,상품번호|\r\n"
                             "P002,K,30,V,0,N,바코드01|\r\n"
                             "P003,K,30,V,9,N,텍스트01|\r\n"
                             "E,1|\r\n"
                             "F006,가격|\r\n"
                             "O,3|\r\n"
                             "B,P002,I,000,0110,080,1,7,0,80,2|\r\n"
                             "T,P003,I,000,0200,020,1,2,J,0,0,B,D,0|\r\n"
                             "T,F006,I,000,0060,140,1,1,1,0,0,B,D,0|\r\n"
                             "}\r\n"
                             "{N,D,003,F}\r\n"
                             "{N,R,003,F,400,500,1,2,1,1;QelForm3;1|\r\n"
                             "I,3|\r\n"
                             "P001,K,3,F,0,N,상품번호|\r\n"
                             "P002,K,30,V,2,N,바코드02|\r\n"
                             "P003,K,30,V,9,N,텍스트03|\r\n"
                             "O,2|\r\n"
                             "B,P002,I,000,0050,030,9,4,0,100,1|\r\n"
                             "T,P003,I,000,0300,010,2,3,K,0,0,W,D,0|\r\n"
                             "}\r\n";

const char *LinkDownload = "{S,D,001,F}\r\n"
                           "{S,R,001,F,001,F,001,F|\r\n"
                           "K,001|\r\n"
                           "K001,1,1,3,0,상품번호?|\r\n"
                           "M,001,P001,0,0|\r\n"
                           "M,002,P002,1,0|\r\n"
                           "M,005,P003,1,0|\r\n"
                           "}\r\n"
                           "{S,D,003,F}\r\n"
                           "{S,R,003,F,001,F,003,F|\r\n"
                           "K,001|\r\n"
                           "K001,1,1,3,0,상품번호?|\r\n"
                           "M,001,P001,0,0|\r\n"
                           "M,003,P002,1,1|\r\n"
                           "M,007,P003,1,1|\r\n"
                           "}\r\n";

const char *ItemDownload = "{I,D,001,F}\r\n"
                           "{I,R,001,F,014;3,30,30,30,30,30,30,30,30,30,30,30,30,30|\r\n"
                           "001,8801234567893, , ,사과, , , , , , , , , |\r\n"
                           "002, ,ABC1, , , ,배, , , , , , , |\r\n"
                           "003,8800000000017, , ,포도,1kg, , , , , , , , |\r\n"
                           "}\r\n";

// The reference row: format 1, barcode 8801234567893, text 사과, quantity 3.
const char *PrintRow1 = "{F001,0280,350;QELFF001|\r\n"
                        "B01,I,000,0110,080,1,7,0,80,2|\r\n"
                        "T02,I,000,0200,020,0102,J,0,0,B,D,0|\r\n"
                        "T03,I,000,0060,140,0101,1,0,0,B,D,0|\r\n"
                        "}\r\n"
                        "{B001,0003,E,1,1,0,C;QELFB001|\r\n"
                        "B01;8801234567893|\r\n"
                        "T02;사과|\r\n"
                        "T03;가격|\r\n"
                        "}\r\n";

// Row 2 on format 3: reversed direction, barcode 2 as object 01, text 3 as object 02.
const char *PrintRow2 = "{F001,0400,500;QELFF001|\r\n"
                        "B01,I,000,0050,030,9,4,0,100,1|\r\n"
                        "T02,I,000,0300,010,0203,K,0,0,W,D,0|\r\n"
                        "}\r\n"
                        "{B001,0002,E,1,1,2,C;QELFB001|\r\n"
                        "B01;ABC1|\r\n"
                        "T02;배|\r\n"
                        "}\r\n";

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

QStringList numbersInFile(const QString &path)
{
    QStringList numbers;
    for (const QString &line : TextFile::readLines(path))
        numbers << line.section(QLatin1Char('\''), 0, 1);
    return numbers;
}

} // namespace

// The AL-300 station's transfer and direct print jobs as they reach a printer on COM3.
class TestAl300Print : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void transferSendsFormatsLinksAndItems();
    void transferOfGoodsOnly();
    void transferWithNothingTicked();
    void transferRefusedOnAZplPort();
    void transferSavesFirst();
    void longJobShowsItsBytes();
    void directPrintOfMarkedRows();
    void rowsThatPrintNothing_data();
    void rowsThatPrintNothing();
    void saveSortsByNumber_data();
    void saveSortsByNumber();
    void srp770GoodsFileLoadsUnchanged();

private:
    // The station on the reference formats and goods, with `moreGoods` plain goods after them.
    std::unique_ptr<AL300Frm> openStation(int moreGoods = 0);
    QString path(const QString &name) const { return m_bed->path(name); }

    std::unique_ptr<PrinterTestBed> m_bed;
};

void TestAl300Print::init()
{
    m_bed = std::make_unique<PrinterTestBed>();
    QVERIFY(m_bed->isValid());
}

void TestAl300Print::cleanup()
{
    m_bed.reset();
}

std::unique_ptr<AL300Frm> TestAl300Print::openStation(int moreGoods)
{
    if (!FormatFile::save(stationFormats(), path("AL300Frm[00].Txt"), Printers::al300()))
        qFatal("cannot write the format file");
    GoodsRows goods;
    struct Row {
        const char *name;
        int format, qty;
        int barcode;
        const char *code;
        int text;
        const char *value;
    };
    const Row rows[] = {{"사과", 1, 3, 1, "8801234567893", 1, "사과"},
                        {"배", 3, 2, 2, "ABC1", 3, "배"},
                        {"포도", 1, 1, 1, "8800000000017", 1, "포도"}};
    for (const Row &r : rows) {
        GoodsItem item;
        item.reset();
        item.Name = QString::fromUtf8(r.name);
        item.Format = qint16(r.format);
        item.Qty = qint16(r.qty);
        item.Barcodes[r.barcode] = QString::fromUtf8(r.code);
        item.Texts[r.text] = QString::fromUtf8(r.value);
        goods.appendItem(item);
    }
    goods.setCell(3, GoodsTable::FirstTextColumn + 1, QStringLiteral("1kg"));
    for (int n = 0; n < moreGoods; ++n) {
        GoodsItem item;
        item.reset();
        item.Name = QStringLiteral("상품 %1").arg(n);
        item.Format = 1;
        item.Qty = 1;
        item.Barcodes[1] = QStringLiteral("8801234567893");
        item.Texts[1] = QStringLiteral("상품 이름 %1").arg(n);
        goods.appendItem(item);
    }
    if (!goods.save(path("AL300Dat[00].Txt")))
        qFatal("cannot write the goods file");
    auto w = std::make_unique<AL300Frm>();
    w->show();
    return w;
}

void TestAl300Print::transferSendsFormatsLinksAndItems()
{
    auto w = openStation();
    w->Al300SaveCmd->click();
    QVERIFY(w->BarSaveFme->isVisible());
    w->SelFormChk[1]->setChecked(true);
    w->SelFormChk[3]->setChecked(true);
    w->SelGodsChk->setChecked(true);
    // Goods 003 has a wrong check digit: asked once, the operator goes on.
    Dialogs::queueAnswer(true);
    w->BarSaveCmd->click();
    QVERIFY(waitUntilSent(w->printer()));
    QCOMPARE(m_bed->printer().readAll(),
             wire(FormatDownload) + wire(LinkDownload) + wire(ItemDownload));
    QVERIFY(!w->BarSaveFme->isVisible());
    QVERIFY(w->BarSaveCmd->isEnabled());
    QCOMPARE(fileBytes(path("AL300Save1.Txt")), wire(FormatDownload) + "\r\n");
    QCOMPARE(fileBytes(path("AL300Save2.Txt")), wire(LinkDownload) + "\r\n");
    QCOMPARE(fileBytes(path("AL300Save3.Txt")), wire(ItemDownload) + "\r\n");
    QCOMPARE(Dialogs::shown().size(), 1);
    QVERIFY(
        Dialogs::shown().first().startsWith("스캔 확인|* 스캔되지 않는 바코드가 있는 품목이 1개"));
    QVERIFY(
        Dialogs::shown().first().contains("품목 003 포도\n    EAN-13 8800000000017: 스캔 안 됨: "
                                          "EAN-13 체크 디지트가 틀립니다"));
    QVERIFY(Dialogs::shown().first().endsWith("그래도 전송하시겠습니까 ?"));
    // The ticks stay for the next transfer.
    w->Al300SaveCmd->click();
    QVERIFY(w->SelFormChk[3]->isChecked() && w->SelGodsChk->isChecked());
}

void TestAl300Print::transferOfGoodsOnly()
{
    auto w = openStation();
    w->Al300SaveCmd->click();
    w->SelGodsChk->setChecked(true);
    // Goods 003 does not scan: the operator first stops, then goes on.
    w->BarSaveCmd->click();
    QVERIFY(waitUntilSent(w->printer())); // the check runs beside the window
    QCOMPARE(Dialogs::shown().size(), 1);
    QVERIFY(w->BarSaveFme->isVisible());
    QVERIFY(!QFile::exists(path("AL300Save3.Txt")));
    Dialogs::queueAnswer(true);
    w->BarSaveCmd->click();
    QVERIFY(waitUntilSent(w->printer()));
    QCOMPARE(m_bed->printer().readAll(), wire(ItemDownload));
    QVERIFY(!QFile::exists(path("AL300Save1.Txt")));
    QVERIFY(!QFile::exists(path("AL300Save2.Txt")));
    QCOMPARE(fileBytes(path("AL300Save3.Txt")), wire(ItemDownload) + "\r\n");
}

// The printer's memory is the AL-300's: a port that speaks ZPL gets nothing, and says why.
void TestAl300Print::transferRefusedOnAZplPort()
{
    QVERIFY(TextFile::writeLines(path("ComPortLanguages.Txt"), {"COM3'zpl'203"}));
    auto w = openStation();
    w->Al300SaveCmd->click();
    w->SelFormChk[1]->setChecked(true);
    w->SelGodsChk->setChecked(true);
    QTest::mouseClick(w->BarSaveCmd, Qt::LeftButton);
    QVERIFY(!w->printer()->isPrinting());
    QCOMPARE(Dialogs::shown().size(), 1);
    QVERIFY2(Dialogs::shown().first().contains("COM3 포트의 프린터 언어가 ZPL (203 dpi)입니다"),
             qPrintable(Dialogs::shown().first()));
    QCOMPARE(m_bed->printer().readAll(200), QByteArray());
    QVERIFY(!QFile::exists(path("AL300Save1.Txt")));
    QVERIFY(w->BarSaveFme->isVisible());
}

// An edit not yet saved is saved before the transfer (with the operator's Yes), so the
// printer's memory and the data folder hold the same format; the stop button says what it
// stops.
void TestAl300Print::transferSavesFirst()
{
    auto w = openStation();
    const QByteArray saved = fileBytes(path("AL300Frm[00].Txt"));
    w->document()->editLabel(QStringLiteral("라벨 길이"), [](LabelFormat &f) { f.LblLeng += 5; });
    w->Al300SaveCmd->click();
    w->SelFormChk[1]->setChecked(true);
    QTest::mouseClick(w->BarSaveCmd, Qt::LeftButton); // No: nothing saved, nothing sent
    QVERIFY(!w->printer()->isPrinting());
    QVERIFY(Dialogs::shown().value(0).contains("저장한 뒤 전송할까요"));
    QCOMPARE(fileBytes(path("AL300Frm[00].Txt")), saved);

    Dialogs::queueAnswer(true);
    QTest::mouseClick(w->BarSaveCmd, Qt::LeftButton);
    QVERIFY(fileBytes(path("AL300Frm[00].Txt")) != saved);
    QVERIFY(w->printer()->isPrinting());
    QCOMPARE(w->printer()->PrintCancelCmd->text(), QStringLiteral("전송 중지"));
    QVERIFY(waitUntilSent(w->printer()));
    QVERIFY(!w->document()->hasUnsavedChanges());
}

// A job still going out after a second shows the progress panel with its bytes, a lone job
// too; the goods table cannot be stopped halfway, and the stop button says so. The printer
// is a pipe of 4 KB that is not read for 1.5 s.
void TestAl300Print::longJobShowsItsBytes()
{
    const QString fifo = path("lp0");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0 && ::fcntl(reader, F_SETPIPE_SZ, 4096) >= 0);
    QVERIFY(TextFile::writeLines(path("ComPorts.Txt"), {"COM3'file:" + fifo}));
    auto w = openStation(150);
    StationPrinter *p = w->printer();
    w->Al300SaveCmd->click();
    w->SelGodsChk->setChecked(true);
    Dialogs::queueAnswer(true); // goods 003 does not scan: sent all the same
    QTest::mouseClick(w->BarSaveCmd, Qt::LeftButton);
    // The check before sending takes its time first (much longer in a checked build).
    QTRY_VERIFY_WITH_TIMEOUT(p->PrintProgressFme->isVisible(), 20000);
    QVERIFY(p->isPrinting());
    QVERIFY2(p->PrintProgressLbl->text().startsWith("1 / 1 (") &&
                 p->PrintProgressLbl->text().endsWith(" 바이트)"),
             qPrintable(p->PrintProgressLbl->text()));
    QVERIFY(!p->PrintCancelCmd->isEnabled());
    QVERIFY(p->PrintCancelCmd->text().startsWith("중지할 수 없음"));
    if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
        w->grab().save(dir + "/long-transfer.png");

    QByteArray received;
    char buf[4096];
    while (p->isPrinting() || received.isEmpty()) {
        const ssize_t n = ::read(reader, buf, sizeof buf);
        if (n > 0)
            received.append(buf, n);
        QTest::qWait(2);
    }
    ::close(reader);
    QVERIFY(p->queue()->summary().allSent());
    QVERIFY(!p->PrintProgressFme->isVisible());
    QVERIFY(received.size() > 6000);
    QCOMPARE(received + "\r\n", fileBytes(path("AL300Save3.Txt")));
}

void TestAl300Print::transferWithNothingTicked()
{
    auto w = openStation();
    w->Al300SaveCmd->click();
    w->BarSaveCmd->click();
    QVERIFY(waitUntilSent(w->printer()));
    QVERIFY(w->BarSaveFme->isVisible());
    QCOMPARE(m_bed->printer().readAll(100), QByteArray());
    QVERIFY(!QFile::exists(path("AL300Save1.Txt")));
    QVERIFY(!QFile::exists(path("AL300Save3.Txt")));
    w->BarExitCmd->click();
    QVERIFY(!w->BarSaveFme->isVisible());
}

void TestAl300Print::directPrintOfMarkedRows()
{
    auto w = openStation();
    StationPrinter *p = w->printer();
    w->document()->setMark(1, true);
    w->document()->setMark(2, true);
    Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
    QVERIFY(p->BarPrint2Fme->isVisible());
    p->BarPrtSel2Opt->click();
    p->BarPrtSu1Opt->click();
    p->BarPrintEnter2Cmd->click();
    QVERIFY(waitUntilSent(p));
    QCOMPARE(m_bed->printer().readAll(), wire(PrintRow1) + wire(PrintRow2));
    QVERIFY(!p->BarPrint2Fme->isVisible());
    QCOMPARE(fileBytes(path("AL300Print.Txt")), wire(PrintRow2) + "\r\n");
    // Direct printing leaves the transfer copies alone.
    QVERIFY(!QFile::exists(path("AL300Save1.Txt")));
}

void TestAl300Print::rowsThatPrintNothing_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("override");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("told"); // why nothing went out, before anything was sent
    const QString noFormat = "포멧 없음: 1행 제외", noQuantity = "수량 0: 1행 제외";
    addRow("blank format", "", "3", false, QByteArray(), noFormat);
    addRow("format 0", "0", "3", false, QByteArray(), noFormat);
    addRow("format 7", "7", "3", false, QByteArray(), noFormat);
    addRow("blank format, on-screen format", "", "3", true, wire(PrintRow1), "");
    addRow("quantity blank", "1", "", false, QByteArray(), noQuantity);
    addRow("quantity 0, on-screen format", "1", "0", true, QByteArray(), noQuantity);
}

void TestAl300Print::rowsThatPrintNothing()
{
    QFETCH(QString, format);
    QFETCH(QString, quantity);
    QFETCH(bool, override);
    QFETCH(QByteArray, sent);
    auto w = openStation();
    StationPrinter *p = w->printer();
    StationGoods::setCell(w->document(), 1, GoodsTable::FormatColumn, format);
    StationGoods::setCell(w->document(), 1, GoodsTable::QtyColumn, quantity);
    w->document()->setMark(1, true);
    Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
    p->BarPrtSel2Opt->click();
    p->BarPrtSu1Opt->click();
    if (override)
        p->BarPrtFormChk->click();
    p->BarPrintEnter2Cmd->click();
    QVERIFY(waitUntilSent(p));
    QCOMPARE(m_bed->printer().readAll(sent.isEmpty() ? 100 : 200), sent);
    QCOMPARE(QFile::exists(path("AL300Print.Txt")), !sent.isEmpty());
    // Nothing to print: the operator is told why and the panel stays for another choice.
    QFETCH(QString, told);
    QCOMPARE(p->BarPrint2Fme->isVisible(), !told.isEmpty());
    QCOMPARE(Dialogs::shown().size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(Dialogs::shown().first().contains(told), qPrintable(Dialogs::shown().first()));
}

void TestAl300Print::saveSortsByNumber_data()
{
    QTest::addColumn<bool>("al300");
    QTest::addColumn<QStringList>("written");
    addRow("AL-300 sorts", true, QStringList{"<001>'2", "<002>'5", "<003>'9"});
    addRow("SRP-770 keeps the order", false, QStringList{"<001>'5", "<002>'9", "<003>'2"});
}

void TestAl300Print::saveSortsByNumber()
{
    QFETCH(bool, al300);
    QFETCH(QStringList, written);
    const QString prefix = al300 ? QStringLiteral("AL300") : QStringLiteral("SRP770");
    QStringList lines;
    int row = 0;
    for (int number : {5, 9, 2}) {
        QStringList f{QStringLiteral("<%1>").arg(++row, 3, 10, QLatin1Char('0')),
                      QString::number(number), QStringLiteral("품목%1").arg(number), "1", "1"};
        for (int c = 6; c <= 28; ++c)
            f << QString();
        f << QStringLiteral("~");
        lines << f.join(QLatin1Char('\''));
    }
    QVERIFY(TextFile::writeLines(path(prefix + "Dat[00].Txt"), lines));
    std::unique_ptr<StationFrm> w;
    if (al300)
        w = std::make_unique<AL300Frm>();
    else
        w = std::make_unique<SRP770Frm>();
    Controls::find<QPushButton>(&*w, "ChtWriteCmd")->click();
    QCOMPARE(numbersInFile(path(prefix + "Dat[00].Txt")), written);
    QCOMPARE(Controls::find<QRadioButton>(&*w, "GdsSelt0Opt")->isChecked(), al300);
}

void TestAl300Print::srp770GoodsFileLoadsUnchanged()
{
    // A goods file as the SRP-770 station writes it, with texts 11..20 it never shows.
    {
        SRP770Frm srp;
        GoodsRows g;
        for (int i = 1; i <= 3; ++i) {
            const int r = g.appendRow();
            g.setCell(r, GoodsTable::NumberColumn, GoodsTable::numberText(i * 2));
            g.setCell(r, GoodsTable::NameColumn, QStringLiteral("상품 %1").arg(i));
            g.setCell(r, GoodsTable::FormatColumn, QString::number(i));
            g.setCell(r, GoodsTable::QtyColumn, i == 2 ? QString() : QString::number(i * 10));
            g.setCell(r, GoodsTable::FirstBarcodeColumn + i - 1, QStringLiteral("880%1").arg(i));
            g.setCell(r, GoodsTable::FirstTextColumn + 14, QStringLiteral("텍스트15-%1").arg(i));
        }
        srp.document()->replaceGoods(g.texts(), QStringLiteral("품목 3개"));
        Controls::find<QPushButton>(&srp, "ChtWriteCmd")->click();
    }
    const QByteArray srpFile = fileBytes(path("SRP770Dat[00].Txt"));
    QVERIFY(srpFile.count('\n') == 3);
    QVERIFY(QFile::copy(path("SRP770Dat[00].Txt"), path("AL300Dat[00].Txt")));

    AL300Frm w;
    QCOMPARE(w.goods()->rows(), 3);
    QCOMPARE(w.goods()->cell(2, GoodsTable::NameColumn), QStringLiteral("상품 2"));
    QCOMPARE(w.goods()->cell(3, GoodsTable::FirstTextColumn + 14), QStringLiteral("텍스트15-3"));
    Controls::find<QPushButton>(&w, "ChtWriteCmd")->click();
    QCOMPARE(fileBytes(path("AL300Dat[00].Txt")), srpFile);
}

QTEST_MAIN(TestAl300Print)
#include "test_al300print.moc"
