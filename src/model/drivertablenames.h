// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>

// The names of a printer driver's value table for the format editor's choices: an empty
// first entry (nothing chosen), then one text of each table row, in table order.
template <typename Row, std::size_t N>
QStringList DriverTableNames(const Row (&table)[N], const char *Row::*text)
{
    QStringList names{QString()};
    for (const Row &row : table)
        names << QString::fromUtf8(row.*text);
    return names;
}
