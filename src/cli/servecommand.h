// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation serve [--listen ADDRESS:PORT] [--watch FOLDER] [--require-token]
// The print service for other programs, until SIGTERM or SIGINT.
class ServeCommand {
public:
    static int run(const QStringList &arguments);
};
