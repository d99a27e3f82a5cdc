// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fieldfilter.h"

#include <QtTest>

class TestFieldFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filter_data();
    void filter();
};

void TestFieldFilter::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filtered");
    QTest::newRow("comma and semicolon") << "A,B;C"
                                         << "A?B?C";
    QTest::newRow("all five") << "a,b;c|d{e}f"
                              << "a?b?c?d?e?f";
    QTest::newRow("runs stay runs") << ",,;;"
                                    << "????";
    QTest::newRow("trimmed around") << "  A | B  "
                                    << "A ? B";
    QTest::newRow("space before a trailing delimiter kept") << "AB ,"
                                                            << "AB ?";
    QTest::newRow("tabs are not trimmed") << "\tA\t"
                                          << "\tA\t";
    QTest::newRow("hangul untouched") << "사과{1}"
                                      << "사과?1?";
    QTest::newRow("quotes are left to CleanText") << "it's \"x\""
                                                  << "it's \"x\"";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFieldFilter::filter()
{
    QFETCH(QString, text);
    QFETCH(QString, filtered);
    QCOMPARE(FieldFilter(text), filtered);
}

QTEST_GUILESS_MAIN(TestFieldFilter)
#include "test_fieldfilter.moc"
