// SPDX-License-Identifier: GPL-3.0-or-later
#include "sendtoexcel.h"

#include "model/spreadsheetexport.h"
#include "report/spreadsheetopener.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>

#include <functional>

namespace {

QString
sendWorkbook(QWidget *parent,
             const std::function<bool(const QString &, SpreadsheetExport::Failure *)> &write)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    const QString dir = QDir::temp().filePath(QStringLiteral("LabelStation"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(
        QStringLiteral("등록현황-%1.xlsx")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    SpreadsheetExport::Failure error;
    const bool written = write(path, &error);
    const bool shown = written && SpreadsheetOpener::current().open(path);
    QGuiApplication::restoreOverrideCursor();
    if (!written)
        Dialogs::inform(parent,
                        QStringLiteral("* 엑셀 자료를 만들지 못했습니다 !\n%1").arg(error.korean));
    else if (!shown)
        Dialogs::inform(parent, QStringLiteral("* 엑셀 프로그램으로 열 수 없습니다 !\n%1")
                                    .arg(QDir::toNativeSeparators(path)));
    return written ? path : QString();
}

} // namespace

QString SendToExcel(const SpreadsheetTable &table, QWidget *parent)
{
    return sendWorkbook(parent, [&](const QString &path, SpreadsheetExport::Failure *error) {
        return SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"), table,
                                            SpreadsheetExport::numberConversionSetting(), error);
    });
}

QString SendToExcel(const QString &text, QWidget *parent)
{
    return sendWorkbook(parent, [&](const QString &path, SpreadsheetExport::Failure *error) {
        return SpreadsheetExport::writeText(path, QStringLiteral("Sheet1"), text, error);
    });
}

QString SendToExcel(const QStringList &fieldNames, const QString &records, QWidget *parent)
{
    return sendWorkbook(parent, [&](const QString &path, SpreadsheetExport::Failure *error) {
        return SpreadsheetExport::writeRecordset(path, QStringLiteral("Sheet1"), fieldNames,
                                                 records, error);
    });
}
