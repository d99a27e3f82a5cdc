// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/printplan.h"
#include "model/sheetlayout.h"
#include "station/systemprintchoice.h"

#include <QObject>

#include <functional>
#include <optional>

class QPushButton;
class QWidget;
class StationDocument;

// A station's prints through a system printer (see SystemPrinterFrm): the labels of a print
// drawn from the station's own jobs, off the window's thread, checked at the printer's
// resolution, then shown in the print preview (LabelSheetPreviewFrm), which prints them.
class StationSystemPrint : public QObject {
    Q_OBJECT
public:
    StationSystemPrint(StationDocument *document, QWidget *window, QObject *parent = nullptr);

    const SystemPrintChoice &choice() const { return m_choice; }
    void setChoice(const SystemPrintChoice &choice) { m_choice = choice; }
    bool isOn() const { return m_choice.isOn(); }
    // From the click until the preview is closed.
    bool isBusy() const { return m_busy; }

    // Prints `request` through the chosen printer: `button` stays disabled meanwhile; `after`
    // runs once the labels are printed (not when the operator closed the preview, or when
    // nothing could be printed: said).
    void print(const PrintRequest &request, QPushButton *button, std::function<void()> after);

private:
    struct Drawn;
    void show(const Drawn &drawn, std::function<void()> after);
    void end();

    StationDocument *m_doc;
    QWidget *m_window;
    SystemPrintChoice m_choice;
    std::optional<SheetLayout> m_sheet; // the choice's layout, found when a print starts
    QPushButton *m_button = nullptr;
    bool m_busy = false;
};
