// SPDX-License-Identifier: GPL-3.0-or-later
#include "labeldescription.h"

QString LabelObject::symbologyName(Symbology s)
{
    switch (s) {
    case Symbology::Code39:
        return QStringLiteral("Code 39");
    case Symbology::Code128:
        return QStringLiteral("Code 128");
    case Symbology::I2of5:
        return QStringLiteral("I 2of5");
    case Symbology::Codabar:
        return QStringLiteral("Codabar");
    case Symbology::Code93:
        return QStringLiteral("Code 93");
    case Symbology::UpcA:
        return QStringLiteral("UPC-A");
    case Symbology::UpcE:
        return QStringLiteral("UPC-E");
    case Symbology::Ean13:
        return QStringLiteral("EAN-13");
    case Symbology::Ean8:
        return QStringLiteral("EAN-8");
    case Symbology::Ean128:
        return QStringLiteral("EAN-128");
    case Symbology::Unknown:
        break;
    }
    return QStringLiteral("?");
}

double LabelDescription::widthMm() const
{
    return unitsPerMm > 0 ? widthUnits / double(unitsPerMm) : 0.0;
}

double LabelDescription::lengthMm() const
{
    return unitsPerMm > 0 ? lengthUnits / double(unitsPerMm) : 0.0;
}
