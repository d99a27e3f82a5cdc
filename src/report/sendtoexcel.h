// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;
struct SpreadsheetTable;

// Shows data in the desktop's spreadsheet program: the data is written to a new workbook in
// the temporary folder and handed to SpreadsheetOpener. When the workbook cannot be written
// or opened the operator is told so. The hourglass pointer shows meanwhile. Each answers the
// workbook written (empty when none was).

// The grid form: header row, rows, hidden columns empty, formatting as the registration
// file ("PrinterExcelView" decides number conversion).
QString SendToExcel(const SpreadsheetTable &table, QWidget *parent = nullptr);
// The text form: CR-separated lines of TAB-separated fields, no formatting.
QString SendToExcel(const QString &text, QWidget *parent = nullptr);
// The recordset form: field names in row 1, then the records as in the text form.
QString SendToExcel(const QStringList &fieldNames, const QString &records, QWidget *parent = nullptr);
