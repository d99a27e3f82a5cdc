// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300driver.h"

#include "model/drivertablenames.h"
#include "model/fieldfilter.h"
#include "printers/al300/al300jobreader.h"
#include "printers/al300/al300protocol.h"

namespace {

using Symbology = LabelObject::Symbology;

// The format's symbology values 1..8, which the jobs send as they are.
struct SymbologyDef {
    const char *name;
    Symbology printed;
};
const SymbologyDef Symbologies[] = {
    {"UPC-A", Symbology::UpcA},    {"UPC-E", Symbology::UpcE},      {"I 2of5", Symbology::I2of5},
    {"Code39", Symbology::Code39}, {"NW7", Symbology::Codabar},     {"EAN-8", Symbology::Ean8},
    {"EAN-13", Symbology::Ean13},  {"Code128", Symbology::Code128},
};

// The format's font values 1..3: display label, panel caption, job letter and character
// cell in dots.
struct FontDef {
    const char *name;
    const char *caption;
    const char *code;
    int width, height;
    bool korean;
};
const FontDef Fonts[] = {
    {"영문16*24", "영문 16*24", "1", 16, 24, false},
    {"고딕16*16", "고딕 16*16", "J", 16, 16, true},
    {"고딕24*24", "고딕 24*24", "K", 24, 24, true},
};

// Narrow and wide bar widths in dots per ratio code 1..10. The defaults of the groups
// (1, 6, 1, 9) all give 2-dot modules.
const int RatioBars[11][2] = {
    {0, 0}, // unused
    {2, 5}, // 1: 1:2.5
    {2, 4}, // 2: 1:2
    {3, 7}, // 3: 1:2.33
    {4, 9}, // 4: 1:2.25
    {3, 6}, // 5: 1:2
    {2, 6}, // 6: 1:3
    {3, 9}, // 7: 1:3
    {1, 3}, // 8: 1:3
    {2, 5}, // 9: 1:2.5
    {3, 8}, // A: 1:2.67
};

constexpr int SymbologyCount = int(std::size(Symbologies));
constexpr int FontCount = int(std::size(Fonts));

} // namespace

const Al300Driver &Al300Driver::instance()
{
    static const Al300Driver driver;
    return driver;
}

QString Al300Driver::sentValue(const QString &value) const
{
    return FieldFilter(value);
}

QStringList Al300Driver::symbologyNames() const
{
    return DriverTableNames(Symbologies, &SymbologyDef::name);
}

QStringList Al300Driver::fontNames() const
{
    return DriverTableNames(Fonts, &FontDef::name);
}

QStringList Al300Driver::fontCaptions() const
{
    return DriverTableNames(Fonts, &FontDef::caption);
}

QStringList Al300Driver::reversalNames() const
{
    return {QString(), QStringLiteral("음각")};
}

QStringList Al300Driver::reversalCaptions() const
{
    return {QStringLiteral("정상"), QStringLiteral("음각")};
}

LabelObject::Symbology Al300Driver::printedSymbology(int barCode) const
{
    return symbologyOfCode(barCode);
}

LabelObject::Symbology Al300Driver::symbologyOfCode(int code) const
{
    return code >= 1 && code <= SymbologyCount ? Symbologies[code - 1].printed : Symbology::Unknown;
}

QString Al300Driver::fontCode(int font)
{
    return QString::fromLatin1(font >= 1 && font <= FontCount ? Fonts[font - 1].code : "0");
}

bool Al300Driver::fontCell(const QString &code, int *cellWidth, int *cellHeight, bool *korean) const
{
    for (const FontDef &f : Fonts) {
        if (code == QLatin1String(f.code)) {
            *cellWidth = f.width;
            *cellHeight = f.height;
            *korean = f.korean;
            return true;
        }
    }
    return false;
}

QList<Al300Driver::RatioGroup> Al300Driver::ratioGroups()
{
    return {{1, {1, 3, 4}, 1}, {2, {5, 2, 8, 6}, 6}, {3, {1, 8, 10, 3}, 1}, {4, {9, 8, 3, 4}, 9}};
}

int Al300Driver::ratioGroupOf(int barCode)
{
    switch (Al300Driver::instance().printedSymbology(barCode)) {
    case Symbology::UpcA:
    case Symbology::UpcE:
    case Symbology::Ean8:
    case Symbology::Ean13:
        return 1;
    case Symbology::I2of5:
        return 2;
    case Symbology::Codabar:
        return 3;
    case Symbology::Code39:
    case Symbology::Code128:
        return 4;
    default:
        return 0;
    }
}

bool Al300Driver::ratioBars(int code, int *narrow, int *wide)
{
    if (code < 1 || code > 10)
        return false;
    *narrow = RatioBars[code][0];
    *wide = RatioBars[code][1];
    return true;
}

QString Al300Driver::labelJob(const FormatSet &set, int format,
                              const std::array<QString, 4> &barcodes,
                              const std::array<QString, 11> &texts, int count, bool) const
{
    // The direct print job does not name the label stock.
    return BuildPrintJob(set, format, barcodes, texts, count);
}

bool Al300Driver::startsJob(const QString &line) const
{
    // A record block: "{" and its letter ("{F001,...", "{B001,...", "{N,..." of a transfer).
    return line.size() >= 2 && line[0] == QLatin1Char('{') && line[1] >= QLatin1Char('A') &&
           line[1] <= QLatin1Char('Z');
}

LabelDescription Al300Driver::readJob(const QList<JobLine> &lines, int *i,
                                      const JobStart &) const
{
    // A block ends at its "}", whatever follows.
    return Al300JobReader::read(lines, i);
}
