// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The page header of a printed grid, written in the grid's header codes: /fn"name" font,
// /fz"size" size in points, /fb1 /fi1 /fu1 /fk1 bold, italic, underline and strike-through
// on (0 off), /l /c /r left, centred and right-aligned text, /n a new line, /p the page
// number, // a slash.
class PrintHeader {
public:
    struct Segment {
        QString text;
        QString font;
        double size = 10.0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        char align = 'l'; // 'l', 'c' or 'r'
    };
    using Line = QList<Segment>;

    // The report header: the title centred in 16-point bold "굴림체", then a second line in
    // 10-point bold holding one space.
    static QString forTitle(const QString &title);
    // The header's lines with the page number put in for /p. Segments without text are
    // kept so that an empty line still has its height.
    static QList<Line> parse(const QString &codes, int pageNumber = 1);
};
