// SPDX-License-Identifier: GPL-3.0-or-later
#include "spreadsheetnumber.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

#include <cmath>

SpreadsheetNumber::Format SpreadsheetNumber::builtIn(int id)
{
    if (id >= 14 && id <= 17)
        return {Style::Date, 0};
    if (id == 22)
        return {Style::DateTime, 0};
    if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47))
        return {Style::Time, 0};
    if (id == 1)
        return {Style::General, 0};
    return {};
}

SpreadsheetNumber::Format SpreadsheetNumber::fromCode(const QString &code)
{
    // Only the first section (positive numbers) matters; quoted texts, [colour] or [$-412]
    // parts and escaped characters say nothing about the kind.
    QString first = code.section(QLatin1Char(';'), 0, 0);
    static const QRegularExpression noise(
        QStringLiteral(R"("[^"]*"|\[(?![hHmMsS]+\])[^\]]*\]|\\.|_.|\*.)"));
    first.remove(noise);
    const QString lower = first.toLower();
    if (!lower.isEmpty() && lower.count(QLatin1Char('0')) == lower.size())
        return {Style::ZeroPad, int(lower.size())};
    const bool date = lower.contains(QLatin1Char('y')) || lower.contains(QLatin1Char('d'));
    const bool time = lower.contains(QLatin1Char('h')) || lower.contains(QLatin1Char('s'));
    if (date && time)
        return {Style::DateTime, 0};
    if (date || (lower.contains(QLatin1Char('m')) && !time))
        return {Style::Date, 0};
    if (time)
        return {Style::Time, 0};
    return {};
}

QString SpreadsheetNumber::text(const QString &value, const Format &format, bool date1904)
{
    const QString v = value.trimmed();
    static const QRegularExpression whole(QStringLiteral(R"(^-?\d+$)"));
    if (format.style == Style::General && whole.match(v).hasMatch())
        return v; // already the digits, however many
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        return v;
    return text(d, format, date1904);
}

QString SpreadsheetNumber::text(double value, const Format &format, bool date1904)
{
    if (!std::isfinite(value))
        return QString();
    const bool integral = std::trunc(value) == value && std::fabs(value) < 1e15;
    switch (format.style) {
    case Style::Date:
    case Style::DateTime:
    case Style::Time: {
        if (value < 0 || value > 2958465) // 9999-12-31
            break;
        const double days = std::floor(value);
        const QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
        const QDate date = base.addDays(qint64(days));
        const int seconds = int(std::lround((value - days) * 86400.0)) % 86400;
        const QTime time = QTime(0, 0).addSecs(seconds);
        if (format.style == Style::Date)
            return date.toString(QStringLiteral("yyyy-MM-dd"));
        if (format.style == Style::Time)
            return time.toString(QStringLiteral("HH:mm"));
        return date.toString(QStringLiteral("yyyy-MM-dd ")) +
               time.toString(QStringLiteral("HH:mm"));
    }
    case Style::ZeroPad:
        if (integral && value >= 0)
            return QStringLiteral("%1").arg(qint64(value), format.width, 10, QLatin1Char('0'));
        break;
    case Style::General:
        break;
    }
    if (integral)
        return QString::number(qint64(value));
    QString s = QString::number(value, 'g', 15);
    return s.replace(QLatin1Char('e'), QLatin1Char('E'));
}
