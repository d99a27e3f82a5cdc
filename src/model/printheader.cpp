// SPDX-License-Identifier: GPL-3.0-or-later
#include "printheader.h"

QString PrintHeader::forTitle(const QString &title)
{
    return QStringLiteral("/fn\"굴림체\"/fz\"16\"/fb1/fi0/fu0/fk0/c") + title +
           QStringLiteral("/n/fn\"굴림체\"/fz\"10\"/fb1/fi0/fu0/fk0/l") + QLatin1Char(' ');
}

QList<PrintHeader::Line> PrintHeader::parse(const QString &codes, int pageNumber)
{
    QList<Line> lines;
    Line line;
    Segment seg;
    bool segUsed = false; // the current segment holds text or closed a code run
    auto flush = [&] {
        if (segUsed || !seg.text.isEmpty())
            line << seg;
        seg.text.clear();
        segUsed = false;
    };
    auto quoted = [&](qsizetype &i) {
        // i points after the two-letter code; reads "..." and leaves i after it.
        QString value;
        if (i < codes.size() && codes[i] == QLatin1Char('"')) {
            const qsizetype end = codes.indexOf(QLatin1Char('"'), i + 1);
            if (end < 0) {
                value = codes.mid(i + 1);
                i = codes.size();
            } else {
                value = codes.mid(i + 1, end - i - 1);
                i = end + 1;
            }
        }
        return value;
    };
    auto flag = [&](qsizetype &i, bool &target) {
        if (i < codes.size() && (codes[i] == QLatin1Char('0') || codes[i] == QLatin1Char('1'))) {
            target = codes[i] == QLatin1Char('1');
            ++i;
        }
    };
    qsizetype i = 0;
    while (i < codes.size()) {
        const QChar ch = codes[i];
        if (ch != QLatin1Char('/') || i + 1 >= codes.size()) {
            seg.text += ch;
            ++i;
            continue;
        }
        const QString two = codes.mid(i + 1, 2);
        const QChar one = codes[i + 1];
        if (two == QLatin1String("fn") || two == QLatin1String("fz") ||
            two == QLatin1String("fb") || two == QLatin1String("fi") ||
            two == QLatin1String("fu") || two == QLatin1String("fk")) {
            flush();
            i += 3;
            if (two == QLatin1String("fn"))
                seg.font = quoted(i);
            else if (two == QLatin1String("fz"))
                seg.size = quoted(i).toDouble();
            else if (two == QLatin1String("fb"))
                flag(i, seg.bold);
            else if (two == QLatin1String("fi"))
                flag(i, seg.italic);
            else if (two == QLatin1String("fu"))
                flag(i, seg.underline);
            else
                flag(i, seg.strike);
            if (seg.size <= 0)
                seg.size = 10.0;
        } else if (one == QLatin1Char('c') || one == QLatin1Char('l') || one == QLatin1Char('r')) {
            flush();
            seg.align = char(one.toLatin1());
            segUsed = true;
            i += 2;
        } else if (one == QLatin1Char('n')) {
            flush();
            lines << line;
            line.clear();
            i += 2;
        } else if (one == QLatin1Char('p')) {
            seg.text += QString::number(pageNumber);
            i += 2;
        } else if (one == QLatin1Char('/')) {
            seg.text += QLatin1Char('/');
            i += 2;
        } else {
            seg.text += ch;
            ++i;
        }
    }
    flush();
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}
