#include "xlsximportreader.h"

#include "model/spreadsheetnumber.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <unzip.h>

#include <cstring>

namespace {

// The zip, read from memory through minizip's I/O hooks.
struct MemoryFile {
    const QByteArray *bytes = nullptr;
    qint64 pos = 0;
};

voidpf memOpen(voidpf, const void *file, int)
{
    return const_cast<void *>(file);
}

uLong memRead(voidpf, voidpf stream, void *buf, uLong size)
{
    auto *f = static_cast<MemoryFile *>(stream);
    const qint64 n = std::clamp<qint64>(f->bytes->size() - f->pos, 0, qint64(size));
    memcpy(buf, f->bytes->constData() + f->pos, size_t(n));
    f->pos += n;
    return uLong(n);
}

uLong memWrite(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T memTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<MemoryFile *>(stream)->pos);
}

long memSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *f = static_cast<MemoryFile *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = f->pos;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = f->bytes->size();
    const qint64 to = base + qint64(offset);
    if (to < 0 || to > f->bytes->size())
        return -1;
    f->pos = to;
    return 0;
}

int memClose(voidpf, voidpf)
{
    return 0;
}

int memError(voidpf, voidpf)
{
    return 0;
}

// The zip parts, each unpacked at most once, all of them together within the limit.
class Package {
public:
    explicit Package(const QByteArray &bytes) : m_bytes(bytes) { m_file.bytes = &m_bytes; }
    ~Package()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    bool open()
    {
        zlib_filefunc64_def io{};
        io.zopen64_file = memOpen;
        io.zread_file = memRead;
        io.zwrite_file = memWrite;
        io.ztell64_file = memTell;
        io.zseek64_file = memSeek;
        io.zclose_file = memClose;
        io.zerror_file = memError;
        m_zip = unzOpen2_64(&m_file, &io);
        return m_zip != nullptr;
    }

    // The unpacked part; false with *problem set when it is encrypted, damaged or over the
    // budget. A missing part answers true with *exists false when `exists` is given, else
    // false.
    bool part(const QString &name, QByteArray *out, ImportProblem *problem, bool *exists = nullptr)
    {
        out->clear();
        if (exists)
            *exists = false;
        if (unzLocateFile(m_zip, name.toUtf8().constData(), 2) != UNZ_OK)
            return exists != nullptr;
        if (exists)
            *exists = true;
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
            *problem = {ImportProblem::Corrupt, name};
            return false;
        }
        if (info.flag & 1) {
            *problem = {ImportProblem::Encrypted, QString()};
            return false;
        }
        if (qint64(info.uncompressed_size) > ImportTable::MaxUnpackedBytes - m_unpacked) {
            *problem = {ImportProblem::UnpackTooLarge, QString()};
            return false;
        }
        if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
            *problem = {ImportProblem::Corrupt, name};
            return false;
        }
        // The sizes in a zip's directory can lie: count what really comes out.
        char chunk[64 * 1024];
        for (;;) {
            const int n = unzReadCurrentFile(m_zip, chunk, sizeof chunk);
            if (n < 0) {
                unzCloseCurrentFile(m_zip);
                *problem = {ImportProblem::Corrupt, name};
                out->clear();
                return false;
            }
            if (n == 0)
                break;
            m_unpacked += n;
            if (m_unpacked > ImportTable::MaxUnpackedBytes) {
                unzCloseCurrentFile(m_zip);
                *problem = {ImportProblem::UnpackTooLarge, QString()};
                out->clear();
                return false;
            }
            out->append(chunk, n);
        }
        if (unzCloseCurrentFile(m_zip) != UNZ_OK) {
            *problem = {ImportProblem::Corrupt, name};
            out->clear();
            return false;
        }
        return true;
    }

private:
    QByteArray m_bytes;
    MemoryFile m_file;
    unzFile m_zip = nullptr;
    qint64 m_unpacked = 0;
};

// "xl/worksheets/sheet1.xml" from a relationship target seen from "xl/".
QString partPath(const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QStringList parts = QStringLiteral("xl").split(QLatin1Char('/'));
    for (const QString &p : target.split(QLatin1Char('/'))) {
        if (p == QLatin1String(".."))
            parts.removeLast();
        else if (p != QLatin1String("."))
            parts << p;
    }
    return parts.join(QLatin1Char('/'));
}

