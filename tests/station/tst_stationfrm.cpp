#include "app/backgrdfrm.h"
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "common/addrow.h"
#include "common/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/goodstable.h"
#include "srp770/srp770frm.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Stands in for the goods item editor: records how it was opened and answers as told.
struct EditorScript {
    int calls = 0;
    qint16 mode = -9;
    GoodsItem seen;
    bool confirm = true;
    std::function<void(GoodsItem &)> edit;
};
EditorScript g_editor;

bool scriptedEditor(QWidget *)
{
    ProgramState &p = Program();
    ++g_editor.calls;
    g_editor.mode = p.EditMode;
    g_editor.seen = p.EditItem;
    p.ModalOpening = 0;
    p.EditResult = g_editor.confirm ? 1 : 0;
    if (g_editor.confirm && g_editor.edit)
        g_editor.edit(p.EditItem);
    return g_editor.confirm;
}

// One goods file line: row position, number, name, format 1, quantity 0, empty data.
QString goodsLine(int row, int number, const QString &name)
{
    QStringList f{QStringLiteral("<%1>").arg(row, 3, 10, QLatin1Char('0')), QString::number(number),
                  name, QStringLiteral("1"), QStringLiteral("0")};
    for (int c = 6; c <= 28; ++c)
        f << QString();
    f << QStringLiteral("~");
    return f.join(QLatin1Char('\''));
}

QString column(GoodsTable *g, int col)
{
    QStringList out;
    for (int r = 1; r <= g->rows(); ++r)
        out << g->cell(r, col);
    return out.join(QLatin1Char(','));
}

QString marks(GoodsTable *g)
{
    QString out;
    for (int r = 1; r <= g->rows(); ++r)
        out += g->mark(r) ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

QString textOf(QWidget *w)
{
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return QStringLiteral("<none>");
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

} // namespace

// The shared station window as the SRP-770 station shows it: goods list commands and keys,
// its files, and the element editors of the label formats.
class TestStationFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

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
    void reopenUnderAnotherSet();
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
    QTemporaryDir *m_dir = nullptr;
    QString dataPath(const QString &name) const { return m_dir->filePath(name); }
    // "1:사과,2:배" into the goods file of the set.
    void writeGoods(const QString &items, const QString &set = QStringLiteral("00"));
    void writeFormat(const QStringList &lines, const QString &set = QStringLiteral("00"));
    // A station shown and active, so that focus changes are delivered.
    std::unique_ptr<SRP770Frm> openStation();
    template <typename T = QWidget> static T *child(QWidget *w, const QString &name)
    {
        T *c = w->findChild<T *>(name);
        if (!c)
            qWarning("no control %s", qPrintable(name));
        return c;
    }
};

void TestStationFrm::init()
{
    m_dir = new QTemporaryDir;
    Program() = ProgramState();
    Program().DataDirOverride = m_dir->path();
    Dialogs::setTestMode(true);
    Dialogs::clearQueue();
    Dialogs::clearShown();
    g_editor = EditorScript();
    StationFrm::openItemEditor = &scriptedEditor;
}

void TestStationFrm::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
}

void TestStationFrm::writeGoods(const QString &items, const QString &set)
{
    QStringList lines;
    for (const QString &item : items.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList p = item.split(QLatin1Char(':'));
        lines << goodsLine(int(lines.size()) + 1, p[0].toInt(), p.value(1));
    }
    QVERIFY(TextFile::writeLines(dataPath("SRP770Dat[" + set + "].Txt"), lines));
}

void TestStationFrm::writeFormat(const QStringList &lines, const QString &set)
{
    QVERIFY(TextFile::writeLines(dataPath("SRP770Frm[" + set + "].Txt"), lines));
}

std::unique_ptr<SRP770Frm> TestStationFrm::openStation()
{
    auto frm = std::make_unique<SRP770Frm>();
    frm->show();
    QApplication::setActiveWindow(frm.get());
    if (!QTest::qWaitForWindowActive(frm.get()))
        qWarning("station window not active");
    QCoreApplication::processEvents();
    return frm;
}

// ---------------------------------------------------------------------------------------
// Goods list

void TestStationFrm::insertGivesFirstFreeNumber_data()
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

