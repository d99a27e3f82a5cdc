// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "model/gridprintsettings.h"
#include "report/previewpages.h"
#include "model/printheader.h"
#include "report/printpagesetup.h"
#include "report/printpreview.h"
#include "report/prnseltfrm.h"
#include "report/reportflow.h"
#include "report/sendtoexcel.h"
#include "report/spreadsheetopener.h"
#include "support/xlsxreader.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <QVBoxLayout>

namespace {

class RecordingOpener : public SpreadsheetOpener {
public:
    QStringList opened;
    bool open(const QString &path) override
    {
        opened << path;
        return true;
    }
};

// A station as the report sees it: the report button, the list-order options, the grid.
class Station : public QWidget {
public:
    Station()
    {
        auto *l = new QVBoxLayout(this);
        ChtPrintCmd = new QPushButton(QStringLiteral("출력"), this);
        ChtPrintCmd->setObjectName(QStringLiteral("ChtPrintCmd"));
        GdsSelt0Opt = new QRadioButton(QStringLiteral("번호"), this);
        GdsSelt0Opt->setObjectName(QStringLiteral("GdsSelt0Opt"));
        GdsSelt1Opt = new QRadioButton(QStringLiteral("이름"), this);
        GdsSelt1Opt->setObjectName(QStringLiteral("GdsSelt1Opt"));
        GdsSelt0Opt->setChecked(true);
        vaSpread1 = new QTableView(this);
        auto *m = new QStandardItemModel(3, 3, vaSpread1);
        m->setHorizontalHeaderLabels(
            {QStringLiteral("번호"), QStringLiteral("상품명"), QStringLiteral("수량")});
        for (int r = 0; r < 3; ++r) {
            m->setItem(r, 0, new QStandardItem(QString::number(r + 1)));
            m->setItem(r, 1, new QStandardItem(QStringLiteral("배 %1").arg(r + 1)));
            m->setItem(r, 2, new QStandardItem(QStringLiteral("2")));
        }
        vaSpread1->setModel(m);
        for (QWidget *w : {static_cast<QWidget *>(ChtPrintCmd), static_cast<QWidget *>(GdsSelt0Opt),
                           static_cast<QWidget *>(GdsSelt1Opt), static_cast<QWidget *>(vaSpread1)})
            l->addWidget(w);
    }
    // The report button's call.
    void report(const QString &form)
    {
        RunRegistrationReport({this, ChtPrintCmd, vaSpread1, GdsSelt1Opt->isChecked()},
                              vaSpread1->model(), vaSpread1, form);
    }
    QPushButton *ChtPrintCmd;
    QRadioButton *GdsSelt0Opt, *GdsSelt1Opt;
    QTableView *vaSpread1;
};

// What the dialog saw while it was open.
struct Seen {
    bool opened = false;
    bool printCmdEnabled = true;
    qint16 rangeKind = 0;
    QString listKind;
    QString visiblePanel;
    QString kindCaption;
    bool onlyWhitePaper = false;
    qint16 modalOpening = -1;
};

// Answers the modal dialog by clicking `button` as soon as it is shown.
void answerDialogWith(const QString &button, Seen *seen, Station *station)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<PrnSeltFrm *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen->opened = true;
        seen->printCmdEnabled = station->ChtPrintCmd->isEnabled();
        seen->rangeKind = dialog->answer().RangeKind;
        seen->listKind = dialog->answer().ListKind;
        seen->kindCaption = dialog->PrnSel21Cmd->text();
        seen->onlyWhitePaper =
            dialog->PrnSel11Cmd->isEnabled() && !dialog->PrnSel12Cmd->isEnabled();
        seen->modalOpening = Program().ModalOpening;
        for (QFrame *f :
             {dialog->Frame6, dialog->Frame8, dialog->Frame334, dialog->Frame86, dialog->Frame20s})
            if (f->isVisible())
                seen->visiblePanel = f->objectName();
        if (button.isEmpty())
            dialog->close(); // the window's close box
        else if (auto *b = dialog->findChild<QPushButton *>(button))
            b->click();
        else
            dialog->close();
    });
}

} // namespace

