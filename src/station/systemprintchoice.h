// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a station prints when it prints through a system printer rather than a port: the
// printer, the paper (a roll, one label a page, or a sheet layout) and the first label of the
// first sheet. Kept by the station while it is open; the format file keeps its port.
struct SystemPrintChoice {
    QString printer; // as the system names it (lpstat -p); empty: the station's port
    QString sheet;   // a sheet layout's name; empty: a roll
    int start = 1;   // 1-based label of the first sheet

    bool isOn() const { return !printer.isEmpty(); }
    // "시스템 프린터: Office, 시트 3×8 (5번째부터)", "시스템 프린터: Label, 롤"
    QString caption() const
    {
        if (!isOn())
            return QString();
        const QString paper =
            sheet.isEmpty()
                ? QStringLiteral("롤")
                : QStringLiteral("시트 %1").arg(sheet) +
                      (start > 1 ? QStringLiteral(" (%1번째부터)").arg(start) : QString());
        return QStringLiteral("시스템 프린터: %1, %2").arg(printer, paper);
    }
    // Beside the ports, where room is short: "Office, 3×8 (5번째부터)", "Label, 롤"
    QString shortCaption() const
    {
        return caption()
            .section(QStringLiteral(": "), 1)
            .replace(QStringLiteral("시트 "), QString());
    }
};
