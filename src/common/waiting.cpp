// SPDX-License-Identifier: GPL-3.0-or-later
#include "waiting.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

double g_waitScale = 1.0;

} // namespace

void SetWaitScaleForTests(double factor)
{
    g_waitScale = factor > 0 && factor <= 1 ? factor : 1.0;
}

double WaitScale()
{
    return g_waitScale;
}

qint64 MandatedWaitMs(qint32 seconds)
{
    if (seconds <= 0)
        return 0;
    return qint64(seconds * 1000.0 * g_waitScale);
}

void WaitSeconds(qint32 seconds)
{
    const qint64 totalMs = MandatedWaitMs(seconds);
    if (totalMs <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // Read the clock once per round: a second reading could already be past the end
        // and give the timer a negative interval, which never fires.
        const qint64 left = totalMs - clock.elapsed();
        if (left <= 0)
            break;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int(qMin<qint64>(left, 50)));
        loop.exec();
    }
}
