// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// One goods item as the goods item editor shows it and the goods list stores it.
struct GoodsItem {
    qint32 No = 0;
    QString Name;
    qint16 Format = 0;
    qint16 Qty = 0;
    std::array<QString, 4> Barcodes; // 1..3 used, 0 unused
    std::array<QString, 21> Texts;   // 1..20 used, 0 unused

    // The state of a new item: number 0, empty name, format 1, quantity 0, empty data.
    void reset()
    {
        *this = GoodsItem();
        Format = 1;
    }

    bool operator==(const GoodsItem &) const = default;
};
