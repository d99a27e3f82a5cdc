// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {

SheetLayout layout(const char *name, int columns, int rows, double left, double top, double width,
                   double height, double pitchX, double pitchY)
{
    SheetLayout l;
    l.name = QString::fromUtf8(name);
    l.columns = columns;
    l.rows = rows;
    l.left = left;
    l.top = top;
    l.width = width;
    l.height = height;
    l.pitchX = pitchX;
    l.pitchY = pitchY;
    return l;
}

QString number(double mm)
{
    return QString::number(mm, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

bool toNumber(const QString &text, double *mm)
{
    bool ok = false;
    *mm = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*mm) && *mm >= 0 && *mm <= 1000;
}

// "3×8", "3x8" and "3X8" alike, case and blanks aside.
QString key(const QString &name)
{
    QString k = name.trimmed().toLower();
    k.replace(QChar(0x00D7), QLatin1Char('x'));
    k.remove(QLatin1Char(' '));
    return k;
}

} // namespace

QString SheetLayout::paperName() const
{
    return paper == Paper::A4 ? QStringLiteral("A4") : QStringLiteral("Letter");
}

QRectF SheetLayout::cell(int index) const
{
    const int c = columns > 0 ? index % columns : 0;
    const int r = columns > 0 ? index / columns : 0;
    return QRectF(left + c * pitchX, top + r * pitchY, width, height);
}

bool SheetLayout::isValid(QString *why) const
{
    QString problem;
    if (columns < 1 || rows < 1 || labelsPerSheet() > MaxLabels)
        problem = QStringLiteral("columns and rows from 1, at most %1 labels").arg(MaxLabels);
    else if (width <= 0 || height <= 0)
        problem = QStringLiteral("a label needs a width and a height");
    else if ((columns > 1 && pitchX + Slack < width) || (rows > 1 && pitchY + Slack < height))
        problem = QStringLiteral("the pitch is less than the label: labels would overlap");
    else if (cell(labelsPerSheet() - 1).right() > paperWidth() + Slack ||
             cell(labelsPerSheet() - 1).bottom() > paperHeight() + Slack)
        problem = QStringLiteral("the labels do not fit on %1 paper (%2×%3 mm)")
                      .arg(paperName(), number(paperWidth()), number(paperHeight()));
    if (why)
        *why = problem;
    return problem.isEmpty();
}

QString SheetLayout::describe() const
{
    return QStringLiteral("%1 %2×%3, %4×%5 mm")
        .arg(paperName())
        .arg(columns)
        .arg(rows)
        .arg(number(width), number(height));
}

QList<SheetLayout> SheetLayout::builtIn()
{
    // Common A4 sheets: label and pitch as sold, the grid centred on the paper.
    return {
        layout("2×5", 2, 5, 4.65, 6.0, 99.1, 57.0, 101.6, 57.0),
        layout("2×7", 2, 7, 4.65, 15.15, 99.1, 38.1, 101.6, 38.1),
        layout("2×8", 2, 8, 4.65, 12.9, 99.1, 33.9, 101.6, 33.9),
        layout("3×7", 3, 7, 7.21, 15.15, 63.5, 38.1, 66.04, 38.1),
        layout("3×8", 3, 8, 7.21, 12.9, 63.5, 33.9, 66.04, 33.9),
        layout("3×10", 3, 10, 7.21, 8.5, 63.5, 28.0, 66.04, 28.0),
        layout("4×10", 4, 10, 8.0, 21.5, 48.5, 25.4, 48.5, 25.4),
    };
}

QList<SheetLayout> SheetLayout::fromLines(const QStringList &lines, QStringList *problems)
{
    QList<SheetLayout> out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList f = line.split(QLatin1Char('\''));
        SheetLayout l;
        QString why;
        bool ok = f.size() == 10;
        if (!ok)
            why = QStringLiteral("10 fields separated by ' expected, %1 found").arg(f.size());
        if (ok) {
            l.name = f[0].trimmed();
            const QString paper = f[1].trimmed().toLower();
            l.paper = paper == QLatin1String("letter") ? Paper::Letter : Paper::A4;
            bool c = false, r = false;
            l.columns = f[2].trimmed().toInt(&c);
            l.rows = f[3].trimmed().toInt(&r);
            double *values[] = {&l.left, &l.top, &l.width, &l.height, &l.pitchX, &l.pitchY};
            for (int v = 0; v < 6 && ok; ++v)
                ok = toNumber(f[4 + v], values[v]);
            if (l.name.isEmpty())
                why = QStringLiteral("no name");
            else if (paper != QLatin1String("a4") && paper != QLatin1String("letter"))
                why = QStringLiteral("paper '%1' is not A4 or Letter").arg(f[1].trimmed());
            else if (!c || !r || !ok)
                why = QStringLiteral("a number is not a number of millimetres");
            else
                l.isValid(&why);
            ok = why.isEmpty();
        }
        if (ok)
            out << l;
        else if (problems)
            *problems << QStringLiteral("line %1: %2").arg(i + 1).arg(why);
    }
    return out;
}

QStringList SheetLayout::toLines(const QList<SheetLayout> &layouts)
{
    QStringList lines;
    for (const SheetLayout &l : layouts)
        lines << QStringList{l.name,
                             l.paperName(),
                             QString::number(l.columns),
                             QString::number(l.rows),
                             number(l.left),
                             number(l.top),
                             number(l.width),
                             number(l.height),
                             number(l.pitchX),
                             number(l.pitchY)}
                     .join(QLatin1Char('\''));
    return lines;
}

QList<SheetLayout> SheetLayout::all(const QString &dataDir, QStringList *problems)
{
    QList<SheetLayout> out = builtIn();
    const QString path = QDir(dataDir).filePath(fileName());
    if (!dataDir.isEmpty() && QFileInfo::exists(path)) {
        bool ok = false;
        QString why;
        const QStringList lines = TextFile::readLines(path, &ok, &why);
        if (ok)
            out += fromLines(lines, problems);
        else if (problems)
            *problems << QStringLiteral("%1: %2").arg(path, why);
    }
    return out;
}

bool SheetLayout::find(const QList<SheetLayout> &layouts, const QString &name, SheetLayout *found)
{
    const QString k = key(name);
    // The operator's own first: a layout of the same name replaces the built-in one.
    for (qsizetype i = layouts.size() - 1; i >= 0; --i) {
        if (key(layouts[i].name) == k) {
            *found = layouts[i];
            return true;
        }
    }
    return false;
}
