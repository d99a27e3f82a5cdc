// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backgrdfrm.h"
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "support/addrow.h"
#include "model/formatmodel.h"
#include "report/prnseltfrm.h"
#include "station/srp770frm.h"
#include "support/controls.h"
#include "support/goodsrows.h"
#include "support/stationfixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using Controls::find;

// The SRP-770 station's goods list: its commands and keys, and the station's files.
class TestStationGoods : public QObject, private StationFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void insertGivesFirstFreeNumber_data();
    void insertGivesFirstFreeNumber();
    void updateRow_data();
    void updateRow();
    void deleteRow_data();
    void deleteRow();
    void renumber_data();
    void renumber();
    void sorts_data();
    void sorts();
    void gridKeys_data();
    void gridKeys();
    void emptyListCommands_data();
    void emptyListCommands();
    void doubleClickUpdates();
    void focusAfterCommand_data();
    void focusAfterCommand();
    void resetColumnWidths_data();
    void resetColumnWidths();
    void unloadWritesFiles();
    void reportAsksInListOrder_data();
    void reportAsksInListOrder();
    void reopenUnderAnotherSet();

private:
    std::unique_ptr<SRP770Frm> openStation() { return open<SRP770Frm>(); }
};

void TestStationGoods::insertGivesFirstFreeNumber_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("numbers");
    addRow("gap at 3", "1:a,2:b,4:c", true, QString("001,002,004,003"));
    addRow("unsorted list", "4:c,1:a,2:b", true, QString("001,002,004,003"));
    addRow("empty list", "", true, QString("001"));
    addRow("no gap", "1:a,2:b,3:c", true, QString("001,002,003,004"));
    addRow("1 free", "2:b,3:c", true, QString("002,003,001"));
    addRow("cancel", "2:b,1:a", false, QString("002,001"));
}

void TestStationGoods::insertGivesFirstFreeNumber()
{
    QFETCH(QString, items);
    QFETCH(bool, confirm);
    QFETCH(QString, numbers);
    QVERIFY(writeGoods(items));
    auto frm = openStation();
    find<QRadioButton>(&*frm, "GdsSelt1Opt")->setChecked(true);
    editor.confirm = confirm;
    editor.edit = [](GoodsItem &i) {
        i.No = 77; // a typed number is not used on insert
        i.Name = QStringLiteral("사과");
        i.Format = 2;
        i.Barcodes[1] = QStringLiteral("8801234567893");
        i.Texts[20] = QStringLiteral("끝");
    };
    find<QPushButton>(&*frm, "GdsInsertCmd")->click();

    QCOMPARE(editor.calls, 1);
    QCOMPARE(editor.mode, int(ItemEditMode::Insert));
    const GoodsTable *g = frm->goods();
    QCOMPARE(column(g, 1), numbers);
    if (!confirm) {
        QVERIFY(find<QRadioButton>(&*frm, "GdsSelt1Opt")->isChecked());
        return;
    }
    const int last = g->rows();
    QCOMPARE(frm->activeRow(), last);
    QCOMPARE(g->cell(last, 3), QString("사과"));
    QCOMPARE(g->cell(last, 4), QString("2"));
    QCOMPARE(g->cell(last, 5), QString()); // quantity 0 shows blank
    QCOMPARE(g->cell(last, 6), QString("8801234567893"));
    QCOMPARE(g->cell(last, 28), QString("끝"));
    QVERIFY(!find<QRadioButton>(&*frm, "GdsSelt0Opt")->isChecked());
    QVERIFY(!find<QRadioButton>(&*frm, "GdsSelt1Opt")->isChecked());
}

void TestStationGoods::updateRow_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("newNumber");
    QTest::addColumn<QString>("numbers");
    addRow("number 0 gives highest + 1", true, 0, QString("003,008,005"));
    addRow("duplicate number kept", true, 3, QString("003,003,005"));
    addRow("cancel", false, 0, QString("003,007,005"));
}

