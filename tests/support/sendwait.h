// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Labels go out on the event loop: a test that clicks a print or transfer command waits here
// until the station has sent everything (or the time is up).

#include "station/stationprinter.h"

#include <QElapsedTimer>
#include <QTest>

inline bool waitUntilSent(StationPrinter *printer, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (printer->isPrinting() && clock.elapsed() < ms)
        QTest::qWait(5);
    return !printer->isPrinting();
}
