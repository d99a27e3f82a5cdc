// SPDX-License-Identifier: GPL-3.0-or-later
#include "leogoodswriter.h"

#include "common/textfile.h"
#include "common/textutil.h"

#include <QDir>

namespace {

bool isBlankRow(const QStringList &row)
{
    for (const QString &cell : row) {
        if (!TrimSpaces(cell).isEmpty())
            return false;
    }
    return true;
}

} // namespace

QString LeoGoodsWriter::fieldText(const QString &cell)
{
    QString text = cell;
    // A line break or other control character would split the goods line.
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    text = QuotesToBackticks(TrimSpaces(text));
    for (QChar c : {u',', u';', u'|', u'{', u'}'})
        text.replace(c, QLatin1Char('?'));
    return text;
}

QStringList LeoGoodsWriter::buildLines(const QList<QStringList> &rows, const QList<int> &columns)
{
    QStringList lines;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QStringList &row = rows[r];
        if (isBlankRow(row))
            continue;
        const qsizetype number = r + 1;
        QStringList fields;
        fields << QStringLiteral("<%1>").arg(number, 6, 10, QLatin1Char('0'))
               << QString::number(number) << QStringLiteral("?") << QStringLiteral("1")
               << QStringLiteral("0");
        for (int k = 0; k < ChoiceCount; ++k) {
            const int column = k < columns.size() ? columns[k] : 0;
            if (column >= 1 && column <= row.size())
                fields << fieldText(row[column - 1]);
            else
                fields << QStringLiteral(" ");
        }
        for (int k = 0; k < 10; ++k)
            fields << QStringLiteral(" ");
        fields << QStringLiteral("~");
        lines << fields.join(QLatin1Char('\''));
    }
    return lines;
}

LeoGoodsWriter::Summary LeoGoodsWriter::summary(const QList<QStringList> &rows,
                                                const QList<int> &columns)
{
    Summary s;
    for (const QStringList &row : rows) {
        if (isBlankRow(row)) {
            ++s.blank;
            continue;
        }
        ++s.written;
        for (int k = 0; k < ChoiceCount && k < columns.size(); ++k) {
            const int column = columns[k];
            if (column >= 1 && column <= row.size() &&
                fieldText(row[column - 1]) != TrimSpaces(row[column - 1]))
                ++s.changedCells;
        }
    }
    return s;
}

bool LeoGoodsWriter::write(const QString &path, const QList<QStringList> &rows,
                           const QList<int> &columns, QString *error)
{
    return TextFile::writeLines(path, buildLines(rows, columns), error);
}

QString LeoGoodsWriter::targetPath(const QString &dataDir, const QString &setText)
{
    return QDir(dataDir).filePath(QStringLiteral("AL300Dat[%1].Txt").arg(setText));
}
