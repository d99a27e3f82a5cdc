// SPDX-License-Identifier: GPL-3.0-or-later
#include "importedcell.h"

#include "common/cp949codec.h"
#include "common/textutil.h"
#include "model/fieldfilter.h"

namespace {

// Characters CP949 lacks become "?"; `lacking` names each once.
QString cp949Only(const QString &text, QString *lacking)
{
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii || Cp949Codec::decode(Cp949Codec::encode(text)) == text)
        return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // One character: a surrogate pair stays whole.
        const qsizetype n =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString ch = text.mid(i, n);
        i += n - 1;
        if (ch[0].unicode() < 0x80 || Cp949Codec::decode(Cp949Codec::encode(ch)) == ch) {
            out += ch;
            continue;
        }
        if (!lacking->contains(ch))
            *lacking += ch;
        out += QLatin1Char('?');
    }
    return out;
}

} // namespace

QString ImportedCell::controlsToSpaces(const QString &text, bool *changed)
{
    QString out = text;
    bool any = false;
    for (QChar &c : out) {
        if (c.category() == QChar::Other_Control || c.unicode() == 0x2028 ||
            c.unicode() == 0x2029) {
            c = QLatin1Char(' ');
            any = true;
        }
    }
    if (changed)
        *changed = any;
    return out;
}

ImportedCell ImportedCell::clean(const QString &raw, int byteLimit, bool fieldFilter)
{
    ImportedCell cell;
    const QString text = cp949Only(controlsToSpaces(raw, &cell.controls), &cell.notCp949);
    cell.text = CleanText(text, byteLimit);
    cell.cut = byteLimit > 0 && cell.text != CleanText(text, 0);
    if (fieldFilter) {
        const QString filtered = FieldFilter(cell.text);
        cell.filtered = filtered != cell.text;
        cell.text = filtered;
    }
    return cell;
}
