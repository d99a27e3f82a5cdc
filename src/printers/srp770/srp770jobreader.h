#pragma once

#include "model/jobfields.h"
#include "model/labeldescription.h"

// Reads an SRP-770 label job (CB, SS, SD, SW, SL, SO, B1, T, P; numbers in dots) back into a
// label description.
class Srp770JobReader {
public:
    // One job from lines[*i] on: up to its P line or to the next job ("CB" again, or an
    // AL-300 block). *i is left after it.
    static LabelDescription read(const QList<JobLine> &lines, int *i);
};
