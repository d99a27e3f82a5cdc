// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/datevalue.h"
#include "common/waiting.h"

#include "support/addrow.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class TestWaitDate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void waitSeconds_data();
    void waitSeconds();
    void setDateValue_data();
    void setDateValue();
};

void TestWaitDate::waitSeconds_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<double>("scale");
    addRow("zero", 0, 0.01);
    addRow("negative", -5, 0.01);
    addRow("one", 1, 0.01);
    addRow("three", 3, 0.01);
    // Without the test seam a second is a second, whatever the environment says.
    addRow("one, full time", 1, 1.0);
}

void TestWaitDate::waitSeconds()
{
    QFETCH(int, seconds);
    QFETCH(double, scale);
    // A variable of the environment the program once honoured changes nothing.
    qputenv("LABELSTATION_WAIT_SCALE", "0.001");
    SetWaitScaleForTests(scale);
    QCOMPARE(MandatedWaitMs(seconds), qint64(qMax(seconds, 0) * 1000.0 * scale));
    const qint64 minimumMs = qint64(qMax(seconds, 0) * 1000.0 * scale);
    bool queuedRan = false;
    QMetaObject::invokeMethod(
        this, [&] { queuedRan = true; }, Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(seconds);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= minimumMs, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < minimumMs + (seconds > 0 ? 1000 : 5), qPrintable(QString::number(elapsed)));
    // Events run during a wait; a wait of 0 returns before looking at them.
    QCOMPARE(queuedRan, seconds > 0);
    QCoreApplication::processEvents();
    SetWaitScaleForTests(0.01);
}

void TestWaitDate::setDateValue_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    addRow("month and day padded", 2024, 3, 7, "2024-03-07");
    addRow("year padded", 999, 12, 31, "0999-12-31");
    addRow("leap day", 2024, 2, 29, "2024-02-29");
}

void TestWaitDate::setDateValue()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, text);
    QDateEdit edit;
    edit.setDate(QDate(2001, 5, 5));
    SetDateValue(&edit, qint16(year), qint16(month), qint16(day));
    QCOMPARE(edit.date(), QDate(year, month, day));
    QCOMPARE(edit.text(), text);
}

QTEST_MAIN(TestWaitDate)
#include "test_waitdate.moc"
