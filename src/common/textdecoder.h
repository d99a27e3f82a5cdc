// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/textencoding.h"

#include <QByteArrayView>
#include <QString>

#include <memory>

// Decodes a text in one of TextEncoding's kinds piece by piece as a file is read, so that a
// large file is never held whole: the texts of the pieces joined are the text of all the
// bytes decoded at once, however the bytes were cut (a character split between two pieces
// comes out whole, a surrogate pair is never split between two answers). A byte order mark
// at the start is dropped (UTF-8, UTF-16); UTF-16 without one is little-endian; Auto reads
// UTF-8. Bytes that do not belong to the encoding, and an incomplete character at the end,
// become U+FFFD.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding::Kind kind);
    ~TextDecoder();
    TextDecoder(const TextDecoder &) = delete;
    TextDecoder &operator=(const TextDecoder &) = delete;

    // The text of the next piece (possibly less: what ends it incomplete waits for the next).
    QString decode(QByteArrayView piece);
    // The rest of the text once every piece is given.
    QString finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