// Excel writes characters XML cannot hold as _xHHHH_.
QString unescapeText(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression esc(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    for (auto it = esc.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

// The text of an <si> or <is> element: its <t> texts, phonetic runs (<rPh>) left out.
QString richText(QXmlStreamReader &x)
{
    const QString end = x.name().toString();
    QString text;
    int phonetic = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (x.name() == QLatin1String("t") && phonetic == 0)
                text += x.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (x.isEndElement()) {
            if (x.name() == QLatin1String("rPh"))
                --phonetic;
            else if (x.name() == end)
                break;
        }
    }
    return unescapeText(text);
}

// "B12" -> column 1 (0-based); -1 without letters.
int columnOf(QStringView ref)
{
    int col = 0;
    int letters = 0;
    for (QChar c : ref) {
        const char16_t u = c.toUpper().unicode();
        if (u < 'A' || u > 'Z')
            break;
        col = col * 26 + (u - 'A' + 1);
        if (++letters > 3)
            return INT_MAX;
    }
    return letters ? col - 1 : -1;
}

struct Workbook {
    QStringList sheetNames;
    QStringList sheetIds;
    bool date1904 = false;
    QHash<QString, QString> relTargets; // id -> part path
    QString sharedStringsPath = QStringLiteral("xl/sharedStrings.xml");
    QString stylesPath = QStringLiteral("xl/styles.xml");
};

bool readWorkbook(const QByteArray &xml, Workbook *wb)
{
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == QLatin1String("sheet")) {
            wb->sheetNames << x.attributes().value(QLatin1String("name")).toString();
            QString id;
            for (const QXmlStreamAttribute &a : x.attributes()) {
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
            }
            wb->sheetIds << id;
        } else if (x.name() == QLatin1String("workbookPr")) {
            const QStringView v = x.attributes().value(QLatin1String("date1904"));
            wb->date1904 = v == QLatin1String("1") || v == QLatin1String("true");
        }
    }
    return !x.hasError();
}

void readRelationships(const QByteArray &xml, Workbook *wb)
{
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement ||
            x.name() != QLatin1String("Relationship"))
            continue;
        const QString id = x.attributes().value(QLatin1String("Id")).toString();
        const QString type = x.attributes().value(QLatin1String("Type")).toString();
        const QString path = partPath(x.attributes().value(QLatin1String("Target")).toString());
        wb->relTargets.insert(id, path);
        if (type.endsWith(QLatin1String("/sharedStrings")))
            wb->sharedStringsPath = path;
        else if (type.endsWith(QLatin1String("/styles")))
            wb->stylesPath = path;
    }
}

QStringList readSharedStrings(const QByteArray &xml)
{
    QStringList strings;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si"))
            strings << richText(x);
    }
    return strings;
}

// The number format of each cell style (the s attribute indexes cellXfs).
QList<SpreadsheetNumber::Format> readStyles(const QByteArray &xml)
{
    QHash<int, SpreadsheetNumber::Format> custom;
    QList<SpreadsheetNumber::Format> styles;
    QXmlStreamReader x(xml);
    bool inCellXfs = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("numFmt")) {
                custom.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                              SpreadsheetNumber::fromCode(
                                  x.attributes().value(QLatin1String("formatCode")).toString()));
            } else if (x.name() == QLatin1String("cellXfs")) {
                inCellXfs = true;
            } else if (inCellXfs && x.name() == QLatin1String("xf")) {
                const int id = x.attributes().value(QLatin1String("numFmtId")).toInt();
                styles << custom.value(id, SpreadsheetNumber::builtIn(id));
            }
        } else if (x.isEndElement() && x.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
    }
    return styles;
}

struct SheetReader {
    const QStringList &strings;
    const QList<SpreadsheetNumber::Format> &styles;
    bool date1904 = false;
    ImportTable *table = nullptr;
    qint64 cells = 0;

