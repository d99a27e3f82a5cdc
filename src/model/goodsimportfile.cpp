// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsimportfile.h"

#include "model/csvimportreader.h"
#include "model/xlsimportreader.h"
#include "model/xlsximportreader.h"

#include <QFile>
#include <QFileInfo>

namespace {

enum class Content { Zip, Compound, EncryptedWorkbook, Text, Binary };

// An encrypted .xlsx is a compound file holding the package as the stream
// "EncryptedPackage" (its directory names are UTF-16), anywhere in the file: looked for a
// piece at a time; the file is put back at its start.
bool holdsEncryptedPackage(QIODevice *file)
{
    static const QByteArray name =
        QByteArray::fromRawData("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    constexpr qint64 PieceBytes = 1024 * 1024;
    QByteArray window;
    bool found = false;
    while (!found) {
        const QByteArray piece = file->read(PieceBytes);
        if (piece.isEmpty())
            break;
        // The end of the last piece stays, in case the name was cut in two.
        window = window.right(name.size() - 1) + piece;
        found = window.contains(name);
    }
    file->seek(0);
    return found;
}

// What the file is, from its first bytes (`head`) and, for a compound file, all of it.
Content contentOf(const QByteArray &head, QIODevice *file)
{
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"))
        return Content::Zip;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return holdsEncryptedPackage(file) ? Content::EncryptedWorkbook : Content::Compound;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return Content::Text; // UTF-16 with its mark: zero bytes belong to it
    // Text has no zero bytes and few other control bytes than tab, CR, LF (and ESC, FF).
    const qsizetype n = std::min<qsizetype>(head.size(), 64 * 1024);
    qsizetype control = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(head[i]);
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
    // The readers take the file a piece at a time: it is never held whole.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {ImportProblem::Unreadable, f.errorString()};
    if (f.size() > ImportTable::MaxFileBytes)
        return {ImportProblem::TooLarge, QString()};
    const QByteArray head = f.peek(64 * 1024);
    if (f.error() != QFileDevice::NoError)
        return {ImportProblem::Unreadable, f.errorString()};

    const Content content = contentOf(head, &f);
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
        return XlsxImportReader::read(&f, options.sheet, table);
    case Content::Compound:
        f.close();
        return XlsImportReader::read(path, options.sheet, table);
    case Content::Text:
        return CsvImportReader::read(&f, options.encoding, options.delimiter, table);
    case Content::EncryptedWorkbook:
        break;
    case Content::Binary:
        return {ImportProblem::UnknownKind, QString()};
    }
    return {ImportProblem::NotWhatNamed, QStringLiteral(".%1 / %2").arg(ext, contentName(content))};
}
