// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers/al300/al300protocol.h"
#include "printers/al300/al300transfer.h"

#include "common/cp949codec.h"
#include "model/goodstable.h"
#include "model/labeljob.h"

#include "support/goodsrows.h"

#include <QtTest>

namespace {

// Format 1 of the reference label (tenths of a millimetre): 28 x 35 mm, normal direction,
// stop at the cut line; barcode 1 EAN-13 below-digits; text 1 variable; text 2 the fixed 가격.
FormatSet referenceSet()
{
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    f.LblLeng = 280;
    f.LblWidth = 350;
    f.LblMode = 1;
    BarcodeElement &b = f.Bar[1];
    b.BarSelt = 1;
    b.BarYy = 110;
    b.BarXx = 80;
    b.BarCode = 7;
    b.BarDen = 1;
    b.BarHeight = 80;
    b.BarHmRead = 2;
    TextElement &t1 = f.Txt[1];
    t1.TxtSelt = 1;
    t1.TxtYy = 200;
    t1.TxtXx = 20;
    t1.TxtFont = 2;
    t1.TxtYSize = 1;
    t1.TxtXSize = 2;
    TextElement &t2 = f.Txt[2];
    t2.TxtSelt = 1;
    t2.TxtString = QStringLiteral("가격");
    t2.TxtYy = 60;
    t2.TxtXx = 140;
    t2.TxtFont = 1;
    t2.TxtYSize = 1;
    t2.TxtXSize = 1;
    return set;
}

std::array<bool, 6> ticked(std::initializer_list<int> formats)
{
    std::array<bool, 6> s{};
    for (int f : formats)
        s[f] = true;
    return s;
}

QString lines(std::initializer_list<const char *> ls)
{
    QString out;
    for (const char *l : ls)
        out += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return out;
}

QStringList linesOf(const QString &text)
{
    QStringList l = text.split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

// The data part of a direct print job: the lines after the "{B001" opening.
QStringList dataLines(const QString &job)
{
    const QStringList l = linesOf(job);
    for (int i = 0; i < l.size(); ++i)
        if (l[i].startsWith(QStringLiteral("{B001")))
            return l.mid(i + 1, l.size() - i - 2);
    return {};
}

QStringList formatLines(const QString &job)
{
    const QStringList l = linesOf(job);
    const int close = l.indexOf(QStringLiteral("}"));
    return close < 1 ? QStringList() : l.mid(1, close - 1);
}

// A goods grid row of 29 cells: number, mark, name, format, quantity, 3 barcodes, 20 texts.
QStringList goodsRow(const QString &number, const QStringList &barcodes = {},
                     const QStringList &texts = {})
{
    QStringList row(29);
    row[0] = number;
    row[2] = QStringLiteral("이름");
    row[3] = QStringLiteral("1");
    row[4] = QStringLiteral("5");
    for (int i = 0; i < barcodes.size(); ++i)
        row[5 + i] = barcodes[i];
    for (int i = 0; i < texts.size(); ++i)
        row[8 + i] = texts[i];
    return row;
}

const QString ReferenceFormatDownload = lines({
    "{N,D,001,F}",
    "{N,R,001,F,280,350,0,1,0,0;QelForm1;0|",
    "I,3|",
    "P001,K,3,F,0,N,상품번호|",
    "P002,K,30,V,0,N,바코드01|",
    "P003,K,30,V,9,N,텍스트01|",
    "E,1|",
    "F006,가격|",
    "O,3|",
    "B,P002,I,000,0110,080,1,7,0,80,2|",
    "T,P003,I,000,0200,020,1,2,J,0,0,B,D,0|",
    "T,F006,I,000,0060,140,1,1,1,0,0,B,D,0|",
    "}",
});

const QString ReferenceLinkDownload = lines({
    "{S,D,001,F}",
    "{S,R,001,F,001,F,001,F|",
    "K,001|",
    "K001,1,1,3,0,상품번호?|",
    "M,001,P001,0,0|",
    "M,002,P002,1,0|",
    "M,005,P003,1,0|",
    "}",
});

const QString ReferencePrintJob = lines({
    "{F001,0280,350;QELFF001|",
    "B01,I,000,0110,080,1,7,0,80,2|",
    "T02,I,000,0200,020,0102,J,0,0,B,D,0|",
    "T03,I,000,0060,140,0101,1,0,0,B,D,0|",
    "}",
    "{B001,0003,E,1,1,0,C;QELFB001|",
    "B01;8801234567893|",
    "T02;사과|",
    "T03;가격|",
    "}",
});

QString referencePrintJob()
{
    std::array<QString, 4> barcodes;
    std::array<QString, 11> texts;
    barcodes[1] = QStringLiteral("8801234567893");
    texts[1] = QStringLiteral("사과");
    return BuildPrintJob(referenceSet(), 1, barcodes, texts, 3);
}

} // namespace

class TestAl300Protocol : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void referenceTexts()
    {
        QCOMPARE(BuildFormatDownload(referenceSet(), ticked({1})), ReferenceFormatDownload);
        QCOMPARE(BuildLinkDownload(referenceSet(), ticked({1})), ReferenceLinkDownload);
        QCOMPARE(referencePrintJob(), ReferencePrintJob);
    }

