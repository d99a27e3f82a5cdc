// SPDX-License-Identifier: GPL-3.0-or-later
#include "scancheck.h"

#include "common/textutil.h"
#include "render/labelpainter.h"
#include "render/zbarreader.h"

#include <QImage>

#include <cmath>

namespace {

using Symbology = LabelObject::Symbology;
using Cause = ScanResult::Cause;
using Finding = ScanResult::Finding;

constexpr int Dark = 128; // grey levels below are ink
constexpr int Margin = 4; // dots read around a barcode beyond its quiet zones
constexpr double MinHeightShare = 0.15;

QString millimetres(int dots, int dotsPerMm)
{
    const int d = qMax(1, dotsPerMm);
    return QString::number(dots / double(d), 'f', dots % d == 0 ? 0 : 1) + QStringLiteral("mm");
}

// UPC-E (number system and six digits) written out as the UPC-A it stands for (11 digits
// without the check digit).
QString upcEToA(const QString &e)
{
    const QString ns = e.left(1);
    const QString d = e.mid(1, 6);
    switch (d[5].unicode()) {
    case '0':
    case '1':
    case '2':
        return ns + d.left(2) + d[5] + QStringLiteral("0000") + d.mid(2, 3);
    case '3':
        return ns + d.left(3) + QStringLiteral("00000") + d.mid(3, 2);
    case '4':
        return ns + d.left(4) + QStringLiteral("00000") + d[4];
    default:
        return ns + d.left(5) + QStringLiteral("0000") + d[5];
    }
}

bool family(Symbology s)
{
    return s == Symbology::Ean13 || s == Symbology::UpcA;
}

// A scanner's answer in the form expected for the job: UPC-A as the EAN-13 it is, GS1-128
// without field separators.
QString comparable(Symbology s, const QString &data)
{
    if (family(s) && data.size() == 12)
        return QLatin1Char('0') + data;
    if (s == Symbology::Ean128 || s == Symbology::Code128) {
        QString d = data;
        d.remove(QChar(0x1D));
        return d;
    }
    return data;
}

bool sameSymbology(Symbology job, Symbology read)
{
    if (family(job))
        return family(read);
    return job == read;
}

QString koreanName(const LabelObject &o)
{
    return o.isBarcode() ? QStringLiteral("바코드 \"%1\"").arg(o.data)
                         : QStringLiteral("텍스트 \"%1\"").arg(o.data);
}

QString englishName(const LabelObject &o)
{
    return o.isBarcode() ? QStringLiteral("barcode '%1'").arg(o.data)
                         : QStringLiteral("text '%1'").arg(o.data);
}

// The object other than `self` whose extent holds the dot (x, y); -1 when none.
int objectAt(const QList<LabelPainter::Placement> &places, int self, int x, int y)
{
    const QPointF p(x + 0.5, y + 0.5);
    for (int i = 0; i < places.size(); ++i) {
        if (i != self && places[i].bounds.contains(p))
            return i;
    }
    return -1;
}

class Checker {
public:
    explicit Checker(const LabelDescription &label) : m_label(label)
    {
        // Turning the label by 180 degrees changes nothing a scanner sees.
        m_label.reversed = false;
        m_places = LabelPainter::placements(m_label);
        const QSizeF size = LabelPainter::labelSize(m_label);
        m_area =
            QRect(0, 0, int(std::ceil(size.width() - 1e-6)), int(std::ceil(size.height() - 1e-6)));
    }

