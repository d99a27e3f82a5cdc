// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The one converter between the program's texts and the Korean ANSI code page (CP949,
// Microsoft's table, "windows-949-2000" in ICU). Files, the serial port and byte widths
// go through here; everything in memory is a QString.
class Cp949Codec {
public:
    // A character the code page lacks becomes the single byte '?'.
    static QByteArray encode(const QString &text);
    // Invalid or incomplete byte sequences become U+FFFD.
    static QString decode(const QByteArray &bytes);
    // Bytes the character takes in CP949: 2 for a double-byte character, else 1.
    static int charWidth(QChar c);
    // Byte length of the text's CP949 form.
    static int byteLength(const QString &text);
};
