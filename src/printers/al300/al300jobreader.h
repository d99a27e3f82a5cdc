// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/jobfields.h"
#include "model/labeldescription.h"

// Reads an AL-300 direct print job back into a label description: the format part
// "{F001,..." with its object lines and the data part "{B001,..." with one value per object;
// lengths in tenths of a millimetre, rounded to the head's dots. Any other block ("{N,",
// "{S,", "{I,": the downloads) is no print job and is reported as such.
class Al300JobReader {
public:
    // One job (or other block) from lines[*i] on; *i is left after it.
    static LabelDescription read(const QList<JobLine> &lines, int *i);
};
