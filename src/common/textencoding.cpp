#include "textencoding.h"

#include "common/cp949codec.h"

#include <QStringDecoder>

#include <unicode/ucsdet.h>

namespace {

bool validUtf8(const QByteArray &bytes)
{
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = d.decode(bytes);
    return !d.hasError();
}

// ICU's verdict among the encodings this program reads, best match first; Auto when it
// names none of them.
TextEncoding::Kind icuGuess(const QByteArray &bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector *det = ucsdet_open(&status);
    if (U_FAILURE(status))
        return TextEncoding::Auto;
    // The detector looks at a sample; 64 KiB is plenty to recognise an encoding.
    const int32_t n = int32_t(std::min<qsizetype>(bytes.size(), 64 * 1024));
    ucsdet_setText(det, bytes.constData(), n, &status);
    int32_t count = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(det, &count, &status);
    TextEncoding::Kind kind = TextEncoding::Auto;
    for (int32_t i = 0; U_SUCCESS(status) && i < count && kind == TextEncoding::Auto; ++i) {
        UErrorCode s = U_ZERO_ERROR;
        const QByteArray name = QByteArray(ucsdet_getName(matches[i], &s)).toUpper();
        if (U_FAILURE(s))
            continue;
        if (name == "UTF-8")
            kind = TextEncoding::Utf8;
        else if (name == "EUC-KR")
            kind = TextEncoding::Cp949;
    }
    ucsdet_close(det);
    return kind;
}

} // namespace

TextEncoding::Kind TextEncoding::detect(const QByteArray &bytes, bool *bom)
{
    if (bom)
        *bom = true;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Utf8;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return Utf16;
    if (bom)
        *bom = false;
    Kind kind = icuGuess(bytes);
    // Plain ASCII and Korean text in valid UTF-8 are UTF-8 whatever the detector thinks
    // (Hangul in CP949 practically never forms valid UTF-8). UTF-16 is read with its mark
    // only (short Korean texts in CP949 can look like UTF-16 to the detector).
    if (kind == Utf8 && !validUtf8(bytes))
        kind = Auto;
    if (kind == Auto || kind == Cp949)
        kind = validUtf8(bytes) ? Utf8 : Cp949;
    return kind;
}

QString TextEncoding::decode(const QByteArray &bytes, Kind kind)
{
    bool bom = false;
    if (kind == Auto)
        kind = detect(bytes, &bom);
    switch (kind) {
    case Utf16: {
        if (bytes.startsWith("\xFE\xFF"))
            return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
        if (bytes.startsWith("\xFF\xFE"))
            return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    }
    case Cp949:
        return Cp949Codec::decode(bytes);
    case Utf8:
    case Auto:
        break;
    }
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    return QStringDecoder(QStringDecoder::Utf8).decode(body);
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
