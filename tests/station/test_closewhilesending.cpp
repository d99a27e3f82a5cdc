// SPDX-License-Identifier: GPL-3.0-or-later
// Closing a window while its jobs go out: the job being sent is finished, the rest are not
// sent, then the window closes; nothing is written to a window that is gone.

#include "station/al300frm.h"
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "sending/sendqueue.h"
#include "station/stationprinter.h"
#include "support/controls.h"
#include "support/labelsetfixture.h"
#include "support/ptyprinter.h"

#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestCloseWhileSending : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PtyPrinter m_printer;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Closes `window` once the first job's bytes start to go out.
    static void closeOnFirstBytes(StationPrinter *printer, QWidget *window)
    {
        QObject::connect(
            printer->queue(), &SendQueue::bytesWritten, window, [window] { window->close(); },
            Qt::SingleShotConnection);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid() && m_printer.isValid());
        Program() = ProgramState();
        Program().DataDirOverride = m_dir.path();
        Dialogs::setTestMode(true);
        Dialogs::clearShown();
        QVERIFY(LabelSetFixture::write(m_dir.path(), m_printer.device()));
        for (const char *copy :
             {"AL300Save1.Txt", "AL300Save2.Txt", "AL300Save3.Txt", "SRP770Print.Txt"})
            QFile::remove(path(copy));
        m_printer.readAll(20);
    }

    void stationClosedInTheMiddleOfATransfer()
    {
        auto *w = new AL300Frm;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QPointer<AL300Frm> station(w);
        w->Al300SaveCmd->click();
        w->SelFormChk[1]->setChecked(true); // format and link downloads
        w->SelGodsChk->setChecked(true);    // and the goods table: three jobs
        closeOnFirstBytes(w->printer(), w);
        w->BarSaveCmd->click();

        QTRY_VERIFY_WITH_TIMEOUT(station.isNull(), 10000);
        // The format download went out whole; the link and goods downloads did not.
        const QByteArray copy = fileBytes(path("AL300Save1.Txt"));
        QVERIFY(copy.startsWith("{N,D,001,F}\r\n"));
        QCOMPARE(m_printer.readAll(), copy.chopped(2));
        QVERIFY(!QFile::exists(path("AL300Save2.Txt")));
        QVERIFY(!QFile::exists(path("AL300Save3.Txt")));
        // It closed the usual way: its column widths were saved.
        QVERIFY(QFile::exists(path("AL300FrmColSize.Txt")));
        QCOMPARE(Dialogs::shown(), QStringList());
    }

    void mainWindowClosedInTheMiddleOfAListPrint()
    {
        RegisterModelWindows();
        mdiMain main;
        main.show();
        auto *w = qobject_cast<StationFrm *>(main.openModelWindow(QStringLiteral("SRP770Frm")));
        QVERIFY(w);
        QPointer<StationFrm> station(w);
        StationPrinter *p = w->printer();
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        p->BarPrtSel1Opt->click();
        p->BarPrtSu1Opt->click();
        closeOnFirstBytes(p, &main);
        p->BarPrintEnter2Cmd->click();
        QVERIFY(p->isPrinting());

        QTRY_VERIFY_WITH_TIMEOUT(station.isNull(), 10000);
        QTRY_VERIFY(!main.isVisible());
        // One label, whole; then the station and the program closed and saved.
        const QByteArray sent = m_printer.readAll();
        QCOMPARE(sent.count("CB\r\n"), 1);
        QCOMPARE(sent + "\r\n", fileBytes(path("SRP770Print.Txt")));
        QVERIFY(QFile::exists(path("QelBarcodeSet.Txt")));
        QVERIFY(QFile::exists(path("SRP770FrmColSize.Txt")));
    }
};

QTEST_MAIN(TestCloseWhileSending)
#include "test_closewhilesending.moc"
