// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "support/ptyprinter.h"
#include "support/sendwait.h"
#include "support/stationfixture.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Format 1 of the worked example: 60 x 40 mm, EAN13 at (5, 10) with bar widths 25 and digits
// below, text 1 in font 5 at (5, 25).
FormatSet exampleFormats(int port)
{
    FormatSet s;
    s.BarComPort = qint16(port);
    s.BarComSpeed = 1;
    LabelFormat &f = s.Fmt[1];
    f.LblWidth = 60;
    f.LblLeng = 40;
    f.Bar[1] = {};
    f.Bar[1].BarSelt = 1;
    f.Bar[1].BarCode = 8;
    f.Bar[1].BarXx = 5;
    f.Bar[1].BarYy = 10;
    f.Bar[1].BarDen = 25;
    f.Bar[1].BarHeight = 10;
    f.Bar[1].BarHmRead = 2;
    f.Txt[1].TxtSelt = 1;
    f.Txt[1].TxtFont = 5;
    f.Txt[1].TxtXx = 5;
    f.Txt[1].TxtYy = 25;
    f.Txt[1].TxtYSize = 1;
    f.Txt[1].TxtXSize = 1;
    return s;
}

QByteArray job(const QString &barcode, const QString &text, int count)
{
    return Cp949Codec::encode(
        QStringLiteral("CB\r\nSS2\r\nSD20\r\nSW480\r\nSL320,24,G\r\nSOT\r\n"
                       "B140,80,7,2,5,80,0,1,'%1'\r\nT40,200,a,1,1,0,0,N,N,'%2'\r\nP%3\r\n")
            .arg(barcode, text)
            .arg(count));
}

} // namespace