    // The same texts as they reach the wire. Hangul bytes: 상품번호 BB F3 C7 B0 B9 F8 C8 A3,
    // 바코드 B9 D9 C4 DA B5 E5, 텍스트 C5 D8 BD BA C6 AE, 가격 B0 A1 B0 DD, 사과 BB E7 B0 FA.
    void referenceBytes()
    {
        QCOMPARE(Cp949Codec::encode(BuildFormatDownload(referenceSet(), ticked({1}))),
                 QByteArray("{N,D,001,F}\r\n"
                            "{N,R,001,F,280,350,0,1,0,0;QelForm1;0|\r\n"
                            "I,3|\r\n"
                            "P001,K,3,F,0,N,\xBB\xF3\xC7\xB0\xB9\xF8\xC8\xA3|\r\n"
                            "P002,K,30,V,0,N,\xB9\xD9\xC4\xDA\xB5\xE5"
                            "01|\r\n"
                            "P003,K,30,V,9,N,\xC5\xD8\xBD\xBA\xC6\xAE"
                            "01|\r\n"
                            "E,1|\r\n"
                            "F006,\xB0\xA1\xB0\xDD|\r\n"
                            "O,3|\r\n"
                            "B,P002,I,000,0110,080,1,7,0,80,2|\r\n"
                            "T,P003,I,000,0200,020,1,2,J,0,0,B,D,0|\r\n"
                            "T,F006,I,000,0060,140,1,1,1,0,0,B,D,0|\r\n"
                            "}\r\n"));
        QCOMPARE(Cp949Codec::encode(BuildLinkDownload(referenceSet(), ticked({1}))),
                 QByteArray("{S,D,001,F}\r\n"
                            "{S,R,001,F,001,F,001,F|\r\n"
                            "K,001|\r\n"
                            "K001,1,1,3,0,\xBB\xF3\xC7\xB0\xB9\xF8\xC8\xA3?|\r\n"
                            "M,001,P001,0,0|\r\n"
                            "M,002,P002,1,0|\r\n"
                            "M,005,P003,1,0|\r\n"
                            "}\r\n"));
        QCOMPARE(Cp949Codec::encode(referencePrintJob()),
                 QByteArray("{F001,0280,350;QELFF001|\r\n"
                            "B01,I,000,0110,080,1,7,0,80,2|\r\n"
                            "T02,I,000,0200,020,0102,J,0,0,B,D,0|\r\n"
                            "T03,I,000,0060,140,0101,1,0,0,B,D,0|\r\n"
                            "}\r\n"
                            "{B001,0003,E,1,1,0,C;QELFB001|\r\n"
                            "B01;8801234567893|\r\n"
                            "T02;\xBB\xE7\xB0\xFA|\r\n"
                            "T03;\xB0\xA1\xB0\xDD|\r\n"
                            "}\r\n"));
    }

    void nothingTickedGivesEmptyDownloads()
    {
        QCOMPARE(BuildFormatDownload(referenceSet(), ticked({})), QString());
        QCOMPARE(BuildLinkDownload(referenceSet(), ticked({})), QString());
        // Slot 0 is not a format.
        QCOMPARE(BuildFormatDownload(referenceSet(), ticked({0})), QString());
    }

