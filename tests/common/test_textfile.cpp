// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/columnwidthfile.h"
#include "common/safesave.h"
#include "common/settingsstore.h"
#include "common/textfile.h"

#include "support/addrow.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// What a folder holds besides the filler of a small disk.
QStringList entries(const QString &dir)
{
    QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    names.removeAll(QStringLiteral(".filler"));
    return names;
}

#ifdef Q_OS_UNIX
bool isFifo(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Runs `work` on a thread and waits at most `ms`; a reader that blocks is released by
// opening the FIFO's other end, so that a hanging reader fails the test instead of the run.
bool finishesWithin(int ms, const QString &fifo, const std::function<void()> &work)
{
    std::atomic<bool> done{false};
    std::thread t([&] {
        work();
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < ms)
        QThread::msleep(5);
    const bool inTime = done;
    if (!inTime) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
        while (!done)
            QThread::msleep(5);
        ::close(fd);
    }
    t.join();
    return inTime;
}
#endif

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readLines_data();
    void readLines();
    void writeBytesExact();
    void keepsOldFileInReadOnlyFolder();
    void failedWrites();
    void fullDiskKeepsOldFile_data();
    void fullDiskKeepsOldFile();
    void injectedFaults_data();
    void injectedFaults();
    void specialFiles();
    void boundedReads();
    void settingsKeepNothing();
    void readWidths_data();
    void readWidths();
    void widthsRoundTrip();
};

void TestTextFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    addRow("CR LF", QByteArray("a\r\nb\r\n"), QStringList{"a", "b"});
    addRow("LF, last line unended", QByteArray("a\nb"), QStringList{"a", "b"});
    addRow("mixed endings", QByteArray("a\r\nb\nc\r\n"), QStringList{"a", "b", "c"});
    addRow("empty line kept", QByteArray("a\r\n\r\nb"), QStringList{"a", "", "b"});
    addRow("empty file", QByteArray(), QStringList());
    addRow("CP949", QByteArray::fromHex("bbe7b0fa27610d0a8c63"), QStringList{"사과'a", "똠"});
}

void TestTextFile::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath("in.Txt");
    QVERIFY(TextFile::writeBytes(path, bytes));
    bool ok = false;
    QCOMPARE(TextFile::readLines(path, &ok), lines);
    QVERIFY(ok);
    QVERIFY(TextFile::readLines(dir.filePath("none.Txt"), &ok).isEmpty());
    QVERIFY(!ok);
}

void TestTextFile::writeBytesExact()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.Txt");
    QVERIFY(TextFile::writeLines(path, {"old", "longer old text"}));
    QVERIFY(TextFile::writeLines(path, {"사과", "a'b", "", "é"}));
    QCOMPARE(fileBytes(path), QByteArray::fromHex("bbe7b0fa0d0a") + "a'b\r\n\r\n?\r\n");
}

