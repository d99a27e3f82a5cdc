// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/addrow.h"
#include "common/textfile.h"
#include "sending/linesettings.h"
#include "sending/portmap.h"
#include "sending/porttarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

// Port targets as written in ComPorts.Txt and on the command line, and the port map's
// reading and writing rules.
class TestPortTargets : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind"); // "" when refused
        QTest::addColumn<QString>("canonical");
        addRow("serial device", "/dev/ttyUSB0", "serial", "/dev/ttyUSB0");
        addRow("windows port", " COM3 ", "serial", "COM3");
        addRow("network with port", "tcp://192.168.0.50:9101", "network",
               "tcp://192.168.0.50:9101");
        addRow("network, port 9100 by default", "TCP://printer.local", "network",
               "tcp://printer.local:9100");
        addRow("network, IPv6", "tcp://[::1]:9100", "network", "tcp://[::1]:9100");
        addRow("device file", "file:/dev/usb/lp0", "file", "file:/dev/usb/lp0");
        addRow("device file, URL form", "file:///dev/usb/lp0", "file", "file:/dev/usb/lp0");
        addRow("empty", "  ", "", "");
        addRow("network without host", "tcp://:9100", "", "");
        addRow("network, port 0", "tcp://host:0", "", "");
        addRow("network, port too big", "tcp://host:65536", "", "");
        addRow("network, port not a number", "tcp://host:lp", "", "");
        addRow("network, empty port", "tcp://host:", "", "");
        addRow("network, IPv6 without brackets", "tcp://::1:9100", "", "");
        addRow("file without path", "file:", "", "");
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QString, canonical);
        PortTarget t;
        QString error;
        QCOMPARE(PortTarget::parse(text, &t, &error), !kind.isEmpty());
        if (kind.isEmpty()) {
            QVERIFY(!error.isEmpty());
            return;
        }
        const QMap<QString, PortTarget::Kind> kinds{{"serial", PortTarget::Kind::Serial},
                                                    {"network", PortTarget::Kind::Network},
                                                    {"file", PortTarget::Kind::File}};
        QCOMPARE(t.kind(), kinds.value(kind));
        QCOMPARE(t.text(), canonical);
        PortTarget again;
        QVERIFY(PortTarget::parse(t.text(), &again));
        QCOMPARE(again, t);
    }

    void lineSettings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        for (int speed = 1; speed <= 6; ++speed)
            QTest::addRow("speed %d", speed) << LineSettings::textForSpeed(speed) << true;
        addRow("even parity, 7 bits, 2 stop", "4800,e,7,2", true);
        addRow("no baud", ",n,8,1", false);
        addRow("baud not a number", "fast,n,8,1", false);
        addRow("unknown parity", "9600,x,8,1", false);
        addRow("9 data bits", "9600,n,9,1", false);
        addRow("3 stop bits", "9600,n,8,3", false);
        addRow("three parts", "9600,n,8", false);
        addRow("speed 0", LineSettings::textForSpeed(0), false);
        addRow("speed 7", LineSettings::textForSpeed(7), false);
    }

    void lineSettings()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        LineSettings s;
        QCOMPARE(LineSettings::parse(text, &s), accepted);
        QCOMPARE(s.text, accepted ? text : QStringLiteral("9600,n,8,1"));
    }

    void mapReading_data()
    {
        QTest::addColumn<QByteArray>("map"); // ComPorts.Txt, "<none>" = no file
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("expected"); // the target's text, "" for none

        addRow("no file, COM1", QByteArray("<none>"), 1, "/dev/ttyS0");
        addRow("no file, COM9", QByteArray("<none>"), 9, "/dev/ttyS8");
        addRow("no file, port 0", QByteArray("<none>"), 0, "");
        addRow("no file, port 10", QByteArray("<none>"), 10, "");
        addRow("mapped", QByteArray("COM3'/dev/ttyUSB0\r\n"), 3, "/dev/ttyUSB0");
        addRow("other port unmapped", QByteArray("COM3'/dev/ttyUSB0\r\n"), 2, "/dev/ttyS1");
        addRow("LF endings, blanks, lower case", QByteArray("\n  com5 '  /dev/ttyACM1  \n"), 5,
               "/dev/ttyACM1");
        addRow("first mapping wins", QByteArray("COM2'/dev/a\r\nCOM2'/dev/b\r\n"), 2, "/dev/a");
        addRow("no apostrophe ignored", QByteArray("COM2 /dev/a\r\n"), 2, "/dev/ttyS1");
        addRow("two apostrophes ignored", QByteArray("COM2'/dev/a'x\r\n"), 2, "/dev/ttyS1");
        addRow("empty target ignored", QByteArray("COM2'\r\n"), 2, "/dev/ttyS1");
        addRow("COM1 is not COM12", QByteArray("COM12'/dev/a\r\n"), 1, "/dev/ttyS0");
        addRow("beyond COM9 when mapped", QByteArray("COM12'/dev/a\r\n"), 12, "/dev/a");
        addRow("network printer", QByteArray("COM4'tcp://192.168.0.50:9100\r\n"), 4,
               "tcp://192.168.0.50:9100");
        addRow("device file", QByteArray("COM5'file:/dev/usb/lp0\r\n"), 5, "file:/dev/usb/lp0");
        addRow("no target in the map", QByteArray("COM6'tcp://\r\n"), 6, "");
        // A map that is there but cannot be read names no port at all: a fallback to the
        // port's own device could send the labels to another real printer.
        addRow("map is a folder", QByteArray("<folder>"), 3, "");
        addRow("map is a FIFO", QByteArray("<fifo>"), 3, "");
    }

    void mapReading()
    {
        QFETCH(QByteArray, map);
        QFETCH(int, port);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(PortMap::fileName());
        const bool unreadable = map == "<folder>" || map == "<fifo>";
        if (map == "<folder>")
            QVERIFY(QDir(dir.path()).mkdir(PortMap::fileName()));
        else if (map == "<fifo>")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (map != "<none>")
            writeFile(path, map);
        PortMap m;
        QCOMPARE(m.load(path), !unreadable);
        QString error;
        const PortTarget t = m.target(port, &error);
        if (unreadable)
            QVERIFY2(error.contains("ComPorts.Txt") && !error.contains("ttyS"), qPrintable(error));
#ifndef Q_OS_WIN
        QCOMPARE(t.text(), expected);
#endif
        QCOMPARE(error.isEmpty(), t.isValid());
    }

    void mapSaving()
    {
        // The stations' ports are written in order; other lines stay as they were.
        const QString path = m_dir.filePath(PortMap::fileName());
        writeFile(path, "COM12'/dev/ttyUSB9\r\nCOM3'/dev/old\r\nCOM3'/dev/older\r\n"
                        "COM7'/dev/ttyS6\r\n");
        PortMap m;
        QVERIFY(m.load(path));
        m.setEntry(3, QStringLiteral("tcp://10.0.0.5:9100"));
        m.setEntry(7, QString());
        m.setEntry(1, QStringLiteral("file:/dev/usb/lp0"));
        QString error;
        QVERIFY2(m.save(path, &error), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("COM1'file:/dev/usb/lp0\r\n"
                                             "COM3'tcp://10.0.0.5:9100\r\n"
                                             "COM12'/dev/ttyUSB9\r\n"));
        PortMap back;
        QVERIFY(back.load(path));
        QCOMPARE(back.entry(3), QStringLiteral("tcp://10.0.0.5:9100"));
        QCOMPARE(back.entry(7), QString());

        // A failed save leaves the file as it was.
        QVERIFY(!m.save(m_dir.filePath("no/such/folder/ComPorts.Txt"), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPortTargets)
#include "test_porttargets.moc"
