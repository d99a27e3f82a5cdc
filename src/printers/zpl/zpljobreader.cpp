// SPDX-License-Identifier: GPL-3.0-or-later
#include "zpljobreader.h"

#include "common/cp949codec.h"
#include "model/jobfields.h"
#include "printers/zpl/zplbarcode.h"
#include "printers/zpl/zplgraphic.h"

#include <QRegularExpression>

#include <cmath>

namespace {

using Symbology = LabelObject::Symbology;

struct Command {
    QString name;   // "FO", "GF", ... (upper case)
    QString params; // up to the next caret or tilde
    const JobLine *line = nullptr;
};

// The field being read: from ^FO to ^FS.
struct Field {
    bool open = false;
    int x = 0, y = 0;
    QString barcode; // the barcode command's name ("BC"), "" for none
    QStringList barcodeParams;
    QChar escape;    // ^FH's escape character, null without ^FH
    bool hasData = false;
    QString data;
    bool hasPicture = false;
    MonoBitmap picture;
    QStringList bars; // a "bars,..." comment: symbology key, narrow, wide, data
    const JobLine *line = nullptr;
};

struct Modules {
    int narrow = 2; // ZPL's defaults
    double ratio = 3.0;
    int height = 10;
};

Symbology symbologyOf(const QString &name, const QStringList &p)
{
    if (name == QLatin1String("BC"))
        return p.value(5).trimmed() == QLatin1String("D") ? Symbology::Ean128 : Symbology::Code128;
    if (name == QLatin1String("B3"))
        return Symbology::Code39;
    if (name == QLatin1String("B2"))
        return Symbology::I2of5;
    if (name == QLatin1String("BK"))
        return Symbology::Codabar;
    if (name == QLatin1String("BA"))
        return Symbology::Code93;
    if (name == QLatin1String("BU"))
        return Symbology::UpcA;
    if (name == QLatin1String("BE"))
        return Symbology::Ean13;
    if (name == QLatin1String("B8"))
        return Symbology::Ean8;
    return Symbology::Unknown;
}

// The parameter that holds the height, and the one that asks for a readable line below.
void heightAndLine(const QString &name, int *height, int *line)
{
    if (name == QLatin1String("B3") || name == QLatin1String("BK")) {
        *height = 2;
        *line = 3;
    } else {
        *height = 1;
        *line = 2;
    }
}

QString unescaped(const QString &data, QChar escape, bool *ok)
{
    *ok = true;
    if (escape.isNull())
        return data;
    QByteArray bytes;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == escape) {
            bool hex = false;
            const int v = data.mid(i + 1, 2).toInt(&hex, 16);
            if (!hex || i + 2 >= data.size()) {
                *ok = false;
                return data;
            }
            bytes.append(char(v));
            i += 2;
            continue;
        }
        bytes += Cp949Codec::encode(QString(data[i]));
    }
    return Cp949Codec::decode(bytes);
}

class Reader {
public:
    Reader(LabelDescription &d) : m_d(d) {}

