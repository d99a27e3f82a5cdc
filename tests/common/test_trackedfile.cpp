// SPDX-License-Identifier: GPL-3.0-or-later
// A file a window read, compared with the disk before the window writes it: what counts as
// another writer's change, writes that refuse to go over one, copies beside the file, the
// lock files of stations and writers (held by a second process), and the notices of changes.

#include "support/addrow.h"
#include "common/datalock.h"
#include "common/filechangewatch.h"
#include "common/safesave.h"
#include "common/trackedfile.h"
#include "common/writerlock.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void setTime(const QString &path, const QDateTime &time)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
}

// The second process of the lock tests: holds a station's editing mark on a file until its
// standard input closes (or it is killed).
int holdEditingMark(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    DataLock mark(DataLock::Kind::Editing, QString::fromLocal8Bit(argv[2]));
    if (mark.tryLock(0) != DataLock::Result::Locked)
        return 2;
    std::puts("held");
    std::fflush(stdout);
    char c;
    while (std::fread(&c, 1, 1, stdin) == 1) {
    }
    return 0;
}

} // namespace

class TestTrackedFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void noticesOtherWriters_data();
    void noticesOtherWriters();
    void writeDoesNotGoOverAnotherWrite();
    void copiesGoBesideUnderFreeNames();
    void writersStopAtAnotherProgramsStation();
    void watchNoticesAReplacedFile();
    void lockOfAnotherComputer_data();
    void lockOfAnotherComputer();
};

void TestTrackedFile::noticesOtherWriters_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("thorough");
    QTest::addColumn<int>("quick");
    using D = TrackedFile::Disk;
    addRow("untouched", "none", int(D::Same), int(D::Same));
    addRow("same bytes, new time", "touch", int(D::Same), int(D::Same));
    addRow("new bytes", "rewrite", int(D::Changed), int(D::Changed));
    // A coarse clock (a network share) can leave size and time as they were: only reading
    // tells, which is why every save compares thoroughly.
    addRow("new bytes, same size and time", "sneak", int(D::Changed), int(D::Same));
    addRow("removed", "remove", int(D::Removed), int(D::Removed));
    addRow("created where none was", "create", int(D::Changed), int(D::Changed));
}

void TestTrackedFile::noticesOtherWriters()
{
    QFETCH(QString, change);
    QFETCH(int, thorough);
    QFETCH(int, quick);
    const QString p = path("AL300Dat[03].Txt");
    const QDateTime past = QDateTime::currentDateTimeUtc().addSecs(-60);
    if (change != "create") {
        QVERIFY(SafeSave::write(p, "<001>'1'apple\r\n"));
        setTime(p, past);
    }
    TrackedFile file(p);
    QByteArray bytes;
    QVERIFY(file.read(&bytes) != TextFile::Read::Failed);
    if (change == "touch") {
        setTime(p, past.addSecs(5));
    } else if (change == "rewrite" || change == "create") {
        QVERIFY(SafeSave::write(p, "<001>'1'apple pie\r\n"));
    } else if (change == "sneak") {
        QVERIFY(SafeSave::write(p, "<001>'1'APPLE\r\n"));
        setTime(p, past);
    } else if (change == "remove") {
        QVERIFY(QFile::remove(p));
    }
    TrackedFile again = file;
    QCOMPARE(int(file.check(true)), thorough);
    QCOMPARE(int(again.check(false)), quick);
}

void TestTrackedFile::writeDoesNotGoOverAnotherWrite()
{
    const QString p = path("SRP770Frm[00].Txt");
    QVERIFY(SafeSave::write(p, "mine as read\r\n"));
    TrackedFile file(p);
    QByteArray bytes;
    file.read(&bytes);
    file.setBaseline(bytes);
    QVERIFY(!file.ownChanged("mine as read\r\n"));
    QVERIFY(file.ownChanged("mine, changed\r\n"));

    QVERIFY(SafeSave::write(p, "theirs\r\n"));
    QCOMPARE(file.write("mine, changed\r\n", false), TrackedFile::Write::ChangedMeanwhile);
    QCOMPARE(fileBytes(p), QByteArray("theirs\r\n"));
    // Told to, it writes; what it wrote is then its own.
    QCOMPARE(file.write("mine, changed\r\n", true), TrackedFile::Write::Written);
    QCOMPARE(fileBytes(p), QByteArray("mine, changed\r\n"));
    QCOMPARE(file.check(), TrackedFile::Disk::Same);
    QVERIFY(!file.ownChanged("mine, changed\r\n"));
}

