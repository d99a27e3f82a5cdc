#include "labelpainter.h"

#include "common/cp949codec.h"
#include "render/barcodesymbol.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double DotsPerInch = 203.2; // 8 dots per mm
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
    QRectF bounds; // dots, label coordinates
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
    if (o.isBarcode())
        return QStringLiteral("바코드 %1 \"%2\"")
            .arg(LabelObject::symbologyName(o.symbology), o.data);
    return QStringLiteral("텍스트 \"%1\"").arg(o.data);
}

Item layoutBarcode(const LabelObject &o)
{
    Item it;
    it.object = &o;
    it.symbol = BarcodeSymbol::make(o.symbology, o.data, o.narrow, o.wide);
    const bool readable = o.readable != LabelObject::Readable::None;
    const int rh = readable ? readableHeight(o) + ReadableGap : 0;
    double width = it.symbol.width;
    if (!it.symbol.ok) {
        it.unencodable = true;
        // Room for the mark: about what the data would need.
        width = qMax(40.0, double(o.data.size()) * 11 * qMax(1, o.narrow));
    }
    const double barsTop = o.y + (o.readable == LabelObject::Readable::Above ? rh : 0);
    it.barsRect = QRectF(o.x, barsTop, width, o.height);
    if (o.readable == LabelObject::Readable::Above)
        it.readableRect = QRectF(o.x, o.y, width, rh - ReadableGap);
    else if (o.readable == LabelObject::Readable::Below)
        it.readableRect = QRectF(o.x, barsTop + o.height + ReadableGap, width, rh - ReadableGap);
    it.bounds = QRectF(o.x, o.y, width, o.height + rh);
    return it;
}

Item layoutText(const LabelObject &o)
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
    it.bounds = QRectF(o.x, o.y, width, ch * ym);
    return it;
}

Layout layoutLabel(const LabelDescription &label)
{
    Layout lay;
    for (const LabelObject &o : label.objects)
        lay.items << (o.isBarcode() ? layoutBarcode(o) : layoutText(o));

    // The label's extent; a missing size is replaced by what the objects need.
    QRectF all;
    for (const Item &it : lay.items)
        all = all.united(it.bounds);
    double w = label.widthDots, l = label.lengthDots;
    if (w <= 0) {
        lay.widthMissing = true;
        w = qMax(80.0, all.right() + 8);
        lay.problems << QStringLiteral("라벨 폭이 0입니다");
    }
    if (l <= 0) {
        lay.lengthMissing = true;
        l = qMax(80.0, all.bottom() + 8);
        lay.problems << QStringLiteral("라벨 길이가 0입니다");
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

void drawBarcode(QPainter &p, const Item &it, bool marks)
{
    const LabelObject &o = *it.object;
    if (it.unencodable) {
        if (marks)
            drawMark(p, it.bounds, true);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const BarcodeSymbol::Bar &b : it.symbol.bars)
        p.fillRect(QRectF(it.barsRect.left() + b.x, it.barsRect.top(), b.width, o.height),
                   Qt::black);
    if (o.readable != LabelObject::Readable::None && !it.symbol.readable.isEmpty()) {
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

// `marks`: the outline and the red marks of the screen and the PDF; a picture of the print
// leaves them out.
void paintLayout(QPainter &p, const LabelDescription &label, const Layout &lay,
                 const QRectF &target, bool marks = true)
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
    if (label.reversed) {
        p.translate(size.width(), size.height());
        p.rotate(180);
    }
    for (const Item &it : lay.items) {
        if (it.object->isBarcode())
            drawBarcode(p, it, marks);
        else
            drawText(p, it, marks);
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

double LabelPainter::pixelsPerDot(double dpi)
{
    const double s = dpi / DotsPerInch;
    const double whole = std::round(s);
    return whole >= 1 && std::abs(s - whole) < 0.01 * whole ? whole : s;
}

QSizeF LabelPainter::labelSize(const LabelDescription &label)
{
    return layoutLabel(label).size;
}

namespace {

QSize pixelsOf(const QSizeF &dots, double dpi, QString *problem)
{
    const double s = LabelPainter::pixelsPerDot(dpi > 0 && std::isfinite(dpi) ? dpi : DotsPerInch);
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

} // namespace

QSize LabelPainter::pictureSize(const LabelDescription &label, double dpi, QString *problem)
{
    return pixelsOf(layoutLabel(label).size, dpi, problem);
}

QImage LabelPainter::render(const LabelDescription &label, double dpi, QStringList *problems)
{
    const Layout lay = layoutLabel(label);
    const double s = pixelsPerDot(dpi > 0 ? dpi : DotsPerInch);
    QString tooLarge;
    const QSize px = pixelsOf(lay.size, dpi, &tooLarge);
    if (px.isEmpty()) {
        if (problems)
            *problems << label.problems << lay.problems << tooLarge;
        return {};
    }
    QImage image(px, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dpm = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    QPainter p(&image);
    paintLayout(p, label, lay, QRectF(0, 0, lay.size.width() * s, lay.size.height() * s));
    p.end();
    if (problems)
        *problems << label.problems << lay.problems;
    return image;
}

QList<LabelPainter::Placement> LabelPainter::placements(const LabelDescription &label)
{
    const Layout lay = layoutLabel(label);
    QList<Placement> out;
    out.reserve(lay.items.size());
    for (const Item &it : lay.items)
        out << Placement{it.bounds, it.barsRect, it.readableRect, it.symbol};
    return out;
}

QImage LabelPainter::renderPrinted(const LabelDescription &label, const QRect &area)
{
    const Layout lay = layoutLabel(label);
    const QRect whole(0, 0, qMax(1, int(std::ceil(lay.size.width() - 1e-6))),
                      qMax(1, int(std::ceil(lay.size.height() - 1e-6))));
    const QRect part = area.isNull() ? whole : area;
    if (part.isEmpty())
        return QImage();
    QImage image(part.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-part.topLeft());
    paintLayout(p, label, lay, QRectF(0, 0, lay.size.width(), lay.size.height()), false);
    p.end();
    return image;
}
