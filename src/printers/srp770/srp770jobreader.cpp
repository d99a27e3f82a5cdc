// SPDX-License-Identifier: GPL-3.0-or-later
#include "srp770jobreader.h"

#include "printers/srp770/srp770driver.h"

namespace {

using Symbology = LabelObject::Symbology;

// "fields,'data'": the comma-separated fields before the quoted data.
bool splitQuoted(const JobLine &line, int skip, QStringList *fields, QString *data,
                 QStringList *problems)
{
    const QString &t = line.text;
    const qsizetype open = t.indexOf(QLatin1Char('\''), skip);
    if (open < 0 || t.size() < open + 2 || !t.endsWith(QLatin1Char('\'')) || open == 0 ||
        t[open - 1] != QLatin1Char(',')) {
        problems->append(JobFields::at(line.number) +
                         QStringLiteral("데이터가 작은따옴표로 묶여 있지 않습니다: %1").arg(t));
        return false;
    }
    *fields = t.mid(skip, open - 1 - skip).split(QLatin1Char(','));
    *data = t.mid(open + 1, t.size() - open - 2);
    return true;
}

void readSrpBarcode(const JobLine &line, LabelDescription &d)
{
    QStringList f;
    LabelObject o;
    if (!splitQuoted(line, 2, &f, &o.data, &d.problems))
        return;
    JobFields r(line, &d.problems);
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
    o.symbology = Srp770Driver::instance().symbologyOfCode(o.symbologyCode);
    if (o.symbology == Symbology::Unknown) {
        r.unknown(f[2], QStringLiteral("바코드 종류"));
        return;
    }
    o.line = line.number;
    o.source = line.text;
    d.objects << o;
}

void readSrpText(const JobLine &line, LabelDescription &d)
{
    QStringList f;
    LabelObject o;
    if (!splitQuoted(line, 1, &f, &o.data, &d.problems))
        return;
    JobFields r(line, &d.problems);
    if (!r.fieldCount(f, 9))
        return;
    o.kind = LabelObject::Kind::Text;
    o.xUnits = o.x = r.number(f[0], QStringLiteral("X"));
    o.yUnits = o.y = r.number(f[1], QStringLiteral("Y"));
    o.font = f[2];
    if (!Srp770Driver::instance().fontCell(f[2], &o.cellWidth, &o.cellHeight, &o.koreanFont))
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
LabelDescription readSrp770(const QList<JobLine> &lines, int *i,
                            const PrinterLanguage::JobStart &otherJob)
{
    LabelDescription d;
    d.language = Srp770Driver::instance().key();
    d.unitsPerMm = PrinterDriver::DotsPerMm; // the job gives dots
    bool started = false, width = false, length = false, printed = false;
    d.firstLine = lines[*i].number;
    for (; *i < lines.size(); ++*i) {
        const JobLine &line = lines[*i];
        const QString &t = line.text;
        if (t.isEmpty())
            continue;
        if (otherJob(t))
            break; // another printer's job follows
        if (t == QLatin1String("CB")) {
            if (started)
                break; // the next job begins
            started = true;
            d.lastLine = line.number;
            continue;
        }
        if (!started) {
            d.problems << JobFields::at(line.number) +
                              QStringLiteral("작업이 CB로 시작하지 않습니다");
            started = true;
        }
        d.lastLine = line.number;
        JobFields r(line, &d.problems);
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
            d.problems << JobFields::at(line.number) +
                              QStringLiteral("알 수 없는 명령입니다: %1").arg(t);
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

} // namespace

LabelDescription Srp770JobReader::read(const QList<JobLine> &lines, int *i,
                                       const PrinterLanguage::JobStart &otherJob)
{
    return readSrp770(lines, i, otherJob);
}
