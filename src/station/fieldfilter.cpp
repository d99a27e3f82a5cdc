#include "station/fieldfilter.h"

namespace {

// Trimming removes spaces only, as everywhere in the goods data.
QString trimSpaces(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

} // namespace

QString FieldFilter(const QString &text)
{
    QString out = text;
    for (QChar c :
         {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('|'), QLatin1Char('{'), QLatin1Char('}')})
        out = trimSpaces(out.replace(c, QLatin1Char('?')));
    return out;
}
