#include "labeljobreader.h"

#include <QHash>

namespace {

using Symbology = LabelObject::Symbology;

struct Line {
    int number = 0; // 1-based
    QString text;   // trimmed
};

QList<Line> splitLines(const QString &text)
{
    QList<Line> out;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (int i = 0; i < raw.size(); ++i)
        out << Line{i + 1, raw[i].trimmed()};
    // A final line ending leaves one empty piece that is no line of the text.
    if (!out.isEmpty() && out.last().text.isEmpty() && text.endsWith(QLatin1Char('\n')))
        out.removeLast();
    return out;
}

QString at(int line)
{
    return QStringLiteral("%1행: ").arg(line);
}

// A plain decimal number: digits only, at most nine of them.
bool number(const QString &text, int *value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            return false;
    }
    *value = text.toInt();
    return true;
}

// The largest number a field is read with: sizes and positions (dots or tenths of a
// millimetre, 12 m and more) and counts; magnifications and bar widths. A larger number is a
// problem and reads as the largest, so that nothing later computes with absurd values.
constexpr int MaxValue = 99999;
constexpr int MaxFactor = 99;

// Tenths of a millimetre to the nearest printer dot (8 dots per mm).
int tenthsToDots(int tenths)
{
    return int((qint64(tenths) * 4 + 2) / 5);
}

// Reads the numbered fields of a line; every failure is one problem naming the field.
class FieldReader {
public:
    FieldReader(const Line &line, QStringList *problems) : m_line(line), m_problems(problems) {}

    int number(const QString &field, const QString &name, int max = MaxValue)
    {
        int v = 0;
        if (!::number(field, &v)) {
            m_problems->append(at(m_line.number) +
                               QStringLiteral("%1이(가) 숫자가 아닙니다 (\"%2\"): %3")
                                   .arg(name, field, m_line.text));
            m_ok = false;
        } else if (v > max) {
            m_problems->append(at(m_line.number) +
                               QStringLiteral("%1 %2이(가) 너무 큽니다 (최대 %3): %4")
                                   .arg(name, field)
                                   .arg(max)
                                   .arg(m_line.text));
            m_ok = false;
            v = max;
        }
        return v;
    }
    int factor(const QString &field, const QString &name) { return number(field, name, MaxFactor); }
    // A field this program always writes with the same value (its meaning is the
    // printer's); `index` is 0-based in `fields`.
    void constant(const QStringList &fields, int index, const QString &expected)
    {
        if (fields[index] == expected)
            return;
        m_problems->append(at(m_line.number) +
                           QStringLiteral("%1번째 항목 \"%2\"을(를) 알 수 없습니다 (이 프로그램은 "
                                          "\"%3\"을(를) 보냅니다): %4")
                               .arg(index + 1)
                               .arg(fields[index], expected, m_line.text));
        m_ok = false;
    }
    void unknown(const QString &field, const QString &name)
    {
        m_problems->append(
            at(m_line.number) +
            QStringLiteral("알 수 없는 %1 \"%2\": %3").arg(name, field, m_line.text));
        m_ok = false;
    }
    bool fieldCount(const QStringList &fields, int expected)
    {
        if (fields.size() == expected)
            return true;
        m_problems->append(at(m_line.number) +
                           QStringLiteral("항목 수가 %1개입니다 (%2개여야 합니다): %3")
                               .arg(fields.size())
                               .arg(expected)
                               .arg(m_line.text));
        m_ok = false;
        return false;
    }
    bool ok() const { return m_ok; }

private:
    const Line &m_line;
    QStringList *m_problems;
    bool m_ok = true;
};

// ---------------------------------------------------------------------------------------
// SRP-770

// "fields,'data'": the comma-separated fields before the quoted data.
bool splitQuoted(const Line &line, int skip, QStringList *fields, QString *data,
                 QStringList *problems)
{
    const QString &t = line.text;
    const qsizetype open = t.indexOf(QLatin1Char('\''), skip);
    if (open < 0 || t.size() < open + 2 || !t.endsWith(QLatin1Char('\'')) || open == 0 ||
        t[open - 1] != QLatin1Char(',')) {
        problems->append(at(line.number) +
                         QStringLiteral("데이터가 작은따옴표로 묶여 있지 않습니다: %1").arg(t));
        return false;
    }
    *fields = t.mid(skip, open - 1 - skip).split(QLatin1Char(','));
    *data = t.mid(open + 1, t.size() - open - 2);
    return true;
}

