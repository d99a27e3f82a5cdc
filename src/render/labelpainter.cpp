// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelpainter.h"

#include "common/cp949codec.h"
#include "render/barcodesymbol.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr int ReadableGap = 2;        // dots between bars and their readable line
constexpr int FallbackCellWidth = 12; // an object without a known font still shows its text
constexpr int FallbackCellHeight = 20;
const QColor MarkColour(0xE0, 0x00, 0x00);

// Printer fonts are drawn with a monospaced font that has Hangul twice as wide as ASCII.
QString fontFamily()
{
    static const QString family = [] {
        const QStringList have = QFontDatabase::families();
        for (const char *f : {"NanumGothicCoding", "NanumGothic", "Noto Sans Mono CJK KR",
                              "Noto Sans CJK KR", "Malgun Gothic", "Gulim"}) {
            if (have.contains(QLatin1String(f)))
                return QString::fromLatin1(f);
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QFont referenceFont(bool bold)
{
    QFont f(fontFamily());
    f.setPixelSize(100);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

// The readable line of a barcode: a font height that grows with the module.
int readableHeight(const LabelObject &o)
{
    return qBound(12, o.narrow * 8, 40);
}

struct Run {
    QString text;
    double width = 0; // dots
};

struct Item {
    const LabelObject *object = nullptr;
    QRectF bounds; // dots at the layout's scale, label coordinates
    bool unencodable = false;
    bool outside = false;
    // Barcode.
    BarcodeSymbol symbol;
    QRectF barsRect;
    QRectF readableRect;
    // Text: runs of characters of one cell width.
    QList<Run> runs;
    bool hangulInEnglishFont = false;
    bool unknownFont = false;
};

struct Layout {
    QSizeF size; // dots
    bool widthMissing = false;
    bool lengthMissing = false;
    QList<Item> items;
    QStringList problems;
};

QString where(const LabelObject &o)
{
    return o.line > 0 ? QStringLiteral("%1행: ").arg(o.line) : QString();
}

QString objectName(const LabelObject &o)
{
    if (o.isPicture())
        return QStringLiteral("그림");
    if (o.isBarcode())
        return QStringLiteral("바코드 %1 \"%2\"")
            .arg(LabelObject::symbologyName(o.symbology), o.data);
    return QStringLiteral("텍스트 \"%1\"").arg(o.data);
}

// A length of the description's dots at the layout's scale, in whole dots.
int whole(double dots, double k)
{
    return int(std::lround(dots * k));
}

Item layoutBarcode(const LabelObject &o, double k)
{
    Item it;
    it.object = &o;
    // Bar widths stay whole dots at every resolution, so that bars keep their proportions.
    const int narrow = k == 1 ? o.narrow : LabelPainter::scaledModule(o.narrow, k);
    const int wide = k == 1 ? o.wide : LabelPainter::scaledModule(o.wide, k);
    it.symbol = BarcodeSymbol::make(o.symbology, o.data, narrow, wide);
    const bool readable = o.readable != LabelObject::Readable::None;
    const int gap = whole(ReadableGap, k);
    const int rh = readable ? whole(readableHeight(o), k) + gap : 0;
    const int x = whole(o.x, k), y = whole(o.y, k), height = whole(o.height, k);
    double width = it.symbol.width;
    if (!o.barsPicture.isNull()) {
        // Bars the job sends as a picture print as that picture.
        width = o.barsPicture.width() * k;
    } else if (!it.symbol.ok) {
        it.unencodable = true;
        // Room for the mark: about what the data would need.
        width = qMax(40.0, double(o.data.size()) * 11 * qMax(1, narrow));
    }
    const double barsHeight = o.barsPicture.isNull() ? height : o.barsPicture.height() * k;
    const double barsTop = y + (o.readable == LabelObject::Readable::Above ? rh : 0);
    it.barsRect = QRectF(x, barsTop, width, barsHeight);
    if (o.readable == LabelObject::Readable::Above)
        it.readableRect = QRectF(x, y, width, rh - gap);
    else if (o.readable == LabelObject::Readable::Below)
        it.readableRect = QRectF(x, barsTop + barsHeight + gap, width, rh - gap);
    it.bounds = QRectF(x, y, width, barsHeight + rh);
    return it;
}

Item layoutPicture(const LabelObject &o, double k)
{
    Item it;
    it.object = &o;
    it.bounds = QRectF(whole(o.x, k), whole(o.y, k), o.picture.width() * k, o.picture.height() * k);
    return it;
}

Item layoutText(const LabelObject &o, double k)
{
    Item it;
    it.object = &o;
    int cw = o.cellWidth, ch = o.cellHeight;
    if (cw <= 0 || ch <= 0) {
        it.unknownFont = true;
        cw = FallbackCellWidth;
        ch = FallbackCellHeight;
    }
    const int xm = qMax(1, o.xMagnification);
    const int ym = qMax(1, o.yMagnification);
    // A Korean font's cell holds a double-byte character or two single-byte ones; an
    // English font gives every byte a cell.
    double width = 0;
    for (QChar c : o.data) {
        const int bytes = Cp949Codec::charWidth(c);
        if (bytes == 2 && !o.koreanFont)
            it.hangulInEnglishFont = true;
        const double w = o.koreanFont ? cw * xm * bytes / 2.0 : double(cw * xm * bytes);
        if (!it.runs.isEmpty() &&
            qFuzzyCompare(it.runs.last().width / it.runs.last().text.size(), w))
            it.runs.last().text += c;
        else
            it.runs << Run{QString(c), 0};
        it.runs.last().width += w;
        width += w;
    }
    if (k != 1) {
        for (Run &r : it.runs)
            r.width *= k;
        width *= k;
    }
    it.bounds = QRectF(o.x * k, o.y * k, width, ch * ym * k);
    return it;
}

// The label laid out at k times the description's dots (1: the description's own).
Layout layoutLabel(const LabelDescription &label, double k = 1)
{
    Layout lay;
    for (const LabelObject &o : label.objects) {
        if (o.isBarcode())
            lay.items << layoutBarcode(o, k);
        else if (o.isPicture())
            lay.items << layoutPicture(o, k);
        else
            lay.items << layoutText(o, k);
    }

    // The label's extent; a missing size is replaced by what the objects need.
    QRectF all;
    for (const Item &it : lay.items)
        all = all.united(it.bounds);
    double w = label.widthDots * k, l = label.lengthDots * k;
    if (w <= 0) {
        lay.widthMissing = true;
        w = qMax(80.0 * k, all.right() + 8 * k);
        lay.problems << QStringLiteral("라벨 폭이 0입니다");
    }
    if (l <= 0) {
        lay.lengthMissing = true;
        l = qMax(80.0 * k, all.bottom() + 8 * k);
        lay.problems << QStringLiteral("라벨 길이가 0입니다");
    }
    // At another resolution the label is whole dots (the printer's page), and a turned
    // label turns within them.
    if (k != 1) {
        w = std::ceil(w - 1e-6);
        l = std::ceil(l - 1e-6);
    }
    lay.size = QSizeF(w, l);

    for (Item &it : lay.items) {
        const LabelObject &o = *it.object;
        if (it.unencodable)
            lay.problems << where(o) + QStringLiteral("바코드 %1 \"%2\": %3")
                                           .arg(LabelObject::symbologyName(o.symbology), o.data,
                                                it.symbol.error);
        if (it.unknownFont)
            lay.problems << where(o) + QStringLiteral("%1: 알 수 없는 폰트 \"%2\"")
                                           .arg(objectName(o), o.font);
        if (it.hangulInEnglishFont)
            lay.problems << where(o) + QStringLiteral("%1: 영문 폰트 %2에는 한글이 없습니다 "
                                                      "(한글 폰트를 쓰세요)")
                                           .arg(objectName(o), o.font);
        const bool outX = !lay.widthMissing && (it.bounds.left() < 0 || it.bounds.right() > w);
        const bool outY = !lay.lengthMissing && (it.bounds.top() < 0 || it.bounds.bottom() > l);
        if (outX || outY) {
            it.outside = true;
            lay.problems << where(o) +
                                QStringLiteral("%1이(가) 라벨 밖으로 나갑니다").arg(objectName(o));
        }
    }
    return lay;
}

QPen markPen()
{
    QPen p(MarkColour, 2);
    p.setCosmetic(true);
    return p;
}

void drawMark(QPainter &p, const QRectF &r, bool cross)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(markPen());
    p.drawRect(r);
    if (cross) {
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }
    p.restore();
}

// Draws `text` so that its advance fills `width` and its ascent plus descent `height`.
void drawFitted(QPainter &p, const QFont &font, const QFontMetricsF &fm, const QString &text,
                const QPointF &topLeft, double width, double height)
{
    const double natural = fm.horizontalAdvance(text);
    const double natHeight = fm.ascent() + fm.descent();
    if (natural <= 0 || natHeight <= 0)
        return;
    p.save();
    p.translate(topLeft);
    p.scale(width / natural, height / natHeight);
    p.setFont(font);
    p.drawText(QPointF(0, fm.ascent()), text);
    p.restore();
}

QImage imageOf(const MonoBitmap &bitmap)
{
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < bitmap.height(); ++y)
        memcpy(image.scanLine(y), bitmap.rows().constData() + qsizetype(y) * bitmap.bytesPerRow(),
               bitmap.bytesPerRow());
    return image;
}

// A picture's black dots (white ones leave what lies below, as on the printer).
void drawBitmap(QPainter &p, const MonoBitmap &bitmap, const QRectF &where)
{
    QImage image = imageOf(bitmap);
    image.setColor(0, qRgba(0, 0, 0, 0));
    p.save();
    // Dot for dot at the printer's size and larger; smoothed where the screen shrinks it.
    p.setRenderHint(QPainter::SmoothPixmapTransform, p.transform().m11() < 0.99);
    p.drawImage(where, image);
    p.restore();
}

enum Layer { BarsLayer = 1, OtherLayer = 2, AllLayers = 3 };

void drawBarcode(QPainter &p, const Item &it, bool marks, int layers = AllLayers)
{
    const LabelObject &o = *it.object;
    if (it.unencodable) {
        if (marks)
            drawMark(p, it.bounds, true);
        return;
    }
    if (layers & BarsLayer) {
        p.setRenderHint(QPainter::Antialiasing, false);
        if (!o.barsPicture.isNull()) {
            drawBitmap(p, o.barsPicture, it.barsRect);
        } else {
            for (const BarcodeSymbol::Bar &b : it.symbol.bars)
                p.fillRect(QRectF(it.barsRect.left() + b.x, it.barsRect.top(), b.width,
                                  it.barsRect.height()),
                           Qt::black);
        }
    }
    if ((layers & OtherLayer) && o.readable != LabelObject::Readable::None &&
        !it.symbol.readable.isEmpty()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        const QFont f = referenceFont(false);
        const QFontMetricsF fm(f, p.device());
        const double h = it.readableRect.height();
        const double natural = fm.horizontalAdvance(it.symbol.readable);
        const double scale = h / (fm.ascent() + fm.descent());
        // Natural proportions, narrowed when wider than the bars.
        const double w = qMin(natural * scale, it.readableRect.width());
        const QPointF at(it.readableRect.center().x() - w / 2, it.readableRect.top());
        p.setPen(Qt::black);
        drawFitted(p, f, fm, it.symbol.readable, at, w, h);
    }
}

void drawText(QPainter &p, const Item &it, bool marks)
{
    const LabelObject &o = *it.object;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (o.reverse) {
        p.fillRect(it.bounds, Qt::black);
        p.setPen(Qt::white);
    } else {
        p.setPen(Qt::black);
    }
    const QFont f = referenceFont(o.bold);
    const QFontMetricsF fm(f, p.device());
    double x = it.bounds.left();
    for (const Run &r : it.runs) {
        drawFitted(p, f, fm, r.text, QPointF(x, it.bounds.top()), r.width, it.bounds.height());
        x += r.width;
    }
    if (marks && (it.unknownFont || it.hangulInEnglishFont))
        drawMark(p, it.bounds, false);
}

void drawItem(QPainter &p, const Item &it, bool marks, int layers = AllLayers)
{
    if (it.object->isBarcode())
        drawBarcode(p, it, marks, layers);
    else if (it.object->isPicture())
        drawBitmap(p, it.object->picture, it.bounds);
    else
        drawText(p, it, marks);
}

// `marks`: the outline and the red marks of the screen and the PDF; a picture of the print
// leaves them out.
// `turn`: a reversed label drawn turned (the printed picture turns its dots instead).
void paintLayout(QPainter &p, const LabelDescription &label, const Layout &lay,
                 const QRectF &target, bool marks = true, bool turn = true)
{
    const QSizeF size = lay.size;
    if (target.width() <= 0 || target.height() <= 0)
        return;
    const double s = qMin(target.width() / size.width(), target.height() / size.height());
    const QPointF origin(target.left() + (target.width() - size.width() * s) / 2,
                         target.top() + (target.height() - size.height() * s) / 2);
    p.save();
    p.translate(origin);
    p.scale(s, s);
    const QRectF labelRect(QPointF(0, 0), size);
    p.fillRect(labelRect, Qt::white);

    p.save();
    if (label.reversed && turn) {
        p.translate(size.width(), size.height());
        p.rotate(180);
    }
    for (const Item &it : lay.items) {
        drawItem(p, it, marks);
        if (it.outside && marks)
            drawMark(p, it.bounds.adjusted(-1, -1, 1, 1), false);
    }
    p.restore();
    if (!marks) {
        p.restore();
        return;
    }

    // Outline last, so that reversed texts at the edge do not hide it.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    QPen outline(lay.widthMissing || lay.lengthMissing ? MarkColour : QColor(0x60, 0x60, 0x60), 1);
    outline.setCosmetic(true);
    if (lay.widthMissing || lay.lengthMissing)
        outline.setStyle(Qt::DashLine);
    p.setPen(outline);
    // Half a device pixel (at least half a dot) inside the label, so that all four edges
    // show, also in a picture or on a page of exactly the label's size.
    const double half = qMax(0.5 / s, 0.5);
    p.drawRect(labelRect.adjusted(half, half, -half, -half));
    p.restore();
}

} // namespace

void LabelPainter::paint(QPainter &painter, const LabelDescription &label, const QRectF &target,
                         QStringList *problems)
{
    const Layout lay = layoutLabel(label);
    paintLayout(painter, label, lay, target);
    if (problems)
        *problems << label.problems << lay.problems;
}

QStringList LabelPainter::problems(const LabelDescription &label)
{
    return label.problems + layoutLabel(label).problems;
}

namespace {

double dotsPerInch(const LabelDescription &label)
{
    return qMax(1, label.dotsPerMm) * 25.4;
}

// k of a layout at `dotsPerMm` (0: the label's own dots).
double scaleOf(const LabelDescription &label, int dotsPerMm)
{
    return dotsPerMm <= 0 ? 1.0 : double(dotsPerMm) / qMax(1, label.dotsPerMm);
}

} // namespace

double LabelPainter::pixelsPerDot(double dpi, int dotsPerMm)
{
    const double s = dpi / (dotsPerMm * 25.4);
    const double whole = std::round(s);
    return whole >= 1 && std::abs(s - whole) < 0.01 * whole ? whole : s;
}

int LabelPainter::scaledModule(int dots, double k)
{
    if (dots <= 0)
        return dots;
    return qMax(1, int(std::lround(dots * k)));
}

QSizeF LabelPainter::labelSize(const LabelDescription &label, int dotsPerMm)
{
    return layoutLabel(label, scaleOf(label, dotsPerMm)).size;
}

namespace {

QSize pixelsOf(const LabelDescription &label, const QSizeF &dots, double dpi, QString *problem)
{
    const double s = LabelPainter::pixelsPerDot(
        dpi > 0 && std::isfinite(dpi) ? dpi : dotsPerInch(label), qMax(1, label.dotsPerMm));
    const double w = std::ceil(dots.width() * s - 1e-6);
    const double h = std::ceil(dots.height() * s - 1e-6);
    if (!(w <= LabelPainter::MaxPictureSide && h <= LabelPainter::MaxPictureSide &&
          w * h <= double(LabelPainter::MaxPicturePixels))) {
        if (problem)
            *problem = QStringLiteral("그림이 너무 큽니다: %1 x %2 픽셀, 한 변 %3 "
                                      "픽셀, 모두 %4 픽셀까지; 해상도를 낮추세요")
                           .arg(w, 0, 'f', 0)
                           .arg(h, 0, 'f', 0)
                           .arg(LabelPainter::MaxPictureSide)
                           .arg(LabelPainter::MaxPicturePixels);
        return {};
    }
    return QSize(qMax(1, int(w)), qMax(1, int(h)));
}

QRect wholeDots(const QSizeF &size)
{
    return QRect(0, 0, qMax(1, int(std::ceil(size.width() - 1e-6))),
                 qMax(1, int(std::ceil(size.height() - 1e-6))));
}

// The part `area` of a layout as printed: one pixel per dot, black on white, no marks. A
// reversed label is drawn upright and its dots turned, as the printer turns its print.
QImage printedImage(const LabelDescription &label, const Layout &lay, const QRect &area)
{
    if (area.isEmpty())
        return QImage();
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    const QRect whole = wholeDots(lay.size);
    // The area's dots before the turn.
    const QRect drawn = label.reversed
                            ? QRect(whole.width() - 1 - area.right(),
                                    whole.height() - 1 - area.bottom(), area.width(), area.height())
                            : area;
    QPainter p(&image);
    p.translate(-drawn.topLeft());
    paintLayout(p, label, lay, QRectF(QPointF(0, 0), lay.size), false, false);
    p.end();
    return label.reversed ? image.mirrored(true, true) : image;
}

// One item alone, unturned, the given layers, over the whole dots that hold it; a null
// picture when nothing of it is black.
MonoBitmap itemBitmap(const Item &it, const QRectF &bounds, int layers, QPoint *at)
{
    // A dot of margin: antialiased edges may reach just beyond the bounds.
    const QRect area = bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
    if (area.isEmpty())
        return MonoBitmap();
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-area.topLeft());
    drawItem(p, it, false, layers);
    p.end();
    const MonoBitmap bitmap = LabelPainter::threshold(image);
    // Trimmed to its black dots.
    int left, top, right, bottom;
    bitmap.blackBounds(&left, &top, &right, &bottom);
    if (right < 0)
        return MonoBitmap();
    const MonoBitmap out = bitmap.cropped(left, top, right - left + 1, bottom - top + 1);
    *at = area.topLeft() + QPoint(left, top);
    return out;
}

} // namespace

