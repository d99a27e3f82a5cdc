// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data and help files are found: a portable copy keeps them beside the program, an
// installed program (a read-only folder, or the installed share folder beside it) keeps the
// data in the user's data location and reads the help from its share folder.

#include "common/programfolders.h"

#include "support/addrow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Rule = ProgramFolders::DataRule;
Q_DECLARE_METATYPE(ProgramFolders::DataRule)

class TestProgramFolders : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Folders below the temporary folder, by name: "portable" (writable), "readonly"
    // (r-x for everybody), "prefix/bin" beside "prefix/share/labelstation", "user".
    QString path(const QString &name) const
    {
        return name.isEmpty() ? QString() : QDir::cleanPath(m_dir.filePath(name));
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void chooseData_data();
    void chooseData();
    void writableFolder_data();
    void writableFolder();
    void helpFolder_data();
    void helpFolder();
};

void TestProgramFolders::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QDir d(m_dir.path());
    for (const char *sub : {"portable", "readonly", "prefix/bin", "prefix/share/labelstation",
                            "user", "withhelp/Help/Jpg", "picturesonly/Help/Jpg", "emptybin"})
        QVERIFY(d.mkpath(sub));
    QFile help(d.filePath("withhelp/Help_SRP770.Txt"));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.close();
    QFile plain(d.filePath("plainfile"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QFile::setPermissions(d.filePath("readonly"), QFile::Permissions(0x5555)));
}

void TestProgramFolders::cleanupTestCase()
{
    QFile::setPermissions(m_dir.filePath("readonly"), QFile::Permissions(0x7700));
}

void TestProgramFolders::chooseData_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<Rule>("rule");
    addRow("--data-dir first", "opt", "env", "portable", "user", "opt", Rule::Option);
    addRow("then LABELSTATION_DATA_DIR", "", "env", "readonly", "user", "env", Rule::Environment);
    addRow("portable copy", "", "", "portable", "user", "portable/Data", Rule::BesideProgram);
    addRow("read-only program folder", "", "", "readonly", "user", "user/Data", Rule::UserData);
    addRow("installed beside its share folder", "", "", "prefix/bin", "user", "user/Data",
           Rule::UserData);
    addRow("no user data location", "", "", "readonly", "", "readonly/Data", Rule::BesideProgram);
}

void TestProgramFolders::chooseData()
{
    QFETCH(QString, option);
    QFETCH(QString, environment);
    QFETCH(QString, program);
    QFETCH(QString, user);
    QFETCH(QString, expected);
    QFETCH(Rule, rule);
    const ProgramFolders::DataChoice c =
        ProgramFolders::chooseData(path(option), path(environment), path(program), path(user));
    QCOMPARE(c.path, path(expected));
    QCOMPARE(c.rule, rule);
    // The rule only names the folder; DataDirectory() creates it.
    QVERIFY(!QFileInfo::exists(path(program) + "/Data"));
}

void TestProgramFolders::writableFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("writable");
    addRow("writable folder", "portable", true);
    // r-x for everybody: read-only for the superuser too.
    addRow("read-only folder", "readonly", false);
    addRow("missing folder", "missing", false);
    addRow("a file", "plainfile", false);
    addRow("empty path", "", false);
}

void TestProgramFolders::writableFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, writable);
    QCOMPARE(ProgramFolders::isWritableFolder(path(folder)), writable);
}

void TestProgramFolders::helpFolder_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    addRow("help files beside the program", "withhelp", "withhelp");
    addRow("help pictures beside the program", "picturesonly", "picturesonly");
    addRow("installed: the share folder", "prefix/bin", "prefix/share/labelstation");
    addRow("neither: the program folder", "emptybin", "emptybin");
}

void TestProgramFolders::helpFolder()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QCOMPARE(ProgramFolders::helpFolder(path(program)), path(expected));
}

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "test_programfolders.moc"
