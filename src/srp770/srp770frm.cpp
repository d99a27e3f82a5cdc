#include "srp770frm.h"

#include "srp770/srp770job.h"

SRP770Frm::SRP770Frm(QWidget *parent) : StationFrm(StationProfile::srp770(), parent) {}

QString SRP770Frm::buildLabelJob(int format, int row, int count) const
{
    LabelItem item;
    item.format = format;
    item.barcodes = rowBarcodes(row);
    item.texts = rowTexts(row);
    return BuildSrp770Label(formatSet(), format, item, count, blackMarkStock());
}
