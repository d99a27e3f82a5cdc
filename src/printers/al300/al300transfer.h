#pragma once

#include "model/formatset.h"
#include "sending/printjob.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

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
};
