// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// labelstation render JOBFILE --png FILE [--dpi N]
// A virtual printer: draws the labels of a printer job text (a copy file such as
// SRP770Print.Txt, or what print --out wrote) as pictures.
class RenderCommand {
public:
    static int run(const QStringList &arguments);
};
