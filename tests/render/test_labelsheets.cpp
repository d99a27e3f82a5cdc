// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/sheetlayout.h"
#include "printers/labeljobreader.h"
#include "render/labelpainter.h"
#include "render/labelsheets.h"
#include "render/printedscan.h"
#include "render/zbarreader.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A 50 x 30 mm SRP-770 label with the EAN-13 `code`, `count` copies.
LabelDescription label(const QString &code, int count)
{
    return LabelJobReader::read(QStringLiteral("CB\r\nSS2\r\nSD20\r\nSW400\r\nSL240,24,G\r\nSOT\r\n"
                                               "B160,40,7,2,5,100,0,1,'%1'\r\nP%2\r\n")
                                    .arg(code)
                                    .arg(count));
}

QString ean(int n)
{
    const QString d = QStringLiteral("880%1").arg(n, 9, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += d[i].digitValue() * (i % 2 ? 3 : 1);
    return d + QString::number((10 - sum % 10) % 10);
}

SheetLayout layoutNamed(const QString &name)
{
    SheetLayout l;
    SheetLayout::find(SheetLayout::builtIn(), name, &l);
    return l;
}

} // namespace

// Labels on sheets of an office printer: where each copy goes, what the PDF shows there and
// what is refused.
class TestLabelSheets : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void builtInLayoutsFitTheirPaper()
    {
        QCOMPARE(SheetLayout::builtIn().size(), 7);
        for (const SheetLayout &l : SheetLayout::builtIn()) {
            QString why;
            QVERIFY2(l.isValid(&why), qPrintable(l.name + ": " + why));
            // The grid centred across the paper, within a millimetre.
            const QRectF last = l.cell(l.columns - 1);
            QVERIFY2(qAbs(l.left - (l.paperWidth() - last.right())) < 1.0, qPrintable(l.name));
        }
        SheetLayout l;
        QVERIFY(SheetLayout::find(SheetLayout::builtIn(), "3X8", &l) && l.name == "3×8");
    }

    void operatorsLayoutsFile()
    {
        QStringList problems;
        const QList<SheetLayout> read = SheetLayout::fromLines(
            {"가게 2×4'A4'2'4'10'20'90'60'95'65", "", "wide'A4'1'1'0'0'300'10'300'10",
             "short'A4'2'2'0'0'10'10'5'10", "letter'Letter'3'10'5'12.7'66.7'25.4'69.8'25.4",
             "few'A4'2'2'1'1"},
            &problems);
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[1].paper, SheetLayout::Paper::Letter);
        QCOMPARE(problems.size(), 3);
        QVERIFY(problems[0].startsWith("line 3: the labels do not fit on A4"));
        QVERIFY(problems[1].startsWith("line 4: the pitch is less than the label"));
        QVERIFY(problems[2].startsWith("line 6: 10 fields"));
        // Written and read back alike.
        const QList<SheetLayout> again = SheetLayout::fromLines(SheetLayout::toLines(read));
        QCOMPARE(SheetLayout::toLines(again), SheetLayout::toLines(read));
    }

    void copiesFillTheSheetsFromTheStart_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<int>("sheets");
        QTest::newRow("3×8 from the first") << "3×8" << 0 << QList<int>{5, 3} << 1;
        QTest::newRow("partly used sheet") << "3×8" << 20 << QList<int>{5, 3} << 2;
        QTest::newRow("4×10, quantities") << "4×10" << 39 << QList<int>{40, 0, 1} << 2;
        QTest::newRow("999 goods × 3") << "2×7" << 3 << QList<int>(999, 3) << 215;
    }
    void copiesFillTheSheetsFromTheStart()
    {
        QFETCH(QString, layout);
        QFETCH(int, start);
        QFETCH(QList<int>, counts);
        QFETCH(int, sheets);
        const SheetLayout l = layoutNamed(layout);
        QList<LabelDescription> labels;
        for (int c : counts)
            labels << LabelDescription{.count = c};
        const QList<LabelSheets::Place> places = LabelSheets::places(labels, l, start);
        QCOMPARE(LabelSheets::sheetCount(labels, l, start), sheets);
        QCOMPARE(places.size(), std::accumulate(counts.begin(), counts.end(), 0));
        for (qsizetype n = 0; n < places.size(); ++n) {
            const qsizetype at = start + n;
            QCOMPARE(places[n].sheet, int(at / l.labelsPerSheet()));
            QCOMPARE(places[n].cell, int(at % l.labelsPerSheet()));
        }
        QCOMPARE(places.last().sheet, sheets - 1);
    }

    void largerLabelsAreRefused()
    {
        QString korean, english;
        QVERIFY(!LabelSheets::check({label(ean(1), 1)}, layoutNamed("4×10"), 0, &korean, &english));
        QVERIFY2(korean.contains("50.0×30.0 mm") && korean.contains("48.5×25.4 mm"),
                 qPrintable(korean));
        QVERIFY2(english.contains("50.0×30.0 mm") && english.contains("48.5×25.4 mm"),
                 qPrintable(english));
        QVERIFY(LabelSheets::check({label(ean(1), 1)}, layoutNamed("3×8"), 0));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("refused.pdf")));
        QVERIFY(!LabelSheets::writePdf(m_dir.filePath("refused.pdf"), {label(ean(1), 1)},
                                       layoutNamed("4×10"), 0));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("refused.pdf")));
    }

    // The check before a system printer prints: the label read back at the printer's own
    // resolution (a 50 dpi picture loses the bars; the reason names the resolution).
    void scanCheckAtThePrinterResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("says");
        for (int dpi : {203, 300, 600, 1200})
            QTest::addRow("%d dpi", dpi) << dpi << QString();
        QTest::newRow("50 dpi") << 50 << "EAN-13 8800000000015: 50 dpi로 인쇄하면 읽히지 않음";
    }
    void scanCheckAtThePrinterResolution()
    {
        QFETCH(int, dpi);
        QFETCH(QString, says);
        const QList<LabelDescription> labels{label(ean(1), 3), label(ean(1), 2), label(ean(2), 1)};
        const QList<QStringList> reasons = PrintedScan::reasons(labels, dpi);
        QCOMPARE(reasons.size(), 3);
        QCOMPARE(reasons[0].join('\n'), says);
        QCOMPARE(reasons[1], reasons[0]);
    }

    // The PDF rasterised as a printer would: every label centred in its cell within 0.2 mm,
    // every barcode read back as its goods.
    void pdfPlacesEveryLabel_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("start");
        QTest::newRow("3×8") << "3×8" << 0;
        QTest::newRow("2×7 from label 4") << "2×7" << 3;
        QTest::newRow("3×7 from label 20") << "3×7" << 19;
    }
    void pdfPlacesEveryLabel()
    {
        QFETCH(QString, layout);
        QFETCH(int, start);
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        const SheetLayout l = layoutNamed(layout);
        QList<LabelDescription> labels;
        for (int n = 1; n <= 5; ++n)
            labels << label(ean(n), n == 2 ? 2 : 1);
        const QString pdf = m_dir.filePath(layout + ".pdf");
        QString why;
        QVERIFY2(LabelSheets::writePdf(pdf, labels, l, start, &why), qPrintable(why));
        const QString png = m_dir.filePath(layout);
        QCOMPARE(QProcess::execute(pdftoppm, {"-r", "300", "-gray", "-png", pdf, png}), 0);

        const double pxPerMm = 300 / 25.4;
        QImage page;
        int pageNo = -1;
        ZbarReader reader;
        const QList<LabelSheets::Place> places = LabelSheets::places(labels, l, start);
        for (const LabelSheets::Place &p : places) {
            if (p.sheet != pageNo) {
                pageNo = p.sheet;
                const int pages = LabelSheets::sheetCount(labels, l, start);
                page = QImage(QStringLiteral("%1-%2.png")
                                  .arg(png)
                                  .arg(p.sheet + 1, pages >= 10 ? 2 : 1, 10, QLatin1Char('0')));
                QVERIFY(!page.isNull());
                page = page.convertToFormat(QImage::Format_Grayscale8);
            }
            const QRectF cellMm = l.cell(p.cell);
            const QRect cell(QPoint(int(cellMm.left() * pxPerMm), int(cellMm.top() * pxPerMm)),
                             QPoint(int(cellMm.right() * pxPerMm), int(cellMm.bottom() * pxPerMm)));
            const QImage part = page.copy(cell);
            // The bars' extent: the bars stand centred across a label that is centred.
            int minX = part.width(), maxX = -1;
            for (int y = 0; y < part.height(); ++y) {
                const uchar *row = part.constScanLine(y);
                for (int x = 0; x < part.width(); ++x) {
                    if (row[x] < 128) {
                        minX = qMin(minX, x);
                        maxX = qMax(maxX, x);
                    }
                }
            }
            QVERIFY2(maxX >= 0, qPrintable(QStringLiteral("cell %1 %2,%3 %4x%5 of %6x%7")
                                               .arg(p.cell)
                                               .arg(cell.x())
                                               .arg(cell.y())
                                               .arg(cell.width())
                                               .arg(cell.height())
                                               .arg(page.width())
                                               .arg(page.height())));
            const QList<ZbarReader::Symbol> read = reader.read(part);
            QCOMPARE(read.size(), 1);
            QCOMPARE(read.first().data, labels[p.label].objects.first().data);
            // The drawn label's own bars, against where the same label sits alone.
            const QImage alone = LabelPainter::renderPrintedAt(labels[p.label], 300);
            const double expectedLeft = (part.width() - alone.width()) / 2.0 + barsLeft(alone);
            QVERIFY2(qAbs(minX - expectedLeft) / pxPerMm <= 0.2,
                     qPrintable(QStringLiteral("cell %1: bars at %2 px, expected %3")
                                    .arg(p.cell)
                                    .arg(minX)
                                    .arg(expectedLeft)));
        }
    }

private:
    static int barsLeft(const QImage &label)
    {
        const QImage g = label.convertToFormat(QImage::Format_Grayscale8);
        int left = g.width();
        for (int y = 0; y < g.height(); ++y)
            for (int x = 0; x < left; ++x)
                if (g.constScanLine(y)[x] < 128)
                    left = x;
        return left;
    }
};

QTEST_MAIN(TestLabelSheets)
#include "test_labelsheets.moc"
