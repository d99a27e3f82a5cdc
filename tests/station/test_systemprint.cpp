// SPDX-License-Identifier: GPL-3.0-or-later
// Both stations printing through a system printer of a private CUPS server: the printer and
// paper chosen beside the ports, the labels shown in the print preview and printed from the
// system's print dialog; the PDF the queue keeps is rasterised and every label read back.

#include "common/programstate.h"
#include "common/qttranslations.h"
#include "common/textfile.h"
#include "station/al300frm.h"
#include "station/formateditor.h"
#include "station/labelsheetpreviewfrm.h"
#include "station/sheetstartpicker.h"
#include "station/srp770frm.h"
#include "station/stationprinter.h"
#include "station/stationsystemprint.h"
#include "station/systemprinterfrm.h"
#include "support/cupsserver.h"
#include "support/labelsetfixture.h"
#include "support/pdfbarcodes.h"
#include "widgets/dialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

namespace {

// Runs `act` on the modal dialog of type T once it is shown (within `ms`).
template <typename T> void whenShown(std::function<void(T *)> act, int ms = 20000)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act, ms] {
        if (T *d = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            act(d);
        } else if (clock->elapsed() > ms) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            qWarning("no %s shown", T::staticMetaObject.className());
        }
    });
    timer->start();
}

