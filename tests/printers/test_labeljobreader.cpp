// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/labeljob.h"
#include "printers/labeljobreader.h"

#include "common/textutil.h"
#include "printers/al300/al300driver.h"
#include "printers/printers.h"

#include <QRandomGenerator>
#include <QtTest>

using Symbology = LabelObject::Symbology;
using Readable = LabelObject::Readable;

// The label data of one goods row: barcodes 1..3, texts 1..10.
struct RowData {
    std::array<QString, 4> barcodes;
    std::array<QString, 11> texts;
};

Q_DECLARE_METATYPE(FormatSet)
Q_DECLARE_METATYPE(RowData)

namespace {

QString lines(std::initializer_list<const char *> ls)
{
    QString out;
    for (const char *l : ls)
        out += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return out;
}

RowData rowData(std::initializer_list<const char *> barcodes,
                std::initializer_list<const char *> texts)
{
    RowData d;
    int i = 1;
    for (const char *b : barcodes)
        d.barcodes[i++] = QString::fromUtf8(b);
    i = 1;
    for (const char *t : texts)
        d.texts[i++] = QString::fromUtf8(t);
    return d;
}

BarcodeElement barcode(int y, int x, int code, int den, int height, int readable)
{
    BarcodeElement b;
    b.BarSelt = 1;
    b.BarYy = y;
    b.BarXx = x;
    b.BarCode = qint16(code);
    b.BarDen = qint16(den);
    b.BarHeight = height;
    b.BarHmRead = qint16(readable);
    return b;
}

TextElement text(int y, int x, int font, int ySize, int xSize, int rvs, const char *fixed = "",
                 int right = 0)
{
    TextElement t;
    t.TxtSelt = 1;
    t.TxtYy = y;
    t.TxtXx = x;
    t.TxtFont = qint16(font);
    t.TxtYSize = qint16(ySize);
    t.TxtXSize = qint16(xSize);
    t.TxtRvs = qint16(rvs);
    t.TxtString = QString::fromUtf8(fixed);
    t.TxtRight = qint16(right);
    return t;
}

// What the printer is told, as this test knows the two command languages (independent of
// the reader): SRP-770 millimetres x 8 dots, AL-300 tenths of a millimetre x 0.8 dots.
Symbology srpSymbology(int barCode)
{
    static const Symbology s[] = {Symbology::Ean13, // 0: sent as EAN13
                                  Symbology::Code39,  Symbology::Code128, Symbology::I2of5,
                                  Symbology::Codabar, Symbology::Code93,  Symbology::UpcA,
                                  Symbology::UpcE,    Symbology::Ean13,   Symbology::Ean8,
                                  Symbology::Ean128};
    return barCode >= 0 && barCode <= 10 ? s[barCode] : Symbology::Ean13;
}

Symbology alSymbology(int barCode)
{
    static const Symbology s[] = {Symbology::Unknown, Symbology::UpcA,   Symbology::UpcE,
                                  Symbology::I2of5,   Symbology::Code39, Symbology::Codabar,
                                  Symbology::Ean8,    Symbology::Ean13,  Symbology::Code128};
    return s[barCode];
}

QString srpFont(int font)
{
    static const char *f[] = {"0", "0", "1", "2", "3", "a", "b"};
    return QString::fromLatin1(f[font]);
}

QString alFont(int font)
{
    static const char *f[] = {"0", "1", "J", "K"};
    return QString::fromLatin1(f[font]);
}

int tenths(int v)
{
    return qRound(v * 0.8);
}

// Compares the description with format f of the set printed with the row's data.
void compareWithFormat(PrinterModel model, const FormatSet &set, int f, const RowData &row,
                       int count, bool blackMark, const LabelDescription &d)
{
    const LabelFormat &fmt = set.Fmt[f];
    const bool srp = model == PrinterModel::SRP770;
    auto dots = [srp](int v) { return srp ? v * 8 : tenths(v); };
    auto units = [srp](int v) { return srp ? v * 8 : v; };
    QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
    QCOMPARE(d.language, Printers::of(model).key());
    QCOMPARE(d.widthDots, dots(fmt.LblWidth));
    QCOMPARE(d.lengthDots, dots(fmt.LblLeng));
    QCOMPARE(d.widthUnits, units(fmt.LblWidth));
    QCOMPARE(d.lengthUnits, units(fmt.LblLeng));
    QCOMPARE(d.reversed, fmt.LblDegree != 0);
    QCOMPARE(d.count, count);
    QCOMPARE(d.blackMark, srp && blackMark);

    int n = 0;
    for (int b = 1; b <= 3; ++b) {
        const BarcodeElement &e = fmt.Bar[b];
        const QString value = !srp && !e.BarString.isEmpty() ? e.BarString : row.barcodes[b];
        if (e.BarSelt != 1 || value.isEmpty())
            continue;
        QVERIFY(n < d.objects.size());
        const LabelObject &o = d.objects[n++];
        QVERIFY(o.isBarcode());
        QCOMPARE(o.x, dots(e.BarXx));
        QCOMPARE(o.y, dots(e.BarYy));
        QCOMPARE(o.xUnits, units(e.BarXx));
        QCOMPARE(o.yUnits, units(e.BarYy));
        QCOMPARE(o.height, dots(e.BarHeight));
        QCOMPARE(o.data, value);
        if (srp) {
            QCOMPARE(o.symbology, srpSymbology(e.BarCode));
            QCOMPARE(o.narrow, e.BarDen / 10 == 0 ? 2 : e.BarDen / 10);
            QCOMPARE(o.wide, e.BarDen % 10 == 0 ? 6 : e.BarDen % 10);
            // The SRP-770 line knows "below" and "none"; "above" prints none.
            QCOMPARE(o.readable, e.BarHmRead == 2 ? Readable::Below : Readable::None);
        } else {
            QCOMPARE(o.symbology, alSymbology(e.BarCode));
            QCOMPARE(o.ratio, int(e.BarDen));
            int narrow = 0, wide = 0;
            QVERIFY(Al300Driver::ratioBars(e.BarDen, &narrow, &wide));
            QCOMPARE(o.narrow, narrow);
            QCOMPARE(o.wide, wide);
            QCOMPARE(o.readable, Readable(e.BarHmRead));
        }
    }
    for (int t = 1; t <= 10; ++t) {
        const TextElement &e = fmt.Txt[t];
        QString value = e.TxtString.isEmpty() ? row.texts[t] : e.TxtString;
        if (e.TxtRight > 0)
            value = AlignRightByBytes(value, e.TxtRight, 1);
        if (e.TxtSelt != 1 || value.isEmpty())
            continue;
        QVERIFY(n < d.objects.size());
        const LabelObject &o = d.objects[n++];
        QVERIFY(o.isText());
        QCOMPARE(o.x, dots(e.TxtXx));
        QCOMPARE(o.y, dots(e.TxtYy));
        QCOMPARE(o.data, value);
        QCOMPARE(o.font, srp ? srpFont(e.TxtFont) : alFont(e.TxtFont));
        QCOMPARE(o.xMagnification, int(e.TxtXSize));
        QCOMPARE(o.yMagnification, int(e.TxtYSize));
        QCOMPARE(o.reverse, srp ? (e.TxtRvs == 1 || e.TxtRvs == 3) : e.TxtRvs != 0);
        QCOMPARE(o.bold, srp && (e.TxtRvs == 2 || e.TxtRvs == 3));
    }
    QCOMPARE(d.objects.size(), n);
}

} // namespace

class TestLabelJobReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // CB / SS2 / SD20 / SW480 / SL320,24,G / SOT / B1... / T... / P2 of the 60 x 40 mm label.
    void srp770ReferenceLabel()
    {
        const LabelDescription d = LabelJobReader::read(
            lines({"CB", "SS2", "SD20", "SW480", "SL320,24,G", "SOT", "B140,80,7,2,5,80,0,1,'123'",
                   "T40,200,a,1,1,0,0,N,N,'AB'", "P2"}));
        QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
        QCOMPARE(d.language, QStringLiteral("srp770"));
        QCOMPARE(d.widthDots, 480);
        QCOMPARE(d.lengthDots, 320);
        QCOMPARE(d.widthMm(), 60.0);
        QCOMPARE(d.lengthMm(), 40.0);
        QCOMPARE(d.gapDots, 24);
        QCOMPARE(d.speed, 2);
        QCOMPARE(d.density, 20);
        QCOMPARE(d.blackMark, false);
        QCOMPARE(d.reversed, false);
        QCOMPARE(d.count, 2);
        QCOMPARE(d.firstLine, 1);
        QCOMPARE(d.lastLine, 9);
        QCOMPARE(d.objects.size(), 2);
        const LabelObject &b = d.objects[0];
        QVERIFY(b.isBarcode());
        QCOMPARE(b.x, 40);
        QCOMPARE(b.y, 80);
        QCOMPARE(b.symbology, Symbology::Ean13);
        QCOMPARE(b.symbologyCode, 7);
        QCOMPARE(b.narrow, 2);
        QCOMPARE(b.wide, 5);
        QCOMPARE(b.height, 80);
        QCOMPARE(b.readable, Readable::Below);
        QCOMPARE(b.data, QStringLiteral("123"));
        QCOMPARE(b.line, 7);
        QCOMPARE(b.source, QStringLiteral("B140,80,7,2,5,80,0,1,'123'"));
        const LabelObject &t = d.objects[1];
        QVERIFY(t.isText());
        QCOMPARE(t.x, 40);
        QCOMPARE(t.y, 200);
        QCOMPARE(t.font, QStringLiteral("a"));
        QCOMPARE(t.cellWidth, 16);
        QCOMPARE(t.cellHeight, 16);
        QVERIFY(t.koreanFont);
        QCOMPARE(t.xMagnification, 1);
        QCOMPARE(t.yMagnification, 1);
        QVERIFY(!t.reverse);
        QVERIFY(!t.bold);
        QCOMPARE(t.data, QStringLiteral("AB"));
        QCOMPARE(t.line, 8);
    }

    // The 28 x 35 mm AL-300 label with 8801234567893, 사과 and the fixed 가격, 3 labels.
    void al300ReferenceJob()
    {
        const LabelDescription d = LabelJobReader::read(lines({
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
        }));
        QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
        QCOMPARE(d.language, QStringLiteral("al300"));
        QCOMPARE(d.lengthUnits, 280);
        QCOMPARE(d.widthUnits, 350);
        QCOMPARE(d.lengthDots, 224);
        QCOMPARE(d.widthDots, 280);
        QCOMPARE(d.widthMm(), 35.0);
        QCOMPARE(d.lengthMm(), 28.0);
        QCOMPARE(d.count, 3);
        QCOMPARE(d.reversed, false);
        QCOMPARE(d.lastLine, 10);
        QCOMPARE(d.objects.size(), 3);
        const LabelObject &b = d.objects[0];
        QCOMPARE(b.symbology, Symbology::Ean13);
        QCOMPARE(b.symbologyCode, 7);
        QCOMPARE(b.yUnits, 110);
        QCOMPARE(b.xUnits, 80);
        QCOMPARE(b.y, 88);
        QCOMPARE(b.x, 64);
        QCOMPARE(b.ratio, 1);
        QCOMPARE(b.heightUnits, 80);
        QCOMPARE(b.height, 64);
        QCOMPARE(b.readable, Readable::Below);
        QCOMPARE(b.data, QStringLiteral("8801234567893"));
        QCOMPARE(b.line, 2);
        QCOMPARE(b.dataLine, 7);
        const LabelObject &t1 = d.objects[1];
        QCOMPARE(t1.font, QStringLiteral("J"));
        QCOMPARE(t1.cellWidth, 16);
        QCOMPARE(t1.cellHeight, 16);
        QVERIFY(t1.koreanFont);
        QCOMPARE(t1.yMagnification, 1);
        QCOMPARE(t1.xMagnification, 2);
        QCOMPARE(t1.y, 160);
        QCOMPARE(t1.x, 16);
        QCOMPARE(t1.data, QStringLiteral("사과"));
        const LabelObject &t2 = d.objects[2];
        QCOMPARE(t2.font, QStringLiteral("1"));
        QCOMPARE(t2.cellWidth, 16);
        QCOMPARE(t2.cellHeight, 24);
        QVERIFY(!t2.koreanFont);
        QCOMPARE(t2.data, QStringLiteral("가격"));
        QCOMPARE(t2.y, 48);
        QCOMPARE(t2.x, 112);
    }

    // Formats built here, printed through the station's job planner and read back.
    void roundTrip_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<FormatSet>("set");
        QTest::addColumn<int>("format");
        QTest::addColumn<RowData>("row");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("blackMark");

        const int srp = int(PrinterModel::SRP770), al = int(PrinterModel::AL300);
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[1];
            f.LblWidth = 60;
            f.LblLeng = 40;
            f.Bar[1] = barcode(10, 5, 8, 25, 10, 2);
            f.Txt[1] = text(25, 5, 5, 1, 1, 0);
            QTest::newRow("srp reference")
                << srp << s << 1 << rowData({"123"}, {"AB"}) << 2 << false;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[3];
            f.LblWidth = 100;
            f.LblLeng = 150;
            f.LblDegree = 1;
            f.Bar[1] = barcode(5, 3, 1, 37, 12, 1);   // Code39, above (prints none)
            f.Bar[2] = barcode(30, 4, 2, 0, 15, 0);   // Code128, widths not set
            f.Bar[3] = barcode(60, 6, 10, 19, 20, 2); // EAN128
            f.Txt[1] = text(80, 2, 1, 2, 3, 1);       // reverse
            f.Txt[2] = text(90, 2, 2, 1, 1, 2);       // bold
            f.Txt[3] = text(100, 2, 3, 4, 4, 3);      // reverse bold
            f.Txt[4] = text(110, 2, 4, 1, 2, 0, "고정");
            f.Txt[5] = text(120, 2, 6, 3, 1, 0, "", 8); // right-aligned in 8 bytes
            f.Txt[6] = text(130, 2, 0, 0, 0, 0);        // nothing set
            QTest::newRow("srp every kind, reversed, black mark")
                << srp << s << 3
                << rowData({"ABC-12", "Hello 128", "(01)08801234567893"},
                           {"가나다", "bold", "RB", "item 4", "500", "x"})
                << 999 << true;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[5];
            f.LblWidth = 80;
            f.LblLeng = 50;
            for (int b = 1; b <= 3; ++b)
                f.Bar[b] = barcode(5 + 12 * b, 2, 3 + b, 99, 8, 2); // I2of5, Codabar, Code93
            f.Bar[2].BarSelt = 0;                                   // not used
            f.Txt[10] = text(45, 70, 2, 1, 1, 0);
            f.Txt[9] = text(40, 1, 2, 1, 1, 0); // used but empty data: no line
            QTest::newRow("srp unused and empty elements")
                << srp << s << 5 << rowData({"1234567890", "A123B", "CODE93"}, {}) << 1 << false;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[2];
            f.LblWidth = 50;
            f.LblLeng = 30;
            f.Bar[1] = barcode(2, 2, 6, 11, 5, 2);
            f.Bar[2] = barcode(10, 2, 7, 22, 5, 0);
            f.Bar[3] = barcode(20, 2, 9, 0, 5, 2);
            QTest::newRow("srp UPC and EAN-8")
                << srp << s << 2 << rowData({"012345678905", "0123456", "1234567"}, {}) << 5
                << false;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[1];
            f.LblLeng = 280;
            f.LblWidth = 350;
            f.LblMode = 1;
            f.Bar[1] = barcode(110, 80, 7, 1, 80, 2);
            f.Txt[1] = text(200, 20, 2, 1, 2, 0);
            f.Txt[2] = text(60, 140, 1, 1, 1, 0, "가격");
            QTest::newRow("al reference")
                << al << s << 1 << rowData({"8801234567893"}, {"사과"}) << 3 << false;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[4];
            f.LblLeng = 1203; // not a whole number of dots
            f.LblWidth = 561;
            f.LblDegree = 1;
            f.Bar[1] = barcode(13, 7, 4, 9, 101, 1);   // Code39, above
            f.Bar[2] = barcode(250, 33, 5, 10, 95, 0); // NW7, ratio A
            f.Bar[2].BarString = QStringLiteral("A40156B");
            f.Bar[3] = barcode(500, 100, 8, 3, 150, 2);  // Code128
            f.Txt[1] = text(700, 11, 3, 9, 9, 1);        // Korean 24x24, 9x9, reverse
            f.Txt[2] = text(900, 21, 1, 2, 1, 0, "", 6); // right-aligned
            f.Txt[10] = text(1000, 555, 2, 1, 1, 0);
            QTest::newRow("al every kind, reversed")
                << al << s << 4 << rowData({"CODE 39", "ignored", "Abc-128"}, {"김치", "500"})
                << 9999 << false;
        }
        {
            FormatSet s;
            LabelFormat &f = s.Fmt[2];
            f.LblLeng = 400;
            f.LblWidth = 500;
            f.Bar[1] = barcode(10, 10, 1, 3, 100, 2);  // UPC-A
            f.Bar[2] = barcode(150, 10, 2, 4, 100, 2); // UPC-E
            f.Bar[3] = barcode(300, 10, 6, 1, 80, 0);  // EAN-8
            f.Bar[1].BarSelt = 0;
            f.Txt[3] = text(380, 10, 1, 1, 1, 0, "", 4); // right width, empty goods text: blanks
            QTest::newRow("al barcode 1 unused, blank text")
                << al << s << 2 << rowData({"012345678905", "0123456", "12345670"}, {}) << 1
                << false;
        }
    }

    void roundTrip()
    {
        QFETCH(int, model);
        QFETCH(FormatSet, set);
        QFETCH(int, format);
        QFETCH(RowData, row);
        QFETCH(int, count);
        QFETCH(bool, blackMark);

        const auto m = PrinterModel(model);
        const QString job =
            Printers::of(m).labelJob(set, format, row.barcodes, row.texts, count, blackMark);
        QVERIFY(!job.isEmpty());
        compareWithFormat(m, set, format, row, count, blackMark, LabelJobReader::read(job));
        // The same through readAll, and with LF line ends as an edited copy may have.
        const QList<LabelDescription> all = LabelJobReader::readAll(job);
        QCOMPARE(all.size(), 1);
        compareWithFormat(m, set, format, row, count, blackMark, all.first());
        QString lf = job;
        lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        compareWithFormat(m, set, format, row, count, blackMark, LabelJobReader::read(lf));
    }

    // A print --out file: several jobs one after another, each followed by an empty line.
    void severalJobs()
    {
        const QString srp1 = lines({"CB", "SS2", "SD20", "SW480", "SL320,24,G", "SOT",
                                    "T40,200,a,1,1,0,0,N,N,'첫째'", "P2"});
        const QString srp2 = lines({"CB", "SS2", "SD20", "SW400", "SL240,24,B", "SOB", "P7"});
        const QString al =
            lines({"{F001,0280,350;QELFF001|", "T01,I,000,0010,010,0101,K,0,0,W,D,0|", "}",
                   "{B001,0004,E,1,1,2,C;QELFB001|", "T01;셋째|", "}"});
        const QString text = srp1 + "\r\n" + srp2 + "\r\n" + al + "\r\n" + srp1;
        const QList<LabelDescription> jobs = LabelJobReader::readAll(text);
        QCOMPARE(jobs.size(), 4);
        for (const LabelDescription &d : jobs)
            QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
        QCOMPARE(jobs[0].count, 2);
        QCOMPARE(jobs[0].objects.first().data, QStringLiteral("첫째"));
        QCOMPARE(jobs[1].count, 7);
        QCOMPARE(jobs[1].widthDots, 400);
        QVERIFY(jobs[1].blackMark);
        QVERIFY(jobs[1].reversed);
        QVERIFY(jobs[1].objects.isEmpty());
        QCOMPARE(jobs[2].language, QStringLiteral("al300"));
        QCOMPARE(jobs[2].count, 4);
        QVERIFY(jobs[2].reversed);
        QVERIFY(jobs[2].objects.first().reverse);
        QCOMPARE(jobs[2].objects.first().data, QStringLiteral("셋째"));
        QCOMPARE(jobs[3].count, 2);
        // Line numbers count in the whole text.
        QCOMPARE(jobs[1].firstLine, 10);
        QCOMPARE(jobs[1].lastLine, 16);
        QCOMPARE(jobs[2].firstLine, 18);
        QCOMPARE(jobs[2].objects.first().line, 19);
        QCOMPARE(jobs[2].objects.first().dataLine, 22);
        QCOMPARE(jobs[3].firstLine, 25);
        // read() answers the first.
        QCOMPARE(LabelJobReader::read(text).count, 2);
    }

    // Jobs that are not what this program writes: every problem is listed with its line.
    void problems_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QStringList>("expected"); // parts of the problems, in order
        QTest::addColumn<int>("objects");          // objects still understood

        const char *head[] = {"CB", "SS2", "SD20", "SW480", "SL320,24,G", "SOT"};
        auto srp = [&head](std::initializer_list<const char *> body, bool withP = true) {
            QString out;
            for (const char *h : head)
                out += QString::fromLatin1(h) + "\r\n";
            for (const char *b : body)
                out += QString::fromUtf8(b) + "\r\n";
            if (withP)
                out += "P1\r\n";
            return out;
        };
        QTest::newRow("unknown command") << srp({"XY12", "T40,200,a,1,1,0,0,N,N,'AB'"})
                                         << QStringList{"7행", "알 수 없는 명령", "XY12"} << 1;
        QTest::newRow("malformed number") << srp({"T4x,200,a,1,1,0,0,N,N,'AB'"})
                                          << QStringList{"7행", "X", "숫자가 아닙니다", "4x"} << 0;
        QTest::newRow("too few fields")
            << srp({"B140,80,7,2,5,80,0,'123'"}) << QStringList{"7행", "항목 수가 7개"} << 0;
        QTest::newRow("unquoted data")
            << srp({"T40,200,a,1,1,0,0,N,N,AB"}) << QStringList{"7행", "작은따옴표"} << 0;
        QTest::newRow("unknown font")
            << srp({"T40,200,z,1,1,0,0,N,N,'AB'"}) << QStringList{"7행", "폰트", "\"z\""} << 0;
        QTest::newRow("unknown symbology") << srp({"B140,80,12,2,5,80,0,1,'123'"})
                                           << QStringList{"7행", "바코드 종류", "\"12\""} << 0;
        QTest::newRow("unknown reverse flag")
            << srp({"T40,200,a,1,1,0,0,X,N,'AB'"}) << QStringList{"7행", "음각", "\"X\""} << 0;
        QTest::newRow("rotation not written by this program")
            << srp({"B140,80,7,2,5,80,1,1,'123'"})
            << QStringList{"7행", "7번째 항목 \"1\"", "\"0\""} << 0;
        QTest::newRow("no count") << srp({"T40,200,a,1,1,0,0,N,N,'AB'"}, false)
                                  << QStringList{"발행 매수(P)"} << 1;
        QTest::newRow("no page set-up") << lines({"CB", "T40,200,a,1,1,0,0,N,N,'AB'", "P1"})
                                        << QStringList{"라벨 폭(SW)", "라벨 길이(SL)"} << 1;
        QTest::newRow("no CB") << lines({"SW480", "SL320,24,G", "P1"}) << QStringList{"1행", "CB"}
                               << 0;
        QTest::newRow("bad stock") << lines({"CB", "SW480", "SL320,24,Q", "P1"})
                                   << QStringList{"3행", "용지", "\"Q\""} << 0;
        QTest::newRow("bad direction") << lines({"CB", "SW480", "SL320,24,G", "SOX", "P1"})
                                       << QStringList{"4행", "인쇄 방향"} << 0;

        const char *alHead = "{F001,0280,350;QELFF001|";
        const char *alBatch = "{B001,0003,E,1,1,0,C;QELFB001|";
        QTest::newRow("al data without object")
            << lines({alHead, "B01,I,000,0110,080,1,7,0,80,2|", "}", alBatch, "B01;8801234567893|",
                      "T02;사과|", "}"})
            << QStringList{"6행", "맞는 개체가 없습니다", "T02;사과|"} << 1;
        QTest::newRow("al object without data")
            << lines({alHead, "B01,I,000,0110,080,1,7,0,80,2|",
                      "T02,I,000,0200,020,0102,J,0,0,B,D,0|", "}", alBatch, "T02;사과|", "}"})
            << QStringList{"2행", "B01", "데이터가 없습니다"} << 1;
        QTest::newRow("al malformed number")
            << lines({alHead, "B01,I,000,01x0,080,1,7,0,80,2|", "}", alBatch, "B01;1|", "}"})
            << QStringList{"2행", "Y", "숫자가 아닙니다", "5행", "맞는 개체가 없습니다"} << 0;
        QTest::newRow("al unknown ratio")
            << lines({alHead, "B01,I,000,0110,080,Z,7,0,80,2|", "}", alBatch, "B01;1|", "}"})
            << QStringList{"2행", "비율", "숫자가 아닙니다"} << 0;
        QTest::newRow("al no symbology")
            << lines({alHead, "B01,I,000,0110,080,1,0,0,80,2|", "}", alBatch, "B01;1|", "}"})
            << QStringList{"2행", "바코드 종류", "\"0\""} << 0;
        QTest::newRow("al no font")
            << lines({alHead, "T01,I,000,0110,080,0101,0,0,0,B,D,0|", "}", alBatch, "T01;x|", "}"})
            << QStringList{"2행", "폰트", "\"0\""} << 0;
        QTest::newRow("al bad magnification")
            << lines({alHead, "T01,I,000,0110,080,1,1,0,0,B,D,0|", "}", alBatch, "T01;x|", "}"})
            << QStringList{"2행", "배율"} << 0;
        QTest::newRow("al duplicate object")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,D,0|",
                      "T01,I,000,0120,080,0101,1,0,0,B,D,0|", "}", alBatch, "T01;x|", "}"})
            << QStringList{"3행", "T01", "두 번"} << 1;
        QTest::newRow("al unknown object line") << lines({alHead, "X01,I,000|", "}", alBatch, "}"})
                                                << QStringList{"2행", "알 수 없는 명령"} << 0;
        QTest::newRow("al record without bar")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,D,0", "}", alBatch, "T01;x|", "}"})
            << QStringList{"2행", "|로 끝나지"} << 0;
        QTest::newRow("al no data part")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,D,0|", "}"})
            << QStringList{"데이터 부분", "2행", "T01"} << 0;
        QTest::newRow("al format not closed")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,D,0|"})
            << QStringList{"닫히지", "데이터 부분"} << 0;
        QTest::newRow("al data part alone")
            << lines({alBatch, "T01;x|", "}"}) << QStringList{"1행", "포맷 부분", "맞는 개체"} << 0;
        QTest::newRow("al other format numbers")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,D,0|", "}",
                      "{B002,0003,E,1,1,0,C;QELFB002|", "T01;x|", "}"})
            << QStringList{"4행", "포맷 번호"} << 1;
        QTest::newRow("al constant field")
            << lines({alHead, "T01,I,000,0110,080,0101,1,0,0,B,X,0|", "}", alBatch, "T01;x|", "}"})
            << QStringList{"2행", "11번째 항목 \"X\"", "\"D\""} << 0;
        QTest::newRow("al bad direction")
            << lines({alHead, "}", "{B001,0003,E,1,1,1,C;QELFB001|", "}"})
            << QStringList{"3행", "인쇄 방향", "\"1\""} << 0;
        QTest::newRow("al download is no print job")
            << lines({"{N,D,001,F}"}) << QStringList{"1행", "인쇄 작업이 아닙니다"} << 0;
        QTest::newRow("empty text") << QString() << QStringList{"작업 내용이 없습니다"} << 0;
        // Numbers no label has are problems and read as the largest (99999; 99 for
        // magnifications and bar widths), never computed with.
        QTest::newRow("nine-digit width")
            << lines({"CB", "SW999999999", "SL320,24,G", "P1"})
            << QStringList{"2행", "라벨 폭 999999999", "너무 큽니다 (최대 99999)"} << 0;
        QTest::newRow("huge magnification") << srp({"T40,200,a,999999,1,0,0,N,N,'AB'"})
                                            << QStringList{"7행", "가로 배율", "최대 99"} << 0;
        QTest::newRow("huge bar width") << srp({"B140,80,7,123456,5,80,0,1,'123'"})
                                        << QStringList{"7행", "좁은 바 폭", "최대 99"} << 0;
        QTest::newRow("al nine-digit length")
            << lines({"{F001,999999999,350;QELFF001|", "}", alBatch, "}"})
            << QStringList{"1행", "라벨 길이", "너무 큽니다"} << 0;
        QTest::newRow("al nine-digit position")
            << lines({alHead, "B01,I,000,999999999,080,1,7,0,80,2|", "}", alBatch, "B01;1|", "}"})
            << QStringList{"2행", "Y", "너무 큽니다"} << 0;
    }

    void problems()
    {
        QFETCH(QString, job);
        QFETCH(QStringList, expected);
        QFETCH(int, objects);

        const LabelDescription d = LabelJobReader::read(job);
        const QString all = d.problems.join('\n');
        qsizetype from = 0;
        for (const QString &part : expected) {
            const qsizetype at = all.indexOf(part, from);
            QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" not in:\n%2").arg(part, all)));
            from = at;
        }
        QCOMPARE(d.objects.size(), objects);
        QVERIFY(d.widthDots <= 99999 && d.lengthDots <= 99999 && d.count <= 99999);
    }

    // Random damage to real jobs never crashes the reader and always reports something.
    void garbledJobs()
    {
        const QString srp =
            lines({"CB", "SS2", "SD20", "SW480", "SL320,24,G", "SOT", "B140,80,7,2,5,80,0,1,'123'",
                   "T40,200,a,1,1,0,0,N,N,'AB'", "P2"});
        const QString al =
            lines({"{F001,0280,350;QELFF001|", "B01,I,000,0110,080,1,7,0,80,2|",
                   "T02,I,000,0200,020,0102,J,0,0,B,D,0|", "}", "{B001,0003,E,1,1,0,C;QELFB001|",
                   "B01;8801234567893|", "T02;사과|", "}"});
        const QString alphabet = QStringLiteral(",;|{}'\r\nBTP0129aZ가");
        QRandomGenerator rng(20240611);
        int reported = 0;
        for (int round = 0; round < 2000; ++round) {
            QString job = round % 2 ? srp : al;
            const int edits = 1 + int(rng.bounded(4));
            for (int e = 0; e < edits; ++e) {
                const int at = int(rng.bounded(job.size()));
                switch (rng.bounded(3)) {
                case 0:
                    job.remove(at, 1 + int(rng.bounded(5)));
                    break;
                case 1:
                    job.insert(at, alphabet[int(rng.bounded(alphabet.size()))]);
                    break;
                default:
                    job[at] = alphabet[int(rng.bounded(alphabet.size()))];
                    break;
                }
            }
            const QList<LabelDescription> jobs = LabelJobReader::readAll(job);
            bool any = false;
            for (const LabelDescription &d : jobs)
                any = any || !d.problems.isEmpty();
            reported += any;
        }
        // Most damage is noticed (a changed digit in a number can still be a number).
        QVERIFY2(reported > 1700, qPrintable(QString::number(reported)));
    }

    void mappings_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("al300");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("korean");

        addRowT("srp 0", "0", false, 9, 15, false);
        addRowT("srp 1", "1", false, 12, 20, false);
        addRowT("srp 2", "2", false, 16, 25, false);
        addRowT("srp 3", "3", false, 19, 30, false);
        addRowT("srp a", "a", false, 16, 16, true);
        addRowT("srp b", "b", false, 24, 24, true);
        addRowT("al 1", "1", true, 16, 24, false);
        addRowT("al J", "J", true, 16, 16, true);
        addRowT("al K", "K", true, 24, 24, true);
    }

    void mappings()
    {
        QFETCH(QString, code);
        QFETCH(bool, al300);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, korean);
        int w = 0, h = 0;
        bool k = false;
        QVERIFY(al300 ? Printers::al300().fontCell(code, &w, &h, &k)
                      : Printers::srp770().fontCell(code, &w, &h, &k));
        QCOMPARE(w, width);
        QCOMPARE(h, height);
        QCOMPARE(k, korean);
    }

    void unknownCodes()
    {
        int w = 0, h = 0;
        bool k = false;
        QVERIFY(!Printers::srp770().fontCell("4", &w, &h, &k));
        QVERIFY(!Printers::al300().fontCell("0", &w, &h, &k));
        QVERIFY(!Printers::al300().fontCell("a", &w, &h, &k));
        QVERIFY(!Al300Driver::ratioBars(0, &w, &h));
        QVERIFY(!Al300Driver::ratioBars(11, &w, &h));
        QCOMPARE(Printers::srp770().symbologyOfCode(10), Symbology::Unknown);
        QCOMPARE(Printers::al300().symbologyOfCode(0), Symbology::Unknown);
        QCOMPARE(Printers::al300().symbologyOfCode(9), Symbology::Unknown);
        // Every ratio code has a narrow bar narrower than its wide bar.
        for (int code = 1; code <= 10; ++code) {
            QVERIFY(Al300Driver::ratioBars(code, &w, &h));
            QVERIFY(w >= 1 && h > w);
        }
    }

private:
    static void addRowT(const char *name, const char *code, bool al, int w, int h, bool k)
    {
        QTest::newRow(name) << QString::fromLatin1(code) << al << w << h << k;
    }
};

QTEST_GUILESS_MAIN(TestLabelJobReader)
#include "test_labeljobreader.moc"
