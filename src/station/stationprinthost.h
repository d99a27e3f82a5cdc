// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// What the print panels need of their station besides its document: the grid's cursor, the
// saves before a print, the focus back to the grid, and where to put their panels.
class StationPrintHost {
public:
    // 1-based row of the grid's cursor, 0 when none.
    virtual int activeRow() const = 0;
    virtual void setActiveRow(int row) = 0;
    // Saves the format file and the goods file; false (reported) when either failed.
    virtual bool saveFiles(bool closing = false) = 0;
    virtual void focusGrid() = 0;
    // The area the panels are centred over (the goods grid), in the window's coordinates.
    virtual QRect panelArea() const = 0;

protected:
    ~StationPrintHost() = default;
};
