// SPDX-License-Identifier: GPL-3.0-or-later
#include "modalopening.h"

#include "common/programstate.h"

bool OpenModal(const std::function<void()> &open)
{
    ProgramState &p = Program();
    if (p.ModalOpening != 0)
        return false;
    p.ModalOpening = 1;
    open();
    return true;
}
