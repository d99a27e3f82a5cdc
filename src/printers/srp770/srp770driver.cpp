// SPDX-License-Identifier: GPL-3.0-or-later
#include "srp770driver.h"

#include "model/drivertablenames.h"
#include "printers/srp770/srp770job.h"
#include "printers/srp770/srp770jobreader.h"

#include <QRegularExpression>

#include <cstdlib>

namespace {

using Symbology = LabelObject::Symbology;

// The format's symbology values 1..10; the job sends value - 1.
struct SymbologyDef {
    const char *name;
    Symbology printed;
};
const SymbologyDef Symbologies[] = {
    {"Code39", Symbology::Code39},   {"Code128", Symbology::Code128}, {"I2of5", Symbology::I2of5},
    {"Codabar", Symbology::Codabar}, {"Code93", Symbology::Code93},   {"UPC-A", Symbology::UpcA},
    {"UPC-E", Symbology::UpcE},      {"EAN13", Symbology::Ean13},     {"EAN8", Symbology::Ean8},
    {"EAN128", Symbology::Ean128},
};

// The format's font values 1..6: display label, panel caption, job code and character cell
// in dots.
struct FontDef {
    const char *name;
    const char *caption;
    const char *code;
    int width, height;
    bool korean;
};
const FontDef Fonts[] = {
    {"영문 9*15", "영문 9*15", "0", 9, 15, false},
    {"영문12*20", "영문 12*20", "1", 12, 20, false},
    {"영문16*25", "영문 16*25", "2", 16, 25, false},
    {"영문19*30", "영문 19*30", "3", 19, 30, false},
    {"고딕16*16", "고딕 16*16", "a", 16, 16, true},
    {"고딕24*24", "고딕 24*24", "b", 24, 24, true},
};

constexpr int SymbologyCount = int(std::size(Symbologies));
constexpr int FontCount = int(std::size(Fonts));

} // namespace

const Srp770Driver &Srp770Driver::instance()
{
    static const Srp770Driver driver;
    return driver;
}

QStringList Srp770Driver::symbologyNames() const
{
    return DriverTableNames(Symbologies, &SymbologyDef::name);
}

QStringList Srp770Driver::fontNames() const
{
    return DriverTableNames(Fonts, &FontDef::name);
}

QStringList Srp770Driver::fontCaptions() const
{
    return DriverTableNames(Fonts, &FontDef::caption);
}

QStringList Srp770Driver::reversalNames() const
{
    return {QString(), QStringLiteral("음각"), QStringLiteral("Bold"), QStringLiteral("음Bd")};
}

QStringList Srp770Driver::reversalCaptions() const
{
    return {QStringLiteral("정상"), QStringLiteral("음각"), QStringLiteral("정상Bold"),
            QStringLiteral("음각Bold")};
}

int Srp770Driver::symbologyCode(int barCode)
{
    return barCode >= 1 && barCode <= SymbologyCount ? barCode - 1 : 7;
}

QString Srp770Driver::fontCode(int font)
{
    return QString::fromLatin1(font >= 1 && font <= FontCount ? Fonts[font - 1].code : "0");
}

void Srp770Driver::barWidths(int barDen, int *narrow, int *wide)
{
    const int v = std::abs(barDen) % 100;
    *narrow = v / 10 == 0 ? 2 : v / 10;
    *wide = v % 10 == 0 ? 6 : v % 10;
}

LabelObject::Symbology Srp770Driver::printedSymbology(int barCode) const
{
    return symbologyOfCode(symbologyCode(barCode));
}

LabelObject::Symbology Srp770Driver::symbologyOfCode(int code) const
{
    return code >= 0 && code < SymbologyCount ? Symbologies[code].printed : Symbology::Unknown;
}

bool Srp770Driver::fontCell(const QString &code, int *cellWidth, int *cellHeight,
                            bool *korean) const
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

QString Srp770Driver::labelJob(const FormatSet &set, int format,
                               const std::array<QString, 4> &barcodes,
                               const std::array<QString, 11> &texts, int count,
                               bool blackMark) const
{
    LabelItem item;
    item.format = format;
    item.barcodes = barcodes;
    item.texts = texts;
    return BuildSrp770Label(set, format, item, count, blackMark);
}

bool Srp770Driver::startsJob(const QString &line) const
{
    // The job's first line, or (for a job that lacks it) one of its page set-up or object
    // commands with a number after it.
    static const QRegularExpression command(
        QStringLiteral("^(CB$|S[SDWL]\\d|SO[A-Z]$|B1\\d|T\\d|P\\d)"));
    return command.match(line).hasMatch();
}

LabelDescription Srp770Driver::readJob(const QList<JobLine> &lines, int *i,
                                       const JobStart &otherJob) const
{
    return Srp770JobReader::read(lines, i, otherJob);
}
