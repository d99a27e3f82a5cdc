#include "al300transfer.h"

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
