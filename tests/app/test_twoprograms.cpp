// SPDX-License-Identifier: GPL-3.0-or-later
// Two programs on one data folder, each its own process: the windows program holds the
// folder; a second start of the windows is refused with the message and brings the first
// window forward; the command line's conversion does not write the set the first program's
// station shows; a program that was killed leaves locks that the next start takes over.

#include "common/datalock.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("LABELSTATION_DATA_DIR"));
    return env;
}

struct Run {
    int status = -1;
    QString err;
};

Run runToEnd(const QStringList &arguments)
{
    QProcess p;
    p.setProcessEnvironment(childEnvironment());
    p.start(QStringLiteral(LABELSTATION_BIN), arguments);
    Run r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestTwoPrograms : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_first;
    QString data() const { return m_dir.filePath("Data"); }
    QString file(const QString &name) const { return data() + "/" + name; }
    QString mark(const QString &name) const
    {
        return DataLock(DataLock::Kind::Editing, file(name)).lockFilePath();
    }
    QStringList convertArgs() const
    {
        return {"--data-dir", data(), "convert-pre", TEST_DATA_DIR "/sample.pre", "--set", "00",
                "--barcodes", "1",    "--yes"};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The first program: the windows with the AL-300 station open on set 00.
        m_first.setProcessEnvironment(childEnvironment());
        m_first.start(QStringLiteral(LABELSTATION_BIN),
                      {"--data-dir", data(), "--open", "AL300Frm"});
        QVERIFY(m_first.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark("AL300Dat[00].Txt")), 15000);
    }

    void cleanupTestCase()
    {
        if (m_first.state() != QProcess::NotRunning) {
            m_first.kill();
            m_first.waitForFinished();
        }
    }

    void secondStartIsRefused();
    void conversionIsRefusedWhileTheStationShowsTheSet();
    void locksOfAKilledProgramAreTakenOver();
};

void TestTwoPrograms::secondStartIsRefused()
{
    const QString shot = m_dir.filePath("refused.png");
    const Run r = runToEnd({"--data-dir", data(), "--grab", shot});
    QCOMPARE(r.status, 1);
    const QString holder = QStringLiteral("labelstation on %1 (process %2)")
                               .arg(QSysInfo::machineHostName())
                               .arg(m_first.processId());
    QVERIFY2(r.err.contains("is in use by " + holder) &&
                 r.err.contains("its window was brought forward"),
             qPrintable(r.err));
    // The message box the operator gets (saved instead of shown, with --grab).
    QVERIFY(!QImage(shot).isNull());
    QCOMPARE(m_first.state(), QProcess::Running);
}

void TestTwoPrograms::conversionIsRefusedWhileTheStationShowsTheSet()
{
    const Run r = runToEnd(convertArgs());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("(process %1)").arg(m_first.processId())) &&
                 r.err.contains("--force"),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(file("AL300Dat[00].Txt")));
}

void TestTwoPrograms::locksOfAKilledProgramAreTakenOver()
{
    m_first.kill();
    QVERIFY(m_first.waitForFinished(10000));
    QVERIFY(QFile::exists(DataLock(DataLock::Kind::Program, data()).lockFilePath()));
    QVERIFY(QFile::exists(mark("AL300Dat[00].Txt")));

    // The windows start as usual (and end after the picture), the conversion writes.
    const QString shot = m_dir.filePath("started.png");
    Run r = runToEnd({"--data-dir", data(), "--grab", shot});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY(!QImage(shot).isNull());
    r = runToEnd(convertArgs());
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY(QFile::exists(file("AL300Dat[00].Txt")));
}

QTEST_MAIN(TestTwoPrograms)
#include "test_twoprograms.moc"
