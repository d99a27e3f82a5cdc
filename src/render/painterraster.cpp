// SPDX-License-Identifier: GPL-3.0-or-later
#include "painterraster.h"

#include "render/labelpainter.h"

PrintedLabel PainterRaster::draw(const LabelDescription &label, int dotsPerMm) const
{
    return LabelPainter::printedParts(label, dotsPerMm);
}

const PainterRaster &PainterRaster::instance()
{
    static const PainterRaster raster;
    return raster;
}
