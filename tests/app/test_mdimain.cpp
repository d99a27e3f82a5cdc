// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backgrdfrm.h"
#include "app/mdimain.h"
#include "app/namelabel.h"
#include "support/addrow.h"
#include "widgets/dialogs.h"
#include "widgets/statuslog.h"
#include "common/programstate.h"
#include "common/safesave.h"
#include "common/textfile.h"
#include "model/barcodesetfile.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A model window of the tests' own: remembers the set it was opened under and counts the
// unloads (where a station saves).
int g_unloads = 0;

class FakeStation : public QWidget {
public:
    int setNo = Program().BarcodeSetNo;
    void closeEvent(QCloseEvent *e) override
    {
        ++g_unloads;
        e->accept();
    }
};

QColor textColour(QWidget *w)
{
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class TestMdiMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void firstStartWritesDefaultsOnClose();
    void selectingSetPaintsColours();
    void renamingThroughTheBox();
    void renamingByMouseAndKeys_data();
    void renamingByMouseAndKeys();
    void singleClickOnNameGoesToFirstModel();
    void openingClosesAndReopens();
    void closingWideStationRestoresWindow_data();
    void closingWideStationRestoresWindow();
    void exitSavesStationsThenWritesFile();
    void setFileChangedMeanwhile_data();
    void setFileChangedMeanwhile();
    void bringForwardRestoresAMinimizedWindow();
    void statusLineAndLog();

private:
    QTemporaryDir *m_dir = nullptr;
    QString dataDir() const { return m_dir->filePath("Data"); }
    QString setFile() const { return dataDir() + "/QelBarcodeSet.Txt"; }
};

void TestMdiMain::init()
{
    m_dir = new QTemporaryDir;
    Program() = ProgramState();
    Program().DataDirOverride = dataDir();
    Dialogs::setTestMode(true);
    g_unloads = 0;
    mdiMain::registerWindow("SRP770Frm", [] { return new FakeStation; });
}

void TestMdiMain::cleanup()
{
    delete m_dir;
}

void TestMdiMain::firstStartWritesDefaultsOnClose()
{
    {
        mdiMain w;
        QCOMPARE(w.windowTitle(), QString("바코드 프린터 작업"));
        // The offscreen screen is 800 x 800, at most 1024 x 768: the window opens maximised.
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QVERIFY(QFileInfo(dataDir()).isDir()); // created on start
        QVERIFY(w.backPanel()->BarSeltOpt[0]->isChecked());
        QCOMPARE(w.backPanel()->BarSeltOpt[0]->text(), QString("00"));
        QCOMPARE(w.backPanel()->BarSeltOpt[21]->text(), QString("21"));
        w.close();
    }
    const QStringList lines = TextFile::readLines(setFile());
    QCOMPARE(lines.size(), 23);
    QCOMPARE(lines[0], QString("0"));
    QCOMPARE(lines.mid(1), QStringList(22, "?"));
}

void TestMdiMain::selectingSetPaintsColours()
{
    mdiMain w;
    BackGrdFrm *b = w.backPanel();
    b->BarSeltOpt[7]->click();
    QCOMPARE(Program().BarcodeSetNo, 7);
    QCOMPARE(textColour(b->BarSeltOpt[7]), QColor(Qt::black));
    QCOMPARE(textColour(b->BarNameLbl[7]), QColor(Qt::black));
    QCOMPARE(textColour(b->BarSeltOpt[0]), QColor(0x80, 0x80, 0x80));
    QCOMPARE(textColour(b->BarNameLbl[21]), QColor(0x80, 0x80, 0x80));
    QVERIFY(!QFileInfo::exists(setFile())); // not written on selection
}

void TestMdiMain::renamingThroughTheBox()
{
    mdiMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    BackGrdFrm *b = w.backPanel();
    b->BarNameLbl_DblClick(3);
    QVERIFY(b->BarNameTxt->isVisible());
    b->BarNameTxt->setText("  과일 '특가' 코너  ");
    QTest::keyClick(b->BarNameTxt, Qt::Key_Up); // stays in the box
    QVERIFY(b->BarNameTxt->isVisible());
    QTest::keyClick(b->BarNameTxt, Qt::Key_Return);
    QVERIFY(!b->BarNameTxt->isVisible());
    QCOMPARE(Program().BarcodeSetNames[3], QString("과일 `특가` 코너"));
    QCOMPARE(b->BarNameLbl[3]->text(), QString("과일 `특가` 코너"));
    w.close();
    QCOMPARE(TextFile::readLines(setFile()).value(4), QString("과일 `특가` 코너"));
}