    ScanResult check(int index)
    {
        const LabelObject &o = m_label.objects[index];
        const LabelPainter::Placement &place = m_places[index];
        ScanResult r;
        r.object = index;
        r.symbology = o.symbology;
        r.data = o.data;
        r.expected = ScanCheck::expectedData(o.symbology, o.data);
        if (!place.symbol.ok) {
            Finding f;
            f.cause = Cause::Unencodable;
            f.detail = place.symbol.error;
            f.englishDetail = place.symbol.englishError;
            r.findings << f;
            r.verdict = ScanResult::Verdict::NoScan;
            return r;
        }

        const QRect bars = place.bars.toRect();
        // The limits are millimetres; the label's dots may be finer than the stations'.
        const int dpmm = qMax(1, m_label.dotsPerMm);
        const int minNarrow =
            (ScanCheck::MinNarrowDots * dpmm + LabelDescription::StationDotsPerMm - 1) /
            LabelDescription::StationDotsPerMm;
        if (o.narrow < minNarrow)
            r.findings << Finding{Cause::NarrowBars, o.narrow, minNarrow};
        const int minHeight =
            qMax(ScanCheck::MinHeightDots * dpmm / LabelDescription::StationDotsPerMm,
                 int(std::ceil(bars.width() * MinHeightShare - 1e-9)));
        if (bars.height() < minHeight)
            r.findings << Finding{Cause::ShortBars, bars.height(), minHeight};
        if (!m_area.contains(bars))
            r.findings << Finding{Cause::OutsideLabel};
        const int left = ScanCheck::quietZoneModules(o.symbology, false) * o.narrow;
        const int right = ScanCheck::quietZoneModules(o.symbology, true) * o.narrow;
        // Only the barcode with its quiet zones is drawn (labels may be metres long).
        m_part = bars.adjusted(-left - Margin, -Margin, right + Margin, Margin).intersected(m_area);
        m_print = m_part.isEmpty() ? QImage() : LabelPainter::renderPrinted(m_label, m_part);
        quietZone(r, index, bars, false, left);
        quietZone(r, index, bars, true, right);
        overprint(r, index, bars, place.symbol);

        if (!ZbarReader::reads(o.symbology, r.expected)) {
            r.verdict = r.findings.isEmpty() ? ScanResult::Verdict::NotChecked
                                             : ScanResult::Verdict::NoScan;
            return r;
        }
        const ZbarReader::Symbol *found = nullptr;
        QList<ZbarReader::Symbol> symbols;
        if (!m_print.isNull())
            symbols = m_reader.read(m_print);
        for (const ZbarReader::Symbol &s : std::as_const(symbols)) {
            // Only what was read across these bars (a neighbour may reach into the picture).
            const QRect at = s.where.translated(m_part.topLeft());
            if (at.right() < bars.left() || at.left() > bars.right() || at.bottom() < bars.top() ||
                at.top() > bars.bottom())
                continue;
            if (!found || matches(r, s))
                found = &s;
        }
        if (found) {
            r.read = found->data;
            r.readSymbology = found->symbology;
            if (!matches(r, *found))
                r.verdict = ScanResult::Verdict::OtherData;
            else
                r.verdict =
                    r.findings.isEmpty() ? ScanResult::Verdict::Scans : ScanResult::Verdict::NoScan;
            return r;
        }
        if (r.findings.isEmpty())
            r.findings << Finding{Cause::Unread};
        r.verdict = ScanResult::Verdict::NoScan;
        return r;
    }

private:
    static bool matches(const ScanResult &r, const ZbarReader::Symbol &s)
    {
        return sameSymbology(r.symbology, s.symbology) &&
               comparable(s.symbology, s.data) == comparable(r.symbology, r.expected);
    }

    // Ink at the label's dot (x, y), which lies in the part drawn.
    bool dark(int x, int y) const
    {
        const QRgb *row = reinterpret_cast<const QRgb *>(m_print.constScanLine(y - m_part.top()));
        return qGray(row[x - m_part.left()]) < Dark;
    }

    void addOther(Finding &f, int other) const
    {
        f.other = other;
        if (other >= 0) {
            f.otherName = koreanName(m_label.objects[other]);
            f.otherEnglish = englishName(m_label.objects[other]);
        }
    }

    // The white run beside the bars on every row they print on; the narrowest counts.
    void quietZone(ScanResult &r, int index, const QRect &bars, bool rightSide, int needed)
    {
        if (m_print.isNull())
            return;
        const int top = qMax(bars.top(), m_area.top());
        const int bottom = qMin(bars.bottom(), m_area.bottom());
        const int step = rightSide ? 1 : -1;
        const int start = rightSide ? bars.right() + 1 : bars.left() - 1;
        int narrowest = needed, culprit = -1;
        bool edge = false;
        for (int y = top; y <= bottom && narrowest > 0; ++y) {
            int run = 0;
            int x = start;
            while (run < narrowest) {
                if (x < m_area.left() || x > m_area.right()) {
                    edge = true;
                    culprit = -1;
                    narrowest = run;
                    break;
                }
                if (dark(x, y)) {
                    edge = false;
                    culprit = objectAt(m_places, index, x, y);
                    narrowest = run;
                    break;
                }
                ++run;
                x += step;
            }
        }
        if (narrowest >= needed)
            return;
        Finding f{Cause::QuietZone, narrowest, needed, rightSide, edge};
        if (!edge)
            addOther(f, culprit);
        r.findings << f;
    }