void TestStationFrm::insertGivesFirstFreeNumber()
{
    QFETCH(QString, items);
    QFETCH(bool, confirm);
    QFETCH(QString, numbers);
    writeGoods(items);
    auto frm = openStation();
    frm->GdsSelt1Opt->setChecked(true);
    g_editor.confirm = confirm;
    g_editor.edit = [](GoodsItem &i) {
        i.No = 77; // a typed number is not used on insert
        i.Name = QStringLiteral("사과");
        i.Format = 2;
        i.Barcodes[1] = QStringLiteral("8801234567893");
        i.Texts[20] = QStringLiteral("끝");
    };
    frm->GdsInsertCmd->click();

    QCOMPARE(g_editor.calls, 1);
    QCOMPARE(g_editor.mode, qint16(EditInsert));
    GoodsTable *g = frm->goods();
    QCOMPARE(column(g, 1), numbers);
    if (!confirm) {
        QVERIFY(frm->GdsSelt1Opt->isChecked());
        return;
    }
    const int last = g->rows();
    QCOMPARE(frm->activeRow(), last);
    QCOMPARE(g->cell(last, 3), QString("사과"));
    QCOMPARE(g->cell(last, 4), QString("2"));
    QCOMPARE(g->cell(last, 5), QString()); // quantity 0 shows blank
    QCOMPARE(g->cell(last, 6), QString("8801234567893"));
    QCOMPARE(g->cell(last, 28), QString("끝"));
    QVERIFY(!frm->GdsSelt0Opt->isChecked());
    QVERIFY(!frm->GdsSelt1Opt->isChecked());
}

void TestStationFrm::updateRow_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("newNumber");
    QTest::addColumn<QString>("numbers");
    addRow("number 0 gives highest + 1", true, 0, QString("003,008,005"));
    addRow("duplicate number kept", true, 3, QString("003,003,005"));
    addRow("cancel", false, 0, QString("003,007,005"));
}

void TestStationFrm::updateRow()
{
    QFETCH(bool, confirm);
    QFETCH(int, newNumber);
    QFETCH(QString, numbers);
    writeGoods("3:a,7:b,5:c");
    auto frm = openStation();
    GoodsTable *g = frm->goods();
    g->setCell(2, 3, QStringLiteral("  배  "));
    g->setMark(2, true);
    frm->setActiveRow(2);
    frm->GdsSelt0Opt->setChecked(true);
    g_editor.confirm = confirm;
    g_editor.edit = [newNumber](GoodsItem &i) {
        i.No = newNumber;
        i.Qty = 12;
    };
    frm->GdsUpdateCmd->click();

    QCOMPARE(g_editor.mode, qint16(EditUpdate));
    QCOMPARE(g_editor.seen.No, 7);
    QCOMPARE(g_editor.seen.Name, QString("배")); // trimmed
    QCOMPARE(g_editor.seen.Format, qint16(1));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(g->cell(2, 5), confirm ? QString("12") : QString());
    QCOMPARE(marks(g), QString("010")); // the mark is left as it was
    QCOMPARE(frm->GdsSelt0Opt->isChecked(), !confirm);
}

void TestStationFrm::deleteRow_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("numbers");
    addRow("yes", "12:x,3:y", true, QString("* (12)번 (이름)를 삭제할까요 ?"), QString("003"));
    addRow("no", "12:x,3:y", false, QString("* (12)번 (이름)를 삭제할까요 ?"), QString("012,003"));
    addRow("only row", "12:x", true, QString("* (12)번 (이름)를 삭제할까요 ?"), QString());
}

void TestStationFrm::deleteRow()
{
    QFETCH(QString, items);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QString, numbers);
    writeGoods(items);
    auto frm = openStation();
    GoodsTable *g = frm->goods();
    g->setCell(1, 3, QStringLiteral(" 이름 "));
    frm->GdsSelt0Opt->setChecked(true);
    frm->setActiveRow(1);
    Dialogs::clearShown();
    Dialogs::queueAnswer(yes);
    frm->GdsDeleteCmd->click();
    QCOMPARE(Dialogs::shown(), QStringList("|" + question));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(g->rows(), numbers.isEmpty() ? 0 : int(numbers.count(',')) + 1);
    QCOMPARE(frm->GdsSelt0Opt->isChecked(), !yes);
}

void TestStationFrm::renumber_data()
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

