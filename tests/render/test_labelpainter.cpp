// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/labeljob.h"
#include "printers/labeljobreader.h"
#include "render/barcodesymbol.h"
#include "render/labelpainter.h"

#include "printers/printers.h"
#include "support/labeltools.h"

#include <QPainter>
#include <QtTest>

using namespace LabelTools;
using Symbology = LabelObject::Symbology;
using Readable = LabelObject::Readable;

Q_DECLARE_METATYPE(LabelObject)

namespace {

// The label of one barcode printed through the station's job text: 80 x 30 mm (SRP-770) or
// 80.0 x 30.0 mm (AL-300), the barcode at 5 mm / 5 mm, 15 mm high, digits below.
LabelDescription barcodeLabel(PrinterModel model, int barCode, int den, const QString &data)
{
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    BarcodeElement &b = f.Bar[1];
    b.BarSelt = 1;
    b.BarCode = qint16(barCode);
    b.BarDen = qint16(den);
    b.BarHmRead = 2;
    const int unit = model == PrinterModel::SRP770 ? 1 : 10;
    f.LblWidth = 80 * unit;
    f.LblLeng = 30 * unit;
    b.BarXx = 5 * unit;
    b.BarYy = 5 * unit;
    b.BarHeight = 15 * unit;
    std::array<QString, 4> barcodes;
    barcodes[1] = data;
    return LabelJobReader::read(Printers::of(model).labelJob(set, 1, barcodes, {}, 1, false));
}

LabelDescription blankLabel(int width = 480, int length = 320)
{
    LabelDescription d;
    d.widthDots = d.widthUnits = width;
    d.lengthDots = d.lengthUnits = length;
    d.count = 1;
    return d;
}

LabelObject textObject(int x, int y, const QString &data, const QString &font = "a", int xm = 1,
                       int ym = 1)
{
    LabelObject o;
    o.kind = LabelObject::Kind::Text;
    o.x = x;
    o.y = y;
    o.font = font;
    Printers::srp770().fontCell(font, &o.cellWidth, &o.cellHeight, &o.koreanFont);
    o.xMagnification = xm;
    o.yMagnification = ym;
    o.data = data;
    return o;
}

LabelObject barcodeObject(int x, int y, Symbology s, const QString &data, int narrow = 2,
                          int wide = 5, int height = 80, Readable r = Readable::None)
{
    LabelObject o;
    o.kind = LabelObject::Kind::Barcode;
    o.x = x;
    o.y = y;
    o.symbology = s;
    o.narrow = narrow;
    o.wide = wide;
    o.height = height;
    o.readable = r;
    o.data = data;
    return o;
}

// The picture at 203 dpi: one pixel per dot.
QImage at203(const LabelDescription &d, QStringList *problems = nullptr)
{
    return LabelPainter::render(d, 203, problems);
}

} // namespace

