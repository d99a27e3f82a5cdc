// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/prebuilder.h"

#include "station/al300frm.h"
#include "common/cp949codec.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "leo60d/leo60dfrm.h"
#include "leo60d/textgridmodel.h"
#include "model/goodstable.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include "support/goodsrows.h"

#include <QtTest>

#include <sys/stat.h>

#include <memory>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray spaces(int fields)
{
    return QByteArray("' ").repeated(fields);
}

// Three used fields and one of length 0; the second record is blank.
PreBuilder goodsFile()
{
    PreBuilder pre;
    pre.setRecordLength(40);
    pre.setField(0, 1, 13, 1, QStringLiteral("코드"));
    pre.setField(1, 14, 12, 0, QStringLiteral("상품명"), ' ');
    pre.setField(2, 26, 10, 0, QStringLiteral("규격"));
    pre.setField(3, 1, 0, 0, QStringLiteral("예비"));
    pre.addRecord(
        {QStringLiteral("8801111111111"), QStringLiteral("사과주스"), QStringLiteral("1,000ml")});
    pre.addRecord({});
    pre.addRecord({QStringLiteral("8803333333333"), QStringLiteral("O'Farm 배"), QString()}, ' ');
    return pre;
}

} // namespace

class TestLeo60DFrm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void opensOnTheSelectedSet();
    void loadShowsBothGrids();
    void columnBoxesAndWrite();
    void answerNoWritesNothing();
    void openStationTakesTheConversion();
    void refusedFilesKeepTheGrids_data();
    void refusedFilesKeepTheGrids();
    void onlyTheFirst999RecordsAreRead();
    void headerOnlyFileOpensNoCopyPanel();
    void replacingAsksAndCanBeUndone();
    void saveFailureIsReported();
    void settingsPanel();
    void exitClosesTheMdiWindow();
    void screenshot();

private:
    template <typename T> T *child(const char *name)
    {
        T *w = m_frm->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("control %s missing", name);
        return w;
    }
    void openWindow();
    void loadFile(const QString &path);
    void typeInto(const char *box, const QString &text);

    QTemporaryDir m_dir;
    std::unique_ptr<LEO60DFrm> m_frm;
};

void TestLeo60DFrm::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Dialogs::setTestMode(true);
    Program().DataDirOverride = m_dir.filePath(QStringLiteral("Data"));
    Program().BarcodeSetNo = 7;
    QVERIFY(goodsFile().save(m_dir.filePath(QStringLiteral("goods.pre"))));
}

void TestLeo60DFrm::init()
{
    Dialogs::clearQueue();
    Dialogs::clearShown();
    QFile::remove(m_dir.filePath(QStringLiteral("Data/AL300Dat[07].Txt")));
}

void TestLeo60DFrm::cleanup()
{
    m_frm.reset();
}

void TestLeo60DFrm::openWindow()
{
    m_frm = std::make_unique<LEO60DFrm>();
    m_frm->setAttribute(Qt::WA_DeleteOnClose, false);
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowActive(m_frm.get()));
}

void TestLeo60DFrm::loadFile(const QString &path)
{
    auto *box = child<QLineEdit>("GdsTfileTxt");
    box->setFocus();
    box->setText(QStringLiteral("  ") + path + QStringLiteral(" "));
    QTest::keyClick(box, Qt::Key_Return);
}