    QString cellText(const QString &type, int style, const QString &value, const QString &inline_)
    {
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = value.trimmed().toInt(&ok);
            return ok ? strings.value(i) : QString();
        }
        if (type == QLatin1String("inlineStr"))
            return inline_;
        if (type == QLatin1String("str") || type == QLatin1String("e"))
            return unescapeText(value);
        if (type == QLatin1String("b"))
            return value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE")
                                                         : QStringLiteral("FALSE");
        if (type == QLatin1String("d"))
            return value.trimmed().replace(QLatin1Char('T'), QLatin1Char(' '));
        return SpreadsheetNumber::text(value, styles.value(style), date1904);
    }

    ImportProblem read(const QByteArray &xml)
    {
        QXmlStreamReader x(xml);
        QStringList row;
        int rowNumber = 0;
        int nextColumn = 0;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == QLatin1String("row")) {
                cells += row.size();
                table->addRow(row, rowNumber);
                row.clear();
                if (table->rows.size() > ImportTable::MaxRows)
                    return {ImportProblem::TooManyRows, QString()};
                if (cells > ImportTable::MaxCells)
                    return {ImportProblem::TooManyCells, QString()};
                continue;
            }
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("row")) {
                bool ok = false;
                const int r = x.attributes().value(QLatin1String("r")).toInt(&ok);
                rowNumber = ok ? r : rowNumber + 1;
                nextColumn = 0;
                row.clear();
            } else if (x.name() == QLatin1String("c")) {
                const QXmlStreamAttributes a = x.attributes();
                int col = columnOf(a.value(QLatin1String("r")));
                if (col < 0)
                    col = nextColumn;
                nextColumn = col == INT_MAX ? col : col + 1;
                const QString type = a.value(QLatin1String("t")).toString();
                const int style = a.value(QLatin1String("s")).toInt();
                QString value, inlineText;
                while (!x.atEnd()) {
                    x.readNext();
                    if (x.isStartElement()) {
                        if (x.name() == QLatin1String("v"))
                            value = x.readElementText();
                        else if (x.name() == QLatin1String("is"))
                            inlineText = richText(x);
                        else
                            x.skipCurrentElement();
                    } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
                        break;
                    }
                }
                const QString text = cellText(type, style, value, inlineText);
                if (text.isEmpty())
                    continue;
                if (col >= ImportTable::MaxColumns)
                    return {ImportProblem::TooManyColumns, QString::number(rowNumber)};
                while (row.size() <= col)
                    row << QString();
                row[col] = text;
            }
        }
        if (x.hasError())
            return {ImportProblem::Corrupt, x.errorString()};
        return {};
    }
};

} // namespace

ImportProblem XlsxImportReader::read(const QByteArray &bytes, int sheet, ImportTable *table)
{
    *table = ImportTable();
    table->kind = ImportTable::Kind::Xlsx;
    Package pkg(bytes);
    if (!pkg.open())
        return {ImportProblem::Corrupt, QStringLiteral("zip")};
    ImportProblem problem;
    QByteArray xml;
    bool exists = false;
    if (!pkg.part(QStringLiteral("xl/workbook.xml"), &xml, &problem, &exists))
        return problem;
    if (!exists)
        return {ImportProblem::NotWhatNamed, QStringLiteral("zip, not a workbook")};
    Workbook wb;
    if (!readWorkbook(xml, &wb))
        return {ImportProblem::Corrupt, QStringLiteral("workbook.xml")};
    if (!pkg.part(QStringLiteral("xl/_rels/workbook.xml.rels"), &xml, &problem, &exists))
        return problem;
    readRelationships(xml, &wb);
    table->sheets = wb.sheetNames;
    if (sheet < 0 || sheet >= wb.sheetNames.size())
        return {ImportProblem::NoSheet, QString::number(sheet + 1)};
    table->sheet = sheet;

    QStringList strings;
    if (!pkg.part(wb.sharedStringsPath, &xml, &problem, &exists))
        return problem;
    strings = readSharedStrings(xml);
    if (!pkg.part(wb.stylesPath, &xml, &problem, &exists))
        return problem;
    const QList<SpreadsheetNumber::Format> styles = readStyles(xml);

    QString sheetPath = wb.relTargets.value(wb.sheetIds.value(sheet));
    if (sheetPath.isEmpty())
        sheetPath = QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet + 1);
    if (!pkg.part(sheetPath, &xml, &problem, &exists))
        return problem;
    if (!exists)
        return {ImportProblem::Corrupt, sheetPath};
    SheetReader reader{strings, styles, wb.date1904, table};
    problem = reader.read(xml);
    if (!problem.ok()) {
        const QStringList sheets = table->sheets;
        *table = ImportTable();
        table->kind = ImportTable::Kind::Xlsx;
        table->sheets = sheets;
    }
    return problem;
}
