#include "prefile.h"

#include "common/cp949codec.h"
#include "common/textutil.h"

#include <QFile>

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

PreFile::Status PreFile::load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Status::Unreadable;
    // The image holds at most MaxFileSize bytes; a longer file is not a goods file of the
    // LEO-60D+ software and is refused before it is read.
    if (f.size() > MaxFileSize)
        return Status::Unknown;
    const QByteArray bytes = f.read(MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError)
        return Status::Unreadable;
    return parse(bytes);
}

PreFile::Status PreFile::parse(const QByteArray &bytes)
{
    if (bytes.size() > MaxFileSize || bytes.size() < HeaderSize)
        return Status::Unknown;
    if (Cp949Codec::decode(bytes.left(Signature.size())) != QString::fromLatin1(Signature))
        return Status::Unknown;
    const int recordLength = byteAt(bytes, RecordLengthOffset);
    if (recordLength == 0)
        return Status::Unknown;

    m_image = bytes;
    m_recordLength = recordLength;
    m_recordCount = int((bytes.size() - HeaderSize) / recordLength);
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
    // A start position of 0 reads from the byte before the record, as the position is
    // counted from 1.
    const qint64 offset = HeaderSize + qint64(record - 1) * m_recordLength + (qint64(f.start) - 1);
    return extractText(m_image, offset, f.length);
}

QList<QStringList> PreFile::rows() const
{
    QList<QStringList> out;
    out.reserve(m_recordCount);
    for (int r = 1; r <= m_recordCount; ++r) {
        QStringList row;
        for (int i = 0; i < FieldCount; ++i)
            row << TrimSpaces(cell(r, i));
        out << row;
    }
    return out;
}

QString PreFile::extractText(const QByteArray &image, qint64 offset, int length)
{
    if (length <= 0)
        return {};
    QByteArray buffer(length, '\0');
    for (int k = 0; k < length; ++k)
        buffer[k] = char(byteAt(image, offset + k));
    // Walk the double-byte structure: a lead byte in the last position has lost its trail
    // byte to the field length and would decode to a replacement mark.
    for (int k = 0; k < length; ++k) {
        if (isLeadByte(quint8(buffer[k]))) {
            if (k + 1 == length)
                buffer[k] = '\0';
            ++k;
        }
    }
    return AnsiLeftBytes(Cp949Codec::decode(buffer), length);
}
