// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers/srp770/srp770job.h"

#include "common/cp949codec.h"

#include <QtTest>

namespace {

// Format 1 of the reference label: 60 x 40 mm, normal direction; barcode 1 EAN13 at
// X 5 / Y 10 mm, widths 2/5, 10 mm high, digits below; text 1 font 5 at X 5 / Y 25 mm.
FormatSet referenceSet()
{
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    f.LblWidth = 60;
    f.LblLeng = 40;
    f.LblDegree = 0;
    BarcodeElement &b = f.Bar[1];
    b.BarSelt = 1;
    b.BarCode = 8;
    b.BarXx = 5;
    b.BarYy = 10;
    b.BarDen = 25;
    b.BarHeight = 10;
    b.BarHmRead = 2;
    TextElement &t = f.Txt[1];
    t.TxtSelt = 1;
    t.TxtFont = 5;
    t.TxtXx = 5;
    t.TxtYy = 25;
    t.TxtYSize = 1;
    t.TxtXSize = 1;
    return set;
}

LabelItem referenceItem()
{
    LabelItem item;
    item.format = 1;
    item.barcodes[1] = QStringLiteral("123");
    item.texts[1] = QStringLiteral("AB");
    return item;
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The lines of the text that start with `prefix`.
QStringList linesStarting(const QString &text, const QString &prefix)
{
    QStringList out;
    for (const QString &l : linesOf(text))
        if (l.startsWith(prefix))
            out << l;
    return out;
}

} // namespace

class TestSrp770Job : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void referenceLabel()
    {
        const QString text = BuildSrp770Label(referenceSet(), 1, referenceItem(), 2, false);
        QCOMPARE(text, QStringLiteral("CB\r\nSS2\r\nSD20\r\nSW480\r\nSL320,24,G\r\nSOT\r\n"
                                      "B140,80,7,2,5,80,0,1,'123'\r\n"
                                      "T40,200,a,1,1,0,0,N,N,'AB'\r\nP2\r\n"));
    }

    void hangulReachesTheWireInCp949()
    {
        LabelItem item = referenceItem();
        item.texts[1] = QStringLiteral("사과");
        const QByteArray bytes =
            Cp949Codec::encode(BuildSrp770Label(referenceSet(), 1, item, 1, false));
        QVERIFY(bytes.contains(QByteArray("T40,200,a,1,1,0,0,N,N,'\xBB\xE7\xB0\xFA'\r\nP1\r\n")));
    }

    void pageSetup_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("degree");
        QTest::addColumn<bool>("blackMark");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected"); // lines 4 to 6 and the last line

