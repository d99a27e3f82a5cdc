// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatfile.h"

#include "common/textfile.h"
#include "common/textutil.h"
#include "model/printerdriver.h"

#include <array>
#include <limits>
#include <variant>

namespace {

using FieldRef = std::variant<qint16 *, qint32 *, QString *>;

enum class Level { Station, Format, Barcode, Text };

// One tag of the file. The prefix "<" + name is compared with the start of the tag; the
// format digit follows "(" and the two-digit element number follows ":", so their places
// derive from the prefix length.
struct TagDef {
    const char *name;
    Level level;
    bool extended; // kept only by a printer with the extended (AL-300) format
    FieldRef (*field)(FormatSet &set, int f, int e);
};

template <auto Member> FieldRef stationField(FormatSet &s, int, int)
{
    return &(s.*Member);
}

template <auto Member> FieldRef formatField(FormatSet &s, int f, int)
{
    return &(s.Fmt[f].*Member);
}

template <auto Member> FieldRef barcodeField(FormatSet &s, int f, int e)
{
    return &(s.Fmt[f].Bar[e].*Member);
}

template <auto Member> FieldRef textField(FormatSet &s, int f, int e)
{
    return &(s.Fmt[f].Txt[e].*Member);
}

using FS = FormatSet;
using LF = LabelFormat;
using BE = BarcodeElement;
using TE = TextElement;
constexpr Level S = Level::Station;
constexpr Level F = Level::Format;
constexpr Level B = Level::Barcode;
constexpr Level T = Level::Text;

// Each level lists its tags in the AL-300 writing order; leaving out the AL-300-only tags
// gives the SRP-770 order.
const TagDef StationTags[] = {
    {"BarComPort", S, false, stationField<&FS::BarComPort>},
    {"BarComSpeed", S, false, stationField<&FS::BarComSpeed>},
};

const TagDef FormatTags[] = {
    {"LblLeng", F, false, formatField<&LF::LblLeng>},
    {"LblWidth", F, false, formatField<&LF::LblWidth>},
    {"LblDegree", F, false, formatField<&LF::LblDegree>},
    {"LblMode", F, true, formatField<&LF::LblMode>},
    {"LblSensor", F, true, formatField<&LF::LblSensor>},
    {"LblCut", F, true, formatField<&LF::LblCut>},
    {"LblOver", F, true, formatField<&LF::LblOver>},
};

const TagDef BarcodeTags[] = {
    {"BarSelt", B, false, barcodeField<&BE::BarSelt>},
    {"BarYy", B, false, barcodeField<&BE::BarYy>},
    {"BarXx", B, false, barcodeField<&BE::BarXx>},
    {"BarCode", B, false, barcodeField<&BE::BarCode>},
    {"BarDen", B, false, barcodeField<&BE::BarDen>},
    {"BarHeight", B, false, barcodeField<&BE::BarHeight>},
    {"BarHmRead", B, false, barcodeField<&BE::BarHmRead>},
    {"BarRight", B, true, barcodeField<&BE::BarRight>},
    {"BarString", B, true, barcodeField<&BE::BarString>},
    {"BarEdit", B, true, barcodeField<&BE::BarEdit>},
};

const TagDef TextTags[] = {
    {"TxtSelt", T, false, textField<&TE::TxtSelt>},
    {"TxtYy", T, false, textField<&TE::TxtYy>},
    {"TxtXx", T, false, textField<&TE::TxtXx>},
    {"TxtFont", T, false, textField<&TE::TxtFont>},
    {"TxtYSize", T, false, textField<&TE::TxtYSize>},
    {"TxtXSize", T, false, textField<&TE::TxtXSize>},
    {"TxtRvs", T, false, textField<&TE::TxtRvs>},
    {"TxtRight", T, false, textField<&TE::TxtRight>},
    {"TxtString", T, false, textField<&TE::TxtString>},
    {"TxtEdit", T, true, textField<&TE::TxtEdit>},
};

bool usedBy(const TagDef &tag, const PrinterDriver &printer)
{
    return !tag.extended || printer.keepsExtendedFormat();
}

// A stored text must stay one line with one apostrophe: quotes become backticks and line
// breaks spaces, so that whatever the model holds reads back.
QString safeValue(const QString &text)
{
    QString out = QuotesToBackticks(text);
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QString valueText(const FieldRef &ref)
{
    if (auto p = std::get_if<qint16 *>(&ref))
        return QString::number(**p);
    if (auto p = std::get_if<qint32 *>(&ref))
        return QString::number(**p);
    return safeValue(*std::get<QString *>(ref));
}

bool sameValue(const FieldRef &a, const FieldRef &b)
{
    return std::visit([&b](auto *x) { return *x == *std::get<decltype(x)>(b); }, a);
}

QString tagText(const TagDef &tag, int f, int e)
{
    const QString name = QLatin1String(tag.name);
    switch (tag.level) {
    case Level::Station:
        return QStringLiteral("<%1>").arg(name);
    case Level::Format:
        return QStringLiteral("<%1(%2)>").arg(name).arg(f);
    default:
        return QStringLiteral("<%1(%2:%3)>").arg(name).arg(f).arg(e, 2, 10, QLatin1Char('0'));
    }
}

// One line of the file in writing order: "<tag>'" and the field it carries.
struct Entry {
    QString head;
    const TagDef *def;
    int f;
    int e;
};

// The lines of a printer's file, made once for each of the two kinds of format file.
const QList<Entry> &entries(const PrinterDriver &printer)
{
    auto make = [](bool extended) {
        QList<Entry> out;
        auto add = [&](const TagDef &tag, int f, int e) {
            if (!tag.extended || extended)
                out.append({tagText(tag, f, e) + QLatin1Char('\''), &tag, f, e});
        };
        for (const TagDef &tag : StationTags)
            add(tag, 0, 0);
        for (int f = 1; f <= FormatSet::FormatCount; ++f) {
            for (const TagDef &tag : FormatTags)
                add(tag, f, 0);
            for (int b = 1; b <= FormatSet::BarcodeCount; ++b) {
                for (const TagDef &tag : BarcodeTags)
                    add(tag, f, b);
            }
            for (int t = 1; t <= FormatSet::TextCount; ++t) {
                for (const TagDef &tag : TextTags)
                    add(tag, f, t);
            }
        }
        return out;
    };
    static const QList<Entry> plain = make(false);
    static const QList<Entry> extended = make(true);
    return printer.keepsExtendedFormat() ? extended : plain;
}

// The index at the 1-based character position `pos`, `count` characters long, read with
// the leading-number rule; a non-digit reads 0. -1 when it is not a whole number in 0..max.
int indexAt(const QString &tag, int pos, int count, int max)
{
    bool ok = false;
    const qint64 v = LeadingWholeNumber(QStringView(tag).mid(pos - 1, count), 0, max, &ok);
    return ok ? int(v) : -1;
}

// Stores the value into the field; false when a number does not fit the field's width.
bool storeValue(const FieldRef &ref, const QString &value)
{
    bool ok = false;
    if (auto p = std::get_if<qint16 *>(&ref)) {
        const qint64 v = LeadingWholeNumber(value, std::numeric_limits<qint16>::min(),
                                            std::numeric_limits<qint16>::max(), &ok);
        if (ok)
            **p = qint16(v);
        return ok;
    }
    if (auto p = std::get_if<qint32 *>(&ref)) {
        const qint64 v = LeadingWholeNumber(value, std::numeric_limits<qint32>::min(),
                                            std::numeric_limits<qint32>::max(), &ok);
        if (ok)
            **p = qint32(v);
        return ok;
    }
    *std::get<QString *>(ref) = value;
    return true;
}

// Every tag with its prefix "<" + name, made once: a file of a thousand lines compares each
// line with them without making a text per comparison.
struct Prefix {
    QString text;
    const TagDef *def;
};

const QList<Prefix> &prefixes()
{
    static const QList<Prefix> all = [] {
        QList<Prefix> out;
        auto add = [&out](const auto &tags) {
            for (const TagDef &def : tags)
                out.append({QLatin1Char('<') + QLatin1String(def.name), &def});
        };
        add(StationTags);
        add(FormatTags);
        add(BarcodeTags);
        add(TextTags);
        return out;
    }();
    return all;
}

// Applies one "tag'value" pair to the set when the printer keeps the tag and its
// indices lie within the set.
void applyLine(FormatSet &set, const QString &tag, const QString &value,
               const PrinterDriver &printer)
{
    for (const Prefix &p : prefixes()) {
        if (!tag.startsWith(p.text))
            continue;
        const TagDef &def = *p.def;
        if (!usedBy(def, printer))
            return; // a tag this printer does not keep: ignored
        const int formatPos = int(p.text.size()) + 2;
        int f = 0;
        int e = 0;
        if (def.level != Level::Station) {
            f = indexAt(tag, formatPos, 1, FormatSet::FormatCount);
            if (f < 0)
                return;
        }
        if (def.level == Level::Barcode || def.level == Level::Text) {
            const int max =
                def.level == Level::Barcode ? FormatSet::BarcodeCount : FormatSet::TextCount;
            e = indexAt(tag, formatPos + 2, 2, max);
            if (e < 0)
                return;
        }
        storeValue(def.field(set, f, e), value);
        return;
    }
}

} // namespace

QStringList FormatFile::toLines(const FormatSet &set, const PrinterDriver &printer)
{
    // The field accessors hand out writable pointers, so they work on a copy.
    FormatSet s = set;
    QStringList out;
    out.reserve(entries(printer).size());
    for (const Entry &line : entries(printer))
        out << line.head + valueText(line.def->field(s, line.f, line.e));
    return out;
}

QStringList FormatFile::changedLines(const FormatSet &set, const FormatSet &base,
                                     const PrinterDriver &printer)
{
    // The field accessors hand out writable pointers: here they are only read through.
    FormatSet &s = const_cast<FormatSet &>(set);
    FormatSet &b = const_cast<FormatSet &>(base);
    // A format that is the same in both has no line to say.
    std::array<bool, FormatSet::FormatCount + 1> sameFormat{};
    for (int f = 1; f <= FormatSet::FormatCount; ++f)
        sameFormat[size_t(f)] = set.Fmt[size_t(f)] == base.Fmt[size_t(f)];
    QStringList out;
    for (const Entry &line : entries(printer)) {
        if (line.f > 0 && sameFormat[size_t(line.f)])
            continue;
        const FieldRef field = line.def->field(s, line.f, line.e);
        if (!sameValue(field, line.def->field(b, line.f, line.e)))
            out << line.head + valueText(field);
    }
    return out;
}

void FormatFile::fromLines(FormatSet &set, const QStringList &lines, const PrinterDriver &printer)
{
    set.reset();
    for (const QString &line : lines) {
        const QStringList fields = SplitFields(line, 0);
        if (fields.size() != 2)
            continue; // blank, no apostrophe or more than one
        applyLine(set, fields[0], fields[1], printer);
    }
}

bool FormatFile::load(FormatSet &set, const QString &path, const PrinterDriver &printer,
                      QString *error)
{
    set.reset();
    QByteArray bytes;
    const TextFile::Read r = TextFile::readBytes(path, TextFile::MaxDataFileBytes, &bytes, error);
    if (r == TextFile::Read::Failed)
        return false;
    fromLines(set, TextFile::splitLines(bytes), printer);
    return true;
}

bool FormatFile::save(const FormatSet &set, const QString &path, const PrinterDriver &printer,
                      QString *error)
{
    return TextFile::writeLines(path, toLines(set, printer), error);
}
