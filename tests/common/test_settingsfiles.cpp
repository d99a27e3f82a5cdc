#include "common/columnwidthfile.h"
#include "common/settingsstore.h"
#include "common/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsKeepNothing();
    void readWidths_data();
    void readWidths();
    void widthsRoundTrip();
    void writeFailureReported();
};

void TestSettingsFiles::settingsKeepNothing()
{
    SaveSettingInt(SettingsSection, "BarNewCompLen", 3);
    QCOMPARE(ReadSettingInt(SettingsSection, "BarNewCompLen"), 0);
    SaveSettingText(SettingsSection, "BarNewNo1", "8801234567890");
    QCOMPARE(ReadSettingText(SettingsSection, "BarNewNo1"), QString());
    SaveSettingInt(SettingsSection, "[SRP770]PrnSel1", 1);
    QCOMPARE(ReadSettingInt(SettingsSection, "[SRP770]PrnSel1"), 0);
    QVERIFY(SettingsSection.isEmpty());
}

void TestSettingsFiles::readWidths_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<double>>("widths");
    const QList<double> none;
    QTest::newRow("missing file") << false << QByteArray() << none;
    QTest::newRow("three widths") << true << QByteArray("8.5 12 3\r\n")
                                  << QList<double>{8.5, 12, 3};
    QTest::newRow("one number fewer") << true << QByteArray("8.5 12\r\n") << none;
    QTest::newRow("one number more") << true << QByteArray("8.5 12 3 4\r\n") << none;
    QTest::newRow("empty first line") << true << QByteArray("\r\n8.5 12 3\r\n") << none;
    QTest::newRow("empty file") << true << QByteArray() << none;
    QTest::newRow("runs of spaces, LF")
        << true << QByteArray("  8.5   12 3 \n") << QList<double>{8.5, 12, 3};
    QTest::newRow("word not a number") << true << QByteArray("8.5 x 3") << QList<double>{8.5, 0, 3};
}

void TestSettingsFiles::readWidths()
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

void TestSettingsFiles::widthsRoundTrip()
{
    QTemporaryDir dir;
    const QString path = ColumnWidthFile::pathFor(dir.path(), "AL300Frm");
    const QList<double> widths{8.5, 12, 0.1 + 0.2, 4.25};
    QVERIFY(ColumnWidthFile::write(path, widths));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("8.5 12 0.3 4.25\r\n"));
    QCOMPARE(ColumnWidthFile::read(path, 4), (QList<double>{8.5, 12, 0.3, 4.25}));
}

void TestSettingsFiles::writeFailureReported()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!ColumnWidthFile::write(dir.filePath("Data/SRP770FrmColSize.Txt"), {1, 2}, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "test_settingsfiles.moc"
