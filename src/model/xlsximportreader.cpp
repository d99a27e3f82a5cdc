// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsximportreader.h"

#include "common/textencoding.h"
#include "model/spreadsheetnumber.h"
#include "model/xlsxpackage.h"

#include <QBuffer>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// A workbook's parts declare no entities. One that does is read as damaged: a few bytes of
// references to a declared entity would make megabytes of text.
void refuseEntities(QXmlStreamReader &x)
{
    x.setEntityExpansionLimit(0);
}

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
    refuseEntities(x);
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
    refuseEntities(x);
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

// The shared strings of a workbook, all in one UTF-8 text: a workbook can hold hundreds of
// thousands of them, and a list of texts would take several times their size.
struct SharedStrings {
    QByteArray utf8;
    QList<quint32> ends; // of each string in utf8 (the parts unpack to less than 4 GB)

    QString at(qsizetype i) const
    {
        if (i < 0 || i >= ends.size())
            return QString();
        const quint32 start = i > 0 ? ends[i - 1] : 0;
        return TextEncoding::utf8Text(
            QByteArrayView(utf8.constData() + start, qsizetype(ends[i] - start)));
    }
};

SharedStrings readSharedStrings(QIODevice *xml)
{
    SharedStrings strings;
    QXmlStreamReader x(xml);
    refuseEntities(x);
    while (!x.atEnd()) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si")) {
            strings.utf8 += richText(x).toUtf8();
            strings.ends << quint32(strings.utf8.size());
        }
    }
    return strings;
}

// The number format of each cell style (the s attribute indexes cellXfs).
QList<SpreadsheetNumber::Format> readStyles(const QByteArray &xml)
{
    QHash<int, SpreadsheetNumber::Format> custom;
    QList<SpreadsheetNumber::Format> styles;
    QXmlStreamReader x(xml);
    refuseEntities(x);
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

// Rows a sheet can have (Excel's limit).
constexpr int SheetRows = 1048576;

struct SheetReader {
    const SharedStrings &strings;
    const QList<SpreadsheetNumber::Format> &styles;
    bool date1904 = false;
    ImportTable *table = nullptr;
    qint64 cells = 0;

    QString cellText(const QString &type, int style, const QString &value, const QString &inline_)
    {
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = value.trimmed().toInt(&ok);
            return ok ? strings.at(i) : QString();
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

    ImportProblem read(QIODevice *xml)
    {
        QXmlStreamReader x(xml);
        refuseEntities(x);
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
                // A row number a sheet cannot have (0, negative, beyond Excel's last row)
                // counts on from the row before, as a row without one does.
                bool ok = false;
                const int r = x.attributes().value(QLatin1String("r")).toInt(&ok);
                rowNumber = ok && r >= 1 && r <= SheetRows ? r : rowNumber + 1;
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

// Reads what is left of a streamed part, so that its checksum is checked; what went wrong
// while it unpacked, if anything.
ImportProblem finishStream(QIODevice *part, const XlsxPackage &pkg)
{
    char rest[16 * 1024];
    while (part->read(rest, sizeof rest) > 0) {
    }
    return pkg.streamProblem();
}

} // namespace

ImportProblem XlsxImportReader::read(const QByteArray &bytes, int sheet, ImportTable *table)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer, sheet, table);
}

ImportProblem XlsxImportReader::read(QIODevice *file, int sheet, ImportTable *table)
{
    *table = ImportTable();
    table->kind = ImportTable::Kind::Xlsx;
    XlsxPackage pkg(file);
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

    // The shared strings and the sheet are read as they unpack: neither is held as XML.
    SharedStrings strings;
    if (std::unique_ptr<QIODevice> part = pkg.stream(wb.sharedStringsPath, &problem, &exists)) {
        strings = readSharedStrings(part.get());
        problem = finishStream(part.get(), pkg);
        if (!problem.ok())
            return problem;
    } else if (exists) {
        return problem;
    }
    if (!pkg.part(wb.stylesPath, &xml, &problem, &exists))
        return problem;
    const QList<SpreadsheetNumber::Format> styles = readStyles(xml);
    xml.clear();

    QString sheetPath = wb.relTargets.value(wb.sheetIds.value(sheet));
    if (sheetPath.isEmpty())
        sheetPath = QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet + 1);
    std::unique_ptr<QIODevice> part = pkg.stream(sheetPath, &problem, &exists);
    if (!part)
        return exists ? problem : ImportProblem{ImportProblem::Corrupt, sheetPath};
    SheetReader reader{strings, styles, wb.date1904, table};
    problem = reader.read(part.get());
    // A sheet that stopped unpacking (damaged, over the budget) is refused for that reason;
    // one refused for its rows is not unpacked further.
    if (!pkg.streamProblem().ok())
        problem = pkg.streamProblem();
    else if (problem.ok())
        problem = finishStream(part.get(), pkg);
    if (!problem.ok()) {
        const QStringList sheets = table->sheets;
        *table = ImportTable();
        table->kind = ImportTable::Kind::Xlsx;
        table->sheets = sheets;
    }
    return problem;
}
