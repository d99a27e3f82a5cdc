// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/textencoding.h"
#include "model/formatset.h"
#include "model/goodsimportmapping.h"
#include "model/goodsimportplan.h"
#include "model/printerdriver.h"

#include <QString>

#include <array>

// The last import's choices of a station and barcode set, kept in a small file beside the
// goods file ("SRP770Imp[nn].Txt", "AL300Imp[nn].Txt"; CP949, CR LF, apostrophe-separated
// lines), so that the next import of the same kind of file needs no mapping. Each mapped
// field keeps its column and the caption it had, so a column that moved is found again by
// its caption.
struct GoodsImportSettings {
    GoodsImportMapping mapping;
    std::array<QString, GoodsImportMapping::FieldCount> captions; // header captions of the columns
    GoodsImportPlan::Mode mode = GoodsImportPlan::Mode::Append;
    GoodsImportPlan::Match match = GoodsImportPlan::Match::Barcode1;
    TextEncoding::Kind encoding = TextEncoding::Auto;
    char delimiter = 0; // 0: sniffed
    bool known = false; // read from a file

    static QString fileName(const PrinterDriver &station, const QString &setText);
    // A missing or unreadable file leaves the defaults (known false).
    bool load(const QString &path);
    bool save(const QString &path, QString *error = nullptr) const;
    // The file's lines as load() reads them (known true) and as save() writes them.
    static GoodsImportSettings fromLines(const QStringList &lines);
    QStringList toLines() const;

    // Remembers the mapping used on `table` (with its captions).
    void remember(const GoodsImportMapping &used, const ImportTable &table);
    // The remembered mapping for `table`: a column is found again by its caption when both
    // have captions, else taken by its letter when the table has it.
    GoodsImportMapping mappingFor(const ImportTable &table) const;

    static QString modeKey(GoodsImportPlan::Mode mode);
    static bool modeFromKey(const QString &key, GoodsImportPlan::Mode *mode);
    static QString matchKey(GoodsImportPlan::Match match);
    static bool matchFromKey(const QString &key, GoodsImportPlan::Match *match);
};
