// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gridprintsettings.h"
#include "report/reportsource.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

// "인쇄 설정": the print options of a grid (column titles, row numbers, lines, border, data
// cells only, colour, shadows), what to print (all, the selected block, the current page,
// a page range) and the buttons print, close, page setup and printer choice. PrintSpread()
// prints the report with these options through the system's print dialog and keeps them in
// the print settings it was given.
class PrinSetup : public QWidget {
    Q_OBJECT
public:
    // Sets up the printer instead of the print dialog (tests print to PDF with it); the hook
    // answers false to cancel. Without one the print dialog asks.
    using PrinterHook = std::function<bool(QPrinter &)>;

    PrinSetup(ReportSource source, SharedPrintSettings settings, QWidget *parent = nullptr,
              PrinterHook printer = {});
    ~PrinSetup() override;

    // Prints the grid with the window's options; false when nothing was printed.
    bool PrintSpread();

    std::array<QCheckBox *, 7> Check1{};
    std::array<QRadioButton *, 4> option1{};
    std::array<QLineEdit *, 2> Text1{};
    std::array<QPushButton *, 4> cmdAction{};

public Q_SLOTS:
    void option1_Click(int index);
    void cmdAction_Click(int index);

private:
    ReportSource m_source;
    SharedPrintSettings m_settings;
    PrinterHook m_printerHook;
};
