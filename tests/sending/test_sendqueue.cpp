// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "common/waiting.h"
#include "sending/linesettings.h"
#include "sending/printerport.h"
#include "sending/sendqueue.h"
#include "support/ptyprinter.h"
#include "support/tcpprinter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(SendError::Kind)

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QString FirstJob = QStringLiteral("CB\r\nSS2\r\nT40,200,a,1,1,0,0,N,N,'사과'\r\nP2\r\n");
const QString SecondJob = QStringLiteral("{B001,0003,E,1,1,0,C;QELFB001|\r\nT02;배|\r\n}\r\n");

} // namespace

// The send queue against the three kinds of port: a pseudo-terminal as a serial printer, a
// device file and a network printer on 127.0.0.1.
class TestSendQueue : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    PtyPrinter m_pty;
    TcpPrinter m_tcp;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    PortTarget target(const QString &kind)
    {
        if (kind == "serial")
            return PortTarget::serial(m_pty.device());
        if (kind == "file") {
            QFile f(path("lp0"));
            f.open(QIODevice::WriteOnly | QIODevice::Truncate); // an empty "device"
            return PortTarget::file(path("lp0"));
        }
        return PortTarget::network(QStringLiteral("127.0.0.1"), m_tcp.port());
    }

    QByteArray received(const QString &kind, qint64 count)
    {
        if (kind == "serial")
            return m_pty.readAll(500);
        if (kind == "file")
            return fileBytes(path("lp0"));
        return m_tcp.bytes(count);
    }

    static PrintJob job(const QString &text, const QString &copy, int wait = 1)
    {
        return PrintJob{QStringLiteral("job"), text, copy, wait};
    }

    // Runs the queue to its end.
    static bool run(SendQueue &q, const QList<PrintJob> &jobs, int ms = 10000)
    {
        QSignalSpy done(&q, &SendQueue::finished);
        return q.start(jobs) && done.wait(ms);
    }

