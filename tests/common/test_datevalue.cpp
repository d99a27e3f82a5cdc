#include "common/datevalue.h"

#include <QDateEdit>
#include <QtTest>

class TestDateValue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void setsPaddedDate_data();
    void setsPaddedDate();
};

void TestDateValue::setsPaddedDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    QTest::newRow("month and day padded") << 2024 << 3 << 7 << "2024-03-07";
    QTest::newRow("year padded") << 999 << 12 << 31 << "0999-12-31";
    QTest::newRow("two-digit month and day") << 2023 << 12 << 31 << "2023-12-31";
    QTest::newRow("leap day") << 2024 << 2 << 29 << "2024-02-29";
}

void TestDateValue::setsPaddedDate()
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

QTEST_MAIN(TestDateValue)
#include "test_datevalue.moc"