class TestLabelPainter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every symbology the stations offer, printed and decoded by a barcode reader.
    void barcodesDecode_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("barCode");
        QTest::addColumn<int>("den");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QStringList>("decoded"); // any of these

        const int srp = int(PrinterModel::SRP770), al = int(PrinterModel::AL300);
        auto row = [](const char *name, int model, int code, int den, const char *data,
                      QStringList decoded) {
            QTest::newRow(name) << model << code << den << QString::fromLatin1(data) << decoded;
        };
        row("srp EAN-13", srp, 8, 25, "8801234567893", {"EAN-13:8801234567893"});
        row("srp EAN-13 without check digit", srp, 8, 30, "880123456789", {"EAN-13:8801234567893"});
        row("srp EAN-13 module 3", srp, 8, 37, "4006381333931", {"EAN-13:4006381333931"});
        row("srp EAN-8", srp, 9, 25, "12345670", {"EAN-8:12345670"});
        row("srp EAN-8 seven digits", srp, 9, 25, "9638507", {"EAN-8:96385074"});
        row("srp UPC-A", srp, 6, 25, "012345678905",
            {"UPC-A:012345678905", "EAN-13:0012345678905"});
        row("srp UPC-E", srp, 7, 25, "01234565", {"UPC-E:01234565", "EAN-13:0012345000065"});
        row("srp Code39", srp, 1, 25, "ABC-123", {"CODE-39:ABC-123"});
        row("srp Code39 narrow 1 wide 3", srp, 1, 13, "CODE 39", {"CODE-39:CODE 39"});
        row("srp Code128", srp, 2, 25, "Label 128", {"CODE-128:Label 128"});
        row("srp I2of5", srp, 3, 26, "1234567890", {"I2/5:1234567890"});
        row("srp I2of5 wide 5", srp, 3, 25, "00123456", {"I2/5:00123456"});
        row("srp Codabar", srp, 4, 26, "A40156B", {"Codabar:A40156B"});
        row("srp Code93", srp, 5, 25, "CODE93", {"CODE-93:CODE93"});
        row("srp EAN-128", srp, 10, 25, "(01)08801234567893",
            {"CODE-128:0108801234567893",
             "CODE-128:\x1d"
             "0108801234567893",
             "GS1-128:0108801234567893"});
        row("al EAN-13", al, 7, 1, "8801234567893", {"EAN-13:8801234567893"});
        row("al EAN-8", al, 6, 1, "12345670", {"EAN-8:12345670"});
        row("al UPC-A", al, 1, 3, "012345678905", {"UPC-A:012345678905", "EAN-13:0012345678905"});
        row("al Code39", al, 4, 9, "ABC-123", {"CODE-39:ABC-123"});
        row("al Code128", al, 8, 9, "Label 128", {"CODE-128:Label 128"});
        row("al I2of5", al, 3, 6, "1234567890", {"I2/5:1234567890"});
        row("al NW7", al, 5, 1, "A40156B", {"Codabar:A40156B"});
    }

    void barcodesDecode()
    {
        QFETCH(int, model);
        QFETCH(int, barCode);
        QFETCH(int, den);
        QFETCH(QString, data);
        QFETCH(QStringList, decoded);

        const LabelDescription d = barcodeLabel(PrinterModel(model), barCode, den, data);
        QVERIFY2(d.problems.isEmpty(), qPrintable(d.problems.join('\n')));
        QStringList problems;
        const QImage image = LabelPainter::render(d, 406, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const QStringList found = decode(image);
        QCOMPARE(found.size(), 1);
        QVERIFY2(decoded.contains(found.first()), qPrintable(found.first()));
    }

    // Bar widths: the narrow width is the module of EAN-13 (95 modules); Code 39 characters
    // have 3 wide and 6 narrow elements plus a narrow gap.
    void barWidths_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("narrow");
        QTest::addColumn<int>("wide");
        QTest::addColumn<int>("width");

        QTest::newRow("EAN-13 module 2")
            << int(Symbology::Ean13) << "8801234567893" << 2 << 5 << 190;
        QTest::newRow("EAN-13 module 3")
            << int(Symbology::Ean13) << "8801234567893" << 3 << 9 << 285;
        // "*A*": 3 characters of (3 wide + 6 narrow) and 2 gaps.
        QTest::newRow("Code39 2:5")
            << int(Symbology::Code39) << "A" << 2 << 5 << 3 * (15 + 12) + 2 * 2;
        QTest::newRow("Code39 1:3") << int(Symbology::Code39) << "A" << 1 << 3 << 3 * (9 + 6) + 2;
        // Start (4 narrow), 2 digits (2 wide + 8 narrow), stop (wide bar, 2 narrow).
        QTest::newRow("I2of5 2:6")
            << int(Symbology::I2of5) << "12" << 2 << 6 << 4 * 2 + (24 + 12) + (6 + 4);
    }

    void barWidths()
    {
        QFETCH(int, symbology);
        QFETCH(QString, data);
        QFETCH(int, narrow);
        QFETCH(int, wide);
        QFETCH(int, width);

        LabelDescription d = blankLabel(600, 200);
        d.objects << barcodeObject(40, 40, Symbology(symbology), data, narrow, wide, 80);
        const QImage image = at203(d);
        const QRect bars = darkBounds(image, QRect(1, 1, 598, 198));
        QCOMPARE(bars.left(), 40);
        QCOMPARE(bars.top(), 40);
        QCOMPARE(bars.height(), 80);
        QCOMPARE(bars.width(), width);
        QCOMPARE(BarcodeSymbol::make(Symbology(symbology), data, narrow, wide).width, width);
    }

    // The readable line goes above or below the bars, or nowhere.
    void readableLine_data()
    {
        QTest::addColumn<int>("readable");
        QTest::addColumn<bool>("above");
        QTest::addColumn<bool>("below");
        QTest::newRow("none") << int(Readable::None) << false << false;
        QTest::newRow("above") << int(Readable::Above) << true << false;
        QTest::newRow("below") << int(Readable::Below) << false << true;
    }

    void readableLine()
    {
        QFETCH(int, readable);
        QFETCH(bool, above);
        QFETCH(bool, below);
        LabelDescription d = blankLabel(400, 300);
        d.objects << barcodeObject(40, 60, Symbology::Ean13, "8801234567893", 2, 5, 100,
                                   Readable(readable));
        const QImage image = at203(d);
        // The bars start at y 60 (above: after the line) and are 100 dots high; the first
        // bar of the start guard is at x 40.
        const int barsTop = above ? 60 + 16 + 2 : 60;
        const QRect firstBar = darkBounds(image, QRect(40, 1, 1, 298));
        QCOMPARE(firstBar.top(), barsTop);
        QCOMPARE(firstBar.height(), 100);
        QVERIFY(darkPixels(image, QRect(40, barsTop, 190, 100)) > 190 * 100 / 3);
        QCOMPARE(darkPixels(image, QRect(40, barsTop - 18, 190, 16)) > 100, above);
        QCOMPARE(darkPixels(image, QRect(40, barsTop + 102, 190, 16)) > 100, below);
        // Nothing else: above the element and below its line the label is blank.
        QCOMPARE(darkPixels(image, QRect(1, 1, 398, 59)), 0);
        QCOMPARE(darkPixels(image, QRect(1, barsTop + 120, 398, 298 - barsTop - 120)), 0);
    }

    // A Hangul text puts dark pixels in its cells and nowhere else; reverse, bold and
    // magnification change them as printed.
    void hangulText()
    {
        const LabelDescription blank = blankLabel();
        LabelDescription d = blank;
        d.objects << textObject(40, 100, QStringLiteral("사과"), "a", 2, 2); // 2 x 32 by 32 dots
        const QImage before = at203(blank);
        const QImage after = at203(d);
        const QRect cells(40, 100, 64, 32);
        QCOMPARE(darkPixels(before, cells), 0);
        const int dark = darkPixels(after, cells);
        QVERIFY2(dark > 64 * 32 / 8, qPrintable(QString::number(dark)));
        const QRect inner(1, 1, 478, 318);
        const QRect b = darkBounds(after, inner);
        QVERIFY2(cells.adjusted(-1, -1, 1, 1).contains(b), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                          .arg(b.x())
                                                                          .arg(b.y())
                                                                          .arg(b.width())
                                                                          .arg(b.height())));
        // Both syllables are drawn: the left and the right cell have ink.
        QVERIFY(darkPixels(after, QRect(40, 100, 32, 32)) > 50);
        QVERIFY(darkPixels(after, QRect(72, 100, 32, 32)) > 50);
        // The glyphs fill most of their cells.
        QVERIFY2(b.width() > 50 && b.height() > 22, qPrintable(QString::number(b.width())));
    }

    void textStyles_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("data");
        QTest::addColumn<int>("xm");
        QTest::addColumn<int>("ym");
        QTest::addColumn<int>("width"); // dots the cells take
        QTest::addColumn<int>("height");
        QTest::newRow("English 9x15") << "0"
                                      << "AB12" << 1 << 1 << 36 << 15;
        QTest::newRow("English 19x30 magnified 2x1") << "3"
                                                     << "AB" << 2 << 1 << 76 << 30;
        QTest::newRow("Korean 24x24, ASCII half cells") << "b"
                                                        << "가A1" << 1 << 3 << 48 << 72;
        QTest::newRow("Korean 16x16 magnified 3x2") << "a"
                                                    << "김치" << 3 << 2 << 96 << 32;
        QTest::newRow("magnification 0 prints as 1") << "1"
                                                     << "XY" << 0 << 0 << 24 << 20;
    }

    void textStyles()
    {
        QFETCH(QString, font);
        QFETCH(QString, data);
        QFETCH(int, xm);
        QFETCH(int, ym);
        QFETCH(int, width);
        QFETCH(int, height);

        LabelDescription normal = blankLabel();
        normal.objects << textObject(20, 20, data, font, xm, ym);
        const QImage plain = at203(normal);
        const QRect cells(20, 20, width, height);
        const QRect b = darkBounds(plain, QRect(1, 1, 478, 318));
        QVERIFY(!b.isNull());
        QVERIFY2(cells.adjusted(-1, -1, 1, 1).contains(b),
                 qPrintable(QStringLiteral("%1 %2x%3").arg(b.x()).arg(b.width()).arg(b.height())));
        QVERIFY2(b.width() > width * 0.7, qPrintable(QString::number(b.width())));
        QVERIFY2(b.height() > height * 0.6, qPrintable(QString::number(b.height())));

        LabelDescription bold = normal;
        bold.objects[0].bold = true;
        QVERIFY(darkPixels(at203(bold), cells) > darkPixels(plain, cells));

        LabelDescription reverse = normal;
        reverse.objects[0].reverse = true;
        const QImage white = at203(reverse);
        // White on black: the cells are mostly dark, with light letters.
        QVERIFY(darkPixels(white, cells) > width * height * 6 / 10);
        QVERIFY(darkPixels(white, cells) < width * height);
    }

    // A reversed label is printed turned by 180 degrees.
    void printDirection()
    {
        LabelDescription d = blankLabel(480, 320);
        d.objects << textObject(16, 16, QStringLiteral("가"), "b"); // 24 x 24 at the top left
        const QImage normal = at203(d);
        QVERIFY(darkPixels(normal, QRect(16, 16, 24, 24)) > 40);
        QCOMPARE(darkPixels(normal, QRect(440, 280, 24, 24)), 0);
        d.reversed = true;
        const QImage turned = at203(d);
        QCOMPARE(darkPixels(turned, QRect(16, 16, 24, 24)), 0);
        QVERIFY(darkPixels(turned, QRect(440, 280, 24, 24)) > 40);
        // Turned, not mirrored: each pixel lands at the opposite corner.
        for (int y = 16; y < 40; ++y)
            for (int x = 16; x < 40; ++x)
                QCOMPARE(isDark(turned.pixel(479 - x, 319 - y)), isDark(normal.pixel(x, y)));
    }

    void pictureSize_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QSize>("size");
        QTest::newRow("203 dpi, one pixel per dot") << 203.0 << QSize(480, 320);
        QTest::newRow("203.2 dpi") << 203.2 << QSize(480, 320);
        QTest::newRow("406 dpi") << 406.0 << QSize(960, 640);
        QTest::newRow("300 dpi") << 300.0 << QSize(709, 473);
    }

    void pictureSize()
    {
        QFETCH(double, dpi);
        QFETCH(QSize, size);
        const QImage image = LabelPainter::render(blankLabel(), dpi);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.pixel(image.width() / 2, image.height() / 2), qRgb(255, 255, 255));
        QVERIFY(qAbs(image.dotsPerMeterX() - dpi / 0.0254) < 1);
    }

    // A picture beyond the limits is not made (it would take seconds and gigabytes).
    void pictureTooLarge_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("length");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<bool>("made");
        QTest::newRow("500 mm square at 1200 dpi") << 4000 << 4000 << 1200.0 << false;
        QTest::newRow("500 mm square at 203 dpi") << 4000 << 4000 << 203.0 << true;
        QTest::newRow("largest side at 203 dpi") << 99999 << 80 << 203.0 << false;
        QTest::newRow("a long roll") << 480 << 20000 << 203.0 << true;
    }
    void pictureTooLarge()
    {
        QFETCH(int, width);
        QFETCH(int, length);
        QFETCH(double, dpi);
        QFETCH(bool, made);
        QStringList problems;
        QString why;
        QCOMPARE(LabelPainter::pictureSize(blankLabel(width, length), dpi, &why).isEmpty(), !made);
        const QImage image = LabelPainter::render(blankLabel(width, length), dpi, &problems);
        QCOMPARE(image.isNull(), !made);
        QCOMPARE(problems.join(' ').contains("그림이 너무 큽니다"), !made);
        QCOMPARE(why.isEmpty(), made);
    }

    // Drawing into any rectangle keeps the label's proportions and centres it.
    void paintFitsTarget()
    {
        LabelDescription d = blankLabel(480, 320); // 3:2
        d.objects << barcodeObject(40, 40, Symbology::Code128, "FIT", 2, 5, 240);
        QImage canvas(1000, 500, QImage::Format_RGB32);
        canvas.fill(QColor(0x80, 0x80, 0xF0));
        QPainter p(&canvas);
        LabelPainter::paint(p, d, QRectF(100, 50, 800, 400));
        p.end();
        // 400 high -> 600 wide, centred in 800: x 200..800.
        QCOMPARE(canvas.pixel(190, 250), qRgb(0x80, 0x80, 0xF0));
        QCOMPARE(canvas.pixel(810, 250), qRgb(0x80, 0x80, 0xF0));
        QCOMPARE(canvas.pixel(790, 440), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(215, 60), qRgb(255, 255, 255));
        // The barcode starts 40 dots (50 px) inside the label.
        const QRect bars = darkBounds(canvas, QRect(205, 55, 590, 390));
        QVERIFY2(qAbs(bars.left() - 250) <= 1 && qAbs(bars.top() - 100) <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(bars.left()).arg(bars.top())));
    }

    // What cannot be printed as designed is listed and marked red.
    void problems_data()
    {
        QTest::addColumn<LabelObject>("object");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("text beyond the width")
            << textObject(460, 10, "ABC", "1") << QStringList{"텍스트 \"ABC\"", "라벨 밖"};
        QTest::newRow("text beyond the length")
            << textObject(10, 310, QStringLiteral("가"), "a") << QStringList{"라벨 밖"};
        QTest::newRow("barcode beyond the width")
            << barcodeObject(400, 10, Symbology::Ean13, "8801234567893")
            << QStringList{"EAN-13", "라벨 밖"};
        QTest::newRow("barcode too high")
            << barcodeObject(10, 10, Symbology::Code128, "X", 2, 5, 400)
            << QStringList{"Code 128", "라벨 밖"};
        QTest::newRow("letters in EAN-13")
            << barcodeObject(10, 10, Symbology::Ean13, "88012A4567893")
            << QStringList{"EAN-13", "88012A4567893", "숫자"};
        QTest::newRow("EAN-13 check digit")
            << barcodeObject(10, 10, Symbology::Ean13, "8801234567890")
            << QStringList{"EAN-13", "체크 디지트", "3"};
        QTest::newRow("EAN-13 too short")
            << barcodeObject(10, 10, Symbology::Ean13, "123") << QStringList{"12~13자리"};
        QTest::newRow("EAN-8 check digit") << barcodeObject(10, 10, Symbology::Ean8, "12345678")
                                           << QStringList{"EAN-8", "체크 디지트"};
        QTest::newRow("UPC-A check digit") << barcodeObject(10, 10, Symbology::UpcA, "012345678900")
                                           << QStringList{"UPC-A", "체크 디지트"};
        QTest::newRow("Hangul in Code39")
            << barcodeObject(10, 10, Symbology::Code39, QStringLiteral("사과"))
            << QStringList{"Code 39", "쓸 수 없는 문자"};
        QTest::newRow("a character Code39 lacks")
            << barcodeObject(10, 10, Symbology::Code39, "AB#C")
            << QStringList{"Code 39", "만들 수 없는"};
        QTest::newRow("Codabar without start and stop")
            << barcodeObject(10, 10, Symbology::Codabar, "40156")
            << QStringList{"Codabar", "만들 수 없는"};
        QTest::newRow("I2of5 letters")
            << barcodeObject(10, 10, Symbology::I2of5, "12AB") << QStringList{"I 2of5", "숫자"};
        QTest::newRow("EAN-128 without AI")
            << barcodeObject(10, 10, Symbology::Ean128, "0108801234567893")
            << QStringList{"EAN-128", "(AI)"};
        QTest::newRow("EAN-128 unknown AI") << barcodeObject(10, 10, Symbology::Ean128, "(99999)1")
                                            << QStringList{"EAN-128", "만들 수 없는"};
        QTest::newRow("no bar width")
            << barcodeObject(10, 10, Symbology::Code128, "X", 0) << QStringList{"바 폭"};
        QTest::newRow("Hangul in an English font")
            << textObject(10, 10, QStringLiteral("사과"), "1")
            << QStringList{"영문 폰트 1", "한글"};
        LabelObject unknown = textObject(10, 10, "X", "1");
        unknown.cellWidth = unknown.cellHeight = 0;
        unknown.font = "Q";
        QTest::newRow("unknown font") << unknown << QStringList{"알 수 없는 폰트", "\"Q\""};
    }

    void problems()
    {
        QFETCH(LabelObject, object);
        QFETCH(QStringList, expected);

        LabelDescription d = blankLabel();
        d.problems << QStringLiteral("7행: reader's own");
        object.line = 12;
        d.objects << object;
        QStringList problems;
        const QImage image = at203(d, &problems);
        QCOMPARE(problems.size(), 2);
        QCOMPARE(problems.first(), QStringLiteral("7행: reader's own"));
        QVERIFY(problems.last().startsWith(QStringLiteral("12행: ")));
        for (const QString &part : expected)
            QVERIFY2(problems.last().contains(part), qPrintable(problems.last()));
        QVERIFY2(redPixels(image) > 20, "no red mark");
        QCOMPARE(LabelPainter::problems(d), problems);

        // paint() lists the same.
        QImage canvas(200, 200, QImage::Format_RGB32);
        QPainter p(&canvas);
        QStringList painted;
        LabelPainter::paint(p, d, QRectF(0, 0, 200, 200), &painted);
        QCOMPARE(painted, problems);
    }

    // A label that prints as designed has no red anywhere.
    void goodLabelHasNoMark()
    {
        LabelDescription d = blankLabel();
        d.objects << barcodeObject(40, 40, Symbology::Ean13, "8801234567893", 2, 5, 80,
                                   Readable::Below);
        d.objects << textObject(40, 200, QStringLiteral("사과 1,000원"), "a");
        QStringList problems;
        const QImage image = at203(d, &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(redPixels(image), 0);
    }

    // A label without a size still shows its objects, in a dashed red outline.
    void missingSize()
    {
        LabelDescription d = blankLabel(0, 0);
        d.objects << textObject(40, 40, "A", "3");
        QStringList problems;
        const QImage image = at203(d, &problems);
        QCOMPARE(problems, (QStringList{"라벨 폭이 0입니다", "라벨 길이가 0입니다"}));
        QVERIFY(image.width() >= 80 && image.height() >= 80);
        QVERIFY(darkPixels(image, QRect(40, 40, 19, 30)) > 20);
        QVERIFY(redPixels(image) > 20);
        LabelDescription empty;
        QVERIFY(!LabelPainter::render(empty, 203).isNull());
    }

    // Encoded symbols are kept: drawing the same label again encodes nothing new.
    void symbolsAreCached()
    {
        BarcodeSymbol::clearCache();
        LabelDescription d = blankLabel();
        d.objects << barcodeObject(40, 40, Symbology::Code128, "CACHE-1");
        d.objects << barcodeObject(40, 140, Symbology::Code39, "CACHE-2");
        at203(d);
        QCOMPARE(BarcodeSymbol::cachedCount(), 2);
        at203(d);
        QCOMPARE(BarcodeSymbol::cachedCount(), 2);
    }
};

QTEST_MAIN(TestLabelPainter)
#include "test_labelpainter.moc"
