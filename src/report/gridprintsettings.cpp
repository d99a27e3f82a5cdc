#include "gridprintsettings.h"

#include "printheader.h"

#include <QObject>
#include <QTableView>
#include <QVariant>

namespace {
constexpr const char *PropertyName = "labelStationPrintSettings";
}

GridPrintSettings GridPrintSettings::of(const QObject *grid)
{
    if (!grid)
        return {};
    const QVariant v = grid->property(PropertyName);
    return v.canConvert<GridPrintSettings>() ? v.value<GridPrintSettings>() : GridPrintSettings{};
}

void GridPrintSettings::store(QObject *grid, const GridPrintSettings &settings)
{
    if (grid)
        grid->setProperty(PropertyName, QVariant::fromValue(settings));
}

void SetReportHeader(QTableView *grid, const QString &title)
{
    GridPrintSettings s = GridPrintSettings::of(grid);
    s.header = PrintHeader::forTitle(title);
    GridPrintSettings::store(grid, s);
}
