// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation print srp770|al300 --set NN (--items LIST | --all) [--qty N] [--format K]
//     [--stock G|B] (--port N | --device PATH | --out FILE)
// Prints goods of a barcode set as the station's list print does: one label job per goods
// row in list order, each with the row's own quantity or --qty, with the row's format or
// --format.
class PrintCommand {
public:
    static int run(const QStringList &arguments);
};
