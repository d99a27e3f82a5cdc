// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/labelraster.h"
#include "model/monobitmap.h"
#include "render/barcodesymbol.h"

#include <QImage>
#include <QRectF>
#include <QStringList>

class QPainter;

// Draws a label description as the printer would print it: the label outline, the barcodes
// (zint, with the printer's bar widths) and their readable lines, the texts in a font whose
// character cell has the printer font's size times the magnification, reverse and bold, and
// the print direction (a reversed label is turned by 180 degrees), and pictures a job sends
// dot for dot. Objects that leave the label and barcode data that the symbology cannot encode
// are drawn with a red mark and listed as problems after the reader's own.
//
// Geometry is the description's dots (8 a millimetre for the station printers). At another
// resolution (`dotsPerMm`), positions scale and bar widths stay whole dots: a 2-dot module at
// 8 dots/mm is 3 dots at 12, and the label is whole dots.
class LabelPainter {
public:
    // Fills `target` (device coordinates; aspect ratio kept, centred) with the label.
    static void paint(QPainter &painter, const LabelDescription &label, const QRectF &target,
                      QStringList *problems = nullptr);
    // The largest picture render() makes: a side of MaxPictureSide pixels and MaxPicturePixels
    // pixels in all (a 150 x 100 mm label at 1200 dpi is 33 million).
    static constexpr int MaxPictureSide = 20000;
    static constexpr qint64 MaxPicturePixels = 50'000'000;

    // The label alone as a picture at `dpi` (203 dpi is the station printers' own 8 dots per
    // mm), white background. A picture beyond the limits above is not made: the image is null and
    // the problems say so.
    static QImage render(const LabelDescription &label, double dpi,
                         QStringList *problems = nullptr);
    // The picture's size in pixels at `dpi`; an empty size with *problem set when it is
    // beyond the limits.
    static QSize pictureSize(const LabelDescription &label, double dpi, QString *problem = nullptr);
    // The problems paint() would list, without drawing: the reader's and the painter's own.
    static QStringList problems(const LabelDescription &label);

    // Pixels per printer dot (`dotsPerMm` of the description) of a picture at `dpi`; a scale
    // within 1% of a whole number is taken as that number so that bars stay whole pixels.
    static double pixelsPerDot(double dpi, int dotsPerMm = LabelDescription::StationDotsPerMm);
    // A bar width of `dots` at k times the resolution: whole dots, at least one.
    static int scaledModule(int dots, double k);
    // The label's extent in dots (at `dotsPerMm`, 0 for the description's own): its size, or
    // where it is not given, what its objects need.
    static QSizeF labelSize(const LabelDescription &label, int dotsPerMm = 0);

    // Where an object of a label lands, in dots from the label's top left corner before the
    // print direction turns it. Barcodes also give their bars (`symbol` as drawn, its bars
    // from `bars.left()`) and their readable line.
    struct Placement {
        QRectF bounds;
        QRectF bars;
        QRectF readable;
        BarcodeSymbol symbol;
    };
    // One placement per object of `label`, in the order of its objects, in dots at
    // `dotsPerMm` (0: the description's own).
    static QList<Placement> placements(const LabelDescription &label, int dotsPerMm = 0);
    // The label as the printer puts it on paper: one pixel per dot (at `dotsPerMm`, 0 for the
    // description's own), black on white, turned when the label prints reversed; no outline
    // and no marks. With an `area` (dots), only that part of the label: the picture's pixel
    // (0, 0) is the area's top left dot.
    static QImage renderPrinted(const LabelDescription &label, const QRect &area = QRect(),
                                int dotsPerMm = 0);
    // The label as printed by a printer of `dpi` (an office printer, a PDF): one pixel per
    // device dot, positions scaled and bar widths whole device dots (a scan of it reads as
    // the label printer's would). Null beyond the picture limits above.
    static QImage renderPrintedAt(const LabelDescription &label, double dpi);
    // The label at `dotsPerMm` in the parts a printer language sends: the bars of each
    // barcode, and each text and readable line as a black and white picture (a dot is black
    // where the drawing is darker than half).
    static PrintedLabel printedParts(const LabelDescription &label, int dotsPerMm);

    // Black where a picture is darker than half; and a black and white picture back.
    static MonoBitmap threshold(const QImage &image);
    static QImage imageOf(const MonoBitmap &bitmap);
};
