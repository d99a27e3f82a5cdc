// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// `labelstation goods import|export ...`: goods lists from and for other programs.
class GoodsCommand {
public:
    static int run(const QStringList &arguments);
};
