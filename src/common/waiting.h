// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Returns when at least `seconds` whole seconds have passed on a monotonic clock, keeping
// the user interface alive: events are processed meanwhile, without a busy loop. 0 or less
// returns at once.
void WaitSeconds(qint32 seconds);

// The length of a mandated printer wait of `seconds` in milliseconds (0 for 0 or less).
// The program always waits the full time, whatever its environment.
qint64 MandatedWaitMs(qint32 seconds);

// Test seam: test executables shorten every mandated wait by `factor` (0 < factor <= 1;
// any other value restores the full wait). Nothing in the program calls it.
void SetWaitScaleForTests(double factor);
double WaitScale();
