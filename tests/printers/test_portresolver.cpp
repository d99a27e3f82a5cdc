// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programstate.h"
#include "common/textfile.h"
#include "printers/portresolver.h"
#include "printers/printers.h"
#include "sending/portlanguages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Where a station's port sends and in which language: the port map and the port languages
// file of the data folder, as the stations and the command line resolve them.
class TestPortResolver : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        Program().DataDirOverride = m_dir.path();
        QFile::remove(path("ComPortLanguages.Txt"));
        QDir(path("ComPortLanguages.Txt")).removeRecursively();
        QVERIFY(TextFile::writeLines(path("ComPorts.Txt"), {"COM4'tcp://10.0.0.9"}));
    }

    void languageOfThePort_data()
    {
        QTest::addColumn<QString>("station");
        QTest::addColumn<QStringList>("lines"); // ComPortLanguages.Txt; "<dir>": unreadable
        QTest::addColumn<QString>("language");  // "" for an error
        QTest::addColumn<int>("dpi");
        QTest::newRow("no file: the station's own") << "srp770" << QStringList() << "srp770" << 203;
        QTest::newRow("zpl at 300") << "al300" << QStringList{"COM4'zpl'300"} << "zpl" << 300;
        QTest::newRow("zpl, usual resolution") << "srp770" << QStringList{"COM4'zpl"} << "zpl"
                                               << 203;
        QTest::newRow("any case, blanks") << "srp770" << QStringList{" com4 ' ZPL ' 203 "}
                                          << "zpl" << 203;
        QTest::newRow("other ports' lines") << "srp770" << QStringList{"COM3'zpl", "junk"}
                                            << "srp770" << 203;
        QTest::newRow("the station's own by name") << "srp770" << QStringList{"COM4'srp770"}
                                                   << "srp770" << 203;
        QTest::newRow("a resolution zpl lacks") << "srp770" << QStringList{"COM4'zpl'600"} << ""
                                                << 0;
        QTest::newRow("an unknown language") << "srp770" << QStringList{"COM4'xyz"} << "" << 0;
        QTest::newRow("another station's language") << "srp770" << QStringList{"COM4'al300"}
                                                    << "" << 0;
        QTest::newRow("a file that cannot be read") << "al300" << QStringList{"<dir>"} << "" << 0;
    }
    void languageOfThePort()
    {
        QFETCH(QString, station);
        QFETCH(QStringList, lines);
        QFETCH(QString, language);
        QFETCH(int, dpi);
        if (lines == QStringList{"<dir>"})
            QVERIFY(QDir().mkpath(path("ComPortLanguages.Txt")));
        else if (!lines.isEmpty())
            QVERIFY(TextFile::writeLines(path("ComPortLanguages.Txt"), lines));
        const ResolvedPort r = PortResolver::port(*Printers::byKey(station), 4, 1);
        QCOMPARE(r.target.text(), QStringLiteral("tcp://10.0.0.9:9100"));
        if (language.isEmpty()) {
            QVERIFY(!r.ok());
            QCOMPARE(r.error.kind, SendError::Kind::LanguageUnknown);
            QVERIFY(r.error.korean().contains("COM4"));
            return;
        }
        QVERIFY(r.ok());
        QCOMPARE(r.language->key(), language);
        QCOMPARE(r.dpi, dpi);
        QCOMPARE(r.settings.text, QStringLiteral("9600,n,8,1"));
    }

    // Saving writes the ports in order and keeps the lines of no station port as they were;
    // a port back at its station's own language loses its line.
    void savesWhatItReads()
    {
        QVERIFY(TextFile::writeLines(path("ComPortLanguages.Txt"),
                                     {"# printers of the shop", "COM9'zpl'300", "COM2'zpl"}));
        PortLanguages l;
        QVERIFY(l.load(PortLanguages::path()));
        l.setEntry(1, {QStringLiteral("zpl"), 300});
        l.setEntry(2, {});
        QVERIFY(l.save(PortLanguages::path()));
        QFile f(path("ComPortLanguages.Txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("COM1'zpl'300\r\nCOM9'zpl'300\r\n# printers of the shop\r\n"));
    }
};

QTEST_MAIN(TestPortResolver)
#include "test_portresolver.moc"
