// SPDX-License-Identifier: GPL-3.0-or-later
#include "columnletters.h"

QString ColumnLetters(int column)
{
    if (column < 1 || column > 702)
        return QString();
    const int n = column - 1;
    QString letters;
    if (n > 25)
        letters += QChar(u'A' + n / 26 - 1);
    letters += QChar(u'A' + n % 26);
    return letters;
}
