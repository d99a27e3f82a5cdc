// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"

#include <QList>
#include <QRect>
#include <QString>

class QImage;

// The barcode reader the scan check uses (zbar, in-process), limited to the linear
// symbologies the label printers draw. Pictures are read along their rows only: printed
// bars always stand upright on the label.
class ZbarReader {
public:
    struct Symbol {
        LabelObject::Symbology symbology = LabelObject::Symbology::Unknown;
        QString name; // the reader's own name of what it read ("EAN-13", "CODE-128", ...)
        QString data; // as read; GS1-128 field separators are kept as ASCII 29
        QRect where;  // pixels where the reader found it
    };

    ZbarReader();
    ~ZbarReader();
    ZbarReader(const ZbarReader &) = delete;
    ZbarReader &operator=(const ZbarReader &) = delete;

    // Every symbol found in `image` (any format; it is read as grey levels).
    QList<Symbol> read(const QImage &image);

    // Whether the reader decodes `symbology` (EAN-128 counts as Code 128 with GS1 data) and,
    // when given, that symbology's symbol for `data` as a scanner returns it: the reader
    // knows UPC-E only with number system 0.
    static bool reads(LabelObject::Symbology symbology, const QString &data = QString());

private:
    void *m_scanner = nullptr; // zbar_image_scanner_t
};
