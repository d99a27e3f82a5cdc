// The entry points of the readers (see fuzztargets.h).

#include "fuzztargets.h"

#include "common/columnwidthfile.h"
#include "common/cp949codec.h"
#include "common/textfile.h"
#include "model/leogoodswriter.h"
#include "model/prefile.h"
#include "model/barcodesetfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/al300/al300protocol.h"
#include "printers/labeljobreader.h"
#include "printers/printers.h"
#include "sending/portmap.h"
#include "render/goodscheck.h"
#include "render/labelpainter.h"
#include "support/labelsetfixture.h"

#include <QByteArray>

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

// The jobs both stations build from a format set and a goods list.
void buildJobs(const FormatSet &set, const GoodsTable &goods)
{
    for (const PrinterDriver *printer : Printers::all()) {
        for (int r = 1; r <= goods.rows(); ++r) {
            LabelJob job;
            LabelJob::plan(*printer, set, goods, r, LabelJob::listCount(goods, r, 0), 0, false,
                           &job);
            if (job.count > 0)
                FuzzRequire(job.count <= LabelJob::MaxCount, "a job carries at most 9999 labels");
        }
    }
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
    const QStringList lines = linesOf(data, size);
    for (const PrinterDriver *printer : Printers::all()) {
        FormatSet set;
        FormatFile::fromLines(set, lines, *printer);
        // What is written reads back as it was, once the reader's trimming has had its say
        // (a value written with blanks around it reads back without them).
        FormatSet once;
        FormatFile::fromLines(once, FormatFile::toLines(set, *printer), *printer);
        const QStringList written = FormatFile::toLines(once, *printer);
        FormatSet again;
        FormatFile::fromLines(again, written, *printer);
        FuzzRequire(FormatFile::toLines(again, *printer) == written, "a format file reads back");
        std::array<bool, 6> all{};
        all.fill(true);
        BuildFormatDownload(set, all);
        BuildLinkDownload(set, all);
        GoodsTable goods;
        LabelSetFixture::fillGoods(goods);
        buildJobs(set, goods);
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
    GoodsCheck::run(Printers::srp770(), LabelSetFixture::srp770Formats(), goods);
    GoodsCheck::run(Printers::al300(), LabelSetFixture::al300Formats(), goods);
    buildJobs(LabelSetFixture::srp770Formats(), goods);
    buildJobs(LabelSetFixture::al300Formats(), goods);
    BuildItemTableDownload(goods.rowTexts());
    return 0;
}

int FuzzPreFile(const uint8_t *data, size_t size)
{
    PreFile file;
    if (file.parse(bytesOf(data, size)) != PreFile::Status::Ok)
        return 0;
    FuzzRequire(file.recordCount() <= PreFile::MaxRecords, "at most 999 records are read");
    const QList<QStringList> rows = file.rows();
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
