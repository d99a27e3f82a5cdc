// SPDX-License-Identifier: GPL-3.0-or-later
// The ZPL jobs drawn by a renderer that is not this program (zpl-renderer-js, a build of
// Zebrash, from the npm registry; scripts/setup.sh installs it into the build folder): the
// pictures are the preview's dot for dot, and every barcode the renderer draws decodes to the
// goods' data at the preview's place.

#include "model/printerlanguage.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "render/labelpainter.h"
#include "render/painterraster.h"
#include "render/scancheck.h"
#include "render/zbarreader.h"
#include "support/labeldesigns.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Symbology = LabelObject::Symbology;

// What the renderer draws of the ZPL barcode commands; the others it shows as text, and
// their bars are checked by this program's own reader only.
bool rendererDraws(const LabelObject &o)
{
    if (!o.barsPicture.isNull())
        return true;
    switch (o.symbology) {
    case Symbology::Code128:
    case Symbology::Ean128:
    case Symbology::Code39:
    case Symbology::I2of5:
    case Symbology::Ean13:
        return true;
    default:
        return false;
    }
}

struct Case {
    QString name;
    LabelDescription label; // as read back from the ZPL job, upright
    QString file;
};

} // namespace

class TestZplRenderer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<Case> m_cases;

private Q_SLOTS:
    void initTestCase()
    {
        const QString module = QStringLiteral(ZPLRENDER_DIR);
        QVERIFY2(QFile::exists(module + "/node_modules/zpl-renderer-js/package.json"),
                 "the ZPL renderer is not installed: run scripts/setup.sh (npm ci)");
        QStringList args{QStringLiteral(ZPLRENDER_SCRIPT), module};
        int n = 0;
        for (const LabelDesigns::Design &d : LabelDesigns::all()) {
            for (int dpi : {203, 300}) {
                const int dpmm = PrinterLanguage::dotsPerMm(dpi);
                QString job = Printers::language(QStringLiteral("zpl"))
                                  ->describedLabelJob(d.label, PainterRaster::instance(), dpi, 1,
                                                      false);
                // The renderer does not turn labels (^POI): the upright label is compared,
                // the turn being the printer's own.
                job.replace(QStringLiteral("^POI"), QStringLiteral("^PON"));
                Case c{QStringLiteral("%1 %2dpi").arg(d.name).arg(dpi), LabelJobReader::read(job),
                       m_dir.filePath(QStringLiteral("label%1.zpl").arg(n++))};
                QVERIFY(c.label.problems.isEmpty());
                QFile f(c.file);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(job.toLatin1());
                f.close();
                args << c.file << QString::number(dpmm)
                     << QString::number(double(c.label.widthDots) / dpmm)
                     << QString::number(double(c.label.lengthDots) / dpmm);
                m_cases << c;
            }
        }
        QProcess node;
        node.start(QStringLiteral("node"), args);
        QVERIFY2(node.waitForFinished(120000), "node did not finish");
        QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    }

    void drawsThePreview_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < m_cases.size(); ++i)
            QTest::newRow(qPrintable(m_cases[i].name)) << i;
    }
    void drawsThePreview()
    {
        QFETCH(int, index);
        const Case &c = m_cases[index];
        QImage drawn(QString(c.file).replace(QStringLiteral(".zpl"), QStringLiteral(".png")));
        QVERIFY(!drawn.isNull());
        QCOMPARE(drawn.size(), QSize(c.label.widthDots, c.label.lengthDots));
        const MonoBitmap theirs = LabelPainter::threshold(drawn);
        const MonoBitmap ours = LabelPainter::threshold(LabelPainter::renderPrinted(c.label));
        const QList<LabelPainter::Placement> places = LabelPainter::placements(c.label);
        // The renderer draws the guard bars of EAN-13 five modules longer than the other
        // bars (ours are all as high as the format says): below those bars it is not compared.
        QList<QRect> guards;
        for (int i = 0; i < c.label.objects.size(); ++i) {
            const LabelObject &o = c.label.objects[i];
            if (o.isBarcode() && o.symbology == Symbology::Ean13) {
                const QRect bars = places[i].bars.toAlignedRect();
                guards << QRect(bars.left(), bars.bottom() + 1, bars.width(), 5 * o.narrow);
            }
        }
        auto guarded = [&guards](int x, int y) {
            for (const QRect &g : guards)
                if (g.contains(x, y))
                    return true;
            return false;
        };
        ZbarReader reader;
        for (int i = 0; i < c.label.objects.size(); ++i) {
            const LabelObject &o = c.label.objects[i];
            if (o.isPicture()) {
                // Texts and readable lines: the same dots.
                const QRect r = places[i].bounds.toAlignedRect();
                int differ = 0;
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        differ += theirs.dot(x, y) != ours.dot(x, y) && !guarded(x, y);
                QCOMPARE(differ, 0);
                continue;
            }
            if (!rendererDraws(o))
                continue;
            // The bars decode to the data where the preview has them.
            const QRect bars = places[i].bars.toAlignedRect();
            const int quiet = 12 * qMax(1, o.narrow);
            const QRect area = bars.adjusted(-quiet, -2, quiet, 2).intersected(drawn.rect());
            const QList<ZbarReader::Symbol> found = reader.read(drawn.copy(area));
            QVERIFY2(found.size() == 1, qPrintable(QString::number(found.size())));
            QString data = found[0].data;
            data.remove(QChar(0x1D));
            QCOMPARE(data, ScanCheck::expectedData(o.symbology, o.data));
            // Left edge of the bars within a dot of the preview's.
            int first = -1;
            const int row = bars.top() + bars.height() / 2;
            for (int x = area.left(); x <= area.right() && first < 0; ++x)
                if (theirs.dot(x, row))
                    first = x;
            QVERIFY2(qAbs(first - bars.left()) <= 1,
                     qPrintable(QStringLiteral("%1 / %2").arg(first).arg(bars.left())));
            // And the very bars of the preview.
            int differ = 0;
            for (int y = bars.top(); y <= bars.bottom(); ++y)
                for (int x = bars.left(); x <= bars.right(); ++x)
                    differ += theirs.dot(x, y) != ours.dot(x, y);
            QCOMPARE(differ, 0);
        }
    }
};

QTEST_MAIN(TestZplRenderer)
#include "test_zplrenderer.moc"