void TestStationFrm::renumber()
{
    QFETCH(QString, items);
    QFETCH(QString, marked);
    QFETCH(QVariant, answer);
    QFETCH(QString, numbers);
    QFETCH(QString, marksAfter);
    writeGoods(items);
    auto frm = openStation();
    GoodsTable *g = frm->goods();
    for (int r = 1; r <= g->rows(); ++r)
        g->setMark(r, marked[r - 1] == QLatin1Char('1'));
    Dialogs::clearShown();
    Dialogs::queueAnswer(answer);
    frm->GdsMoveCmd->click();
    QCOMPARE(Dialogs::shown(), QStringList("번호변경|* 변경할 번호를 입력하세요 (1~999) ...... ?"));
    QCOMPARE(column(g, 1), numbers);
    QCOMPARE(marks(g), marksAfter);
    QVERIFY(frm->GdsMoveCmd->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

void TestStationFrm::sorts_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("names");
    addRow("by number", "GdsSelt0Opt", QString("001,001,002,003"), QString("가,다,가,나"));
    addRow("by name", "GdsSelt1Opt", QString("001,002,003,001"), QString("가,가,나,다"));
}

void TestStationFrm::sorts()
{
    QFETCH(QString, option);
    QFETCH(QString, numbers);
    QFETCH(QString, names);
    writeGoods("3:나,1:다,2:가,1:가");
    auto frm = openStation();
    auto *opt = child<QRadioButton>(frm.get(), option);
    opt->click();
    QCOMPARE(column(frm->goods(), 1), numbers);
    QCOMPARE(column(frm->goods(), 3), names);
    QVERIFY(opt->isChecked());
}

void TestStationFrm::gridKeys_data()
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

void TestStationFrm::gridKeys()
{
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QString, result);
    writeGoods("1:a,2:b,3:c");
    auto frm = openStation();
    GoodsTable *g = frm->goods();
    g->setMark(1, true);
    frm->setActiveRow(2);
    g_editor.confirm = false;
    Dialogs::clearShown();
    QCOMPARE(QApplication::focusWidget(), frm->vaSpread1);
    QTest::keyClick(frm->vaSpread1, Qt::Key(key), Qt::KeyboardModifiers(mods));
    const QString editor = g_editor.calls ? QString::number(g_editor.mode) : QStringLiteral("-");
    QCOMPARE(marks(g) + "|" + editor + "|" + QString::number(Dialogs::shown().size()), result);
    QCOMPARE(column(g, 1), QString("001,002,003")); // answers were No / cancel
}

void TestStationFrm::emptyListCommands_data()
{
    QTest::addColumn<QString>("button");
    for (const char *b : {"GdsUpdateCmd", "GdsDeleteCmd", "GdsSelectCmd", "GdsMoveCmd"})
        QTest::newRow(b) << QString(b);
}

void TestStationFrm::emptyListCommands()
{
    QFETCH(QString, button);
    auto frm = openStation();
    Dialogs::queueAnswer(true);
    child<QPushButton>(frm.get(), button)->click();
    QCOMPARE(g_editor.calls, 0);
    QCOMPARE(Dialogs::shown(), QStringList());
    QCOMPARE(frm->goods()->rows(), 0);
    QCOMPARE(focusName(), QString("vaSpread1"));
}

