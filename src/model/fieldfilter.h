// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodsitem.h"

#include <QString>

// Goods data never hold the characters the printers' command texts and the goods data file
// use as delimiters: each of , ; | { } becomes "?" (in that order, the text trimmed of
// spaces after each replacement). Quotes are handled by CleanText, which runs first.
QString FieldFilter(const QString &text);

// The rules of the goods item editor's boxes, for every goods item the program makes:
// the name cleaned to 50 bytes; barcode and text data cleaned to 30 bytes, then filtered.
QString GoodsNameText(const QString &text);
QString GoodsDataText(const QString &text);
// An item with every field as the item editor would have stored it (texts 11 to 20, which
// have no box, by the same rule).
GoodsItem FilteredGoodsItem(GoodsItem item);
