// SPDX-License-Identifier: GPL-3.0-or-later
#include "zplgraphic.h"

#include <QStringList>

namespace {

const char Hex[] = "0123456789ABCDEF";

// The count characters of n repeats (n >= 2): multiples of 20 first, then 1..19.
QString countOf(int n)
{
    QString s;
    while (n >= 20) {
        const int k = qMin(n / 20, 20);
        s += QChar(char16_t(u'g' + k - 1));
        n -= k * 20;
    }
    if (n > 0)
        s += QChar(char16_t(u'G' + n - 1));
    return s;
}

QString compressRow(const QString &row)
{
    qsizetype end = row.size();
    while (end > 0 && row[end - 1] == QLatin1Char('0'))
        --end;
    QString out;
    for (qsizetype i = 0; i < end;) {
        qsizetype j = i;
        while (j < end && row[j] == row[i])
            ++j;
        const int n = int(j - i);
        if (n > 1)
            out += countOf(n);
        out += row[i];
        i = j;
    }
    if (end < row.size())
        out += QLatin1Char(',');
    return out;
}

int countValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'G' && u <= u'Y')
        return u - u'G' + 1;
    if (u >= u'g' && u <= u'z')
        return (u - u'g' + 1) * 20;
    return 0;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

bool number(const QString &text, qint64 *value)
{
    bool ok = false;
    const QString t = text.trimmed();
    *value = t.toLongLong(&ok);
    return ok && t.size() <= 9 && *value >= 0;
}

} // namespace

QString ZplGraphic::encode(const MonoBitmap &picture)
{
    const int bpr = picture.bytesPerRow();
    const qsizetype total = qsizetype(bpr) * picture.height();
    QString data;
    QString previous;
    QString row(bpr * 2, QLatin1Char('0'));
    const QByteArray &rows = picture.rows();
    for (int y = 0; y < picture.height(); ++y) {
        const char *bytes = rows.constData() + qsizetype(y) * bpr;
        for (int b = 0; b < bpr; ++b) {
            const uchar v = uchar(bytes[b]);
            row[2 * b] = QLatin1Char(Hex[v >> 4]);
            row[2 * b + 1] = QLatin1Char(Hex[v & 15]);
        }
        if (y > 0 && row == previous) {
            data += QLatin1Char(':');
        } else {
            data += compressRow(row);
            previous = row;
        }
    }
    return QStringLiteral("A,%1,%1,%2,").arg(total).arg(bpr) + data;
}

bool ZplGraphic::decode(const QString &parameters, MonoBitmap *picture, QString *problem)
{
    const QStringList f = parameters.split(QLatin1Char(','));
    if (f.size() < 5) {
        *problem = QStringLiteral("그래픽 항목이 모자랍니다");
        return false;
    }
    if (f[0].trimmed() != QLatin1String("A")) {
        *problem = QStringLiteral("그래픽 형식 %1은(는) 읽지 못합니다 (A만 읽습니다)").arg(f[0]);
        return false;
    }
    qint64 bytes = 0, total = 0, bpr = 0;
    if (!number(f[1], &bytes) || !number(f[2], &total) || !number(f[3], &bpr) || bpr <= 0 ||
        total <= 0 || bytes != total || total % bpr != 0) {
        *problem = QStringLiteral("그래픽 크기가 맞지 않습니다: %1,%2,%3").arg(f[1], f[2], f[3]);
        return false;
    }
    const qint64 height = total / bpr;
    if (bpr * 8 * height > MonoBitmap::MaxDots || bpr * 8 > 65535) {
        *problem = QStringLiteral("그래픽이 너무 큽니다: %1 바이트").arg(total);
        return false;
    }
    // The data is the rest; commas in it are the compression's own.
    const QString data = f.mid(4).join(QLatin1Char(','));
    const int rowDigits = int(bpr * 2);
    QByteArray rows;
    rows.reserve(qsizetype(total));
    QByteArray row;     // digits of the row being read, as values 0..15
    QByteArray last;    // the last complete row, in bytes
    int repeat = 0;
    auto finishRow = [&](int fill) {
        while (row.size() < rowDigits)
            row.append(char(fill));
        QByteArray out(qsizetype(bpr), '\0');
        for (int b = 0; b < bpr; ++b)
            out[b] = char((row[2 * b] << 4) | row[2 * b + 1]);
        rows += out;
        last = out;
        row.clear();
    };
    for (QChar c : data) {
        if (rows.size() >= total) {
            if (c.isSpace())
                continue;
            *problem = QStringLiteral("그래픽 데이터가 크기보다 깁니다");
            return false;
        }
        if (c.isSpace())
            continue;
        if (const int n = countValue(c)) {
            repeat += n;
            continue;
        }
        if (c == QLatin1Char(',') || c == QLatin1Char('!')) {
            if (repeat) {
                *problem = QStringLiteral("그래픽 반복 수 뒤에 %1이(가) 옵니다").arg(c);
                return false;
            }
            finishRow(c == QLatin1Char(',') ? 0 : 15);
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (repeat || !row.isEmpty() || last.isEmpty()) {
                *problem = QStringLiteral("그래픽의 :가 줄 처음에 있지 않습니다");
                return false;
            }
            rows += last;
            continue;
        }
        const int v = hexValue(c);
        if (v < 0) {
            *problem = QStringLiteral("그래픽 데이터에 알 수 없는 문자 \"%1\"").arg(c);
            return false;
        }
        const int n = qMax(1, repeat);
        repeat = 0;
        if (row.size() + n > rowDigits) {
            *problem = QStringLiteral("그래픽 반복이 줄을 넘습니다");
            return false;
        }
        row.append(qsizetype(n), char(v));
        if (row.size() == rowDigits)
            finishRow(0);
    }
    if (!row.isEmpty() || repeat || rows.size() != total) {
        *problem = QStringLiteral("그래픽 데이터가 크기보다 짧습니다 (%1 / %2 바이트)")
                       .arg(rows.size())
                       .arg(total);
        return false;
    }
    *picture = MonoBitmap::fromRows(int(bpr * 8), int(height), rows);
    return true;
}
