// SPDX-License-Identifier: GPL-3.0-or-later
#include "printplan.h"

#include "model/goodstable.h"
#include "model/jobfields.h"
#include "model/labeljob.h"

#include <QHash>

PrintPlan PrintPlan::make(const PrinterDriver &station, const FormatSet &set,
                          const GoodsTable &goods, const PrintRequest &request)
{
    PrintPlan plan;
    plan.m_station = &station;
    for (int row : request.rows) {
        if (row < 1 || row > goods.rows())
            continue;
        const QString number = goods.cell(row, GoodsTable::NumberColumn).trimmed();
        const int count = LabelJob::listCount(goods, row, request.typedQuantity);
        if (count <= 0) {
            plan.skipped << Skipped{row, number, Skip::NoQuantity, count};
            continue;
        }
        if (count > LabelJob::MaxCount) {
            plan.skipped << Skipped{row, number, Skip::TooMany, count};
            continue;
        }
        LabelJob job;
        if (!LabelJob::plan(station, set, goods, row, count, request.overrideFormat,
                            request.blackMark, &job)) {
            plan.skipped << Skipped{row, number, Skip::NoFormat, count};
            continue;
        }
        plan.labels << Label{row, number, job.format, count, job.text, job.text};
    }
    return plan;
}

void PrintPlan::translate(const PrinterLanguage &language, int dpi, const LabelRaster *raster,
                          bool blackMark)
{
    QHash<QString, QString> done; // station job -> job
    for (Label &l : labels) {
        if (language.station() || !raster) {
            l.job = l.stationJob;
            continue;
        }
        auto it = done.constFind(l.stationJob);
        if (it != done.constEnd()) {
            l.job = *it;
            continue;
        }
        // The station's job as its printer reads it, drawn in the port's language.
        const QList<JobLine> lines = JobFields::lines(l.stationJob);
        LabelDescription label;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].text.isEmpty())
                continue;
            int at = i;
            label = m_station->readJob(lines, &at, [](const QString &) { return false; });
            break;
        }
        l.job = language.describedLabelJob(label, *raster, dpi, l.count, blackMark);
        done.insert(l.stationJob, l.job);
    }
}

QList<PrintJob> PrintPlan::jobs(const PrinterLanguage &language, const QString &copyFile) const
{
    QList<PrintJob> out;
    out.reserve(labels.size());
    for (const Label &l : labels)
        out << PrintJob{QStringLiteral("goods ") + l.number, l.job, copyFile,
                        language.printWaitSeconds()};
    return out;
}

int PrintPlan::count(Skip why) const
{
    int n = 0;
    for (const Skipped &s : skipped)
        n += s.why == why;
    return n;
}
