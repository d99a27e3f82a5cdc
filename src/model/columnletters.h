// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Spreadsheet column letters of a 1-based column number: 1 "A" .. 26 "Z", 27 "AA" .. 702
// "ZZ". Numbers outside 1..702 have no two-letter name and give the empty text.
QString ColumnLetters(int column);
