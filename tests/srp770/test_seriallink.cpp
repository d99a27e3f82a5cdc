#include "srp770/jobsender.h"
#include "srp770/seriallink.h"

#include "common/cp949codec.h"
#include "common/programstate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;

    QString dataPath(const QString &name) const { return m_dir.filePath(name); }

    // Reads from the printer's end until `count` bytes came or two seconds passed.
    QByteArray readPrinter(int count)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < 2000) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
        }
        return got;
    }

    // Whatever the printer's end has waiting now (after a short grace time).
    QByteArray drainPrinter()
    {
        QByteArray got;
        pollfd p{m_master, POLLIN, 0};
        while (::poll(&p, 1, 50) > 0) {
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, n);
        }
        return got;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Program().DataDirOverride = m_dir.path();
        char name[256] = {};
        QCOMPARE(::openpty(&m_master, &m_slave, name, nullptr, nullptr), 0);
        m_slaveName = QString::fromLocal8Bit(name);
        // COM3 is the pseudo-terminal, COM4 a device that does not exist.
        writeFile(dataPath("ComPorts.Txt"), "COM3'" + m_slaveName.toLocal8Bit() + "\r\nCOM4'" +
                                                dataPath("nodevice").toLocal8Bit() + "\r\n");
    }

    void cleanupTestCase()
    {
        ::close(m_slave);
        ::close(m_master);
        Program().DataDirOverride.clear();
    }

    void init() { drainPrinter(); }

    void deviceName_data()
    {
        QTest::addColumn<QByteArray>("map"); // ComPorts.Txt, "<none>" = no file
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no file, COM1") << QByteArray("<none>") << 1 << "/dev/ttyS0";
        QTest::newRow("no file, COM9") << QByteArray("<none>") << 9 << "/dev/ttyS8";
        QTest::newRow("no file, port 0") << QByteArray("<none>") << 0 << "";
        QTest::newRow("no file, port 10") << QByteArray("<none>") << 10 << "";
        QTest::newRow("mapped") << QByteArray("COM3'/dev/ttyUSB0\r\n") << 3 << "/dev/ttyUSB0";
        QTest::newRow("other port unmapped")
            << QByteArray("COM3'/dev/ttyUSB0\r\n") << 2 << "/dev/ttyS1";
        QTest::newRow("LF endings, blanks, lower case")
            << QByteArray("\n  com5 '  /dev/ttyACM1  \n") << 5 << "/dev/ttyACM1";
        QTest::newRow("first mapping wins")
            << QByteArray("COM2'/dev/a\r\nCOM2'/dev/b\r\n") << 2 << "/dev/a";
        QTest::newRow("no apostrophe ignored")
            << QByteArray("COM2 /dev/a\r\n") << 2 << "/dev/ttyS1";
        QTest::newRow("two apostrophes ignored")
            << QByteArray("COM2'/dev/a'x\r\n") << 2 << "/dev/ttyS1";
        QTest::newRow("empty device ignored") << QByteArray("COM2'\r\n") << 2 << "/dev/ttyS1";
        QTest::newRow("COM1 is not COM12") << QByteArray("COM12'/dev/a\r\n") << 1 << "/dev/ttyS0";
        // A map that is there but cannot be read names no port at all: a fallback could
        // send the labels to another real port.
        QTest::newRow("map is a folder") << QByteArray("<folder>") << 3 << "";
        QTest::newRow("map is a FIFO") << QByteArray("<fifo>") << 3 << "";
    }

    void deviceName()
    {
        QFETCH(QByteArray, map);
        QFETCH(int, port);
        QFETCH(QString, expected);

        QTemporaryDir dir;
        Program().DataDirOverride = dir.path();
        const QString mapPath = dir.filePath("ComPorts.Txt");
        if (map == "<folder>")
            QVERIFY(QDir(dir.path()).mkdir("ComPorts.Txt"));
        else if (map == "<fifo>")
            QVERIFY(::mkfifo(QFile::encodeName(mapPath).constData(), 0600) == 0);
        else if (map != "<none>")
            writeFile(mapPath, map);
        QString mapError;
        const QString device = SerialLink::deviceName(port, &mapError);
        Program().DataDirOverride = m_dir.path();
        QCOMPARE(device, expected);
        QCOMPARE(mapError.contains("ComPorts.Txt"), map == "<folder>" || map == "<fifo>");
        if (!mapError.isEmpty()) {
            // Opening the port says why and sends nothing.
            Program().DataDirOverride = dir.path();
            SerialLink link;
            link.setPort(port);
            QString why;
            QVERIFY(!link.open(&why));
            Program().DataDirOverride = m_dir.path();
            QVERIFY2(why.contains("ComPorts.Txt") && !why.contains("ttyS"), qPrintable(why));
        }
    }

    void settings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");

        for (int speed = 1; speed <= 6; ++speed)
            QTest::addRow("speed %d", speed) << SerialLink::settingsForSpeed(speed) << true;
        QTest::newRow("even parity, 7 bits, 2 stop") << "4800,e,7,2" << true;
        QTest::newRow("no baud") << ",n,8,1" << false;
        QTest::newRow("baud not a number") << "fast,n,8,1" << false;
        QTest::newRow("unknown parity") << "9600,x,8,1" << false;
        QTest::newRow("9 data bits") << "9600,n,9,1" << false;
        QTest::newRow("3 stop bits") << "9600,n,8,3" << false;
        QTest::newRow("three parts") << "9600,n,8" << false;
        QTest::newRow("empty") << "" << false;
    }

    void settings()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);

        SerialLink link;
        const QString before = link.settings();
        QCOMPARE(link.setSettings(text), accepted);
        QCOMPARE(link.settings(), accepted ? text : before);
    }

    void settingsForSpeed_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0") << 0 << "";
        QTest::newRow("1") << 1 << "9600,n,8,1";
        QTest::newRow("2") << 2 << "14400,n,8,1";
        QTest::newRow("3") << 3 << "19200,n,8,1";
        QTest::newRow("4") << 4 << "38400,n,8,1";
        QTest::newRow("5") << 5 << "57600,n,8,1";
        QTest::newRow("6") << 6 << "115200,n,8,1";
        QTest::newRow("7") << 7 << "";
    }

    void settingsForSpeed()
    {
        QFETCH(int, speed);
        QFETCH(QString, expected);
        QCOMPARE(SerialLink::settingsForSpeed(speed), expected);
    }

    void twoJobsArriveInOrder()
    {
        SerialLink link;
        const QString copy = dataPath("SRP770Print.Txt");
        const QString first = QStringLiteral("CB\r\nSS2\r\nT40,200,a,1,1,0,0,N,N,'사과'\r\nP2\r\n");
        const QString second = QStringLiteral("CB\r\nP1\r\n");

        QString error;
        QCOMPARE(SendJob(link, first, copy, 3, 1, 3, &error), SendResult::Sent);
        QCOMPARE(error, QString());
        QVERIFY(!link.isOpen());
        const QByteArray firstBytes(
            "CB\r\nSS2\r\nT40,200,a,1,1,0,0,N,N,'\xBB\xE7\xB0\xFA'\r\nP2\r\n");
        QCOMPARE(readPrinter(firstBytes.size()), firstBytes);
        QCOMPARE(readFile(copy), firstBytes + "\r\n");

        QCOMPARE(SendJob(link, second, copy, 3, 6, 3, &error), SendResult::Sent);
        QCOMPARE(link.settings(), QStringLiteral("115200,n,8,1"));
        QCOMPARE(readPrinter(8), QByteArray("CB\r\nP1\r\n"));
        QCOMPARE(drainPrinter(), QByteArray());
        // The copy holds the last job only.
        QCOMPARE(readFile(copy), QByteArray("CB\r\nP1\r\n\r\n"));
    }

    void everySpeedSends_data()
    {
        QTest::addColumn<int>("speed");
        for (int speed = 0; speed <= 6; ++speed)
            QTest::addRow("speed %d", speed) << speed;
    }

    void everySpeedSends()
    {
        QFETCH(int, speed);
        SerialLink link;
        link.setSettings(QStringLiteral("19200,n,8,1"));
        QString error;
        QCOMPARE(
            SendJob(link, QStringLiteral("P7\r\n"), dataPath("speed.Txt"), 3, speed, 1, &error),
            SendResult::Sent);
        QCOMPARE(error, QString());
        // Speed 0 (none chosen) keeps the settings the link had.
        QCOMPARE(link.settings(),
                 speed == 0 ? QStringLiteral("19200,n,8,1") : SerialLink::settingsForSpeed(speed));
        QCOMPARE(readPrinter(4), QByteArray("P7\r\n"));
    }

    void missingDeviceSendsNothingButKeepsTheCopy()
    {
        SerialLink link;
        const QString copy = dataPath("AL300Print.Txt");
        QFile::remove(copy);
        QString error;
        QCOMPARE(SendJob(link, QStringLiteral("{B001}\r\n"), copy, 4, 1, 1, &error),
                 SendResult::CannotOpen);
        QVERIFY2(error.contains(dataPath("nodevice")), qPrintable(error));
        QVERIFY(!link.isOpen());
        QCOMPARE(readFile(copy), QByteArray("{B001}\r\n\r\n"));
        QCOMPARE(drainPrinter(), QByteArray());
    }

    void noPortChosenCannotOpen()
    {
        SerialLink link;
        QString error;
        QCOMPARE(SendJob(link, QStringLiteral("P1\r\n"), dataPath("none.Txt"), 0, 1, 1, &error),
                 SendResult::CannotOpen);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(dataPath("none.Txt")), QByteArray("P1\r\n\r\n"));
    }

    void openPortIsInUse()
    {
        SerialLink link;
        link.setPort(3);
        QString error;
        QVERIFY2(link.open(&error), qPrintable(error));
        const QString copy = dataPath("busy.Txt");
        QCOMPARE(SendJob(link, QStringLiteral("P9\r\n"), copy, 3, 1, 1, &error),
                 SendResult::PortInUse);
        QVERIFY(link.isOpen()); // the job leaves the other job's port alone
        link.close();
        QCOMPARE(drainPrinter(), QByteArray());
        QCOMPARE(readFile(copy), QByteArray("P9\r\n\r\n"));
    }

    void portHeldByAnotherLinkCannotOpen()
    {
        SerialLink holder;
        holder.setPort(3);
        QVERIFY(holder.open());
        SerialLink link;
        QString error;
        QCOMPARE(SendJob(link, QStringLiteral("P5\r\n"), dataPath("held.Txt"), 3, 1, 1, &error),
                 SendResult::CannotOpen);
        QVERIFY(!error.isEmpty());
        holder.close();
        QCOMPARE(drainPrinter(), QByteArray());
    }

    void copyFileFailureStillSends()
    {
        SerialLink link;
        const QString copy = dataPath("no/such/folder/SRP770Print.Txt");
        QString error;
        QCOMPARE(SendJob(link, QStringLiteral("P3\r\n"), copy, 3, 1, 1, &error), SendResult::Sent);
        QVERIFY2(error.contains(QStringLiteral("SRP770Print.Txt")), qPrintable(error));
        QCOMPARE(readPrinter(4), QByteArray("P3\r\n"));
    }

    void waitsBeforeClosing()
    {
        // LABELSTATION_WAIT_SCALE shortens the wait under test; it must still be waited.
        const double scale = qEnvironmentVariable("LABELSTATION_WAIT_SCALE", "1").toDouble();
        SerialLink link;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(SendJob(link, QStringLiteral("P1\r\n"), dataPath("wait.Txt"), 3, 1, 10),
                 SendResult::Sent);
        QVERIFY(clock.elapsed() >= qint64(10 * 1000 * scale) - 1);
        readPrinter(4);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "test_seriallink.moc"
