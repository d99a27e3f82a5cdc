// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation transfer --set NN [--formats LIST] [--goods] (--port N | --device PATH |
//     --out FILE)
// The AL-300 transfer for the printer's stand-alone mode, as the station's transfer panel
// sends it.
class TransferCommand {
public:
    static int run(const QStringList &arguments);
};
