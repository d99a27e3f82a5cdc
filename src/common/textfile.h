// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing the program's plain-text files: CP949, lines ended by CR LF.
class TextFile {
public:
    // The most a data file of the program holds; a larger file is not one of them and is not
    // read (a thousand goods lines take less than a megabyte).
    static constexpr qint64 MaxDataFileBytes = 4 * 1024 * 1024;

    enum class Read { Ok, Missing, Failed };
    // The whole content of a regular file of at most `maxBytes` bytes. A missing file gives
    // Missing; a file that cannot be read, is larger, or is not a regular file (a folder, a
    // FIFO, a device: nothing here waits for a writer) gives Failed with a reason in *error.
    // *bytes is empty unless the answer is Ok.
    static Read readBytes(const QString &path, qint64 maxBytes, QByteArray *bytes,
                          QString *error = nullptr);

    // Lines of a CP949 file (CR LF or LF accepted; a last line without an ending counts).
    // A missing or unreadable file gives *ok false and no lines (see readBytes).
    static QStringList readLines(const QString &path, bool *ok = nullptr, QString *error = nullptr);
    // The lines of CP949 bytes as readLines() splits them.
    static QStringList splitLines(const QByteArray &bytes);
    // The bytes writeLines() puts into a file: every line in CP949 followed by CR LF.
    static QByteArray toBytes(const QStringList &lines);
    // Writes every line followed by CR LF, whole and atomically: a failure leaves the
    // previous file intact and answers false with a reason in *error (see SafeSave).
    static bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);
    // Writes the bytes as they are, atomically.
    static bool writeBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);
};
