// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// A goods file saved by the LEO-60D+ software (".pre"). Byte offsets are 0-based; every
// number in the header is one unsigned byte; texts are CP949 padded with NUL bytes or spaces.
//
//   0        13 bytes   "LEO_60D Ver 3"
//   30 + 8i  8 bytes    field definition i (i = 0..24): +0 start inside a record (from 1),
//                       +2 length in bytes (0 = unused), +4 attribute byte
//   246      1 byte     record length in bytes
//   248+15i  15 bytes   field name i in the first 14 bytes
//   768      ...        records back to back; a partial record at the end is ignored
//
// A file that does not fit this layout is refused as a whole: a refused load leaves the
// object exactly as it was, and an accepted one replaces everything.
//
// What a file can produce is bounded: a field reads only bytes of its own record (bytes
// beyond the record's end read as NUL, that is blank), and only the first MaxRecords records
// are read (goods numbers are 1 to 999; omittedRecords() tells how many more the file
// holds). Control characters in a field (line breaks, tabs) read as spaces, so that no cell
// can break a line of the goods data file.
class PreFile {
public:
    static constexpr int FieldCount = 25;
    static constexpr int HeaderSize = 768;
    static constexpr qint64 MaxFileSize = 300001;
    static constexpr int MaxRecords = 999;
    static constexpr int RecordLengthOffset = 246;
    static constexpr int DefinitionOffset = 30;
    static constexpr int DefinitionSize = 8;
    static constexpr int NameOffset = 248;
    static constexpr int NameStride = 15;
    static constexpr int NameLength = 14;
    static inline const QByteArray Signature = QByteArrayLiteral("LEO_60D Ver 3");

    struct Field {
        int start = 0;     // position inside a record, counted from 1
        int length = 0;    // bytes; 0 = not used
        int attribute = 0; // shown, not used
        QString name;      // trimmed
    };

    enum class Status {
        Ok,
        Unreadable, // missing or unreadable file
        Unknown,    // not a LEO-60D+ goods file (signature, size or record length)
    };

    // *error tells why a file is refused.
    Status load(const QString &path, QString *error = nullptr);
    Status parse(const QByteArray &bytes, QString *error = nullptr);

    bool isLoaded() const { return m_recordLength > 0; }
    int recordLength() const { return m_recordLength; }
    // Records read (at most MaxRecords) and records of the file beyond them.
    int recordCount() const { return m_recordCount; }
    int omittedRecords() const { return m_omittedRecords; }
    const Field &field(int i) const { return m_fields[size_t(i)]; }
    QStringList fieldNames() const;

    // Field i (0..24) of record r (from 1), untrimmed, NULs turned into spaces; empty for
    // an unused field.
    QString cell(int record, int field) const;
    // Record r (from 1) with its 25 cells trimmed, ready for the goods grid; every record.
    QStringList row(int record) const;
    QList<QStringList> rows() const;

    // The text of `length` bytes at `offset` of the image. Bytes outside the image, and
    // outside [from, to) when `to` is given, read as NUL; a double-byte character cut by the
    // length is dropped, not half-decoded; control characters become spaces.
    static QString extractText(const QByteArray &image, qint64 offset, int length, qint64 from = 0,
                               qint64 to = -1);

private:
    QByteArray m_image;
    int m_recordLength = 0;
    int m_recordCount = 0;
    int m_omittedRecords = 0;
    std::array<Field, FieldCount> m_fields{};
};
