// SPDX-License-Identifier: GPL-3.0-or-later
#include "printerlanguage.h"

#include <cmath>

QString PrinterLanguage::caption(int) const
{
    return name();
}

int PrinterLanguage::dotsPerMm(int dpi)
{
    return qMax(1, int(std::lround(dpi / 25.4)));
}

QString PrinterLanguage::describedLabelJob(const LabelDescription &, const LabelRaster &, int, int,
                                           bool) const
{
    return {};
}
