#pragma once

#include <QMetaType>
#include <QString>

class QObject;
class QTableView;

// How a grid prints: the options of the print options window, the page range, the margins
// and the orientation of the page setup window, and the page header. Kept with each grid
// (as a property of the view), so a later print or preview of that grid uses them.
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

    static GridPrintSettings of(const QObject *grid);
    static void store(QObject *grid, const GridPrintSettings &settings);
};

Q_DECLARE_METATYPE(GridPrintSettings)

// Sets the page header of a grid's report: the title centred in 16-point bold, then an empty
// 10-point line.
void SetReportHeader(QTableView *grid, const QString &title);