    void formatWithoutElements()
    {
        FormatSet set;
        set.Fmt[2].LblLeng = 500;
        set.Fmt[2].LblWidth = 400;
        set.Fmt[2].LblDegree = 1;
        set.Fmt[2].LblMode = 2;
        set.Fmt[2].LblSensor = 1;
        set.Fmt[2].LblCut = 1;
        set.Fmt[2].LblOver = 1;
        QCOMPARE(BuildFormatDownload(set, ticked({2})),
                 lines({"{N,D,002,F}", "{N,R,002,F,500,400,1,2,1,1;QelForm2;1|", "I,1|",
                        "P001,K,3,F,0,N,상품번호|", "O,0|", "}"}));
        QCOMPARE(BuildLinkDownload(set, ticked({2})),
                 lines({"{S,D,002,F}", "{S,R,002,F,001,F,002,F|", "K,001|",
                        "K001,1,1,3,0,상품번호?|", "M,001,P001,0,0|", "}"}));
    }

    void twoFormatsEachNumberedFromP001()
    {
        FormatSet set = referenceSet();
        set.Fmt[3] = set.Fmt[1];
        set.Fmt[3].Bar[1].BarSelt = 0;
        set.Fmt[3].Bar[2] = set.Fmt[1].Bar[1];
        set.Fmt[2] = set.Fmt[1]; // not ticked: must not appear
        const QString download = BuildFormatDownload(set, ticked({1, 3}));
        const QString second = lines({
            "{N,D,003,F}",
            "{N,R,003,F,280,350,0,1,0,0;QelForm3;0|",
            "I,3|",
            "P001,K,3,F,0,N,상품번호|",
            "P002,K,30,V,0,N,바코드02|",
            "P003,K,30,V,9,N,텍스트01|",
            "E,1|",
            "F006,가격|",
            "O,3|",
            "B,P002,I,000,0110,080,1,7,0,80,2|",
            "T,P003,I,000,0200,020,1,2,J,0,0,B,D,0|",
            "T,F006,I,000,0060,140,1,1,1,0,0,B,D,0|",
            "}",
        });
        QCOMPARE(download, ReferenceFormatDownload + second);
        QCOMPARE(BuildLinkDownload(set, ticked({1, 3})),
                 ReferenceLinkDownload + lines({"{S,D,003,F}", "{S,R,003,F,001,F,003,F|", "K,001|",
                                                "K001,1,1,3,0,상품번호?|", "M,001,P001,0,0|",
                                                "M,003,P002,1,0|", "M,005,P003,1,0|", "}"}));
    }

    void fieldNumbersFollowElementOrder()
    {
        // Barcodes 1 and 3, variable texts 4 and 10, fixed texts 2 and 7.
        FormatSet set;
        LabelFormat &f = set.Fmt[5];
        for (int j : {1, 3})
            f.Bar[j].BarSelt = 1;
        for (int j : {2, 4, 7, 10})
            f.Txt[j].TxtSelt = 1;
        f.Txt[2].TxtString = QStringLiteral("X");
        f.Txt[7].TxtString = QStringLiteral("Y Z");
        f.Txt[5].TxtString = QStringLiteral("not used"); // not selected: no F record
        const QStringList download = linesOf(BuildFormatDownload(set, ticked({5})));
        QCOMPARE(
            download.mid(2),
            (QStringList{"I,5|", "P001,K,3,F,0,N,상품번호|", "P002,K,30,V,0,N,바코드01|",
                         "P003,K,30,V,0,N,바코드03|", "P004,K,30,V,9,N,텍스트04|",
                         "P005,K,30,V,9,N,텍스트10|", "E,2|", "F006,X|", "F011,Y Z|", "O,6|",
                         "B,P002,I,000,0000,000,0,0,0,0,0|", "B,P003,I,000,0000,000,0,0,0,0,0|",
                         "T,F006,I,000,0000,000,0,0,0,0,0,B,D,0|",
                         "T,P004,I,000,0000,000,0,0,0,0,0,B,D,0|",
                         "T,F011,I,000,0000,000,0,0,0,0,0,B,D,0|",
                         "T,P005,I,000,0000,000,0,0,0,0,0,B,D,0|", "}"}));
        QCOMPARE(linesOf(BuildLinkDownload(set, ticked({5}))).mid(4),
                 (QStringList{"M,001,P001,0,0|", "M,002,P002,1,0|", "M,004,P003,1,0|",
                              "M,008,P004,1,0|", "M,014,P005,1,0|", "}"}));
    }

