// SPDX-License-Identifier: GPL-3.0-or-later
#include "textutil.h"

#include "common/cp949codec.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// Splits the text into characters, keeping surrogate pairs together.
QStringList characters(const QString &text)
{
    QStringList out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out << text.mid(i, 2);
            ++i;
        } else {
            out << QString(text[i]);
        }
    }
    return out;
}

int width(const QString &ch)
{
    if (ch.size() == 1)
        return Cp949Codec::charWidth(ch[0]);
    return 1; // outside the code page: one '?'
}

} // namespace

QString TrimSpaces(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

QString LeadingNumberText(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    QString sign;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            sign = QStringLiteral("-");
        ++i;
    }
    QString digits;
    while (i < text.size() && isDigit(text[i]))
        digits += text[i++];
    QString frac;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            frac += text[i++];
    }
    if (digits.isEmpty() && frac.isEmpty())
        return QStringLiteral("0");
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    QString out = sign + digits;
    if (!frac.isEmpty())
        out += QLatin1Char('.') + frac;
    return out;
}

double LeadingNumber(const QString &text)
{
    return LeadingNumber(QStringView(text));
}

double LeadingNumber(QStringView text)
{
    // The characters LeadingNumberText() keeps, read in place: most numbers of the files are
    // short, and reading them makes no text.
    QVarLengthArray<char, 64> number;
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            number.append('-');
        ++i;
    }
    bool whole = false; // a digit before the point
    bool any = false;
    while (i < text.size() && isDigit(text[i])) {
        number.append(char(text[i++].unicode()));
        whole = any = true;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        number.append('.');
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            number.append(char(text[i++].unicode()));
            any = true;
        }
    }
    if (!any)
        return 0;
    const char *first = number.constData();
    if (*first == '-')
        ++first;
    double v = 0;
    const auto r = std::from_chars(first, number.constData() + number.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: past the largest number it is infinite, below the
        // smallest it is 0 (as a text's own conversion answers).
        bool nonZeroWhole = false;
        for (const char *c = first; c < number.constData() + number.size() && *c != '.'; ++c)
            nonZeroWhole = nonZeroWhole || *c != '0';
        if (!whole || !nonZeroWhole)
            return 0;
        v = std::numeric_limits<double>::infinity();
    }
    return number[0] == '-' ? -v : v;
}

int LeadingInt(const QString &text)
{
    const double v = std::trunc(LeadingNumber(text));
    if (std::isnan(v))
        return 0;
    if (v < double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (v > double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(v);
}

qint64 LeadingWholeNumber(QStringView text, qint64 min, qint64 max, bool *ok)
{
    const double v = std::nearbyint(LeadingNumber(text)); // default mode: halves to even
    const bool fits = std::isfinite(v) && v >= double(min) && v <= double(max);
    if (ok)
        *ok = fits;
    return fits ? qint64(v) : 0;
}

QString EanCheckDigit(const QString &code)
{
    const QString c = TrimSpaces(code);
    int n;
    if (c.size() == 13 || c.size() == 12)
        n = 12;
    else if (c.size() == 8 || c.size() == 7)
        n = 7;
    else
        return QStringLiteral("X");
    auto digitAt = [&](int pos) { // pos counts from 1
        return int(LeadingNumber(c.mid(pos - 1, 1)));
    };
    int odd = 0;
    int even = 0;
    for (int pos = 1; pos <= n; ++pos) {
        if (pos % 2 == 0)
            even += digitAt(pos);
        else
            odd += digitAt(pos);
    }
    const int sum = n == 12 ? even * 3 + odd : odd * 3 + even;
    const int d = sum % 10;
    return QString::number(d == 0 ? 0 : 10 - d);
}

QString LeftByBytes(const QString &text, int limit, qint16 keepQuotes)
{
    if (text.isEmpty() || limit <= 0)
        return {};
    QString out;
    int total = 0;
    for (const QString &ch : characters(text)) {
        total += width(ch);
        if (total > limit)
            break;
        out += ch;
    }
    return keepQuotes == 0 ? QuotesToBackticks(out) : out;
}

QString RightByBytes(const QString &text, int limit, qint16 keepQuotes)
{
    if (text.isEmpty() || limit <= 0)
        return {};
    const QStringList chars = characters(text);
    QString out;
    int total = 0;
    for (int i = chars.size() - 1; i >= 0; --i) {
        total += width(chars[i]);
        if (total > limit)
            break;
        out.prepend(chars[i]);
    }
    return keepQuotes == 0 ? QuotesToBackticks(out) : out;
}

QString AlignRightByBytes(const QString &text, int width, qint16 /*keepQuotes*/)
{
    const QString part = RightByBytes(text, width, 0);
    const int n = Cp949Codec::byteLength(part);
    if (width - n > 0)
        return QString(width - n, QLatin1Char(' ')) + part;
    return part;
}

QString KeepDigits(const QString &text, qint16 keepPoint)
{
    QString out;
    for (const QChar c : text) {
        if (isDigit(c) || (keepPoint == 1 && c == QLatin1Char('.')))
            out += c;
    }
    return out;
}

qint16 IsNumberText(const QString &text, qint16 answerForEmpty)
{
    if (text.isEmpty())
        return answerForEmpty == 1 ? 1 : 0;
    int points = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c) || c == QLatin1Char(','))
            continue;
        if (c == QLatin1Char('.')) {
            if (++points > 1)
                return 0;
            continue;
        }
        if (c == QLatin1Char('-') && i == 0)
            continue;
        return 0;
    }
    return 1;
}

