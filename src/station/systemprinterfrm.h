// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/sheetlayout.h"
#include "station/systemprintchoice.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class SheetStartPicker;

// "시스템 프린터": a station prints through a printer the system knows instead of its port.
// The operator chooses the printer and the paper: a roll (one label a page, the page the
// label's size, for a label printer with a system driver) or a sheet of labels (the layouts
// built in and those of the data folder's layouts file), with the label of the first sheet
// to start at, so that a sheet used in part is used up.
class SystemPrinterFrm : public QDialog {
    Q_OBJECT
public:
    // `printers`: the system's printers, the default first.
    SystemPrinterFrm(const QStringList &printers, const QList<SheetLayout> &layouts,
                     const SystemPrintChoice &choice, QWidget *parent = nullptr);

    QComboBox *SysPrnNameCmb = nullptr;
    QRadioButton *PaperRollOpt = nullptr;
    QRadioButton *PaperSheetOpt = nullptr;
    QComboBox *SheetLayoutCmb = nullptr;
    QSpinBox *SheetStartSpn = nullptr;
    SheetStartPicker *SheetPicker = nullptr;
    QLabel *SheetInfoLbl = nullptr;
    QPushButton *OkCmd = nullptr;
    QPushButton *CancelCmd = nullptr;

    SystemPrintChoice choice() const;

    // Asks for the station's system printer, starting from `choice`; false when the operator
    // cancelled or the system has no printer (said).
    static bool choose(QWidget *parent, SystemPrintChoice *choice);

private:
    void showLayout();

    QList<SheetLayout> m_layouts;
};
