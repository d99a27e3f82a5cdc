// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/prebuilder.h"

#include "common/cp949codec.h"

#include <QFile>

PreBuilder::PreBuilder() : m_signature("LEO_60D Ver 3") {}

void PreBuilder::setField(int i, int start, int length, int attribute, const QString &name,
                          char namePad)
{
    Def &d = m_defs[size_t(i)];
    d.start = start;
    d.length = length;
    d.attribute = attribute;
    QByteArray bytes = Cp949Codec::encode(name).left(14);
    bytes += QByteArray(14 - bytes.size(), namePad);
    d.name = bytes;
}

void PreBuilder::addRecord(const QStringList &values, char pad, char fill)
{
    QByteArray record(m_recordLength, fill);
    for (int k = 0; k < values.size() && k < 25; ++k) {
        const Def &d = m_defs[size_t(k)];
        if (d.length == 0 || d.start < 1)
            continue;
        QByteArray bytes = Cp949Codec::encode(values[k]).left(d.length);
        bytes += QByteArray(d.length - bytes.size(), pad);
        for (int b = 0; b < bytes.size() && d.start - 1 + b < record.size(); ++b)
            record[d.start - 1 + b] = bytes[b];
    }
    m_records += record;
}

QByteArray PreBuilder::build() const
{
    QByteArray out(768, '\0');
    out.replace(0, m_signature.size(), m_signature);
    for (int i = 0; i < 25; ++i) {
        const Def &d = m_defs[size_t(i)];
        out[30 + 8 * i] = char(d.start);
        out[32 + 8 * i] = char(d.length);
        out[34 + 8 * i] = char(d.attribute);
        if (!d.name.isEmpty())
            out.replace(248 + 15 * i, 14, d.name);
    }
    out[246] = char(m_recordLength);
    return out.left(768) + m_records + m_tail;
}

bool PreBuilder::save(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = build();
    return f.write(bytes) == bytes.size();
}
