#include "waiting.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

namespace {

double waitScale()
{
    const char *s = std::getenv("LABELSTATION_WAIT_SCALE");
    if (!s || !*s)
        return 1.0;
    const double v = std::atof(s);
    return v > 0 ? v : 1.0;
}

} // namespace

void WaitSeconds(qint32 seconds)
{
    if (seconds <= 0)
        return;
    const qint64 totalMs = qint64(seconds * 1000.0 * waitScale());
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