void TestStationGoods::updateRow()
{
    QFETCH(bool, confirm);
    QFETCH(int, newNumber);
    QFETCH(QString, numbers);
    QVERIFY(writeGoods("3:a,7:b,5:c"));
    auto frm = openStation();
    const GoodsTable *g = frm->goods();
    StationGoods::setCell(frm->document(), 2, 3, QStringLiteral("  배  "));
    frm->document()->setMark(2, true);
    frm->setActiveRow(2);
    find<QRadioButton>(&*frm, "GdsSelt0Opt")->setChecked(true);
    editor.confirm = confirm;
    editor.edit = [newNumber](GoodsItem &i) {
        i.No = newNumber;
        i.Qty = 12;
    };
    find<QPushButton>(&*frm, "GdsUpdateCmd")->click();

    QCOMPARE(editor.mode, int(ItemEditMode::Update));
    QCOMPARE(editor.seen.No, 7);
    QCOMPARE(editor.seen.Name, QString("배")); // trimmed
    QCOMPARE(editor.seen.Format, qint16(1));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(g->cell(2, 5), confirm ? QString("12") : QString());
    QCOMPARE(marks(g), QString("010")); // the mark is left as it was
    QCOMPARE(find<QRadioButton>(&*frm, "GdsSelt0Opt")->isChecked(), !confirm);
}

void TestStationGoods::deleteRow_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("numbers");
    addRow("yes", "12:x,3:y", true, QString("* (12)번 (이름)를 삭제할까요 ?"), QString("003"));
    addRow("no", "12:x,3:y", false, QString("* (12)번 (이름)를 삭제할까요 ?"), QString("012,003"));
    addRow("only row", "12:x", true, QString("* (12)번 (이름)를 삭제할까요 ?"), QString());
}

void TestStationGoods::deleteRow()
{
    QFETCH(QString, items);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QString, numbers);
    QVERIFY(writeGoods(items));
    auto frm = openStation();
    const GoodsTable *g = frm->goods();
    StationGoods::setCell(frm->document(), 1, 3, QStringLiteral(" 이름 "));
    find<QRadioButton>(&*frm, "GdsSelt0Opt")->setChecked(true);
    frm->setActiveRow(1);
    Dialogs::clearShown();
    Dialogs::queueAnswer(yes);
    find<QPushButton>(&*frm, "GdsDeleteCmd")->click();
    QCOMPARE(Dialogs::shown(), QStringList("|" + question));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(g->rows(), numbers.isEmpty() ? 0 : int(numbers.count(',')) + 1);
    QCOMPARE(find<QRadioButton>(&*frm, "GdsSelt0Opt")->isChecked(), !yes);
}

void TestStationGoods::renumber_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("marksAfter");
    addRow("5 and 7 in use", "5:a,7:b,1:c,2:d", "0011", QVariant("5"), QString("005,007,006,008"),
           QString("0000"));
    addRow("digits among text", "5:a,7:b,1:c,2:d", "0011", QVariant("5번"),
           QString("005,007,006,008"), QString("0000"));
    addRow("none free up to 999", "998:a,999:b,1:c", "001", QVariant("998"), QString("998,999,001"),
           QString("001"));
    addRow("empty answer", "5:a,1:c", "01", QVariant(""), QString("005,001"), QString("01"));
    addRow("zero", "5:a,1:c", "01", QVariant("0"), QString("005,001"), QString("01"));
    addRow("above 999", "5:a,1:c", "01", QVariant("1000"), QString("005,001"), QString("01"));
    addRow("cancelled", "5:a,1:c", "01", QVariant(), QString("005,001"), QString("01"));
}

void TestStationGoods::renumber()
{
    QFETCH(QString, items);
    QFETCH(QString, marked);
    QFETCH(QVariant, answer);
    QFETCH(QString, numbers);
    QFETCH(QString, marksAfter);
    QVERIFY(writeGoods(items));
    auto frm = openStation();
    const GoodsTable *g = frm->goods();
    for (int r = 1; r <= g->rows(); ++r)
        frm->document()->setMark(r, marked[r - 1] == QLatin1Char('1'));
    Dialogs::clearShown();
    Dialogs::queueAnswer(answer);
    find<QPushButton>(&*frm, "GdsMoveCmd")->click();
    QCOMPARE(Dialogs::shown(), QStringList("번호변경|* 변경할 번호를 입력하세요 (1~999) ...... ?"));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(marks(g), marksAfter);
    QVERIFY(find<QPushButton>(&*frm, "GdsMoveCmd")->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

void TestStationGoods::sorts_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("names");
    addRow("by number", "GdsSelt0Opt", QString("001,001,002,003"), QString("가,다,가,나"));
    addRow("by name", "GdsSelt1Opt", QString("001,002,003,001"), QString("가,가,나,다"));
}

void TestStationGoods::sorts()
{
    QFETCH(QString, option);
    QFETCH(QString, numbers);
    QFETCH(QString, names);
    QVERIFY(writeGoods("3:나,1:다,2:가,1:가"));
    auto frm = openStation();
    auto *opt = find<QRadioButton>(frm.get(), option);
    opt->click();
    QCOMPARE(column(frm->goods(), 1), numbers);
    QCOMPARE(column(frm->goods(), 3), names);
    QVERIFY(opt->isChecked());
}

void TestStationGoods::reportAsksInListOrder_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("rangeKind");
    addRow("by number", QString("GdsSelt0Opt"), 1);
    addRow("by name", QString("GdsSelt1Opt"), 5);
}

