// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class QIODevice;

// What the compound file around an .xls (its "container": header, allocation tables,
// directory, streams) says, looked through before FreeXL reads the file. FreeXL trusts it:
// it reads past a directory entry whose name a damaged file makes too long, and it allocates
// the whole used range of every sheet (16 bytes a cell) as it opens the file, so that a small
// file claiming 65,536 rows by 256 columns takes 270 MB at once.
//
// The file is read a sector at a time, never held whole.
class XlsContainer {
public:
    enum class Verdict {
        Readable, // as far as it was looked at
        Damaged,  // a chain that cannot be followed, a name longer than its entry
        TooLarge, // the sheets' used ranges span more than `maxRangeCells` cells
    };
    // `file` from its start; its position afterwards is undefined.
    static Verdict check(QIODevice *file, qint64 maxRangeCells);
};
