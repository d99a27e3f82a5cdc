// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// How a grid prints: the options of the print options window, the page range, the margins
// and the orientation of the page setup window, and the page header. A window that reports
// keeps one value of these for as long as it lives (see ReportPrintSettings), so a later
// print or preview from that window uses what the operator set.
struct GridPrintSettings {
    enum PrintType { All = 0, CellRange = 1, CurrentPage = 2, PageRange = 3 };

    QString header;         // header codes (see PrintHeader)
    bool colHeaders = true; // column titles
    bool rowHeaders = true; // row numbers
    bool gridLines = true;  // lines between the cells
    bool border = true;     // a frame around the table
    bool useDataMax = true; // leave out trailing empty rows and columns
    bool colour = false;    // the grid's cell colours
    bool shadows = true;    // shaded title cells
    int printType = All;
    int pageStart = 1; // PageRange, 1-based
    int pageEnd = 1;
    int blockCol = 0, blockCol2 = -1, blockRow = 0, blockRow2 = -1; // CellRange, 0-based
    // Margins in twips (1440 to the inch).
    double marginLeft = 14.4, marginRight = 14.4, marginTop = 14.4, marginBottom = 14.4;
    int orientation = 1; // 1 portrait, 2 landscape

    // The settings of a registration report: these with the report's page header (the
    // title centred in 16-point bold, then an empty 10-point line).
    GridPrintSettings withReportTitle(const QString &title) const;
};

// The print settings a preview shares with the page setup and print options windows it
// opens: what one of them sets, the others and the next preview of the same window see.
using SharedPrintSettings = std::shared_ptr<GridPrintSettings>;