void TestTextFile::keepsOldFileInReadOnlyFolder()
{
#ifndef Q_OS_UNIX
    QSKIP("folder permissions are tested on Unix");
#else
    QTemporaryDir dir;
    const QString ro = dir.filePath("ro");
    const QString path = ro + "/keep.Txt";
    QVERIFY(QDir().mkdir(ro) && TextFile::writeLines(path, {"old"}));
    QFile::setPermissions(dir.path(), QFile::Permissions(0x7755)); // rwxr-xr-x
    QFile::setPermissions(ro, QFile::Permissions(0x5555));         // r-xr-xr-x
    int result = 1;
    if (geteuid() != 0) {
        result = TextFile::writeLines(path, {"new"}) ? 0 : 1;
    } else {
        // The superuser writes into any folder: save as an ordinary user instead.
        const pid_t pid = fork();
        if (pid == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(TextFile::writeLines(path, {"new"}) ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result = WIFEXITED(status) ? WEXITSTATUS(status) : 3;
    }
    QFile::setPermissions(ro, QFile::Permissions(0x7700));
    QCOMPARE(result, 1);
    QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(ro).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.Txt"});
#endif
}

void TestTextFile::failedWrites()
{
    QTemporaryDir dir;
    // The path is a folder: the save fails, the folder and its file stay, no leftovers.
    QVERIFY(TextFile::writeLines(dir.filePath("x.Txt/inner.Txt"), {"old"}) == false);
    QVERIFY(QDir(dir.path()).mkdir("x.Txt"));
    QVERIFY(TextFile::writeLines(dir.filePath("x.Txt/inner.Txt"), {"old"}));
    QString error;
    QVERIFY(!TextFile::writeLines(dir.filePath("x.Txt"), {"new"}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(dir.filePath("x.Txt/inner.Txt")), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"x.Txt"});
    bool ok = true;
    QVERIFY(TextFile::readLines(dir.filePath("x.Txt"), &ok).isEmpty() && !ok);
    // A column-width file in a missing folder is reported, not thrown away silently.
    error.clear();
    QVERIFY(!ColumnWidthFile::write(dir.filePath("Data/SRP770FrmColSize.Txt"), {1, 2}, &error));
    QVERIFY(!error.isEmpty());
}

void TestTextFile::fullDiskKeepsOldFile_data()
{
    QTest::addColumn<int>("size");
    addRow("one line", 12);
    addRow("4 KiB", 4096);
    addRow("15 KiB, just below the write buffer", 15 * 1024);
    addRow("64 KiB", 64 * 1024);
}

void TestTextFile::fullDiskKeepsOldFile()
{
    QFETCH(int, size);
    SmallDisk disk(128);
    if (!disk.isReady())
        QSKIP(qPrintable(disk.reason()));
    const QString path = disk.filePath("SRP770Dat[00].Txt");
    QVERIFY(TextFile::writeLines(path, {"<001>'1'old"}));
    QVERIFY(disk.fill());
    QString error;
    QVERIFY(!TextFile::writeBytes(path, QByteArray(size, 'x'), &error));
    QVERIFY2(!error.isEmpty(), "a failed save says why");
    QCOMPARE(fileBytes(path), QByteArray("<001>'1'old\r\n"));
    QCOMPARE(entries(disk.path()), QStringList{"SRP770Dat[00].Txt"});
    // With room again the same save goes through.
    disk.unfill();
    QVERIFY(TextFile::writeBytes(path, QByteArray(size, 'x'), &error));
    QCOMPARE(fileBytes(path).size(), size);
}

void TestTextFile::injectedFaults_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<bool>("firstSaved");
    addRow("first open", int(SafeSave::Step::Open), 1, false);
    addRow("first write", int(SafeSave::Step::Write), 1, false);
    addRow("first flush", int(SafeSave::Step::Flush), 1, false);
    addRow("first commit", int(SafeSave::Step::Commit), 1, false);
    addRow("second commit", int(SafeSave::Step::Commit), 2, true);
}

void TestTextFile::injectedFaults()
{
    QFETCH(int, step);
    QFETCH(int, occurrence);
    QFETCH(bool, firstSaved);
    QTemporaryDir dir;
    const QString a = dir.filePath("a.Txt"), b = dir.filePath("b.Txt");
    QVERIFY(TextFile::writeLines(a, {"old a"}) && TextFile::writeLines(b, {"old b"}));
    SafeSave::failAt(SafeSave::Step(step), occurrence);
    QString error;
    QCOMPARE(TextFile::writeLines(a, {"new a"}, &error), firstSaved);
    const bool second = TextFile::writeLines(b, {"new b"}, &error);
    SafeSave::clearFaults();
    // One save fails, the other goes through: the fault is spent.
    QCOMPARE(second, !firstSaved);
    QVERIFY(error.contains("No space left on device"));
    QCOMPARE(fileBytes(a), QByteArray(firstSaved ? "new a\r\n" : "old a\r\n"));
    QCOMPARE(fileBytes(b), QByteArray(firstSaved ? "old b\r\n" : "new b\r\n"));
    QCOMPARE(entries(dir.path()), (QStringList{"a.Txt", "b.Txt"}));
}

void TestTextFile::specialFiles()
{
#ifndef Q_OS_UNIX
    QSKIP("FIFOs and device nodes are tested on Unix");
#else
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.Txt");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);

    // Reading a FIFO that nobody writes to does not wait for a writer.
    bool ok = true;
    QStringList lines{"x"};
    QVERIFY2(finishesWithin(3000, fifo, [&] { lines = TextFile::readLines(fifo, &ok); }),
             "reading a FIFO hangs");
    QVERIFY(!ok && lines.isEmpty());

    // A FIFO without a reader is refused at once and stays a FIFO.
    QString error;
    bool saved = true;
    QVERIFY(finishesWithin(3000, fifo, [&] { saved = TextFile::writeBytes(fifo, "job", &error); }));
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QVERIFY(isFifo(fifo));

    // With a reader the bytes go straight into it.
    QByteArray received;
    std::thread reader([&] {
        QFile in(fifo);
        if (in.open(QIODevice::ReadOnly))
            received = in.readAll();
    });
    QElapsedTimer clock;
    clock.start();
    saved = false;
    while (!saved && clock.elapsed() < 3000) {
        saved = TextFile::writeBytes(fifo, "CB\r\nP1\r\n", &error);
        if (!saved)
            QThread::msleep(10); // the reader has not opened its end yet
    }
    reader.join();
    QVERIFY2(saved, qPrintable(error));
    QCOMPARE(received, QByteArray("CB\r\nP1\r\n"));
    QVERIFY(isFifo(fifo));

    // A folder is refused.
    QVERIFY(!TextFile::writeBytes(dir.path(), "x", &error));

    // Device nodes: written in place, never replaced (made here, as root only).
    if (geteuid() != 0)
        return;
    const QString null = dir.filePath("null"), full = dir.filePath("full");
    QVERIFY(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
    QVERIFY(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0);
    QVERIFY(TextFile::writeBytes(null, "CB\r\n", &error));
    QVERIFY(!TextFile::writeBytes(full, "CB\r\n", &error));
    QVERIFY(error.contains("No space left on device"));
    for (const QString &node : {null, full}) {
        struct stat st {};
        QVERIFY(::lstat(QFile::encodeName(node).constData(), &st) == 0 && S_ISCHR(st.st_mode));
    }
    QCOMPARE(entries(dir.path()), (QStringList{"full", "null", "pipe.Txt"}));
#endif
}

void TestTextFile::boundedReads()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.Txt");
    QVERIFY(TextFile::writeBytes(path, QByteArray(1000, 'a') + "\r\n"));
    QByteArray bytes;
    QString error;
    QCOMPARE(TextFile::readBytes(path, 1002, &bytes, &error), TextFile::Read::Ok);
    QCOMPARE(bytes.size(), 1002);
    QCOMPARE(TextFile::readBytes(path, 1001, &bytes, &error), TextFile::Read::Failed);
    QVERIFY(bytes.isEmpty() && !error.isEmpty());
    QCOMPARE(TextFile::readBytes(dir.filePath("none"), 10, &bytes, &error),
             TextFile::Read::Missing);
    QCOMPARE(TextFile::readBytes(dir.path(), 10, &bytes, &error), TextFile::Read::Failed);
}

void TestTextFile::settingsKeepNothing()
{
    SaveSettingInt(SettingsSection, "BarNewCompLen", 3);
    QCOMPARE(ReadSettingInt(SettingsSection, "BarNewCompLen"), 0);
    SaveSettingText(SettingsSection, "BarNewNo1", "8801234567890");
    QCOMPARE(ReadSettingText(SettingsSection, "BarNewNo1"), QString());
    SaveSettingInt(SettingsSection, "[SRP770]PrnSel1", 1);
    QCOMPARE(ReadSettingInt(SettingsSection, "[SRP770]PrnSel1"), 0);
}

void TestTextFile::readWidths_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<double>>("widths");
    const QList<double> none;
    addRow("missing file", false, QByteArray(), none);
    addRow("three widths", true, QByteArray("8.5 12 3\r\n"), QList<double>{8.5, 12, 3});
    addRow("one number fewer", true, QByteArray("8.5 12\r\n"), none);
    addRow("one number more", true, QByteArray("8.5 12 3 4\r\n"), none);
    addRow("empty first line", true, QByteArray("\r\n8.5 12 3\r\n"), none);
    addRow("empty file", true, QByteArray(), none);
    addRow("runs of spaces, LF", true, QByteArray("  8.5   12 3 \n"), QList<double>{8.5, 12, 3});
    addRow("word not a number", true, QByteArray("8.5 x 3"), QList<double>{8.5, 0, 3});
    // Widths a grid cannot have are held within 0 to 1000 characters.
    addRow("absurd widths held", true, QByteArray("-5 ") + QByteArray(400, '9') + " 1e9",
           QList<double>{0, 1000, 1});
}

void TestTextFile::readWidths()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<double>, widths);
    QTemporaryDir dir;
    const QString path = ColumnWidthFile::pathFor(dir.path(), "SRP770Frm");
    QVERIFY(path.endsWith("/SRP770FrmColSize.Txt"));
    if (exists)
        QVERIFY(TextFile::writeBytes(path, bytes));
    QCOMPARE(ColumnWidthFile::read(path, 3), widths);
}

void TestTextFile::widthsRoundTrip()
{
    QTemporaryDir dir;
    const QString path = ColumnWidthFile::pathFor(dir.path(), "AL300Frm");
    QVERIFY(ColumnWidthFile::write(path, {8.5, 12, 0.1 + 0.2, 4.25}));
    QCOMPARE(fileBytes(path), QByteArray("8.5 12 0.3 4.25\r\n"));
    QCOMPARE(ColumnWidthFile::read(path, 4), (QList<double>{8.5, 12, 0.3, 4.25}));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
