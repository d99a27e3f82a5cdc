// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cliarguments.h"

#include <QtTest>

class TestCliArguments : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("single") << "7" << true << QList<int>{7};
        QTest::newRow("list and range") << "1,5,7-9" << true << QList<int>{1, 5, 7, 8, 9};
        QTest::newRow("spaces, order kept, each once")
            << " 9 , 2-3, 2 ,9" << true << QList<int>{9, 2, 3};
        QTest::newRow("whole range") << "1-999" << true << QList<int>();
        QTest::newRow("zero") << "0,1" << false << QList<int>{};
        QTest::newRow("above 999") << "998-1000" << false << QList<int>{};
        QTest::newRow("backwards") << "9-7" << false << QList<int>{};
        QTest::newRow("empty part") << "1,,2" << false << QList<int>{};
        QTest::newRow("sign") << "-3" << false << QList<int>{};
        QTest::newRow("letters") << "1,a" << false << QList<int>{};
        QTest::newRow("decimal") << "1.5" << false << QList<int>{};
    }
    void numberList()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QList<int>, numbers);
        QList<int> got;
        QString error;
        QCOMPARE(CliArguments::numberList(text, 1, 999, &got, &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        if (ok && text == "1-999")
            QCOMPARE(got.size(), 999);
        else if (ok)
            QCOMPARE(got, numbers);
    }

    void setNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("setText");
        QTest::newRow("one digit") << "7"
                                   << "07";
        QTest::newRow("two digits") << "00"
                                    << "00";
        QTest::newRow("last set") << "21"
                                  << "21";
        QTest::newRow("beyond") << "22"
                                << "";
        QTest::newRow("negative") << "-1"
                                  << "";
        QTest::newRow("text") << "aa"
                              << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void setNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, setText);
        QString got, error;
        QCOMPARE(CliArguments::setNumber(text, &got, &error), !setText.isEmpty());
        QCOMPARE(got, setText);
    }
};

QTEST_MAIN(TestCliArguments)
#include "test_cliarguments.moc"