void readSrpBarcode(const Line &line, LabelDescription &d)
{
    QStringList f;
    LabelObject o;
    if (!splitQuoted(line, 2, &f, &o.data, &d.problems))
        return;
    FieldReader r(line, &d.problems);
    if (!r.fieldCount(f, 8))
        return;
    o.kind = LabelObject::Kind::Barcode;
    o.xUnits = o.x = r.number(f[0], QStringLiteral("X"));
    o.yUnits = o.y = r.number(f[1], QStringLiteral("Y"));
    o.symbologyCode = r.number(f[2], QStringLiteral("바코드 종류"));
    o.narrow = r.factor(f[3], QStringLiteral("좁은 바 폭"));
    o.wide = r.factor(f[4], QStringLiteral("넓은 바 폭"));
    o.heightUnits = o.height = r.number(f[5], QStringLiteral("높이"));
    r.constant(f, 6, QStringLiteral("0"));
    if (f[7] == QLatin1String("1"))
        o.readable = LabelObject::Readable::Below;
    else if (f[7] != QLatin1String("0"))
        r.unknown(f[7], QStringLiteral("바코드 번호 위치"));
    if (!r.ok())
        return;
    o.symbology = LabelJobReader::srp770Symbology(o.symbologyCode);
    if (o.symbology == Symbology::Unknown) {
        r.unknown(f[2], QStringLiteral("바코드 종류"));
        return;
    }
    o.line = line.number;
    o.source = line.text;
    d.objects << o;
}

void readSrpText(const Line &line, LabelDescription &d)
{
    QStringList f;
    LabelObject o;
    if (!splitQuoted(line, 1, &f, &o.data, &d.problems))
        return;
    FieldReader r(line, &d.problems);
    if (!r.fieldCount(f, 9))
        return;
    o.kind = LabelObject::Kind::Text;
    o.xUnits = o.x = r.number(f[0], QStringLiteral("X"));
    o.yUnits = o.y = r.number(f[1], QStringLiteral("Y"));
    o.font = f[2];
    if (!LabelJobReader::srp770Font(f[2], &o.cellWidth, &o.cellHeight, &o.koreanFont))
        r.unknown(f[2], QStringLiteral("폰트"));
    o.xMagnification = r.factor(f[3], QStringLiteral("가로 배율"));
    o.yMagnification = r.factor(f[4], QStringLiteral("세로 배율"));
    r.constant(f, 5, QStringLiteral("0"));
    r.constant(f, 6, QStringLiteral("0"));
    if (f[7] == QLatin1String("R"))
        o.reverse = true;
    else if (f[7] != QLatin1String("N"))
        r.unknown(f[7], QStringLiteral("음각 표시"));
    if (f[8] == QLatin1String("B"))
        o.bold = true;
    else if (f[8] != QLatin1String("N"))
        r.unknown(f[8], QStringLiteral("굵게 표시"));
    if (!r.ok())
        return;
    o.line = line.number;
    o.source = line.text;
    d.objects << o;
}

