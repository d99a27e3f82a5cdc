// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's report is made from the goods model alone: this test runs it in a
// process that has only a QGuiApplication, where building any widget aborts the process.
// What it writes is byte for byte what the program itself writes for the same request (the
// PDF's creation time aside; QT_HASH_SEED=0 fixes the order of its embedded fonts).

#include "cli/reportcommand.h"
#include "clirunner.h"
#include "common/programstate.h"
#include "support/labelsetfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A written file without its time stamps: a PDF's bytes without the creation time, or the
// digest of every part of a workbook but its properties.
QByteArray readBack(const QString &path)
{
    if (path.endsWith(QLatin1String(".pdf"))) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        QByteArray bytes = f.readAll();
        const qsizetype at = bytes.indexOf("/CreationDate (D:");
        if (at >= 0)
            bytes.remove(at, bytes.indexOf(')', at) + 1 - at);
        return bytes;
    }
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3),
            {QStringLiteral("-c"),
             QStringLiteral("import sys, zipfile, hashlib\n"
                            "z = zipfile.ZipFile(sys.argv[1])\n"
                            "for n in z.namelist():\n"
                            "    if n != 'docProps/core.xml':\n"
                            "        print(n, hashlib.sha256(z.read(n)).hexdigest())\n"),
             path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

} // namespace

class TestReportCommand : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString data() const { return m_dir.filePath(QStringLiteral("Data")); }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(qgetenv("QT_HASH_SEED"), QByteArray("0"));
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(data()));
        QVERIFY(LabelSetFixture::write(data(), QStringLiteral("/dev/null")));
        Program().DataDirOverride = data();
        Program().CreateDataDir = false;
    }

    void reportWithoutWidgets_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("srp770 pages by name")
            << QStringList{"srp770", "--set", "00", "--by", "name"} << "srp770.pdf";
        QTest::newRow("al300 workbook") << QStringList{"al300", "--set", "00"} << "al300.xlsx";
        QTest::newRow("leo60d pages")
            << QStringList{"leo60d", "--pre", TEST_DATA_DIR "/sample.pre"} << "leo.pdf";
        QTest::newRow("leo60d workbook")
            << QStringList{"leo60d", "--pre", TEST_DATA_DIR "/sample.pre"} << "leo.xlsx";
    }
    void reportWithoutWidgets()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QVERIFY(!qobject_cast<QApplication *>(QCoreApplication::instance()));
        const QString here = m_dir.filePath(QStringLiteral("here-") + file);
        const QString option = file.endsWith(QLatin1String(".pdf")) ? QStringLiteral("--pdf")
                                                                    : QStringLiteral("--xlsx");
        QCOMPARE(ReportCommand::run(args + QStringList{option, here}), 0);
        const QString program = m_dir.filePath(QStringLiteral("program-") + file);
        const CliResult r = runCli(QStringList{"--data-dir", data(), "report"} + args +
                                   QStringList{option, program});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray expected = readBack(program);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(readBack(here), expected);
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // no QApplication: a widget cannot be built here
    TestReportCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_reportcommand.moc"
