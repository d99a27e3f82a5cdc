// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers/printers.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "model/goodsexport.h"
#include "model/goodsimportfile.h"
#include "model/goodsimportsettings.h"
#include "model/goodstable.h"
#include "station/srp770frm.h"
#include "station/goodsfileactions.h"
#include "station/goodsimportfrm.h"
#include "station/labelpreviewpane.h"
#include "support/controls.h"
#include "support/goodsfilefixture.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <QUndoStack>

using namespace GoodsFileFixture;

class TestGoodsImportFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void windowRules_data();
    void windowRules();
    void stationImportRemembers();
    void shopSpreadsheet_data();
    void shopSpreadsheet();
    void replaceAsksFirst();
    void stationExport_data();
    void stationExport();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestGoodsImportFrm::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Program() = ProgramState();
    Program().DataDirOverride = m_dir->path();
    Dialogs::setTestMode(true);
    Dialogs::clearQueue();
    Dialogs::clearShown();
    QVERIFY(writeBytes(path(QStringLiteral("goods.csv")),
                       QStringLiteral("상품명;바코드;단가\n사과;8801234567893;1500\n"
                                      "배;8809876543213;900\n")
                           .toUtf8()));
    QVERIFY(writeBytes(path(QStringLiteral("moved.csv")),
                       QStringLiteral("단가,바코드,상품명\n2000,8801111111119,포도\n").toUtf8()));
}

void TestGoodsImportFrm::cleanup()
{
    m_dir.reset();
}

void TestGoodsImportFrm::windowRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("action");  // what the operator does
    QTest::addColumn<QString>("summary"); // the preview's first line
    QTest::addColumn<bool>("enabled");    // 가져오기
    QTest::newRow("guessed") << "goods.csv"
                             << ""
                             << "추가 2개, 갱신 0개, 건너뜀 0개 → 품목 3개" << true;
    QTest::newRow("replace clicked") << "goods.csv"
                                     << "replace"
                                     << "추가 2개, 갱신 0개, 건너뜀 0개 → 품목 2개" << true;
    QTest::newRow("header unchecked by space: the captions become goods")
        << "goods.csv"
        << "header"
        << "추가 3개, 갱신 0개, 건너뜀 0개 → 품목 4개" << true;
    QTest::newRow("name and barcode set to 없음 by keys")
        << "goods.csv"
        << "unmap"
        << "품목명이나 바코드에 연결한 칸이 없습니다" << false;
    QTest::newRow("not what its name says") << "goods.xlsx"
                                            << ""
                                            << "* 파일 내용이 파일 이름과" << false;
}

void TestGoodsImportFrm::windowRules()
{
    QFETCH(QString, file);
    QFETCH(QString, action);
    QVERIFY(QFile::copy(path(QStringLiteral("goods.csv")), path(QStringLiteral("goods.xlsx"))));
    GoodsTable goods;
    goods.fromFileLines({QStringLiteral("<001>'1'기존'1'0'111''''''''''''''''''''''''~")});
    FormatSet formats;
    GoodsImportFrm frm(Printers::srp770(), formats, goods, QString());
    frm.show();
    frm.setFile(path(file));
    if (file == QLatin1String("goods.csv")) {
        QCOMPARE(frm.MapCbo[GoodsImportMapping::Name]->currentText(), QStringLiteral("A 상품명"));
        QCOMPARE(frm.MapCbo[GoodsImportMapping::Text1]->currentText(), QStringLiteral("C 단가"));
        QVERIFY(frm.HeaderChk->isChecked());
    }
    if (action == QLatin1String("replace"))
        QTest::mouseClick(frm.ModeReplaceOpt, Qt::LeftButton);
    if (action == QLatin1String("header")) {
        frm.HeaderChk->setFocus();
        QTest::keyClick(frm.HeaderChk, Qt::Key_Space);
    }
    if (action == QLatin1String("unmap")) {
        for (int f : {int(GoodsImportMapping::Name), int(GoodsImportMapping::Barcode1)}) {
            frm.MapCbo[size_t(f)]->setFocus();
            QTest::keyClick(frm.MapCbo[size_t(f)], Qt::Key_Home);
        }
    }
    QVERIFY2(frm.SummaryTxt->toPlainText().startsWith(QStringLiteral("파일의")) ||
                 !frm.ImportCmd->isEnabled(),
             qPrintable(frm.SummaryTxt->toPlainText()));
    QFETCH(QString, summary);
    QVERIFY2(frm.SummaryTxt->toPlainText().contains(summary),
             qPrintable(frm.SummaryTxt->toPlainText()));
    QTEST(frm.ImportCmd->isEnabled(), "enabled");
    QCOMPARE(goods.rows(), 1); // nothing changes before the operator confirms
}