// Reads one SRP-770 job from lines[*i]; stops after its P line or before the next job.
LabelDescription readSrp770(const QList<Line> &lines, int *i)
{
    LabelDescription d;
    d.model = PrinterModel::SRP770;
    bool started = false, width = false, length = false, printed = false;
    d.firstLine = lines[*i].number;
    for (; *i < lines.size(); ++*i) {
        const Line &line = lines[*i];
        const QString &t = line.text;
        if (t.isEmpty())
            continue;
        if (t.startsWith(QLatin1Char('{')))
            break; // an AL-300 job follows
        if (t == QLatin1String("CB")) {
            if (started)
                break; // the next job begins
            started = true;
            d.lastLine = line.number;
            continue;
        }
        if (!started) {
            d.problems << at(line.number) + QStringLiteral("작업이 CB로 시작하지 않습니다");
            started = true;
        }
        d.lastLine = line.number;
        FieldReader r(line, &d.problems);
        if (t.startsWith(QLatin1String("SS"))) {
            d.speed = r.number(t.mid(2), QStringLiteral("속도"));
        } else if (t.startsWith(QLatin1String("SD"))) {
            d.density = r.number(t.mid(2), QStringLiteral("농도"));
        } else if (t.startsWith(QLatin1String("SW"))) {
            d.widthUnits = d.widthDots = r.number(t.mid(2), QStringLiteral("라벨 폭"));
            width = true;
        } else if (t.startsWith(QLatin1String("SL"))) {
            const QStringList f = t.mid(2).split(QLatin1Char(','));
            if (r.fieldCount(f, 3)) {
                d.lengthUnits = d.lengthDots = r.number(f[0], QStringLiteral("라벨 길이"));
                d.gapDots = r.number(f[1], QStringLiteral("간격"));
                if (f[2] == QLatin1String("B"))
                    d.blackMark = true;
                else if (f[2] != QLatin1String("G"))
                    r.unknown(f[2], QStringLiteral("용지 종류"));
            }
            length = true;
        } else if (t.startsWith(QLatin1String("SO"))) {
            if (t == QLatin1String("SOB"))
                d.reversed = true;
            else if (t != QLatin1String("SOT"))
                r.unknown(t.mid(2), QStringLiteral("인쇄 방향"));
        } else if (t.startsWith(QLatin1String("B1"))) {
            readSrpBarcode(line, d);
        } else if (t.startsWith(QLatin1Char('T'))) {
            readSrpText(line, d);
        } else if (t.startsWith(QLatin1Char('P'))) {
            d.count = r.number(t.mid(1), QStringLiteral("발행 매수"));
            printed = true;
            ++*i;
            break;
        } else {
            d.problems << at(line.number) + QStringLiteral("알 수 없는 명령입니다: %1").arg(t);
        }
    }
    if (!width)
        d.problems << QStringLiteral("라벨 폭(SW)이 없습니다");
    if (!length)
        d.problems << QStringLiteral("라벨 길이(SL)가 없습니다");
    if (!printed)
        d.problems << QStringLiteral("발행 매수(P)가 없습니다");
    return d;
}

// ---------------------------------------------------------------------------------------
// AL-300

// "{X...|" opening record: the comma fields before ";" and the name after it.
bool openingFields(const Line &line, QStringList *fields, QString *name, QStringList *problems)
{
    QString t = line.text;
    if (!t.endsWith(QLatin1Char('|'))) {
        problems->append(at(line.number) +
                         QStringLiteral("레코드가 |로 끝나지 않습니다: %1").arg(t));
        return false;
    }
    t.chop(1);
    const qsizetype semi = t.indexOf(QLatin1Char(';'));
    if (semi < 0) {
        problems->append(at(line.number) + QStringLiteral("이름(;)이 없습니다: %1").arg(line.text));
        return false;
    }
    *fields = t.mid(1, semi - 1).split(QLatin1Char(','));
    *name = t.mid(semi + 1);
    return true;
}

struct Al300Object {
    LabelObject object;
    QString key; // "B01", "T02"
};

// The fields every object line of the format part starts with: ",I,000,Y,X" (tenths of a
// millimetre).
void readAlPosition(FieldReader &r, const QStringList &f, LabelObject *o)
{
    r.constant(f, 1, QStringLiteral("I"));
    r.constant(f, 2, QStringLiteral("000"));
    o->yUnits = r.number(f[3], QStringLiteral("Y"));
    o->xUnits = r.number(f[4], QStringLiteral("X"));
}

// Places a read object in dots and keeps it under its key ("B01", "T02").
void placeAlObject(const Line &line, const QStringList &f, LabelObject o,
                   QList<Al300Object> &objects)
{
    o.x = tenthsToDots(o.xUnits);
    o.y = tenthsToDots(o.yUnits);
    o.line = line.number;
    o.source = line.text;
    objects << Al300Object{o, f[0]};
}

void readAlBarcode(const Line &line, const QStringList &f, QList<Al300Object> &objects,
                   QStringList &problems)
{
    FieldReader r(line, &problems);
    if (!r.fieldCount(f, 10))
        return;
    LabelObject o;
    o.kind = LabelObject::Kind::Barcode;
    readAlPosition(r, f, &o);
    const QString ratio = f[5];
    if (ratio == QLatin1String("A"))
        o.ratio = 10;
    else
        o.ratio = r.factor(ratio, QStringLiteral("비율"));
    o.symbologyCode = r.number(f[6], QStringLiteral("바코드 종류"));
    r.constant(f, 7, QStringLiteral("0"));
    o.heightUnits = r.number(f[8], QStringLiteral("높이"));
    const int hri = r.number(f[9], QStringLiteral("바코드 번호 위치"));
    if (!r.ok())
        return;
    if (hri > 2) {
        r.unknown(f[9], QStringLiteral("바코드 번호 위치"));
        return;
    }
    o.readable = hri == 1   ? LabelObject::Readable::Above
                 : hri == 2 ? LabelObject::Readable::Below
                            : LabelObject::Readable::None;
    o.symbology = LabelJobReader::al300Symbology(o.symbologyCode);
    if (o.symbology == Symbology::Unknown) {
        r.unknown(f[6], QStringLiteral("바코드 종류"));
        return;
    }
    if (!LabelJobReader::al300Ratio(o.ratio, &o.narrow, &o.wide)) {
        r.unknown(ratio, QStringLiteral("비율"));
        return;
    }
    o.height = tenthsToDots(o.heightUnits);
    placeAlObject(line, f, o, objects);
}