        QTest::newRow("gap, normal")
            << 60 << 40 << 0 << false << 2 << QStringList{"SW480", "SL320,24,G", "SOT", "P2"};
        QTest::newRow("black mark, reversed")
            << 100 << 150 << 1 << true << 999 << QStringList{"SW800", "SL1200,24,B", "SOB", "P999"};
        QTest::newRow("length not set")
            << 60 << 0 << 0 << false << 1 << QStringList{"SW480", "SL0,24,G", "SOT", "P1"};
        QTest::newRow("largest sizes")
            << 999 << 9999 << 0 << false << 5 << QStringList{"SW7992", "SL79992,24,G", "SOT", "P5"};
    }

    void pageSetup()
    {
        QFETCH(int, width);
        QFETCH(int, length);
        QFETCH(int, degree);
        QFETCH(bool, blackMark);
        QFETCH(int, count);
        QFETCH(QStringList, expected);

        FormatSet set = referenceSet();
        set.Fmt[1].LblWidth = width;
        set.Fmt[1].LblLeng = length;
        set.Fmt[1].LblDegree = qint16(degree);
        const QStringList lines =
            linesOf(BuildSrp770Label(set, 1, referenceItem(), count, blackMark));
        QCOMPARE(lines.mid(0, 3), (QStringList{"CB", "SS2", "SD20"}));
        QCOMPARE((QStringList{lines[3], lines[4], lines[5], lines.last()}), expected);
    }

    void barcodeLine_data()
    {
        QTest::addColumn<int>("selt");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("den");
        QTest::addColumn<int>("hmRead");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("expected"); // "" = no B1 line

        QTest::newRow("reference") << 1 << 8 << 25 << 2 << "123"
                                   << "B140,80,7,2,5,80,0,1,'123'";
        QTest::newRow("widths not set") << 1 << 8 << 0 << 2 << "1"
                                        << "B140,80,7,2,6,80,0,1,'1'";
        QTest::newRow("narrow only") << 1 << 8 << 30 << 2 << "1"
                                     << "B140,80,7,3,6,80,0,1,'1'";
        QTest::newRow("wide only") << 1 << 8 << 5 << 2 << "1"
                                   << "B140,80,7,2,5,80,0,1,'1'";
        QTest::newRow("widths 9/9") << 1 << 8 << 99 << 2 << "1"
                                    << "B140,80,7,9,9,80,0,1,'1'";
        QTest::newRow("symbology not set") << 1 << 0 << 25 << 2 << "1"
                                           << "B140,80,7,2,5,80,0,1,'1'";
        QTest::newRow("Code39") << 1 << 1 << 25 << 2 << "1"
                                << "B140,80,0,2,5,80,0,1,'1'";
        QTest::newRow("EAN8") << 1 << 9 << 25 << 2 << "1"
                              << "B140,80,8,2,5,80,0,1,'1'";
        QTest::newRow("EAN128") << 1 << 10 << 25 << 2 << "1"
                                << "B140,80,9,2,5,80,0,1,'1'";
        QTest::newRow("symbology unknown") << 1 << 11 << 25 << 2 << "1"
                                           << "B140,80,7,2,5,80,0,1,'1'";
        QTest::newRow("digits above") << 1 << 8 << 25 << 1 << "1"
                                      << "B140,80,7,2,5,80,0,0,'1'";
        QTest::newRow("no digits") << 1 << 8 << 25 << 0 << "1"
                                   << "B140,80,7,2,5,80,0,0,'1'";
        QTest::newRow("data unescaped") << 1 << 2 << 25 << 2 << "A-1/2 %"
                                        << "B140,80,1,2,5,80,0,1,'A-1/2 %'";
        QTest::newRow("empty data") << 1 << 8 << 25 << 2 << ""
                                    << "";
        QTest::newRow("not used") << 0 << 8 << 25 << 2 << "123"
                                  << "";
    }

    void barcodeLine()
    {
        QFETCH(int, selt);
        QFETCH(int, code);
        QFETCH(int, den);
        QFETCH(int, hmRead);
        QFETCH(QString, data);
        QFETCH(QString, expected);

        FormatSet set = referenceSet();
        BarcodeElement &b = set.Fmt[1].Bar[1];
        b.BarSelt = qint16(selt);
        b.BarCode = qint16(code);
        b.BarDen = qint16(den);
        b.BarHmRead = qint16(hmRead);
        LabelItem item = referenceItem();
        item.barcodes[1] = data;
        const QStringList lines = linesStarting(BuildSrp770Label(set, 1, item, 1, false), "B1");
        QCOMPARE(lines, expected.isEmpty() ? QStringList() : QStringList{expected});
    }

    void textLine_data()
    {
        QTest::addColumn<int>("selt");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("rvs");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "" = no T line

        const QString head = QStringLiteral("T40,200,");
        QTest::newRow("font not set") << 1 << 0 << 0 << 0 << ""
                                      << "A" << head + "0,1,1,0,0,N,N,'A'";
        QTest::newRow("font 1") << 1 << 1 << 0 << 0 << ""
                                << "A" << head + "0,1,1,0,0,N,N,'A'";
        QTest::newRow("font 2") << 1 << 2 << 0 << 0 << ""
                                << "A" << head + "1,1,1,0,0,N,N,'A'";
        QTest::newRow("font 3") << 1 << 3 << 0 << 0 << ""
                                << "A" << head + "2,1,1,0,0,N,N,'A'";
        QTest::newRow("font 4") << 1 << 4 << 0 << 0 << ""
                                << "A" << head + "3,1,1,0,0,N,N,'A'";
        QTest::newRow("font 6") << 1 << 6 << 0 << 0 << ""
                                << "A" << head + "b,1,1,0,0,N,N,'A'";
        QTest::newRow("reversed") << 1 << 5 << 1 << 0 << ""
                                  << "A" << head + "a,1,1,0,0,R,N,'A'";
        QTest::newRow("bold") << 1 << 5 << 2 << 0 << ""
                              << "A" << head + "a,1,1,0,0,N,B,'A'";
        QTest::newRow("reversed bold") << 1 << 5 << 3 << 0 << ""
                                       << "A" << head + "a,1,1,0,0,R,B,'A'";
        QTest::newRow("fixed text wins") << 1 << 5 << 0 << 0 << "고정"
                                         << "AB" << head + "a,1,1,0,0,N,N,'고정'";
        QTest::newRow("fixed text, empty item text") << 1 << 5 << 0 << 0 << "FIX"
                                                     << "" << head + "a,1,1,0,0,N,N,'FIX'";
        QTest::newRow("right 8") << 1 << 5 << 0 << 8 << ""
                                 << "AB" << head + "a,1,1,0,0,N,N,'      AB'";
        QTest::newRow("right cuts the left") << 1 << 5 << 0 << 3 << ""
                                             << "12345" << head + "a,1,1,0,0,N,N,'345'";
        QTest::newRow("right counts bytes") << 1 << 5 << 0 << 6 << ""
                                            << "사과" << head + "a,1,1,0,0,N,N,'  사과'";
        QTest::newRow("right applies to fixed text") << 1 << 5 << 0 << 5 << "F"
                                                     << "AB" << head + "a,1,1,0,0,N,N,'    F'";
        QTest::newRow("right, empty text: blanks") << 1 << 5 << 0 << 4 << ""
                                                   << "" << head + "a,1,1,0,0,N,N,'    '";
        QTest::newRow("empty text, no fixed") << 1 << 5 << 0 << 0 << ""
                                              << ""
                                              << "";
        QTest::newRow("not used") << 0 << 5 << 0 << 0 << "FIX"
                                  << "AB"
                                  << "";
    }

    void textLine()
    {
        QFETCH(int, selt);
        QFETCH(int, font);
        QFETCH(int, rvs);
        QFETCH(int, right);
        QFETCH(QString, fixed);
        QFETCH(QString, text);
        QFETCH(QString, expected);

        FormatSet set = referenceSet();
        TextElement &t = set.Fmt[1].Txt[1];
        t.TxtSelt = qint16(selt);
        t.TxtFont = qint16(font);
        t.TxtRvs = qint16(rvs);
        t.TxtRight = qint16(right);
        t.TxtString = fixed;
        LabelItem item = referenceItem();
        item.texts[1] = text;
        const QStringList lines = linesStarting(BuildSrp770Label(set, 1, item, 1, false), "T");
        QCOMPARE(lines, expected.isEmpty() ? QStringList() : QStringList{expected});
    }

    void magnificationsAsStoredAndXBeforeY()
    {
        FormatSet set = referenceSet();
        TextElement &t = set.Fmt[1].Txt[1];
        t.TxtXSize = 3;
        t.TxtYSize = 0;
        t.TxtXx = 12;
        t.TxtYy = 7;
        const QStringList lines =
            linesStarting(BuildSrp770Label(set, 1, referenceItem(), 1, false), "T");
        QCOMPARE(lines, QStringList{"T96,56,a,3,0,0,0,N,N,'AB'"});
    }

    void elementsInOrder()
    {
        FormatSet set = referenceSet();
        LabelFormat &f = set.Fmt[1];
        f.Bar[3] = f.Bar[1];
        f.Bar[3].BarYy = 1;
        f.Txt[10] = f.Txt[1];
        f.Txt[10].TxtYy = 1;
        LabelItem item = referenceItem();
        item.barcodes[3] = QStringLiteral("333");
        item.texts[10] = QStringLiteral("TEN");
        const QStringList lines = linesOf(BuildSrp770Label(set, 1, item, 4, false));
        QCOMPARE(lines.mid(6),
                 (QStringList{"B140,80,7,2,5,80,0,1,'123'", "B140,8,7,2,5,80,0,1,'333'",
                              "T40,200,a,1,1,0,0,N,N,'AB'", "T40,8,a,1,1,0,0,N,N,'TEN'", "P4"}));
    }

    void textsBeyondTenNeverPrinted()
    {
        FormatSet set = referenceSet();
        for (int t = 11; t <= FormatSet::TextCount; ++t) {
            set.Fmt[1].Txt[t] = set.Fmt[1].Txt[1];
            set.Fmt[1].Txt[t].TxtString = QStringLiteral("X%1").arg(t);
            set.Fmt[1].Txt[t].TxtRight = 5;
        }
        QCOMPARE(linesStarting(BuildSrp770Label(set, 1, referenceItem(), 1, false), "T").size(), 1);
    }

    void usesTheGivenFormat()
    {
        FormatSet set = referenceSet();
        set.Fmt[3] = set.Fmt[1];
        set.Fmt[3].LblWidth = 70;
        LabelItem item = referenceItem(); // its own format is 1; the caller chose 3
        QCOMPARE(linesOf(BuildSrp770Label(set, 3, item, 1, false)).at(3), QStringLiteral("SW560"));
    }

    void formatOutOfRangeGivesNothing_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("0") << 0;
        QTest::newRow("6") << 6;
        QTest::newRow("-1") << -1;
    }

    void formatOutOfRangeGivesNothing()
    {
        QFETCH(int, format);
        QCOMPARE(BuildSrp770Label(referenceSet(), format, referenceItem(), 1, false), QString());
    }
};

QTEST_GUILESS_MAIN(TestSrp770Job)
#include "test_srp770job.moc"
