// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QString>

// The ZPL barcode commands this program writes and reads, one per symbology of the station
// printers, and the names of the symbologies in the comment that declares bars sent as a
// picture ("^FXbars,code39,3,8,DATA").
class ZplBarcode {
public:
    // The field's barcode command for bars `height` dots high, without readable line
    // ("^BCN,120,N,N,N,A"); "" for a symbology ZPL cannot draw exactly as the preview does
    // (its bars then go as a picture).
    static QString command(LabelObject::Symbology symbology, int height, const QString &data);
    // The data as the command takes it: EAN and UPC without their check digit (the printer
    // adds it), Codabar without its start and stop characters (they are parameters).
    static QString fieldData(LabelObject::Symbology symbology, const QString &data);
    // Whether bars of these widths print exactly with ^BY: one-width symbologies always; the
    // two-width ones when wide / narrow is a ZPL ratio (2.0 to 3.0 in tenths).
    static bool widthsFit(LabelObject::Symbology symbology, int narrow, int wide);
    // "^BY3,2.5,120" for these widths.
    static QString moduleCommand(LabelObject::Symbology symbology, int narrow, int wide,
                                 int height);

    // The comment name of a symbology ("code39") and back (Unknown for none).
    static QString key(LabelObject::Symbology symbology);
    static LabelObject::Symbology ofKey(const QString &key);
    static bool twoWidth(LabelObject::Symbology symbology);
};
