#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing the program's plain-text files: CP949, lines ended by CR LF.
class TextFile {
public:
    // Lines of a CP949 file (CR LF or LF accepted; a last line without an ending counts).
    // A missing or unreadable file gives *ok false and no lines.
    static QStringList readLines(const QString &path, bool *ok = nullptr);
    // Writes every line followed by CR LF, whole and atomically: a failure leaves the
    // previous file intact and answers false with a reason in *error.
    static bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);
    // Writes the bytes as they are, atomically.
    static bool writeBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);
};