void TestLeo60DFrm::typeInto(const char *name, const QString &text)
{
    auto *box = child<QLineEdit>(name);
    box->setFocus();
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void TestLeo60DFrm::opensOnTheSelectedSet()
{
    openWindow();
    QCOMPARE(m_frm->windowTitle(), QStringLiteral("LEO-60D+ 등록상품을 텍스트로 변환 ( ~.pre )"));
    QCOMPARE(child<QLabel>("BarSeltLbl")->text(), QStringLiteral("07"));
    QCOMPARE(QFileInfo(m_frm->targetFileName()).fileName(), QStringLiteral("AL300Dat[07].Txt"));
    QCOMPARE(QFileInfo(m_frm->targetFileName()).dir().dirName(), QStringLiteral("Data"));
    QVERIFY(!child<QGroupBox>("BarCopyFme")->isVisible());
    QVERIFY(!child<QGroupBox>("ChtSelectFme")->isVisible());
    // Without a file name the button does nothing and stays usable.
    QTest::mouseClick(child<QPushButton>("ChtViewCmd"), Qt::LeftButton);
    QVERIFY(Dialogs::shown().isEmpty());
    QVERIFY(child<QPushButton>("ChtViewCmd")->isEnabled());
    QCOMPARE(m_frm->goodsModel()->rowCount(), 0);
    QCOMPARE(m_frm->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^BarColTxt\\d+$")))
                 .size(),
             3);
    QCOMPARE(m_frm->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^TxtColTxt\\d+$")))
                 .size(),
             10);
}

void TestLeo60DFrm::loadShowsBothGrids()
{
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    QVERIFY(Dialogs::shown().isEmpty());

    auto *layoutView = child<QTableView>("vaSpread2");
    QAbstractItemModel *layout = layoutView->model();
    QCOMPARE(layout, m_frm->layoutModel());
    QCOMPARE(layout->rowCount(), 26);
    QCOMPARE(layout->columnCount(), 4);
    auto at = [layout](int r, int c) { return layout->index(r, c).data().toString(); };
    QCOMPARE((QStringList{at(1, 0), at(1, 1), at(1, 2), at(1, 3)}),
             (QStringList{QStringLiteral("상품명"), QStringLiteral("14"), QStringLiteral("12"),
                          QStringLiteral("0")}));
    QCOMPARE(at(0, 3), QStringLiteral("1"));
    QCOMPARE(at(3, 2), QStringLiteral("0"));
    QCOMPARE(at(24, 0), QString());
    QCOMPARE(at(25, 0), QStringLiteral("합계"));
    QCOMPARE(at(25, 2), QStringLiteral("40"));
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(layout->index(25, c).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(layout->index(25, c).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(255, 255, 128));
    }
    QVERIFY(!layout->index(24, 0).data(Qt::BackgroundRole).isValid());

    QAbstractItemModel *goods = child<QTableView>("vaSpread1")->model();
    QCOMPARE(goods->rowCount(), 3);
    QCOMPARE(goods->columnCount(), 25);
    QCOMPARE(goods->headerData(0, Qt::Horizontal).toString(), QStringLiteral("코드"));
    QCOMPARE(goods->headerData(2, Qt::Horizontal).toString(), QStringLiteral("규격"));
    QCOMPARE(goods->headerData(10, Qt::Horizontal).toString(), QString());
    QCOMPARE(goods->index(0, 1).data().toString(), QStringLiteral("사과주스"));
    QCOMPARE(goods->index(0, 2).data().toString(), QStringLiteral("1,000ml"));
    QCOMPARE(goods->index(0, 3).data().toString(), QString()); // length 0
    QCOMPARE(goods->index(1, 0).data().toString(), QString());
    QCOMPARE(goods->index(2, 1).data().toString(), QStringLiteral("O'Farm 배"));
    QCOMPARE(child<QLineEdit>("RecLengTxt")->text(), QStringLiteral("40"));
    QVERIFY(child<QPushButton>("ChtViewCmd")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QTableView>("vaSpread1"));
}

void TestLeo60DFrm::columnBoxesAndWrite()
{
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    auto *panel = child<QGroupBox>("BarCopyFme");
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("BarExitCmd"));

    typeInto("BarColTxt1", QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("BarColTxt2"));
    // The box with the focus is light yellow, the one left behind white again.
    QCOMPARE(child<QLineEdit>("BarColTxt2")->palette().color(QPalette::Base),
             QColor(255, 255, 128));
    QCOMPARE(child<QLineEdit>("BarColTxt1")->palette().color(QPalette::Base), QColor(Qt::white));
    typeInto("BarColTxt2", QStringLiteral("01"));
    typeInto("BarColTxt3", QStringLiteral("26")); // beyond the 25 columns
    typeInto("TxtColTxt1", QStringLiteral("2"));
    typeInto("TxtColTxt2", QStringLiteral("3"));
    typeInto("TxtColTxt3", QStringLiteral("x"));
    typeInto("TxtColTxt4", QStringLiteral("0"));
    QCOMPARE(child<QLineEdit>("BarColTxt2")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>("BarColTxt3")->text(), QString());
    QCOMPARE(child<QLineEdit>("TxtColTxt3")->text(), QString());
    QCOMPARE(child<QLineEdit>("TxtColTxt4")->text(), QString());
    // Up goes back one box.
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("TxtColTxt5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("TxtColTxt4"));

    Dialogs::queueAnswer(true);
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton);
    QCOMPARE(Dialogs::shown().value(0), QStringLiteral("|* 품목데이타를 [07]번으로 저장할까요 ?"));
    // Then what was converted.
    QVERIFY2(Dialogs::shown().value(1).startsWith(
                 QStringLiteral("변환|* 품목 2개를 AL300Dat[07].Txt로 변환했습니다.")),
             qPrintable(Dialogs::shown().value(1)));
    const QByteArray expected =
        "<000001>'1'?'1'0'8801111111111'8801111111111' '" +
        Cp949Codec::encode(QStringLiteral("사과주스")) + "'1?000ml" + spaces(18) + "'~\r\n" +
        "<000003>'3'?'1'0'8803333333333'8803333333333' '" +
        Cp949Codec::encode(QStringLiteral("O`Farm 배")) + "'" + spaces(18) + "'~\r\n";
    QCOMPARE(readAll(m_frm->targetFileName()), expected);
    QVERIFY(!panel->isVisible());
    QVERIFY(child<QPushButton>("BarEnterCmd")->isEnabled());

    // The AL-300 station opened afterwards under the same set shows the converted goods.
    {
        AL300Frm station;
        const GoodsTable *goods = station.goods();
        QCOMPARE(goods->rows(), 2);
        QCOMPARE(goods->cell(1, 1), QStringLiteral("001"));
        QCOMPARE(goods->cell(2, 1), QStringLiteral("003"));
        QCOMPARE(goods->cell(1, 3), QStringLiteral("?"));
        QCOMPARE(goods->cell(1, 6), QStringLiteral("8801111111111"));
        QCOMPARE(goods->cell(1, 9), QStringLiteral("사과주스"));
        QCOMPARE(goods->cell(2, 9), QStringLiteral("O`Farm 배"));
    }

    // Opening the panel again starts with empty boxes; the button closes it again.
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(child<QLineEdit>("BarColTxt1")->text(), QString());
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

void TestLeo60DFrm::answerNoWritesNothing()
{
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    typeInto("BarColTxt1", QStringLiteral("1"));
    Dialogs::queueAnswer(false);
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton);
    QVERIFY(!QFile::exists(m_frm->targetFileName()));
    QVERIFY(child<QGroupBox>("BarCopyFme")->isVisible());
    QTest::mouseClick(child<QPushButton>("BarExitCmd"), Qt::LeftButton);
    QVERIFY(!child<QGroupBox>("BarCopyFme")->isVisible());
}

