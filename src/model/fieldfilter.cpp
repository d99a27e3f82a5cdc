// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fieldfilter.h"
#include "common/textutil.h"

namespace {

constexpr int NameBytes = 50;
constexpr int DataBytes = 30;

} // namespace

QString FieldFilter(const QString &text)
{
    QString out = text;
    for (QChar c :
         {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('|'), QLatin1Char('{'), QLatin1Char('}')})
        out = TrimSpaces(out.replace(c, QLatin1Char('?')));
    return out;
}

QString GoodsNameText(const QString &text)
{
    return CleanText(text, NameBytes);
}

QString GoodsDataText(const QString &text)
{
    return FieldFilter(CleanText(text, DataBytes));
}

GoodsItem FilteredGoodsItem(GoodsItem item)
{
    item.Name = GoodsNameText(item.Name);
    for (int k = 1; k < int(item.Barcodes.size()); ++k)
        item.Barcodes[k] = GoodsDataText(item.Barcodes[k]);
    for (int k = 1; k < int(item.Texts.size()); ++k)
        item.Texts[k] = GoodsDataText(item.Texts[k]);
    return item;
}
