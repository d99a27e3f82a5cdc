// SPDX-License-Identifier: GPL-3.0-or-later
#include "labeljob.h"

#include "common/textutil.h"
#include "model/goodstable.h"

std::array<QString, 4> LabelJob::rowBarcodes(const GoodsTable &goods, int row)
{
    std::array<QString, 4> b;
    for (int i = 1; i <= FormatSet::BarcodeCount; ++i)
        b[i] = goods.cell(row, GoodsTable::FirstBarcodeColumn + i - 1).trimmed();
    return b;
}

std::array<QString, 11> LabelJob::rowTexts(const GoodsTable &goods, int row)
{
    std::array<QString, 11> t;
    for (int i = 1; i <= FormatSet::ShownTextCount; ++i)
        t[i] = goods.cell(row, GoodsTable::FirstTextColumn + i - 1).trimmed();
    return t;
}

bool LabelJob::plan(const PrinterDriver &printer, const FormatSet &set, const GoodsTable &goods,
                    int row, int count, int overrideFormat, bool blackMark, LabelJob *job)
{
    if (count <= 0 || count > MaxCount || row < 1 || row > goods.rows())
        return false;
    int format = LeadingInt(goods.cell(row, GoodsTable::FormatColumn));
    if (overrideFormat >= 1 && overrideFormat <= FormatSet::FormatCount)
        format = overrideFormat;
    // A format outside 1..5 (only a hand-edited goods file holds one) has nothing to print.
    if (format < 1 || format > FormatSet::FormatCount)
        return false;
    const QString text = printer.labelJob(set, format, rowBarcodes(goods, row),
                                          rowTexts(goods, row), count, blackMark);
    if (text.isEmpty())
        return false;
    if (job) {
        job->row = row;
        job->format = format;
        job->count = count;
        job->text = text;
    }
    return true;
}

int LabelJob::listCount(const GoodsTable &goods, int row, int typedQuantity)
{
    if (typedQuantity == 0)
        return LeadingInt(goods.cell(row, GoodsTable::QtyColumn));
    return typedQuantity;
}
