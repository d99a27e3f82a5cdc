#include "app/backgrdfrm.h"
#include "app/mdimain.h"
#include "app/namelabel.h"
#include "common/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"

#include <QAction>
#include <QLineEdit>
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
    void openingClosesAndReopens();
    void exitSavesStationsThenWritesFile();

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

QTEST_MAIN(TestMdiMain)
#include "tst_mdimain.moc"
