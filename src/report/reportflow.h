// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gridprintsettings.h"
#include "report/reportsource.h"

#include <QString>

class QObject;
class QTableView;
class QWidget;
struct SpreadsheetTable;

// Who asks for a report: the window, its report button ("ChtPrintCmd", disabled while the
// print-condition dialog is open; may be null), the widget that gets the focus back when
// nothing was done (may be null), and whether the window lists its goods in name order.
struct ReportCaller {
    QWidget *window = nullptr;
    QWidget *reportButton = nullptr;
    QWidget *focusBack = nullptr;
    bool nameOrder = false;
};

// The report button of a station (SRP770Frm, AL300Frm, LEO60DFrm): fills the print request,
// asks the print-condition dialog with the caller's report button disabled meanwhile, and
// carries out the answer: 2 the print preview of the source under the station's report
// title, 3 the registration workbook in the backup folder, 4 the source in the spreadsheet
// program; otherwise the caller's focus widget gets the focus back. A request while another
// modal window is opening returns at once without output. The preview uses and keeps the
// window's print settings (ReportPrintSettings).
void RunRegistrationReport(const ReportCaller &caller, const ReportSource &source,
                           const QString &formName);
// The same for a window that shows `model` in `grid`: the report takes the model with the
// grid's column layout and selection, and the grid gets the focus back unless the caller
// names another widget.
void RunRegistrationReport(ReportCaller caller, const QAbstractItemModel *model, QTableView *grid,
                           const QString &formName);

// The report as a workbook in the backup folder (the print-condition dialog's "엑셀출력"):
// tells where it went and offers to open the folder, or tells why it could not be written.
void WriteRegistrationFile(QWidget *station, const SpreadsheetTable &table,
                           const QString &formName);

// Page title of a station's registration report ("SRP-770 바코드 등록 현황" ...); empty for
// an unknown form.
QString RegistrationReportTitle(const QString &formName);
// File name base of a window's report file: "SRP770바코드등록현황", "AL300바코드등록현황",
// "LEO-60D바코드등록현황"; empty for an unknown form name.
QString RegistrationReportFileBase(const QString &formName);

// The print settings of a window's report: the same settings for every report of that
// window while it lives (the page setup and print options set them), fresh ones for a
// window opened again. Without a window, fresh settings.
SharedPrintSettings ReportPrintSettings(QObject *window);
