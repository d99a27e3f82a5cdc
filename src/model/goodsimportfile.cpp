#include "goodsimportfile.h"

#include "model/csvimportreader.h"
#include "model/xlsimportreader.h"
#include "model/xlsximportreader.h"

#include <QFile>
#include <QFileInfo>

namespace {

enum class Content { Zip, Compound, EncryptedWorkbook, Text, Binary };

// An encrypted .xlsx is a compound file holding the package as the stream
// "EncryptedPackage" (its directory names are UTF-16).
bool holdsEncryptedPackage(const QByteArray &bytes)
{
    static const QByteArray name =
        QByteArray::fromRawData("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    return bytes.contains(name);
}

Content contentOf(const QByteArray &bytes)
{
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return Content::Zip;
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return holdsEncryptedPackage(bytes) ? Content::EncryptedWorkbook : Content::Compound;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return Content::Text; // UTF-16 with its mark: zero bytes belong to it
    // Text has no zero bytes and few other control bytes than tab, CR, LF (and ESC, FF).
    const qsizetype n = std::min<qsizetype>(bytes.size(), 64 * 1024);
    qsizetype control = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == 0)
            return Content::Binary;
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0x1B && c != 0x0C)
            ++control;
    }
    return control * 100 > n ? Content::Binary : Content::Text;
}

QString contentName(Content c)
{
    switch (c) {
    case Content::Zip:
        return QStringLiteral(".xlsx (zip)");
    case Content::Compound:
    case Content::EncryptedWorkbook:
        return QStringLiteral(".xls");
    case Content::Text:
        return QStringLiteral("text");
    case Content::Binary:
        break;
    }
    return QStringLiteral("binary");
}

} // namespace

ImportProblem GoodsImportFile::read(const QString &path, const Options &options, ImportTable *table)
{
    *table = ImportTable();
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        return {ImportProblem::Unreadable, QStringLiteral("no such file")};
    if (fi.size() > ImportTable::MaxFileBytes)
        return {ImportProblem::TooLarge, QString()};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {ImportProblem::Unreadable, f.errorString()};
    const QByteArray bytes = f.read(ImportTable::MaxFileBytes + 1);
    if (f.error() != QFileDevice::NoError)
        return {ImportProblem::Unreadable, f.errorString()};
    if (bytes.size() > ImportTable::MaxFileBytes)
        return {ImportProblem::TooLarge, QString()};
    f.close();

    const Content content = contentOf(bytes);
    const QString ext = fi.suffix().toLower();
    const bool namedWorkbook =
        ext == QLatin1String("xlsx") || ext == QLatin1String("xlsm") || ext == QLatin1String("xls");
    const bool namedText = ext == QLatin1String("csv") || ext == QLatin1String("txt") ||
                           ext == QLatin1String("tsv") || ext == QLatin1String("tab");
    const bool isWorkbook = content == Content::Zip || content == Content::Compound ||
                            content == Content::EncryptedWorkbook;
    if (content == Content::EncryptedWorkbook && ext != QLatin1String("csv"))
        return {ImportProblem::Encrypted, QString()};
    if ((namedWorkbook && !isWorkbook) || (namedText && content != Content::Text) ||
        (ext == QLatin1String("xls") && content == Content::Zip) ||
        ((ext == QLatin1String("xlsx") || ext == QLatin1String("xlsm")) &&
         content == Content::Compound)) {
        return {ImportProblem::NotWhatNamed,
                QStringLiteral(".%1 / %2").arg(ext, contentName(content))};
    }
    switch (content) {
    case Content::Zip:
        return XlsxImportReader::read(bytes, options.sheet, table);
    case Content::Compound:
        return XlsImportReader::read(path, options.sheet, table);
    case Content::Text:
        return CsvImportReader::read(bytes, options.encoding, options.delimiter, table);
    case Content::EncryptedWorkbook:
        break;
    case Content::Binary:
        return {ImportProblem::UnknownKind, QString()};
    }
    return {ImportProblem::NotWhatNamed, QStringLiteral(".%1 / %2").arg(ext, contentName(content))};
}
