// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300transfer.h"

#include "common/textutil.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/al300/al300driver.h"
#include "printers/al300/al300protocol.h"

#include <QDir>

QList<PrintJob> Al300Transfer::jobs(const FormatSet &set, const std::array<bool, 6> &formats,
                                    bool sendGoods, const QList<QStringList> &goodsRows,
                                    const QString &dataDir)
{
    const QDir dir(dataDir);
    auto job = [&dir](const char *name, const QString &text, const char *copy) {
        return PrintJob{QString::fromLatin1(name), text, dir.filePath(QString::fromLatin1(copy)),
                        Al300Driver::TransferWaitSeconds};
    };
    QList<PrintJob> out;
    bool anyFormat = false;
    for (int i = 1; i <= FormatSet::FormatCount; ++i)
        anyFormat = anyFormat || formats[size_t(i)];
    if (anyFormat) {
        out << job("format download", BuildFormatDownload(set, formats), "AL300Save1.Txt");
        out << job("link download", BuildLinkDownload(set, formats), "AL300Save2.Txt");
    }
    if (sendGoods)
        out << job("goods table download", BuildItemTableDownload(goodsRows), "AL300Save3.Txt");
    return out;
}

QList<LabelJob> Al300Transfer::labels(const FormatSet &set, const std::array<bool, 6> &formats,
                                      bool sendGoods, const GoodsTable &goods)
{
    FormatSet stored = set;
    for (int f = 1; f <= FormatSet::FormatCount; ++f) {
        for (int b = 1; b <= FormatSet::BarcodeCount; ++b)
            stored.Fmt[f].Bar[b].BarString.clear();
        for (int t = 1; t <= FormatSet::ShownTextCount; ++t)
            stored.Fmt[f].Txt[t].TxtRight = 0;
    }
    QList<LabelJob> out;
    for (int r = 1; r <= goods.rows(); ++r) {
        const int number = goods.numberAt(r);
        if (number < 1 || number > 999)
            continue;
        const int format = int(LeadingNumber(goods.cell(r, GoodsTable::FormatColumn)));
        if (format < 1 || format > FormatSet::FormatCount ||
            (!sendGoods && !formats[size_t(format)]))
            continue;
        LabelJob job;
        if (LabelJob::plan(Al300Driver::instance(), stored, goods, r, 1, 0, false, &job))
            out << job;
    }
    return out;
}
