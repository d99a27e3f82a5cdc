#include "model/fieldfilter.h"
#include "common/textutil.h"

namespace {

} // namespace

QString FieldFilter(const QString &text)
{
    QString out = text;
    for (QChar c :
         {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('|'), QLatin1Char('{'), QLatin1Char('}')})
        out = TrimSpaces(out.replace(c, QLatin1Char('?')));
    return out;
}
