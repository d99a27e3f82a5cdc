// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The command texts of the AL-300 label printer, built from the station's format set (AL-300
// lengths and positions are tenths of a millimetre and are sent unchanged). Every record ends
// with CR LF. Values (goods cells, fixed texts and barcodes) go without quoting, so each of
// the record delimiters , ; | { } in a value is sent as "?" (the goods field filter). None of
// the builders checks numbers against the printer's limits: a number too long for its
// zero-padded field keeps its rightmost digits (callers keep quantities within four digits).

// Direct print job: an ad-hoc format 001 for format k (1..5) followed by one batch of data
// with the quantity. barcodes[1..3] and texts[1..10] are the goods row's trimmed values.
// A format number outside 1..5 gives "".
QString BuildPrintJob(const FormatSet &set, int k, const std::array<QString, 4> &barcodes,
                      const std::array<QString, 11> &texts, int qty);

// Format download: every ticked format (selected[1..5]; slot 0 unused) stored in the printer
// under its own number 001..005 with its fields. Nothing ticked gives "".
QString BuildFormatDownload(const FormatSet &set, const std::array<bool, 6> &selected);

// Link download: for every ticked format the links from the printer's item table columns to
// the format's fields. Nothing ticked gives "".
QString BuildLinkDownload(const FormatSet &set, const std::array<bool, 6> &selected);

// Item download: the printer's item table 001 from the goods grid. Each row holds the grid's
// cell texts, index 0 = column 1 (goods number), 5..7 = barcodes 1..3, 8..17 = texts 1..10.
// Rows whose goods number is not 1..999 are left out; missing cells count as empty.
QString BuildItemTableDownload(const QList<QStringList> &rows);