void TestLeo60DFrm::refusedFilesKeepTheGrids_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = goodsFile().build();
    const QString unknown = QStringLiteral("오류|알수없는 파일임 !");
    QTest::newRow("missing") << QStringLiteral("none.pre") << QByteArray()
                             << QStringLiteral("오류|파일명 오류발생 !");
    QTest::newRow("short") << QStringLiteral("short.pre") << good.left(700) << unknown;
    QByteArray zero = good;
    zero[246] = 0;
    QTest::newRow("record length 0") << QStringLiteral("zero.pre") << zero << unknown;
    QTest::newRow("too long") << QStringLiteral("long.pre")
                              << good + QByteArray(300001 - good.size() + 1, ' ') << unknown;
    QTest::newRow("other file") << QStringLiteral("other.pre")
                                << QByteArray("MZ").leftJustified(2000, '\0') << unknown;
    // Nothing waits for a FIFO's writer.
    QTest::newRow("FIFO") << QStringLiteral("fifo.pre") << QByteArray("<fifo>")
                          << QStringLiteral("오류|파일명 오류발생 !");
}

void TestLeo60DFrm::refusedFilesKeepTheGrids()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(file);
    if (bytes == "<fifo>") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (!bytes.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    loadFile(path);
    QCOMPARE(Dialogs::shown(), QStringList{message});
    QCOMPARE(m_frm->goodsModel()->rowCount(), 3);
    QCOMPARE(m_frm->goodsModel()->cell(0, 1), QStringLiteral("사과주스"));
    QCOMPARE(m_frm->goodsModel()->headers().value(1), QStringLiteral("상품명"));
    QCOMPARE(m_frm->layoutModel()->rowCount(), 26);
    QCOMPARE(child<QLineEdit>("RecLengTxt")->text(), QStringLiteral("40"));
    QVERIFY(child<QPushButton>("ChtViewCmd")->isEnabled());
}

