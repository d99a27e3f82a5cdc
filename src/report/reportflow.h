#pragma once

#include "gridprintsettings.h"
#include "reportsource.h"

#include <QString>

class QObject;
class QTableView;
class QWidget;
struct SpreadsheetTable;

// The report button of a station (SRP770Frm, AL300Frm, LEO60DFrm): fills the print request,
// asks the print-condition dialog with the station's "ChtPrintCmd" disabled meanwhile, and
// carries out the answer: 2 the print preview of the source under the station's report
// title, 3 the registration workbook in the backup folder, 4 the source in the spreadsheet
// program; otherwise `grid` (the station's grid, may be null) gets the focus back. A request
// while another modal window is opening returns at once without output. The preview uses
// and keeps the station's print settings (ReportPrintSettings).
void RunRegistrationReport(QWidget *station, const ReportSource &source, const QString &formName,
                           QWidget *grid = nullptr);
// The same for a window that shows `model` in `grid`: the report takes the model with the
// grid's column layout and selection, and the grid gets the focus back.
void RunRegistrationReport(QWidget *station, const QAbstractItemModel *model, QTableView *grid,
                           const QString &formName);

// The report as a workbook in the backup folder (the print-condition dialog's "엑셀출력"):
// tells where it went and offers to open the folder, or tells why it could not be written.
void WriteRegistrationFile(QWidget *station, const SpreadsheetTable &table,
                           const QString &formName);

// Page title of a station's registration report ("SRP-770 바코드 등록 현황" ...); empty for
// an unknown form.
QString RegistrationReportTitle(const QString &formName);

// The print settings of a window's report: the same settings for every report of that
// window while it lives (the page setup and print options set them), fresh ones for a
// window opened again. Without a window, fresh settings.
SharedPrintSettings ReportPrintSettings(QObject *window);
