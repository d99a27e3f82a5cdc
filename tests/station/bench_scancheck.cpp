// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the scan check: one label with three barcodes, and the station's preview pane,
// which checks on a worker thread after drawing, while the operator types.
// Built with the tests, run by scripts/bench.sh (or by hand: build/tests/station/bench_scancheck).

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "station/srp770frm.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"
#include "render/scancheck.h"
#include "render/planscan.h"
#include "support/controls.h"

#include "support/goodsrows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// 100 x 60 mm: EAN-13, Code 128 and Code 39 one under the other, four Korean texts beside.
FormatSet threeBarcodes()
{
    FormatSet set;
    LabelFormat &f = set.Fmt[1];
    f.LblWidth = 100;
    f.LblLeng = 60;
    const int codes[] = {0, 8, 2, 1};
    for (int b = 1; b <= 3; ++b) {
        BarcodeElement &e = f.Bar[b];
        e.BarSelt = 1;
        e.BarXx = 4;
        e.BarYy = 2 + (b - 1) * 19;
        e.BarCode = qint16(codes[b]);
        e.BarDen = 25;
        e.BarHeight = 12;
        e.BarHmRead = 2;
    }
    for (int t = 1; t <= 4; ++t) {
        TextElement &e = f.Txt[t];
        e.TxtSelt = 1;
        e.TxtYy = 4 + (t - 1) * 12;
        e.TxtXx = 62;
        e.TxtFont = 6;
        e.TxtXSize = e.TxtYSize = 1;
    }
    return set;
}

QString job(const FormatSet &set, int n)
{
    std::array<QString, 4> barcodes;
    std::array<QString, 11> texts;
    const QString twelve = QStringLiteral("880%1").arg(100000000 + n % 900000000);
    barcodes[1] = twelve; // the printer adds the check digit
    barcodes[2] = QStringLiteral("ITEM-%1").arg(n);
    barcodes[3] = QStringLiteral("C39-%1").arg(n);
    for (int t = 1; t <= 4; ++t)
        texts[t] = QStringLiteral("사과 %1-%2").arg(t).arg(n);
    return Printers::of(PrinterModel::SRP770).labelJob(set, 1, barcodes, texts, 1, false);
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

double maximum(const QList<double> &v)
{
    return v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end());
}

void bench(const char *figure, double value, const char *unit, const char *goal)
{
    std::printf("BENCH\t%s\t%.2f %s\t%s\n", figure, value, unit, goal);
}