void TestStationFrm::doubleClickUpdates()
{
    writeGoods("1:a,2:b,3:c");
    auto frm = openStation();
    g_editor.edit = [](GoodsItem &i) { i.Name = QStringLiteral("바뀜"); };
    const QRect cell = frm->vaSpread1->visualRect(frm->goods()->index(2, 2));
    // The operator's double click: press and release, then the double-click event.
    QTest::mouseClick(frm->vaSpread1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(frm->vaSpread1->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(g_editor.calls, 1);
    QCOMPARE(g_editor.mode, qint16(EditUpdate));
    QCOMPARE(g_editor.seen.Name, QString("c"));
    QCOMPARE(column(frm->goods(), 3), QString("a,b,바뀜"));
}

void TestStationFrm::focusAfterCommand_data()
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

void TestStationFrm::focusAfterCommand()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, focus);
    writeGoods("1:a,2:b");
    auto frm = openStation();
    g_editor.confirm = false;
    frm->LblLengTxt->setFocus();
    QCOMPARE(focusName(), QString("LblLengTxt"));
    for (const QString &name : clicks) {
        auto *b = child<QAbstractButton>(frm.get(), name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    QCOMPARE(focusName(), focus);
    QCOMPARE(frm->ChtSelectFme->isVisible(), focus == QLatin1String("SetExitCmd"));
}

void TestStationFrm::resetColumnWidths_data()
{
    QTest::addColumn<bool>("yes");
    addRow("yes", true);
    addRow("no", false);
}

void TestStationFrm::resetColumnWidths()
{
    QFETCH(bool, yes);
    auto first = openStation();
    const int designed = first->vaSpread1->columnWidth(2);
    first->vaSpread1->setColumnWidth(2, designed + 150);
    first->close(); // writes SRP770FrmColSize.Txt
    first.reset();

    auto frm = openStation();
    const int loaded = frm->vaSpread1->columnWidth(2);
    QVERIFY2(qAbs(loaded - (designed + 150)) <= 8, qPrintable(QString::number(loaded)));
    Dialogs::queueAnswer(yes);
    frm->InitColsRtn->click();
    QCOMPARE(Dialogs::shown().last(), QString("|칼럼 사이즈를 초기화할까요 ?"));
    QCOMPARE(frm->vaSpread1->columnWidth(2), yes ? designed : loaded);
}

// ---------------------------------------------------------------------------------------
// Files

void TestStationFrm::unloadWritesFiles()
{
    Program().BarcodeSetNo = 3;
    auto frm = openStation();
    QCOMPARE(frm->BarSeltLbl->text(), QString("03"));
    g_editor.edit = [](GoodsItem &i) {
        i.Name = QStringLiteral("사과");
        i.Format = 3;
        i.Qty = 2;
        i.Barcodes[1] = QStringLiteral("8801234567893");
    };
    frm->GdsInsertCmd->click();
    frm->LblLengTxt->setFocus();
    QTest::keyClicks(frm->LblLengTxt, "40");
    frm->vaSpread1->setFocus();
    QVERIFY(!QFileInfo::exists(dataPath("SRP770Frm[03].Txt"))); // written on unload only
    frm->ChtExitCmd->click();

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

void TestStationFrm::reopenUnderAnotherSet()
{
    writeFormat({"<LblLeng(1)>'30"}, "00");
    writeGoods("1:영번", "00");
    writeFormat({"<LblLeng(1)>'70", "<BarCode(1:02)>'9"}, "07");
    writeGoods("4:칠번,5:칠번둘", "07");
    RegisterModelWindows();
    mdiMain w;
    w.Bar001->trigger();
    auto *s0 = qobject_cast<StationFrm *>(w.modelWindow("SRP770Frm"));
    QVERIFY(s0);
    QCOMPARE(s0->BarSeltLbl->text(), QString("00"));
    QCOMPARE(s0->LblLengTxt->text(), QString("30"));
    QCOMPARE(column(s0->goods(), 3), QString("영번"));
    s0->formatSet().Fmt[1].LblLeng = 31;

    w.backPanel()->BarSeltOpt[7]->click();
    w.Bar001->trigger(); // the open station unloads (saves under 00) and opens under 07
    auto *s7 = qobject_cast<StationFrm *>(w.modelWindow("SRP770Frm"));
    QVERIFY(s7);
    QCOMPARE(s7->BarSeltLbl->text(), QString("07"));
    QCOMPARE(s7->LblLengTxt->text(), QString("70"));
    QCOMPARE(s7->BarCodeLbl[2]->text(), QString("EAN8"));
    QCOMPARE(column(s7->goods(), 1), QString("004,005"));
    QVERIFY(TextFile::readLines(dataPath("SRP770Frm[00].Txt")).contains("<LblLeng(1)>'31"));
    QVERIFY(TextFile::readLines(dataPath("SRP770Frm[07].Txt")).contains("<LblLeng(1)>'70"));
    w.unloadAll();
}

void TestStationFrm::formatDisplay_data()
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

void TestStationFrm::formatDisplay()
{
    QFETCH(QString, line);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    writeFormat({line});
    auto frm = openStation();
    QCOMPARE(textOf(child(frm.get(), control)), shown);
}

void TestStationFrm::portAndDirection()
{
    writeFormat({"<BarComPort>'2", "<BarComSpeed>'6", "<LblDegree(1)>'1"});
    auto frm = openStation();
    QVERIFY(frm->BarComPortOpt[2]->isChecked());
    QVERIFY(frm->BarComSpeedOpt[6]->isChecked());
    QVERIFY(frm->LblDegree1Opt->isChecked());
    QVERIFY(frm->BarFormOpt[1]->isChecked());
    frm->BarComPortOpt[3]->click();
    QCOMPARE(frm->formatSet().BarComPort, qint16(3));
    frm->formatSet().BarComPort = 0; // port 0: the options are left as they are
    frm->BarFormOpt[2]->click();
    QVERIFY(frm->BarComPortOpt[3]->isChecked());
    QVERIFY(frm->LblDegree0Opt->isChecked());
    frm->LblDegree1Opt->click();
    QCOMPARE(frm->formatSet().Fmt[2].LblDegree, qint16(1));
    QCOMPARE(frm->formatSet().Fmt[1].LblDegree, qint16(1));
}

// ---------------------------------------------------------------------------------------
// Element editors

void TestStationFrm::fieldKeys_data()
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

void TestStationFrm::fieldKeys()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    auto frm = openStation();
    frm->TxtExOnCmd->click();
    auto *box = child<QLineEdit>(frm.get(), from);
    box->setFocus();
    QCOMPARE(focusName(), from);
    QTest::keyClicks(box, "12");
    QTest::keyClick(box, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(focusName(), to);
    if (to != from) // moving on stored the value and rewrote the box
        QCOMPARE(box->text(), QString("12"));
}

void TestStationFrm::fieldRanges_data()
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

void TestStationFrm::fieldRanges()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    auto frm = openStation();
    frm->TxtExOnCmd->click();
    frm->BarFormOpt[4]->click(); // values go to the format on screen
    auto *box = child<QLineEdit>(frm.get(), field);
    box->setFocus();
    QTest::keyClicks(box, typed);
    frm->vaSpread1->setFocus();
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

void TestStationFrm::focusColours_data()
{
    QTest::addColumn<QString>("field");
    for (const char *f :
         {"LblLengTxt", "BarHeightTxt2", "TxtXxTxt10", "TxtSizeTxt3", "TxtStringTxt7"})
        QTest::newRow(f) << QString(f);
}

void TestStationFrm::focusColours()
{
    QFETCH(QString, field);
    auto frm = openStation();
    frm->TxtExOnCmd->click();
    auto *box = child<QLineEdit>(frm.get(), field);
    box->setFocus();
    QCOMPARE(box->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0x80)); // &H0080FFFF
    frm->vaSpread1->setFocus();
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestStationFrm::fixedText_data()
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

void TestStationFrm::fixedText()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    auto frm = openStation();
    frm->TxtExOnCmd->click();
    frm->BarFormOpt[5]->click();
    frm->TxtStringTxt[6]->setFocus();
    frm->TxtStringTxt[6]->setText(typed);
    frm->vaSpread1->setFocus();
    QCOMPARE(frm->formatSet().Fmt[5].Txt[6].TxtString, stored);
    QCOMPARE(frm->TxtStringTxt[6]->text(), stored);
}

void TestStationFrm::optionPanels_data()
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

void TestStationFrm::optionPanels()
{
    QFETCH(QString, open);
    QFETCH(QList<int>, before);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, clicks);
    QFETCH(QString, button);
    QFETCH(QList<int>, after);
    QFETCH(QStringList, labels);
    auto frm = openStation();
    frm->BarFormOpt[2]->click();
    QString kind = open;
    while (kind.back().isDigit())
        kind.chop(1);
    const int n = open.mid(kind.size()).toInt();
    LabelFormat &f = frm->formatSet().Fmt[2];
    // The element's values of this panel, with their labels.
    QList<qint16 *> values;
    QList<QLabel *> shown;
    if (kind == "BarCodeCmd") {
        values = {&f.Bar[n].BarCode, &f.Bar[n].BarDen};
        shown = {frm->BarCodeLbl[n], frm->BarDenLbl[n]};
    } else if (kind == "BarHmReadCmd") {
        values = {&f.Bar[n].BarHmRead};
        shown = {frm->BarHmReadLbl[n]};
    } else if (kind == "TxtFontCmd") {
        values = {&f.Txt[n].TxtFont};
        shown = {frm->TxtFontLbl[n]};
    } else if (kind == "TxtYxSizeCmd") {
        values = {&f.Txt[n].TxtYSize, &f.Txt[n].TxtXSize};
        shown = {frm->TxtYSizeLbl[n], frm->TxtXSizeLbl[n]};
    } else {
        values = {&f.Txt[n].TxtRvs};
        shown = {frm->TxtRvsLbl[n]};
    }
    for (int i = 0; i < values.size(); ++i)
        *values[i] = qint16(before[i]);
    frm->showFormat();

    child<QPushButton>(frm.get(), open)->click();
    QFrame *panel = qobject_cast<QFrame *>(child<QPushButton>(frm.get(), button)->parentWidget());
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
        child<QRadioButton>(panel, c)->click();
    child<QPushButton>(panel, button)->click();
    QVERIFY(!panel->isVisible());
    QList<int> now;
    QStringList texts;
    for (int i = 0; i < values.size(); ++i) {
        now << *values[i];
        texts << shown[i]->text();
    }
    QCOMPARE(now, after);
    QCOMPARE(texts, labels);
}

void TestStationFrm::panelButtonToggles_data()
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

void TestStationFrm::panelButtonToggles()
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
    writeFormat(lines);
    auto frm = openStation();
    const FormatSet original = frm->formatSet();
    // Every panel opens in the column of the barcode type panel.
    frm->BarCodeCmd[1]->click();
    const int left = frm->BarCodeFme->x();
    frm->BarCodeCmd[1]->click();
    QVERIFY(!frm->BarCodeFme->isVisible());
    auto *p = child<QFrame>(frm.get(), panel);
    auto *first = child<QPushButton>(frm.get(), kind + "1");
    auto *second = child<QPushButton>(frm.get(), kind + "2");
    auto *third = child<QPushButton>(frm.get(), kind + "3");

    first->click();
    QVERIFY(p->isVisible());
    QCOMPARE(p->y(), frm->BarFormFme->y() + first->mapTo(frm->BarFormFme, QPoint()).y());
    QCOMPARE(p->x(), left);
    third->click(); // closes; does not switch to element 3
    QVERIFY(!p->isVisible());
    QCOMPARE(frm->formatSet(), original);

    second->click();
    QCOMPARE(p->y(), frm->BarFormFme->y() + first->mapTo(frm->BarFormFme, QPoint()).y());
    child<QPushButton>(p, clear)->click();
    FormatSet changed = frm->formatSet();
    QVERIFY(!(changed == original));
    // Only element 2 was cleared.
    changed.Fmt[1].Bar[2] = original.Fmt[1].Bar[2];
    changed.Fmt[1].Txt[2] = original.Fmt[1].Txt[2];
    QCOMPARE(changed, original);
}

