// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/labeljob.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "render/barcodesymbol.h"
#include "render/labelpainter.h"
#include "render/scancheck.h"

#include <QtTest>

using Symbology = LabelObject::Symbology;
using Verdict = ScanResult::Verdict;
using Cause = ScanResult::Cause;

namespace {

// A label of the station's own job text: 80 x 30 mm, barcode 1 at 5 mm / 5 mm, 15 mm high,
// digits below; `edit` changes the format before the job is built. Lengths are given in
// millimetres for both models.
struct Design {
    PrinterModel model = PrinterModel::SRP770;
    int code = 8;
    int den = 25;
    QString data = QStringLiteral("8801234567893");
    QString data2; // barcode 2, when the edit puts one
    int x = 5, y = 5, height = 15, width = 80;
    std::function<void(LabelFormat &, std::array<QString, 11> &)> edit;

    LabelDescription label() const
    {
        const int u = model == PrinterModel::AL300 ? 10 : 1;
        FormatSet set;
        LabelFormat &f = set.Fmt[1];
        f.LblWidth = width * u;
        f.LblLeng = 30 * u;
        BarcodeElement &b = f.Bar[1];
        b.BarSelt = 1;
        b.BarCode = qint16(code);
        b.BarDen = qint16(den);
        b.BarHmRead = 2;
        b.BarXx = x * u;
        b.BarYy = y * u;
        b.BarHeight = height * u;
        std::array<QString, 4> barcodes;
        std::array<QString, 11> texts;
        barcodes[1] = data;
        barcodes[2] = data2;
        if (edit)
            edit(f, texts);
        return LabelJobReader::read(
            Printers::of(model).labelJob(set, 1, barcodes, texts, 1, false));
    }
};

// Text t of the format at (x, y) mm in the SRP-770's Korean 24x24 font, magnified.
void putText(LabelFormat &f, std::array<QString, 11> &texts, int t, int x, int y,
             const QString &text, int magnification = 1)
{
    TextElement &e = f.Txt[t];
    e.TxtSelt = 1;
    e.TxtFont = 6;
    e.TxtXx = x;
    e.TxtYy = y;
    e.TxtXSize = e.TxtYSize = qint16(magnification);
    texts[t] = text;
}

Design srp(int code, int den, const char *data)
{
    Design d;
    d.code = code;
    d.den = den;
    d.data = QString::fromLatin1(data);
    return d;
}

Design al(int code, int ratio, const char *data)
{
    Design d = srp(code, ratio, data);
    d.model = PrinterModel::AL300;
    return d;
}

} // namespace

Q_DECLARE_METATYPE(Design)

class TestScanCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every symbology of both printers, at their usual bar widths, scans with its data.
    void everySymbologyScans_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("read"); // as the scanner returns it
        QTest::newRow("srp Code39") << srp(1, 25, "ABC-123") << "ABC-123";
        QTest::newRow("srp Code128") << srp(2, 25, "Label 128") << "Label 128";
        QTest::newRow("srp I2of5 odd length") << srp(3, 26, "12345") << "012345";
        QTest::newRow("srp Codabar") << srp(4, 26, "A40156B") << "A40156B";
        QTest::newRow("srp Code93") << srp(5, 25, "Code93x") << "Code93x";
        QTest::newRow("srp UPC-A 11 digits") << srp(6, 25, "01234567890") << "012345678905";
        QTest::newRow("srp UPC-E 6 digits") << srp(7, 25, "123456") << "01234565";
        QTest::newRow("srp EAN-13 12 digits") << srp(8, 25, "880123456789") << "8801234567893";
        QTest::newRow("srp EAN-13 module 3") << srp(8, 37, "4006381333931") << "4006381333931";
        QTest::newRow("srp EAN-8 7 digits") << srp(9, 25, "9638507") << "96385074";
        QTest::newRow("srp EAN-128")
            << srp(10, 25, "(01)08801234567893(10)AB1") << "010880123456789310AB1";
        QTest::newRow("al UPC-A") << al(1, 1, "012345678905") << "012345678905";
        QTest::newRow("al UPC-E") << al(2, 1, "01234565") << "01234565";
        QTest::newRow("al I2of5") << al(3, 6, "1234567890") << "1234567890";
        QTest::newRow("al Code39") << al(4, 9, "ABC-123") << "ABC-123";
        QTest::newRow("al NW7") << al(5, 1, "A40156B") << "A40156B";
        QTest::newRow("al EAN-8") << al(6, 1, "12345670") << "12345670";
        QTest::newRow("al EAN-13") << al(7, 1, "8801234567893") << "8801234567893";
        QTest::newRow("al Code128") << al(8, 9, "Label 128") << "Label 128";
        QTest::newRow("al Code128 ratio 3") << al(8, 3, "ABC-1") << "ABC-1";
        Design reversed = srp(8, 25, "8801234567893");
        reversed.edit = [](LabelFormat &f, std::array<QString, 11> &) { f.LblDegree = 1; };
        QTest::newRow("reversed label") << reversed << "8801234567893";
        Design withText = srp(2, 25, "ABC");
        withText.edit = [](LabelFormat &f, std::array<QString, 11> &t) {
            putText(f, t, 1, 5, 22, QStringLiteral("사과 1,000원")); // below the digits
        };
        QTest::newRow("text below the digits") << withText << "ABC";
        // Only the barcode's surroundings are drawn: a label of 999 mm x 9999 mm (8 x 80
        // thousand dots, 2.5 GB as one picture) is checked like a small one.
        Design huge = srp(8, 25, "8801234567893");
        huge.width = 999;
        huge.edit = [](LabelFormat &f, std::array<QString, 11> &) { f.LblLeng = 9999; };
        QTest::newRow("label of 999 x 9999 mm") << huge << "8801234567893";
    }

    void everySymbologyScans()
    {
        QFETCH(Design, design);
        QFETCH(QString, read);
        const LabelDescription label = design.label();
        QVERIFY2(LabelPainter::problems(label).isEmpty(),
                 qPrintable(LabelPainter::problems(label).join('\n')));
        const QList<ScanResult> results = ScanCheck::run(label);
        QCOMPARE(results.size(), 1);
        const ScanResult &r = results.first();
        QVERIFY2(r.scans(), qPrintable(r.english()));
        QCOMPARE(QString(r.read).remove(QChar(0x1D)), read);
        QCOMPARE(r.expected, read);
        QCOMPARE(r.english(), QStringLiteral("scans"));
        QCOMPARE(r.korean(), QStringLiteral("스캔 확인"));
    }

    // Labels built to fail, each with the reason the check gives.
    void failures_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("english");

        const int noScan = int(Verdict::NoScan);
        QTest::newRow("narrow bars 1 dot")
            << srp(2, 13, "Label 128") << noScan << int(Cause::NarrowBars)
            << "does not scan: narrow bar 1 dot(s), needs at least 2";
        QTest::newRow("AL-300 ratio 8, 1 dot")
            << al(4, 8, "ABC") << noScan << int(Cause::NarrowBars) << "narrow bar 1 dot(s)";
        Design edge = srp(8, 25, "8801234567893");
        edge.x = 2; // 16 dots; EAN-13 wants 11 modules of 2 dots on the left
        QTest::newRow("quiet zone cut by the label edge")
            << edge << noScan << int(Cause::QuietZone)
            << "does not scan: left quiet zone 2mm, cut by the label edge, needs at least 2.8mm";
        Design right = srp(2, 25, "Label 128");
        right.width = 40; // 268 dots of bars from 40: 12 dots to the edge
        QTest::newRow("quiet zone cut on the right")
            << right << noScan << int(Cause::QuietZone)
            << "right quiet zone 1.5mm, cut by the label edge, needs at least 2.5mm";
        Design neighbour = srp(8, 25, "8801234567893");
        neighbour.edit = [](LabelFormat &f, std::array<QString, 11> &t) {
            putText(f, t, 1, 29, 8, QStringLiteral("가")); // 1 mm after the last bar
        };
        QTest::newRow("quiet zone cut by a text")
            << neighbour << noScan << int(Cause::QuietZone)
            << "right quiet zone 0.5mm, cut by text '가', needs at least 1.8mm";
        Design over = srp(8, 25, "8801234567893");
        over.edit = [](LabelFormat &f, std::array<QString, 11> &t) {
            putText(f, t, 1, 8, 6, QStringLiteral("특가"), 4); // across the bars
        };
        QTest::newRow("text over the bars")
            << over << noScan << int(Cause::Overlap) << "text '특가' printed over the bars";
        Design off = srp(2, 25, "Label 128");
        off.x = 60; // bars from 480 to 748 dots on a 640-dot label
        QTest::newRow("off the label")
            << off << noScan << int(Cause::OutsideLabel) << "bars run off the label";
        Design low = srp(8, 25, "8801234567893");
        low.height = 4;
        QTest::newRow("bars too low")
            << low << noScan << int(Cause::ShortBars) << "bars 4mm high, need at least 5mm";
        QTest::newRow("wrong check digit")
            << srp(8, 25, "8801234567890") << noScan << int(Cause::Unencodable)
            << "cannot be encoded (wrong check digit (3 expected))";
        QTest::newRow("lower case Code 39 reads upper case")
            << srp(1, 25, "abc-123") << int(Verdict::OtherData) << -1
            << "scans with other data: 'ABC-123'";
        QTest::newRow("UPC-E of number system 1")
            << srp(7, 25, "1234565") << int(Verdict::NotChecked) << -1
            << "not checked: the reader does not know this symbology";
    }

    void failures()
    {
        QFETCH(Design, design);
        QFETCH(int, verdict);
        QFETCH(int, cause);
        QFETCH(QString, english);
        const QList<ScanResult> results = ScanCheck::run(design.label());
        QCOMPARE(results.size(), 1);
        const ScanResult &r = results.first();
        QVERIFY2(r.english().contains(english), qPrintable(r.english()));
        QCOMPARE(int(r.verdict), verdict);
        QVERIFY(!r.scans());
        QCOMPARE(r.fails(), verdict != int(Verdict::NotChecked));
        if (cause >= 0) {
            bool found = false;
            for (const ScanResult::Finding &f : r.findings)
                found = found || int(f.cause) == cause;
            QVERIFY(found);
        }
        QVERIFY(r.korean() != QStringLiteral("스캔 확인"));
    }

    // Each barcode keeps its own result, also when two carry the same data.
    void resultsPerBarcode()
    {
        Design d = srp(8, 25, "8801234567893");
        d.edit = [](LabelFormat &f, std::array<QString, 11> &t) {
            f.Bar[2] = f.Bar[1];
            f.Bar[2].BarXx = 1;  // the same barcode cut by the left edge
            f.Bar[2].BarYy = 24; // below barcode 1's digits
            f.Bar[2].BarHeight = 5;
            f.Bar[2].BarHmRead = 0;
            putText(f, t, 1, 40, 5, QStringLiteral("사과"));
        };
        d.data2 = d.data;
        const QList<ScanResult> results = ScanCheck::run(d.label());
        QCOMPARE(results.size(), 2);
        QCOMPARE(results[0].object, 0);
        QVERIFY(results[0].scans());
        QCOMPARE(results[1].object, 1);
        QCOMPARE(results[1].verdict, Verdict::NoScan);
        QCOMPARE(results[1].findings.first().cause, Cause::QuietZone);
        QVERIFY(results[1].findings.first().edge);
        QCOMPARE(results[1].korean(),
                 QStringLiteral("스캔 안 됨: 왼쪽 여백 1mm, 라벨 끝에서 잘림 (2.8mm 이상이어야 "
                                "합니다)"));
    }

    void expectedData_data()
    {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("expected");
        QTest::newRow("EAN-13 12") << int(Symbology::Ean13) << "880123456789"
                                   << "8801234567893";
        QTest::newRow("EAN-13 13") << int(Symbology::Ean13) << "8801234567893"
                                   << "8801234567893";
        QTest::newRow("EAN-8 7") << int(Symbology::Ean8) << "9638507"
                                 << "96385074";
        QTest::newRow("UPC-A 11") << int(Symbology::UpcA) << "01234567890"
                                  << "012345678905";
        QTest::newRow("UPC-E 6, last 0-2") << int(Symbology::UpcE) << "123450"
                                           << "01234505";
        QTest::newRow("UPC-E 7, last 3") << int(Symbology::UpcE) << "0123453"
                                         << "01234531";
        QTest::newRow("UPC-E 7, last 4") << int(Symbology::UpcE) << "0123454"
                                         << "01234543";
        QTest::newRow("UPC-E 7, last 5-9") << int(Symbology::UpcE) << "0123457"
                                           << "01234572";
        QTest::newRow("I2of5 odd") << int(Symbology::I2of5) << "123"
                                   << "0123";
        QTest::newRow("I2of5 even") << int(Symbology::I2of5) << "1234"
                                    << "1234";
        QTest::newRow("GS1 brackets") << int(Symbology::Ean128) << "[01]08801234567893[10]A"
                                      << "010880123456789310A";
        QTest::newRow("Code 39 as sent") << int(Symbology::Code39) << "abc"
                                         << "abc";
    }

    void expectedData()
    {
        QFETCH(int, symbology);
        QFETCH(QString, data);
        QFETCH(QString, expected);
        QCOMPARE(ScanCheck::expectedData(Symbology(symbology), data), expected);
        // The EAN/UPC family as the drawing library spells out its digits.
        const Symbology s = Symbology(symbology);
        if (s == Symbology::Ean13 || s == Symbology::Ean8 || s == Symbology::UpcA ||
            s == Symbology::UpcE)
            QCOMPARE(BarcodeSymbol::make(s, data, 2, 5).readable, expected);
    }

    void labelWithoutBarcodes()
    {
        Design d;
        d.edit = [](LabelFormat &f, std::array<QString, 11> &t) {
            f.Bar[1].BarSelt = 0;
            putText(f, t, 1, 5, 5, QStringLiteral("사과"));
        };
        QVERIFY(ScanCheck::run(d.label()).isEmpty());
    }
};

QTEST_MAIN(TestScanCheck)
#include "test_scancheck.moc"