    // Ink where a space should be or white where a bar should be: something printed over
    // the bars.
    void overprint(ScanResult &r, int index, const QRect &bars, const BarcodeSymbol &symbol)
    {
        const QRect inside = bars.intersected(m_part);
        if (inside.isEmpty() || m_print.isNull())
            return;
        QList<bool> barAt(bars.width(), false);
        for (const BarcodeSymbol::Bar &b : symbol.bars)
            for (int x = b.x; x < b.x + b.width && x < bars.width(); ++x)
                barAt[x] = true;
        QList<int> others;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (dark(x, y) == barAt[x - bars.left()])
                    continue;
                const int other = objectAt(m_places, index, x, y);
                if (!others.contains(other))
                    others << other;
            }
        }
        for (int other : std::as_const(others)) {
            Finding f{Cause::Overlap};
            addOther(f, other);
            r.findings << f;
        }
    }

    LabelDescription m_label;
    QList<LabelPainter::Placement> m_places;
    QRect m_area;   // the label, dots
    QRect m_part;   // the part around the barcode being checked, dots
    QImage m_print; // that part as printed, RGB32
    ZbarReader m_reader;
};

QString findingKorean(const Finding &f)
{
    switch (f.cause) {
    case Cause::Unencodable:
        return f.detail;
    case Cause::NarrowBars:
        return QStringLiteral("좁은 바 %1도트 (%2도트 이상이어야 합니다)")
            .arg(f.dots)
            .arg(f.needed);
    case Cause::ShortBars:
        return QStringLiteral("바 높이 %1 (%2 이상이어야 합니다)")
            .arg(millimetres(f.dots, f.dotsPerMm), millimetres(f.needed, f.dotsPerMm));
    case Cause::QuietZone:
        return QStringLiteral("%1 여백 %2, %3 (%4 이상이어야 합니다)")
            .arg(f.right ? QStringLiteral("오른쪽") : QStringLiteral("왼쪽"), millimetres(f.dots, f.dotsPerMm),
                 f.edge         ? QStringLiteral("라벨 끝에서 잘림")
                 : f.other >= 0 ? f.otherName + QStringLiteral("에 막힘")
                                : QStringLiteral("다른 인쇄에 막힘"),
                 millimetres(f.needed, f.dotsPerMm));
    case Cause::Overlap:
        return f.other >= 0 ? f.otherName + QStringLiteral("이(가) 바 위에 겹칩니다")
                            : QStringLiteral("다른 인쇄가 바 위에 겹칩니다");
    case Cause::OutsideLabel:
        return QStringLiteral("바가 라벨 밖으로 나갑니다");
    case Cause::Unread:
        return QStringLiteral("판독기가 읽지 못합니다");
    }
    return QString();
}

QString findingEnglish(const Finding &f)
{
    switch (f.cause) {
    case Cause::Unencodable:
        return QStringLiteral("cannot be encoded (%1)").arg(f.englishDetail);
    case Cause::NarrowBars:
        return QStringLiteral("narrow bar %1 dot(s), needs at least %2").arg(f.dots).arg(f.needed);
    case Cause::ShortBars:
        return QStringLiteral("bars %1 high, need at least %2")
            .arg(millimetres(f.dots, f.dotsPerMm), millimetres(f.needed, f.dotsPerMm));
    case Cause::QuietZone:
        return QStringLiteral("%1 quiet zone %2, cut by %3, needs at least %4")
            .arg(f.right ? QStringLiteral("right") : QStringLiteral("left"), millimetres(f.dots, f.dotsPerMm),
                 f.edge         ? QStringLiteral("the label edge")
                 : f.other >= 0 ? f.otherEnglish
                                : QStringLiteral("other print"),
                 millimetres(f.needed, f.dotsPerMm));
    case Cause::Overlap:
        return (f.other >= 0 ? f.otherEnglish : QStringLiteral("other print")) +
               QStringLiteral(" printed over the bars");
    case Cause::OutsideLabel:
        return QStringLiteral("bars run off the label");
    case Cause::Unread:
        return QStringLiteral("the reader finds nothing");
    }
    return QString();
}

} // namespace

