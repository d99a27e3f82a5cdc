// SPDX-License-Identifier: GPL-3.0-or-later
#include "prefile.h"

#include "common/cp949codec.h"
#include "common/textfile.h"
#include "common/textutil.h"

#include <QFileInfo>

#include <cstring>

namespace {

int byteAt(const QByteArray &image, qint64 pos)
{
    return pos >= 0 && pos < image.size() ? quint8(image[pos]) : 0;
}

bool isLeadByte(quint8 b)
{
    return b >= 0x81 && b <= 0xFE;
}

} // namespace

PreFile::Status PreFile::load(const QString &path, QString *error)
{
    // The image holds at most MaxFileSize bytes; a longer file is not a goods file of the
    // LEO-60D+ software and is refused before it is read.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("larger than %1 bytes").arg(MaxFileSize);
        return Status::Unknown;
    }
    QByteArray bytes;
    if (TextFile::readBytes(path, MaxFileSize, &bytes, error) != TextFile::Read::Ok) {
        if (error && error->isEmpty())
            *error = QStringLiteral("%1 does not exist").arg(path);
        return Status::Unreadable;
    }
    return parse(bytes, error);
}

PreFile::Status PreFile::parse(const QByteArray &bytes, QString *error)
{
    auto refuse = [&](const QString &why) {
        if (error)
            *error = why;
        return Status::Unknown;
    };
    if (bytes.size() > MaxFileSize)
        return refuse(QStringLiteral("larger than %1 bytes").arg(MaxFileSize));
    if (bytes.size() < HeaderSize)
        return refuse(QStringLiteral("shorter than its %1-byte header").arg(HeaderSize));
    if (Cp949Codec::decode(bytes.left(Signature.size())) != QString::fromLatin1(Signature))
        return refuse(QStringLiteral("no \"%1\" at its start").arg(QLatin1String(Signature)));
    const int recordLength = byteAt(bytes, RecordLengthOffset);
    if (recordLength == 0)
        return refuse(QStringLiteral("record length 0"));

    m_image = bytes;
    m_recordLength = recordLength;
    const int records = int((bytes.size() - HeaderSize) / recordLength);
    m_recordCount = qMin(records, MaxRecords);
    m_omittedRecords = records - m_recordCount;
    for (int i = 0; i < FieldCount; ++i) {
        const qint64 def = DefinitionOffset + qint64(DefinitionSize) * i;
        Field &f = m_fields[size_t(i)];
        f.start = byteAt(bytes, def);
        f.length = byteAt(bytes, def + 2);
        f.attribute = byteAt(bytes, def + 4);
        f.name = TrimSpaces(extractText(bytes, NameOffset + qint64(NameStride) * i, NameLength));
    }
    return Status::Ok;
}

QStringList PreFile::fieldNames() const
{
    QStringList names;
    for (const Field &f : m_fields)
        names << f.name;
    return names;
}

QString PreFile::cell(int record, int field) const
{
    if (record < 1 || record > m_recordCount || field < 0 || field >= FieldCount)
        return {};
    const Field &f = m_fields[size_t(field)];
    if (f.length == 0)
        return {};
    // A start position of 0 would read the byte before the record (positions count from 1):
    // like every byte outside the record it reads as NUL.
    const qint64 recordStart = HeaderSize + qint64(record - 1) * m_recordLength;
    const qint64 offset = recordStart + (qint64(f.start) - 1);
    return extractText(m_image, offset, f.length, recordStart, recordStart + m_recordLength);
}

QStringList PreFile::row(int record) const
{
    QStringList row;
    for (int i = 0; i < FieldCount; ++i)
        row << TrimSpaces(cell(record, i));
    return row;
}

QList<QStringList> PreFile::rows() const
{
    QList<QStringList> out;
    out.reserve(m_recordCount);
    for (int r = 1; r <= m_recordCount; ++r)
        out << row(r);
    return out;
}

QString PreFile::extractText(const QByteArray &image, qint64 offset, int length, qint64 from,
                             qint64 to)
{
    if (length <= 0)
        return {};
    QByteArray buffer(length, '\0');
    char *b = buffer.data();
    const qint64 first = qMax(qMax<qint64>(offset, from), 0);
    const qint64 last = qMin(offset + length, to < 0 ? image.size() : qMin(to, image.size()));
    if (last > first)
        std::memcpy(b + (first - offset), image.constData() + first, size_t(last - first));
    // Walk the double-byte structure: a lead byte in the last position has lost its trail
    // byte to the field length and would decode to a replacement mark.
    int pairEnd = 0; // one past the last byte that begins or ends a double-byte pair
    // Past the copied bytes there are only NULs, which begin no pair.
    const int copiedEnd = last > first ? int(last - offset) : 0;
    for (int k = 0; k < length && k < copiedEnd; ++k) {
        if (isLeadByte(quint8(b[k]))) {
            if (k + 1 == length)
                b[k] = '\0';
            ++k;
            pairEnd = k + 1;
        }
    }
    // NUL padding reads as spaces: only the bytes before it are converted (a field of a short
    // record is mostly padding). The same text as converting the whole field.
    int used = qMin(length, qMax(copiedEnd, pairEnd));
    while (used > 0 && b[used - 1] == '\0')
        --used;
    QString text;
    if (used < length && used >= pairEnd) {
        if (used > 0)
            text = Cp949Codec::decode(Cp949Codec::encode(Cp949Codec::decode(buffer.left(used))));
        text.replace(QChar(0), QLatin1Char(' '));
        text += QString(length - used, QLatin1Char(' '));
    } else {
        text = AnsiLeftBytes(Cp949Codec::decode(buffer), length);
    }
    // A line break or any other control character would break the goods data file.
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return text;
}
