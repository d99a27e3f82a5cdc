// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/currency.h"

#include <QString>
#include <QtGlobal>

#include <array>

// The exit button that closed the print-condition dialog, as its result code: nothing
// (cancel, Escape, the close box), confirm, sheet print, spreadsheet file, spreadsheet view.
enum class PrintExit : qint16 {
    Nothing = 0,
    Confirm = 1,
    SheetPrint = 2,
    SpreadsheetFile = 3,
    SpreadsheetView = 4
};

// The report request that a station hands to the print-condition dialog, and the dialog's
// answer: the same record, with the choice, the preview flag and (for confirm, preview and
// cancel) the dialog's state filled in.
struct ReportRequest {
    QString ListKind;                   // the form name without "Frm": "SRP770", "AL300", "LEO60D"
    qint16 RangeKind = 1;               // 1..5: which range panel the dialog shows
    std::array<bool, 6> PaperAllowed{}; // 1..5
    std::array<Currency, 14> RangeValues{}; // 0..13 start/end values, plus one further
    Currency ExtraValue;
    QString TextStart;
    QString TextEnd;
    std::array<QString, 15> KindCaptions;   // 1..14
    std::array<QString, 5> MessageCaptions; // 1..4

    // The answer.
    PrintExit PrintChoice = PrintExit::Nothing;
    bool PreviewRequested = false; // closed through the preview button
    // Returned by confirm, preview and cancel.
    qint16 PrinterType = 0;
    qint16 FineAdjustOff = 0;
    qint16 Box = 0;
    Currency FineY, FineH, FineL;
    std::array<qint16, 9> Selections{}; // 1 paper, 2 kind, 3 method, 4, 5, 6..8 options
    Currency StartComposite, EndComposite;
    int Year = 0, Month = 0, Day = 0;
};
