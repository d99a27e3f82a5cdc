// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// A black and white picture as label printers take it: rows of whole bytes, the leftmost dot
// in the highest bit, 1 for a black dot. No Qt GUI type, so that the core builds and reads
// printer graphics without a window system.
class MonoBitmap {
public:
    MonoBitmap() = default;
    // A white picture of width x height dots (an empty one for a size of 0 or less, or one
    // beyond MaxDots).
    MonoBitmap(int width, int height);
    // A picture of the given rows (`rows` holds height x bytesPerRow(width) bytes); an empty
    // one when the size does not fit.
    static MonoBitmap fromRows(int width, int height, const QByteArray &rows);

    // The most dots one picture holds (a 200 x 200 mm label at 24 dots/mm is 23 million).
    static constexpr qint64 MaxDots = 64LL * 1024 * 1024;

    bool isNull() const { return m_width <= 0 || m_height <= 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    static int bytesPerRow(int width) { return (width + 7) / 8; }
    int bytesPerRow() const { return bytesPerRow(m_width); }
    const QByteArray &rows() const { return m_rows; }

    bool dot(int x, int y) const;
    void setDot(int x, int y, bool black = true);
    // Whether any dot is black.
    bool anyBlack() const;
    // The smallest rectangle that holds every black dot (an empty one for none), and the
    // picture cut to a rectangle.
    void blackBounds(int *left, int *top, int *right, int *bottom) const;
    MonoBitmap cropped(int left, int top, int width, int height) const;

    bool operator==(const MonoBitmap &) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    QByteArray m_rows;
};