// The report button asks the print-condition dialog for the list in the order on screen,
// with the button disabled while the dialog is open.
void TestStationGoods::reportAsksInListOrder()
{
    QFETCH(QString, option);
    QFETCH(int, rangeKind);
    QVERIFY(writeGoods("2:나,1:가"));
    auto frm = openStation();
    QTest::mouseClick(find<QRadioButton>(frm.get(), option), Qt::LeftButton);
    auto *report = find<QPushButton>(frm.get(), "ChtPrintCmd");
    int asked = -1;
    bool buttonEnabled = true;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<PrnSeltFrm *>(QApplication::activeModalWidget())) {
            asked = dialog->answer().RangeKind;
            buttonEnabled = report->isEnabled();
            dialog->close();
        }
    });
    QTest::mouseClick(report, Qt::LeftButton);
    QCOMPARE(asked, rangeKind);
    QVERIFY(!buttonEnabled);
    QVERIFY(report->isEnabled());
}

void TestStationGoods::gridKeys_data()
{
    // What happened: marks of rows 1..3 | editor mode or "-" | number of boxes asked.
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QString>("result");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
              alt = Qt::AltModifier;
    addRow("F1 selects", int(Qt::Key_F1), none, QString("110|-|0"));
    addRow("Shift+F1 nothing", int(Qt::Key_F1), shift, QString("100|-|0"));
    addRow("Alt+F1 nothing", int(Qt::Key_F1), alt, QString("100|-|0"));
    addRow("Ctrl+F1 all", int(Qt::Key_F1), ctrl, QString("111|-|0"));
    addRow("Ctrl+Shift+F1 nothing", int(Qt::Key_F1), ctrl | shift, QString("100|-|0"));
    addRow("Ctrl+F2 clears", int(Qt::Key_F2), ctrl, QString("000|-|0"));
    addRow("F2 renumber", int(Qt::Key_F2), none, QString("100|-|1"));
    addRow("Shift+F2 nothing", int(Qt::Key_F2), shift, QString("100|-|0"));
    addRow("Insert", int(Qt::Key_Insert), none, QString("100|0|0"));
    addRow("Shift+Insert", int(Qt::Key_Insert), shift, QString("100|0|0"));
    addRow("Ctrl+Alt+Insert", int(Qt::Key_Insert), ctrl | alt, QString("100|0|0"));
    addRow("Enter", int(Qt::Key_Return), none, QString("100|1|0"));
    addRow("keypad Enter", int(Qt::Key_Enter), int(Qt::KeypadModifier), QString("100|1|0"));
    addRow("Ctrl+Enter", int(Qt::Key_Return), ctrl, QString("100|1|0"));
    addRow("Delete", int(Qt::Key_Delete), none, QString("100|-|1"));
    addRow("Shift+Delete", int(Qt::Key_Delete), shift, QString("100|-|1"));
}

void TestStationGoods::gridKeys()
{
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QString, result);
    QVERIFY(writeGoods("1:a,2:b,3:c"));
    auto frm = openStation();
    const GoodsTable *g = frm->goods();
    frm->document()->setMark(1, true);
    frm->setActiveRow(2);
    editor.confirm = false;
    Dialogs::clearShown();
    QCOMPARE(QApplication::focusWidget(), find<QTableView>(&*frm, "vaSpread1"));
    QTest::keyClick(find<QTableView>(&*frm, "vaSpread1"), Qt::Key(key),
                    Qt::KeyboardModifiers(mods));
    const QString opened = editor.calls ? QString::number(editor.mode) : QStringLiteral("-");
    QCOMPARE(marks(g) + "|" + opened + "|" + QString::number(Dialogs::shown().size()), result);
    QCOMPARE(column(g, 1), QString("001,002,003")); // answers were No / cancel
}