private Q_SLOTS:
    // A serial port the user may not open says how to get the right to it.
    void permissionDeniedNamesTheGroup()
    {
        const SendError serial(SendError::Kind::PermissionDenied, "COM3 (/dev/ttyUSB0)");
        QVERIFY(serial.korean().contains("usermod -aG dialout"));
        QVERIFY(serial.english().contains("usermod -aG dialout"));
        const SendError printer(SendError::Kind::PermissionDenied, "COM4 (/dev/usb/lp0)");
        QVERIFY(!printer.english().contains("dialout"));
    }

    void initTestCase() { QVERIFY(m_dir.isValid() && m_pty.isValid() && m_tcp.isValid()); }

    void init()
    {
        SetWaitScaleForTests(0.01);
        m_pty.readAll(20);
        m_tcp.clear();
    }

    void bytesArriveUnchanged_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("serial") << "serial";
        QTest::newRow("device file") << "file";
        QTest::newRow("network") << "network";
    }

    void bytesArriveUnchanged()
    {
        QFETCH(QString, kind);
        SendQueue q;
        q.setTarget(target(kind));
        QList<qint64> progress;
        connect(&q, &SendQueue::bytesWritten, this,
                [&](int, qint64 written, qint64) { progress << written; });
        const QString copy = path(kind + "Print.Txt");
        QVERIFY(run(q, {job(FirstJob, copy, 3), job(SecondJob, copy)}));

        const QByteArray expected = Cp949Codec::encode(FirstJob + SecondJob);
        QCOMPARE(received(kind, expected.size()), expected);
        QCOMPARE(q.summary().sent, 2);
        QVERIFY(q.summary().allSent());
        QVERIFY(!q.summary().firstError.isError());
        // The copy holds the last job and one more line end.
        QCOMPARE(fileBytes(copy), Cp949Codec::encode(SecondJob) + "\r\n");
        QCOMPARE(progress.last(), Cp949Codec::encode(SecondJob).size());
        QVERIFY(!q.isBusy());
    }

    void everyLineSpeedSends_data()
    {
        QTest::addColumn<int>("speed");
        for (int speed = 1; speed <= 6; ++speed)
            QTest::addRow("%s", qPrintable(LineSettings::textForSpeed(speed))) << speed;
    }

    void everyLineSpeedSends()
    {
        QFETCH(int, speed);
        LineSettings settings;
        QVERIFY(LineSettings::parse(LineSettings::textForSpeed(speed), &settings));
        SendQueue q;
        q.setTarget(target("serial"));
        q.setLineSettings(settings);
        QVERIFY(run(q, {job("P7\r\n", path("speed.Txt"))}));
        QVERIFY2(q.summary().allSent(), qPrintable(q.summary().firstError.english()));
        QCOMPARE(m_pty.readAll(), QByteArray("P7\r\n"));
    }

    void waitsAfterEveryJob()
    {
        // 10 seconds shortened a hundredfold: 100 ms after each job before the next.
        SendQueue q;
        q.setTarget(target("serial"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(run(q, {job("P1\r\n", path("w.Txt"), 10), job("P2\r\n", path("w.Txt"), 10)}));
        QVERIFY2(clock.elapsed() >= 200, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_pty.readAll(), QByteArray("P1\r\nP2\r\n"));
    }

    // The real wait ends on its deadline: never early, and not the milliseconds late that
    // a long timer of the event loop comes (about a thousandth of its interval).
    void realWaitEndsOnTime()
    {
        SetWaitScaleForTests(1);
        SendQueue q;
        q.setTarget(target("serial"));
        QElapsedTimer clock;
        clock.start();
        qint64 written = 0;
        QList<double> lateMs;
        connect(&q, &SendQueue::bytesWritten, this, [&](int, qint64 done, qint64 total) {
            if (done == total)
                written = clock.nsecsElapsed();
        });
        connect(&q, &SendQueue::jobFinished, this,
                [&] { lateMs << (clock.nsecsElapsed() - written) / 1e6 - 2000; });
        QVERIFY(run(q, {job("P1\r\n", path("w.Txt"), 2), job("P2\r\n", path("w.Txt"), 2)}));
        QCOMPARE(lateMs.size(), 2);
        std::sort(lateMs.begin(), lateMs.end());
        QVERIFY2(lateMs.first() >= 0 && lateMs.first() < 1.0,
                 qPrintable(QStringLiteral("%1 ms late").arg(lateMs.first())));
    }

    void portsThatCannotBeOpened_data()
    {
        QTest::addColumn<PortTarget>("where");
        QTest::addColumn<SendError::Kind>("kind");
        QTest::newRow("no serial device")
            << PortTarget::serial(path("nodevice")) << SendError::Kind::DeviceMissing;
        QTest::newRow("no device file")
            << PortTarget::file(path("nolp")) << SendError::Kind::DeviceMissing;
        QTest::newRow("nobody listening")
            << PortTarget::network("127.0.0.1", 1) << SendError::Kind::Refused;
        QTest::newRow("no target") << PortTarget() << SendError::Kind::NoPort;
    }

    void portsThatCannotBeOpened()
    {
        QFETCH(PortTarget, where);
        QFETCH(SendError::Kind, kind);
        SendQueue q;
        q.setTarget(where);
        const QString copy = path("failed.Txt");
        QFile::remove(copy);
        QVERIFY(run(q, {job("P1\r\n", copy), job("P2\r\n", copy)}));
        QCOMPARE(q.summary().failed, 2); // the next job is still tried
        QCOMPARE(q.summary().sent, 0);
        QCOMPARE(q.summary().firstError.kind, kind);
        QVERIFY(!q.summary().firstError.korean().isEmpty());
        // The copy is written before the port is touched.
        QCOMPARE(fileBytes(copy), QByteArray("P2\r\n\r\n"));
        QVERIFY(!QFile::exists(path("nolp")));

        // The command line stops at the first failure.
        SendQueue strict;
        strict.setTarget(where);
        strict.setStopOnFailure(true);
        QVERIFY(run(strict, {job("P1\r\n", copy), job("P2\r\n", copy), job("P3\r\n", copy)}));
        QCOMPARE(strict.summary().failed, 1);
        QCOMPARE(strict.summary().cancelled, 2);
    }

    void peerClosingMidJobFails()
    {
        // The printer drops the connection after 10 bytes of a long job: the job is not
        // sent, whether the program was still writing or already waiting.
        SetWaitScaleForTests(1.0);
        m_tcp.closeAfter(10);
        SendQueue q;
        q.setTarget(target("network"));
        QVERIFY(run(q, {job(QString(200000, QLatin1Char('X')), path("peer.Txt"), 1)}));
        QCOMPARE(q.summary().sent, 0);
        QCOMPARE(q.summary().failed, 1);
        QCOMPARE(q.summary().firstError.kind, SendError::Kind::PeerClosed);
    }

    // Jobs of a language without waits over one connection: opened once, the bytes back to
    // back, closed after the last; a cancel stops before the next job; a failure ends the
    // connection and the next job opens a new one.
    void oneConnection_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("serial") << "serial";
        QTest::newRow("device file") << "file";
        QTest::newRow("network") << "network";
    }
    void oneConnection()
    {
        QFETCH(QString, kind);
        SetWaitScaleForTests(1.0);
        const int before = m_tcp.connections();
        SendQueue q;
        q.setTarget(target(kind));
        q.setOneConnection(true);
        QList<PrintJob> jobs;
        QByteArray expected;
        for (int i = 0; i < 50; ++i) {
            const QString text = QStringLiteral("^XA\r\n^PQ%1\r\n^XZ\r\n").arg(i + 1);
            jobs << job(text, path("zpl.Txt"), 0);
            expected += text.toLatin1();
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(run(q, jobs));
        QCOMPARE(q.summary().sent, 50);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(received(kind, expected.size()), expected);
        QCOMPARE(fileBytes(path("zpl.Txt")), "^XA\r\n^PQ50\r\n^XZ\r\n\r\n");
        if (kind == "network")
            QCOMPARE(m_tcp.connections() - before, 1);
    }
    void oneConnectionAfterAFailure()
    {
        SetWaitScaleForTests(1.0);
        const int before = m_tcp.connections();
        m_tcp.closeAfter(10);
        SendQueue q;
        q.setTarget(target("network"));
        q.setOneConnection(true);
        QVERIFY(run(q, {job(QString(200000, QLatin1Char('X')), path("a.Txt"), 0),
                        job(QStringLiteral("^XA^XZ"), path("a.Txt"), 0),
                        job(QStringLiteral("^XA^XZ"), path("a.Txt"), 0)}));
        QCOMPARE(q.summary().failed, 1);
        QCOMPARE(q.summary().sent, 2);
        QCOMPARE(m_tcp.connections() - before, 2);
    }

    void cancelStopsBeforeTheNextJob_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("while the first is written") << "written";
        QTest::newRow("while the first waits") << "waiting";
    }

    void cancelStopsBeforeTheNextJob()
    {
        QFETCH(QString, when);
        SendQueue q;
        q.setTarget(target("serial"));
        if (when == "written")
            connect(&q, &SendQueue::jobStarted, &q, [&q](int i) {
                if (i == 0)
                    q.cancel();
            });
        else
            connect(&q, &SendQueue::bytesWritten, &q, [&q] { q.cancel(); });
        QVERIFY(run(q, {job(FirstJob, path("c.Txt")), job("P2\r\n", path("c.Txt")),
                        job("P3\r\n", path("c.Txt"))}));
        QCOMPARE(m_pty.readAll(), Cp949Codec::encode(FirstJob)); // whole, and nothing more
        QCOMPARE(q.summary().sent, 1);
        QCOMPARE(q.summary().cancelled, 2);
        QVERIFY(q.isCancelled());
    }

    void busyPorts()
    {
        // A port another queue of the program holds is busy, and so is one another program
        // holds; nothing is sent either way.
        SendQueue first, second;
        first.setTarget(target("serial"));
        second.setTarget(target("serial"));
        QSignalSpy firstDone(&first, &SendQueue::finished);
        QVERIFY(first.start({job("P1\r\n", path("b1.Txt"), 10)}));
        QSignalSpy started(&first, &SendQueue::bytesWritten);
        QVERIFY(started.wait(2000));
        QVERIFY(run(second, {job("P2\r\n", path("b2.Txt"))}));
        QCOMPARE(second.summary().firstError.kind, SendError::Kind::Busy);
        QCOMPARE(second.summary().firstError.korean(),
                 QStringLiteral("이미 포트가 사용중입니다 !"));
        QVERIFY(firstDone.wait(2000));
        QCOMPARE(m_pty.readAll(), QByteArray("P1\r\n"));

        QSerialPort holder;
        holder.setPortName(m_pty.device());
        QVERIFY(holder.open(QIODevice::WriteOnly));
        QVERIFY(run(second, {job("P3\r\n", path("b2.Txt"))}));
        QCOMPARE(second.summary().firstError.kind, SendError::Kind::Busy);
        holder.close();
        QVERIFY(run(second, {job("P4\r\n", path("b2.Txt"))}));
        QVERIFY(second.summary().allSent());
        QCOMPARE(m_pty.readAll(), QByteArray("P4\r\n"));
    }

    void copyFileFailureIsReportedAndTheJobStillGoes()
    {
        SendQueue q;
        q.setTarget(target("serial"));
        QVERIFY(run(q, {job("P5\r\n", path("no/such/folder/SRP770Print.Txt"))}));
        QVERIFY(q.summary().allSent());
        QCOMPARE(q.summary().copyErrors.size(), 1);
        QVERIFY(q.summary().copyErrors.first().contains("SRP770Print.Txt"));
        QCOMPARE(m_pty.readAll(), QByteArray("P5\r\n"));
    }

    void destroyedWhileWaiting()
    {
        auto *q = new SendQueue;
        q->setTarget(target("serial"));
        QSignalSpy written(q, &SendQueue::bytesWritten);
        QVERIFY(q->start({job("P6\r\n", path("d.Txt"), 100), job("P7\r\n", path("d.Txt"))}));
        QVERIFY(written.wait(2000));
        delete q;
        QTest::qWait(50);
        QCOMPARE(m_pty.readAll(), QByteArray("P6\r\n"));
        // The port is free again.
        SendQueue again;
        again.setTarget(target("serial"));
        QVERIFY(run(again, {job("P8\r\n", path("d.Txt"))}));
        QVERIFY(again.summary().allSent());
    }

    void noJobsFinishesToo()
    {
        SendQueue q;
        q.setTarget(target("serial"));
        QVERIFY(run(q, {}));
        QCOMPARE(q.summary().total, 0);
        QVERIFY(!q.isBusy());
    }
};

QTEST_GUILESS_MAIN(TestSendQueue)
#include "test_sendqueue.moc"