    void command(const Command &c)
    {
        JobFields r(*c.line, &m_d.problems);
        const QString &n = c.name;
        const QStringList p = c.params.split(QLatin1Char(','));
        if (n == QLatin1String("FX")) {
            comment(c);
        } else if (n == QLatin1String("PW")) {
            m_d.widthUnits = m_d.widthDots = r.number(p[0].trimmed(), QStringLiteral("라벨 폭"));
            m_width = true;
        } else if (n == QLatin1String("LL")) {
            m_d.lengthUnits = m_d.lengthDots =
                r.number(p[0].trimmed(), QStringLiteral("라벨 길이"));
            m_length = true;
        } else if (n == QLatin1String("LH")) {
            if (c.params.trimmed() != QLatin1String("0,0"))
                r.unknown(c.params, QStringLiteral("라벨 원점"));
        } else if (n == QLatin1String("MN")) {
            if (c.params == QLatin1String("M"))
                m_d.blackMark = true;
            else if (c.params != QLatin1String("Y"))
                r.unknown(c.params, QStringLiteral("용지 종류"));
        } else if (n == QLatin1String("PO")) {
            if (c.params == QLatin1String("I"))
                m_d.reversed = true;
            else if (c.params != QLatin1String("N"))
                r.unknown(c.params, QStringLiteral("인쇄 방향"));
        } else if (n == QLatin1String("PQ")) {
            m_d.count = r.number(p[0].trimmed(), QStringLiteral("발행 매수"));
            m_counted = true;
        } else if (n == QLatin1String("BY")) {
            m_modules.narrow = r.factor(p[0].trimmed(), QStringLiteral("모듈 폭"));
            if (p.size() > 1 && !p[1].trimmed().isEmpty()) {
                bool ok = false;
                const double ratio = p[1].trimmed().toDouble(&ok);
                if (!ok || ratio < 2.0 || ratio > 3.0)
                    r.unknown(p[1], QStringLiteral("넓은 바 비율"));
                else
                    m_modules.ratio = ratio;
            }
            if (p.size() > 2 && !p[2].trimmed().isEmpty())
                m_modules.height = r.number(p[2].trimmed(), QStringLiteral("바 높이"));
        } else if (n == QLatin1String("FO")) {
            if (m_field.open)
                m_d.problems << JobFields::at(c.line->number) +
                                    QStringLiteral("앞 필드가 ^FS로 끝나지 않았습니다");
            m_field = Field();
            m_field.open = true;
            m_field.line = c.line;
            if (r.fieldCount(p, 2)) {
                m_field.x = r.number(p[0].trimmed(), QStringLiteral("X"));
                m_field.y = r.number(p[1].trimmed(), QStringLiteral("Y"));
            }
        } else if (symbologyOf(n, p) != Symbology::Unknown) {
            if (inField(c)) {
                m_field.barcode = n;
                m_field.barcodeParams = p;
            }
        } else if (n == QLatin1String("FH")) {
            if (inField(c))
                m_field.escape = c.params.isEmpty() ? QLatin1Char('_') : c.params[0];
        } else if (n == QLatin1String("FD")) {
            if (inField(c)) {
                m_field.hasData = true;
                m_field.data = c.params;
            }
        } else if (n == QLatin1String("GF")) {
            if (inField(c)) {
                QString why;
                if (ZplGraphic::decode(c.params, &m_field.picture, &why))
                    m_field.hasPicture = true;
                else
                    m_d.problems << JobFields::at(c.line->number) + why;
            }
        } else if (n == QLatin1String("FS")) {
            if (inField(c))
                endField();
        } else {
            m_d.problems << JobFields::at(c.line->number) +
                                QStringLiteral("알 수 없는 명령입니다: ^%1%2")
                                    .arg(n, c.params.left(40));
        }
    }

    void finish()
    {
        if (m_field.open)
            m_d.problems << QStringLiteral("마지막 필드가 ^FS로 끝나지 않았습니다");
        if (!m_width)
            m_d.problems << QStringLiteral("라벨 폭(^PW)이 없습니다");
        if (!m_length)
            m_d.problems << QStringLiteral("라벨 길이(^LL)가 없습니다");
        if (!m_counted)
            m_d.count = 1; // ZPL prints one label without ^PQ
    }

private:
    bool inField(const Command &c)
    {
        if (m_field.open)
            return true;
        m_d.problems << JobFields::at(c.line->number) +
                            QStringLiteral("^FO 없이 ^%1이(가) 있습니다").arg(c.name);
        return false;
    }

    void comment(const Command &c)
    {
        static const QRegularExpression dpi(QStringLiteral("^\\s*(\\d{3})\\s*dpi\\s*$"));
        const auto m = dpi.match(c.params);
        if (m.hasMatch()) {
            const int dots = qRound(m.captured(1).toInt() / 25.4);
            if (dots >= 6 && dots <= 24) {
                m_d.dotsPerMm = m_d.unitsPerMm = dots;
                return;
            }
        }
        if (c.params.startsWith(QLatin1String("bars,")) && inField(c)) {
            m_field.bars = c.params.mid(5).split(QLatin1Char(','));
            if (m_field.bars.size() > 4) // data may hold commas
                m_field.bars = m_field.bars.mid(0, 3) << m_field.bars.mid(3).join(QLatin1Char(','));
        }
        // Any other comment is the reader's to skip.
    }

