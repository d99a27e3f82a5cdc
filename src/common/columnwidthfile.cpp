// SPDX-License-Identifier: GPL-3.0-or-later
#include "columnwidthfile.h"

#include "common/textfile.h"
#include "common/textutil.h"

#include <QDir>

#include <algorithm>
#include <cmath>

QString ColumnWidthFile::pathFor(const QString &dataDir, const QString &formName)
{
    return QDir(dataDir).filePath(formName + QStringLiteral("ColSize.Txt"));
}

QList<double> ColumnWidthFile::read(const QString &path, int columnCount)
{
    bool ok = false;
    const QStringList lines = TextFile::readLines(path, &ok);
    if (!ok)
        return {};
    return fromLines(lines, columnCount);
}

QList<double> ColumnWidthFile::fromLines(const QStringList &lines, int columnCount)
{
    if (lines.isEmpty())
        return {};
    return fromLine(lines.first(), columnCount);
}

QList<double> ColumnWidthFile::fromLine(const QString &line, int columnCount)
{
    if (line.isEmpty())
        return {};
    const QStringList words = SplitWords(line);
    if (words.isEmpty() || words.size() != columnCount)
        return {};
    QList<double> widths;
    for (const QString &w : words) {
        const double v = LeadingNumber(w);
        widths << (std::isfinite(v) ? std::clamp(v, 0.0, MaxWidth) : (v > 0 ? MaxWidth : 0.0));
    }
    return widths;
}

QByteArray ColumnWidthFile::toBytes(const QList<double> &widths)
{
    QStringList parts;
    for (double w : widths)
        parts << widthText(w);
    return TextFile::toBytes({parts.join(QLatin1Char(' '))});
}

bool ColumnWidthFile::write(const QString &path, const QList<double> &widths, QString *error)
{
    return TextFile::writeBytes(path, toBytes(widths), error);
}

QString ColumnWidthFile::widthText(double width)
{
    return QString::number(width, 'g', 15);
}