void TestLeo60DFrm::openStationTakesTheConversion()
{
    // The AL-300 station shows set 07, still empty, while the goods are converted into it.
    AL300Frm station;
    station.show();
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    typeInto("BarColTxt1", QStringLiteral("1"));
    Dialogs::queueAnswer(true); // save the conversion
    Dialogs::queueAnswer(true); // the station: read the new list
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton);
    const QByteArray converted = readAll(m_frm->targetFileName());
    QVERIFY(converted.startsWith("<000001>'1'?'1'0'8801111111111'"));
    QTRY_COMPARE(station.goods()->rows(), 2);
    QVERIFY(Dialogs::shown().last().contains(QStringLiteral("다시 읽을까요 ?")));
    QCOMPARE(station.goods()->cell(2, 6), QStringLiteral("8803333333333"));
    // Closing the station keeps the converted goods (in the station's own line form).
    station.close();
    GoodsTable kept;
    QVERIFY(kept.load(m_frm->targetFileName()));
    QCOMPARE(kept.rows(), 2);
    QCOMPARE(kept.cell(1, 6), QStringLiteral("8801111111111"));
}

void TestLeo60DFrm::onlyTheFirst999RecordsAreRead()
{
    PreBuilder pre;
    pre.setRecordLength(2);
    pre.setField(0, 1, 2, 0, QStringLiteral("코드"));
    for (int r = 1; r <= 1200; ++r)
        pre.appendRaw(QByteArray::number(r % 100).rightJustified(2, '0'));
    QVERIFY(pre.save(m_dir.filePath(QStringLiteral("many.pre"))));
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("many.pre")));
    QCOMPARE(Dialogs::shown(),
             QStringList{QStringLiteral(
                 "오류|* 파일에 품목이 1200개 있습니다. 처음 999개만 읽었습니다 !")});
    QCOMPARE(m_frm->goodsModel()->rowCount(), 999);
}

void TestLeo60DFrm::headerOnlyFileOpensNoCopyPanel()
{
    PreBuilder pre = goodsFile();
    const QByteArray header = pre.build().left(768);
    const QString path = m_dir.filePath(QStringLiteral("empty.pre"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(header);
    f.close();
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    loadFile(path);
    QVERIFY(Dialogs::shown().isEmpty());
    QCOMPARE(m_frm->goodsModel()->rowCount(), 0);
    QCOMPARE(m_frm->layoutModel()->rowCount(), 26);
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(!child<QGroupBox>("BarCopyFme")->isVisible());
}

// A conversion over an AL-300 goods file that holds goods asks with the counts, keeps the
// replaced file and restores it on 되살리기.
void TestLeo60DFrm::replacingAsksAndCanBeUndone()
{
    const QString target = m_dir.filePath(QStringLiteral("Data/AL300Dat[07].Txt"));
    QVERIFY(QDir().mkpath(QFileInfo(target).path()));
    GoodsRows old;
    for (int i = 0; i < 30; ++i) {
        GoodsItem item;
        item.reset();
        item.Name = QStringLiteral("기존%1").arg(i);
        old.appendItem(item);
    }
    QVERIFY(old.save(target));
    const QByteArray before = readAll(target);
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(!child<QPushButton>("BarRestoreCmd")->isEnabled());
    typeInto("BarColTxt1", QStringLiteral("1"));
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton); // No
    QVERIFY(Dialogs::shown().value(0).contains(QStringLiteral("품목 30개가 있습니다")));
    QCOMPARE(readAll(target), before);

    Dialogs::queueAnswer(true);
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton);
    QVERIFY(readAll(target) != before);
    QCOMPARE(readAll(target + QStringLiteral(".bak")), before);
    QVERIFY(Dialogs::shown().last().contains(QStringLiteral("AL300Dat[07].Txt.bak")));

    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    QVERIFY(child<QPushButton>("BarRestoreCmd")->isEnabled());
    Dialogs::queueAnswer(true);
    QTest::mouseClick(child<QPushButton>("BarRestoreCmd"), Qt::LeftButton);
    QCOMPARE(readAll(target), before);
    QVERIFY(!QFileInfo::exists(target + QStringLiteral(".bak")));
}

