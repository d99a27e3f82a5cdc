// SPDX-License-Identifier: GPL-3.0-or-later
// The command line on hostile input and a failing machine: bad command lines end with status
// 2 and open no window; read-only commands leave a missing data folder missing; a failed or
// empty output never touches the file that is there; devices and FIFOs are never replaced;
// huge inputs are refused quickly.

#include "clirunner.h"
#include "common/cp949codec.h"
#include "common/textfile.h"
#include "model/prefile.h"
#include "support/labelsetfixture.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Every name in a folder, hidden ones included.
QStringList entries(const QString &dir)
{
    QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    names.removeAll(QStringLiteral(".filler"));
    // The writers' lock folder is the data folder's own, not something a failed save left.
    names.removeAll(QStringLiteral(".locks"));
    return names;
}

#ifdef Q_OS_UNIX
mode_t typeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}
#endif

// A job file of the SRP-770 with the given label size line.
QByteArray srpJob(const QByteArray &sizeLines)
{
    return "CB\r\nSS2\r\nSD20\r\n" + sizeLines + "SOT\r\nT40,40,0,1,1,0,0,N,N,'AB'\r\nP1\r\n";
}

} // namespace

class TestCliFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString data() const { return m_dir.filePath("Data"); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(data()));
        QVERIFY(LabelSetFixture::write(data(), "/dev/null"));
        QVERIFY(TextFile::writeBytes(file("job.Txt"), srpJob("SW480\r\nSL320,24,G\r\n")));
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty word") << QStringList{""} << "empty argument";
        QTest::newRow("-- alone") << QStringList{"--"} << "no command after --";
        QTest::newRow("-- and no command") << QStringList{"--", "frobnicate"} << "unknown command";
        QTest::newRow("data folder named like a command")
            << QStringList{"--data-dir", "check"} << "--data-dir";
        QTest::newRow("--data-dir without folder") << QStringList{"--data-dir"} << "--data-dir";
        QTest::newRow("window option without value") << QStringList{"--open"} << "--open";
        QTest::newRow("stray word after options")
            << QStringList{"--open", "SRP770Frm", "stray"} << "unknown command";
        QTest::newRow("unknown option") << QStringList{"--colour"} << "unknown option";
        QTest::newRow("empty --out")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", ""} << "--out";
        QTest::newRow("empty --device")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--device", ""} << "--device";
        QTest::newRow("empty --pdf")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--pdf", ""} << "--pdf";
        QTest::newRow("empty --xlsx")
            << QStringList{"report", "srp770", "--set", "0", "--xlsx", ""} << "--xlsx";
        QTest::newRow("empty --png") << QStringList{"render", "job.Txt", "--png", ""} << "--png";
    }
    void badCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        // No window may open: a run that does not end is a failure.
        const CliResult r = runCli(args, QByteArray(), 0.01, 15000);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void readOnlyCommandsKeepTheDataFolderMissing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        // check: nothing checked is 2 (1 says problems were found).
        QTest::newRow("check") << QStringList{"check", "srp770", "--set", "0"} << 2;
        QTest::newRow("report") << QStringList{"report", "srp770", "--set",
                                               "0",      "--xlsx", file("r.xlsx")}
                                << 1;
        QTest::newRow("print --out")
            << QStringList{"print", "al300", "--set", "0", "--all", "--out", file("o.prn")} << 1;
        QTest::newRow("render") << QStringList{"render", file("job.Txt"), "--png", file("j.png")}
                                << 0;
        QTest::newRow("ean") << QStringList{"ean", "check", "880123456789"} << 0;
    }
    void readOnlyCommandsKeepTheDataFolderMissing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const QString missing = file("NoData");
        const CliResult r = runCli(QStringList{"--data-dir", missing} + args);
        QCOMPARE(r.status, status);
        if (status != 0)
            QVERIFY2(r.err.contains("data folder") && r.err.contains(missing) &&
                         r.err.contains("the windows program makes it"),
                     qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(missing));
    }

    void nothingPrintableKeepsTheOutput()
    {
        // Only goods 5 (quantity 0) is asked for.
        const QString out = file("keep.prn");
        QVERIFY(TextFile::writeBytes(out, "earlier jobs\r\n"));
        const CliResult r = runCli(
            {"--data-dir", data(), "print", "srp770", "--set", "0", "--items", "5", "--out", out});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("nothing to print"), qPrintable(r.err));
        QCOMPARE(fileBytes(out), QByteArray("earlier jobs\r\n"));
    }

    void fullDiskKeepsEveryOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("target");
        const QString pre = QStringLiteral(TEST_DATA_DIR "/sample.pre");
        QTest::newRow("print --out")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", "@"} << "out.prn";
        QTest::newRow("print --pdf")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--pdf", "@"} << "labels.pdf";
        QTest::newRow("report --pdf")
            << QStringList{"report", "srp770", "--set", "0", "--pdf", "@"} << "report.pdf";
        QTest::newRow("report --xlsx")
            << QStringList{"report", "srp770", "--set", "0", "--xlsx", "@"} << "report.xlsx";
        QTest::newRow("render --png")
            << QStringList{"render", file("job.Txt"), "--png", "@"} << "label.png";
        QTest::newRow("convert-pre")
            << QStringList{"convert-pre", pre, "--set", "0", "--barcodes", "1", "--yes"}
            << "AL300Dat[00].Txt";
    }
    void fullDiskKeepsEveryOutput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        SmallDisk disk(256);
        if (!disk.isReady())
            QSKIP(qPrintable(disk.reason()));
        // The data folder on the small disk, the old output beside it.
        const QString dataDir = disk.filePath("Data");
        QVERIFY(QDir().mkpath(dataDir));
        QVERIFY(LabelSetFixture::write(dataDir, "/dev/null"));
        const QString path =
            target.startsWith("AL300Dat") ? dataDir + "/" + target : disk.filePath(target);
        QVERIFY(TextFile::writeBytes(path, "old output\r\n"));
        const QStringList before = entries(dataDir) + entries(disk.path());
        QVERIFY(disk.fill());
        args.replaceInStrings(QRegularExpression("^@$"), path);
        const CliResult r = runCli(QStringList{"--data-dir", dataDir} + args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("error"), qPrintable(r.err));
        for (const char *noise : {"workbook_close", "QPainter::begin", "libpng error"})
            QVERIFY2(!r.err.contains(noise), qPrintable(r.err));
        // The command line's own words: no Korean reason from the windows' side.
        QVERIFY2(!r.err.contains(QRegularExpression("[가-힣]")), qPrintable(r.err));
        QCOMPARE(fileBytes(path), QByteArray("old output\r\n"));
        QCOMPARE(entries(dataDir) + entries(disk.path()), before);
    }

    void staleTemporaryFileIsIgnored()
    {
        // A ".part" of an earlier killed run that leads elsewhere is neither followed nor used.
        const QString victim = file("victim.txt");
        QVERIFY(TextFile::writeBytes(victim, "not yours\r\n"));
        const QString pdf = file("stale.pdf");
        QFile::remove(pdf + ".part");
        QVERIFY(QFile::link(victim, pdf + ".part"));
        const CliResult r =
            runCli({"--data-dir", data(), "report", "srp770", "--set", "0", "--pdf", pdf});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(fileBytes(victim), QByteArray("not yours\r\n"));
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    }

    void specialFilesAreWrittenInPlace_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("print --out")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", "@"};
        QTest::newRow("print --pdf")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--pdf", "@"};
        QTest::newRow("report --pdf")
            << QStringList{"report", "srp770", "--set", "0", "--pdf", "@"};
        QTest::newRow("report --xlsx")
            << QStringList{"report", "srp770", "--set", "0", "--xlsx", "@"};
        QTest::newRow("render --png") << QStringList{"render", file("job.Txt"), "--png", "@"};
    }
    void specialFilesAreWrittenInPlace()
    {
#ifndef Q_OS_UNIX
        QSKIP("FIFOs and device nodes are tested on Unix");
#else
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        // A FIFO without a reader is refused at once and stays a FIFO.
        const QString fifo = dir.filePath("fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QStringList a = args;
        a.replaceInStrings(QRegularExpression("^@$"), fifo);
        CliResult r = runCli(QStringList{"--data-dir", data()} + a, QByteArray(), 0.01, 15000);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("no program reads"), qPrintable(r.err));
        QCOMPARE(typeOf(fifo), mode_t(S_IFIFO));
        // With a reader the output goes into the FIFO.
        QByteArray received;
        std::thread reader([&] {
            QFile in(fifo);
            if (in.open(QIODevice::ReadOnly))
                received = in.readAll();
        });
        QElapsedTimer clock;
        clock.start();
        do {
            r = runCli(QStringList{"--data-dir", data()} + a, QByteArray(), 0.01, 15000);
        } while (r.status != 0 && clock.elapsed() < 5000);
        reader.join();
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(received.size() > 20);
        QCOMPARE(typeOf(fifo), mode_t(S_IFIFO));
        // A character device (a null device made here, as root only) stays a device.
        if (geteuid() != 0)
            return;
        const QString null = dir.filePath("null");
        QVERIFY(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
        a = args;
        a.replaceInStrings(QRegularExpression("^@$"), null);
        r = runCli(QStringList{"--data-dir", data()} + a);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(typeOf(null), mode_t(S_IFCHR));
        QCOMPARE(entries(dir.path()), (QStringList{"fifo", "null"}));
#endif
    }

    // "-" names standard output for every file a command writes, and standard input for
    // the files it reads.
    void dashIsTheStandardStream_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("start");
        const QByteArray pre = fileBytes(QStringLiteral(TEST_DATA_DIR "/sample.pre"));
        const QStringList report{"report", "srp770", "--set", "0"};
        const QStringList goods{"goods", "export", "--model", "srp770", "--set", "0"};
        QTest::newRow("report --xlsx") << report + QStringList{"--xlsx", "-"} << QByteArray()
                                       << QByteArray("PK\x03\x04");
        QTest::newRow("report --pdf") << report + QStringList{"--pdf", "-"} << QByteArray()
                                      << QByteArray("%PDF");
        QTest::newRow("report leo60d --pre -")
            << QStringList{"report", "leo60d", "--pre", "-", "--pdf", "-"} << pre
            << QByteArray("%PDF");
        QTest::newRow("print --pdf")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--pdf", "-"} << QByteArray()
            << QByteArray("%PDF");
        QTest::newRow("render - --png -") << QStringList{"render", "-", "--png", "-"}
                                          << srpJob("SW480\r\nSL320,24,G\r\n")
                                          << QByteArray("\x89PNG");
        QTest::newRow("goods export --csv") << goods + QStringList{"--csv", "-"} << QByteArray()
                                            << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("goods export --xlsx") << goods + QStringList{"--xlsx", "-"}
                                             << QByteArray() << QByteArray("PK\x03\x04");
        QTest::newRow("goods import -")
            << QStringList{"goods", "import", "-", "--model", "srp770", "--set", "0", "--dry-run"}
            << QByteArray("번호,품목명\n1,사과\n2,배\n") << QByteArray("standard input: 3 row(s)");
    }
    void dashIsTheStandardStream()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, start);
        const CliResult r = runCli(QStringList{"--data-dir", data()} + args, input);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.out.startsWith(start), r.out.left(40).toHex().constData());
        QVERIFY(!r.out.contains("written to") && !r.out.contains("drawn into"));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath("-")));
    }

    void standardOutputRedirectedToAFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("print --out")
            << QStringList{"print", "srp770", "--set", "0", "--all", "--out", "/dev/stdout"}
            << QByteArray("CB\r\n");
        QTest::newRow("report --pdf")
            << QStringList{"report", "srp770", "--set", "0", "--pdf", "/dev/fd/1"}
            << QByteArray("%PDF");
        QTest::newRow("render --png")
            << QStringList{"render", file("job.Txt"), "--png", "/dev/stdout"}
            << QByteArray("\x89PNG");
    }
    void standardOutputRedirectedToAFile()
    {
        // The bytes alone, never overwritten by the command's own summary line.
        QFETCH(QStringList, args);
        QFETCH(QByteArray, start);
        const QString out = file("stdout.bin");
        QFile::remove(out);
        QProcess p;
        p.setProcessEnvironment([] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            return env;
        }());
        p.setStandardOutputFile(out);
        p.start(QStringLiteral(LABELSTATION_BIN), QStringList{"--data-dir", data()} + args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QByteArray bytes = fileBytes(out);
        QVERIFY2(bytes.startsWith(start), bytes.left(40).constData());
        QVERIFY(!bytes.contains("written to") && !bytes.contains("job(s)"));
    }

    void fifoAsInputIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("FIFOs are tested on Unix");
