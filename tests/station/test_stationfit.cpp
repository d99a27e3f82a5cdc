// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "common/programstate.h"
#include "station/labelpreviewpane.h"
#include "tools/sampledata.h"
#include "widgets/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The screen of this run, "1280x1024" (LABELSTATION_TEST_SCREEN).
QSize screenSize()
{
    const QStringList wh =
        qEnvironmentVariable("LABELSTATION_TEST_SCREEN", QStringLiteral("1280x1024")).split('x');
    return QSize(wh.value(0).toInt(), wh.value(1).toInt());
}

// What of `station` lies outside `room` (global coordinates): every visible button and the
// label preview, by name.
QStringList outside(QWidget *station, const QRect &room)
{
    QList<QWidget *> shown;
    for (QAbstractButton *b : station->findChildren<QAbstractButton *>()) {
        if (b->isVisibleTo(station) && !b->window()->isHidden() && b->window() == station->window())
            shown << b;
    }
    shown << station->findChild<LabelPreviewPane *>();
    QStringList out;
    for (QWidget *w : shown) {
        if (!w || !w->isVisible())
            continue;
        // Panels that float over the grid are opened on demand; they are not part of the
        // window's own layout.
        const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        if (!room.contains(r))
            out << QStringLiteral("%1 %2 at %3,%4 %5x%6")
                       .arg(w->metaObject()->className(),
                            w->objectName().isEmpty()
                                ? (qobject_cast<QAbstractButton *>(w)
                                       ? qobject_cast<QAbstractButton *>(w)->text()
                                       : QString())
                                : w->objectName())
                       .arg(r.x())
                       .arg(r.y())
                       .arg(r.width())
                       .arg(r.height());
    }
    return out;
}

} // namespace

// Both stations maximised on the screens shops have: every button and the label preview
// lie inside the screen; a maximised station hides the one beneath it.
class TestStationFit : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(SampleData::write(m_dir.path()));
        Program().DataDirOverride = m_dir.path();
        Dialogs::setTestMode(true);
        RegisterModelWindows();
        QCOMPARE(QGuiApplication::primaryScreen()->size(), screenSize());
    }

    void maximisedStationsFit_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("SRP-770") << "SRP770Frm";
        QTest::newRow("AL-300") << "AL300Frm";
    }
    void maximisedStationsFit()
    {
        QFETCH(QString, form);
        mdiMain w;
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget *station = w.openModelWindow(form);
        QVERIFY(station);
        QMdiSubWindow *sub = w.mdiArea()->subWindowList().value(0);
        sub->showMaximized();
        QCoreApplication::processEvents();
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        QTRY_VERIFY(w.frameGeometry().width() <= room.width());
        const QStringList out = outside(station, room);
        if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
            w.grab().save(QStringLiteral("%1/%2-%3x%4.png")
                              .arg(dir, form)
                              .arg(room.width())
                              .arg(room.height()));
        if (!out.isEmpty())
            station->window()->grab().save(QDir::temp().filePath(form + ".png"));
        QVERIFY2(out.isEmpty(), qPrintable(out.join('\n')));
    }

    // The AL-300 station maximised over the SRP-770 station: none of the one beneath shows.
    void maximisedStationHidesTheOneBeneath()
    {
        mdiMain w;
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openModelWindow("SRP770Frm"));
        QWidget *al300 = w.openModelWindow("AL300Frm");
        QVERIFY(al300);
        w.mdiArea()->activeSubWindow()->showMaximized();
        QCoreApplication::processEvents();
        QVERIFY(al300->autoFillBackground());
        const QImage seen = w.grab().toImage();
        // Paint the SRP-770 station red: nothing of it may show through.
        QWidget *srp = w.modelWindow("SRP770Frm");
        QPalette red = srp->palette();
        red.setColor(QPalette::Window, Qt::red);
        srp->setPalette(red);
        srp->setAutoFillBackground(true);
        QCOMPARE(w.grab().toImage(), seen);
    }
};

int main(int argc, char **argv)
{
    // An offscreen screen of the size asked for.
    QTemporaryDir config;
    const QSize s = screenSize();
    const QString path = config.filePath(QStringLiteral("screen.json"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return 2;
    f.write(QStringLiteral("{\"screens\":[{\"name\":\"s\",\"x\":0,\"y\":0,\"width\":%1,"
                           "\"height\":%2,\"logicalDpiX\":96,\"logicalDpiY\":96}]}")
                .arg(s.width())
                .arg(s.height())
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toUtf8());
    QApplication app(argc, argv);
    TestStationFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_stationfit.moc"
