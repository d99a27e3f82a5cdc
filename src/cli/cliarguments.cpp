// SPDX-License-Identifier: GPL-3.0-or-later
#include "cliarguments.h"

#include "common/programstate.h"

namespace {

bool digitsOnly(const QString &s)
{
    if (s.isEmpty() || s.size() > 9)
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

bool CliArguments::number(const QString &text, int min, int max, int *value, QString *error)
{
    const QString t = text.trimmed();
    if (!digitsOnly(t) || t.toInt() < min || t.toInt() > max) {
        if (error)
            *error =
                QStringLiteral("'%1' is not a number from %2 to %3").arg(text).arg(min).arg(max);
        return false;
    }
    if (value)
        *value = t.toInt();
    return true;
}

bool CliArguments::numberList(const QString &text, int min, int max, QList<int> *numbers,
                              QString *error)
{
    QList<int> out;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        const QString p = part.trimmed();
        const qsizetype dash = p.indexOf(QLatin1Char('-'));
        int from = 0, to = 0;
        QString why;
        if (dash < 0) {
            if (!number(p, min, max, &from, &why)) {
                if (error)
                    *error = QStringLiteral("in '%1': %2").arg(text, why);
                return false;
            }
            to = from;
        } else if (!number(p.left(dash), min, max, &from, &why) ||
                   !number(p.mid(dash + 1), min, max, &to, &why)) {
            if (error)
                *error = QStringLiteral("in '%1': %2").arg(text, why);
            return false;
        }
        if (to < from) {
            if (error)
                *error = QStringLiteral("in '%1': the range %2 runs backwards").arg(text, p);
            return false;
        }
        for (int n = from; n <= to; ++n) {
            if (!out.contains(n))
                out << n;
        }
    }
    if (numbers)
        *numbers = out;
    return true;
}

bool CliArguments::setNumber(const QString &text, QString *setText, QString *error)
{
    int n = 0;
    if (!number(text, 0, ProgramState::SetCount - 1, &n, nullptr)) {
        if (error)
            *error = QStringLiteral("'%1' is not a barcode set (00 to %2)")
                         .arg(text)
                         .arg(ProgramState::SetCount - 1);
        return false;
    }
    if (setText)
        *setText = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return true;
}
