// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer's entry point for one reader: FUZZ_ENTRY names its function (fuzztargets.h).

#include "fuzztargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FUZZ_ENTRY(data, size);
}