void readAlText(const Line &line, const QStringList &f, QList<Al300Object> &objects,
                QStringList &problems)
{
    FieldReader r(line, &problems);
    if (!r.fieldCount(f, 12))
        return;
    LabelObject o;
    o.kind = LabelObject::Kind::Text;
    readAlPosition(r, f, &o);
    // Magnification "0Y0X": vertical then horizontal, each one digit after a "0".
    const QString size = f[5];
    if (size.size() == 4 && size[0] == QLatin1Char('0') && size[2] == QLatin1Char('0')) {
        o.yMagnification = r.number(size.mid(1, 1), QStringLiteral("세로 배율"));
        o.xMagnification = r.number(size.mid(3, 1), QStringLiteral("가로 배율"));
    } else {
        r.unknown(size, QStringLiteral("배율"));
    }
    o.font = f[6];
    if (!LabelJobReader::al300Font(f[6], &o.cellWidth, &o.cellHeight, &o.koreanFont))
        r.unknown(f[6], QStringLiteral("폰트"));
    r.constant(f, 7, QStringLiteral("0"));
    r.constant(f, 8, QStringLiteral("0"));
    if (f[9] == QLatin1String("W"))
        o.reverse = true;
    else if (f[9] != QLatin1String("B"))
        r.unknown(f[9], QStringLiteral("색"));
    r.constant(f, 10, QStringLiteral("D"));
    r.constant(f, 11, QStringLiteral("0"));
    if (!r.ok())
        return;
    placeAlObject(line, f, o, objects);
}

bool objectKey(const QString &key)
{
    int n = 0;
    return key.size() == 3 && (key[0] == QLatin1Char('B') || key[0] == QLatin1Char('T')) &&
           number(key.mid(1), &n);
}

// Lines of a block up to its closing "}" (the index is left after it). False when the text
// ends first.
bool blockLines(const QList<Line> &lines, int *i, QList<Line> *body)
{
    for (; *i < lines.size(); ++*i) {
        const Line &l = lines[*i];
        if (l.text == QLatin1String("}")) {
            ++*i;
            return true;
        }
        if (!l.text.isEmpty())
            body->append(l);
    }
    return false;
}