void TestGoodsImportFrm::stationImportRemembers()
{
    SRP770Frm station;
    const int before = station.goods()->rows();
    QString file = path(QStringLiteral("goods.csv"));
    station.goodsFiles()->setImportWindow([&file](GoodsImportFrm &f) {
        f.setFile(file);
        QTest::mouseClick(f.ModeAppendOpt, Qt::LeftButton);
        QTest::mouseClick(f.ImportCmd, Qt::LeftButton);
        return f.result() == QDialog::Accepted;
    });
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsImportCmd"), Qt::LeftButton);
    QCOMPARE(station.goods()->rows(), before + 2);
    QCOMPARE(station.goods()->cell(before + 1, GoodsTable::NameColumn), QStringLiteral("사과"));
    QCOMPARE(station.undoStack()->count(), 1); // the whole import is one step
    QCOMPARE(station.activeRow(), before + 1);
    QVERIFY(QFile::exists(path(QStringLiteral("SRP770Imp[00].Txt"))));

    // Next week's file has its columns in another order: the captions find them again.
    file = path(QStringLiteral("moved.csv"));
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsImportCmd"), Qt::LeftButton);
    const int r = station.goods()->rows();
    QCOMPARE(station.goods()->cell(r, GoodsTable::NameColumn), QStringLiteral("포도"));
    QCOMPARE(station.goods()->cell(r, GoodsTable::FirstBarcodeColumn),
             QStringLiteral("8801111111119"));
    QCOMPARE(station.goods()->cell(r, GoodsTable::FirstTextColumn), QStringLiteral("2000"));

    // Cancelled: nothing changes.
    station.goodsFiles()->setImportWindow([&file](GoodsImportFrm &f) {
        f.setFile(file);
        QTest::mouseClick(f.CancelCmd, Qt::LeftButton);
        return f.result() == QDialog::Accepted;
    });
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsImportCmd"), Qt::LeftButton);
    QCOMPARE(station.goods()->rows(), r);

    // Each import is taken back in one step.
    QCOMPARE(station.undoStack()->count(), 2);
    station.undoStack()->undo();
    station.undoStack()->undo();
    QCOMPARE(station.goods()->rows(), before);
}

// A list as shops keep it: a title above the captions, prices typed "1,050", a name in
// quotes, and a barcode a spreadsheet turned into "8.80001E+12".
void TestGoodsImportFrm::shopSpreadsheet_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("csv") << "csv";
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("xls") << "xls";
}

void TestGoodsImportFrm::shopSpreadsheet()
{
    QFETCH(QString, kind);
    const QString file = path("shop." + kind);
    const QString rows = QStringLiteral(
        "[['3월 특가 목록'], ['품목명', '바코드', '가격'], ['사과', '8801234567893', '1,050'], "
        "['\"특가\" 배', '8809876543213', '2,300'], ['포도', '8.80001E+12', '900']]");
    if (kind == "csv")
        QVERIFY(writeBytes(file, QStringLiteral("3월 특가 목록,,\r\n품목명,바코드,가격\r\n"
                                                "사과,8801234567893,\"1,050\"\r\n"
                                                "\"\"\"특가\"\" 배\",8809876543213,\"2,300\"\r\n"
                                                "포도,8.80001E+12,900\r\n")
                                     .toUtf8()));
    else
        QCOMPARE(kind == "xlsx" ? openpyxlWorkbook(file, rows) : xlwtWorkbook(file, rows), "");

    SRP770Frm station;
    const int before = station.goods()->rows();
    QString summary, plain;
    station.goodsFiles()->setImportWindow([&](GoodsImportFrm &f) {
        QTest::keyClicks(f.FileTxt, file);
        QTest::keyClick(f.FileTxt, Qt::Key_Return);
        summary = f.SummaryTxt->toPlainText();
        if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
            f.grab().save(dir + QStringLiteral("/import-%1.png").arg(kind));
        QTest::mouseClick(f.ThousandsChk, Qt::LeftButton);
        plain = f.SummaryTxt->toPlainText();
        QTest::mouseClick(f.ImportCmd, Qt::LeftButton);
        return f.result() == QDialog::Accepted;
    });
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsImportCmd"), Qt::LeftButton);

    // Before anything is written the window lists what it would change.
    for (const char *line : {"제목 줄 위의 줄 1개는 가져오지 않음", "(5행)",
                             "3행 텍스트#01: \"1,050\" → \"1?050\"",
                             "4행 품목명: \"\"특가\" 배\" → \"`특가` 배\""})
        QVERIFY2(summary.contains(QString::fromUtf8(line)), qPrintable(summary));
    QVERIFY2(!plain.contains(QStringLiteral("1?050")) && plain.contains(QStringLiteral("쉼표를 빼고")),
             qPrintable(plain));

    // The title and the mangled barcode are not goods; the prices lose only their commas;
    // without a quantity column every item gets 1.
    QCOMPARE(station.goods()->rows(), before + 2);
    const GoodsTable &g = *station.goods();
    QCOMPARE(g.cell(before + 1, GoodsTable::NameColumn), QStringLiteral("사과"));
    QCOMPARE(g.cell(before + 1, GoodsTable::FirstTextColumn), QStringLiteral("1050"));
    QCOMPARE(g.cell(before + 2, GoodsTable::NameColumn), QStringLiteral("`특가` 배"));
    QCOMPARE(g.cell(before + 2, GoodsTable::FirstTextColumn), QStringLiteral("2300"));
    QCOMPARE(g.cell(before + 1, GoodsTable::QtyColumn), QStringLiteral("1"));
}

