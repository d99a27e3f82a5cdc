// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's conversion, reports, EAN numbers, checks and its answers to bad usage,
// each run as a process on a temporary data folder.

#include "clirunner.h"
#include "common/cp949codec.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "leo60d/leo60dfrm.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString samplePre()
{
    return QStringLiteral(TEST_DATA_DIR "/sample.pre");
}

// The text poppler reads from a PDF ("" when it cannot).
QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Rows of the first sheet as openpyxl reads them, cells joined by TAB.
QStringList xlsxRows(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, openpyxl\n"
                            "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                            "for r in ws.iter_rows(values_only=True):\n"
                            "    print('\\t'.join('' if v is None else str(v) for v in r))\n"),
             path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Takes the scan check's lines out of a check command's output.
QStringList scanLines(QStringList *lines)
{
    QStringList scan;
    for (qsizetype i = lines->size() - 1; i >= 0; --i) {
        if ((*lines)[i].contains(QLatin1String("scan check: ")))
            scan.prepend(lines->takeAt(i));
    }
    return scan;
}

} // namespace

class TestCliCommands : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString data() const { return m_dir.filePath("Data"); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(data()));
        QVERIFY(LabelSetFixture::write(data(), "/dev/null"));
        Program().DataDirOverride = data();
        Dialogs::setTestMode(true);
    }

    void convertPreWritesWhatTheWindowWrites()
    {
        // The window, under set 04, with barcode 1 from column 1 and texts 1..3 from
        // columns 2, 4 and 7.
        Program().BarcodeSetNo = 4;
        const QString target = data() + "/AL300Dat[04].Txt";
        {
            LEO60DFrm w;
            w.show();
            auto *file = w.findChild<QLineEdit *>("GdsTfileTxt");
            file->setFocus();
            file->setText(samplePre());
            QTest::keyClick(file, Qt::Key_Return);
            w.findChild<QPushButton *>("ChtWriteCmd")->click();
            w.findChild<QLineEdit *>("BarColTxt1")->setText("1");
            w.findChild<QLineEdit *>("TxtColTxt1")->setText("2");
            w.findChild<QLineEdit *>("TxtColTxt2")->setText("4");
            w.findChild<QLineEdit *>("TxtColTxt3")->setText("7");
            Dialogs::queueAnswer(true);
            w.findChild<QPushButton *>("BarEnterCmd")->click();
        }
        const QByteArray window = fileBytes(target);
        QVERIFY(window.size() > 1000);
        QFile::remove(target);

        // Asked on the terminal: "n" writes nothing.
        const QStringList args{"--data-dir", data(),       "convert-pre", samplePre(), "--set",
                               "4",          "--barcodes", "1",           "--texts",   "2,4,7"};
        CliResult r = runCli(args, "n\n");
        QCOMPARE(r.status, 0);
        QVERIFY(r.err.contains(QStringLiteral("* 품목데이타를 [04]번으로 저장할까요 ?")));
        QVERIFY(!QFile::exists(target));
        // No answer at all is a failure; "y" writes.
        QCOMPARE(runCli(args).status, 1);
        QVERIFY(!QFile::exists(target));
        r = runCli(args, "y\n");
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(fileBytes(target), window);
        QVERIFY2(r.out.startsWith("198 goods written to "), r.out.constData());

        // --yes asks nothing; unchosen columns give single spaces.
        r = runCli({"--data-dir", data(), "convert-pre", samplePre(), "--set", "04", "--yes"});
        QCOMPARE(r.status, 0);
        QVERIFY(fileBytes(target).startsWith("<000001>'1'?'1'0' ' ' ' ' ' ' ' '"));
        // The file it replaced is kept beside it, and said so.
        QCOMPARE(fileBytes(target + ".bak"), window);
        QVERIFY2(r.out.contains("kept as"), r.out.constData());
        QVERIFY(r.out.contains("every name is ?"));
    }

    void convertPreFailures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("missing file") << QStringList{"/no/such.pre", "--set", "1", "--yes"} << 1;
        QTest::newRow("not a .pre file")
            << QStringList{QStringLiteral(TEST_DATA_DIR "/../cli/CMakeLists.txt"), "--set", "1",
                           "--yes"}
            << 1;
        QTest::newRow("no set") << QStringList{samplePre(), "--yes"} << 2;
        QTest::newRow("column beyond 25")
            << QStringList{samplePre(), "--set", "1", "--texts", "26", "--yes"} << 2;
        QTest::newRow("four barcodes")
            << QStringList{samplePre(), "--set", "1", "--barcodes", "1,2,3,4", "--yes"} << 2;
    }
    void convertPreFailures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const CliResult r = runCli(QStringList{"--data-dir", data(), "convert-pre"} + args);
        QCOMPARE(r.status, status);
        QVERIFY(!QFile::exists(data() + "/AL300Dat[01].Txt"));
    }

    void reportPdf()
    {
        const QString pdf = m_dir.filePath("report.pdf");
        const CliResult r = runCli({"--data-dir", data(), "report", "srp770", "--set", "00",
                                    "--pdf", pdf, "--by", "name"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("SRP-770 바코드 등록 현황")), qPrintable(text));
        // Sorted by name: 배 특가, 사과, 수박, 키위, 포도.
        const QStringList names{"배 특가", "사과", "수박", "키위", "포도"};
        qsizetype last = -1;
        for (const QString &n : names) {
            const qsizetype at = text.indexOf(n, last + 1);
            QVERIFY2(at > last, qPrintable(n));
            last = at;
        }
        QVERIFY(text.contains("8809876543213"));
    }

    void reportXlsx_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstCell");
        QTest::newRow("al300 by number")
            << QStringList{"al300", "--set", "0", "--by", "number"} << 6 << "001";
        QTest::newRow("leo60d") << QStringList{"leo60d", "--pre", samplePre()} << 201 << QString();
    }
    void reportXlsx()
    {
        QFETCH(QStringList, args);
        QFETCH(int, rows);
        QFETCH(QString, firstCell);
        const QString xlsx = m_dir.filePath("report.xlsx");
        QFile::remove(xlsx);
        const CliResult r = runCli(QStringList{"--data-dir", data(), "report"} + args +
                                   QStringList{"--xlsx", xlsx});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QStringList got = xlsxRows(xlsx);
        QCOMPARE(got.size(), rows);
        if (!firstCell.isEmpty()) {
            QCOMPARE(got.at(1).section('\t', 0, 0), firstCell);
            QVERIFY(got.at(1).contains(QStringLiteral("사과")));
        } else {
            QVERIFY(got.at(0).startsWith(QStringLiteral("상품코드\t상품명")));
        }
    }

    void ean_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("12 digits") << QStringList{"check", "880123456789"} << 0 << "8801234567893";
        QTest::newRow("7 digits") << QStringList{"check", "9638507"} << 0 << "96385074";
        QTest::newRow("right 13") << QStringList{"check", "8801234567893"} << 0 << "8801234567893";
        QTest::newRow("wrong 13") << QStringList{"check", "8801234567890"} << 1 << "";
        QTest::newRow("wrong 8") << QStringList{"check", "96385070"} << 1 << "";
        QTest::newRow("letters") << QStringList{"check", "88012345678X"} << 1 << "";
        QTest::newRow("length") << QStringList{"check", "123"} << 1 << "";
        QTest::newRow("new defaults") << QStringList{"new"} << 0 << "2200001000018";
        QTest::newRow("new mode 1")
            << QStringList{"new",       "--mode", "1",       "--prefix", "200",
                           "--company", "1234",   "--goods", "56"}
            << 0 << "2000123400563";
        QTest::newRow("new mode 4 wide company")
            << QStringList{"new", "--mode", "4", "--company", "12345678", "--goods", "9"} << 0
            << "2201234567897";
        QTest::newRow("company too long for the mode")
            << QStringList{"new", "--company", "12345"} << 2 << "";
        QTest::newRow("no sub-command") << QStringList{} << 2 << "";
        QTest::newRow("check without code") << QStringList{"check"} << 2 << "";
    }
    void ean()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        const CliResult r = runCli(QStringList{"ean"} + args);
        QCOMPARE(r.status, status);
        if (!out.isEmpty())
            QCOMPARE(QString::fromUtf8(r.out).trimmed(), out);
        if (status == 1)
            QVERIFY(!r.err.isEmpty());
    }

    void checkFindsProblems()
    {
        // Set 00 of the fixture: only the format 7 of goods 003.
        CliResult r = runCli({"--data-dir", data(), "check", "srp770", "--set", "00"});
        QVERIFY2(r.status == 1, r.out.constData());
        QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        QStringList scan = scanLines(&lines);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("goods 003 (row 3): the format number '7' is not 1 to 5"));
        QCOMPARE(lines[1], QStringLiteral("5 goods checked, 1 problem(s)"));
        QCOMPARE(scan, QStringList({
                           "goods 001 (row 1): scan check: EAN-13 '8801234567893' scans",
                           "goods 002 (row 2): scan check: Code 39 'PEAR 2' scans",
                           "goods 003 (row 3): scan check: the row prints no label",
                           "goods 005 (row 4): scan check: EAN-13 '8802222222220' scans",
                           "goods 007 (row 5): scan check: Code 39 'KIWI-7' scans",
                           "scan check: 4 barcode(s) scan, 0 do not scan, 0 not checked",
                       }));

        // A crafted set 05 with one fault per row.
        FormatSet set = LabelSetFixture::srp770Formats();
        set.Fmt[3].LblWidth = 40; // nothing in use
        set.Fmt[4] = set.Fmt[1];
        set.Fmt[4].Bar[1].BarCode = 3; // I2of5
        set.Fmt[5] = set.Fmt[1];
        set.Fmt[5].Bar[1].BarCode = 4; // Codabar
        QVERIFY(FormatFile::save(set, data() + "/SRP770Frm[05].Txt", Printers::srp770()));
        GoodsRows goods;
        struct R {
            const char *number, *format, *bar1, *bar2, *text2;
        };
        const R rows[] = {
            {"001", "1", "8801234567893", "", "1,000"}, // fine
            {"002", "1", "8801234567890", "", ""},      // wrong check digit
            {"002", "1", "880123456789", "", ""},       // duplicate number
            {"004", "1", "88012345678A", "", ""},       // letters in EAN-13
            {"005", "2", "", "AB#1", ""},               // outside Code39
            {"006", "2", "", "사과", ""},               // not ASCII
            {"007", "4", "12A4", "", ""},               // I2of5 letters
            {"008", "5", "12345", "", ""},              // Codabar without start/stop
            {"009", "1", "", "", "123,456,789"},        // 11 bytes in an 8-byte field
            {"010", "9", "", "", ""},                   // no such format
            {"011", "3", "", "", ""},                   // format with nothing in use
        };
        for (const R &x : rows) {
            const int row = goods.appendRow();
            goods.setCell(row, GoodsTable::NumberColumn, x.number);
            goods.setCell(row, GoodsTable::FormatColumn, x.format);
            goods.setCell(row, GoodsTable::FirstBarcodeColumn, QString::fromUtf8(x.bar1));
            goods.setCell(row, GoodsTable::FirstBarcodeColumn + 1, QString::fromUtf8(x.bar2));
            goods.setCell(row, GoodsTable::FirstTextColumn + 1, x.text2);
        }
        QVERIFY(goods.save(data() + "/SRP770Dat[05].Txt"));
        // A set without files leaves nothing checked: 2, not the 1 of problems found.
        QCOMPARE(runCli({"--data-dir", data(), "check", "srp770", "--set", "6"}).status, 2);
        r = runCli({"--data-dir", data(), "check", "srp770", "--set", "5"});
        QCOMPARE(r.status, 1);
        lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        scan = scanLines(&lines);
        QVERIFY2(scan.first().startsWith("goods 001 (row 1): scan check: EAN-13 '8801234567893' "
                                         "scans"),
                 qPrintable(scan.first()));
        QVERIFY(scan.contains("goods 002 (row 2): scan check: EAN-13 '8801234567890' does not "
                              "scan: cannot be encoded (wrong check digit (3 expected))"));
        QCOMPARE(scan.last(), "scan check: 2 barcode(s) scan, 6 do not scan, 0 not checked");

        const QStringList expected{
            "goods 002 (row 2): barcode 1 '8801234567890' cannot print as EAN-13",
            "goods 002 (row 3): the goods number is used 2 times (rows 2, 3)",
            "goods 004 (row 4): barcode 1 '88012345678A' cannot print as EAN-13 (holds "
            "characters other than digits)",
            "goods 005 (row 5): barcode 2 'AB#1' cannot print as Code 39",
            "goods 006 (row 6): barcode 2 '사과' cannot print as Code 39 (holds characters "
            "outside plain ASCII)",
            "goods 007 (row 7): barcode 1 '12A4' cannot print as I 2of5",
            "goods 008 (row 8): barcode 1 '12345' cannot print as Codabar",
            "goods 009 (row 9): text 2 '123,456,789' is 11 bytes, longer than its 8-byte field",
            "goods 010 (row 10): the format number '9' is not 1 to 5",
            "goods 011 (row 11): format 3 has no barcode or text in use",
            "11 goods checked, 10 problem(s)",
        };
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
        QVERIFY(lines[0].contains("check digit"));
        // A label that breaks no other rule but does not scan fails the check too.
        FormatSet tight = LabelSetFixture::srp770Formats();
        tight.Fmt[1].Bar[1].BarXx = 1;
        QVERIFY(FormatFile::save(tight, data() + "/SRP770Frm[06].Txt", Printers::srp770()));
        goods.clear();
        goods.setCell(goods.appendRow(), GoodsTable::NumberColumn, "001");
        goods.setCell(1, GoodsTable::FormatColumn, "1");
        goods.setCell(1, GoodsTable::FirstBarcodeColumn, "8801234567893");
        QVERIFY(goods.save(data() + "/SRP770Dat[06].Txt"));
        r = runCli({"--data-dir", data(), "check", "srp770", "--set", "6"});
        QCOMPARE(r.status, 1);
        lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 QStringList({"goods 001 (row 1): scan check: EAN-13 '8801234567893' does "
                              "not scan: left quiet zone 1mm, cut by the label edge, needs "
                              "at least 2.8mm",
                              "1 goods checked, 0 problem(s)",
                              "scan check: 0 barcode(s) scan, 1 do not scan, 0 not checked"}));
    }

    void usageAndMissingFiles_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "unknown command";
        QTest::newRow("unknown option")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", "-", "--colour"} << 2
            << "Unknown option";
        QTest::newRow("unknown printer")
            << QStringList{"print", "leo60d", "--set", "0", "--all", "--out", "-"} << 2
            << "unknown printer";
        QTest::newRow("items and all")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--items", "1", "--out", "-"}
            << 2 << "either --items";
        QTest::newRow("two targets")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", "-", "--port", "3"}
            << 2 << "give one of";
        QTest::newRow("device that is no target")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--device", "tcp://:9100"} << 2
            << "--device: 'tcp://:9100': no host";
        QTest::newRow("quantity 0")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--qty", "0", "--out", "-"}
            << 2 << "--qty";
        QTest::newRow("stock on the al300")
            << QStringList{"print", "al300", "--set", "0", "--all", "--stock", "B", "--out", "-"}
            << 2 << "--stock";
        QTest::newRow("dpi without a language")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--dpi", "300", "--out", "-"}
            << 2 << "--dpi goes with --language";
        QTest::newRow("unknown language")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--language", "epl", "--out",
                           "-"}
            << 2 << "--language: 'epl'";
        QTest::newRow("another station's language")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--language", "al300",
                           "--out", "-"}
            << 2 << "--language: 'al300'";
        QTest::newRow("resolution zpl lacks")
            << QStringList{"print", "al300", "--set", "0", "--all", "--language", "zpl", "--dpi",
                           "600", "--out", "-"}
            << 2 << "ZPL does not print at 600 dpi";
        QTest::newRow("set beyond 21")
            << QStringList{"check", "srp770", "--set", "22"} << 2 << "not a barcode set";
        QTest::newRow("transfer of nothing")
            << QStringList{"transfer", "--set", "0", "--out", "-"} << 2 << "nothing to send";
        QTest::newRow("report with two outputs")
            << QStringList{"report", "srp770", "--set", "0", "--pdf", "a", "--xlsx", "b"} << 2
            << "either --xlsx";
        QTest::newRow("leo report with a set")
            << QStringList{"report", "leo60d", "--set", "0", "--pdf", "a"} << 2 << "--pre";
        QTest::newRow("missing format file")
            << QStringList{"print", "srp770", "--set", "9", "--all", "--out", "-"} << 1
            << "no format file";
        QTest::newRow("missing goods file")
            << QStringList{"report", "al300", "--set", "9", "--xlsx", "x.xlsx"} << 1
            << "no goods file";
        QTest::newRow("missing .pre file")
            << QStringList{"report", "leo60d", "--pre", "/no/such.pre", "--pdf", "x.pdf"} << 1
            << "cannot read";
        QTest::newRow("report into a missing folder")
            << QStringList{"report", "srp770", "--set", "0", "--pdf", "/no/such/dir/r.pdf"} << 1
            << "no folder";
    }
    void usageAndMissingFiles()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const CliResult r = runCli(QStringList{"--data-dir", data()} + args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void portsListsTheMapping()
    {
        QTemporaryDir dir;
        QVERIFY(TextFile::writeLines(dir.filePath("ComPorts.Txt"),
                                     {"COM3'/dev/ttyUSB0", "COM4'tcp://192.168.0.50",
                                      "com5'file:/dev/usb/lp0", "COM6'tcp://"}));
        QVERIFY(TextFile::writeLines(dir.filePath("ComPortLanguages.Txt"),
                                     {"COM4'zpl'300", "COM5'zpl", "COM7'xyz'203"}));
        const CliResult r = runCli({"--data-dir", dir.path(), "ports"});
        QCOMPARE(r.status, 0);
        const QStringList lines = QString::fromUtf8(r.out).split('\n');
        QVERIFY(lines.first().startsWith("Serial ports found:"));
        auto line = [&](const QString &port) {
            for (const QString &l : lines) {
                if (l.startsWith("  " + port + "  "))
                    return l.simplified();
            }
            return QString();
        };
        QCOMPARE(line("COM1"),
                 QStringLiteral("COM1 /dev/ttyS0 own device, station's own language"));
        QCOMPARE(line("COM3"), QStringLiteral("COM3 /dev/ttyUSB0 mapped, station's own language"));
        QCOMPARE(line("COM4"), QStringLiteral("COM4 tcp://192.168.0.50:9100 mapped, ZPL (300 dpi)"));
        QCOMPARE(line("COM5"), QStringLiteral("COM5 file:/dev/usb/lp0 mapped, ZPL (203 dpi)"));
        QCOMPARE(line("COM7"), QStringLiteral("COM7 /dev/ttyS6 own device, unknown language 'xyz'"));
        QVERIFY(line("COM6").startsWith("COM6 tcp:// not a target"));
        QVERIFY(line("COM9").startsWith("COM9 "));
    }

    void helpOfEveryCommand_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *c : {"print", "transfer", "convert-pre", "report", "ean", "check", "render",
                              "ports", "goods import", "goods export"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void helpOfEveryCommand()
    {
        QFETCH(QString, command);
        const CliResult r = runCli(command.split(' ') + QStringList{"--help"});
        QCOMPARE(r.status, 0);
        const QString out = QString::fromUtf8(r.out);
        QVERIFY(out.startsWith("Usage: labelstation [--data-dir DIR] " + command + " "));
        QVERIFY(out.contains("Example"));
        // Every command tells its exit statuses.
        QVERIFY2(out.contains("Status: 0") && out.contains(" 2 bad usage"), qPrintable(out));
        QVERIFY(r.err.isEmpty());
    }
};

QTEST_MAIN(TestCliCommands)
#include "test_clicommands.moc"