    void blankFixedTextIsVariable()
    {
        FormatSet set = referenceSet();
        set.Fmt[1].Txt[2].TxtString = QStringLiteral("   ");
        const QStringList download = linesOf(BuildFormatDownload(set, ticked({1})));
        QVERIFY(download.contains(QStringLiteral("P004,K,30,V,9,N,텍스트02|")));
        QVERIFY(!download.contains(QStringLiteral("E,1|")));
        QVERIFY(download.contains(QStringLiteral("I,4|")));
    }

    void inputClasses_data()
    {
        QTest::addColumn<int>("barEdit");
        QTest::addColumn<int>("txtEdit");
        QTest::addColumn<QString>("barCode"); // P record code
        QTest::addColumn<QString>("txtCode");
        QTest::addColumn<QString>("barLink"); // last M field
        QTest::addColumn<QString>("txtLink");

        QTest::newRow("X") << 0 << 0 << "0"
                           << "9"
                           << "0"
                           << "0";
        QTest::newRow("0") << 1 << 1 << "0"
                           << "0"
                           << "1"
                           << "1";
        QTest::newRow("A") << 2 << 2 << "2"
                           << "2"
                           << "1"
                           << "1";
        QTest::newRow("가") << 3 << 3 << "9"
                            << "9"
                            << "1"
                            << "1";
    }

    void inputClasses()
    {
        QFETCH(int, barEdit);
        QFETCH(int, txtEdit);
        QFETCH(QString, barCode);
        QFETCH(QString, txtCode);
        QFETCH(QString, barLink);
        QFETCH(QString, txtLink);

        FormatSet set = referenceSet();
        set.Fmt[1].Bar[1].BarEdit = qint16(barEdit);
        set.Fmt[1].Txt[1].TxtEdit = qint16(txtEdit);
        set.Fmt[1].Txt[2].TxtEdit = qint16(txtEdit); // fixed text: no field, no link
        const QStringList download = linesOf(BuildFormatDownload(set, ticked({1})));
        QCOMPARE(download.at(4), "P002,K,30,V," + barCode + ",N,바코드01|");
        QCOMPARE(download.at(5), "P003,K,30,V," + txtCode + ",N,텍스트01|");
        const QStringList links = linesOf(BuildLinkDownload(set, ticked({1})));
        QCOMPARE(links.mid(5, 2),
                 (QStringList{"M,002,P002,1," + barLink + "|", "M,005,P003,1," + txtLink + "|"}));
        // The direct print job knows nothing of input classes.
        QCOMPARE(referencePrintJob(), ReferencePrintJob);
    }

    void objectFields_data()
    {
        QTest::addColumn<int>("den");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("rvs");
        QTest::addColumn<int>("yy");
        QTest::addColumn<int>("xx");
        QTest::addColumn<QString>("barLine");  // direct print job, object 01
        QTest::addColumn<QString>("textLine"); // direct print job, object 02

        QTest::newRow("reference")
            << 1 << 7 << 2 << 0 << 200 << 20 << "B01,I,000,0110,080,1,7,0,80,2|"
            << "T02,I,000,0200,020,0102,J,0,0,B,D,0|";
        QTest::newRow("ratio A, no symbology, no font, reversed")
            << 10 << 0 << 0 << 1 << 200 << 20 << "B01,I,000,0110,080,A,0,0,80,2|"
            << "T02,I,000,0200,020,0102,0,0,0,W,D,0|";
        QTest::newRow("ratio 9, Code128, font 3")
            << 9 << 8 << 3 << 0 << 200 << 20 << "B01,I,000,0110,080,9,8,0,80,2|"
            << "T02,I,000,0200,020,0102,K,0,0,B,D,0|";
        QTest::newRow("font 1, reverse other than 1")
            << 1 << 7 << 1 << 3 << 200 << 20 << "B01,I,000,0110,080,1,7,0,80,2|"
            << "T02,I,000,0200,020,0102,1,0,0,W,D,0|";
        QTest::newRow("positions keep rightmost digits")
            << 1 << 7 << 2 << 0 << 12345 << 1234 << "B01,I,000,0110,080,1,7,0,80,2|"
            << "T02,I,000,2345,234,0102,J,0,0,B,D,0|";
        QTest::newRow("small positions padded")
            << 1 << 7 << 2 << 0 << 5 << 0 << "B01,I,000,0110,080,1,7,0,80,2|"
            << "T02,I,000,0005,000,0102,J,0,0,B,D,0|";
    }

