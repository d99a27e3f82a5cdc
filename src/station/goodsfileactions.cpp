// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsfileactions.h"

#include "commands/goodscommands.h"
#include "commands/stationdocument.h"
#include "common/modalopening.h"
#include "model/goodsexport.h"
#include "model/goodsimportsettings.h"
#include "model/goodstable.h"
#include "station/goodsimportfrm.h"
#include "widgets/dialogs.h"
#include "widgets/statuslog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

GoodsFileActions::GoodsFileActions(StationDocument *document, QWidget *window,
                                   std::function<QString()> setText)
    : QObject(window), m_doc(document), m_window(window), m_setText(std::move(setText)),
      m_run([](GoodsImportFrm &frm) { return frm.exec() == QDialog::Accepted; })
{
}

void GoodsFileActions::importGoods()
{
    const PrinterDriver &model = m_doc->driver();
    const QString settingsPath =
        QFileInfo(m_doc->goodsFilePath())
            .dir()
            .filePath(GoodsImportSettings::fileName(model, m_setText ? m_setText() : QString()));
    bool confirmed = false;
    GoodsImportPlan plan;
    OpenModal([&] {
        GoodsImportFrm frm(model, m_doc->formatSet(), *m_doc->goods(), settingsPath, m_window);
        frm.resize(980, 700);
        confirmed = m_run && m_run(frm);
        if (confirmed)
            plan = frm.plan();
    });
    // The whole import is one step of the undo stack.
    if (confirmed && plan.importsAnything() && m_doc->importGoods(plan)) {
        StatusLog::post(m_window, QStringLiteral("가져오기: 추가 %1개, 갱신 %2개, 건너뜀 %3개")
                                      .arg(plan.added)
                                      .arg(plan.updated)
                                      .arg(plan.skipped()));
        Q_EMIT imported(plan.firstChangedRow);
    }
    Q_EMIT done();
}

void GoodsFileActions::exportGoods()
{
    const QString xlsx = QStringLiteral("Excel 통합문서 (*.xlsx)");
    const QString utf8 = QStringLiteral("CSV UTF-8 (*.csv)");
    const QString cp949 = QStringLiteral("CSV CP949 (*.csv)");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString name =
        QFileInfo(m_doc->goodsFilePath()).completeBaseName() + QStringLiteral(".xlsx");
    QString filter = xlsx;
    const auto answer = Dialogs::askSaveFileName(
        m_window, QStringLiteral("품목 내보내기"), QDir(folder).filePath(name),
        QStringList{xlsx, utf8, cp949}.join(QStringLiteral(";;")), &filter);
    if (!answer) {
        Q_EMIT done();
        return;
    }
    QString path = *answer;
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool csv = suffix == QLatin1String("csv") || (suffix.isEmpty() && filter != xlsx);
    if (suffix.isEmpty())
        path += csv ? QStringLiteral(".csv") : QStringLiteral(".xlsx");
    QString error;
    const bool ok = csv ? GoodsExport::writeCsv(path, *m_doc->goods(),
                                                filter == cp949 ? GoodsExport::Csv::Cp949
                                                                : GoodsExport::Csv::Utf8Bom,
                                                &error)
                        : GoodsExport::writeXlsx(path, *m_doc->goods(), &error);
    if (ok)
        StatusLog::post(m_window, QStringLiteral("내보내기: 품목 %1개 → %2")
                                      .arg(m_doc->goods()->rows())
                                      .arg(QDir::toNativeSeparators(path)));
    if (ok)
        Dialogs::inform(m_window,
                        QStringLiteral("* 품목 %1개를 내보냈습니다 !\n%2")
                            .arg(m_doc->goods()->rows())
                            .arg(QDir::toNativeSeparators(path)),
                        QStringLiteral("품목 내보내기"));
    else
        Dialogs::inform(m_window,
                        QStringLiteral("* 품목 파일을 저장하지 못했습니다 !\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    Q_EMIT done();
}