    void endField()
    {
        const Field &f = m_field;
        const int line = f.line->number;
        LabelObject o;
        o.x = o.xUnits = f.x;
        o.y = o.yUnits = f.y;
        o.line = line;
        o.source = f.line->text;
        if (!f.barcode.isEmpty()) {
            o.kind = LabelObject::Kind::Barcode;
            o.symbology = symbologyOf(f.barcode, f.barcodeParams);
            JobFields r(*f.line, &m_d.problems);
            int hi = 0, li = 0;
            heightAndLine(f.barcode, &hi, &li);
            const QString h = f.barcodeParams.value(hi).trimmed();
            o.height = o.heightUnits = h.isEmpty() ? m_modules.height
                                                   : r.number(h, QStringLiteral("바 높이"));
            if (f.barcodeParams.value(li).trimmed() == QLatin1String("Y"))
                o.readable = f.barcodeParams.value(li + 1).trimmed() == QLatin1String("Y")
                                 ? LabelObject::Readable::Above
                                 : LabelObject::Readable::Below;
            o.narrow = m_modules.narrow;
            o.wide = ZplBarcode::twoWidth(o.symbology)
                         ? int(std::lround(m_modules.narrow * m_modules.ratio))
                         : 0;
            bool ok = true;
            o.data = unescaped(f.data, f.escape, &ok);
            if (!ok)
                m_d.problems << JobFields::at(line) +
                                    QStringLiteral("^FH 이스케이프가 잘못되었습니다: %1").arg(f.data);
            if (o.symbology == Symbology::Codabar)
                o.data = f.barcodeParams.value(5, QStringLiteral("A")).trimmed() + o.data +
                         f.barcodeParams.value(6, QStringLiteral("A")).trimmed();
            if (!f.hasData)
                m_d.problems << JobFields::at(line) + QStringLiteral("바코드에 데이터(^FD)가 없습니다");
            else
                m_d.objects << o;
        } else if (f.hasPicture) {
            int left, top, right, bottom;
            f.picture.blackBounds(&left, &top, &right, &bottom);
            // The picture's white margin on the right and below is only the rows' padding.
            const MonoBitmap picture =
                right < 0 ? MonoBitmap()
                          : f.picture.cropped(0, 0, right + 1, bottom + 1);
            if (!f.bars.isEmpty()) {
                o.kind = LabelObject::Kind::Barcode;
                JobFields r(*f.line, &m_d.problems);
                if (r.fieldCount(f.bars, 4)) {
                    o.symbology = ZplBarcode::ofKey(f.bars[0]);
                    if (o.symbology == Symbology::Unknown)
                        r.unknown(f.bars[0], QStringLiteral("바코드 종류"));
                    o.narrow = r.factor(f.bars[1], QStringLiteral("좁은 바 폭"));
                    o.wide = r.factor(f.bars[2], QStringLiteral("넓은 바 폭"));
                    o.data = f.bars[3].startsWith(QLatin1String("hex:"))
                                 ? QString::fromUtf8(QByteArray::fromHex(f.bars[3].mid(4).toLatin1()))
                                 : f.bars[3];
                    o.barsPicture = picture;
                    o.height = o.heightUnits = picture.height();
                    if (r.ok() && !picture.isNull())
                        m_d.objects << o;
                }
            } else if (!picture.isNull()) {
                o.kind = LabelObject::Kind::Picture;
                o.picture = picture;
                m_d.objects << o;
            }
        } else if (!f.hasData) {
            m_d.problems << JobFields::at(line) + QStringLiteral("필드에 내용이 없습니다");
        } else {
            m_d.problems << JobFields::at(line) +
                                QStringLiteral("글꼴 문자는 읽지 못합니다 (이 프로그램은 글자를 "
                                               "그림으로 보냅니다): %1")
                                    .arg(f.data);
        }
        m_field = Field();
    }

    LabelDescription &m_d;
    Field m_field;
    Modules m_modules;
    bool m_width = false, m_length = false, m_counted = false;
};

} // namespace

LabelDescription ZplJobReader::read(const QList<JobLine> &lines, int *i,
                                    const PrinterLanguage::JobStart &otherJob)
{
    LabelDescription d;
    d.language = QStringLiteral("zpl");
    d.dotsPerMm = d.unitsPerMm = LabelDescription::StationDotsPerMm;
    d.firstLine = lines[*i].number;
    Reader reader(d);
    const int start = *i;
    bool ended = false;
    for (; *i < lines.size() && !ended; ++*i) {
        const JobLine &line = lines[*i];
        const QString &t = line.text;
        if (t.isEmpty())
            continue;
        if (*i > start && (otherJob(t) || t.startsWith(QLatin1String("^XA"))))
            break; // the next job begins before this one ended
        d.lastLine = line.number;
        // Commands begin with a caret or a tilde; our field data holds neither (^FH escapes).
        qsizetype pos = 0;
        while (pos < t.size() && t[pos] != QLatin1Char('^') && t[pos] != QLatin1Char('~'))
            ++pos;
        if (pos > 0)
            d.problems << JobFields::at(line.number) +
                              QStringLiteral("명령이 아닌 내용입니다: %1").arg(t.left(pos));
        bool first = *i == start;
        while (pos < t.size()) {
            qsizetype next = pos + 1;
            while (next < t.size() && t[next] != QLatin1Char('^') && t[next] != QLatin1Char('~'))
                ++next;
            Command c;
            c.name = t.mid(pos + 1, 2).toUpper();
            c.params = t.mid(pos + 3, next - pos - 3);
            c.line = &line;
            pos = next;
            if (first) {
                first = false;
                continue; // ^XA
            }
            if (c.name == QLatin1String("XZ")) {
                ended = true;
                if (pos < t.size())
                    d.problems << JobFields::at(line.number) +
                                      QStringLiteral("^XZ 뒤에 내용이 있습니다");
                break;
            }
            if (c.name == QLatin1String("XA")) {
                d.problems << JobFields::at(line.number) + QStringLiteral("^XA가 두 번 있습니다");
                continue;
            }
            reader.command(c);
        }
    }
    if (!ended)
        d.problems << QStringLiteral("작업이 ^XZ로 끝나지 않습니다");
    reader.finish();
    return d;
}
