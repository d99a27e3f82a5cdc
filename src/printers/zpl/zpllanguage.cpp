// SPDX-License-Identifier: GPL-3.0-or-later
#include "zpllanguage.h"

#include "printers/zpl/zpljobreader.h"
#include "printers/zpl/zpljobwriter.h"

const ZplLanguage &ZplLanguage::instance()
{
    static const ZplLanguage language;
    return language;
}

QString ZplLanguage::caption(int dpi) const
{
    return QStringLiteral("ZPL (%1 dpi)").arg(dpi);
}

QString ZplLanguage::describedLabelJob(const LabelDescription &label, const LabelRaster &raster,
                                       int dpi, int count, bool blackMark) const
{
    return ZplJobWriter::write(label, raster, dpi, count, blackMark);
}

bool ZplLanguage::startsJob(const QString &line) const
{
    return line.startsWith(QLatin1String("^XA"), Qt::CaseInsensitive);
}

LabelDescription ZplLanguage::readJob(const QList<JobLine> &lines, int *i,
                                      const JobStart &otherJob) const
{
    return ZplJobReader::read(lines, i, otherJob);
}
