#include "labeljobreader.h"

#include "model/jobfields.h"
#include "printers/printers.h"

QList<LabelDescription> LabelJobReader::readAll(const QString &jobText)
{
    const QList<JobLine> lines = JobFields::lines(jobText);
    const QList<const PrinterDriver *> drivers = Printers::all();
    QList<LabelDescription> jobs;
    int i = 0;
    while (i < lines.size()) {
        if (lines[i].text.isEmpty()) {
            ++i;
            continue;
        }
        const int before = i;
        for (const PrinterDriver *d : drivers) {
            if (d->startsJob(lines[i].text)) {
                jobs << d->readJob(lines, &i);
                break;
            }
        }
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