// Chooses the system printer "Office" beside the ports: a roll, or `sheet` from label
// `start` (clicked on the sheet's picture).
void chooseSystemPrinter(FormatEditor *editor, const QString &sheet, int start)
{
    whenShown<SystemPrinterFrm>([sheet, start](SystemPrinterFrm *d) {
        d->SysPrnNameCmb->setCurrentIndex(d->SysPrnNameCmb->findText("Office"));
        if (sheet.isEmpty()) {
            QTest::mouseClick(d->PaperRollOpt, Qt::LeftButton);
        } else {
            QTest::mouseClick(d->PaperSheetOpt, Qt::LeftButton);
            d->SheetLayoutCmb->setCurrentIndex(d->SheetLayoutCmb->findData(sheet));
            SheetStartPicker *p = d->SheetPicker;
            for (int y = 0; y < p->height(); y += 2)
                for (int x = 0; x < p->width(); x += 2)
                    if (p->labelAt({x, y}) == start) {
                        QTest::mouseClick(p, Qt::LeftButton, {}, {x + 3, y + 3});
                        y = p->height();
                        break;
                    }
        }
        if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
            d->grab().save(dir + "/system-printer-" + (sheet.isEmpty() ? "roll" : "sheet") +
                           ".png");
        QTest::mouseClick(d->OkCmd, Qt::LeftButton);
    });
    QTest::mouseClick(editor->BarSysPrnOpt, Qt::LeftButton);
    if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
        editor->window()->grab().save(dir + "/station-system-printer.png");
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSystemPrint : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    CupsServer m_cups;
    QString m_office; // what the queue "Office" printed last

    // The list print of every goods row with its own quantity, through the preview: `check`
    // looks at the preview, which is then printed (Return in the print dialog), pages
    // `from` to `to` when given.
    void printAll(StationFrm &w, std::function<void(LabelSheetPreviewFrm *)> check, int from = 0,
                  int to = 0)
    {
        StationPrinter *p = w.printer();
        QTest::mouseClick(w.findChild<QPushButton *>("GdsAllBarCmd"), Qt::LeftButton);
        QTest::mouseClick(p->BarPrtSel1Opt, Qt::LeftButton);
        QTest::mouseClick(p->BarPrtSu1Opt, Qt::LeftButton);
        whenShown<LabelSheetPreviewFrm>([check, from, to](LabelSheetPreviewFrm *preview) {
            check(preview);
            whenShown<QPrintDialog>([from, to](QPrintDialog *print) {
                if (from > 0) {
                    // (Qt's own dialog, its range behind "설정 >>")
                    print->findChild<QRadioButton *>("printRange")->setChecked(true);
                    print->findChild<QSpinBox *>("from")->setValue(from);
                    print->findChild<QSpinBox *>("to")->setValue(to);
                }
                if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS");
                    !dir.isEmpty())
                    print->grab().save(dir + "/print-dialog.png");
                QTest::keyClick(print, Qt::Key_Return);
            });
            QTest::mouseClick(preview->PrintCmd, Qt::LeftButton);
        });
        QTest::mouseClick(p->BarPrintEnter2Cmd, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!p->isPrinting(), 30000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = m_cups.pdfSkipReason(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY2(m_cups.start(), qPrintable(m_cups.errorString()));
        QVERIFY(m_cups.addFileQueue("Office", &m_office));
        QVERIFY(LabelSetFixture::write(m_dir.path(), "/dev/null"));
        Program().DataDirOverride = m_dir.path();
        Program().BarcodeSetNo = 0;
        Dialogs::setTestMode(true);
        QtTranslations::installKorean(); // the system's print dialog as the operator sees it
    }
    void init() { Dialogs::clearShown(); }

    // A sheet used up to label 3: the seven labels from label 4 on, each read back in its
    // cell; the station's format file keeps its port.
    void sheetOfLabels()
    {
        const QByteArray formats = bytesOf(m_dir.filePath("SRP770Frm[00].Txt"));
        SRP770Frm w;
        w.show();
        FormatEditor *editor = w.findChild<FormatEditor *>();
        chooseSystemPrinter(editor, "2×5", 4);
        QVERIFY(editor->BarSysPrnOpt->isChecked());
        QCOMPARE(editor->BarComLangLbl->text(), "Office, 2×5 (4번째부터)");
        QCOMPARE(editor->BarComLangLbl->toolTip(), "시스템 프린터: Office, 시트 2×5 (4번째부터)");
        printAll(w, [this](LabelSheetPreviewFrm *preview) {
            QCOMPARE(preview->pageCount(), 1);
            QCOMPARE(preview->PageLbl->text(), "1 / 1 쪽");
            QVERIFY2(preview->SummaryLbl->text().startsWith("라벨 7장, A4 시트 1장 (2×5, 4번째"),
                     qPrintable(preview->SummaryLbl->text()));
            if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS");
                !dir.isEmpty())
                preview->grab().save(dir + "/sheet-preview.png");
        });
        QVERIFY(m_cups.waitForJobs(20000));
        SheetLayout sheet;
        QVERIFY(SheetLayout::find(SheetLayout::builtIn(), "2x5", &sheet));
        const std::map<QString, int> expected{{"8801234567893", 2}, {"PEAR 2", 1}, {"KIWI-7", 4}};
        QCOMPARE(PdfBarcodes::read(m_office, m_dir.path(), &sheet), expected);
        QCOMPARE(bytesOf(m_dir.filePath("SRP770Frm[00].Txt")), formats);

        // A port again: the station sends to it.
        QTest::mouseClick(editor->BarComPortOpt[3], Qt::LeftButton);
        QVERIFY(!w.printer()->systemPrint()->isOn());
        QVERIFY(editor->BarComLangLbl->text().startsWith("언어: "));
    }

    // On a roll, one label a page at the label's size; pages 3 to 6 of the print dialog's
    // page range: the second goods' label and three of the last one's four.
    void rollOfLabels()
    {
        AL300Frm w;
        w.show();
        chooseSystemPrinter(w.findChild<FormatEditor *>(), QString(), 1);
        printAll(
            w, [](LabelSheetPreviewFrm *preview) { QCOMPARE(preview->pageCount(), 7); }, 3, 6);
        QVERIFY(m_cups.waitForJobs(20000));
        QProcess info;
        info.start("pdfinfo", {m_office});
        QVERIFY(info.waitForFinished());
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(out.contains(QRegularExpression("Pages: +4\n")), qPrintable(out));
        const std::map<QString, int> expected{{"PEAR 2", 1}, {"KIWI-7", 3}};
        QCOMPARE(PdfBarcodes::read(m_office, m_dir.path()), expected);
    }

    // Labels larger than the sheet's labels are refused before the preview, naming both.
    void labelsLargerThanTheSheetsAreRefused()
    {
        SRP770Frm w;
        w.show();
        chooseSystemPrinter(w.findChild<FormatEditor *>(), "4×10", 1);
        StationPrinter *p = w.printer();
        QTest::mouseClick(w.findChild<QPushButton *>("GdsAllBarCmd"), Qt::LeftButton);
        QTest::mouseClick(p->BarPrtSel1Opt, Qt::LeftButton);
        QTest::mouseClick(p->BarPrtSu1Opt, Qt::LeftButton);
        QTest::mouseClick(p->BarPrintEnter2Cmd, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!p->isPrinting(), 30000);
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY2(Dialogs::shown().first().contains("48.5×25.4 mm"),
                 qPrintable(Dialogs::shown().first()));
        QVERIFY(p->BarPrint2Fme->isVisible());
    }
};

QTEST_MAIN(TestSystemPrint)
#include "test_systemprint.moc"
