// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobfields.h"

QList<JobLine> JobFields::lines(const QString &text)
{
    QList<JobLine> out;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (int i = 0; i < raw.size(); ++i)
        out << JobLine{i + 1, raw[i].trimmed()};
    // A final line ending leaves one empty piece that is no line of the text.
    if (!out.isEmpty() && out.last().text.isEmpty() && text.endsWith(QLatin1Char('\n')))
        out.removeLast();
    return out;
}

QString JobFields::at(int line)
{
    return QStringLiteral("%1행: ").arg(line);
}

bool JobFields::number(const QString &text, int *value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            return false;
    }
    *value = text.toInt();
    return true;
}

int JobFields::number(const QString &field, const QString &name, int max)
{
    int v = 0;
    if (!number(field, &v)) {
        m_problems->append(
            at(m_line.number) +
            QStringLiteral("%1이(가) 숫자가 아닙니다 (\"%2\"): %3").arg(name, field, m_line.text));
        m_ok = false;
    } else if (v > max) {
        m_problems->append(at(m_line.number) +
                           QStringLiteral("%1 %2이(가) 너무 큽니다 (최대 %3): %4")
                               .arg(name, field)
                               .arg(max)
                               .arg(m_line.text));
        m_ok = false;
        v = max;
    }
    return v;
}

void JobFields::constant(const QStringList &fields, int index, const QString &expected)
{
    if (fields[index] == expected)
        return;
    m_problems->append(at(m_line.number) +
                       QStringLiteral("%1번째 항목 \"%2\"을(를) 알 수 없습니다 (이 프로그램은 "
                                      "\"%3\"을(를) 보냅니다): %4")
                           .arg(index + 1)
                           .arg(fields[index], expected, m_line.text));
    m_ok = false;
}

void JobFields::unknown(const QString &field, const QString &name)
{
    m_problems->append(at(m_line.number) +
                       QStringLiteral("알 수 없는 %1 \"%2\": %3").arg(name, field, m_line.text));
    m_ok = false;
}

bool JobFields::fieldCount(const QStringList &fields, int expected)
{
    if (fields.size() == expected)
        return true;
    m_problems->append(at(m_line.number) +
                       QStringLiteral("항목 수가 %1개입니다 (%2개여야 합니다): %3")
                           .arg(fields.size())
                           .arg(expected)
                           .arg(m_line.text));
    m_ok = false;
    return false;
}
