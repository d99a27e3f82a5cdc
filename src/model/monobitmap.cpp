// SPDX-License-Identifier: GPL-3.0-or-later
#include "monobitmap.h"

MonoBitmap::MonoBitmap(int width, int height)
{
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxDots)
        return;
    m_width = width;
    m_height = height;
    m_rows = QByteArray(qsizetype(bytesPerRow(width)) * height, '\0');
}

MonoBitmap MonoBitmap::fromRows(int width, int height, const QByteArray &rows)
{
    MonoBitmap b(width, height);
    if (b.isNull() || rows.size() != b.m_rows.size())
        return MonoBitmap();
    b.m_rows = rows;
    // Bits beyond the last dot of a row are no dots: keep them white, so that equal pictures
    // compare equal.
    const int spare = b.bytesPerRow() * 8 - width;
    if (spare > 0) {
        const char mask = char(0xFF << spare);
        for (int y = 0; y < height; ++y)
            b.m_rows[qsizetype(y) * b.bytesPerRow() + b.bytesPerRow() - 1] &= mask;
    }
    return b;
}

bool MonoBitmap::dot(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    return (uchar(m_rows[qsizetype(y) * bytesPerRow() + x / 8]) >> (7 - x % 8)) & 1;
}

void MonoBitmap::setDot(int x, int y, bool black)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    char &b = m_rows[qsizetype(y) * bytesPerRow() + x / 8];
    const char bit = char(1 << (7 - x % 8));
    b = black ? char(b | bit) : char(b & ~bit);
}

bool MonoBitmap::anyBlack() const
{
    for (char c : m_rows) {
        if (c)
            return true;
    }
    return false;
}

void MonoBitmap::blackBounds(int *left, int *top, int *right, int *bottom) const
{
    *left = m_width;
    *top = m_height;
    *right = -1;
    *bottom = -1;
    const int bpr = bytesPerRow();
    for (int y = 0; y < m_height; ++y) {
        const uchar *row = reinterpret_cast<const uchar *>(m_rows.constData()) + qsizetype(y) * bpr;
        int first = -1, last = -1;
        for (int b = 0; b < bpr; ++b) {
            if (row[b]) {
                if (first < 0)
                    first = b;
                last = b;
            }
        }
        if (first < 0)
            continue;
        *top = qMin(*top, y);
        *bottom = y;
        int l = first * 8;
        while (!((row[first] >> (7 - l % 8)) & 1))
            ++l;
        int r = last * 8 + 7;
        while (!((row[last] >> (7 - r % 8)) & 1))
            --r;
        *left = qMin(*left, l);
        *right = qMax(*right, r);
    }
}

MonoBitmap MonoBitmap::cropped(int left, int top, int width, int height) const
{
    MonoBitmap out(width, height);
    if (out.isNull())
        return out;
    const int bpr = bytesPerRow();
    const int obpr = out.bytesPerRow();
    const uchar *src = reinterpret_cast<const uchar *>(m_rows.constData());
    uchar *dst = reinterpret_cast<uchar *>(out.m_rows.data());
    const int shift = left % 8;
    for (int y = 0; y < height; ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= m_height)
            continue;
        const uchar *srow = src + qsizetype(sy) * bpr;
        uchar *drow = dst + qsizetype(y) * obpr;
        for (int b = 0; b < obpr; ++b) {
            const int sb = left / 8 + b;
            const int hi = sb >= 0 && sb < bpr ? srow[sb] : 0;
            const int lo = sb + 1 >= 0 && sb + 1 < bpr ? srow[sb + 1] : 0;
            drow[b] = uchar(shift ? (hi << shift) | (lo >> (8 - shift)) : hi);
        }
        // Dots beyond the width stay white.
        const int spare = obpr * 8 - width;
        if (spare > 0)
            drow[obpr - 1] &= uchar(0xFF << spare);
    }
    return out;
}
