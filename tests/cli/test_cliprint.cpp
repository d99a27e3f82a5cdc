// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's print and transfer send exactly what the station windows send for the
// same rows, to a file, a port or a device.

#include "station/al300frm.h"
#include "clirunner.h"
#include "common/cp949codec.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "model/goodstable.h"
#include "station/srp770frm.h"
#include "printers/labeljobreader.h"
#include "station/labelpreviewpane.h"
#include "station/stationprinter.h"
#include "support/controls.h"
#include "support/labelsetfixture.h"
#include "support/labeltools.h"
#include "support/ptyprinter.h"
#include "support/sendwait.h"
#include "support/tcpprinter.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<StationFrm> openStation(const QString &model)
{
    std::unique_ptr<StationFrm> w;
    if (model == QLatin1String("srp770"))
        w = std::make_unique<SRP770Frm>();
    else
        w = std::make_unique<AL300Frm>();
    w->show();
    return w;
}

int rowOfNumber(const GoodsTable *goods, int number)
{
    for (int r = 1; r <= goods->rows(); ++r) {
        if (goods->numberAt(r) == number)
            return r;
    }
    return 0;
}

} // namespace

class TestCliPrint : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PtyPrinter m_printer;

    QString data() const { return m_dir.path(); }

    // The bytes the station's list panel sends for the given choices.
    QByteArray windowListPrint(const QString &model, const QList<int> &marked, int typedQty,
                               int overrideFormat)
    {
        auto w = openStation(model);
        StationPrinter *p = w->printer();
        for (int n : marked)
            w->document()->setMark(rowOfNumber(w->goods(), n), true);
        if (overrideFormat)
            Controls::find<QRadioButton>(&*w, "BarForm%1Opt", overrideFormat)->click();
        Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
        (marked.isEmpty() ? p->BarPrtSel1Opt : p->BarPrtSel2Opt)->click();
        (typedQty ? p->BarPrtSu2Opt : p->BarPrtSu1Opt)->click();
        p->BarPrintSu2Txt->setText(typedQty ? QString::number(typedQty) : QString());
        if (overrideFormat)
            p->BarPrtFormChk->click();
        // The operator goes on when labels do not scan (goods 003 runs off format 2).
        Dialogs::clearQueue();
        Dialogs::queueAnswer(true);
        p->BarPrintEnter2Cmd->click();
        const bool sent = waitUntilSent(p); // the question comes after the check
        Dialogs::clearQueue();
        if (!sent)
            return "<still sending>";
        const QByteArray bytes = m_printer.readAll(1000);
        for (int r = 1; r <= w->goods()->rows(); ++r)
            w->document()->setMark(r, false);
        return bytes;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && m_printer.isValid());
        QVERIFY(LabelSetFixture::write(data(), m_printer.device()));
        Program().DataDirOverride = data();
        Program().BarcodeSetNo = 0;
        Dialogs::setTestMode(true);
    }

    void printOutMatchesTheWindow_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<int>("qty");
        QTest::addColumn<int>("format");
        for (const QString model : {QStringLiteral("srp770"), QStringLiteral("al300")}) {
            const QByteArray m = model.toLatin1();
            QTest::newRow(m + " all, own quantities")
                << model << QStringList{"--all"} << QList<int>{} << 0 << 0;
            QTest::newRow(m + " marked, typed quantity, forced format")
                << model << QStringList{"--items", "2,7", "--qty", "2", "--format", "1"}
                << QList<int>{2, 7} << 2 << 1;
            QTest::newRow(m + " format 7 printed with a forced one")
                << model << QStringList{"--items", "1-3", "--format", "2"} << QList<int>{1, 2, 3}
                << 0 << 2;
        }
    }

    void printOutMatchesTheWindow()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, options);
        QFETCH(QList<int>, marked);
        QFETCH(int, qty);
        QFETCH(int, format);

        const QString out = m_dir.filePath("jobs.prn");
        QFile::remove(out);
        const CliResult r =
            runCli(QStringList{"--data-dir", data(), "print", model, "--set", "00", "--out", out} +
                   options);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray cli = fileBytes(out);
        QVERIFY(cli.startsWith(model == "srp770" ? "CB\r\n" : "{F001,"));

        const QByteArray window = windowListPrint(model, marked, qty, format);
        QCOMPARE(cli, window);
    }

    // A port whose printer speaks ZPL: the window sends its list over one connection, and
    // the command line writes the same bytes, given the language or taking the port's own.
    void zplFromTheWindowAndTheCommandLine_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("dpi");
        QTest::newRow("srp770 203") << "srp770" << 203;
        QTest::newRow("al300 300") << "al300" << 300;
    }
    void zplFromTheWindowAndTheCommandLine()
    {
        QFETCH(QString, model);
        QFETCH(int, dpi);
        TcpPrinter zpl;
        QVERIFY(TextFile::writeLines(m_dir.filePath("ComPorts.Txt"), {"COM3'" + zpl.target()}));
        QVERIFY(TextFile::writeLines(m_dir.filePath("ComPortLanguages.Txt"),
                                     {QStringLiteral("COM3'zpl'%1").arg(dpi)}));
        QByteArray window;
        {
            auto w = openStation(model);
            StationPrinter *p = w->printer();
            // The preview shows the very job the port gets.
            QTRY_VERIFY(w->findChild<LabelPreviewPane *>()->jobText().startsWith("^XA"));
            Controls::find<QPushButton>(&*w, "GdsAllBarCmd")->click();
            p->BarPrtSel1Opt->click();
            p->BarPrtSu1Opt->click();
            Dialogs::clearQueue();
            Dialogs::queueAnswer(true); // goods 003 does not scan on format 2
            p->BarPrintEnter2Cmd->click();
            QVERIFY(waitUntilSent(p));
            Dialogs::clearQueue();
            window = zpl.bytes();
        }
        QCOMPARE(zpl.connections(), 1);
        const QList<LabelDescription> labels = LabelJobReader::readAll(Cp949Codec::decode(window));
        QCOMPARE(labels.size(), 3); // goods 1, 2 and 7; 3 has no format, 5 quantity 0
        for (const LabelDescription &d : labels) {
            QCOMPARE(d.language, QStringLiteral("zpl"));
            QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
            QCOMPARE(d.dotsPerMm, dpi == 300 ? 12 : 8);
        }

        const QString out = m_dir.filePath("zpl.prn");
        CliResult r = runCli({"--data-dir", data(), "print", model, "--set", "00", "--all",
                              "--language", "zpl", "--dpi", QString::number(dpi), "--out", out});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(fileBytes(out), window);
        zpl.clear();
        r = runCli({"--data-dir", data(), "print", model, "--set", "00", "--all", "--port", "3"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(zpl.bytes(window.size()), window);
        QCOMPARE(zpl.connections(), 2);
        // The AL-300's memory is no ZPL printer's.
        zpl.clear();
        r = runCli({"--data-dir", data(), "transfer", "--set", "00", "--goods", "--port", "3"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("COM3 speaks ZPL (%1 dpi)").arg(dpi)),
                 qPrintable(r.err));
        QCOMPARE(zpl.bytes(), QByteArray());

        QFile::remove(m_dir.filePath("ComPortLanguages.Txt"));
        QVERIFY(TextFile::writeLines(m_dir.filePath("ComPorts.Txt"),
                                     {"COM3'" + m_printer.device()}));
    }

    void printToStandardOutput()
    {
        const CliResult r = runCli(
            {"print", "al300", "--data-dir", data(), "--set", "0", "--items", "1", "--out", "-"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("{F001,0280,350;QELFF001|\r\n"));
        QVERIFY(r.out.contains("{B001,0002,E,1,1,0,C;QELFB001|\r\n"));
        QVERIFY(r.out.contains("T02;" + Cp949Codec::encode(QStringLiteral("사과")) + "|\r\n"));
    }

    void skippedRowsAndMissingNumbers()
    {
        // Number 5 has quantity 0 and number 3 format 7: both are skipped with a note;
        // 9 does not exist, which makes the status 1 although 1 printed.
        const QString out = m_dir.filePath("skip.prn");
        const CliResult r = runCli({"--data-dir", data(), "print", "srp770", "--set", "00",
                                    "--items", "1,3,5,9", "--out", out});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("goods 003: no format"), qPrintable(r.err));
        QVERIFY(r.err.contains("goods 005: quantity 0"));
        QVERIFY(r.err.contains("goods number 009 is not in set 00"));
        QCOMPARE(fileBytes(out).count("\r\nP2\r\n"), 1);
    }

    void stockChoice()
    {
        const CliResult r = runCli({"--data-dir", data(), "print", "srp770", "--set", "00",
                                    "--items", "1", "--stock", "B", "--out", "-"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("\r\nSL320,24,B\r\n"));
    }

    void transferOutMatchesTheWindow()
    {
        const QString out = m_dir.filePath("transfer.prn");
        const CliResult r = runCli({"--data-dir", data(), "transfer", "--set", "00", "--formats",
                                    "2,1", "--goods", "--out", out});
        QVERIFY2(r.status == 0, qPrintable(r.err));

        AL300Frm w;
        w.show();
        w.Al300SaveCmd->click();
        w.SelFormChk[1]->setChecked(true);
        w.SelFormChk[2]->setChecked(true);
        w.SelGodsChk->setChecked(true);
        w.BarSaveCmd->click();
        QVERIFY(waitUntilSent(w.printer()));
        const QByteArray window = m_printer.readAll(1000);
        QVERIFY(window.startsWith("{N,D,001,F}\r\n"));
        QCOMPARE(fileBytes(out), window);

        // Goods alone: only the item table.
        const CliResult g =
            runCli({"--data-dir", data(), "transfer", "--set", "00", "--goods", "--out", "-"});
        QCOMPARE(g.status, 0);
        QVERIFY(g.out.startsWith("{I,D,001,F}\r\n{I,R,001,F,014;3,30"));
        QVERIFY(!g.out.contains("{N,"));
    }

    void deviceGetsEachJobWithItsWait()
    {
        const QString copy = m_dir.filePath("SRP770Print.Txt");
        QFile::remove(copy);
        const CliResult expected = runCli({"--data-dir", data(), "print", "srp770", "--set", "00",
                                           "--items", "1,2", "--out", "-"});
        QCOMPARE(expected.status, 0);
        const qsizetype firstJob = expected.out.indexOf("CB\r\n", 1);
        QVERIFY(firstJob > 0);

        // A 3-second wait scaled by 0.2: the second job leaves at least 0.6 s after the
        // first.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LABELSTATION_TEST_WAIT_SCALE", "0.2");
        p.setProcessEnvironment(env);
        p.start(LABELSTATION_BIN, {"--data-dir", data(), "print", "srp770", "--set", "00",
                                   "--items", "1,2", "--device", m_printer.device()});
        QVERIFY(p.waitForStarted());
        QElapsedTimer clock;
        clock.start();
        QByteArray got;
        qint64 firstAt = -1, secondAt = -1;
        while (clock.elapsed() < 20000 && got.size() < expected.out.size()) {
            got += m_printer.readAll(100);
            if (firstAt < 0 && got.size() >= firstJob)
                firstAt = clock.elapsed();
            if (got.size() > firstJob && secondAt < 0)
                secondAt = clock.elapsed();
        }
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(got, expected.out);
        QVERIFY2(secondAt - firstAt >= 500,
                 qPrintable(QString("jobs %1 ms apart").arg(secondAt - firstAt)));
        // The copy file holds the last job, as the station leaves it.
        QCOMPARE(fileBytes(copy), expected.out.mid(firstJob) + "\r\n");
    }

    void shippedProgramWaitsTheFullTime()
    {
        // The program as shipped has no wait seam: neither the variable it once honoured nor
        // the test build's variable shortens the 3 seconds after an SRP-770 label.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LABELSTATION_WAIT_SCALE", "0.01");
        env.insert("LABELSTATION_TEST_WAIT_SCALE", "0.01");
        p.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        p.start(LABELSTATION_SHIPPED_BIN, {"--data-dir", data(), "print", "srp770", "--set", "00",
                                           "--items", "1", "--device", m_printer.device()});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(clock.elapsed() >= 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(m_printer.readAll(500).startsWith("CB\r\n"));
    }

    void everyTargetGetsWhatOutWrites_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("kind");
        const QList<QPair<const char *, QStringList>> commands{
            {"srp770 print", {"print", "srp770", "--set", "00", "--all"}},
            {"al300 print", {"print", "al300", "--set", "00", "--items", "1,2,7"}},
            {"transfer", {"transfer", "--set", "00", "--formats", "1,2", "--goods"}}};
        for (const auto &c : commands) {
            for (const char *kind : {"serial", "file", "network"})
                QTest::addRow("%s, %s", c.first, kind) << c.second << QString::fromLatin1(kind);
        }
    }

    void everyTargetGetsWhatOutWrites()
    {
        // The same bytes reach a serial printer, a device file and a network printer as
        // --out writes, job after job.
        QFETCH(QStringList, command);
        QFETCH(QString, kind);
        const QStringList base = QStringList{"--data-dir", data()} + command;
        const CliResult expected = runCli(base + QStringList{"--out", "-"});
        QCOMPARE(expected.status, 0);
        QVERIFY(expected.out.size() > 100);

        TcpPrinter network;
        const QString file = m_dir.filePath("lp0");
        QFile::remove(file);
        QFile(file).open(QIODevice::WriteOnly); // the "device" exists, empty
        const QString target = kind == "serial" ? m_printer.device()
                               : kind == "file" ? "file:" + file
                                                : network.target();
        const CliResult r = runCli(base + QStringList{"--device", target});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray got = kind == "serial" ? m_printer.readAll(500)
                               : kind == "file" ? fileBytes(file)
                                                : network.bytes(expected.out.size());
        QCOMPARE(got, expected.out);
        QVERIFY(QString::fromUtf8(r.out).contains(" job(s) to " + target));
    }

    void portThroughTheMapping()
    {
        const CliResult r = runCli(
            {"--data-dir", data(), "print", "al300", "--set", "00", "--items", "7", "--port", "3"});
        QCOMPARE(r.status, 0);
        const QByteArray got = m_printer.readAll(1000);
        QVERIFY(got.startsWith("{F001,0400,500;QELFF001|\r\n"));
        QCOMPARE(fileBytes(m_dir.filePath("AL300Print.Txt")), got + "\r\n");
    }

    void portFailures_data()
    {
        QTest::addColumn<QStringList>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing device")
            << QStringList{"--device", m_dir.filePath("nodevice")} << "cannot send to";
        QTest::newRow("unmapped port") << QStringList{"--port", "42"} << "COM42 names no port here";
    }

    void portFailures()
    {
        QFETCH(QStringList, target);
        QFETCH(QString, message);
        const CliResult r = runCli(
            QStringList{"--data-dir", data(), "print", "srp770", "--set", "00", "--all"} + target);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.err.contains("0 label job(s) sent before that"));
    }

    void renderDrawsEachJob()
    {
        // Goods 1 (EAN-13, format 1) and 2 (Code 39, format 2) as one job file, the way
        // print --out writes them; each becomes its own picture that a scanner reads.
        const QString jobs = m_dir.filePath("two.prn");
        QCOMPARE(runCli({"--data-dir", data(), "print", "srp770", "--set", "00", "--items", "1,2",
                         "--out", jobs})
                     .status,
                 0);
        const QString png = m_dir.filePath("label.png");
        const CliResult r = runCli({"render", jobs, "--png", png, "--dpi", "406"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        // Each picture with the scan check of its barcodes.
        QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts),
                 QStringList({png, "  line 7: barcode EAN-13 '8801234567893': scans",
                              m_dir.filePath("label-2.png"),
                              "  line 17: barcode Code 39 'PEAR 2': scans"}));
        const QImage first(png);
        // 60 x 40 mm at 406 dpi (16 dots a millimetre)
        QCOMPARE(first.size(), QSize(960, 640));
        QCOMPARE(LabelTools::decode(first), QStringList{"EAN-13:8801234567893"});
        QCOMPARE(LabelTools::decode(QImage(m_dir.filePath("label-2.png"))),
                 QStringList{"CODE-39:PEAR 2"});

        // A copy file of the AL-300 station (with its extra line end) draws too.
        QCOMPARE(runCli({"--data-dir", data(), "print", "al300", "--set", "00", "--items", "7",
                         "--port", "3"})
                     .status,
                 0);
        m_printer.readAll(500);
        const CliResult al = runCli({"render", m_dir.filePath("AL300Print.Txt"), "--png", png});
        QVERIFY2(al.status == 0, qPrintable(al.err));
        QCOMPARE(QImage(png).size(), QSize(400, 320)); // 50 x 40 mm at 203 dpi
    }

    void renderReportsWhatItCannotDraw()
    {
        const QString job = m_dir.filePath("bad.prn");
        QVERIFY(TextFile::writeLines(job, {"CB", "SW480", "SL320,24,G", "SOT",
                                           "B140,80,7,2,5,80,0,1,'12345678901X'", "XYZ", "P1"}));
        const QString png = m_dir.filePath("bad.png");
        const CliResult r = runCli({"render", job, "--png", png});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.out.contains("line 5: barcode EAN-13 '12345678901X': does not scan: cannot be "
                                "encoded"),
                 r.out.constData());
        QVERIFY(QFile::exists(png));
        QVERIFY2(r.err.contains("XYZ"), qPrintable(r.err));
        QVERIFY(r.err.count('\n') >= 2); // the unknown line and the barcode
        QVERIFY(LabelTools::redPixels(QImage(png)) > 0);

        // Bars that draw well but do not scan: only the scan check speaks.
        QVERIFY(TextFile::writeLines(
            job, {"CB", "SW480", "SL320,24,G", "SOT", "B140,80,0,1,3,160,0,0,'ABC'", "P1"}));
        const CliResult narrow = runCli({"render", job, "--png", png});
        QCOMPARE(narrow.status, 1);
        QVERIFY(!narrow.err.contains("warning"));
        QVERIFY2(narrow.out.contains("line 5: barcode Code 39 'ABC': does not scan: narrow bar 1 "
                                     "dot(s), needs at least 2"),
                 narrow.out.constData());

        QCOMPARE(runCli({"render", m_dir.filePath("none.prn"), "--png", png}).status, 1);
        QCOMPARE(runCli({"render", job}).status, 2);
        QCOMPARE(runCli({"render", job, "--png", png, "--dpi", "5"}).status, 2);
    }

    void printPdfHasOnePagePerLabel()
    {
        // Goods 1 twice, goods 2 once and goods 7 four times; goods 3 (format 7) and 5
        // (quantity 0) print nothing.
        const QString pdf = m_dir.filePath("labels.pdf");
        const CliResult r =
            runCli({"--data-dir", data(), "print", "srp770", "--set", "00", "--all", "--pdf", pdf});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(LabelTools::pdfPages(pdf), 7);
        const QSizeF page = LabelTools::pdfPageSize(pdf); // 60 x 40 mm
        QVERIFY(qAbs(page.width() - 170.08) < 0.5 && qAbs(page.height() - 113.39) < 0.5);
        QVERIFY(LabelTools::pdfText(pdf).contains(QStringLiteral("사과")));
        QCOMPARE(LabelTools::decode(LabelTools::pdfPage(pdf, 1, 406)),
                 QStringList{"EAN-13:8801234567893"});
        // Nothing goes to the port.
        QVERIFY(m_printer.readAll(100).isEmpty());
        QCOMPARE(runCli({"--data-dir", data(), "print", "srp770", "--set", "00", "--all", "--pdf",
                         pdf, "--out", "-"})
                     .status,
                 2);
    }
};

QTEST_MAIN(TestCliPrint)
#include "test_cliprint.moc"
