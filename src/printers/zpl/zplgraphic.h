// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/monobitmap.h"

#include <QString>

// The picture of a ZPL graphic field (^GFA): its rows as hexadecimal digits in ZPL's own
// compression: a count before a digit repeats it (G..Y 1 to 19, g..z 20 to 400, added up),
// "," fills the rest of a row with 0, "!" with F, ":" repeats the row before.
class ZplGraphic {
public:
    // "^GFA,b,b,r,data" without "^GF": "A,b,b,r,data" for the picture.
    static QString encode(const MonoBitmap &picture);
    // Reads the parameters of a ^GF command ("A,b,t,r,data") into a picture r bytes (8r
    // dots) wide; false with the reason (Korean) in *problem for anything this reader does
    // not take: another format than A, sizes that disagree, more dots than a picture holds,
    // digits that do not fill the rows or run past them.
    static bool decode(const QString &parameters, MonoBitmap *picture, QString *problem);
};
