// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation convert-pre FILE --set NN [--barcodes C1,C2,C3] [--texts C1,...,C10] [--yes]
// Converts a LEO-60D+ goods file into the AL-300 goods data file of a barcode set, as the
// conversion window does.
class ConvertPreCommand {
public:
    static int run(const QStringList &arguments);
};
