// SPDX-License-Identifier: GPL-3.0-or-later
#include "currency.h"

#include "common/textutil.h"

#include <QLocale>

#include <cmath>
#include <limits>

Currency Currency::fromDouble(double value, bool *ok)
{
    const double scaled = std::round(value * Scale);
    if (!std::isfinite(scaled) || scaled >= 9.2233720368547e18 || scaled <= -9.2233720368547e18) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return fromRaw(qint64(scaled));
}

Currency Currency::fromDecimalText(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    bool negative = false;
    int i = 0;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        i = 1;
    }
    // Whole part and up to five fraction digits (the fifth decides the rounding).
    __int128 whole = 0;
    qint64 frac = 0;
    int fracDigits = 0;
    bool anyDigit = false;
    bool point = false;
    bool roundUp = false;
    bool exactHalf = true;
    int extra = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            return {};
        anyDigit = true;
        const int d = c.unicode() - '0';
        if (!point) {
            whole = whole * 10 + d;
            if (whole > std::numeric_limits<qint64>::max() / Scale)
                return {};
        } else if (fracDigits < 4) {
            frac = frac * 10 + d;
            ++fracDigits;
        } else {
            if (extra == 0) {
                roundUp = d > 5;
                exactHalf = d == 5;
            } else if (d != 0) {
                if (exactHalf)
                    roundUp = true;
                exactHalf = false;
            }
            ++extra;
        }
    }
    if (!anyDigit)
        return {};
    while (fracDigits < 4) {
        frac *= 10;
        ++fracDigits;
    }
    __int128 raw = whole * Scale + frac;
    if (extra > 0 && (roundUp || (exactHalf && (raw % 2 == 1))))
        ++raw;
    if (raw > std::numeric_limits<qint64>::max())
        return {};
    if (ok)
        *ok = true;
    return fromRaw(negative ? -qint64(raw) : qint64(raw));
}

QString Currency::toPlainText() const
{
    const bool negative = m_raw < 0;
    const quint64 mag = negative ? quint64(-(m_raw + 1)) + 1 : quint64(m_raw);
    QString s = QString::number(mag / Scale);
    quint64 frac = mag % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

namespace {

Currency applyRounding(Currency value, qint16 mode)
{
    const qint64 raw = value.raw();
    switch (mode) {
    case CurFloor: {
        qint64 q = raw / Currency::Scale;
        if (raw % Currency::Scale != 0 && raw < 0)
            --q;
        return Currency::fromWhole(q);
    }
    case CurCut2:
        return CurTruncate2(value);
    case CurBankers: {
        qint64 q = raw / Currency::Scale;
        qint64 r = raw % Currency::Scale;
        if (r < 0) {
            r = -r;
            if (r > Currency::Scale / 2 || (r == Currency::Scale / 2 && (q % 2 != 0)))
                --q;
        } else if (r > Currency::Scale / 2 || (r == Currency::Scale / 2 && (q % 2 != 0))) {
            ++q;
        }
        return Currency::fromWhole(q);
    }
    default:
        return value;
    }
}

} // namespace

Currency CurMultiply(Currency a, Currency b, qint16 mode)
{
    // Exact product scaled back to four decimals, halves away from zero.
    const __int128 p = __int128(a.raw()) * b.raw();
    __int128 q = p / Currency::Scale;
    const __int128 r = p % Currency::Scale;
    if (r >= Currency::Scale / 2)
        ++q;
    else if (r <= -Currency::Scale / 2)
        --q;
    if (q > std::numeric_limits<qint64>::max() || q < std::numeric_limits<qint64>::min())
        return {};
    return applyRounding(Currency::fromRaw(qint64(q)), mode);
}

Currency CurDivide(Currency a, Currency b, qint16 mode)
{
    if (b.raw() == 0)
        return {};
    bool ok = false;
    const Currency c = Currency::fromDouble(a.toDouble() / b.toDouble(), &ok);
    if (!ok)
        return {};
    return applyRounding(c, mode);
}

QString CurToText(Currency value, qint16 blankZero)
{
    if (value.raw() == 0 && blankZero == 1)
        return {};
    return value.toPlainText();
}

QString CurToGrouped(Currency value, qint16 blankZero)
{
    if (value.raw() == 0 && blankZero == 1)
        return {};
    // Round to two decimals, halves away from zero.
    qint64 raw = value.raw();
    const bool negative = raw < 0;
    quint64 mag = negative ? quint64(-(raw + 1)) + 1 : quint64(raw);
    quint64 cents = (mag + 50) / 100;
    QString whole = QString::number(cents / 100);
    QString grouped;
    for (int i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += whole[i];
    }
    QString s = grouped + QLatin1Char('.') +
                QString::number(cents % 100).rightJustified(2, QLatin1Char('0'));
    if (negative && cents != 0)
        s.prepend(QLatin1Char('-'));
    return s;
}

Currency CurTruncate2(Currency value)
{
    // Cut toward zero to whole cents (100 raw units). Done on the integer itself: reading
    // the decimal text back keeps only 14 characters and would lose digits of large values.
    return Currency::fromRaw(value.raw() - value.raw() % 100);
}

Currency TextToCur(const QString &text)
{
    // Keep digits, signs and points (other characters are skipped without counting); a
    // second point ends the scan, and at most two characters follow the first point.
    QString kept;
    int afterPoint = -1;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        if (!digit && u != '+' && u != '-' && u != '.')
            continue;
        if (u == '.') {
            if (afterPoint >= 0)
                break;
            afterPoint = 0;
        }
        if (afterPoint >= 0) {
            if (afterPoint >= 3)
                break;
            ++afterPoint;
        }
        kept += c;
    }
    kept = kept.left(14);
    return Currency::fromDecimalText(LeadingNumberText(kept));
}
