#include "goodsfileactions.h"

#include "widgets/dialogs.h"
#include "common/modalopening.h"
#include "commands/goodscommands.h"
#include "model/goodsexport.h"
#include "model/goodsimportsettings.h"
#include "model/goodstable.h"
#include "commands/stationdocument.h"
#include "station/formateditor.h"
#include "station/goodsimportfrm.h"
#include "station/stationfrm.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>

std::function<bool(GoodsImportFrm &)> GoodsFileActions::runImportWindow = [](GoodsImportFrm &frm) {
    return frm.exec() == QDialog::Accepted;
};

namespace {

QString setTextOf(const StationFrm *station)
{
    return station->editor()->BarSeltLbl->text();
}

} // namespace

void GoodsFileActions::importGoods(StationFrm *station)
{
    const PrinterDriver &model = station->driver();
    const QString settingsPath =
        QFileInfo(station->goodsFilePath())
            .dir()
            .filePath(GoodsImportSettings::fileName(model, setTextOf(station)));
    bool confirmed = false;
    GoodsImportPlan plan;
    OpenModal([&] {
        GoodsImportFrm frm(model, station->formatSet(), *station->goods(), settingsPath, station);
        frm.resize(980, 700);
        confirmed = runImportWindow && runImportWindow(frm);
        if (confirmed)
            plan = frm.plan();
    });
    if (confirmed && plan.importsAnything()) {
        // The whole import is one step of the undo stack.
        station->document()->importGoods(plan);
        station->afterGoodsImport(plan.firstChangedRow);
    }
    station->focusGrid();
}

void GoodsFileActions::exportGoods(StationFrm *station)
{
    const QString xlsx = QStringLiteral("Excel 통합문서 (*.xlsx)");
    const QString utf8 = QStringLiteral("CSV UTF-8 (*.csv)");
    const QString cp949 = QStringLiteral("CSV CP949 (*.csv)");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString name =
        QFileInfo(station->goodsFilePath()).completeBaseName() + QStringLiteral(".xlsx");
    QString filter = xlsx;
    const auto answer = Dialogs::askSaveFileName(
        station, QStringLiteral("품목 내보내기"), QDir(folder).filePath(name),
        QStringList{xlsx, utf8, cp949}.join(QStringLiteral(";;")), &filter);
    if (!answer) {
        station->focusGrid();
        return;
    }
    QString path = *answer;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool csv = suffix == QLatin1String("csv") || (suffix.isEmpty() && filter != xlsx);
    if (suffix.isEmpty())
        path += csv ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    QString error;
    const bool ok = csv ? GoodsExport::writeCsv(path, *station->goods(),
                                                filter == cp949 ? GoodsExport::Csv::Cp949
                                                                : GoodsExport::Csv::Utf8Bom,
                                                &error)
                        : GoodsExport::writeXlsx(path, *station->goods(), &error);
    if (ok)
        Dialogs::inform(station,
                        QStringLiteral("* 품목 %1개를 내보냈습니다 !\n%2")
                            .arg(station->goods()->rows())
                            .arg(QDir::toNativeSeparators(path)),
                        QStringLiteral("품목 내보내기"));
    else
        Dialogs::inform(station,
                        QStringLiteral("* 품목 파일을 저장하지 못했습니다 !\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    station->focusGrid();
}
