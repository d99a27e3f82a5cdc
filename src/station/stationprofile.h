// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printerdriver.h"

#include <QString>

// What differs between the two label stations that share one window: the printer's driver
// and the station's own captions and screen hints.
struct StationProfile {
    const PrinterDriver *printer = nullptr;
    QString caption; // window caption
    // The AL-300 station sorts its goods by number before it saves them.
    bool sortBeforeSave = false;
    // The AL-300 puts fixed texts into its records unquoted: they lose its delimiters too.
    bool filterFixedTexts = false;

    // Screen hints.
    QString unitHint;
    QString positionHint;
    QString heightHint;
    QString sizeHint;
    QString rightHint;
    QString fixedHint;

    static StationProfile srp770();
    static StationProfile al300();
};