// Processes events for `ms` milliseconds, as the event loop does between two key strokes.
void idle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const FormatSet set = threeBarcodes();
    bool allScan = true;

    // The check itself: new goods data each time (new symbols to encode and read), and the
    // same label again.
    ScanCheck::run(LabelJobReader::read(job(set, 0))); // fonts, reader tables
    QList<double> fresh, again;
    const LabelDescription same = LabelJobReader::read(job(set, 1));
    for (int i = 0; i < 101; ++i) {
        const LabelDescription d = LabelJobReader::read(job(set, 100 + i));
        QElapsedTimer t;
        t.start();
        const QList<ScanResult> results = ScanCheck::run(d);
        fresh << t.nsecsElapsed() / 1e6;
        for (const ScanResult &r : results)
            allScan = allScan && r.scans();
        allScan = allScan && results.size() == 3;
        t.restart();
        ScanCheck::run(same);
        again << t.nsecsElapsed() / 1e6;
    }
    std::printf("scan check of a 100 x 60 mm label with 3 barcodes and 4 texts: median %.2f ms "
                "(new data), %.2f ms (same label); all scan: %s\n",
                median(fresh), median(again), allScan ? "yes" : "NO");
    bench("scan check, 3 barcodes, median", median(fresh), "ms", "< 20 ms");
    bench("scan check, 3 barcodes, same label again, median", median(again), "ms", "< 20 ms");

    // Before a list print of 999 goods: every label checked (on all cores) before the
    // question.
    {
        QList<PlanScan::Label> plan;
        QHash<int, QStringList> names;
        for (int i = 1; i <= 999; ++i) {
            plan << PlanScan::Label{i, job(set, 5000 + i)};
            names.insert(i, {GoodsTable::numberText(i), QString()});
        }
        QElapsedTimer t;
        t.start();
        const QList<PlanScan::Goods> list = PlanScan::unscannable(plan, names);
        const double seconds = t.nsecsElapsed() / 1e9;
        std::printf("list print of 999 goods, scan check before sending: %.2f s, %d do not "
                    "scan\n",
                    seconds, int(list.size()));
        allScan = allScan && list.isEmpty();
        bench("scan check before a list print of 999 goods", seconds, "s", "< 3 s");
    }

    // The station: every edit redraws the pane at once; the check follows on a worker thread.
    QTemporaryDir data;
    Program().DataDirOverride = data.path();
    Dialogs::setTestMode(true);
    FormatFile::save(set, data.filePath(QStringLiteral("SRP770Frm[00].Txt")), Printers::srp770());
    SRP770Frm station;
    GoodsItem item;
    item.reset();
    item.Name = QStringLiteral("사과");
    item.Barcodes = {QString(), QStringLiteral("8801234567893"), QStringLiteral("ITEM-1"),
                     QStringLiteral("C39-1")};
    for (int t = 1; t <= 4; ++t)
        item.Texts[t] = QStringLiteral("사과 %1").arg(t);
    station.document()->insertItem(item);
    station.setActiveRow(1);
    station.show();
    station.resize(station.sizeHint());
    LabelPreviewPane *pane = Controls::find<LabelPreviewPane>(&station, "LabelPreviewFme");
    LabelPreviewCanvas *canvas = pane->LabelPreviewCnv;
    int checks = 0;
    QElapsedTimer sinceEdit;
    QList<double> latency;
    QObject::connect(pane, &LabelPreviewPane::scanChecked, [&] {
        ++checks;
        latency << sinceEdit.nsecsElapsed() / 1e6;
    });
    idle(200);

    // Typing: an edit every 60 ms. The longest pause of the event loop after each edit (the
    // check's result shown included) shows whether typing would wait for anything.
    QList<double> redraw, worstPause;
    QElapsedTimer tick;
    double worst = 0;
    QTimer heartbeat;
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        worst = qMax(worst, tick.nsecsElapsed() / 1e6);
        tick.restart();
    });
    heartbeat.start();
    const int edits = 100;
    for (int i = 0; i < edits; ++i) {
        QElapsedTimer t;
        t.start();
        StationGoods::setCell(station.document(), 1, GoodsTable::FirstBarcodeColumn + 1,
                                 QStringLiteral("ITEM-%1").arg(1000 + i));
        sinceEdit.restart();
        canvas->repaint();
        redraw << t.nsecsElapsed() / 1e6;
        worst = 0;
        tick.restart();
        idle(60);
        worstPause << worst;
    }
    // The same without edits: what the machine itself costs the event loop.
    QList<double> quietPause;
    for (int i = 0; i < edits; ++i) {
        worst = 0;
        tick.restart();
        idle(60);
        quietPause << worst;
    }
    heartbeat.stop();
    idle(200);
    std::printf("station, %d edits 60 ms apart: redraw median %.2f ms (max %.2f), %d checks "
                "done, edit -> result in the list median %.2f ms, longest event-loop pause "
                "after an edit median %.2f ms (max %.2f), without edits %.2f ms\n",
                edits, median(redraw), maximum(redraw), checks, median(latency), median(worstPause),
                maximum(worstPause), median(quietPause));
    bench("preview redraw after an edit, scan check running, median", median(redraw), "ms",
          "< 16 ms");
    bench("preview edit -> scan result shown, median", median(latency), "ms", "< 100 ms");
    bench("longest event-loop pause per edit while checking, median", median(worstPause), "ms",
          "< 16 ms");
    bench("longest event-loop pause per 60 ms without edits, median", median(quietPause), "ms",
          "(the machine)");
    return allScan && checks > 0 ? 0 : 1;
}
