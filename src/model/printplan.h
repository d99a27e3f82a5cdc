// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "model/printerdriver.h"
#include "sending/printjob.h"

#include <QList>
#include <QString>
#include <QStringList>

class GoodsTable;
class LabelRaster;

// What the operator asked to print: goods rows in order, how many labels of each, in which
// format, on which stock.
struct PrintRequest {
    QList<int> rows;        // goods rows, 1-based, in print order
    int typedQuantity = 0;  // labels of every row; 0: each row's own quantity
    int overrideFormat = 0; // 1..5: every row in this format; 0: each row's own
    bool blackMark = false; // black-mark stock (else gap stock)
};

// The one plan of a print, for the stations, the command line, the label PDF and the scan
// check alike: goods rows become label jobs of the station's printer, and, for a port that
// speaks another language, the same labels in that language (drawn from the station's own
// job as it reads back, so that both print the same picture). Rows that print nothing are
// kept with the reason.
class PrintPlan {
public:
    struct Label {
        int row = 0;
        QString number; // the goods number as the list shows it
        int format = 0;
        int count = 0;
        QString stationJob; // the station printer's command text
        QString job;        // the text in the port's language (the station's: stationJob)
    };
    enum class Skip {
        NoQuantity, // quantity 0 or less
        TooMany,    // more than one label job carries (LabelJob::MaxCount)
        NoFormat,   // no format 1..5
    };
    struct Skipped {
        int row = 0;
        QString number;
        Skip why = Skip::NoQuantity;
        int count = 0;
    };

    // The labels of `request` in the station's own language. Cheap: no picture is drawn.
    static PrintPlan make(const PrinterDriver &station, const FormatSet &set,
                          const GoodsTable &goods, const PrintRequest &request);

    // The labels in `language` at `dpi` (pictures from `raster`); the station's own language
    // keeps the station's jobs. Uses the plan's own texts only, so it may run on another
    // thread. Labels whose station job reads back the same are drawn once.
    void translate(const PrinterLanguage &language, int dpi, const LabelRaster *raster,
                   bool blackMark);

    // One print job per label ("goods 003"), each with the copy file and `language`'s wait.
    QList<PrintJob> jobs(const PrinterLanguage &language, const QString &copyFile) const;

    QList<Label> labels;
    QList<Skipped> skipped;
    int count(Skip why) const;

private:
    const PrinterDriver *m_station = nullptr;
};
