#pragma once

#include <QString>

class QTableView;
class QWidget;

// The report button of a station (SRP770Frm, AL300Frm, LEO60DFrm): fills the print request,
// asks the print-condition dialog with the station's "ChtPrintCmd" disabled meanwhile, and
// carries out the answer: 2 the print preview of the grid under the station's report
// title, 3 the registration workbook in the backup folder, 4 the grid in the spreadsheet
// program; otherwise the grid gets the focus back. A request while another modal window
// is opening returns at once without output.
void RunRegistrationReport(QWidget *station, QTableView *grid, const QString &formName);

// The report as a workbook in the backup folder (the print-condition dialog's "엑셀출력"):
// tells where it went and offers to open the folder, or tells why it could not be written.
void WriteRegistrationFile(QWidget *station, QTableView *grid, const QString &formName);

// Page title of a station's registration report ("SRP-770 바코드 등록 현황" ...); empty for
// an unknown form.
QString RegistrationReportTitle(const QString &formName);
