// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300jobreader.h"

#include "printers/al300/al300driver.h"

#include <QHash>

namespace {

using Symbology = LabelObject::Symbology;

// Tenths of a millimetre to the nearest printer dot (8 dots per mm).
int tenthsToDots(int tenths)
{
    return int((qint64(tenths) * 4 + 2) / 5);
}

// "{X...|" opening record: the comma fields before ";" and the name after it.
bool openingFields(const JobLine &line, QStringList *fields, QString *name, QStringList *problems)
{
    QString t = line.text;
    if (!t.endsWith(QLatin1Char('|'))) {
        problems->append(JobFields::at(line.number) +
                         QStringLiteral("레코드가 |로 끝나지 않습니다: %1").arg(t));
        return false;
    }
    t.chop(1);
    const qsizetype semi = t.indexOf(QLatin1Char(';'));
    if (semi < 0) {
        problems->append(JobFields::at(line.number) +
                         QStringLiteral("이름(;)이 없습니다: %1").arg(line.text));
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
void readAlPosition(JobFields &r, const QStringList &f, LabelObject *o)
{
    r.constant(f, 1, QStringLiteral("I"));
    r.constant(f, 2, QStringLiteral("000"));
    o->yUnits = r.number(f[3], QStringLiteral("Y"));
    o->xUnits = r.number(f[4], QStringLiteral("X"));
}

// Places a read object in dots and keeps it under its key ("B01", "T02").
void placeAlObject(const JobLine &line, const QStringList &f, LabelObject o,
                   QList<Al300Object> &objects)
{
    o.x = tenthsToDots(o.xUnits);
    o.y = tenthsToDots(o.yUnits);
    o.line = line.number;
    o.source = line.text;
    objects << Al300Object{o, f[0]};
}

void readAlBarcode(const JobLine &line, const QStringList &f, QList<Al300Object> &objects,
                   QStringList &problems)
{
    JobFields r(line, &problems);
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
    o.symbology = Al300Driver::instance().symbologyOfCode(o.symbologyCode);
    if (o.symbology == Symbology::Unknown) {
        r.unknown(f[6], QStringLiteral("바코드 종류"));
        return;
    }
    if (!Al300Driver::ratioBars(o.ratio, &o.narrow, &o.wide)) {
        r.unknown(ratio, QStringLiteral("비율"));
        return;
    }
    o.height = tenthsToDots(o.heightUnits);
    placeAlObject(line, f, o, objects);
}

void readAlText(const JobLine &line, const QStringList &f, QList<Al300Object> &objects,
                QStringList &problems)
{
    JobFields r(line, &problems);
    if (!r.fieldCount(f, 12))
        return;
    LabelObject o;
    o.kind = LabelObject::Kind::Text;
    readAlPosition(r, f, &o);
    // Magnification "0Y0X": vertical then horizontal, each one digit after a "0".
    const QString size = f[5];
    if (size.size() == 4 && size[0] == QLatin1Char('0') && size[2] == QLatin1Char('0')) {
        o.yMagnification = r.factor(size.mid(1, 1), QStringLiteral("세로 배율"));
        o.xMagnification = r.factor(size.mid(3, 1), QStringLiteral("가로 배율"));
    } else {
        r.unknown(size, QStringLiteral("배율"));
    }
    o.font = f[6];
    if (!Al300Driver::instance().fontCell(f[6], &o.cellWidth, &o.cellHeight, &o.koreanFont))
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
           JobFields::number(key.mid(1), &n);
}

// Lines of a block up to its closing "}" (the index is left after it). False when the text
// ends first.
bool blockLines(const QList<JobLine> &lines, int *i, QList<JobLine> *body)
{
    for (; *i < lines.size(); ++*i) {
        const JobLine &l = lines[*i];
        if (l.text == QLatin1String("}")) {
            ++*i;
            return true;
        }
        if (!l.text.isEmpty())
            body->append(l);
    }
    return false;
}

LabelDescription readAl300(const QList<JobLine> &lines, int *i)
{
    LabelDescription d;
    d.language = Al300Driver::instance().key();
    d.unitsPerMm = 10; // the job gives tenths of a millimetre
    d.firstLine = lines[*i].number;
    QList<Al300Object> objects;
    QString formatNumber;

    // Format part.
    const JobLine &open = lines[*i];
    if (open.text.startsWith(QLatin1String("{F"))) {
        ++*i;
        QStringList f;
        QString name;
        if (openingFields(open, &f, &name, &d.problems)) {
            JobFields r(open, &d.problems);
            if (r.fieldCount(f, 3)) {
                formatNumber = f[0].mid(1);
                d.lengthUnits = r.number(f[1], QStringLiteral("라벨 길이"));
                d.widthUnits = r.number(f[2], QStringLiteral("라벨 폭"));
                d.lengthDots = tenthsToDots(d.lengthUnits);
                d.widthDots = tenthsToDots(d.widthUnits);
            }
        }
        QList<JobLine> body;
        if (!blockLines(lines, i, &body))
            d.problems << QStringLiteral("포맷 부분이 }로 닫히지 않았습니다");
        for (const JobLine &l : body) {
            if (!l.text.endsWith(QLatin1Char('|'))) {
                d.problems << JobFields::at(l.number) +
                                  QStringLiteral("레코드가 |로 끝나지 않습니다: %1").arg(l.text);
                continue;
            }
            const QStringList f = l.text.chopped(1).split(QLatin1Char(','));
            if (!objectKey(f[0])) {
                d.problems << JobFields::at(l.number) +
                                  QStringLiteral("알 수 없는 명령입니다: %1").arg(l.text);
                continue;
            }
            bool duplicate = false;
            for (const Al300Object &o : objects)
                duplicate = duplicate || o.key == f[0];
            if (duplicate) {
                d.problems << JobFields::at(l.number) +
                                  QStringLiteral("개체 번호 %1이(가) 두 번 있습니다").arg(f[0]);
                continue;
            }
            if (f[0].startsWith(QLatin1Char('B')))
                readAlBarcode(l, f, objects, d.problems);
            else
                readAlText(l, f, objects, d.problems);
        }
    } else {
        d.problems << JobFields::at(open.number) + QStringLiteral("포맷 부분({F...)이 없습니다");
    }

    // Data part.
    while (*i < lines.size() && lines[*i].text.isEmpty())
        ++*i;
    QHash<QString, int> dataLines; // key -> line of its value
    if (*i < lines.size() && lines[*i].text.startsWith(QLatin1String("{B"))) {
        const JobLine &batch = lines[*i];
        ++*i;
        QStringList f;
        QString name;
        if (openingFields(batch, &f, &name, &d.problems)) {
            JobFields r(batch, &d.problems);
            if (r.fieldCount(f, 7)) {
                if (!formatNumber.isEmpty() && f[0].mid(1) != formatNumber)
                    d.problems << JobFields::at(batch.number) +
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
        QList<JobLine> body;
        if (!blockLines(lines, i, &body))
            d.problems << QStringLiteral("데이터 부분이 }로 닫히지 않았습니다");
        for (const JobLine &l : body) {
            const qsizetype semi = l.text.indexOf(QLatin1Char(';'));
            if (semi < 0 || !l.text.endsWith(QLatin1Char('|')) || !objectKey(l.text.left(semi))) {
                d.problems << JobFields::at(l.number) +
                                  QStringLiteral("알 수 없는 데이터 줄입니다: %1").arg(l.text);
                continue;
            }
            const QString key = l.text.left(semi);
            const QString value = l.text.mid(semi + 1, l.text.size() - semi - 2);
            if (dataLines.contains(key)) {
                d.problems << JobFields::at(l.number) +
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
                d.problems << JobFields::at(l.number) +
                                  QStringLiteral("데이터에 맞는 개체가 없습니다: %1").arg(l.text);
        }
    } else {
        d.problems << QStringLiteral("데이터 부분({B...)이 없습니다");
    }

    for (const Al300Object &o : objects) {
        if (o.object.dataLine == 0) {
            d.problems << JobFields::at(o.object.line) +
                              QStringLiteral("개체 %1에 데이터가 없습니다").arg(o.key);
            continue;
        }
        d.objects << o.object;
    }
    d.lastLine = *i > 0 ? lines[*i - 1].number : d.firstLine;
    return d;
}

// A block that is no print job ("{N,...", "{S,...", "{I,..."): skipped up to its end.
LabelDescription readOtherBlock(const QList<JobLine> &lines, int *i)
{
    LabelDescription d;
    d.language = Al300Driver::instance().key();
    d.unitsPerMm = 10; // the job gives tenths of a millimetre
    d.firstLine = lines[*i].number;
    d.problems << JobFields::at(lines[*i].number) +
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

LabelDescription Al300JobReader::read(const QList<JobLine> &lines, int *i)
{
    const QString &t = lines[*i].text;
    if (t.startsWith(QLatin1String("{F")) || t.startsWith(QLatin1String("{B")))
        return readAl300(lines, i);
    return readOtherBlock(lines, i);
}
