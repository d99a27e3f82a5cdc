#include "common/waiting.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace {

// The factor the tests run with (CTest sets it); the program itself waits the full time.
double waitScale()
{
    bool ok = false;
    const double v = qEnvironmentVariable("LABELSTATION_WAIT_SCALE").toDouble(&ok);
    return ok && v > 0 ? v : 1.0;
}

} // namespace

class TestWaiting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeroReturnsAtOnce_data();
    void zeroReturnsAtOnce();
    void waitsAndProcessesEvents_data();
    void waitsAndProcessesEvents();
};

void TestWaiting::zeroReturnsAtOnce_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void TestWaiting::zeroReturnsAtOnce()
{
    QFETCH(int, seconds);
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(seconds);
    QVERIFY(clock.elapsed() < 5);
}

void TestWaiting::waitsAndProcessesEvents_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestWaiting::waitsAndProcessesEvents()
{
    QFETCH(int, seconds);
    const qint64 minimumMs = qint64(seconds * 1000.0 * waitScale());
    bool queuedRan = false;
    bool timerRan = false;
    QMetaObject::invokeMethod(
        this, [&] { queuedRan = true; }, Qt::QueuedConnection);
    QTimer::singleShot(int(minimumMs / 2), this, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(seconds);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= minimumMs, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < minimumMs + 1000, qPrintable(QString::number(elapsed)));
    QVERIFY(queuedRan);
    QVERIFY(timerRan);
}

QTEST_GUILESS_MAIN(TestWaiting)
#include "test_waiting.moc"