QString ScanResult::name() const
{
    return LabelObject::symbologyName(symbology) + QLatin1Char(' ') + data;
}

QString ScanResult::korean() const
{
    QStringList why;
    for (const Finding &f : findings)
        why << findingKorean(f);
    switch (verdict) {
    case Verdict::Scans:
        return QStringLiteral("스캔 확인");
    case Verdict::OtherData:
        return sameSymbology(symbology, readSymbology)
                   ? QStringLiteral("다른 데이터로 읽힘: \"%1\" (보낸 데이터 \"%2\")")
                         .arg(read, data)
                   : QStringLiteral("다른 바코드로 읽힘: %1 \"%2\"")
                         .arg(LabelObject::symbologyName(readSymbology), read);
    case Verdict::NoScan:
        return QStringLiteral("스캔 안 됨: ") + why.join(QStringLiteral(", "));
    case Verdict::NotChecked:
        return QStringLiteral("스캔 확인 못 함: 판독기가 모르는 바코드 종류입니다");
    }
    return QString();
}

QString ScanResult::english() const
{
    QStringList why;
    for (const Finding &f : findings)
        why << findingEnglish(f);
    switch (verdict) {
    case Verdict::Scans:
        return QStringLiteral("scans");
    case Verdict::OtherData:
        return sameSymbology(symbology, readSymbology)
                   ? QStringLiteral("scans with other data: '%1'").arg(read)
                   : QStringLiteral("scans as another symbology: %1 '%2'")
                         .arg(LabelObject::symbologyName(readSymbology), read);
    case Verdict::NoScan:
        return QStringLiteral("does not scan: ") + why.join(QStringLiteral("; "));
    case Verdict::NotChecked:
        return QStringLiteral("not checked: the reader does not know this symbology");
    }
    return QString();
}

QList<ScanResult> ScanCheck::run(const LabelDescription &label)
{
    QList<ScanResult> out;
    bool any = false;
    for (const LabelObject &o : label.objects)
        any = any || o.isBarcode();
    if (!any)
        return out;
    Checker checker(label);
    for (int i = 0; i < label.objects.size(); ++i) {
        if (label.objects[i].isBarcode()) {
            out << checker.check(i);
            for (Finding &f : out.last().findings)
                f.dotsPerMm = label.dotsPerMm;
        }
    }
    return out;
}

QString ScanCheck::expectedData(LabelObject::Symbology symbology, const QString &data)
{
    const qsizetype n = data.size();
    switch (symbology) {
    case Symbology::Ean13:
        return n == 12 ? data + EanCheckDigit(data) : data;
    case Symbology::Ean8:
        return n == 7 ? data + EanCheckDigit(data) : data;
    case Symbology::UpcA:
        return n == 11 ? data + EanCheckDigit(QLatin1Char('0') + data) : data;
    case Symbology::UpcE: {
        if (n != 6 && n != 7)
            return data;
        const QString e = n == 6 ? QLatin1Char('0') + data : data;
        return e + EanCheckDigit(QLatin1Char('0') + upcEToA(e));
    }
    case Symbology::I2of5:
        return n % 2 ? QLatin1Char('0') + data : data;
    case Symbology::Ean128: {
        QString d = data;
        for (QChar c : {QLatin1Char('('), QLatin1Char(')'), QLatin1Char('['), QLatin1Char(']')})
            d.remove(c);
        return d;
    }
    default:
        return data;
    }
}

int ScanCheck::quietZoneModules(LabelObject::Symbology symbology, bool right)
{
    switch (symbology) {
    case Symbology::Ean13:
        return right ? 7 : 11;
    case Symbology::Ean8:
        return 7;
    case Symbology::UpcA:
        return 9;
    case Symbology::UpcE:
        return right ? 7 : 9;
    default:
        return 10;
    }
}