void TestMdiMain::renamingByMouseAndKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("open");    // the box still shown after the key
    QTest::addColumn<QString>("name"); // name of set 3 afterwards
    QTest::newRow("Enter stores") << int(Qt::Key_Return) << false << "Fruit 7";
    QTest::newRow("keypad Enter stores") << int(Qt::Key_Enter) << false << "Fruit 7";
    QTest::newRow("Down stores") << int(Qt::Key_Down) << false << "Fruit 7";
    QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << false << "채소";
    QTest::newRow("Up stays in the box") << int(Qt::Key_Up) << true << "채소";
}

void TestMdiMain::renamingByMouseAndKeys()
{
    QFETCH(int, key);
    QFETCH(bool, open);
    QFETCH(QString, name);
    BarcodeSetFile::Contents sets;
    sets.names[3] = QStringLiteral("채소");
    QVERIFY(QDir().mkpath(dataDir()));
    QVERIFY(BarcodeSetFile::write(setFile(), sets));
    mdiMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    BackGrdFrm *b = w.backPanel();
    QTest::mouseDClick(b->BarNameLbl[3], Qt::LeftButton);
    QVERIFY(b->BarNameTxt->isVisible());
    QVERIFY(b->BarNameTxt->hasFocus());
    QCOMPARE(b->BarNameTxt->text(), QStringLiteral("채소"));
    b->BarNameTxt->selectAll();
    QTest::keyClicks(b->BarNameTxt, QStringLiteral("Fruit 7"));
    QTest::keyClick(b->BarNameTxt, Qt::Key(key));
    QCOMPARE(b->BarNameTxt->isVisible(), open);
    QCOMPARE(b->BarNameTxt->hasFocus(), open);
    QCOMPARE(b->Mnu001Cmd->hasFocus(), !open);
    QCOMPARE(Program().BarcodeSetNames[3], name);
    QCOMPARE(b->BarNameLbl[3]->text(), name);
}

void TestMdiMain::singleClickOnNameGoesToFirstModel()
{
    mdiMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    BackGrdFrm *b = w.backPanel();
    b->BarSeltOpt[4]->setFocus();
    QTest::mouseClick(b->BarNameLbl[4], Qt::LeftButton);
    QVERIFY(b->Mnu001Cmd->hasFocus());
    QVERIFY(!b->BarNameTxt->isVisible());
}

void TestMdiMain::openingClosesAndReopens()
{
    mdiMain w;
    w.backPanel()->BarSeltOpt[7]->click();
    auto *first = static_cast<FakeStation *>(w.openModelWindow("SRP770Frm"));
    QVERIFY(first);
    QCOMPARE(first->setNo, 7);
    QCOMPARE(g_unloads, 0);

    w.backPanel()->BarSeltOpt[2]->click();
    QPointer<QWidget> old = first;
    w.backPanel()->Mnu001Cmd->click(); // same as the menu item: close and reopen
    QCOMPARE(g_unloads, 1);
    QVERIFY(old.isNull());
    auto *second = static_cast<FakeStation *>(w.modelWindow("SRP770Frm"));
    QVERIFY(second);
    QCOMPARE(second->setNo, 2);
    QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
    QVERIFY(!w.openModelWindow("NoSuchFrm"));
}

void TestMdiMain::closingWideStationRestoresWindow_data()
{
    QTest::addColumn<bool>("resizedMeanwhile");
    QTest::newRow("untouched") << false;
    QTest::newRow("resized by the operator") << true;
}

