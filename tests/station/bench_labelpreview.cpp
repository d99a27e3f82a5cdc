// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the label preview: redrawing a busy label after an edit, a drag on it, and a
// 999-label PDF.
// Built with the tests, run by scripts/bench.sh (or by hand:
// build/tests/station/bench_labelpreview).

#include "common/programstate.h"
#include "model/formatfile.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "render/barcodesymbol.h"
#include "render/labelpainter.h"
#include "render/labelpdf.h"
#include "station/labeldesigntool.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"
#include "station/srp770frm.h"
#include "support/controls.h"
#include "support/stationfixture.h"
#include "widgets/dialogs.h"

#include "support/goodsrows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

#include <cstdio>

namespace {

// 100 x 60 mm, 3 barcodes and 10 texts.
FormatSet busyFormat()
{
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    f.LblWidth = 100;
    f.LblLeng = 60;
    const int codes[] = {0, 8, 2, 1}; // EAN-13, Code128, Code39
    for (int b = 1; b <= 3; ++b) {
        BarcodeElement &e = f.Bar[b];
        e.BarSelt = 1;
        e.BarXx = 3;
        e.BarYy = 2 + (b - 1) * 13;
        e.BarCode = qint16(codes[b]);
        e.BarDen = 25;
        e.BarHeight = 8;
        e.BarHmRead = 2;
    }
    for (int t = 1; t <= 10; ++t) {
        TextElement &e = f.Txt[t];
        e.TxtSelt = 1;
        e.TxtYy = 2 + (t - 1) * 5;
        e.TxtXx = t % 2 ? 60 : 50;
        e.TxtFont = qint16(t % 2 ? 5 : 6); // Korean 16x16 and 24x24
        e.TxtXSize = 1;
        e.TxtYSize = 1;
        e.TxtRvs = qint16(t % 4);
    }
    return set;
}

QString job(const FormatSet &set, int n)
{
    std::array<QString, 4> barcodes;
    std::array<QString, 11> texts;
    barcodes[1] = QStringLiteral("8801234567893");
    barcodes[2] = QStringLiteral("ITEM-%1").arg(n);
    barcodes[3] = QStringLiteral("C39-%1").arg(n);
    for (int t = 1; t <= 10; ++t)
        texts[t] = QStringLiteral("사과 %1-%2").arg(t).arg(n);
    return Printers::of(PrinterModel::SRP770).labelJob(set, 1, barcodes, texts, 1, false);
}

double redraw(const FormatSet &base, int rounds, bool newData, QImage &pane)
{
    FormatSet set = base;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        set.Fmt[1].Txt[1].TxtXx = 60 + i % 5; // an edit
        const LabelDescription d = LabelJobReader::read(job(set, newData ? i : 0));
        pane.fill(Qt::lightGray);
        QPainter p(&pane);
        LabelPainter::paint(p, d, QRectF(pane.rect()).adjusted(8, 8, -8, -8));
    }
    if (qEnvironmentVariableIsSet("BENCH_SAVE"))
        pane.save(qEnvironmentVariable("BENCH_SAVE"));
    return double(t.nsecsElapsed()) / 1e6 / rounds;
}

// The longest time from a change (`waiting`, nanoseconds of `clock`) to the canvas's next
// paint, the paint included.
struct PaintTimes : QObject {
    QElapsedTimer clock;
    QList<qint64> waiting;
    qint64 longest = 0;
    bool inside = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (inside || event->type() != QEvent::Paint || !clock.isValid() || waiting.isEmpty())
            return QObject::eventFilter(watched, event);
        inside = true; // the paint itself counts: delivered here, once
        QCoreApplication::sendEvent(watched, event);
        inside = false;
        const qint64 now = clock.nsecsElapsed();
        for (qint64 t : std::as_const(waiting))
            longest = qMax(longest, now - t);
        waiting.clear();
        return true;
    }
};

