// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportflow.h"
#include "common/modalopening.h"

#include "common/programstate.h"
#include "model/outputrights.h"
#include "model/spreadsheetexport.h"
#include "printers/printers.h"
#include "report/printpreview.h"
#include "report/prnseltfrm.h"
#include "report/reportsource.h"
#include "report/sendtoexcel.h"
#include "report/spreadsheetopener.h"
#include "widgets/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTableView>

namespace {
const QString ExportTitle = QStringLiteral("엑셀출력");

// The print settings of one window, a child of it: they live as long as the window.
class KeptPrintSettings : public QObject {
public:
    explicit KeptPrintSettings(QObject *window)
        : QObject(window), settings(std::make_shared<GridPrintSettings>())
    {
    }
    const SharedPrintSettings settings;
};

} // namespace

SharedPrintSettings ReportPrintSettings(QObject *window)
{
    if (!window)
        return std::make_shared<GridPrintSettings>();
    for (QObject *child : window->children()) {
        if (auto *kept = dynamic_cast<KeptPrintSettings *>(child))
            return kept->settings;
    }
    return (new KeptPrintSettings(window))->settings;
}

QString RegistrationReportFileBase(const QString &formName)
{
    for (const PrinterDriver *station : Printers::stations()) {
        if (station->formName() == formName)
            return station->filePrefix() + QStringLiteral("바코드등록현황");
    }
    // The LEO-60D+ conversion window reports the goods of its file.
    if (formName == QLatin1String("LEO60DFrm"))
        return QStringLiteral("LEO-60D바코드등록현황");
    return QString();
}

QString RegistrationReportTitle(const QString &formName)
{
    for (const PrinterDriver *station : Printers::stations()) {
        if (station->formName() == formName)
            return station->name() + QStringLiteral(" 바코드 등록 현황");
    }
    // The LEO-60D+ conversion window reports the goods of its file.
    if (formName == QLatin1String("LEO60DFrm"))
        return QStringLiteral("LEO-60D 바코드 등록 현황");
    return QString();
}

void RunRegistrationReport(ReportCaller caller, const QAbstractItemModel *model, QTableView *grid,
                           const QString &formName)
{
    if (!caller.focusBack)
        caller.focusBack = grid;
    RunRegistrationReport(caller, ReportSource::fromGrid(model, grid), formName);
}

void WriteRegistrationFile(QWidget *station, const SpreadsheetTable &table, const QString &formName)
{
    QString path;
    SpreadsheetExport::Failure error;
    const bool written = SpreadsheetExport::writeRegistrationFile(
        RegistrationReportFileBase(formName), table, &path, &error);
    const QString shownPath = QDir::toNativeSeparators(path);
    if (!written) {
        Dialogs::inform(
            station,
            QStringLiteral("* %1 파일을 저장하지 못했습니다 !\n%2").arg(shownPath, error.korean),
            ExportTitle, QMessageBox::Warning);
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!Dialogs::askYesNo(station,
                           QStringLiteral("* 엑셀 파일을 저장했습니다.\n%1\n\n"
                                          "* 저장한 폴더를 열까요 ?")
                               .arg(shownPath),
                           ExportTitle))
        return;
    if (!SpreadsheetOpener::current().open(folder))
        Dialogs::inform(
            station,
            QStringLiteral("* 폴더를 열 수 없습니다 !\n%1").arg(QDir::toNativeSeparators(folder)),
            ExportTitle, QMessageBox::Warning);
}

void RunRegistrationReport(const ReportCaller &caller, const ReportSource &source,
                           const QString &formName)
{
    QWidget *const station = caller.window;
    const QString userCode = Program().UserCode;
    const qint16 level = OutputRightLevel(userCode);
    if (!(level == 1 || level == 3 || level == -1 || level == -3) || OutputPermitted(userCode) != 1)
        return;

    // The request: only plain white A4 paper, no range values, one print kind.
    ReportRequest request;
    request.PaperAllowed[1] = true;
    request.ListKind = formName.chopped(3);
    request.RangeKind = (formName != QLatin1String("LEO60DFrm") && caller.nameOrder) ? 5 : 1;
    request.KindCaptions[1] = QStringLiteral("등록현황");

    QWidget *const printCmd = caller.reportButton;
    if (printCmd)
        printCmd->setEnabled(false);
    ReportRequest answer = request;
    if (!OpenModal([&] { answer = PrnSeltFrm::ask(request, station); }))
        answer.PrintChoice = PrintExit::Nothing;
    if (printCmd)
        printCmd->setEnabled(true);

    // 미리보기 shows the report's pages as the sheet print does (it used to show nothing).
    const bool preview = answer.PrintChoice == PrintExit::Confirm && answer.PreviewRequested;
    switch (preview ? PrintExit::SheetPrint : answer.PrintChoice) {
    case PrintExit::SheetPrint: {
        const SharedPrintSettings settings = ReportPrintSettings(station);
        *settings = settings->withReportTitle(RegistrationReportTitle(formName));
        // A fresh preview for each sheet print: the one open closes.
        if (PrintPreview *open = PrintPreview::instance())
            open->close();
        auto *preview = new PrintPreview(source, settings, station);
        preview->lngPageCount = preview->gridPageCount();
        preview->show();
        break;
    }
    case PrintExit::SpreadsheetFile:
        WriteRegistrationFile(station, source.snapshot().toTable(), formName);
        break;
    case PrintExit::SpreadsheetView:
        SendToExcel(source.snapshot().toTable(), station);
        break;
    default:
        break;
    }
    const bool nothingDone = answer.PrintChoice == PrintExit::Nothing ||
                             (answer.PrintChoice == PrintExit::Confirm && !preview);
    QWidget *const focusBack = caller.focusBack;
    if (nothingDone && focusBack && focusBack->isEnabled() && focusBack->isVisible())
        focusBack->setFocus();
}
