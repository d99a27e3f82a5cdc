// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labelraster.h"

// Labels drawn for a printer language by the label painter: the very drawing of the preview.
class PainterRaster : public LabelRaster {
public:
    PrintedLabel draw(const LabelDescription &label, int dotsPerMm) const override;
    // One for everyone: it keeps no state.
    static const PainterRaster &instance();
};