// The figure for scripts/bench.sh, after the line for a reader.
void bench(const char *figure, double value, const char *unit, const char *goal)
{
    std::printf("BENCH\t%s\t%.2f %s\t%s\n", figure, value, unit, goal);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const FormatSet set = busyFormat();
    QImage pane(520, 340, QImage::Format_ARGB32_Premultiplied);

    redraw(set, 3, false, pane); // fonts and first symbols
    const double sameData = redraw(set, 200, false, pane);
    std::printf("redraw after an edit, same data (3 barcodes, 10 texts): %.2f ms\n", sameData);
    const double newData = redraw(set, 200, true, pane);
    std::printf("redraw with new data each time (new barcodes):         %.2f ms\n", newData);
    bench("label redraw after an edit, 3 barcodes, 10 texts", sameData, "ms", "< 16 ms");
    bench("label redraw with new barcode data", newData, "ms", "< 16 ms");

    {
        // The station window: an edit stored, the pane read and checked, the canvas painted.
        QTemporaryDir data;
        Program().DataDirOverride = data.path();
        Dialogs::setTestMode(true);
        FormatFile::save(set, data.filePath(QStringLiteral("SRP770Frm[00].Txt")),
                         Printers::srp770());
        SRP770Frm station;
        GoodsItem item;
        item.reset();
        item.Name = QStringLiteral("사과");
        item.Barcodes = {QString(), QStringLiteral("8801234567893"), QStringLiteral("A-1"),
                         QStringLiteral("B-2")};
        for (int t = 1; t <= 10; ++t)
            item.Texts[t] = QStringLiteral("사과 %1").arg(t);
        station.document()->insertItem(item);
        station.setActiveRow(1);
        station.show();
        station.resize(station.sizeHint());
        QApplication::processEvents();
        LabelPreviewCanvas *canvas =
            Controls::find<LabelPreviewPane>(&station, "LabelPreviewFme")->LabelPreviewCnv;
        QElapsedTimer w;
        w.start();
        const int rounds = 200;
        for (int i = 0; i < rounds; ++i) {
            changeFormat(station, 1, [i](LabelFormat &f) { f.Txt[1].TxtXx = 60 + i % 5; });
            canvas->repaint();
        }
        const double repainted = double(w.nsecsElapsed()) / 1e6 / rounds;
        std::printf("station: edit -> preview pane repainted (%dx%d):       %.2f ms\n",
                    canvas->width(), canvas->height(), repainted);
        bench("station: edit -> preview pane repainted", repainted, "ms", "< 16 ms");

        // A drag on the label: the mouse moves every 8 ms (a 125 Hz mouse) for two seconds,
        // barcode 1 following to and fro on the busy label, on the window's own event loop.
        // The figure: the longest time from a mouse move that moves the element to the paint
        // of the canvas that shows it (the move handled, the format changed, the label drawn
        // again from its job, the frame computed, the paint).
        PaintTimes paints;
        canvas->installEventFilter(&paints);
        auto *tool = station.findChild<LabelDesignTool *>();
        const QRectF bar = tool->boxOf({true, 1})->mm;
        auto at = [canvas](const QPointF &mm) {
            return canvas->labelTransform().map(mm * canvas->label().dotsPerMm).toPoint();
        };
        QTest::mousePress(canvas, Qt::LeftButton, {}, at(bar.center()));
        QApplication::processEvents();
        bool changed = false;
        QObject::connect(station.formatModel(), &FormatModel::changed,
                         [&changed] { changed = true; });
        int moves = 0, moved = 0;
        QTimer mouse;
        mouse.setInterval(8);
        QEventLoop loop;
        paints.clock.start();
        QObject::connect(&mouse, &QTimer::timeout, [&] {
            const double s = std::sin(++moves / 20.0);
            const qint64 t0 = paints.clock.nsecsElapsed();
            changed = false;
            QTest::mouseMove(canvas, at(bar.center() + QPointF(15 + 15 * s, 5 + 5 * s)));
            if (changed) {
                ++moved;
                paints.waiting << t0;
            }
            if (paints.clock.elapsed() >= 2000)
                loop.quit();
        });
        mouse.start();
        loop.exec();
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at(bar.center()));
        std::printf("drag on the label: %d moves, %d moved the barcode, longest move to paint "
                    "%.1f ms\n",
                    moves, moved, paints.longest / 1e6);
        bench("drag on the label (3 barcodes, 10 texts): longest mouse move to paint",
              paints.longest / 1e6, "ms", "< 16 ms");
    }

    const LabelDescription one = LabelJobReader::read(job(set, 1));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 50; ++i)
        LabelPainter::render(one, 203);
    const double picture = double(t.nsecsElapsed()) / 1e6 / 50;
    std::printf("picture at 203 dpi:                                     %.2f ms\n", picture);
    bench("label picture at 203 dpi", picture, "ms", "< 16 ms");

    QTemporaryDir dir;
    LabelDescription many = one;
    many.count = 999;
    t.restart();
    QString error;
    const bool ok = LabelPdf::write(dir.filePath(QStringLiteral("999.pdf")), {many}, &error);
    const double pdf999 = double(t.nsecsElapsed()) / 1e9;
    std::printf("999-label PDF:                                          %.2f s %s\n", pdf999,
                ok ? "" : qPrintable(error));
    bench("label PDF, 999 labels of one goods", pdf999, "s", "none set");

    QList<LabelDescription> rows;
    for (int i = 0; i < 333; ++i) {
        LabelDescription d = LabelJobReader::read(job(set, i));
        d.count = 3;
        rows << d;
    }
    t.restart();
    LabelPdf::write(dir.filePath(QStringLiteral("333x3.pdf")), rows, &error);
    const double pdf333 = double(t.nsecsElapsed()) / 1e9;
    std::printf("333 goods x 3 labels PDF:                               %.2f s\n", pdf333);
    bench("label PDF, 333 goods x 3 labels", pdf333, "s", "none set");
    return ok ? 0 : 1;
}
