// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// Builds LEO-60D+ goods files (".pre") for the tests: the 768-byte header (signature, 25
// field definitions, record length, 25 names) and fixed-length records. Texts are written
// in CP949 and cut to their field by bytes, so a Hangul syllable may be split on purpose.
class PreBuilder {
public:
    PreBuilder();

    void setSignature(const QByteArray &signature) { m_signature = signature; }
    void setRecordLength(int length) { m_recordLength = length; }
    // Field i (0..24): start inside the record (from 1), length, attribute and name; the
    // name is padded with `namePad` to 14 bytes.
    void setField(int i, int start, int length, int attribute, const QString &name,
                  char namePad = '\0');
    // One record: value k goes into field k, padded with `pad`; bytes outside every field
    // are `fill`.
    void addRecord(const QStringList &values, char pad = '\0', char fill = ' ');
    // Raw bytes after the records (a partial record, for instance).
    void appendRaw(const QByteArray &bytes) { m_tail += bytes; }

    QByteArray build() const;
    bool save(const QString &path) const;

private:
    struct Def {
        int start = 0;
        int length = 0;
        int attribute = 0;
        QByteArray name;
    };
    QByteArray m_signature;
    int m_recordLength = 0;
    std::array<Def, 25> m_defs{};
    QByteArray m_records;
    QByteArray m_tail;
};
