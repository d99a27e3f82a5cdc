// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <QVariant>

// Small stateless text and number helpers shared by every window. None of them reports an
// error for bad text: bad characters are skipped or count as zero. Byte widths are CP949
// widths (a Hangul syllable is two bytes).

// Leading-number rule: skip leading blanks, read an optional sign, digits, an optional point
// and further digits; stop at the first character that does not fit. Answers the number
// part as a plain text ("-12.5", "0" when nothing readable).
QString LeadingNumberText(const QString &text);
// The same as a double (a number beyond a double's range is infinite, one too small 0).
double LeadingNumber(const QString &text);
double LeadingNumber(QStringView text);
// The whole part (toward zero) of the leading number as an int; a number beyond the int range
// gives the nearest end of the range ("12.7" 12, "-3.9" -3, "99999999999" 2147483647).
int LeadingInt(const QString &text);
// The leading number rounded to a whole number, halves to the even neighbour. *ok is false
// when the value does not fit into [min, max].
qint64 LeadingWholeNumber(QStringView text, qint64 min, qint64 max, bool *ok = nullptr);

// Trimmed of spaces only (tabs stay), as the program's texts are trimmed everywhere.
QString TrimSpaces(const QString &text);

// GS1 check digit for 12/13 (EAN-13) or 7/8 (EAN-8) characters; "X" for other lengths.
QString EanCheckDigit(const QString &code);
// Longest prefix / suffix within the byte limit; quotes become backticks unless keepQuotes.
QString LeftByBytes(const QString &text, int limit, qint16 keepQuotes = 0);
QString RightByBytes(const QString &text, int limit, qint16 keepQuotes = 0);
// Right-aligned in a field of `width` bytes: the rightmost part is kept when too long.
QString AlignRightByBytes(const QString &text, int width, qint16 keepQuotes = 0);
// The digits of the text in order (and "." when keepPoint is 1).
QString KeepDigits(const QString &text, qint16 keepPoint);
// 1 when the text is a plain decimal number (digits, commas, one point, a leading minus).
qint16 IsNumberText(const QString &text, qint16 answerForEmpty);
QString QuotesToBackticks(const QString &text);
// Trimmed, ' and " turned into `, cut to `limit` bytes (0 = no limit). A null value gives "".
QString CleanText(const QVariant &value, int limit);
inline QString CleanText(const QString &value, int limit)
{
    return CleanText(QVariant(value), limit);
}
qint16 AnsiByteLen(const QString &text);

// Split into fields. kind: 1 ",", 2 TAB, 3 space, 4 LF, 5 ";", anything else the apostrophe.
// Every field is trimmed. An empty (after trimming) text gives no fields. More than
// MaxSplitFields fields is an error: the answer is empty and *ok false.
constexpr int MaxSplitFields = 10000;
QStringList SplitFields(const QString &text, int kind, bool *ok = nullptr);
// Words separated by runs of spaces (tabs are not separators).
QStringList SplitWords(const QString &text, bool *ok = nullptr);
// The text made of the first `count` bytes of its CP949 form; NUL characters become spaces.
QString AnsiLeftBytes(const QString &text, const QVariant &count);

// Digits of the text in order, the first six read as a number (never negative).
qint32 DigitsToLong(const QString &text);
