// SPDX-License-Identifier: GPL-3.0-or-later
#include "textencoding.h"

#include "common/textdecoder.h"

#include <QBuffer>
#include <QStringDecoder>

namespace {

// Whether the device's bytes from where it stands are UTF-8 throughout (an incomplete
// character at the end is not), checked a piece at a time; the device is put back. A piece
// ends before the start of its last character, so that no character is cut in two.
bool validUtf8(QIODevice *device)
{
    constexpr qsizetype PieceBytes = 64 * 1024;
    const qint64 start = device->pos();
    QByteArray bytes;
    bool valid = true;
    bool end = false;
    while (valid && !end) {
        const qsizetype kept = bytes.size();
        bytes.resize(kept + PieceBytes);
        const qint64 n = device->read(bytes.data() + kept, PieceBytes);
        end = n <= 0;
        bytes.resize(kept + std::max<qint64>(n, 0));
        qsizetype cut = bytes.size();
        if (!end) {
            // Back over at most three continuation bytes to a character's first byte.
            for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - 4; --i) {
                if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
                    cut = i;
                    break;
                }
            }
        }
        QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = d.decode(QByteArrayView(bytes).first(cut));
        valid = !d.hasError();
        bytes.remove(0, cut);
    }
    device->seek(start);
    return valid;
}

} // namespace

TextEncoding::Kind TextEncoding::detect(const QByteArray &bytes, bool *bom)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return detect(&buffer, bom);
}

bool TextEncoding::startsWithMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
           bytes.startsWith("\xFE\xFF");
}

TextEncoding::Kind TextEncoding::detect(QIODevice *device, bool *bom)
{
    const QByteArray head = device->peek(3);
    if (bom)
        *bom = true;
    if (head.startsWith("\xEF\xBB\xBF"))
        return Utf8;
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return Utf16;
    if (bom)
        *bom = false;
    // Plain ASCII and Korean text in valid UTF-8 are UTF-8, anything else is the Korean code
    // page (Hangul in CP949 practically never forms valid UTF-8). UTF-16 is read with its
    // mark only (short Korean texts in CP949 can look like UTF-16 to a charset detector).
    // ICU's detector, asked before, could never change this answer and cost a good part of
    // a small file's reading.
    return validUtf8(device) ? Utf8 : Cp949;
}

QString TextEncoding::decode(const QByteArray &bytes, Kind kind)
{
    if (kind == Auto)
        kind = detect(bytes);
    TextDecoder decoder(kind);
    const QString text = decoder.decode(bytes);
    return text + decoder.finish();
}

QString TextEncoding::utf8Text(QByteArrayView utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (utf8.startsWith("\xEF\xBB\xBF"))
        text.prepend(QChar(QChar::ByteOrderMark));
    return text;
}

QString TextEncoding::name(Kind kind)
{
    switch (kind) {
    case Utf8:
        return QStringLiteral("UTF-8");
    case Utf16:
        return QStringLiteral("UTF-16");
    case Cp949:
        return QStringLiteral("CP949");
    case Auto:
        break;
    }
    return QString();
}

bool TextEncoding::fromName(const QString &name, Kind *kind)
{
    const QString n = name.trimmed().toLower();
    if (n.isEmpty() || n == QLatin1String("auto"))
        *kind = Auto;
    else if (n == QLatin1String("utf-8") || n == QLatin1String("utf8"))
        *kind = Utf8;
    else if (n == QLatin1String("utf-16") || n == QLatin1String("utf16"))
        *kind = Utf16;
    else if (n == QLatin1String("cp949") || n == QLatin1String("euc-kr") ||
             n == QLatin1String("ms949"))
        *kind = Cp949;
    else
        return false;
    return true;
}
