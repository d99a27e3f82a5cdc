#pragma once

#include <QString>
#include <QStringList>

class QWidget;
struct SpreadsheetTable;

// Shows data in the desktop's spreadsheet program: the data is written to a new workbook in
// the temporary folder and handed to SpreadsheetOpener. When the workbook cannot be written
// or opened the operator is told so. The hourglass pointer shows meanwhile.

// The grid form: header row, rows, hidden columns empty, formatting as the registration
// file ("PrinterExcelView" decides number conversion).
void SendToExcel(const SpreadsheetTable &table, QWidget *parent = nullptr);
// The text form: CR-separated lines of TAB-separated fields, no formatting.
void SendToExcel(const QString &text, QWidget *parent = nullptr);
// The recordset form: field names in row 1, then the records as in the text form.
void SendToExcel(const QStringList &fieldNames, const QString &records, QWidget *parent = nullptr);

// Path of the last workbook written by SendToExcel (empty before the first).
QString LastSendToExcelFile();
