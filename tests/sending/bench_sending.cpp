// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark: what the send queue costs per label beyond the printer's mandated wait, as the
// shipped program sends. Six SRP-770 labels go to a pseudo-terminal printer (drained by a
// thread of its own) with the real 3 s waits (about 15 s in all); each label's overhead is
// the time from its start to the next label's start, less the wait. It covers the copy
// file, opening the port, handing over the bytes, the wait timer's lateness and closing.

#include "common/waiting.h"
#include "printers/printers.h"
#include "sending/sendqueue.h"
#include "support/labelsetfixture.h"
#include "support/ptyprinter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int Labels = 6;
    const PrinterDriver &printer = Printers::srp770();
    const qint64 waitNs = MandatedWaitMs(printer.printWaitSeconds()) * 1000000;

    PtyPrinter pty;
    QTemporaryDir dir;
    if (!pty.isValid() || !dir.isValid())
        return 1;
    std::atomic<bool> stop{false};
    std::atomic<qint64> received{0};
    std::thread drain([&] {
        while (!stop)
            received += pty.readAll(20).size();
    });

    const FormatSet set = LabelSetFixture::srp770Formats();
    QList<PrintJob> jobs;
    for (int i = 0; i < Labels; ++i) {
        std::array<QString, 4> barcodes{QString(), QStringLiteral("880123456789%1").arg(i % 10)};
        std::array<QString, 11> texts{QString(), QStringLiteral("사과 %1").arg(i),
                                      QStringLiteral("%1원").arg(1000 + i)};
        jobs << PrintJob{QStringLiteral("goods %1").arg(i + 1),
                         printer.labelJob(set, 1, barcodes, texts, 1, false),
                         dir.filePath(printer.printCopyFileName()), printer.printWaitSeconds()};
    }

    SendQueue queue;
    queue.setTarget(PortTarget::serial(pty.device()));
    QList<qint64> starts;
    QElapsedTimer clock;
    QObject::connect(&queue, &SendQueue::jobStarted, [&] { starts << clock.nsecsElapsed(); });
    QEventLoop loop;
    QObject::connect(&queue, &SendQueue::finished, &loop, [&] {
        starts << clock.nsecsElapsed();
        loop.quit();
    });
    clock.start();
    queue.start(jobs);
    loop.exec();
    stop = true;
    drain.join();

    QList<double> overheadMs;
    for (int i = 0; i + 1 < starts.size(); ++i)
        overheadMs << (starts[i + 1] - starts[i] - waitNs) / 1e6;
    std::sort(overheadMs.begin(), overheadMs.end());
    const double median = overheadMs[overheadMs.size() / 2];
    const double maximum = overheadMs.last();
    std::printf("%d labels sent (%lld bytes received), wait %.0f ms each\n", queue.summary().sent,
                qint64(received), waitNs / 1e6);
    std::printf("overhead per label beyond the wait: median %.3f ms, maximum %.3f ms\n", median,
                maximum);
    std::printf("BENCH\tsending, overhead per label beyond the wait, median\t%.3f ms\t< 1 ms\n",
                median);
    std::printf("BENCH\tsending, overhead per label beyond the wait, maximum\t%.3f ms\t-\n",
                maximum);
    return queue.summary().sent == Labels ? 0 : 1;
}