// Replacing a list that has goods asks with the counts; No keeps the window open and the
// list as it was. After undo of the replace the preview shows the current row again.
void TestGoodsImportFrm::replaceAsksFirst()
{
    GoodsRows three;
    for (const char *name : {"하나", "둘", "셋"}) {
        GoodsItem item;
        item.reset();
        item.Name = QString::fromUtf8(name);
        three.appendItem(item);
    }
    QVERIFY(three.save(path(Printers::srp770().goodsFileName(BarcodeSetText()))));
    SRP770Frm station;
    station.show();
    const int before = station.goods()->rows();
    QCOMPARE(before, 3);
    bool stayed = false;
    station.goodsFiles()->setImportWindow([&](GoodsImportFrm &f) {
        f.setFile(path(QStringLiteral("goods.csv")));
        QTest::mouseClick(f.ModeReplaceOpt, Qt::LeftButton);
        Dialogs::queueAnswer(false);
        QTest::mouseClick(f.ImportCmd, Qt::LeftButton);
        stayed = f.result() != QDialog::Accepted;
        Dialogs::queueAnswer(true);
        QTest::mouseClick(f.ImportCmd, Qt::LeftButton);
        return f.result() == QDialog::Accepted;
    });
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsImportCmd"), Qt::LeftButton);
    QVERIFY(stayed);
    const QString asked = GoodsImportFrm::replaceQuestion(before, 2);
    QCOMPARE(Dialogs::shown().count(QStringLiteral("품목 바꾸기|") + asked), 2);
    QCOMPARE(station.goods()->rows(), 2);

    QTest::mouseClick(Controls::find<QPushButton>(&station, "UndoCmd"), Qt::LeftButton);
    QCOMPARE(station.goods()->rows(), before);
    QVERIFY(station.activeRow() >= 1);
    auto *preview = station.findChild<LabelPreviewPane *>();
    QTRY_VERIFY(!preview->jobText().isEmpty());
}

void TestGoodsImportFrm::stationExport_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::newRow("csv cp949") << "CSV CP949 (*.csv)"
                               << "out";
    QTest::newRow("csv utf-8") << "CSV UTF-8 (*.csv)"
                               << "out.csv";
    QTest::newRow("xlsx") << "Excel 통합문서 (*.xlsx)"
                          << "out.xlsx";
}

void TestGoodsImportFrm::stationExport()
{
    QFETCH(QString, filter);
    QFETCH(QString, name);
    SRP770Frm station;
    const int r = StationGoods::appendRow(station.document());
    StationGoods::setCell(station.document(), r, GoodsTable::NumberColumn, QStringLiteral("005"));
    StationGoods::setCell(station.document(), r, GoodsTable::NameColumn, QStringLiteral("뷁"));
    StationGoods::setCell(station.document(), r, GoodsTable::FirstBarcodeColumn, QStringLiteral("0012345678905"));
    Dialogs::queueAnswer(QStringList{path(name), filter});
    QTest::mouseClick(Controls::find<QPushButton>(&station, "GdsExportCmd"), Qt::LeftButton);
    if (filter.startsWith(QLatin1String("CSV"))) {
        const QString written = path(name.endsWith(QLatin1String(".csv")) ? name : name + ".csv");
        QCOMPARE(readBytes(written),
                 GoodsExport::csvBytes(*station.goods(), filter.contains(QLatin1String("CP949"))
                                                             ? GoodsExport::Csv::Cp949
                                                             : GoodsExport::Csv::Utf8Bom));
    } else {
        ImportTable t;
        QVERIFY(GoodsImportFile::read(path(name), {}, &t).ok());
        QCOMPARE(t.cell(1, 4), QStringLiteral("0012345678905"));
    }
    QVERIFY(Dialogs::shown().last().contains(QStringLiteral("품목 1개를 내보냈습니다")));
}

QTEST_MAIN(TestGoodsImportFrm)
#include "test_goodsimportfrm.moc"