void TestMdiMain::closingWideStationRestoresWindow()
{
    QFETCH(bool, resizedMeanwhile);
    mdiMain::registerWindow("AL300Frm", [] {
        auto *wide = new FakeStation;
        wide->setMinimumSize(760, 300);
        return wide;
    });
    mdiMain w;
    w.setWindowState(Qt::WindowNoState);
    w.resize(500, 400);
    w.move(30, 40);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect before = w.geometry();
    w.openModelWindow("AL300Frm");
    QVERIFY(w.width() > before.width()); // widened for the station
    if (resizedMeanwhile)
        w.resize(w.width(), 600);
    const QRect after = w.geometry();
    QPointer<QWidget> station = w.modelWindow("AL300Frm");
    station->parentWidget()->close();
    QTRY_VERIFY(station.isNull());
    QCoreApplication::processEvents();
    QCOMPARE(w.geometry(), resizedMeanwhile ? after : before);
}

void TestMdiMain::exitSavesStationsThenWritesFile()
{
    mdiMain w;
    w.show();
    w.backPanel()->BarSeltOpt[5]->click();
    w.Bar001->trigger();
    QVERIFY(w.modelWindow("SRP770Frm"));
    w.ExitMnu->trigger();
    QCOMPARE(g_unloads, 1); // the station got its unload step
    QCOMPARE(TextFile::readLines(setFile()).value(0), QString("5"));
}

void TestMdiMain::setFileChangedMeanwhile_data()
{
    QTest::addColumn<bool>("selectHere");
    QTest::addColumn<int>("answer"); // -1: nothing asked
    addRow("nothing chosen here: theirs stays", false, -1);
    addRow("set chosen here, theirs kept", true, 0);
    addRow("set chosen here, mine written", true, 1);
    addRow("set chosen here, mine as a copy", true, 2);
}

void TestMdiMain::setFileChangedMeanwhile()
{
    QFETCH(bool, selectHere);
    QFETCH(int, answer);
    auto bytes = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    QDir().mkpath(dataDir());
    QVERIFY(SafeSave::write(setFile(), "3\r\n"));
    Dialogs::clearShown();
    {
        mdiMain w;
        if (selectHere)
            w.backPanel()->BarSeltOpt[5]->click();
        const QByteArray theirs = TextFile::toBytes(QStringList{"9"} + QStringList(22, "?"));
        QVERIFY(SafeSave::write(setFile(), theirs));
        if (answer >= 0)
            Dialogs::queueAnswer(answer);
        w.close();
        QCOMPARE(Dialogs::shown().size(), answer < 0 ? 0 : 1);
        const QByteArray mine = TextFile::toBytes(QStringList{"5"} + QStringList(22, "?"));
        QCOMPARE(bytes(setFile()), answer == 1 ? mine : theirs);
        QCOMPARE(bytes(dataDir() + "/QelBarcodeSet 사본.Txt"),
                 answer == 2 ? mine : QByteArray("<missing>"));
    }
    Dialogs::clearQueue();
}

void TestMdiMain::bringForwardRestoresAMinimizedWindow()
{
    mdiMain w;
    w.show();
    w.showMinimized();
    QVERIFY(w.isMinimized());
    w.bringForward();
    QVERIFY(!w.isMinimized());
    QTRY_VERIFY(w.isActiveWindow());
}

// What a window posts shows in the status line; "기록" lists the last lines, newest first.
void TestMdiMain::statusLineAndLog()
{
    mdiMain w;
    w.show();
    QWidget *station = w.openModelWindow("SRP770Frm");
    QVERIFY(station);
    StatusLog::post(station, QStringLiteral("저장: SRP770Frm[00].Txt, SRP770Dat[00].Txt"));
    StatusLog::post(station, QStringLiteral("발행 중지: 120/300장"));
    QCOMPARE(w.sBrMsgLbl->text(), QStringLiteral("발행 중지: 120/300장"));
    QCOMPARE(w.sBrLogCmd->accessibleName(), QStringLiteral("최근 메시지"));
    QTest::mouseClick(w.sBrLogCmd, Qt::LeftButton);
    auto *list = w.findChild<QListWidget *>(QStringLiteral("StatusLogLst"));
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->count(), 2);
    QVERIFY(list->item(0)->text().endsWith(QStringLiteral("발행 중지: 120/300장")));
    QVERIFY(list->item(1)->text().endsWith(QStringLiteral("저장: SRP770Frm[00].Txt, SRP770Dat[00].Txt")));
}

QTEST_MAIN(TestMdiMain)
#include "test_mdimain.moc"
