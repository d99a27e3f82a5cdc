// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

#include <QObject>

// Which part of a format set a change touched.
enum class FormatPart {
    Port,    // the station-wide port and line speed
    Label,   // a format's label settings (size, direction, the AL-300's stop, sensor, ...)
    Barcode, // one barcode element of a format: values, options, fixed value
    Text,    // one text element of a format: values, options, fixed text
    Whole,   // the whole set (read from the file)
};

// A station's format set that tells its listeners what changed: the label preview, the
// format editor and the print panels follow changed() instead of being refreshed by hand.
// Formats are numbered 1 to 5, barcodes 1 to 3 and texts 1 to 20, as the format file numbers
// them; a number outside those ranges changes nothing.
class FormatModel : public QObject {
    Q_OBJECT
public:
    explicit FormatModel(QObject *parent = nullptr);

    const FormatSet &set() const { return m_set; }
    const LabelFormat &format(int format) const;

    // Each setter changes the set and signals only when the value differs.
    void replace(const FormatSet &set);
    void setPort(qint16 port, qint16 speed);
    // The format as a whole (its label settings and elements).
    void setFormat(int format, const LabelFormat &value);
    void setBarcode(int format, int barcode, const BarcodeElement &value);
    void setText(int format, int text, const TextElement &value);

    static bool validFormat(int format) { return format >= 1 && format <= FormatSet::FormatCount; }
    static bool validBarcode(int barcode)
    {
        return barcode >= 1 && barcode <= FormatSet::BarcodeCount;
    }
    static bool validText(int text) { return text >= 1 && text <= FormatSet::TextCount; }

Q_SIGNALS:
    // `format` is 0 for Port and Whole; `element` the barcode or text number, else 0.
    void changed(FormatPart part, int format, int element);

private:
    FormatSet m_set;
};
