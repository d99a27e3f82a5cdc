// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through the system's spooler: a private CUPS server with a raw queue that hands the
// jobs' bytes to a printer of the test on 127.0.0.1 (cups:QUEUE ports), and a queue that keeps
// what a system printer receives (print --printer: the PDF that Qt's CUPS support makes),
// rasterised and read back with zbar.

#include "clirunner.h"
#include "model/sheetlayout.h"
#include "render/zbarreader.h"
#include "support/cupsserver.h"
#include "support/labelsetfixture.h"
#include "support/pdfbarcodes.h"
#include "support/tcpprinter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

class TestSystemPrinters : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    CupsServer m_cups;
    QString m_office; // the file the queue "Office" writes
    QString data() const { return m_dir.filePath("Data"); }

    CliResult print(const QStringList &args)
    {
        return runCli(QStringList{"--data-dir", data(), "print"} + args);
    }

    std::map<QString, int> barcodes(const QString &pdf, const SheetLayout *sheet = nullptr)
    {
        return PdfBarcodes::read(pdf, m_dir.path(), sheet);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString why = m_cups.pdfSkipReason(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY2(m_cups.start(), qPrintable(m_cups.errorString()));
        QVERIFY(m_cups.addFileQueue("Office", &m_office));
        QVERIFY(QDir().mkpath(data()));
        QVERIFY(LabelSetFixture::write(data(), "/dev/null"));
    }

    // The bytes of every printer language go through the queue unchanged, job after job.
    void rawQueuePassesTheJobsOn_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("srp770") << QStringList{"srp770", "--set", "0", "--all"};
        QTest::newRow("al300") << QStringList{"al300", "--set", "0", "--all"};
        QTest::newRow("zpl") << QStringList{"al300", "--set", "0", "--all", "--language", "zpl"};
    }
    void rawQueuePassesTheJobsOn()
    {
        QFETCH(QStringList, args);
        const CliResult file = print(args + QStringList{"--out", "-"});
        QVERIFY(!file.out.isEmpty());
        TcpPrinter printer;
        const QString queue = QStringLiteral("raw%1").arg(printer.port());
        QVERIFY(m_cups.addSocketQueue(queue, printer.port()));
        const CliResult sent = print(args + QStringList{"--device", "cups:" + queue});
        QVERIFY2(sent.status == 0 || sent.status == 1, qPrintable(sent.err));
        QVERIFY(m_cups.waitForJobs(20000));
        QCOMPARE(printer.bytes(file.out.size()), file.out);
    }

    void unknownQueuesAndPrinters()
    {
        const CliResult queue = print({"srp770", "--set", "0", "--all", "--device", "cups:NoSuch"});
        QCOMPARE(queue.status, 1);
        QVERIFY2(queue.err.contains("does not exist"), qPrintable(queue.err));
        const CliResult printer = print({"srp770", "--set", "0", "--all", "--printer", "NoSuch"});
        QCOMPARE(printer.status, 1);
        QVERIFY2(printer.err.contains("no system printer 'NoSuch'"), qPrintable(printer.err));
        const CliResult ports = runCli({"--data-dir", data(), "ports"});
        QVERIFY2(ports.out.contains("System printers (print --printer NAME):\n  Office"),
                 ports.out.constData());
    }

    // A partly used A4 sheet of 2×5 labels: every label's barcode reads back as its goods,
    // as many times as the goods' quantity.
    void sheetsOnASystemPrinter()
    {
        const CliResult r = print({"srp770", "--set", "0", "--all", "--printer", "Office",
                                   "--sheet", "2x5", "--start", "4"});
        QVERIFY2(r.status == 0 || r.status == 1, qPrintable(r.err));
        QVERIFY2(r.out.contains("7 label(s) sent to Office on 1 sheet(s)"), r.out.constData());
        QVERIFY(m_cups.waitForJobs(20000));
        const std::map<QString, int> expected{{"8801234567893", 2}, {"PEAR 2", 1}, {"KIWI-7", 4}};
        SheetLayout sheet;
        QVERIFY(SheetLayout::find(SheetLayout::builtIn(), "2x5", &sheet));
        QCOMPARE(barcodes(m_office, &sheet), expected);
        // Labels larger than the sheet's cells are refused, naming both sizes.
        const CliResult big =
            print({"srp770", "--set", "0", "--all", "--printer", "Office", "--sheet", "3x8"});
        QCOMPARE(big.status, 1);
        QVERIFY2(big.err.contains("(60.0×40.0 mm) is larger than a cell of 3×8 (63.5×33.9 mm)"),
                 qPrintable(big.err));
    }

    // A roll: one page a label, at the label's size.
    void rollOnASystemPrinter()
    {
        const CliResult r = print({"srp770", "--set", "0", "--items", "7", "--printer", "Office"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(m_cups.waitForJobs(20000));
        QProcess info;
        info.start("pdfinfo", {m_office});
        QVERIFY(info.waitForFinished(10000));
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QRegularExpression("Pages:\\s+4\\n")), qPrintable(text));
        // 50 x 30 mm is 141.7 x 85.0 points (the spooler may round them).
        QVERIFY2(text.contains(QRegularExpression("Page size:\\s+14[12](\\.\\d+)? x 8[45][ .]")),
                 qPrintable(text));
        QCOMPARE(barcodes(m_office), (std::map<QString, int>{{"KIWI-7", 4}}));
    }
};

QTEST_MAIN(TestSystemPrinters)
#include "test_systemprinters.moc"
