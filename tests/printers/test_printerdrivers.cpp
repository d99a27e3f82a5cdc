// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers/al300/al300driver.h"
#include "printers/printers.h"

#include <QtTest>

// What each printer's driver says about its files, waits and units, as the stations and the
// command line rely on it.
class TestPrinterDrivers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void facts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("files"); // form, formats, goods, copy
        QTest::addColumn<int>("wait");
        QTest::addColumn<int>("unitsPerMm");
        QTest::newRow("SRP-770, set 00")
            << "srp770"
            << "SRP-770"
            << "00"
            << QStringList{"SRP770Frm", "SRP770Frm[00].Txt", "SRP770Dat[00].Txt", "SRP770Print.Txt"}
            << 3 << 1;
        QTest::newRow("AL-300, set 21")
            << "al300"
            << "AL-300"
            << "21"
            << QStringList{"AL300Frm", "AL300Frm[21].Txt", "AL300Dat[21].Txt", "AL300Print.Txt"}
            << 1 << 10;
    }

    void facts()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, set);
        QFETCH(QStringList, files);
        QFETCH(int, wait);
        QFETCH(int, unitsPerMm);
        const PrinterDriver *d = Printers::byKey(key);
        QVERIFY(d);
        QCOMPARE(&Printers::of(d->model()), d);
        QCOMPARE(d->name(), name);
        QCOMPARE(QStringList({d->formName(), d->formatFileName(set), d->goodsFileName(set),
                              d->printCopyFileName()}),
                 files);
        QCOMPARE(d->printWaitSeconds(), wait);
        QCOMPARE(d->unitsPerMm(), unitsPerMm);
        QCOMPARE(d->keepsExtendedFormat(), key == "al300");
    }

    void others()
    {
        QCOMPARE(Printers::byKey("leo60d"), nullptr);
        QCOMPARE(Printers::all().size(), 2);
        QCOMPARE(Al300Driver::TransferWaitSeconds, 2);
    }
};

QTEST_GUILESS_MAIN(TestPrinterDrivers)
#include "test_printerdrivers.moc"
