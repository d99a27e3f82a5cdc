// SPDX-License-Identifier: GPL-3.0-or-later
// The installed program: `cmake --install` of this build into a temporary DESTDIR puts every
// file in its place, the desktop files pass their validators, and the program run from
// there answers, prints and opens its window with its data in the right folder.

#include "support/addrow.h"
#include "support/labelsetfixture.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <unistd.h>
#endif

namespace {

constexpr int Nobody = 65534;

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool setMode(const QString &path, int mode)
{
    return QFile::setPermissions(path, QFile::Permissions(mode));
}

// Everything below `path` to the user nobody.
bool giveToNobody(const QString &path)
{
    bool ok = ::chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = ::chown(QFile::encodeName(it.next()).constData(), Nobody, Nobody) == 0 && ok;
    return ok;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    QByteArray m_job; // what the built program prints for goods 1 of the fixture

    QString tmp(const QString &rel) const { return m_tmp.filePath(rel); }
    QString installed(const QString &rel) const { return tmp("dest/usr/" + rel); }
    QString program() const { return installed("bin/labelstation"); }
    QString portable() const { return tmp("portable/labelstation"); }

    QProcessEnvironment environment(const QString &home) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("LABELSTATION_DATA_DIR");
        env.remove("LABELSTATION_HELP_DIR");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/xdg");
        return env;
    }

    Run run(const QString &exe, const QStringList &args,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
            bool asNobody = false) const
    {
        QProcess p;
        p.setProcessEnvironment(env);
#ifdef Q_OS_UNIX
        if (asNobody) {
            p.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                    ::_exit(99);
            });
        }
#endif
        p.start(exe, args);
        Run r;
        if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

private Q_SLOTS:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void helpFilesUnchanged();
    void validators();
    void versionAndHelp();
    void printFromDataFolder();
    void dataFolderRule_data();
    void dataFolderRule();
    void mainWindowOpens();
};

void TestInstall::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY(setMode(m_tmp.path(), 0x7755)); // other users reach the installed program
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", tmp("dest"));
    const Run install = run(CMAKE_COMMAND_PATH, {"--install", BUILD_DIR, "--prefix", "/usr"}, env);
    QVERIFY2(install.status == 0, install.err.constData());

    // A portable copy: the program alone in a folder of its own.
    QVERIFY(QDir().mkpath(tmp("portable")));
    QVERIFY(QFile::copy(program(), portable()));

    const QString data = tmp("fixture");
    QVERIFY(QDir().mkpath(data) && LabelSetFixture::write(data, "/dev/null"));
    const Run built = run(LABELSTATION_BIN, {"--data-dir", data, "print", "srp770", "--set", "00",
                                             "--items", "1", "--out", "-"});
    QCOMPARE(built.status, 0);
    m_job = built.out;
    QVERIFY(m_job.startsWith("CB\r\n"));
}

void TestInstall::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("kind");
    const QString id = APP_ID;
    addRow("program", "bin/labelstation", "program");
    addRow("desktop entry", "share/applications/" + id + ".desktop", "text");
    addRow("metainfo", "share/metainfo/" + id + ".metainfo.xml", "text");
    addRow("manual page", "share/man/man1/labelstation.1.gz", "gzip");
    addRow("copyright", "share/doc/labelstation/copyright", "text");
    addRow("changelog", "share/doc/labelstation/changelog.gz", "gzip");
    addRow("icon drawing", "share/icons/hicolor/scalable/apps/" + id + ".svg", "svg");
    addRow("bash completion", "share/bash-completion/completions/labelstation", "text");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString s = QString::number(size);
        QTest::newRow(qPrintable("icon " + s))
            << "share/icons/hicolor/" + s + "x" + s + "/apps/" + id + ".png"
            << "png" + s;
    }
}

void TestInstall::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, kind);
    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    const QByteArray bytes = fileBytes(info.filePath());
    if (kind == "program") {
        QVERIFY(info.permissions() & QFile::ExeOther);
    } else {
        QVERIFY(!(info.permissions() & QFile::ExeOther));
        QVERIFY(info.permissions() & QFile::ReadOther);
    }
    if (kind == "gzip")
        QVERIFY(bytes.startsWith("\x1f\x8b"));
    if (kind == "svg")
        QCOMPARE(bytes, fileBytes(SOURCE_DIR "/resources/icons/labelstation.svg"));
    if (kind.startsWith("png")) {
        // The PNG header gives width and height, big-endian, after "IHDR".
        QVERIFY(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const int size = kind.mid(3).toInt();
        const QByteArray ihdr = bytes.mid(12, 12);
        QVERIFY(ihdr.startsWith("IHDR"));
        QCOMPARE(qFromBigEndian<quint32>(ihdr.constData() + 4), quint32(size));
        QCOMPARE(qFromBigEndian<quint32>(ihdr.constData() + 8), quint32(size));
    }
}

void TestInstall::helpFilesUnchanged()
{
    const QString source = SOURCE_DIR "/resources/help";
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        const QString rel = QDir(source).relativeFilePath(file);
        QCOMPARE(fileBytes(installed("share/labelstation/" + rel)), fileBytes(file));
        ++count;
    }
    QVERIFY(count >= 4);
    // Nothing lands outside bin, share and the systemd user units; the print service's unit
    // starts the program installed beside it.
    QDirIterator all(tmp("dest"), QDir::Files, QDirIterator::Subdirectories);
    while (all.hasNext()) {
        const QString rel = QDir(tmp("dest")).relativeFilePath(all.next());
        QVERIFY2(rel.startsWith("usr/bin/") || rel.startsWith("usr/share/") ||
                     rel == "usr/lib/systemd/user/labelstation-serve.service",
                 qPrintable(rel));
    }
    QVERIFY(fileBytes(tmp("dest/usr/lib/systemd/user/labelstation-serve.service"))
                .contains("\nExecStart=/usr/bin/labelstation serve\n"));
}

