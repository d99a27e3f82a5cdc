// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Registers the model windows (the stations and the LEO-60D+ conversion) with the main
// window's opening mechanism.
void RegisterModelWindows();
