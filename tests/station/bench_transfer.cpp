// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark: the AL-300 station stays responsive while it transfers a 64 KB goods table to a
// printer that takes 2,000 bytes a second (about half a minute). A timer of the station's
// thread ticks every 5 ms; the longest gap between two ticks is the longest stall of the
// event loop, counted from the click on "전송" (the scan check of the goods before sending
// included). The printer is a pseudo-terminal read by a thread of its own, 20 bytes every
// 10 ms; the printer's waits are the real ones.

#include "station/al300frm.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "model/goodstable.h"
#include "sending/sendqueue.h"
#include "station/stationprinter.h"
#include "support/labelsetfixture.h"
#include "support/ptyprinter.h"

#include "support/goodsrows.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <poll.h>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Dialogs::setTestMode(true);
    QTemporaryDir dir;
    PtyPrinter pty;
    if (!dir.isValid() || !pty.isValid() || !LabelSetFixture::write(dir.path(), pty.device()))
        return 1;
    Program().DataDirOverride = dir.path();

    // 999 goods whose item table is about 64 KB.
    GoodsRows goods;
    for (int n = 1; n <= 999; ++n) {
        const int row = goods.appendRow();
        goods.setCell(row, GoodsTable::NumberColumn, GoodsTable::numberText(n));
        goods.setCell(row, GoodsTable::NameColumn, QStringLiteral("상품 %1").arg(n));
        goods.setCell(row, GoodsTable::FormatColumn, QStringLiteral("1"));
        goods.setCell(row, GoodsTable::QtyColumn, QStringLiteral("1"));
        const QString code = QStringLiteral("880123%1").arg(n, 6, 10, QLatin1Char('0'));
        goods.setCell(row, GoodsTable::FirstBarcodeColumn, code + EanCheckDigit(code));
        goods.setCell(row, GoodsTable::FirstTextColumn, QStringLiteral("사과 상품 %1").arg(n));
        goods.setCell(row, GoodsTable::FirstTextColumn + 1, QStringLiteral("%1원").arg(n * 10));
        goods.setCell(row, GoodsTable::FirstTextColumn + 2, QStringLiteral("1.5kg"));
    }
    if (!goods.save(dir.filePath(QStringLiteral("AL300Dat[00].Txt"))))
        return 1;

    std::atomic<bool> stop{false};
    std::atomic<qint64> received{0};
    std::thread printer([&] {
        // 2,000 bytes a second: 20 bytes every 10 ms.
        char buf[20];
        while (!stop) {
            pollfd p{pty.masterFd(), POLLIN, 0};
            if (::poll(&p, 1, 10) > 0) {
                const ssize_t n = ::read(pty.masterFd(), buf, sizeof buf);
                if (n > 0)
                    received += n;
            }
            ::usleep(10000);
        }
    });

    AL300Frm station;
    station.show();
    station.Al300SaveCmd->click();
    station.SelGodsChk->setChecked(true);
    // The station as the operator sees it: shown and painted before the transfer starts.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    // The stalls count from the click: the scan check of the goods runs before the first job.
    QElapsedTimer clock;
    qint64 last = 0, longest = 0, longestAt = 0, sendingFrom = -1;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last > 0 && now - last > longest) {
            longest = now - last;
            longestAt = now;
        }
        last = now;
    });
    QObject::connect(station.printer()->queue(), &SendQueue::jobStarted, [&](int index, int) {
        if (index == 0)
            sendingFrom = clock.nsecsElapsed();
    });
    clock.start();
    tick.start();
    station.BarSaveCmd->click();
    while (station.printer()->isPrinting())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    tick.stop();
    const double seconds = clock.nsecsElapsed() / 1e9;
    // The printer still takes what the port holds.
    const qint64 table = QFile(dir.filePath(QStringLiteral("AL300Save3.Txt"))).size() - 2;
    while (received < table && clock.elapsed() < 120000)
        ::usleep(10000);
    stop = true;
    printer.join();
    std::printf("scan check before sending %.2f s; goods table of %lld bytes handed to the port "
                "in %.1f s, received by the printer in %.1f s; longest event-loop stall from "
                "the click %.2f ms\n",
                sendingFrom / 1e9, table, seconds, clock.nsecsElapsed() / 1e9, longest / 1e6);
    if (qEnvironmentVariableIsSet("BENCH_DETAIL"))
        std::printf("longest stall ended %.3f s after the start\n", longestAt / 1e9);
    std::printf("BENCH\tAL-300 64 KB transfer at 2,000 B/s, longest gap between 5 ms ticks from the "
                "click\t%.2f ms\t< 20 ms\n",
                longest / 1e6);
    // A transfer that never started (a question answered "no", nothing sent) is no figure.
    return sendingFrom >= 0 && table > 0 && station.printer()->queue()->summary().allSent() ? 0 : 1;
}
