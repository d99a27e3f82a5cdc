// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the goods-import readers and of the import settings file (see
// fuzztargets.h).

#include "fuzztargets.h"

#include "common/textdecoder.h"
#include "common/textencoding.h"
#include "common/textfile.h"
#include "model/csvimportreader.h"
#include "model/goodsimportsettings.h"
#include "model/xlsimportreader.h"
#include "model/xlsximportreader.h"

#include <QByteArray>
#include <QFile>

#include <array>

namespace {

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// What every reader promises of the table it gives: within the bounds of ImportTable, each
// row with a filled last cell and its row number in the file; nothing at all, and a reason,
// when it refuses the file. Text files and .xls count their rows upwards.
void requireTable(const ImportTable &t, const ImportProblem &p, bool rowsInOrder)
{
    if (!p.ok()) {
        FuzzRequire(t.rows.isEmpty() && t.sourceRows.isEmpty(), "a refused file gives no rows");
        FuzzRequire(!p.korean().isEmpty() && !p.english().isEmpty(), "a refusal says why");
        return;
    }
    FuzzRequire(t.rows.size() <= ImportTable::MaxRows, "at most MaxRows rows");
    FuzzRequire(t.sourceRows.size() == t.rows.size(), "a file row number for every row");
    qint64 cells = 0;
    int widest = 0;
    for (qsizetype i = 0; i < t.rows.size(); ++i) {
        const QStringList &row = t.rows[i];
        FuzzRequire(!row.isEmpty() && !row.last().trimmed().isEmpty(),
                    "a row ends with a filled cell");
        FuzzRequire(row.size() <= ImportTable::MaxColumns, "at most MaxColumns cells a row");
        FuzzRequire(t.sourceRows[i] >= 1, "file rows count from 1");
        if (rowsInOrder && i > 0)
            FuzzRequire(t.sourceRows[i] > t.sourceRows[i - 1], "rows in the file's order");
        cells += row.size();
        widest = std::max(widest, int(row.size()));
    }
    FuzzRequire(cells <= ImportTable::MaxCells, "at most MaxCells cells");
    FuzzRequire(t.columns == widest, "the column count is the widest row's");
}

// The table written back as a text file the reader must take cell for cell: UTF-8 with its
// mark, every cell quoted (quotes doubled), the table's own delimiter.
QByteArray quotedCsv(const ImportTable &t)
{
    QString text;
    for (const QStringList &row : t.rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << QLatin1Char('"') +
                         QString(cell).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                         QLatin1Char('"');
        text += cells.join(QLatin1Char(t.delimiter)) + QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// --- a workbook made around fuzzed parts ------------------------------------------------

quint32 crc32Of(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes)
        crc = table[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put16(QByteArray &out, quint32 v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A zip of stored (not compressed) parts with right sizes and checksums.
QByteArray storedZip(const QList<std::pair<QByteArray, QByteArray>> &parts)
{
    QByteArray zip, directory;
    for (const auto &part : parts) {
        const QByteArray &name = part.first;
        const QByteArray &data = part.second;
        const quint32 offset = quint32(zip.size());
        const quint32 crc = crc32Of(data);
        auto header = [&](QByteArray &out, bool central) {
            put32(out, central ? 0x02014B50 : 0x04034B50);
            if (central)
                put16(out, 20); // made by
            put16(out, 20);     // needed to extract
            put16(out, 0);      // flags
            put16(out, 0);      // stored
            put32(out, 0);      // time and date
            put32(out, crc);
            put32(out, quint32(data.size()));
            put32(out, quint32(data.size()));
            put16(out, quint32(name.size()));
            put16(out, 0); // extra
            if (central) {
                put16(out, 0); // comment
                put16(out, 0); // disk
                put16(out, 0); // internal attributes
                put32(out, 0); // external attributes
                put32(out, offset);
            }
            out += name;
        };
        header(zip, false);
        zip += data;
        header(directory, true);
    }
    const quint32 at = quint32(zip.size());
    zip += directory;
    put32(zip, 0x06054B50);
    put16(zip, 0);
    put16(zip, 0);
    put16(zip, quint32(parts.size()));
    put16(zip, quint32(parts.size()));
    put32(zip, quint32(directory.size()));
    put32(zip, at);
    put16(zip, 0);
    return zip;
}

// Bytes that are no zip are parts of a workbook, separated by NUL bytes: the first sheet's
// XML, then the shared strings and the styles, each optional. So the fuzzer works on the XML
// itself, not on compressed bytes that rarely unpack.
QByteArray workbookOf(const QByteArray &bytes)
{
    if (bytes.startsWith("PK"))
        return bytes;
    const QList<QByteArray> xml = bytes.split('\0');
    QList<std::pair<QByteArray, QByteArray>> parts{
        {"xl/workbook.xml",
         "<workbook xmlns:r=\"r\"><workbookPr date1904=\"0\"/><sheets><sheet name=\"Goods\" "
         "sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Two\" sheetId=\"2\" r:id=\"rId2\"/>"
         "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
         "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"x/worksheet\" "
         "Target=\"/xl/worksheets/sheet2.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", xml.value(0)},
        {"xl/worksheets/sheet2.xml", "<worksheet/>"}};
    if (xml.size() > 1)
        parts.append({"xl/sharedStrings.xml", xml[1]});
    if (xml.size() > 2)
        parts.append({"xl/styles.xml", xml[2]});
    return storedZip(parts);
}

} // namespace

int FuzzCsvImport(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    // Read piece by piece, a text decodes as it does whole: the reader decodes the file
    // in pieces of its own size, so a character split between pieces must come out whole.
    // One encoding an input, by its second byte; pieces of 1 to 13 bytes, by its first.
    if (size >= 2) {
        const TextEncoding::Kind kind =
            std::array{TextEncoding::Utf8, TextEncoding::Utf16, TextEncoding::Cp949}[data[1] % 3];
        const qsizetype piece = 1 + data[0] % 13;
        TextDecoder decoder(kind);
        QString text;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            text += decoder.decode(
                QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
        text += decoder.finish();
        FuzzRequire(text == TextEncoding::decode(bytes, kind),
                    "a text decodes piece by piece as whole");
    }

    ImportTable table;
    const ImportProblem problem = CsvImportReader::read(bytes, TextEncoding::Auto, 0, &table);
    requireTable(table, problem, true);
    if (!problem.ok())
        return 0;
    // Written out with every cell quoted, the table reads back cell for cell.
    ImportTable again;
    const ImportProblem p =
        CsvImportReader::read(quotedCsv(table), TextEncoding::Auto, table.delimiter, &again);
    FuzzRequire(p.ok() && again.rows == table.rows, "a table written as quoted CSV reads back");
    return 0;
}

int FuzzXlsxImport(const uint8_t *data, size_t size)
{
    const QByteArray workbook = workbookOf(bytesOf(data, size));
    // The first sheet, or the second (its part named from the root), as the input's length
    // chooses.
    const int sheet = int(size % 2);
    ImportTable table;
    const ImportProblem problem = XlsxImportReader::read(workbook, sheet, &table);
    requireTable(table, problem, false);
    // Every character of a cell comes from the parts as they unpack (no entity of a
    // document type multiplies them).
    qint64 characters = 0;
    for (const QStringList &row : table.rows) {
        for (const QString &cell : row)
            characters += cell.size();
    }
    FuzzRequire(characters <= ImportTable::MaxUnpackedBytes,
                "no more text than the workbook unpacks to");
    if (problem.ok())
        FuzzRequire(table.sheet == sheet, "the sheet read is the one asked for");
    return 0;
}

int FuzzXlsImport(const uint8_t *data, size_t size)
{
    // FreeXL reads from a file only.
    const QString path = FuzzScratchFile("goods.xls", data, size);
    ImportTable table;
    const ImportProblem problem = XlsImportReader::read(path, 0, &table);
    requireTable(table, problem, true);
    return 0;
}

int FuzzImportSettings(const uint8_t *data, size_t size)
{
    const GoodsImportSettings read =
        GoodsImportSettings::fromLines(TextFile::splitLines(bytesOf(data, size)));
    FuzzRequire(read.known, "a settings file read is known");
    // What the program writes reads back as it was written: every choice, every mapped
    // column and its caption.
    const QByteArray written = TextFile::toBytes(read.toLines());
    const GoodsImportSettings again = GoodsImportSettings::fromLines(TextFile::splitLines(written));
    FuzzRequire(TextFile::toBytes(again.toLines()) == written,
                "a settings file reads back as written");
    FuzzRequire(again.mapping == read.mapping && again.mode == read.mode &&
                    again.match == read.match && again.encoding == read.encoding &&
                    again.delimiter == read.delimiter,
                "the choices read back");
    for (int f = 0; f < GoodsImportMapping::FieldCount; ++f) {
        FuzzRequire(read.mapping.column(f) >= GoodsImportMapping::None &&
                        read.mapping.column(f) < ImportTable::MaxColumns,
                    "a mapped column within the bounds");
    }
    // A column found again on a table is always one of the table's.
    ImportTable table;
    table.addRow({QStringLiteral("바코드"), QStringLiteral("상품명"), QStringLiteral("가격")}, 1);
    table.addRow({QStringLiteral("8801234567893"), QStringLiteral("사과"), QStringLiteral("1500")},
                 2);
    table.addRow({QStringLiteral("8809876543213"), QStringLiteral("배")}, 3);
    const GoodsImportMapping m = again.mappingFor(table);
    FuzzRequire(m.captionRow >= 0 && m.captionRow < table.rows.size(),
                "the caption row is a row of the table");
    for (int f = 0; f < GoodsImportMapping::FieldCount; ++f)
        FuzzRequire(m.column(f) == GoodsImportMapping::None ||
                        (m.column(f) >= 0 && m.column(f) < table.columns),
                    "a column found again is the table's");
    return 0;
}
