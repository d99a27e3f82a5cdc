// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation check srp770|al300 --set NN
// Lists what in a barcode set would print wrongly or not at all, and scan-checks the label of
// every goods row; status 1 when anything is found or a barcode does not scan.
class CheckCommand {
public:
    static int run(const QStringList &arguments);
};
