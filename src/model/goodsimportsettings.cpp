// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsimportsettings.h"

#include "common/textfile.h"
#include "common/textutil.h"

#include <algorithm>

namespace {

QString delimiterKey(char d)
{
    switch (d) {
    case ',':
        return QStringLiteral("comma");
    case ';':
        return QStringLiteral("semicolon");
    case '\t':
        return QStringLiteral("tab");
    default:
        return QStringLiteral("auto");
    }
}

char delimiterFromKey(const QString &key)
{
    if (key == QLatin1String("comma"))
        return ',';
    if (key == QLatin1String("semicolon"))
        return ';';
    if (key == QLatin1String("tab"))
        return '\t';
    return 0;
}

} // namespace

QString GoodsImportSettings::fileName(const PrinterDriver &station, const QString &setText)
{
    return station.filePrefix() + QStringLiteral("Imp[") + setText + QStringLiteral("].Txt");
}

QString GoodsImportSettings::modeKey(GoodsImportPlan::Mode mode)
{
    switch (mode) {
    case GoodsImportPlan::Mode::Replace:
        return QStringLiteral("replace");
    case GoodsImportPlan::Mode::Update:
        return QStringLiteral("update");
    case GoodsImportPlan::Mode::Append:
        break;
    }
    return QStringLiteral("append");
}

bool GoodsImportSettings::modeFromKey(const QString &key, GoodsImportPlan::Mode *mode)
{
    for (auto m : {GoodsImportPlan::Mode::Append, GoodsImportPlan::Mode::Replace,
                   GoodsImportPlan::Mode::Update}) {
        if (modeKey(m) == key) {
            *mode = m;
            return true;
        }
    }
    return false;
}

QString GoodsImportSettings::matchKey(GoodsImportPlan::Match match)
{
    return match == GoodsImportPlan::Match::Number ? QStringLiteral("number")
                                                   : QStringLiteral("barcode1");
}

bool GoodsImportSettings::matchFromKey(const QString &key, GoodsImportPlan::Match *match)
{
    if (key == QLatin1String("number"))
        *match = GoodsImportPlan::Match::Number;
    else if (key == QLatin1String("barcode1"))
        *match = GoodsImportPlan::Match::Barcode1;
    else
        return false;
    return true;
}

bool GoodsImportSettings::load(const QString &path)
{
    bool ok = false;
    const QStringList lines = TextFile::readLines(path, &ok);
    if (!ok)
        return false;
    *this = fromLines(lines);
    return true;
}

GoodsImportSettings GoodsImportSettings::fromLines(const QStringList &lines)
{
    GoodsImportSettings s;
    for (const QString &line : lines) {
        const QStringList f = SplitFields(line, 0);
        if (f.size() < 2)
            continue;
        const QString &tag = f[0];
        if (tag == QLatin1String("Header")) {
            s.mapping.header = f[1] == QLatin1String("1");
        } else if (tag == QLatin1String("Mode")) {
            modeFromKey(f[1], &s.mode);
        } else if (tag == QLatin1String("Match")) {
            matchFromKey(f[1], &s.match);
        } else if (tag == QLatin1String("Encoding")) {
            TextEncoding::fromName(f[1], &s.encoding);
        } else if (tag == QLatin1String("Delimiter")) {
            s.delimiter = delimiterFromKey(f[1]);
        } else {
            for (int field = 0; field < GoodsImportMapping::FieldCount; ++field) {
                if (GoodsImportMapping::key(field) == tag) {
                    s.mapping.columns[size_t(field)] = GoodsImportMapping::columnFromName(f[1]);
                    s.captions[size_t(field)] = f.value(2);
                }
            }
        }
    }
    s.known = true;
    return s;
}

bool GoodsImportSettings::save(const QString &path, QString *error) const
{
    return TextFile::writeLines(path, toLines(), error);
}

QStringList GoodsImportSettings::toLines() const
{
    QStringList lines;
    lines << QStringLiteral("Header'%1").arg(mapping.header ? 1 : 0)
          << QStringLiteral("Mode'") + modeKey(mode) << QStringLiteral("Match'") + matchKey(match)
          << QStringLiteral("Encoding'") + (encoding == TextEncoding::Auto
                                                ? QStringLiteral("auto")
                                                : TextEncoding::name(encoding).toLower())
          << QStringLiteral("Delimiter'") + delimiterKey(delimiter);
    for (int f = 0; f < GoodsImportMapping::FieldCount; ++f) {
        if (!mapping.isMapped(f))
            continue;
        lines << GoodsImportMapping::key(f) + QLatin1Char('\'') +
                     GoodsImportMapping::columnName(mapping.column(f)) + QLatin1Char('\'') +
                     CleanText(captions[size_t(f)], 0);
    }
    return lines;
}

void GoodsImportSettings::remember(const GoodsImportMapping &used, const ImportTable &table)
{
    mapping = used;
    for (int f = 0; f < GoodsImportMapping::FieldCount; ++f) {
        captions[size_t(f)] = used.header && used.isMapped(f)
                                  ? CleanText(table.cell(used.captionRow, used.column(f)), 0)
                                  : QString();
    }
}

GoodsImportMapping GoodsImportSettings::mappingFor(const ImportTable &table) const
{
    GoodsImportMapping m;
    m.header = mapping.header;
    if (m.header) {
        // The caption row: the first that holds a remembered caption, else one of known
        // captions, else the first.
        m.captionRow = -1;
        for (int r = 0; r < table.rows.size() && r < 20 && m.captionRow < 0; ++r) {
            for (const QString &cell : table.rows[r]) {
                const QString clean = CleanText(cell, 0);
                if (!clean.isEmpty() &&
                    std::find(captions.begin(), captions.end(), clean) != captions.end()) {
                    m.captionRow = r;
                    break;
                }
            }
        }
        if (m.captionRow < 0)
            m.captionRow = std::max(0, GoodsImportMapping::findCaptionRow(table));
    }
    for (int f = 0; f < GoodsImportMapping::FieldCount; ++f) {
        if (!mapping.isMapped(f))
            continue;
        int col = GoodsImportMapping::None;
        const QString &caption = captions[size_t(f)];
        if (mapping.header && !caption.isEmpty() && !table.rows.isEmpty()) {
            const QStringList &first = table.rows[m.captionRow];
            for (int c = 0; c < first.size() && col == GoodsImportMapping::None; ++c) {
                if (CleanText(first[c], 0) == caption)
                    col = c;
            }
        }
        if (col == GoodsImportMapping::None && mapping.column(f) < table.columns)
            col = mapping.column(f);
        m.columns[size_t(f)] = col;
    }
    return m;
}
