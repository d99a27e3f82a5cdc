// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation sheets
// The label sheet layouts print --sheet takes: the built-in ones and the operator's own.
class SheetsCommand {
public:
    static int run(const QStringList &arguments);
};
