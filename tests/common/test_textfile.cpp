#include "common/columnwidthfile.h"
#include "common/settingsstore.h"
#include "common/textfile.h"

#include "addrow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readLines_data();
    void readLines();
    void writeBytesExact();
    void keepsOldFileInReadOnlyFolder();
    void failedWrites();
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