LabelDescription readAl300(const QList<Line> &lines, int *i)
{
    LabelDescription d;
    d.model = PrinterModel::AL300;
    d.firstLine = lines[*i].number;
    QList<Al300Object> objects;
    QString formatNumber;

    // Format part.
    const Line &open = lines[*i];
    if (open.text.startsWith(QLatin1String("{F"))) {
        ++*i;
        QStringList f;
        QString name;
        if (openingFields(open, &f, &name, &d.problems)) {
            FieldReader r(open, &d.problems);
            if (r.fieldCount(f, 3)) {
                formatNumber = f[0].mid(1);
                d.lengthUnits = r.number(f[1], QStringLiteral("라벨 길이"));
                d.widthUnits = r.number(f[2], QStringLiteral("라벨 폭"));
                d.lengthDots = tenthsToDots(d.lengthUnits);
                d.widthDots = tenthsToDots(d.widthUnits);
            }
        }
        QList<Line> body;
        if (!blockLines(lines, i, &body))
            d.problems << QStringLiteral("포맷 부분이 }로 닫히지 않았습니다");
        for (const Line &l : body) {
            if (!l.text.endsWith(QLatin1Char('|'))) {
                d.problems << at(l.number) +
                                  QStringLiteral("레코드가 |로 끝나지 않습니다: %1").arg(l.text);
                continue;
            }
            const QStringList f = l.text.chopped(1).split(QLatin1Char(','));
            if (!objectKey(f[0])) {
                d.problems << at(l.number) +
                                  QStringLiteral("알 수 없는 명령입니다: %1").arg(l.text);
                continue;
            }
            bool duplicate = false;
            for (const Al300Object &o : objects)
                duplicate = duplicate || o.key == f[0];
            if (duplicate) {
                d.problems << at(l.number) +
                                  QStringLiteral("개체 번호 %1이(가) 두 번 있습니다").arg(f[0]);
                continue;
            }
            if (f[0].startsWith(QLatin1Char('B')))
                readAlBarcode(l, f, objects, d.problems);
            else
                readAlText(l, f, objects, d.problems);
        }
    } else {
        d.problems << at(open.number) + QStringLiteral("포맷 부분({F...)이 없습니다");
    }

    // Data part.
    while (*i < lines.size() && lines[*i].text.isEmpty())
        ++*i;
    QHash<QString, int> dataLines; // key -> line of its value
    if (*i < lines.size() && lines[*i].text.startsWith(QLatin1String("{B"))) {
        const Line &batch = lines[*i];
        ++*i;
        QStringList f;
        QString name;
        if (openingFields(batch, &f, &name, &d.problems)) {
            FieldReader r(batch, &d.problems);
            if (r.fieldCount(f, 7)) {
                if (!formatNumber.isEmpty() && f[0].mid(1) != formatNumber)
                    d.problems << at(batch.number) +
                                      QStringLiteral("포맷 번호가 다릅니다 (F%1, B%2)")
                                          .arg(formatNumber, f[0].mid(1));
                d.count = r.number(f[1], QStringLiteral("발행 매수"));
                r.constant(f, 2, QStringLiteral("E"));
                r.constant(f, 3, QStringLiteral("1"));
                r.constant(f, 4, QStringLiteral("1"));
                if (f[5] == QLatin1String("2"))
                    d.reversed = true;
                else if (f[5] != QLatin1String("0"))
                    r.unknown(f[5], QStringLiteral("인쇄 방향"));
                r.constant(f, 6, QStringLiteral("C"));
            }
        }
        QList<Line> body;
        if (!blockLines(lines, i, &body))
            d.problems << QStringLiteral("데이터 부분이 }로 닫히지 않았습니다");
        for (const Line &l : body) {
            const qsizetype semi = l.text.indexOf(QLatin1Char(';'));
            if (semi < 0 || !l.text.endsWith(QLatin1Char('|')) || !objectKey(l.text.left(semi))) {
                d.problems << at(l.number) +
                                  QStringLiteral("알 수 없는 데이터 줄입니다: %1").arg(l.text);
                continue;
            }
            const QString key = l.text.left(semi);
            const QString value = l.text.mid(semi + 1, l.text.size() - semi - 2);
            if (dataLines.contains(key)) {
                d.problems << at(l.number) +
                                  QStringLiteral("%1의 데이터가 두 번 있습니다").arg(key);
                continue;
            }
            dataLines.insert(key, l.number);
            bool found = false;
            for (Al300Object &o : objects) {
                if (o.key == key) {
                    o.object.data = value;
                    o.object.dataLine = l.number;
                    found = true;
                }
            }
            if (!found)
                d.problems << at(l.number) +
                                  QStringLiteral("데이터에 맞는 개체가 없습니다: %1").arg(l.text);
        }
    } else {
        d.problems << QStringLiteral("데이터 부분({B...)이 없습니다");
    }

    for (const Al300Object &o : objects) {
        if (o.object.dataLine == 0) {
            d.problems << at(o.object.line) +
                              QStringLiteral("개체 %1에 데이터가 없습니다").arg(o.key);
            continue;
        }
        d.objects << o.object;
    }
    d.lastLine = *i > 0 ? lines[*i - 1].number : d.firstLine;
    return d;
}

// A block that is no print job ("{N,...", "{S,...", "{I,..."): skipped up to its end.
LabelDescription readOtherBlock(const QList<Line> &lines, int *i)
{
    LabelDescription d;
    d.model = PrinterModel::AL300;
    d.firstLine = lines[*i].number;
    d.problems << at(lines[*i].number) +
                      QStringLiteral("인쇄 작업이 아닙니다: %1").arg(lines[*i].text);
    for (; *i < lines.size(); ++*i) {
        const QString &t = lines[*i].text;
        d.lastLine = lines[*i].number;
        if (t.endsWith(QLatin1Char('}'))) {
            ++*i;
            break;
        }
    }
    return d;
}

} // namespace