    void objectFields()
    {
        QFETCH(int, den);
        QFETCH(int, code);
        QFETCH(int, font);
        QFETCH(int, rvs);
        QFETCH(int, yy);
        QFETCH(int, xx);
        QFETCH(QString, barLine);
        QFETCH(QString, textLine);

        FormatSet set = referenceSet();
        set.Fmt[1].Bar[1].BarDen = qint16(den);
        set.Fmt[1].Bar[1].BarCode = qint16(code);
        TextElement &t = set.Fmt[1].Txt[1];
        t.TxtFont = qint16(font);
        t.TxtRvs = qint16(rvs);
        t.TxtYy = yy;
        t.TxtXx = xx;
        std::array<QString, 4> barcodes{{"", "1"}};
        std::array<QString, 11> texts{{"", "A"}};
        const QStringList form = formatLines(BuildPrintJob(set, 1, barcodes, texts, 1));
        QCOMPARE(form.mid(0, 2), (QStringList{barLine, textLine}));

        // The stored format carries the same values with separate size fields.
        const QStringList stored = linesOf(BuildFormatDownload(set, ticked({1})));
        QCOMPARE(stored.at(9), "B,P002" + barLine.mid(3));
        QCOMPARE(stored.at(10), "T,P003" + textLine.mid(3).replace(QStringLiteral(",0102,"),
                                                                   QStringLiteral(",1,2,")));
    }

    void printJobHeader_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("degree");
        QTest::addColumn<int>("qty");
        QTest::addColumn<QString>("formOpening");
        QTest::addColumn<QString>("dataOpening");

