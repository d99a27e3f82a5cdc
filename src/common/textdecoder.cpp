// SPDX-License-Identifier: GPL-3.0-or-later
#include "textdecoder.h"

#include <unicode/ucnv.h>

#include <utility>

// ICU converts a piece at a time exactly as it converts the whole: what a piece leaves
// incomplete, or begins of an illegal sequence, waits in the converter for the next piece.
// (Qt's stateful decoders do not promise this for illegal sequences split between pieces.)
struct TextDecoder::Private {
    TextEncoding::Kind kind = TextEncoding::Utf8;
    bool started = false;
    QByteArray head; // the first bytes, until the byte order mark is known
    UConverter *icu = nullptr;

    ~Private()
    {
        if (icu)
            ucnv_close(icu);
    }

    // The bytes a byte order mark takes (and that decide the converter).
    qsizetype markBytes() const
    {
        switch (kind) {
        case TextEncoding::Utf16:
            return 2;
        case TextEncoding::Cp949:
            return 0;
        case TextEncoding::Utf8:
        case TextEncoding::Auto:
            break;
        }
        return 3;
    }

    // Opens the converter the first bytes call for; answers how many of them to skip.
    qsizetype start()
    {
        started = true;
        const char *name = "UTF-8";
        qsizetype skip = 0;
        switch (kind) {
        case TextEncoding::Utf16:
            name = head.startsWith("\xFE\xFF") ? "UTF-16BE" : "UTF-16LE";
            skip = head.startsWith("\xFE\xFF") || head.startsWith("\xFF\xFE") ? 2 : 0;
            break;
        case TextEncoding::Cp949:
            name = "windows-949-2000"; // Cp949Codec's table (Microsoft's, not IBM's "cp949")
            break;
        case TextEncoding::Utf8:
        case TextEncoding::Auto:
            skip = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
            break;
        }
        UErrorCode status = U_ZERO_ERROR;
        icu = ucnv_open(name, &status);
        if (U_FAILURE(status))
            icu = nullptr;
        return skip;
    }

    QString convert(QByteArrayView bytes, bool flush)
    {
        if (!icu)
            return QString::fromLatin1(bytes);
        // A byte gives at most one UTF-16 unit, bytes left from the last piece a few more.
        QString out(bytes.size() + 8, Qt::Uninitialized);
        static const char none = 0;
        const char *source = bytes.isEmpty() ? &none : bytes.data();
        const char *const sourceEnd = source + bytes.size();
        qsizetype done = 0;
        for (;;) {
            UChar *const begin = reinterpret_cast<UChar *>(out.data());
            UChar *target = begin + done;
            UErrorCode status = U_ZERO_ERROR;
            ucnv_toUnicode(icu, &target, begin + out.size(), &source, sourceEnd, nullptr, flush,
                           &status);
            done = target - begin;
            if (status != U_BUFFER_OVERFLOW_ERROR)
                break;
            out.resize(out.size() * 2);
        }
        out.resize(done);
        return out;
    }
};

TextDecoder::TextDecoder(TextEncoding::Kind kind) : d(std::make_unique<Private>())
{
    d->kind = kind;
}

TextDecoder::~TextDecoder() = default;

QString TextDecoder::decode(QByteArrayView piece)
{
    if (d->started)
        return d->convert(piece, false);
    d->head += piece;
    if (d->head.size() < d->markBytes())
        return QString();
    const qsizetype skip = d->start();
    const QByteArray head = std::exchange(d->head, QByteArray());
    return d->convert(QByteArrayView(head).sliced(skip), false);
}

QString TextDecoder::finish()
{
    QString text;
    if (!d->started) {
        const qsizetype skip = d->start();
        const QByteArray head = std::exchange(d->head, QByteArray());
        text = d->convert(QByteArrayView(head).sliced(skip), false);
    }
    return text + d->convert(QByteArrayView(), true);
}