QList<LabelDescription> LabelJobReader::readAll(const QString &jobText)
{
    const QList<Line> lines = splitLines(jobText);
    QList<LabelDescription> jobs;
    int i = 0;
    while (i < lines.size()) {
        if (lines[i].text.isEmpty()) {
            ++i;
            continue;
        }
        const QString &t = lines[i].text;
        const int before = i;
        if (t.startsWith(QLatin1String("{F")) || t.startsWith(QLatin1String("{B")))
            jobs << readAl300(lines, &i);
        else if (t.startsWith(QLatin1Char('{')))
            jobs << readOtherBlock(lines, &i);
        else
            jobs << readSrp770(lines, &i);
        if (i == before)
            ++i; // never stay on a line
    }
    return jobs;
}

LabelDescription LabelJobReader::read(const QString &jobText)
{
    const QList<LabelDescription> jobs = readAll(jobText);
    if (!jobs.isEmpty())
        return jobs.first();
    LabelDescription d;
    d.problems << QStringLiteral("작업 내용이 없습니다");
    return d;
}

bool LabelJobReader::srp770Font(const QString &code, int *cellWidth, int *cellHeight, bool *korean)
{
    struct Font {
        const char *code;
        int w, h;
        bool korean;
    };
    static const Font fonts[] = {{"0", 9, 15, false},  {"1", 12, 20, false}, {"2", 16, 25, false},
                                 {"3", 19, 30, false}, {"a", 16, 16, true},  {"b", 24, 24, true}};
    for (const Font &f : fonts) {
        if (code == QLatin1String(f.code)) {
            *cellWidth = f.w;
            *cellHeight = f.h;
            *korean = f.korean;
            return true;
        }
    }
    return false;
}

bool LabelJobReader::al300Font(const QString &code, int *cellWidth, int *cellHeight, bool *korean)
{
    if (code == QLatin1String("1")) {
        *cellWidth = 16;
        *cellHeight = 24;
        *korean = false;
    } else if (code == QLatin1String("J")) {
        *cellWidth = *cellHeight = 16;
        *korean = true;
    } else if (code == QLatin1String("K")) {
        *cellWidth = *cellHeight = 24;
        *korean = true;
    } else {
        return false;
    }
    return true;
}

bool LabelJobReader::al300Ratio(int code, int *narrow, int *wide)
{
    // Narrow and wide bar widths in dots per ratio code. The station offers 1, 3, 4 for
    // EAN/UPC (module 2, 3, 4 dots), 5, 2, 8, 6 for I 2of5, 1, 8, A, 3 for NW7 and 9, 8, 3,
    // 4 for Code39/Code128; the defaults (1, 6, 1, 9) all give 2-dot modules.
    static const int table[11][2] = {
        {0, 0}, // unused
        {2, 5}, // 1: 1:2.5
        {2, 4}, // 2: 1:2
        {3, 7}, // 3: 1:2.33
        {4, 9}, // 4: 1:2.25
        {3, 6}, // 5: 1:2
        {2, 6}, // 6: 1:3
        {3, 9}, // 7: 1:3
        {1, 3}, // 8: 1:3
        {2, 5}, // 9: 1:2.5
        {3, 8}, // A: 1:2.67
    };
    if (code < 1 || code > 10)
        return false;
    *narrow = table[code][0];
    *wide = table[code][1];
    return true;
}

LabelObject::Symbology LabelJobReader::srp770Symbology(int type)
{
    static const Symbology types[] = {Symbology::Code39,  Symbology::Code128, Symbology::I2of5,
                                      Symbology::Codabar, Symbology::Code93,  Symbology::UpcA,
                                      Symbology::UpcE,    Symbology::Ean13,   Symbology::Ean8,
                                      Symbology::Ean128};
    return type >= 0 && type <= 9 ? types[type] : Symbology::Unknown;
}

LabelObject::Symbology LabelJobReader::al300Symbology(int code)
{
    static const Symbology codes[] = {Symbology::Unknown, Symbology::UpcA,   Symbology::UpcE,
                                      Symbology::I2of5,   Symbology::Code39, Symbology::Codabar,
                                      Symbology::Ean8,    Symbology::Ean13,  Symbology::Code128};
    return code >= 1 && code <= 8 ? codes[code] : Symbology::Unknown;
}
