// SPDX-License-Identifier: GPL-3.0-or-later
#include "zplbarcode.h"

namespace {

using Symbology = LabelObject::Symbology;

struct Name {
    Symbology symbology;
    const char *key;
};
const Name Names[] = {
    {Symbology::Code39, "code39"}, {Symbology::Code128, "code128"}, {Symbology::I2of5, "i2of5"},
    {Symbology::Codabar, "codabar"}, {Symbology::Code93, "code93"}, {Symbology::UpcA, "upca"},
    {Symbology::UpcE, "upce"},     {Symbology::Ean13, "ean13"},     {Symbology::Ean8, "ean8"},
    {Symbology::Ean128, "ean128"},
};

bool codabarEnd(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('D');
}

} // namespace

bool ZplBarcode::twoWidth(Symbology symbology)
{
    return symbology == Symbology::Code39 || symbology == Symbology::I2of5 ||
           symbology == Symbology::Codabar;
}

QString ZplBarcode::fieldData(Symbology symbology, const QString &data)
{
    switch (symbology) {
    case Symbology::Ean13:
        return data.size() == 13 ? data.left(12) : data;
    case Symbology::Ean8:
        return data.size() == 8 ? data.left(7) : data;
    case Symbology::UpcA:
        return data.size() == 12 ? data.left(11) : data;
    case Symbology::Codabar:
        return data.size() >= 2 && codabarEnd(data.front()) && codabarEnd(data.back())
                   ? data.mid(1, data.size() - 2)
                   : data;
    case Symbology::Ean128: {
        // Application identifiers in brackets go as the parentheses ZPL's UCC/EAN mode takes.
        QString d = data;
        if (d.startsWith(QLatin1Char('['))) {
            d.replace(QLatin1Char('['), QLatin1Char('('));
            d.replace(QLatin1Char(']'), QLatin1Char(')'));
        }
        return d;
    }
    default:
        return data;
    }
}

QString ZplBarcode::command(Symbology symbology, int height, const QString &data)
{
    const QString h = QString::number(height);
    switch (symbology) {
    case Symbology::Code128:
        // Automatic subsets, as the preview encodes it.
        return QStringLiteral("^BCN,%1,N,N,N,A").arg(h);
    case Symbology::Ean128:
        return QStringLiteral("^BCN,%1,N,N,N,D").arg(h);
    case Symbology::Code39:
        return QStringLiteral("^B3N,N,%1,N,N").arg(h);
    case Symbology::I2of5:
        return QStringLiteral("^B2N,%1,N,N,N").arg(h);
    case Symbology::Codabar: {
        const bool ends = data.size() >= 2 && codabarEnd(data.front()) && codabarEnd(data.back());
        return QStringLiteral("^BKN,N,%1,N,N,%2,%3")
            .arg(h, ends ? QString(data.front()) : QStringLiteral("A"),
                 ends ? QString(data.back()) : QStringLiteral("A"));
    }
    case Symbology::Code93:
        return QStringLiteral("^BAN,%1,N,N,N").arg(h);
    case Symbology::UpcA:
        return QStringLiteral("^BUN,%1,N,N,N").arg(h);
    case Symbology::Ean13:
        return QStringLiteral("^BEN,%1,N,N").arg(h);
    case Symbology::Ean8:
        return QStringLiteral("^B8N,%1,N,N").arg(h);
    case Symbology::UpcE:
        // How printers expand UPC-E data differs: its bars go as a picture.
    case Symbology::Unknown:
        break;
    }
    return QString();
}

bool ZplBarcode::widthsFit(Symbology symbology, int narrow, int wide)
{
    if (narrow < 1 || narrow > 10)
        return false;
    if (!twoWidth(symbology))
        return true;
    return (10 * wide) % narrow == 0 && 20 * narrow <= 10 * wide && 10 * wide <= 30 * narrow;
}

QString ZplBarcode::moduleCommand(Symbology symbology, int narrow, int wide, int height)
{
    const int tenths = twoWidth(symbology) && narrow > 0 ? 10 * wide / narrow : 30;
    return QStringLiteral("^BY%1,%2.%3,%4")
        .arg(narrow)
        .arg(tenths / 10)
        .arg(tenths % 10)
        .arg(height);
}

QString ZplBarcode::key(Symbology symbology)
{
    for (const Name &n : Names) {
        if (n.symbology == symbology)
            return QString::fromLatin1(n.key);
    }
    return QString();
}

Symbology ZplBarcode::ofKey(const QString &key)
{
    for (const Name &n : Names) {
        if (key == QLatin1String(n.key))
            return n.symbology;
    }
    return Symbology::Unknown;
}