class TestReportFlow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingOpener m_opener;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("LABELSTATION_BACKUP_DIR", m_dir.filePath(QStringLiteral("QelBackup")).toUtf8());
        Dialogs::setTestMode(true);
        SpreadsheetOpener::install(&m_opener);
    }
    void cleanupTestCase() { SpreadsheetOpener::install(nullptr); }
    void init()
    {
        Program().ModalOpening = 0;
        Program().PreviewZoom = 8;
        m_opener.opened.clear();
        Dialogs::clearShown();
        delete PrintPreview::instance();
    }

    void titles_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::newRow("SRP-770") << "SRP770Frm"
                                 << "SRP-770 바코드 등록 현황";
        QTest::newRow("AL-300") << "AL300Frm"
                                << "AL-300 바코드 등록 현황";
        QTest::newRow("LEO-60D") << "LEO60DFrm"
                                 << "LEO-60D 바코드 등록 현황";
    }
    void titles()
    {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QCOMPARE(RegistrationReportTitle(form), title);
    }

    void reportFileNames_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("base");
        QTest::newRow("SRP-770") << "SRP770Frm"
                                 << "SRP770바코드등록현황";
        QTest::newRow("AL-300") << "AL300Frm"
                                << "AL300바코드등록현황";
        QTest::newRow("LEO-60D") << "LEO60DFrm"
                                 << "LEO-60D바코드등록현황";
        QTest::newRow("unknown") << "OtherFrm"
                                 << "";
    }
    void reportFileNames()
    {
        QFETCH(QString, form);
        QFETCH(QString, base);
        QCOMPARE(RegistrationReportFileBase(form), base);
    }

    void requestAndRangeKind_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("byName");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("listKind");
        QTest::newRow("SRP by number") << "SRP770Frm" << false << 1 << "Frame6"
                                       << "SRP770";
        QTest::newRow("SRP by name") << "SRP770Frm" << true << 5 << "Frame20s"
                                     << "SRP770";
        QTest::newRow("AL by name") << "AL300Frm" << true << 5 << "Frame20s"
                                    << "AL300";
        QTest::newRow("LEO always by number") << "LEO60DFrm" << true << 1 << "Frame6"
                                              << "LEO60D";
    }
    void requestAndRangeKind()
    {
        QFETCH(QString, form);
        QFETCH(bool, byName);
        QFETCH(int, kind);
        QFETCH(QString, panel);
        QFETCH(QString, listKind);
        Station station;
        station.show();
        (byName ? station.GdsSelt1Opt : station.GdsSelt0Opt)->setChecked(true);
        Seen seen;
        answerDialogWith(QStringLiteral("PrnCancelCmd"), &seen, &station);
        station.report(form);
        QVERIFY(seen.opened);
        QVERIFY(!seen.printCmdEnabled);
        QCOMPARE(seen.modalOpening, qint16(0)); // the dialog cleared it when it loaded
        QCOMPARE(seen.rangeKind, qint16(kind));
        QCOMPARE(seen.visiblePanel, panel);
        QCOMPARE(seen.listKind, listKind);
        QVERIFY(station.ChtPrintCmd->isEnabled());
        QCOMPARE(seen.kindCaption, QStringLiteral("등록현황"));
        QVERIFY(seen.onlyWhitePaper);
    }

    void sheetPrintOpensThePreview()
    {
        Station station;
        station.show();
        Seen seen;
        answerDialogWith(QStringLiteral("PrnSpreadCmd"), &seen, &station);
        station.report(QStringLiteral("AL300Frm"));
        QVERIFY(seen.opened);
        PrintPreview *preview = PrintPreview::instance();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QVERIFY(!preview->isModal());
        QCOMPARE(preview->windowTitle(), QStringLiteral("출력 미리보기"));
        QCOMPARE(preview->lngPageCount, 1);
        QCOMPARE(preview->source().model(), station.vaSpread1->model());
        QCOMPARE(preview->printSettings(), ReportPrintSettings(&station));
        QCOMPARE(preview->printSettings()->header,
                 PrintHeader::forTitle(QStringLiteral("AL-300 바코드 등록 현황")));
        QCOMPARE(preview->fpSpreadPreview1->zoomState(), 4); // "Page 높이"
        // The page setup of the preview: landscape.
        QTest::mouseClick(preview->toolbarButton(PrintPreview::SetupCol), Qt::LeftButton);
        auto *setup = preview->findChild<PrintPageSetup *>();
        QVERIFY(setup);
        QTest::mouseClick(setup->porientation[1], Qt::LeftButton);
        QTest::mouseClick(setup->cmdAction[0], Qt::LeftButton);
        // A second sheet print replaces the window and keeps what the operator set.
        QPointer<PrintPreview> first = preview;
        answerDialogWith(QStringLiteral("PrnSpreadCmd"), &seen, &station);
        station.report(QStringLiteral("AL300Frm"));
        QTRY_VERIFY(first.isNull());
        QVERIFY(PrintPreview::instance());
        QCOMPARE(PrintPreview::instance()->printSettings()->orientation, 2);
        // Another window reports with settings of its own.
        Station other;
        other.show();
        answerDialogWith(QStringLiteral("PrnSpreadCmd"), &seen, &other);
        other.report(QStringLiteral("AL300Frm"));
        QCOMPARE(PrintPreview::instance()->printSettings()->orientation, 1);
        delete PrintPreview::instance();
    }

    void spreadsheetFileInTheBackupFolder()
    {
        Station station;
        station.show();
        Seen seen;
        answerDialogWith(QStringLiteral("ExcelWriteCmd"), &seen, &station);
        station.report(QStringLiteral("LEO60DFrm"));
        const QString path = m_dir.filePath(QStringLiteral("QelBackup/LEO-60D바코드등록현황.xlsx"));
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(QFileInfo::exists(
            m_dir.filePath(QStringLiteral("QelBackup/LEO-60D바코드등록현황.log"))));
        const QJsonObject book = ReadXlsx(path);
        const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
        QCOMPARE(cells.value("B4").toObject().value("v").toString(), QStringLiteral("배 3"));
        QCOMPARE(book.value(QStringLiteral("sheets")).toArray().first().toString(),
                 QStringLiteral("Sheet1"));
        // The operator learns where the file went; answered No, no folder opens.
        QCOMPARE(Dialogs::shown().size(), 1);
        const QString asked = Dialogs::shown().first();
        QVERIFY2(asked.startsWith(QStringLiteral("엑셀출력|* ")) &&
                     asked.contains(QDir::toNativeSeparators(path)) &&
                     asked.endsWith(QStringLiteral(" ?")),
                 qPrintable(asked));
        QVERIFY(m_opener.opened.isEmpty());
        QVERIFY(!PrintPreview::instance());
    }

    void spreadsheetFileOpensItsFolderOnYes()
    {
        Station station;
        station.show();
        Seen seen;
        Dialogs::queueAnswer(true);
        answerDialogWith(QStringLiteral("ExcelWriteCmd"), &seen, &station);
        station.report(QStringLiteral("AL300Frm"));
        QCOMPARE(m_opener.opened, QStringList{m_dir.filePath(QStringLiteral("QelBackup"))});
    }

    void spreadsheetFileFailureIsReported()
    {
        const QString blocked =
            m_dir.filePath(QStringLiteral("QelBackup/SRP770바코드등록현황.xlsx"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/x")));
        Station station;
        station.show();
        Seen seen;
        answerDialogWith(QStringLiteral("ExcelWriteCmd"), &seen, &station);
        station.report(QStringLiteral("SRP770Frm"));
        QCOMPARE(Dialogs::shown().size(), 1);
        // The file, then the reason on the lines below.
        const QStringList lines =
            Dialogs::shown().first().section(QLatin1Char('|'), 1).split(QLatin1Char('\n'));
        QVERIFY2(lines.first().startsWith(QStringLiteral("* ")) &&
                     lines.first().endsWith(QStringLiteral(" !")) && lines.size() > 1 &&
                     lines.last().contains(QStringLiteral("파일을 쓸 수 없습니다")),
                 qPrintable(lines.join(QLatin1Char('/'))));
        QDir(blocked).removeRecursively();
    }

    void spreadsheetView()
    {
        Station station;
        station.show();
        Seen seen;
        answerDialogWith(QStringLiteral("ExcelViewCmd"), &seen, &station);
        station.report(QStringLiteral("SRP770Frm"));
        QCOMPARE(m_opener.opened.size(), 1);
        const QJsonObject cells =
            ReadXlsx(m_opener.opened.first()).value(QStringLiteral("cells")).toObject();
        QCOMPARE(cells.value("B2").toObject().value("v").toString(), QStringLiteral("배 1"));
    }

    void noOutputChoices_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("gridFocus");
        QTest::newRow("confirm") << "PrnInputCmd" << true;
        QTest::newRow("cancel") << "PrnCancelCmd" << true;
        QTest::newRow("close box") << "" << true;
    }
    // 미리보기 opens the report's print preview.
    void previewButtonOpensThePreview()
    {
        Station station;
        station.show();
        Seen seen;
        answerDialogWith(QStringLiteral("PrnViewCmd"), &seen, &station);
        station.report(QStringLiteral("SRP770Frm"));
        QVERIFY(seen.opened);
        QVERIFY(PrintPreview::instance());
        QVERIFY(PrintPreview::instance()->isVisible());
        delete PrintPreview::instance();
    }
    void noOutputChoices()
    {
        QFETCH(QString, button);
        QFETCH(bool, gridFocus);
        Station station;
        station.show();
        station.ChtPrintCmd->setFocus();
        Seen seen;
        answerDialogWith(button, &seen, &station);
        station.report(QStringLiteral("SRP770Frm"));
        QVERIFY(seen.opened);
        QVERIFY(!PrintPreview::instance());
        QVERIFY(m_opener.opened.isEmpty());
        QVERIFY(!QFileInfo::exists(
            m_dir.filePath(QStringLiteral("QelBackup/SRP770바코드등록현황.xlsx"))));
        // The grid is the station's focus widget again (it has the focus once the station
        // is the active window).
        QCOMPARE(station.focusWidget() == station.vaSpread1, gridFocus);
    }

    void requestWhileAnotherWindowOpens()
    {
        Station station;
        station.show();
        Program().ModalOpening = 1;
        Seen seen;
        answerDialogWith(QStringLiteral("ExcelWriteCmd"), &seen, &station);
        station.report(QStringLiteral("SRP770Frm"));
        QCoreApplication::processEvents();
        QVERIFY(!seen.opened);
        QVERIFY(station.ChtPrintCmd->isEnabled());
        QVERIFY(!QFileInfo::exists(
            m_dir.filePath(QStringLiteral("QelBackup/SRP770바코드등록현황.xlsx"))));
        Program().ModalOpening = 0;
    }
};

QTEST_MAIN(TestReportFlow)
#include "test_reportflow.moc"
