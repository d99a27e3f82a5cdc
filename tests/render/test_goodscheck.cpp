// SPDX-License-Identifier: GPL-3.0-or-later
// The goods check on what would not print as the list holds it: AL-300 cells whose record
// delimiters are sent as "?", quantities beyond one label job, absurd format numbers.

#include "support/addrow.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "render/goodscheck.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QtTest>

class TestGoodsCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void problems_data()
    {
        QTest::addColumn<int>("model"); // 0 SRP-770, 1 AL-300
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("expected"); // "" = no problem
        const int text2 = GoodsTable::FirstTextColumn + 1;
        const int text10 = GoodsTable::FirstTextColumn + 9;
        const int bar3 = GoodsTable::FirstBarcodeColumn + 2;
        addRow("AL-300 comma in a text", 1, text2, "1,000",
               "text 2 '1,000' is sent to the AL-300 as '1?000'");
        addRow("AL-300 every delimiter", 1, text10, "a;b|c{d}e",
               "text 10 'a;b|c{d}e' is sent to the AL-300 as 'a?b?c?d?e'");
        addRow("AL-300 barcode 3 (item table only)", 1, bar3, "12,3",
               "barcode 3 '12,3' is sent to the AL-300 as '12?3'");
        addRow("SRP-770 keeps commas", 0, text2, "1,000", "");
        addRow("AL-300 text 11 is never sent", 1, GoodsTable::FirstTextColumn + 10, "1,000", "");
        addRow("quantity beyond a job", 0, int(GoodsTable::QtyColumn), "12345",
               "the quantity 12345 is more than one label job carries (9999)");
        addRow("AL-300 quantity beyond a job", 1, int(GoodsTable::QtyColumn), "10000",
               "the quantity 10000 is more than one label job carries (9999)");
        addRow("largest quantity", 1, int(GoodsTable::QtyColumn), "9999", "");
        addRow("ten-digit format", 0, int(GoodsTable::FormatColumn), "1234567890",
               "the format number '1234567890' is not 1 to 5");
        addRow("ten-digit quantity", 0, int(GoodsTable::QtyColumn), "1234567890",
               "the quantity 1234567890 is more than one label job carries");
    }
    void problems()
    {
        QFETCH(int, model);
        QFETCH(int, column);
        QFETCH(QString, cell);
        QFETCH(QString, expected);
        const PrinterDriver &m = model == 1 ? Printers::al300() : Printers::srp770();
        const FormatSet set =
            model == 1 ? LabelSetFixture::al300Formats() : LabelSetFixture::srp770Formats();
        GoodsRows goods;
        const int row = goods.appendRow();
        goods.setCell(row, GoodsTable::NumberColumn, "001");
        goods.setCell(row, GoodsTable::FormatColumn, "1");
        goods.setCell(row, GoodsTable::QtyColumn, "1");
        goods.setCell(row, GoodsTable::FirstBarcodeColumn, "8801234567893");
        goods.setCell(row, column, cell);
        const QList<GoodsCheck::Problem> found = GoodsCheck::run(m, set, goods);
        QStringList messages;
        for (const GoodsCheck::Problem &p : found)
            messages << p.message;
        if (expected.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(messages.join(" / ")));
            return;
        }
        QCOMPARE(found.size(), 1);
        QVERIFY2(messages[0].startsWith(expected), qPrintable(messages[0]));
    }

    void fixedTextListedOnce()
    {
        // A fixed text of format 1 with a comma: listed at the first row that prints with it.
        FormatSet set = LabelSetFixture::al300Formats();
        set.Fmt[1].Txt[2].TxtString = QStringLiteral("1,000원");
        GoodsRows goods;
        for (const char *n : {"001", "002"}) {
            const int row = goods.appendRow();
            goods.setCell(row, GoodsTable::NumberColumn, n);
            goods.setCell(row, GoodsTable::FormatColumn, "1");
            goods.setCell(row, GoodsTable::FirstBarcodeColumn, "8801234567893");
        }
        const QList<GoodsCheck::Problem> found = GoodsCheck::run(Printers::al300(), set, goods);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].row, 1);
        QVERIFY2(found[0].message.startsWith(QStringLiteral(
                     "the fixed text 2 of format 1 '1,000원' is sent to the AL-300 as '1?000원'")),
                 qPrintable(found[0].message));
    }
};

QTEST_GUILESS_MAIN(TestGoodsCheck)
#include "test_goodscheck.moc"
