#pragma once

#include <QtGlobal>

// Returns when at least `seconds` whole seconds have passed on a monotonic clock, keeping
// the user interface alive: events are processed meanwhile, without a busy loop. 0 or less
// returns at once. Tests may shorten the wait with the environment variable
// LABELSTATION_WAIT_SCALE (a factor such as 0.01); the program always waits the full time.
void WaitSeconds(qint32 seconds);
