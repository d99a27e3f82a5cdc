// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation ports
// The serial ports the system offers and where the stations' COM1..COM9 send.
class PortsCommand {
public:
    static int run(const QStringList &arguments);
};
