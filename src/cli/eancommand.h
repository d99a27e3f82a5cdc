// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation ean check CODE
// labelstation ean new [--mode M] [--prefix P] [--company C] [--goods G]
// EAN check digits and store numbers by the generator's rules.
class EanCommand {
public:
    static int run(const QStringList &arguments);
};
