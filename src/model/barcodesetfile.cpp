// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcodesetfile.h"

#include "common/textfile.h"
#include "common/textutil.h"

BarcodeSetFile::Contents BarcodeSetFile::read(const QString &path)
{
    return fromLines(TextFile::readLines(path));
}

BarcodeSetFile::Contents BarcodeSetFile::fromLines(const QStringList &lines)
{
    Contents c;
    int counted = 0;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        ++counted;
        if (counted == 1) {
            const int n = DigitsToLong(line);
            c.setNo = (n < 0 || n > SetCount - 1) ? 0 : n;
        } else if (counted <= SetCount + 1) {
            QString name = CleanText(line, NameBytes);
            if (name == QLatin1String("?"))
                name.clear();
            c.names[counted - 2] = name;
        } else {
            break;
        }
    }
    return c;
}

QStringList BarcodeSetFile::toLines(const Contents &contents)
{
    QStringList lines{QString::number(contents.setNo)};
    for (int i = 0; i < SetCount; ++i) {
        const QString name = i < contents.names.size() ? contents.names[i] : QString();
        lines << (name.isEmpty() ? QStringLiteral("?") : name);
    }
    return lines;
}

bool BarcodeSetFile::write(const QString &path, const Contents &contents, QString *error)
{
    return TextFile::writeLines(path, toLines(contents), error);
}
