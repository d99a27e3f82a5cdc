#include "common/textfile.h"

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
    void readMissing();
    void writeBytesExact();
    void keepsOldFileInReadOnlyFolder();
    void pathIsDirectory();
    void missingFolder();
};

void TestTextFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF, last line unended") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("mixed endings") << QByteArray("a\r\nb\nc\r\n") << QStringList{"a", "b", "c"};
    QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("CP949") << QByteArray::fromHex("bbe7b0fa27610d0a8c63")
                           << QStringList{"사과'a", "똠"};
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
}

void TestTextFile::readMissing()
{
    QTemporaryDir dir;
    bool ok = true;
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
    QDir(dir.path()).mkdir("ro");
    const QString path = dir.filePath("ro/keep.Txt");
    QVERIFY(TextFile::writeLines(path, {"old"}));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(dir.filePath("ro"),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    // The superuser writes into any folder: try the save as an ordinary user instead.
    int result = 0;
    if (geteuid() != 0) {
        result = TextFile::writeLines(path, {"new"}) ? 0 : 1;
    } else {
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
    QFile::setPermissions(dir.filePath("ro"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(result, 1);
    QCOMPARE(fileBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.filePath("ro")).entryList(QDir::Files), QStringList{"keep.Txt"});
#endif
}

void TestTextFile::pathIsDirectory()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("x.Txt");
    QVERIFY(TextFile::writeLines(dir.filePath("x.Txt/inner.Txt"), {"old"}));
    QString error;
    QVERIFY(!TextFile::writeLines(dir.filePath("x.Txt"), {"new"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath("x.Txt")).isDir());
    QCOMPARE(fileBytes(dir.filePath("x.Txt/inner.Txt")), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"x.Txt"});
    bool ok = true;
    QVERIFY(TextFile::readLines(dir.filePath("x.Txt"), &ok).isEmpty());
    QVERIFY(!ok);
}

void TestTextFile::missingFolder()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!TextFile::writeLines(dir.filePath("none/out.Txt"), {"x"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("none")));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
