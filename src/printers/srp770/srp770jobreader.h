// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerlanguage.h"

// Reads an SRP-770 label job (CB, SS, SD, SW, SL, SO, B1, T, P; numbers in dots) back into a
// label description.
class Srp770JobReader {
public:
    // One job from lines[*i] on: up to its P line or to the next job ("CB" again, or a line
    // where `otherJob` sees another language's job begin). *i is left after it.
    static LabelDescription read(const QList<JobLine> &lines, int *i,
                                 const PrinterLanguage::JobStart &otherJob);
};
