// SPDX-License-Identifier: GPL-3.0-or-later
#include "labeljobreader.h"

#include "model/jobfields.h"
#include "printers/printers.h"

QList<LabelDescription> LabelJobReader::readAll(const QString &jobText)
{
    const QList<JobLine> lines = JobFields::lines(jobText);
    const QList<const PrinterLanguage *> languages = Printers::languages();
    auto owner = [&languages](const QString &line) -> const PrinterLanguage * {
        for (const PrinterLanguage *l : languages) {
            if (l->startsJob(line))
                return l;
        }
        return nullptr;
    };
    QList<LabelDescription> jobs;
    QStringList stray; // lines no language claims, told with the next job
    int i = 0;
    while (i < lines.size()) {
        if (lines[i].text.isEmpty()) {
            ++i;
            continue;
        }
        const PrinterLanguage *language = owner(lines[i].text);
        if (!language) {
            stray << JobFields::at(lines[i].number) +
                         QStringLiteral("어느 프린터의 명령도 아닙니다: %1").arg(lines[i].text);
            ++i;
            continue;
        }
        const int before = i;
        LabelDescription d = language->readJob(
            lines, &i, [&owner, language](const QString &line) {
                const PrinterLanguage *l = owner(line);
                return l && l != language;
            });
        if (i == before)
            ++i; // never stay on a line
        d.problems = stray + d.problems;
        stray.clear();
        jobs << d;
    }
    if (!stray.isEmpty()) {
        if (jobs.isEmpty()) {
            LabelDescription d;
            d.problems = stray;
            jobs << d;
        } else {
            jobs.last().problems << stray;
        }
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
