// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test executable: the printer's mandated waits last a hundredth of their
// time under test. A test that needs the full wait sets the scale back to 1.

#include "common/waiting.h"

namespace {

[[maybe_unused]] const bool WaitsShortened = [] {
    SetWaitScaleForTests(0.01);
    return true;
}();

} // namespace
