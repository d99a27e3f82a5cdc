// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the readers (see fuzztargets.h).

#include "fuzztargets.h"

#include "common/columnwidthfile.h"
#include "common/cp949codec.h"
#include "common/textfile.h"
#include "model/barcodesetfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/leogoodswriter.h"
#include "model/prefile.h"
#include "printers/al300/al300protocol.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "render/goodscheck.h"
#include "render/labelpainter.h"
#include "sending/portmap.h"
#include "support/labelsetfixture.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

void FuzzRequire(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

namespace {

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

QStringList linesOf(const uint8_t *data, size_t size)
{
    return TextFile::splitLines(bytesOf(data, size));
}

// The jobs a printer builds from a format set for the first `rows` rows of a goods list, in
// the rows' own formats or in `format` (1 to 5). Every row is planned alike: a few rows show
// the planning rules, while every row of a long list would take most of an input's time (a
// few hundred inputs a second instead of thousands).
void buildJobs(const PrinterDriver &printer, const FormatSet &set, const GoodsTable &goods,
               int rows, int format = 0)
{
    for (int r = 1; r <= std::min(rows, goods.rows()); ++r) {
        LabelJob job;
        LabelJob::plan(printer, set, goods, r, LabelJob::listCount(goods, r, 0), format, false,
                       &job);
        if (job.count > 0)
            FuzzRequire(job.count <= LabelJob::MaxCount, "a job carries at most 9999 labels");
    }
}

// A new set's file reads back as a new set: so a file's lines that differ from a new set's
// read as the whole file does (FormatFile::changedLines).
bool newSetReadsBack(const PrinterDriver &printer)
{
    FormatSet read;
    FormatFile::fromLines(read, FormatFile::toLines(FormatSet(), printer), printer);
    return read == FormatSet();
}

} // namespace

int FuzzJobText(const uint8_t *data, size_t size)
{
    const QList<LabelDescription> labels =
        LabelJobReader::readAll(Cp949Codec::decode(bytesOf(data, size)));
    for (const LabelDescription &d : labels) {
        LabelPainter::problems(d);
        LabelPainter::pictureSize(d, 1200);
        LabelPainter::pictureSize(d, 25);
    }
    return 0;
}

int FuzzFormatFile(const uint8_t *data, size_t size)
{
    static const bool newSetsReadBack = [] {
        const QList<const PrinterDriver *> printers = Printers::all();
        return std::all_of(printers.begin(), printers.end(),
                           [](const PrinterDriver *p) { return newSetReadsBack(*p); });
    }();
    FuzzRequire(newSetsReadBack, "a new set's format file reads back");
    static const GoodsTable *const goods = [] {
        auto *g = new GoodsTable;
        LabelSetFixture::fillGoods(*g);
        return g;
    }();
    static const FormatSet fresh;
    const QStringList lines = linesOf(data, size);
    for (const PrinterDriver *printer : Printers::all()) {
        FormatSet set;
        FormatFile::fromLines(set, lines, *printer);
        // What is written reads back as it was, once the reader's trimming has had its say
        // (a value written with blanks around it reads back without them): for the station
        // the input's length chooses. Only the lines that differ from a new set's are read
        // and compared: the whole file, a thousand lines, takes milliseconds under the
        // sanitizers and reads the same (see above).
        if (size % 2 == (printer->keepsExtendedFormat() ? 1 : 0)) {
            FormatSet once;
            FormatFile::fromLines(once, FormatFile::changedLines(set, fresh, *printer), *printer);
            FormatSet again;
            FormatFile::fromLines(again, FormatFile::changedLines(once, fresh, *printer), *printer);
            FuzzRequire(again == once, "a format file reads back");
        }
        // The formats the file changes: the station's own job for a goods row in the first of
        // them, the AL-300's downloads of them all (every format of every input would take
        // most of an input's time).
        std::array<bool, 6> changed{};
        int first = 0;
        for (int f = FormatSet::FormatCount; f >= 1; --f) {
            changed[size_t(f)] = !(set.Fmt[size_t(f)] == fresh.Fmt[size_t(f)]);
            if (changed[size_t(f)])
                first = f;
        }
        if (first > 0)
            buildJobs(*printer, set, *goods, 1, first);
        if (printer->keepsExtendedFormat()) {
            BuildFormatDownload(set, changed);
            BuildLinkDownload(set, changed);
        }
    }
    return 0;
}

int FuzzGoodsFile(const uint8_t *data, size_t size)
{
    GoodsTable goods;
    goods.fromFileLines(linesOf(data, size));
    // Every row is one line; what is written reads back row for row, and once saved it reads
    // back exactly (the first save may turn characters CP949 lacks into "?").
    const QStringList written = goods.toFileLines();
    FuzzRequire(written.size() == goods.rows(), "one goods line per row");
    GoodsTable again;
    again.fromFileLines(TextFile::splitLines(Cp949Codec::encode(written.join("\r\n"))));
    FuzzRequire(again.rows() == goods.rows(), "a goods file reads back row for row");
    const QStringList saved = again.toFileLines();
    GoodsTable third;
    third.fromFileLines(TextFile::splitLines(Cp949Codec::encode(saved.join("\r\n"))));
    FuzzRequire(third.toFileLines() == saved, "a saved goods file reads back");
    for (int r = 1; r <= goods.rows(); ++r)
        goods.itemAt(r);
    // Checked and printed by one station, the one the input's length chooses (both stations
    // for every input would take a third of its time).
    static const FormatSet srp770 = LabelSetFixture::srp770Formats();
    static const FormatSet al300 = LabelSetFixture::al300Formats();
    const bool bySrp770 = size % 2 == 0;
    const PrinterDriver &station = bySrp770 ? Printers::srp770() : Printers::al300();
    GoodsCheck::run(station, bySrp770 ? srp770 : al300, goods);
    buildJobs(station, bySrp770 ? srp770 : al300, goods, 1);
    BuildItemTableDownload(goods.rowTexts());
    return 0;
}

int FuzzPreFile(const uint8_t *data, size_t size)
{
    PreFile file;
    if (file.parse(bytesOf(data, size)) != PreFile::Status::Ok)
        return 0;
    FuzzRequire(file.recordCount() <= PreFile::MaxRecords, "at most 999 records are read");
    // Every record is read alike: the first few and the last show every reading rule (a field
    // past the end of its record, a double-byte character cut by a field's length, the
    // partial record at the end). All 999 records of a hostile header, 25 fields of up to 255
    // bytes each, take half a second under the sanitizers.
    QList<QStringList> rows;
    for (int r = 1; r <= std::min(3, file.recordCount()); ++r)
        rows << file.row(r);
    if (file.recordCount() > 3)
        rows << file.row(file.recordCount());
    // Every column chosen: each non-blank record is one goods line and reads back as one row.
    const QStringList lines =
        LeoGoodsWriter::buildLines(rows, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    GoodsTable goods;
    goods.fromFileLines(TextFile::splitLines(Cp949Codec::encode(lines.join("\r\n"))));
    FuzzRequire(goods.rows() == lines.size(), "a converted record is one goods row");
    return 0;
}

int FuzzPortMap(const uint8_t *data, size_t size)
{
    PortMap map;
    map.setLines(linesOf(data, size));
    for (int port = 0; port <= 10; ++port)
        map.target(port);
    return 0;
}

int FuzzBarcodeSet(const uint8_t *data, size_t size)
{
    const BarcodeSetFile::Contents c = BarcodeSetFile::fromLines(linesOf(data, size));
    FuzzRequire(c.setNo >= 0 && c.setNo < BarcodeSetFile::SetCount, "a set number 0 to 21");
    FuzzRequire(c.names.size() == BarcodeSetFile::SetCount, "22 names");
    // Once saved, the file reads back exactly.
    auto saveAndRead = [](const BarcodeSetFile::Contents &x) {
        return BarcodeSetFile::fromLines(TextFile::splitLines(
            Cp949Codec::encode(BarcodeSetFile::toLines(x).join("\r\n") + "\r\n")));
    };
    const BarcodeSetFile::Contents saved = saveAndRead(c);
    FuzzRequire(saved.setNo == c.setNo, "the set number reads back");
    const BarcodeSetFile::Contents again = saveAndRead(saved);
    FuzzRequire(again.setNo == saved.setNo && again.names == saved.names,
                "a saved barcode-set file reads back");
    return 0;
}

int FuzzColumnWidths(const uint8_t *data, size_t size)
{
    const QStringList lines = linesOf(data, size);
    if (lines.isEmpty())
        return 0;
    for (const int columns : {1, 3, 29}) {
        for (const double w : ColumnWidthFile::fromLine(lines.first(), columns)) {
            FuzzRequire(w >= 0 && w <= ColumnWidthFile::MaxWidth, "a width within 0 to 1000");
            // As the grid turns it into pixels.
            FuzzRequire(std::lround(w * 40.0) >= 0, "a width in pixels");
        }
    }
    return 0;
}