QString QuotesToBackticks(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1Char('`'));
    out.replace(QLatin1Char('"'), QLatin1Char('`'));
    return out;
}

QString CleanText(const QVariant &value, int limit)
{
    QString s = value.isNull() ? QString() : value.toString();
    s = TrimSpaces(s);
    if (s.isEmpty())
        return s;
    s = QuotesToBackticks(s);
    if (limit != 0)
        s = TrimSpaces(LeftByBytes(s, limit, 0));
    return s;
}

qint16 AnsiByteLen(const QString &text)
{
    if (text.isEmpty())
        return 0;
    return qint16(Cp949Codec::byteLength(text));
}

QStringList SplitFields(const QString &text, int kind, bool *ok)
{
    if (ok)
        *ok = true;
    QChar sep;
    switch (kind) {
    case 1:
        sep = QLatin1Char(',');
        break;
    case 2:
        sep = QLatin1Char('\t');
        break;
    case 3:
        sep = QLatin1Char(' ');
        break;
    case 4:
        sep = QLatin1Char('\n');
        break;
    case 5:
        sep = QLatin1Char(';');
        break;
    default:
        sep = QLatin1Char('\'');
        break;
    }
    const QString t = TrimSpaces(text);
    if (t.isEmpty())
        return {};
    QStringList fields = t.split(sep);
    if (fields.size() > MaxSplitFields) {
        if (ok)
            *ok = false;
        return {};
    }
    for (QString &f : fields)
        f = TrimSpaces(f);
    return fields;
}

QStringList SplitWords(const QString &text, bool *ok)
{
    if (ok)
        *ok = true;
    QStringList words;
    for (const QString &w : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (words.size() == MaxSplitFields) {
            if (ok)
                *ok = false;
            return {};
        }
        words << w;
    }
    return words;
}

QString AnsiLeftBytes(const QString &text, const QVariant &count)
{
    if (TrimSpaces(text).isEmpty())
        return {};
    bool numeric = false;
    const double n = count.toDouble(&numeric);
    if (!numeric || count.isNull() || std::isnan(n))
        return {};
    // Clamp before converting: a count beyond the int range keeps the whole text.
    const qsizetype bytes = qsizetype(std::nearbyint(qBound(0.0, n, 2147483647.0)));
    QString out = Cp949Codec::decode(Cp949Codec::encode(text).left(bytes));
    out.replace(QChar(0), QLatin1Char(' '));
    return out;
}

qint32 DigitsToLong(const QString &text)
{
    const QString digits = KeepDigits(text, 0).left(6);
    return digits.isEmpty() ? 0 : digits.toInt();
}
