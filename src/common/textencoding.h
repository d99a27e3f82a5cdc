// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The encodings a goods list exported by another program comes in, how to tell them apart
// and how to read them. A byte order mark decides (UTF-8, UTF-16); otherwise a text that is
// UTF-8 throughout is UTF-8, any other the Korean code page (EUC-KR is read as CP949, its
// superset).
class TextEncoding {
public:
    enum Kind { Auto, Utf8, Utf16, Cp949 };

    // The encoding of `bytes` (never Auto). *bom is set when a byte order mark says so.
    static Kind detect(const QByteArray &bytes, bool *bom = nullptr);
    // The same of what `device` holds from where it stands to its end, looked through a
    // piece at a time (never held whole); the device is put back where it stood.
    static Kind detect(QIODevice *device, bool *bom = nullptr);
    // Whether the bytes start with a byte order mark (UTF-8 or UTF-16).
    static bool startsWithMark(QByteArrayView bytes);
    // The text of `bytes` in encoding `kind` (Auto detects first); a byte order mark is
    // dropped. Bytes that do not belong to the encoding become U+FFFD. (A file too large to
    // hold as text is decoded piece by piece with a TextDecoder.)
    static QString decode(const QByteArray &bytes, Kind kind);
    // The text of UTF-8 bytes, a byte order mark at their start kept as U+FEFF (where
    // QString::fromUtf8 drops it: a cell that begins with one reads back as it was).
    static QString utf8Text(QByteArrayView utf8);
    // "UTF-8", "UTF-16", "CP949" ("" for Auto).
    static QString name(Kind kind);
    // The kind named by "utf-8", "utf8", "utf-16", "cp949", "euc-kr" (any case); Auto for ""
    // or "auto"; false for any other name.
    static bool fromName(const QString &name, Kind *kind);
};
