// SPDX-License-Identifier: GPL-3.0-or-later
// The print service under load, as shipped (the labelstation program, no test seam): 20
// clients send 50 print requests each at once, one after another per client, to two ZPL
// printers on local TCP ports that take everything at once (ZPL has no mandated waits, so
// the figures are the service's own). Figures: the time from a request to its answer "202
// accepted" (the order read, the files read, the labels planned and scan-checked), median
// and 99th percentile; and labels per second from the first request to the last label in.
// Prints BENCH lines (figure, value, goal) for scripts/bench.sh.

#include "common/textfile.h"
#include "loadrun.h"
#include "support/labelsetfixture.h"
#include "support/tcpprinter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    TcpPrinter printers[2];
    if (!LabelSetFixture::write(dir.path(), QStringLiteral("/dev/null")) ||
        !TextFile::writeLines(dir.filePath(QStringLiteral("ComPorts.Txt")),
                              {"COM3'" + printers[0].target(), "COM4'" + printers[1].target()}) ||
        !TextFile::writeLines(dir.filePath(QStringLiteral("ComPortLanguages.Txt")),
                              {QStringLiteral("COM3'zpl'203"), QStringLiteral("COM4'zpl'203")}))
        return 1;
    ServiceProcess service;
    service.setProgram(QStringLiteral(LABELSTATION_SHIPPED_BIN));
    if (!service.start(dir.path()))
        return 1;
    runLoad(service, 2, 10); // warm up
    QTest::qWait(500);
    printers[0].clear();
    printers[1].clear();

    QElapsedTimer clock;
    clock.start();
    const LoadResult r = runLoad(service, 20, 50);
    while (loadLabels(printers[0].bytes(0, 0)).size() + loadLabels(printers[1].bytes(0, 0)).size() <
               1000 &&
           clock.elapsed() < 120000)
        QTest::qWait(5);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const int printed = int(loadLabels(printers[0].bytes(0, 0)).size() +
                            loadLabels(printers[1].bytes(0, 0)).size());
    if (r.accepted != 1000 || printed != 1000) {
        std::fprintf(stderr, "accepted %d, printed %d of 1000\n", r.accepted, printed);
        return 1;
    }
    auto at = [&r](double q) {
        return r.latencyUs[qMin(int(r.latencyUs.size()) - 1, int(q * r.latencyUs.size()))] / 1000.0;
    };
    std::printf("BENCH\tprint service, 20 clients x 50 requests: request to 202, median\t%.1f ms\t"
                "none set\n",
                at(0.5));
    std::printf("BENCH\tprint service, 20 clients x 50 requests: request to 202, p99\t%.1f ms\t"
                "< 50 ms\n",
                at(0.99));
    std::printf("BENCH\tprint service, labels per second to two ZPL printers\t%.0f /s\tnone set\n",
                printed / seconds);
    return service.stop() == 0 ? 0 : 1;
}
