// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "station/stationfrm.h"
#include "tools/sampledata.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Goods rows the grid has room for.
int rowsThatFit(QTableView *grid)
{
    return grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
}

} // namespace

// The goods list takes the height the main window gives its station; the format editor and
// the command buttons keep theirs.
class TestStationLayout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(SampleData::write(m_dir.path()));
        Program().DataDirOverride = m_dir.path();
        Dialogs::setTestMode(true);
        RegisterModelWindows();
    }

    void goodsGridGrowsWithWindow_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QSize>("small"); // the main window as it opens on 1280 x 1024
        QTest::addColumn<QSize>("large"); // maximised on 1920 x 1080
        for (const char *form : {"SRP770Frm", "AL300Frm"})
            QTest::newRow(form) << QString::fromLatin1(form) << QSize(1032, 747)
                                << QSize(1920, 1030);
    }
    void goodsGridGrowsWithWindow()
    {
        QFETCH(QString, form);
        QFETCH(QSize, small);
        QFETCH(QSize, large);
        mdiMain w;
        w.setWindowState(Qt::WindowNoState);
        w.resize(small);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget *station = w.openModelWindow(form);
        QVERIFY(station);
        auto *grid = station->findChild<QTableView *>(QStringLiteral("vaSpread1"));
        auto *editor = station->findChild<QGroupBox *>(QStringLiteral("BarFormFme"));
        auto *insert = station->findChild<QPushButton *>(QStringLiteral("GdsInsertCmd"));
        QVERIFY(grid && editor && insert);
        QCoreApplication::processEvents();
        const int area = w.mdiArea()->viewport()->height();
        QMdiSubWindow *sub = w.mdiArea()->subWindowList().value(0);
        QCOMPARE(sub->geometry().bottom(), area - 1); // down to the foot of the work area
        const int rows = rowsThatFit(grid);
        // The window grows towards a list of 20 rows where the screen has room.
        QVERIFY(w.height() > small.height() || rows >= 20);
        const QSize opened = w.size();
        const QSize editorSize = editor->size();
        const QSize buttonSize = insert->size();

        w.resize(large);
        QCoreApplication::processEvents();
        const int grown = w.mdiArea()->viewport()->height() - area;
        QVERIFY(grown > 200);
        QCOMPARE(sub->geometry().bottom(), area + grown - 1);
        const int rowHeight = grid->verticalHeader()->defaultSectionSize();
        QVERIFY2(rowsThatFit(grid) >= rows + grown / rowHeight - 1,
                 qPrintable(QStringLiteral("%1 rows, then %2").arg(rows).arg(rowsThatFit(grid))));
        QCOMPARE(editor->size().height(), editorSize.height());
        QCOMPARE(insert->size(), buttonSize);

        // Back to the size it opened with: the station follows down again.
        w.resize(opened);
        QCoreApplication::processEvents();
        QCOMPARE(rowsThatFit(grid), rows);

        // The station maximised in the work area.
        sub->showMaximized();
        QCoreApplication::processEvents();
        QVERIFY(rowsThatFit(grid) >= rows);
        w.unloadAll();
    }

    void openedStationTakesKeysInItsList_data()
    {
        QTest::addColumn<QString>("form");
        for (const char *form : {"SRP770Frm", "AL300Frm"})
            QTest::newRow(form) << QString::fromLatin1(form);
    }
    void openedStationTakesKeysInItsList()
    {
        QFETCH(QString, form);
        int opened = 0;
        mdiMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *station = qobject_cast<StationFrm *>(w.openModelWindow(form));
        QVERIFY(station);
        station->setItemEditor([&opened](QWidget *, ItemEditMode, const GoodsItem &) {
            ++opened;
            return std::optional<GoodsItem>();
        });
        auto *grid = station->findChild<QTableView *>(QStringLiteral("vaSpread1"));
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert); // 등록
        QCOMPARE(opened, 1);
        w.unloadAll();
    }
};

QTEST_MAIN(TestStationLayout)
#include "test_stationlayout.moc"
