// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One job of a send: the printer's command text (sent in CP949), the copy file that keeps
// it (replaced by the text and one more CR LF before the port is touched) and the seconds to
// wait after the last byte before the port is closed.
struct PrintJob {
    QString name; // what messages call it: "goods 003", "AL300Save1.Txt"
    QString text;
    QString copyFile; // full path; "" for none
    int waitSeconds = 0;
};