void TestInstall::validators()
{
    const QString id = APP_ID;
    const Run desktop =
        run("desktop-file-validate", {installed("share/applications/" + id + ".desktop")});
    QVERIFY2(desktop.status == 0 && desktop.out.isEmpty(), desktop.out + desktop.err);
    const Run meta = run("appstreamcli", {"validate", "--no-net",
                                          installed("share/metainfo/" + id + ".metainfo.xml")});
    QVERIFY2(meta.status == 0, meta.out + meta.err);
    // The manual page formats without a warning from groff.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MANWIDTH", "80");
    const Run man = run(
        "man", {"--warnings", "-E", "UTF-8", "-l", installed("share/man/man1/labelstation.1.gz")},
        env);
    QCOMPARE(man.status, 0);
    QVERIFY2(man.err.isEmpty(), man.err.constData());
    for (const char *text :
         {"LABELSTATION_DATA_DIR", "--data-dir", "COMMANDS", "convert-pre", "--items LIST",
          ".local/share/labelstation/Data", "EXIT STATUS", "FILES", "ENVIRONMENT", "포트 설정"})
        QVERIFY2(man.out.contains(text), text);
    QVERIFY(!man.out.contains("??"));
}

void TestInstall::versionAndHelp()
{
    const QProcessEnvironment env = environment(tmp("home"));
    const Run version = run(program(), {"--version"}, env);
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("labelstation " LABELSTATION_VERSION "\n"));
    const Run help = run(program(), {"--help"}, env);
    QCOMPARE(help.status, 0);
    for (const char *text : {"--data-dir", "LABELSTATION_DATA_DIR", "Data beside the program",
                             "~/.local/share/labelstation/Data", "print"})
        QVERIFY2(help.out.contains(text), text);
    QVERIFY(!QFileInfo::exists(installed("bin/Data")));
}

void TestInstall::printFromDataFolder()
{
    const Run r = run(program(),
                      {"--data-dir", tmp("fixture"), "print", "srp770", "--set", "00", "--items",
                       "1", "--out", "-"},
                      environment(tmp("home")));
    QVERIFY2(r.status == 0, r.err.constData());
    QCOMPARE(r.out, m_job);
}

void TestInstall::dataFolderRule_data()
{
    QTest::addColumn<bool>("isInstalled"); // else the portable copy
    QTest::addColumn<bool>("readOnly");    // the program's folder r-x for everybody
    QTest::addColumn<bool>("fromEnvironment");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<QString>("expected"); // "beside", "user" or "environment"
    addRow("portable copy: beside the program", false, false, false, false, "beside");
    addRow("portable copy, read-only: user data", false, true, false, false, "user");
    addRow("portable copy, read-only, as another user", false, true, false, true, "user");
    addRow("portable copy, read-only, LABELSTATION_DATA_DIR", false, true, true, false,
           "environment");
    addRow("installed: user data", true, false, false, false, "user");
    addRow("installed, read-only: user data", true, true, false, false, "user");
    addRow("installed, read-only, as another user", true, true, false, true, "user");
}

void TestInstall::dataFolderRule()
{
    QFETCH(bool, isInstalled);
    QFETCH(bool, readOnly);
    QFETCH(bool, fromEnvironment);
    QFETCH(bool, asNobody);
    QFETCH(QString, expected);
#ifndef Q_OS_UNIX
    QSKIP("folder permissions are tested on Unix");
#else
    if (asNobody && geteuid() != 0)
        QSKIP("only the superuser runs the program as another user");
    const QString exe = isInstalled ? program() : portable();
    const QString programDir = QFileInfo(exe).path();
    const QString home = tmp(QString("home-%1").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(home));
    const QString folder = expected == "beside" ? programDir + "/Data"
                           : expected == "user" ? home + "/xdg/labelstation/Data"
                                                : home + "/env";
    // Only the expected folder holds the goods: any other choice fails to print.
    QVERIFY(QDir().mkpath(folder) && LabelSetFixture::write(folder, "/dev/null"));
    QProcessEnvironment env = environment(home);
    if (fromEnvironment)
        env.insert("LABELSTATION_DATA_DIR", folder);
    if (asNobody)
        QVERIFY(giveToNobody(home));
    if (readOnly)
        QVERIFY(setMode(programDir, 0x5555));
    const Run r =
        run(exe, {"print", "srp770", "--set", "00", "--items", "1", "--out", "-"}, env, asNobody);
    const bool besideMade = QFileInfo::exists(programDir + "/Data");
    QVERIFY(setMode(programDir, 0x7755));
    QDir(programDir + "/Data").removeRecursively();
    QVERIFY2(r.status == 0, r.err.constData());
    QCOMPARE(r.out, m_job);
    QCOMPARE(besideMade, expected == "beside");
#endif
}

void TestInstall::mainWindowOpens()
{
    // The window's load creates the data folder; the installed program's lies in the user's
    // data location.
    const QString home = tmp("home-window");
    QVERIFY(QDir().mkpath(home));
    const QString folder = home + "/xdg/labelstation/Data";
    QProcess p;
    p.setProcessEnvironment(environment(home));
    p.start(program(), {});
    QVERIFY(p.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder).isDir(), 20000);
    QTest::qWait(300);
    QCOMPARE(p.state(), QProcess::Running);
    p.kill();
    p.waitForFinished();
    QVERIFY(!QFileInfo::exists(installed("bin/Data")));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
