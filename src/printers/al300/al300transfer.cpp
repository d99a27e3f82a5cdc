#include "al300transfer.h"

#include "printers/al300/al300protocol.h"

QList<Al300Transfer::Job> Al300Transfer::jobs(const FormatSet &set,
                                              const std::array<bool, 6> &formats, bool sendGoods,
                                              const QList<QStringList> &goodsRows)
{
    QList<Job> out;
    bool anyFormat = false;
    for (int i = 1; i <= FormatSet::FormatCount; ++i)
        anyFormat = anyFormat || formats[size_t(i)];
    if (anyFormat) {
        out.append({BuildFormatDownload(set, formats), QStringLiteral("AL300Save1.Txt")});
        out.append({BuildLinkDownload(set, formats), QStringLiteral("AL300Save2.Txt")});
    }
    if (sendGoods)
        out.append({BuildItemTableDownload(goodsRows), QStringLiteral("AL300Save3.Txt")});
    return out;
}
