// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp949codec.h"

#include <unicode/ucnv.h>

#include <mutex>

namespace {

// ICU converters are not thread-safe; the program uses one thread, but the lock keeps
// tests with helper threads honest.
struct Converter {
    UConverter *conv = nullptr;
    std::mutex lock;
    Converter()
    {
        UErrorCode status = U_ZERO_ERROR;
        conv = ucnv_open("windows-949-2000", &status);
        if (U_FAILURE(status)) {
            conv = nullptr;
            return;
        }
        status = U_ZERO_ERROR;
        ucnv_setSubstChars(conv, "?", 1, &status);
    }
    ~Converter() { ucnv_close(conv); }
};

Converter &converter()
{
    static Converter c;
    return c;
}

} // namespace

QByteArray Cp949Codec::encode(const QString &text)
{
    if (text.isEmpty())
        return {};
    Converter &c = converter();
    if (!c.conv)
        return text.toLatin1();
    std::lock_guard<std::mutex> guard(c.lock);
    ucnv_resetFromUnicode(c.conv);
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    int32_t n =
        ucnv_fromUChars(c.conv, out.data(), out.size(),
                        reinterpret_cast<const UChar *>(text.utf16()), text.size(), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(n + 1);
        status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(c.conv);
        n = ucnv_fromUChars(c.conv, out.data(), out.size(),
                            reinterpret_cast<const UChar *>(text.utf16()), text.size(), &status);
    }
    if (U_FAILURE(status))
        return {};
    out.resize(n);
    return out;
}

QString Cp949Codec::decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    Converter &c = converter();
    if (!c.conv)
        return QString::fromLatin1(bytes);
    std::lock_guard<std::mutex> guard(c.lock);
    ucnv_resetToUnicode(c.conv);
    QString out(bytes.size() + 8, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(c.conv, reinterpret_cast<UChar *>(out.data()), out.size(),
                              bytes.constData(), bytes.size(), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(n + 1);
        status = U_ZERO_ERROR;
        ucnv_resetToUnicode(c.conv);
        n = ucnv_toUChars(c.conv, reinterpret_cast<UChar *>(out.data()), out.size(),
                          bytes.constData(), bytes.size(), &status);
    }
    if (U_FAILURE(status))
        return {};
    out.resize(n);
    return out;
}

int Cp949Codec::charWidth(QChar c)
{
    if (c.unicode() < 0x80)
        return 1;
    return encode(QString(c)).size() >= 2 ? 2 : 1;
}

int Cp949Codec::byteLength(const QString &text)
{
    return encode(text).size();
}
