// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation report srp770|al300|leo60d (--set NN | --pre FILE) (--xlsx FILE | --pdf FILE)
//     [--by number|name]
// The registration report of a station's goods list as a workbook or as printed pages.
class ReportCommand {
public:
    static int run(const QStringList &arguments);
};
