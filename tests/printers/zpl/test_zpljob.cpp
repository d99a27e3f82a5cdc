// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/printerlanguage.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "printers/zpl/zplgraphic.h"
#include "render/labelpainter.h"
#include "render/painterraster.h"
#include "render/scancheck.h"
#include "support/labeldesigns.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const PrinterLanguage &zpl()
{
    return *Printers::language(QStringLiteral("zpl"));
}

QString zplJob(const LabelDescription &label, int dpi, int count = 2, bool blackMark = false)
{
    return zpl().describedLabelJob(label, PainterRaster::instance(), dpi, count, blackMark);
}

// Dots that differ between two black and white prints of the same size.
int differingDots(const MonoBitmap &a, const MonoBitmap &b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.dot(x, y) != b.dot(x, y);
    return n;
}

} // namespace

class TestZplJob : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What the printer prints from the ZPL job, read back and drawn by this program, is the
    // preview's print dot for dot, at both resolutions, and every barcode scans.
    void printsThePreview_data()
    {
        QTest::addColumn<LabelDescription>("label");
        QTest::addColumn<int>("dpi");
        for (const LabelDesigns::Design &d : LabelDesigns::all()) {
            for (int dpi : {203, 300})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2dpi").arg(d.name).arg(dpi)))
                    << d.label << dpi;
        }
    }
    void printsThePreview()
    {
        QFETCH(LabelDescription, label);
        QFETCH(int, dpi);
        QVERIFY2(label.problems.isEmpty(), qPrintable(label.problems.join('\n')));
        const int dotsPerMm = PrinterLanguage::dotsPerMm(dpi);
        const QString job = zplJob(label, dpi);
        const LabelDescription back = LabelJobReader::read(job);
        QVERIFY2(back.problems.isEmpty(), qPrintable(back.problems.join('\n') + '\n' + job));
        QCOMPARE(back.language, QStringLiteral("zpl"));
        QCOMPARE(back.dotsPerMm, dotsPerMm);
        QCOMPARE(back.count, 2);
        QCOMPARE(back.reversed, label.reversed);
        QCOMPARE(back.widthDots, label.widthDots * dotsPerMm / 8);
        QCOMPARE(back.lengthDots, label.lengthDots * dotsPerMm / 8);

        const MonoBitmap preview =
            LabelPainter::threshold(LabelPainter::renderPrinted(label, QRect(), dotsPerMm));
        const MonoBitmap printed = LabelPainter::threshold(LabelPainter::renderPrinted(back));
        QCOMPARE(differingDots(preview, printed), 0);

        // The barcode keeps its kind, data and whole-dot widths; zbar reads it where it is.
        int barcodes = 0;
        for (const LabelObject &o : back.objects)
            barcodes += o.isBarcode();
        QCOMPARE(barcodes, 1);
        for (const ScanResult &r : ScanCheck::run(back)) {
            if (r.verdict != ScanResult::Verdict::NotChecked)
                QVERIFY2(r.scans(), qPrintable(r.name() + ": " + r.korean()));
        }
    }

    // The job's frame: size, stock, direction and count in the printer's own commands, one
    // command a line; Hangul never goes as text.
    void frame_data()
    {
        QTest::addColumn<bool>("blackMark");
        QTest::addColumn<int>("dpi");
        QTest::newRow("gap 203") << false << 203;
        QTest::newRow("black mark 300") << true << 300;
    }
    void frame()
    {
        QFETCH(bool, blackMark);
        QFETCH(int, dpi);
        const LabelDescription label =
            LabelDesigns::design(Printers::srp770(), 2 /* Code128 */, 25, false);
        const QStringList lines = zplJob(label, dpi, 7, blackMark).split(QStringLiteral("\r\n"));
        const int k = PrinterLanguage::dotsPerMm(dpi);
        QCOMPARE(lines.first(), QStringLiteral("^XA"));
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("^XZ"));
        QVERIFY(lines.last().isEmpty());
        QVERIFY(lines.contains(QStringLiteral("^PW%1").arg(60 * k)));
        QVERIFY(lines.contains(QStringLiteral("^LL%1").arg(40 * k)));
        QVERIFY(lines.contains(blackMark ? QStringLiteral("^MNM") : QStringLiteral("^MNY")));
        QVERIFY(lines.contains(QStringLiteral("^PON")));
        QVERIFY(lines.contains(QStringLiteral("^PQ7")));
        const QString bars = QStringLiteral("^FO%1,%2^BY%3,3.0,%4^BCN,%4,N,N,N,A^FDLS-2026a^FS")
                                 .arg(5 * k)
                                 .arg(3 * k)
                                 .arg(k == 8 ? 2 : 3)
                                 .arg(12 * k);
        QVERIFY2(lines.contains(bars), qPrintable(lines.join('\n')));
        for (const QString &l : lines)
            for (QChar c : l)
                QVERIFY2(c.unicode() < 0x80, qPrintable(l));
    }

    // Pictures survive the compression exactly; what the reader cannot take is a problem.
    void graphicRoundTrip_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("fill"); // percent black, -1 for stripes
        QTest::newRow("one dot") << 1 << 1 << 100;
        QTest::newRow("white") << 37 << 9 << 0;
        QTest::newRow("black") << 64 << 5 << 100;
        QTest::newRow("stripes") << 803 << 40 << -1;
        QTest::newRow("noise") << 123 << 77 << 50;
        QTest::newRow("sparse") << 400 << 300 << 2;
    }
    void graphicRoundTrip()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, fill);
        QRandomGenerator random(width * 1000 + height);
        MonoBitmap b(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                b.setDot(x, y, fill < 0 ? (x / 3 + y / 7) % 2 : int(random.bounded(100)) < fill);
        const QString text = ZplGraphic::encode(b);
        MonoBitmap back;
        QString why;
        QVERIFY2(ZplGraphic::decode(text, &back, &why), qPrintable(why));
        QCOMPARE(back.height(), height);
        QCOMPARE(back.cropped(0, 0, width, height), b);
        QVERIFY(text.size() < 16 + 2 * b.rows().size()); // never longer than plain hex
    }
    void graphicFaults_data()
    {
        QTest::addColumn<QString>("parameters");
        QTest::newRow("binary format") << "B,2,2,1,ab";
        QTest::newRow("sizes disagree") << "A,4,2,1,FFFF";
        QTest::newRow("short") << "A,4,4,2,FF";
        QTest::newRow("long") << "A,1,1,1,FFFF";
        QTest::newRow("repeat past the row") << "A,2,2,2,ZF";
        QTest::newRow("repeat first row") << "A,2,2,1,:";
        QTest::newRow("not hex") << "A,1,1,1,FX";
        QTest::newRow("huge") << "A,900000000,900000000,30000,F";
        QTest::newRow("missing") << "A,1,1";
    }
    void graphicFaults()
    {
        QFETCH(QString, parameters);
        MonoBitmap b;
        QString why;
        QVERIFY(!ZplGraphic::decode(parameters, &b, &why));
        QVERIFY(!why.isEmpty());
    }

    // A ZPL text beside the other languages' jobs: each job read by its own reader.
    void mixedJobs()
    {
        const LabelDescription srp = LabelDesigns::design(Printers::srp770(), 8, 25, false);
        const QString srpJob = Printers::srp770().labelJob(
            [] {
                FormatSet s;
                s.Fmt[1].LblWidth = 50;
                s.Fmt[1].LblLeng = 30;
                s.Fmt[1].Txt[1].TxtSelt = 1;
                s.Fmt[1].Txt[1].TxtString = QStringLiteral("A");
                return s;
            }(),
            1, {}, {}, 1, false);
        const QList<LabelDescription> jobs =
            LabelJobReader::readAll(zplJob(srp, 203) + srpJob + zplJob(srp, 300) + "junk\r\n");
        QCOMPARE(jobs.size(), 3);
        QCOMPARE(jobs[0].language, QStringLiteral("zpl"));
        QCOMPARE(jobs[1].language, QStringLiteral("srp770"));
        QCOMPARE(jobs[2].dotsPerMm, 12);
        QVERIFY(jobs[0].problems.isEmpty());
        QVERIFY(jobs[2].problems.join('\n').contains(QStringLiteral("junk")));
    }

    // What this reader does not take is told, not guessed.
    void readerProblems_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text field") << "^XA\n^PW100\n^LL100\n^FO1,1^A0N,20,20^FDHI^FS\n^XZ"
                                    << "알 수 없는 명령";
        QTest::newRow("no end") << "^XA\n^PW100\n^LL100\n" << "^XZ";
        QTest::newRow("field without origin") << "^XA\n^PW100\n^LL100\n^FDX^FS\n^XZ" << "^FO";
        QTest::newRow("bad ratio") << "^XA\n^PW100\n^LL100\n^BY2,5.5\n^XZ" << "비율";
        QTest::newRow("moved home") << "^XA\n^PW100\n^LL100\n^LH10,10\n^XZ" << "원점";
        QTest::newRow("no width") << "^XA\n^LL100\n^XZ" << "^PW";
        QTest::newRow("bad escape")
            << "^XA\n^PW100\n^LL100\n^FO1,1^BY2^BCN,40,N,N,N,A^FH^FD_Z1^FS\n^XZ" << "^FH";
    }
    void readerProblems()
    {
        QFETCH(QString, job);
        QFETCH(QString, expected);
        const LabelDescription d = LabelJobReader::read(job);
        QVERIFY2(d.problems.join('\n').contains(expected), qPrintable(d.problems.join('\n')));
    }

    // Data a field cannot hold as it is goes escaped and comes back whole.
    void escapedData()
    {
        LabelDescription label = LabelDesigns::design(Printers::srp770(), 2, 25, false);
        for (LabelObject &o : label.objects)
            if (o.isBarcode())
                o.data = QStringLiteral("A^B~C_D");
        const QString job = zplJob(label, 203);
        QVERIFY2(job.contains(QStringLiteral("^FH^FDA_5EB_7EC_5FD^FS")), qPrintable(job));
        const LabelDescription back = LabelJobReader::read(job);
        QVERIFY(back.problems.isEmpty());
        bool found = false;
        for (const LabelObject &o : back.objects)
            found = found || (o.isBarcode() && o.data == QStringLiteral("A^B~C_D"));
        QVERIFY(found);
    }
};

QTEST_MAIN(TestZplJob)
#include "test_zpljob.moc"
