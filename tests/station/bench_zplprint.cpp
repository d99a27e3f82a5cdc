// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark: a list print of 999 labels from the SRP-770 station to a ZPL printer on the
// network (a local TCP port read by a thread of its own as fast as it can). The shipped
// path: real waits (ZPL has none), every label drawn in ZPL and scan-checked before anything
// is sent, the window's own thread. Figures: the time from the click to the last byte
// handed over (the wire here is the loopback, so this is the program's time), and the
// longest gap between two ticks of a 5 ms timer of the window's thread from the click on.

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "common/textutil.h"
#include "model/goodstable.h"
#include "sending/sendqueue.h"
#include "station/srp770frm.h"
#include "station/stationprinter.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Dialogs::setTestMode(true);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    Program().DataDirOverride = dir.path();

    // The printer: accepts connections and reads everything, counting bytes.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
        return 1;
    std::atomic<qint64> received{0};
    std::atomic<int> connections{0};
    std::thread printer([&] {
        for (;;) {
            const int c = ::accept(listener, nullptr, nullptr);
            if (c < 0)
                return;
            ++connections;
            char buf[65536];
            ssize_t n;
            while ((n = ::read(c, buf, sizeof buf)) > 0)
                received += n;
            ::close(c);
        }
    });

    if (!LabelSetFixture::write(dir.path(), QStringLiteral("/dev/null")) ||
        !TextFile::writeLines(dir.filePath(QStringLiteral("ComPorts.Txt")),
                              {QStringLiteral("COM3'tcp://127.0.0.1:%1").arg(ntohs(addr.sin_port))}) ||
        !TextFile::writeLines(dir.filePath(QStringLiteral("ComPortLanguages.Txt")),
                              {QStringLiteral("COM3'zpl'203")}))
        return 1;
    // 999 goods in format 1 (EAN-13, a Hangul name, a right-aligned price), each its own.
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
        goods.setCell(row, GoodsTable::FirstTextColumn + 1, QStringLiteral("%1").arg(n * 10));
    }
    if (!goods.save(dir.filePath(QStringLiteral("SRP770Dat[00].Txt"))))
        return 1;

    SRP770Frm station;
    station.show();
    StationPrinter *p = station.printer();
    station.findChild<QPushButton *>(QStringLiteral("GdsAllBarCmd"))->click();
    p->BarPrtSel1Opt->click();
    p->BarPrtSu1Opt->click();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);

    QElapsedTimer clock;
    qint64 last = 0, longest = 0, longestAt = 0, firstJob = -1;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (now - last > longest) {
            longest = now - last;
            longestAt = now;
        }
        last = now;
    });
    QObject::connect(p->queue(), &SendQueue::jobStarted, [&](int index, int) {
        if (index == 0)
            firstJob = clock.nsecsElapsed();
    });
    Dialogs::queueAnswer(true); // should a label not scan
    clock.start();
    tick.start();
    p->BarPrintEnter2Cmd->click();
    while (p->isPrinting())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    tick.stop();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const int sent = p->queue()->summary().sent;
    ::shutdown(listener, SHUT_RDWR);
    ::close(listener);
    printer.join();
    std::printf("999 ZPL labels: drawn and scan-checked in %.2f s, all handed to the port in "
                "%.2f s (%d sent over %d connection(s), %lld bytes received); longest gap of the "
                "window's thread %.1f ms\n",
                firstJob / 1e9, seconds, sent, int(connections), qint64(received), longest / 1e6);
    if (qEnvironmentVariableIsSet("BENCH_DETAIL"))
        std::printf("longest gap ended %.3f s after the click\n", longestAt / 1e9);
    std::printf("BENCH\t999 ZPL labels to a network printer, click to last byte (loopback)\t%.2f "
                "s\t< 2 s\n",
                seconds);
    std::printf("BENCH\t999 ZPL labels, longest gap between 5 ms ticks of the window (check "
                "included)\t%.1f ms\t< 20 ms\n",
                longest / 1e6);
    return sent == 999 ? 0 : 1;
}