void TestStationFrm::switchingFormatRedisplays()
{
    writeFormat({"<LblLeng(1)>'40", "<LblLeng(2)>'60", "<BarCode(2:01)>'2", "<TxtRight(2:01)>'5"});
    auto frm = openStation();
    frm->TxtExOnCmd->click();
    QCOMPARE(frm->LblLengTxt->text(), QString("40"));
    QCOMPARE(frm->TxtSizeTxt[1]->text(), QString());
    frm->BarFormOpt[2]->click();
    QCOMPARE(frm->LblLengTxt->text(), QString("60"));
    QCOMPARE(frm->BarCodeLbl[1]->text(), QString("Code128"));
    QCOMPARE(frm->TxtSizeTxt[1]->text(), QString("5"));
    QCOMPARE(focusName(), QString("vaSpread1"));

    frm->LblLengTxt->setFocus();
    frm->LblLengTxt->setText("61");
    frm->vaSpread1->setFocus();
    QCOMPARE(frm->formatSet().Fmt[2].LblLeng, 61);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, 40);

    // A panel left open keeps its element and confirms into the format now shown.
    frm->BarCodeCmd[1]->click();
    frm->BarFormOpt[3]->click();
    QVERIFY(frm->BarCodeFme->isVisible());
    frm->BarCodeOpt[4]->click();
    child<QPushButton>(frm.get(), "BarCodeEnterCmd")->click();
    QCOMPARE(frm->formatSet().Fmt[3].Bar[1].BarCode, qint16(4));
    QCOMPARE(frm->formatSet().Fmt[2].Bar[1].BarCode, qint16(2));
    QCOMPARE(frm->BarCodeLbl[1]->text(), QString("Codabar"));
}

void TestStationFrm::extensionPanel()
{
    auto frm = openStation();
    QVERIFY(!frm->TxtExtFme->isVisible());
    QCOMPARE(frm->TxtExOnCmd->text(), QString("+"));
    QCOMPARE(frm->TxtExOffCmd->text(), QString("-"));
    frm->TxtExOnCmd->click();
    QVERIFY(frm->TxtExtFme->isVisible());
    QStringList captions;
    for (QLabel *l : frm->TxtExtFme->findChildren<QLabel *>())
        captions << l->text();
    for (const char *c :
         {"텍스트설정", "길이", "고정문자", "* [길이] : 입력시 우측부터 인쇄되며 좌측여백 임",
          "* [고정] : 모든 품목에 인쇄 될 고정문자열"})
        QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
    frm->TxtExOnCmd->click(); // "+" only shows
    QVERIFY(frm->TxtExtFme->isVisible());
    frm->TxtExOffCmd->click();
    QVERIFY(!frm->TxtExtFme->isVisible());
}

QTEST_MAIN(TestStationFrm)
#include "tst_stationfrm.moc"