void TestTrackedFile::copiesGoBesideUnderFreeNames()
{
    TrackedFile file(path("AL300Dat[03].Txt"));
    QCOMPARE(file.freeCopyPath(), path("AL300Dat[03] 사본.Txt"));
    QString copy;
    QVERIFY(file.writeCopy("first copy\r\n", &copy));
    QCOMPARE(copy, path("AL300Dat[03] 사본.Txt"));
    QVERIFY(file.writeCopy("second copy\r\n", &copy));
    QCOMPARE(copy, path("AL300Dat[03] 사본 (2).Txt"));
    QCOMPARE(fileBytes(path("AL300Dat[03] 사본.Txt")), QByteArray("first copy\r\n"));
    QCOMPARE(fileBytes(copy), QByteArray("second copy\r\n"));
    QVERIFY(!QFile::exists(path("AL300Dat[03].Txt")));
}

void TestTrackedFile::writersStopAtAnotherProgramsStation()
{
    const QString p = path("AL300Dat[05].Txt");
    // A station of this very process does not stop the write: it notices it.
    {
        DataLock own(DataLock::Kind::Editing, p);
        QCOMPARE(own.tryLock(), DataLock::Result::Locked);
        WriterLock writer(p);
        QCOMPARE(writer.acquire(), WriterLock::Result::Locked);
        QVERIFY(!writer.openInStation());
    }

    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {"--hold-editing", p});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readAll(), QByteArray("held\n"));
    {
        WriterLock writer(p, 100);
        QCOMPARE(writer.acquire(), WriterLock::Result::OpenInStation);
        QCOMPARE(writer.holder().pid, holder.processId());
        QVERIFY2(writer.englishMessage().contains(
                     QStringLiteral("(process %1)").arg(holder.processId())),
                 qPrintable(writer.englishMessage()));
        QVERIFY(writer.englishMessage().contains("--force"));
        QVERIFY(!writer.isLocked());
        QCOMPARE(writer.acquire(true), WriterLock::Result::Locked);
        QVERIFY(writer.openInStation());
        // A second writer waits for the first, then gives up.
        WriterLock second(p, 100);
        QCOMPARE(second.acquire(true), WriterLock::Result::Busy);
    }
    // Killed, the station leaves its mark behind: the next writer takes it over.
    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(QFile::exists(DataLock(DataLock::Kind::Editing, p).lockFilePath()));
    WriterLock writer(p, 100);
    QCOMPARE(writer.acquire(), WriterLock::Result::Locked);
    QVERIFY(!writer.openInStation());
}

void TestTrackedFile::watchNoticesAReplacedFile()
{
    const QString p = path("AL300Dat[00].Txt");
    QVERIFY(SafeSave::write(p, "one\r\n"));
    FileChangeWatch watch;
    watch.setFiles({p});
    QSignalSpy spy(&watch, &FileChangeWatch::mayHaveChanged);
    // Replaced whole (a new file under the old name), then written again: both noticed.
    for (const QByteArray &bytes : {QByteArray("two\r\n"), QByteArray("three\r\n")}) {
        spy.clear();
        QVERIFY(SafeSave::write(p, bytes));
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty(), 1500);
        QCOMPARE(spy.first().first().toBool(), true);
    }
}

void TestTrackedFile::lockOfAnotherComputer_data()
{
    QTest::addColumn<int>("silentSeconds");
    QTest::addColumn<bool>("takenOver");
    addRow("renewed a minute ago", 60, false);
    addRow("silent for four minutes", 240, true);
}

void TestTrackedFile::lockOfAnotherComputer()
{
    QFETCH(int, silentSeconds);
    QFETCH(bool, takenOver);
    // A program on another computer sharing the folder: its process cannot be looked at, so
    // only a lock file it has stopped renewing counts as left behind.
    DataLock lock(DataLock::Kind::Program, m_dir.path());
    QVERIFY(QDir().mkpath(DataLock::lockFolder(m_dir.path())));
    {
        QFile f(lock.lockFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("4321\nlabelstation\ncounter-pc\n");
    }
    setTime(lock.lockFilePath(), QDateTime::currentDateTimeUtc().addSecs(-silentSeconds));
    QCOMPARE(lock.tryLock(), takenOver ? DataLock::Result::Locked : DataLock::Result::Held);
    const DataLock::Holder h = lock.holder();
    QCOMPARE(h.host, takenOver ? QSysInfo::machineHostName() : QStringLiteral("counter-pc"));
    QCOMPARE(h.thisProcess, takenOver);
    if (!takenOver) {
        QCOMPARE(DataLock::koreanHolder(h),
                 QStringLiteral("컴퓨터 counter-pc, 프로그램 번호(PID) 4321"));
        return;
    }
    // Its new holder renews it.
    setTime(lock.lockFilePath(), QDateTime::currentDateTimeUtc().addSecs(-silentSeconds));
    lock.renew();
    QVERIFY(QFileInfo(lock.lockFilePath()).lastModified().secsTo(QDateTime::currentDateTime()) <
            10);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-editing") == 0)
        return holdEditingMark(argc, argv);
    QCoreApplication app(argc, argv);
    TestTrackedFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_trackedfile.moc"