void TestStationGoods::emptyListCommands_data()
{
    QTest::addColumn<QString>("button");
    for (const char *b : {"GdsUpdateCmd", "GdsDeleteCmd", "GdsSelectCmd", "GdsMoveCmd"})
        QTest::newRow(b) << QString(b);
}

void TestStationGoods::emptyListCommands()
{
    QFETCH(QString, button);
    auto frm = openStation();
    Dialogs::queueAnswer(true);
    find<QPushButton>(frm.get(), button)->click();
    QCOMPARE(editor.calls, 0);
    QCOMPARE(Dialogs::shown(), QStringList());
    QCOMPARE(frm->goods()->rows(), 0);
    QCOMPARE(focusName(), QString("vaSpread1"));
}

void TestStationGoods::doubleClickUpdates()
{
    QVERIFY(writeGoods("1:a,2:b,3:c"));
    auto frm = openStation();
    editor.edit = [](GoodsItem &i) { i.Name = QStringLiteral("바뀜"); };
    const QRect cell = find<QTableView>(&*frm, "vaSpread1")->visualRect(frm->goods()->index(2, 2));
    // The operator's double click: press and release, then the double-click event.
    QTest::mouseClick(find<QTableView>(&*frm, "vaSpread1")->viewport(), Qt::LeftButton, {},
                      cell.center());
    QTest::mouseDClick(find<QTableView>(&*frm, "vaSpread1")->viewport(), Qt::LeftButton, {},
                       cell.center());
    QCOMPARE(editor.calls, 1);
    QCOMPARE(editor.mode, int(ItemEditMode::Update));
    QCOMPARE(editor.seen.Name, QString("c"));
    QCOMPARE(column(frm->goods(), 3), QString("a,b,바뀜"));
}

void TestStationGoods::focusAfterCommand_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("focus");
    const char *grid = "vaSpread1";
    for (const char *b : {"GdsInsertCmd", "GdsUpdateCmd", "GdsDeleteCmd", "GdsSelectCmd",
                          "GdsAllSelCmd", "GdsAllDelCmd", "GdsMoveCmd", "GdsSelt0Opt",
                          "GdsSelt1Opt", "InitColsRtn", "ChtWriteCmd", "ChtViewCmd", "BarForm3Opt"})
        addRow(b, QStringList(b), QString(grid));
    addRow("settings panel opens", QStringList{"ChtSeltCmd"}, QString("SetExitCmd"));
    addRow("settings panel closes", QStringList{"ChtSeltCmd", "SetExitCmd"}, QString("ChtSeltCmd"));
}

