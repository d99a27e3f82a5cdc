// SPDX-License-Identifier: GPL-3.0-or-later
#include "spreadsheetopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class DesktopOpener : public SpreadsheetOpener {
public:
    bool open(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

SpreadsheetOpener *installed = nullptr;

} // namespace

SpreadsheetOpener &SpreadsheetOpener::current()
{
    static DesktopOpener desktop;
    return installed ? *installed : desktop;
}

void SpreadsheetOpener::install(SpreadsheetOpener *opener)
{
    installed = opener;
}