QSize LabelPainter::pictureSize(const LabelDescription &label, double dpi, QString *problem)
{
    return pixelsOf(label, layoutLabel(label).size, dpi, problem);
}

QImage LabelPainter::render(const LabelDescription &label, double dpi, QStringList *problems)
{
    const Layout lay = layoutLabel(label);
    const double s = pixelsPerDot(dpi > 0 ? dpi : dotsPerInch(label), qMax(1, label.dotsPerMm));
    QString tooLarge;
    const QSize px = pixelsOf(label, lay.size, dpi, &tooLarge);
    if (px.isEmpty()) {
        if (problems)
            *problems << label.problems << lay.problems << tooLarge;
        return {};
    }
    QImage image(px, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dpm = int(std::lround((dpi > 0 ? dpi : dotsPerInch(label)) / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    QPainter p(&image);
    paintLayout(p, label, lay, QRectF(0, 0, lay.size.width() * s, lay.size.height() * s));
    p.end();
    if (problems)
        *problems << label.problems << lay.problems;
    return image;
}

QList<LabelPainter::Placement> LabelPainter::placements(const LabelDescription &label,
                                                        int dotsPerMm)
{
    const Layout lay = layoutLabel(label, scaleOf(label, dotsPerMm));
    QList<Placement> out;
    out.reserve(lay.items.size());
    for (const Item &it : lay.items)
        out << Placement{it.bounds, it.barsRect, it.readableRect, it.symbol};
    return out;
}

QImage LabelPainter::renderPrinted(const LabelDescription &label, const QRect &area, int dotsPerMm)
{
    const Layout lay = layoutLabel(label, scaleOf(label, dotsPerMm));
    return printedImage(label, lay, area.isNull() ? wholeDots(lay.size) : area);
}

QImage LabelPainter::renderPrintedAt(const LabelDescription &label, double dpi)
{
    if (!(dpi >= 25 && dpi <= 2400))
        return QImage();
    const Layout lay = layoutLabel(label, dpi / 25.4 / qMax(1, label.dotsPerMm));
    const QRect whole = wholeDots(lay.size);
    if (whole.width() > MaxPictureSide || whole.height() > MaxPictureSide ||
        qint64(whole.width()) * whole.height() > MaxPicturePixels)
        return QImage();
    return printedImage(label, lay, whole);
}

MonoBitmap LabelPainter::threshold(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width(), h = grey.height(), bpr = MonoBitmap::bytesPerRow(w);
    QByteArray rows(qsizetype(bpr) * h, '\0');
    uchar *out = reinterpret_cast<uchar *>(rows.data());
    for (int y = 0; y < h; ++y) {
        const uchar *row = grey.constScanLine(y);
        uchar *dst = out + qsizetype(y) * bpr;
        for (int x = 0; x < w; ++x)
            if (row[x] < 128)
                dst[x >> 3] |= uchar(0x80 >> (x & 7));
    }
    return MonoBitmap::fromRows(w, h, rows);
}

QImage LabelPainter::imageOf(const MonoBitmap &bitmap)
{
    return ::imageOf(bitmap);
}

PrintedLabel LabelPainter::printedParts(const LabelDescription &label, int dotsPerMm)
{
    const double k = scaleOf(label, dotsPerMm);
    const Layout lay = layoutLabel(label, k);
    PrintedLabel out;
    out.widthDots = int(std::ceil(lay.size.width() - 1e-6));
    out.lengthDots = int(std::ceil(lay.size.height() - 1e-6));
    for (int i = 0; i < lay.items.size(); ++i) {
        const Item &it = lay.items[i];
        const LabelObject &o = *it.object;
        PrintedPart part;
        part.object = i;
        if (o.isBarcode()) {
            part.kind = PrintedPart::Kind::Bars;
            part.x = int(it.barsRect.left());
            part.y = int(it.barsRect.top());
            part.narrow = scaledModule(o.narrow, k);
            part.wide = scaledModule(o.wide, k);
            part.height = int(std::lround(it.barsRect.height()));
            part.barsWidth = int(std::lround(it.barsRect.width()));
            QPoint at;
            if (it.symbol.ok) {
                Item bars = it;
                bars.object = &o;
                part.picture = itemBitmap(bars, it.barsRect, BarsLayer, &at);
            }
            out.parts << part;
            if (o.readable != LabelObject::Readable::None && it.symbol.ok) {
                PrintedPart line;
                line.object = i;
                line.kind = PrintedPart::Kind::Picture;
                line.picture = itemBitmap(it, it.readableRect, OtherLayer, &at);
                line.x = at.x();
                line.y = at.y();
                if (!line.picture.isNull())
                    out.parts << line;
            }
            continue;
        }
        part.kind = PrintedPart::Kind::Picture;
        QPoint at;
        part.picture = itemBitmap(it, it.bounds, AllLayers, &at);
        part.x = at.x();
        part.y = at.y();
        if (!part.picture.isNull())
            out.parts << part;
    }
    return out;
}
