// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A grid as the spreadsheet sees it: the column captions, the rows of cell texts, which
// columns are hidden and how each column is aligned horizontally.
struct SpreadsheetTable {
    enum class Align { General, Left, Right, Centre };

    QStringList header;      // one caption per column
    QList<QStringList> rows; // cell texts; a short row reads as empty cells
    QList<bool> hidden;      // per column; missing entries mean shown
    QList<Align> align;      // per column; missing entries mean General

    int columnCount() const { return int(header.size()); }
};

// Writes .xlsx workbooks with libxlsxwriter: the registration report of a grid (header row
// filled RGB(179, 204, 244) and centred, thin borders on every edge and inside line, columns
// fitted to their contents, each data column aligned as its grid column), and the plain
// text and recordset forms (no formatting). Files are written under a temporary name and
// moved into place, so a failed write leaves an earlier file intact.
class SpreadsheetExport {
public:
    // Why a workbook was not written: in the windows' words and in the command line's.
    struct Failure {
        QString korean;
        QString english;
    };

    // The grid form. Hidden columns stay in place as empty columns (caption too). With
    // convertNumbers, a cell whose trimmed text is a plain decimal number (IsNumberText) is
    // stored as the number TextToCur reads from it; otherwise every cell is text. A table
    // without data rows or without columns gives a workbook with an empty sheet.
    static bool writeGrid(const QString &path, const QString &sheetName,
                          const SpreadsheetTable &table, bool convertNumbers,
                          Failure *error = nullptr);
    // Lines separated by CR (a line feed stays part of its line), fields by TAB; line i
    // becomes row i + 1. A last empty line (the text ends with CR) is not written.
    static bool writeText(const QString &path, const QString &sheetName, const QString &text,
                          Failure *error = nullptr);
    // Row 1 holds the field names, then each CR-separated line of TAB-separated fields.
    static bool writeRecordset(const QString &path, const QString &sheetName,
                               const QStringList &fieldNames, const QString &text,
                               Failure *error = nullptr);

    // The "PrinterExcelView" setting: 1 turns number conversion on. The settings store
    // answers 0, so the grid export writes text.
    static bool numberConversionSetting();

    // Folder of the report files: LABELSTATION_BACKUP_DIR when set, else C:\QelBackup on
    // Windows and ~/QelBackup elsewhere. Created when missing.
    static QString backupFolder();
    // Writes "<backup folder>/<base>.xlsx" (sheet "Sheet1") and beside it "<base>.log",
    // which tells what was written or why it failed; `base` names the window's report
    // ("SRP770바코드등록현황", see RegistrationReportFileBase), an empty one fails. *path
    // receives the workbook path.
    static bool writeRegistrationFile(const QString &base, const SpreadsheetTable &table,
                                      QString *path = nullptr, Failure *error = nullptr,
                                      const QDateTime &when = QDateTime::currentDateTime());
};
