// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Money-style fixed-point value: a signed 64-bit integer scaled by 10,000 (four decimals).
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 raw)
    {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static constexpr Currency fromWhole(qint64 whole) { return fromRaw(whole * Scale); }
    // Rounds to four decimals, halves away from zero; out of range gives 0 and *ok false.
    static Currency fromDouble(double value, bool *ok = nullptr);
    // Parses a plain decimal text ("-12.5"); more than four decimals are rounded half to
    // even. Anything else gives 0 and *ok false.
    static Currency fromDecimalText(const QString &text, bool *ok = nullptr);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    // Whole part, cut toward zero.
    qint64 wholePart() const { return m_raw / Scale; }
    // Plain decimal text without grouping or trailing zeros ("1234.5", "-3", "0").
    QString toPlainText() const;

    friend constexpr bool operator==(Currency a, Currency b) { return a.m_raw == b.m_raw; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.m_raw <=> b.m_raw; }

private:
    qint64 m_raw = 0;
};

// Rounding modes of CurMultiply / CurDivide.
enum CurRounding : qint16 { CurFloor = 0, CurCut2 = 2, CurBankers = 9 };

Currency CurMultiply(Currency a, Currency b, qint16 mode);
Currency CurDivide(Currency a, Currency b, qint16 mode);
// Plain decimal text; empty for 0 when blankZero is 1.
QString CurToText(Currency value, qint16 blankZero);
// A whole number as the boxes show it: its digits, empty for 0.
inline QString BlankZeroText(qint64 value)
{
    return CurToText(Currency::fromWhole(value), 1);
}
// "###,###,###,##0.00": grouped, two decimals, rounded; empty for 0 when blankZero is 1.
QString CurToGrouped(Currency value, qint16 blankZero);
// Cut toward zero to two decimals.
Currency CurTruncate2(Currency value);
// Reads the number characters of a text (see textutil.cpp for the scan).
Currency TextToCur(const QString &text);
