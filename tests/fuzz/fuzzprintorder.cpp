// SPDX-License-Identifier: GPL-3.0-or-later
// The print service's reader of print orders (the JSON of POST /v1/print and of the watched
// folder): whatever comes over the network, an order it reads keeps every bound.

#include "fuzztargets.h"
#include "service/printorder.h"

int FuzzPrintOrder(const uint8_t *data, size_t size)
{
    QString why;
    const std::optional<PrintOrder> o = PrintOrder::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)), &why);
    FuzzRequire(o.has_value() == why.isEmpty(), "an order, or a reason");
    if (!o)
        return 0;
    FuzzRequire(o->model == QLatin1String("srp770") || o->model == QLatin1String("al300"),
                "a model the service knows");
    FuzzRequire(o->set >= 0 && o->set <= 21 && o->setText().size() == 2, "a set 00..21");
    FuzzRequire(int(!o->items.isEmpty()) + int(o->all) + int(!o->rows.isEmpty()) == 1,
                "one source of goods");
    FuzzRequire((o->port >= 1 && o->port <= 9) != !o->device.isEmpty(), "one target");
    FuzzRequire(o->qty >= 0 && o->qty <= 999 && o->format >= 0 && o->format <= 5,
                "quantity and format in range");
    FuzzRequire(o->items.size() <= 999 && o->rows.size() <= PrintOrder::MaxRows, "bounded lists");
    for (int n : o->items)
        FuzzRequire(n >= 1 && n <= 999, "goods numbers 1..999");
    for (const PrintOrder::Row &r : o->rows) {
        FuzzRequire(r.number >= 1 && r.number <= 999 && r.format >= 1 && r.format <= 5 &&
                        r.quantity >= 0 && r.quantity <= 9999,
                    "row values in range");
        for (const QString &t : r.texts)
            FuzzRequire(t.size() <= PrintOrder::MaxTextLength, "texts bounded");
    }
    return 0;
}