#else
        QTemporaryDir dir;
        const QString fifo = dir.filePath("goods.pre");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        for (const QStringList &args :
             {QStringList{"convert-pre", fifo, "--set", "0", "--yes"},
              QStringList{"report", "leo60d", "--pre", fifo, "--pdf", dir.filePath("r.pdf")},
              QStringList{"render", fifo, "--png", dir.filePath("r.png")}}) {
            const CliResult r =
                runCli(QStringList{"--data-dir", data()} + args, QByteArray(), 0.01, 15000);
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains("not a regular file"), qPrintable(r.err));
        }
#endif
    }

    void printFormatWithNothingInUseWarns()
    {
        const CliResult r = runCli({"--data-dir", data(), "print", "srp770", "--set", "0",
                                    "--items", "1", "--format", "4", "--out", file("f4.prn")});
        QVERIFY2(r.err.contains("format 4 has no barcode or text in use"), qPrintable(r.err));
    }

    void unreadablePortMapSendsNothing()
    {
        QTemporaryDir dir;
        QVERIFY(LabelSetFixture::write(dir.path(), "/dev/null"));
        QVERIFY(QFile::remove(dir.filePath("ComPorts.Txt")));
        QVERIFY(QDir(dir.path()).mkdir("ComPorts.Txt"));
        const CliResult r = runCli({"--data-dir", dir.path(), "print", "srp770", "--set", "0",
                                    "--items", "1", "--port", "3"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("ComPorts.Txt") && !r.err.contains("ttyS2"), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("SRP770Print.Txt")));
    }

    void convertNamesAnUnreadableTarget()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath("AL300Dat[00].Txt");
        QVERIFY(TextFile::writeBytes(target, QByteArray(TextFile::MaxDataFileBytes + 1, 'x')));
        const CliResult r = runCli({"--data-dir", dir.path(), "convert-pre",
                                    QStringLiteral(TEST_DATA_DIR "/sample.pre"), "--set", "0",
                                    "--barcodes", "1", "--yes"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(r.err.contains("cannot be read") && r.err.contains("it is replaced"),
                 qPrintable(r.err));
    }

    void checkListsAl300Delimiters()
    {
        // Goods 1 and 5 of the fixture hold "1,000" and "15,000" in text 2.
        const CliResult r = runCli({"--data-dir", data(), "check", "al300", "--set", "0"});
        QCOMPARE(r.status, 1);
        const QString out = QString::fromUtf8(r.out);
        QVERIFY2(out.contains("goods 001 (row 1): text 2 '1,000' is sent to the AL-300 as '1?000'"),
                 qPrintable(out));
        QVERIFY(
            out.contains("goods 005 (row 4): text 2 '15,000' is sent to the AL-300 as '15?000'"));
        QVERIFY(!runCli({"--data-dir", data(), "check", "srp770", "--set", "0"})
                     .out.contains("AL-300"));
    }

    void hostilePreConvertsQuickly()
    {
        // One-byte records up to the largest .pre: 299,233 records, 999 of them read.
        QByteArray pre(PreFile::MaxFileSize, 'x');
        pre.replace(0, 13, "LEO_60D Ver 3");
        for (int i = 0; i < PreFile::FieldCount; ++i) {
            pre[PreFile::DefinitionOffset + 8 * i] = 1;
            pre[PreFile::DefinitionOffset + 8 * i + 2] = char(255);
        }
        pre[PreFile::RecordLengthOffset] = 1;
        QTemporaryDir dir;
        QVERIFY(TextFile::writeBytes(dir.filePath("big.pre"), pre));
        QElapsedTimer clock;
        clock.start();
        const CliResult r =
            runCli({"--data-dir", dir.path(), "convert-pre", dir.filePath("big.pre"), "--set", "0",
                    "--texts", "1,25", "--yes"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(r.err.contains("only the first 999 are read"), qPrintable(r.err));
        QCOMPARE(TextFile::readLines(dir.filePath("AL300Dat[00].Txt")).size(), 999);
    }

    void hugeLabelsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("sizeLines");
        QTest::addColumn<QString>("dpi");
        QTest::newRow("500 mm square at 1200 dpi")
            << QByteArray("SW4000\r\nSL4000,24,G\r\n") << "1200";
        QTest::newRow("nine-digit width") << QByteArray("SW999999999\r\nSL320,24,G\r\n") << "203";
        QTest::newRow("nine-digit length") << QByteArray("SW480\r\nSL999999999,24,G\r\n") << "203";
    }
    void hugeLabelsAreRefused()
    {
        QFETCH(QByteArray, sizeLines);
        QFETCH(QString, dpi);
        QTemporaryDir dir;
        QVERIFY(TextFile::writeBytes(dir.filePath("job.Txt"), srpJob(sizeLines)));
        QElapsedTimer clock;
        clock.start();
        const CliResult r = runCli(
            {"render", dir.filePath("job.Txt"), "--png", dir.filePath("label.png"), "--dpi", dpi});
        QVERIFY2(clock.elapsed() < 5000, "a huge label takes long");
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("too large") || r.err.contains("너무"), qPrintable(r.err));
    }
};

QTEST_MAIN(TestCliFaults)
#include "test_clifaults.moc"