        QTest::newRow("reference") << 280 << 350 << 0 << 3 << "{F001,0280,350;QELFF001|"
                                   << "{B001,0003,E,1,1,0,C;QELFB001|";
        QTest::newRow("reversed") << 1500 << 560 << 1 << 999 << "{F001,1500,560;QELFF001|"
                                  << "{B001,0999,E,1,1,2,C;QELFB001|";
        QTest::newRow("quantity modulo 10000")
            << 280 << 350 << 0 << 12345 << "{F001,0280,350;QELFF001|"
            << "{B001,2345,E,1,1,0,C;QELFB001|";
        QTest::newRow("sizes keep rightmost digits")
            << 12345 << 1234 << 0 << 1 << "{F001,2345,234;QELFF001|"
            << "{B001,0001,E,1,1,0,C;QELFB001|";
    }

    void printJobHeader()
    {
        QFETCH(int, length);
        QFETCH(int, width);
        QFETCH(int, degree);
        QFETCH(int, qty);
        QFETCH(QString, formOpening);
        QFETCH(QString, dataOpening);

        FormatSet set = referenceSet();
        set.Fmt[4] = set.Fmt[1];
        set.Fmt[4].LblLeng = length;
        set.Fmt[4].LblWidth = width;
        set.Fmt[4].LblDegree = qint16(degree);
        // The job is always the ad-hoc format 001, whatever the stored number.
        const QStringList job = linesOf(BuildPrintJob(set, 4, {}, {}, qty));
        QCOMPARE(job.first(), formOpening);
        QCOMPARE(job.at(job.indexOf(QStringLiteral("}")) + 1), dataOpening);
    }

    void printJobValues_data()
    {
        QTest::addColumn<QStringList>("barcodes"); // goods barcodes 1..3
        QTest::addColumn<QString>("fixedBarcode"); // BarString of barcode 1
        QTest::addColumn<int>("right");            // TxtRight of text 1
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QStringList>("expected"); // data lines

        const QStringList used{"", "22", ""};
        QTest::newRow("first barcode empty: second is object 01")
            << used << "" << 0 << "A" << QStringList{"B01;22|", "T02;A|", "T03;가격|"};
        QTest::newRow("fixed barcode wins") << QStringList{"111", "", ""} << "999" << 0 << "A"
                                            << QStringList{"B01;999|", "T02;A|", "T03;가격|"};
        QTest::newRow("fixed barcode, no goods value")
            << QStringList{"", "", ""} << "999" << 0 << "A"
            << QStringList{"B01;999|", "T02;A|", "T03;가격|"};
        QTest::newRow("nothing to print for barcodes")
            << QStringList{"", "", ""} << "" << 0 << "A" << QStringList{"T01;A|", "T02;가격|"};
        QTest::newRow("empty text left out")
            << QStringList{"1", "", ""} << "" << 0 << "" << QStringList{"B01;1|", "T02;가격|"};
        QTest::newRow("width 6") << QStringList{"1", "", ""} << "" << 6 << "500"
                                 << QStringList{"B01;1|", "T02;   500|", "T03;가격|"};
        QTest::newRow("width 2 keeps the right") << QStringList{"1", "", ""} << "" << 2 << "1234"
                                                 << QStringList{"B01;1|", "T02;34|", "T03;가격|"};
        QTest::newRow("width 4, empty text: blanks printed")
            << QStringList{"1", "", ""} << "" << 4 << ""
            << QStringList{"B01;1|", "T02;    |", "T03;가격|"};
        QTest::newRow("width counts bytes") << QStringList{"1", "", ""} << "" << 5 << "사과"
                                            << QStringList{"B01;1|", "T02; 사과|", "T03;가격|"};
        // The records carry values unquoted: their delimiters are sent as "?".
        QTest::newRow("delimiters become ?")
            << QStringList{"1,2|3", "", ""} << "" << 0 << "a;b{c}"
            << QStringList{"B01;1?2?3|", "T02;a?b?c?|", "T03;가격|"};
        QTest::newRow("fixed barcode with a comma")
            << QStringList{"111", "", ""} << "9,9" << 0 << "A"
            << QStringList{"B01;9?9|", "T02;A|", "T03;가격|"};
        QTest::newRow("comma in a right-aligned text")
            << QStringList{"1", "", ""} << "" << 6 << "1,000"
            << QStringList{"B01;1|", "T02; 1?000|", "T03;가격|"};
    }

    void printJobValues()
    {
        QFETCH(QStringList, barcodes);
        QFETCH(QString, fixedBarcode);
        QFETCH(int, right);
        QFETCH(QString, text1);
        QFETCH(QStringList, expected);

        FormatSet set = referenceSet();
        set.Fmt[1].Bar[2] = set.Fmt[1].Bar[1];
        set.Fmt[1].Bar[3] = set.Fmt[1].Bar[1];
        set.Fmt[1].Bar[1].BarString = fixedBarcode;
        set.Fmt[1].Txt[1].TxtRight = qint16(right);
        std::array<QString, 4> bc;
        for (int j = 1; j <= 3; ++j)
            bc[j] = barcodes[j - 1];
        std::array<QString, 11> texts;
        texts[1] = text1;
        const QString job = BuildPrintJob(set, 1, bc, texts, 1);
        QCOMPARE(dataLines(job), expected);
        // Each data line has a format line with the same object name, in the same order.
        const QStringList form = formatLines(job);
        QCOMPARE(form.size(), expected.size());
        for (int i = 0; i < form.size(); ++i)
            QCOMPARE(form[i].left(3), expected[i].left(3));
    }

    void printJobSkipsUnusedAndHighTexts()
    {
        FormatSet set = referenceSet();
        set.Fmt[1].Txt[3].TxtString = QStringLiteral("unused"); // not selected
        set.Fmt[1].Txt[11] = set.Fmt[1].Txt[2];                 // beyond text 10
        std::array<QString, 11> texts;
        texts[1] = QStringLiteral("A");
        texts[4] = QStringLiteral("not selected");
        QCOMPARE(dataLines(BuildPrintJob(set, 1, {}, texts, 1)),
                 (QStringList{"T01;A|", "T02;가격|"}));
    }

    void printJobFormatOutOfRange()
    {
        QCOMPARE(BuildPrintJob(referenceSet(), 0, {}, {}, 1), QString());
        QCOMPARE(BuildPrintJob(referenceSet(), 6, {}, {}, 1), QString());
    }

    void itemTable()
    {
        const QList<QStringList> rows{
            goodsRow("7", {"8801234567893", "", " 2 "}, {"사과", "", "1,000"}),
            goodsRow("0", {"1"}),
            goodsRow("", {"2"}),
            goodsRow("1000", {"3"}),
            goodsRow("-4", {"4"}),
            goodsRow("abc", {"5"}),
            goodsRow(" 999 ", {},
                     [] {
                         QStringList t;
                         for (int i = 1; i <= 20; ++i)
                             t << QStringLiteral("t%1").arg(i);
                         return t;
                     }()),
            goodsRow("12"),
        };
        QCOMPARE(BuildItemTableDownload(rows),
                 lines({"{I,D,001,F}", "{I,R,001,F,014;3,30,30,30,30,30,30,30,30,30,30,30,30,30|",
                        "007,8801234567893, ,2,사과, ,1?000, , , , , , , |",
                        "999, , , ,t1,t2,t3,t4,t5,t6,t7,t8,t9,t10|",
                        "012, , , , , , , , , , , , , |", "}"}));
    }

    void fixedTextDelimiters()
    {
        // A fixed text goes into the format download's F record and the print job's data.
        FormatSet set = referenceSet();
        set.Fmt[1].Txt[2].TxtString = QStringLiteral("1,000원;");
        QVERIFY(BuildFormatDownload(set, {false, true}).contains("\r\nF006,1?000원?|\r\n"));
        QCOMPARE(dataLines(BuildPrintJob(set, 1, {}, {}, 1)), QStringList{"T01;1?000원?|"});
    }

    void itemTableShortRowsAndLongValues()
    {
        const QString longText(40, QLatin1Char('x'));
        QList<QStringList> rows{QStringList{"3"}, goodsRow("4", {longText})};
        QCOMPARE(linesOf(BuildItemTableDownload(rows)).mid(2, 2),
                 (QStringList{"003, , , , , , , , , , , , , |",
                              "004," + longText + ", , , , , , , , , , , , |"}));
    }

    void itemTableEmptyGrid()
    {
        QCOMPARE(BuildItemTableDownload({}), QStringLiteral("{I,D,001,F}\r\n"));
        // Rows that all fall outside 1..999 still open and close the table.
        QCOMPARE(BuildItemTableDownload({goodsRow("0")}),
                 lines({"{I,D,001,F}", "{I,R,001,F,014;3,30,30,30,30,30,30,30,30,30,30,30,30,30|",
                        "}"}));
    }

    // The labels a transfer sets up: the goods of the item table in their own formats, when
    // the goods go or their format does, drawn from the stored format without the direct
    // job's fixed barcode values and text widths.
    void transferLabels_data()
    {
        QTest::addColumn<QList<int>>("formats"); // ticked
        QTest::addColumn<bool>("goods");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("goods") << QList<int>{} << true << QList<int>{1, 2, 4};
        QTest::newRow("format 1") << QList<int>{1} << false << QList<int>{1, 4};
        QTest::newRow("format 2") << QList<int>{2} << false << QList<int>{2};
        QTest::newRow("format 3") << QList<int>{3} << false << QList<int>{};
        QTest::newRow("nothing") << QList<int>{} << false << QList<int>{};
    }

    void transferLabels()
    {
        QFETCH(QList<int>, formats);
        QFETCH(bool, goods);
        QFETCH(QList<int>, rows);
        FormatSet set = referenceSet();
        set.Fmt[1].Bar[1].BarString = QStringLiteral("8809999999996");
        set.Fmt[1].Txt[1].TxtRight = 8;
        set.Fmt[2] = set.Fmt[1];
        GoodsRows table;
        // number, format, barcode 1: the row of number 1000 is not in the item table.
        const char *data[][3] = {{"1", "1", "8801234567893"},
                                 {"2", "2", "8800000000017"},
                                 {"1000", "1", "8800000000024"},
                                 {"4", "1", "8800000000031"}};
        for (const auto &d : data) {
            const int r = table.appendRow();
            table.setCell(r, GoodsTable::NumberColumn, d[0]);
            table.setCell(r, GoodsTable::FormatColumn, d[1]);
            table.setCell(r, GoodsTable::FirstBarcodeColumn, d[2]);
            table.setCell(r, GoodsTable::FirstTextColumn, QStringLiteral("사과"));
        }
        std::array<bool, 6> ticked{};
        for (int f : formats)
            ticked[size_t(f)] = true;
        const QList<LabelJob> labels = Al300Transfer::labels(set, ticked, goods, table);
        QList<int> got;
        for (const LabelJob &job : labels) {
            got << job.row;
            QVERIFY(job.text.contains(QStringLiteral("B01;") +
                                      table.cell(job.row, GoodsTable::FirstBarcodeColumn) + "|"));
            QVERIFY(job.text.contains(QStringLiteral("T02;사과|")));
        }
        QCOMPARE(got, rows);
    }
};

QTEST_GUILESS_MAIN(TestAl300Protocol)
#include "test_al300protocol.moc"