class TestSrp770Print : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PtyPrinter m_printer;

    std::unique_ptr<SRP770Frm> openStation(int port)
    {
        if (!FormatFile::save(exampleFormats(port), m_dir.filePath("SRP770Frm[00].Txt"),
                              Printers::srp770()))
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
        if (!goods.save(m_dir.filePath("SRP770Dat[00].Txt")))
            qFatal("cannot write the goods file");
        auto w = std::make_unique<SRP770Frm>();
        w->show();
        return w;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_printer.isValid());
        Program().DataDirOverride = m_dir.path();
        Program().BarcodeSetNo = 0;
        Dialogs::setTestMode(true);
        TextFile::writeLines(m_dir.filePath("ComPorts.Txt"),
                             {"COM3'" + m_printer.device(), "COM4'" + m_dir.filePath("nodevice")});
    }

    void singleItem()
    {
        auto w = openStation(3);
        StationPrinter *p = w->printer();
        w->setActiveRow(2);
        Controls::find<QPushButton>(&*w, "GdsBarPrtCmd")->click();
        QVERIFY(p->BarPrintFme->isVisible());
        p->BarPrintSuTxt->setText("2");
        p->BarPrintEnterCmd->click();
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll(), job("880123456781", "배", 2));
        QVERIFY(!p->BarPrintFme->isVisible());
        QFile copy(m_dir.filePath("SRP770Print.Txt"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), job("880123456781", "배", 2) + "\r\n");
    }

    void confirmDoesNothingWithoutQuantityOrPort()
    {
        auto w = openStation(3);
        StationPrinter *p = w->printer();
        w->setActiveRow(1);
        Controls::find<QPushButton>(&*w, "GdsBarPrtCmd")->click();
        p->BarPrintEnterCmd->click(); // empty quantity
        QVERIFY(waitUntilSent(p));
        QVERIFY(p->BarPrintFme->isVisible());
        changePort(*w, w->formatSet().BarComPort, 0);
        p->BarPrintSuTxt->setText("1");
        p->BarPrintEnterCmd->click();
        QVERIFY(waitUntilSent(p));
        QVERIFY(p->BarPrintFme->isVisible());
        QCOMPARE(m_printer.readAll(100), QByteArray());
    }

    void markedRowsWithTheirOwnQuantity()
    {
        auto w = openStation(3);
        StationPrinter *p = w->printer();
        w->document()->setMark(1, true);
        w->document()->setMark(3, true);
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        QVERIFY(p->BarPrint2Fme->isVisible());
        p->BarPrintEnter2Cmd->click(); // nothing chosen yet
        QVERIFY(waitUntilSent(p));
        QVERIFY(p->BarPrint2Fme->isVisible());
        p->BarPrtSel2Opt->click();
        p->BarPrtSu1Opt->click();
        p->BarPrintEnter2Cmd->click();
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll(),
                 job("880123456780", "사과", 1) + job("880123456782", "포도", 3));
        QVERIFY(w->goods()->mark(1)); // marks stay
        QVERIFY(!p->BarPrint2Fme->isVisible());
        QFile copy(m_dir.filePath("SRP770Print.Txt"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), job("880123456782", "포도", 3) + "\r\n");
    }

    void allRowsWithATypedQuantity()
    {
        auto w = openStation(3);
        StationPrinter *p = w->printer();
        StationGoods::setCell(w->document(), 2, GoodsTable::QtyColumn, QString()); // blank quantity
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        p->BarPrtSel1Opt->click();
        p->BarPrtSu2Opt->click();
        p->BarPrintSu2Txt->setText("1234"); // three characters count: 123
        p->BarPrintEnter2Cmd->click();
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll(), job("880123456780", "사과", 123) +
                                          job("880123456781", "배", 123) +
                                          job("880123456782", "포도", 123));
    }

    // Labels whose barcodes would not scan: the list print asks once, naming the goods and
    // the reasons, before anything is sent; No keeps the panel, Yes prints every label.
    void listPrintAsksOnceWhenLabelsDoNotScan()
    {
        auto w = openStation(3);
        StationPrinter *p = w->printer();
        LabelFormat cut = w->formatSet().Fmt[1];
        cut.Bar[1].BarXx = 1; // the left quiet zone runs off the label
        w->formatModel()->setFormat(2, cut);
        StationGoods::setCell(w->document(), 1, GoodsTable::FirstBarcodeColumn, "8801234567890"); // check digit
        StationGoods::setCell(w->document(), 3, GoodsTable::FormatColumn, "2");
        Dialogs::clearShown();
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        p->BarPrtSel1Opt->click();
        p->BarPrtSu1Opt->click();
        QTest::mouseClick(p->BarPrintEnter2Cmd, Qt::LeftButton); // answered No
        // The check runs beside the window; the question follows it.
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll(100), QByteArray());
        QVERIFY(p->BarPrint2Fme->isVisible());
        QCOMPARE(Dialogs::shown().size(), 1);
        const QString question = Dialogs::shown().first();
        QVERIFY2(
            question.startsWith("스캔 확인|* 스캔되지 않는 바코드가 있는 품목이 2개 있습니다.\n"
                                "\n품목 001 사과\n    EAN-13 8801234567890: 스캔 안 됨: "
                                "EAN-13 체크 디지트가 틀립니다"),
            qPrintable(question));
        QVERIFY(question.contains("\n품목 003 포도\n    EAN-13 880123456782: 스캔 안 됨: 왼쪽 "
                                  "여백 1mm, 라벨 끝에서 잘림"));
        QVERIFY(!question.contains("품목 002"));
        QVERIFY(question.endsWith("\n\n그래도 발행하시겠습니까 ?"));

        Dialogs::clearShown();
        Dialogs::queueAnswer(true);
        QTest::mouseClick(p->BarPrintEnter2Cmd, Qt::LeftButton);
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll().count("CB\r\n"), 3);
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY(!p->BarPrint2Fme->isVisible());
    }

    void missingDeviceReportsAndSendsNothing()
    {
        auto w = openStation(4);
        StationPrinter *p = w->printer();
        Dialogs::clearShown();
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        p->BarPrtSel1Opt->click();
        p->BarPrtSu1Opt->click();
        p->BarPrintEnter2Cmd->click();
        QVERIFY(waitUntilSent(p));
        QCOMPARE(m_printer.readAll(100), QByteArray());
        // Every label is tried; one message at the end names the port and the count.
        QCOMPARE(Dialogs::shown().size(), 1);
        const QString shown = Dialogs::shown().first();
        QVERIFY2(shown.startsWith("포트에러|* COM4 (") &&
                     shown.contains("포트를 찾을 수 없습니다 !") && shown.contains("(자세히: ") &&
                     shown.endsWith("(3개 중 3개를 보내지 못했습니다)"),
                 qPrintable(shown));
        // The copy file still keeps the last job.
        QFile copy(m_dir.filePath("SRP770Print.Txt"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), job("880123456782", "포도", 3) + "\r\n");
    }

    // A port map that is there but cannot be read maps no port: the labels do not go to a
    // port's own device, which may be another printer.
    void unreadablePortMapSendsNothing()
    {
        auto w = openStation(3);
        const QString map = m_dir.filePath("ComPorts.Txt");
        QVERIFY(QFile::remove(map) && QDir(m_dir.path()).mkdir("ComPorts.Txt"));
        StationPrinter *p = w->printer();
        Dialogs::clearShown();
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        p->BarPrtSel1Opt->click();
        p->BarPrtSu1Opt->click();
        p->BarPrintEnter2Cmd->click();
        QVERIFY(waitUntilSent(p));
        QVERIFY(QDir(map).removeRecursively());
        QCOMPARE(m_printer.readAll(100), QByteArray());
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY2(Dialogs::shown().first().startsWith(
                     "포트에러|* 포트 설정 파일(ComPorts.Txt)을 읽을 수 없어 COM3 포트로 보내지 "
                     "않았습니다 !"),
                 qPrintable(Dialogs::shown().first()));
    }
};

QTEST_MAIN(TestSrp770Print)
#include "test_srp770print.moc"