void TestLeo60DFrm::saveFailureIsReported()
{
    // Where the goods data file belongs there is a folder: it cannot be replaced.
    const QString target = m_dir.filePath(QStringLiteral("Data/AL300Dat[07].Txt"));
    QVERIFY(QDir().mkpath(target + QStringLiteral("/keep")));
    openWindow();
    loadFile(m_dir.filePath(QStringLiteral("goods.pre")));
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    typeInto("BarColTxt1", QStringLiteral("1"));
    Dialogs::queueAnswer(true);
    QTest::mouseClick(child<QPushButton>("BarEnterCmd"), Qt::LeftButton);
    QCOMPARE(Dialogs::shown().value(1), QStringLiteral("오류|* 저장하지 못했습니다 !"));
    QVERIFY(QFileInfo(target + QStringLiteral("/keep")).isDir());
    QVERIFY(child<QGroupBox>("BarCopyFme")->isVisible());
    QVERIFY(child<QPushButton>("BarEnterCmd")->isEnabled());
    QDir(target).removeRecursively();
}

void TestLeo60DFrm::settingsPanel()
{
    openWindow();
    auto *panel = child<QGroupBox>("ChtSelectFme");
    QTest::mouseClick(child<QPushButton>("ChtSeltCmd"), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->title(), QStringLiteral("설정작업"));
    QCOMPARE(panel->y(), 200);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("SetExitCmd"));
    QTest::mouseClick(child<QPushButton>("SetExitCmd"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>("ChtSeltCmd"));
}

void TestLeo60DFrm::exitClosesTheMdiWindow()
{
    QMdiArea area;
    auto *frm = new LEO60DFrm;
    QMdiSubWindow *sub = area.addSubWindow(frm);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.resize(1100, 760);
    area.show();
    sub->show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QCOMPARE(sub->windowTitle(), QStringLiteral("LEO-60D+ 등록상품을 텍스트로 변환 ( ~.pre )"));
    QPointer<QMdiSubWindow> watch(sub);
    QTest::mouseClick(frm->findChild<QPushButton *>(QStringLiteral("ChtExitCmd")), Qt::LeftButton);
    QTRY_VERIFY(watch.isNull());
    QCOMPARE(area.subWindowList().size(), 0);
}

void TestLeo60DFrm::screenshot()
{
    openWindow();
    m_frm->resize(1200, 720);
    loadFile(QStringLiteral(TEST_DATA_DIR "/sample.pre"));
    QCOMPARE(m_frm->goodsModel()->rowCount(), 200);
    QCOMPARE(m_frm->goodsModel()->cell(0, 1), QStringLiteral("배 주스"));
    QTest::mouseClick(child<QPushButton>("ChtWriteCmd"), Qt::LeftButton);
    typeInto("BarColTxt1", QStringLiteral("1"));
    typeInto("TxtColTxt1", QStringLiteral("2"));
    typeInto("TxtColTxt2", QStringLiteral("3"));
    const QImage picture = m_frm->grab().toImage();
    QVERIFY(!picture.isNull());
    // Kept with the test's own files only.
    QVERIFY(picture.save(m_dir.filePath(QStringLiteral("leo60dfrm.png"))));
}

QTEST_MAIN(TestLeo60DFrm)
#include "test_leo60dfrm.moc"