void TestStationGoods::focusAfterCommand()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, focus);
    QVERIFY(writeGoods("1:a,2:b"));
    auto frm = openStation();
    editor.confirm = false;
    find<QLineEdit>(&*frm, "LblLengTxt")->setFocus();
    QCOMPARE(focusName(), QString("LblLengTxt"));
    for (const QString &name : clicks) {
        auto *b = find<QAbstractButton>(frm.get(), name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    QCOMPARE(focusName(), focus);
    QCOMPARE(find<QFrame>(&*frm, "ChtSelectFme")->isVisible(),
             focus == QLatin1String("SetExitCmd"));
}

void TestStationGoods::resetColumnWidths_data()
{
    QTest::addColumn<bool>("yes");
    addRow("yes", true);
    addRow("no", false);
}

void TestStationGoods::resetColumnWidths()
{
    QFETCH(bool, yes);
    auto first = openStation();
    const int designed = find<QTableView>(&*first, "vaSpread1")->columnWidth(2);
    find<QTableView>(&*first, "vaSpread1")->setColumnWidth(2, designed + 150);
    first->close(); // writes SRP770FrmColSize.Txt
    first.reset();

    auto frm = openStation();
    const int loaded = find<QTableView>(&*frm, "vaSpread1")->columnWidth(2);
    QVERIFY2(qAbs(loaded - (designed + 150)) <= 8, qPrintable(QString::number(loaded)));
    Dialogs::queueAnswer(yes);
    find<QPushButton>(&*frm, "InitColsRtn")->click();
    QCOMPARE(Dialogs::shown().last(), QString("|칼럼 사이즈를 초기화할까요 ?"));
    QCOMPARE(find<QTableView>(&*frm, "vaSpread1")->columnWidth(2), yes ? designed : loaded);
}

void TestStationGoods::unloadWritesFiles()
{
    Program().BarcodeSetNo = 3;
    auto frm = openStation();
    QCOMPARE(find<QLabel>(&*frm, "BarSeltLbl")->text(), QString("03"));
    editor.edit = [](GoodsItem &i) {
        i.Name = QStringLiteral("사과");
        i.Format = 3;
        i.Qty = 2;
        i.Barcodes[1] = QStringLiteral("8801234567893");
    };
    find<QPushButton>(&*frm, "GdsInsertCmd")->click();
    find<QLineEdit>(&*frm, "LblLengTxt")->setFocus();
    QTest::keyClicks(find<QLineEdit>(&*frm, "LblLengTxt"), "40");
    find<QTableView>(&*frm, "vaSpread1")->setFocus();
    QVERIFY(!QFileInfo::exists(dataPath("SRP770Frm[03].Txt"))); // written on unload only
    find<QPushButton>(&*frm, "ChtExitCmd")->click();

    const QStringList format = TextFile::readLines(dataPath("SRP770Frm[03].Txt"));
    QCOMPARE(format.size(), 1022);
    QVERIFY(format.contains("<LblLeng(1)>'40"));
    QStringList fields{"<001>", "1", "사과", "3", "2", "8801234567893"};
    for (int c = 7; c <= 28; ++c)
        fields << QString();
    fields << "~";
    QCOMPARE(TextFile::readLines(dataPath("SRP770Dat[03].Txt")), QStringList(fields.join('\'')));
    const QStringList widths = TextFile::readLines(dataPath("SRP770FrmColSize.Txt"));
    QCOMPARE(widths.size(), 1);
    QCOMPARE(widths[0].split(' ').size(), GoodsTable::ColumnCount);
}

void TestStationGoods::reopenUnderAnotherSet()
{
    QVERIFY(writeFormat({"<LblLeng(1)>'30"}, "00"));
    QVERIFY(writeGoods("1:영번", "00"));
    QVERIFY(writeFormat({"<LblLeng(1)>'70", "<BarCode(1:02)>'9"}, "07"));
    QVERIFY(writeGoods("4:칠번,5:칠번둘", "07"));
    RegisterModelWindows();
    mdiMain w;
    w.Bar001->trigger();
    auto *s0 = qobject_cast<StationFrm *>(w.modelWindow("SRP770Frm"));
    QVERIFY(s0);
    QCOMPARE(find<QLabel>(&*s0, "BarSeltLbl")->text(), QString("00"));
    QCOMPARE(find<QLineEdit>(&*s0, "LblLengTxt")->text(), QString("30"));
    QCOMPARE(column(s0->goods(), 3), QString("영번"));
    LabelFormat first = s0->formatSet().Fmt[1];
    first.LblLeng = 31;
    s0->formatModel()->setFormat(1, first);

    w.backPanel()->BarSeltOpt[7]->click();
    w.Bar001->trigger(); // the open station unloads (saves under 00) and opens under 07
    auto *s7 = qobject_cast<StationFrm *>(w.modelWindow("SRP770Frm"));
    QVERIFY(s7);
    QCOMPARE(find<QLabel>(&*s7, "BarSeltLbl")->text(), QString("07"));
    QCOMPARE(find<QLineEdit>(&*s7, "LblLengTxt")->text(), QString("70"));
    QCOMPARE(find<QLabel>(&*s7, "BarCodeLbl%1", 2)->text(), QString("EAN8"));
    QCOMPARE(column(s7->goods(), 1), QString("004,005"));
    QVERIFY(TextFile::readLines(dataPath("SRP770Frm[00].Txt")).contains("<LblLeng(1)>'31"));
    QVERIFY(TextFile::readLines(dataPath("SRP770Frm[07].Txt")).contains("<LblLeng(1)>'70"));
    w.unloadAll();
}

QTEST_MAIN(TestStationGoods)
#include "test_stationgoods.moc"
