// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"
#include "sending/printjob.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class GoodsTable;
struct LabelJob;

// The AL-300 transfer for the printer's stand-alone mode: the jobs it sends, in order. Ticked
// formats send the format download (copy "AL300Save1.Txt") and then the link download
// ("AL300Save2.Txt"); the goods send the item table download ("AL300Save3.Txt"). Each job is
// its own port cycle with the driver's transfer wait.
class Al300Transfer {
public:
    // formats[1..5]: the ticked formats (slot 0 unused). goodsRows: the goods list's cell
    // texts (GoodsTable::rowTexts()), sent only when `sendGoods`. The copy files go into
    // `dataDir`. Nothing ticked: no jobs.
    static QList<PrintJob> jobs(const FormatSet &set, const std::array<bool, 6> &formats,
                                bool sendGoods, const QList<QStringList> &goodsRows,
                                const QString &dataDir);

    // The labels a transfer sets up for the printer's stand-alone mode, each as the direct
    // print job that draws the same label: every goods row of the item table (goods number
    // 1..999) in its own format, when the goods are sent or its format is. The printer fills
    // the stored format from its item table, so fixed barcode values and right-aligned text
    // widths, which only the direct print job knows, play no part.
    static QList<LabelJob> labels(const FormatSet &set, const std::array<bool, 6> &formats,
                                  bool sendGoods, const GoodsTable &goods);
};
