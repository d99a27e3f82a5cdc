// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationsystemprint.h"

#include "commands/stationdocument.h"
#include "common/programstate.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/sheetlayout.h"
#include "printers/labeljobreader.h"
#include "render/labelsheets.h"
#include "render/printedscan.h"
#include "report/systemlabelprint.h"
#include "station/labelsheetpreviewfrm.h"
#include "station/scangate.h"
#include "station/stationprinter.h"
#include "widgets/dialogs.h"
#include "widgets/statuslog.h"

#include <QApplication>
#include <QFutureWatcher>
#include <QPrinter>
#include <QPushButton>
#include <QtConcurrent>

// What the worker hands back to the window.
struct StationSystemPrint::Drawn {
    QList<LabelDescription> labels;
    QList<PlanScan::Goods> unscannable;
    QStringList skipped, tooMany;
};

StationSystemPrint::StationSystemPrint(StationDocument *document, QWidget *window, QObject *parent)
    : QObject(parent), m_doc(document), m_window(window)
{
}

void StationSystemPrint::print(const PrintRequest &request, QPushButton *button,
                               std::function<void()> after)
{
    if (m_busy)
        return;
    const QString title = QStringLiteral("인쇄");
    if (!SystemLabelPrint::printers().contains(m_choice.printer)) {
        Dialogs::inform(m_window,
                        QStringLiteral("* 시스템 프린터 '%1'이(가) 없습니다 !\n"
                                       "포트 옆의 '시스템 프린터'에서 다시 고르세요.")
                            .arg(m_choice.printer),
                        title, QMessageBox::Warning);
        return;
    }
    m_sheet.reset();
    if (!m_choice.sheet.isEmpty()) {
        SheetLayout layout;
        if (!SheetLayout::find(SheetLayout::all(DataDirectory()), m_choice.sheet, &layout)) {
            Dialogs::inform(m_window,
                            QStringLiteral("* 라벨 시트 '%1'이(가) 없습니다 !").arg(m_choice.sheet),
                            title, QMessageBox::Warning);
            return;
        }
        m_sheet = layout;
    }
    // The printer's own resolution: the labels are checked as it will draw them.
    QPrinter probe(QPrinter::HighResolution);
    probe.setPrinterName(m_choice.printer);
    const double dpi = probe.resolution();

    m_busy = true;
    m_button = button;
    if (m_button)
        m_button->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PrinterDriver &station = m_doc->driver();
    const FormatSet set = m_doc->formatSet();
    const QList<QStringList> rows = m_doc->goods()->rowTexts();
    auto *watcher = new QFutureWatcher<Drawn>(this);
    connect(watcher, &QFutureWatcher<Drawn>::finished, this, [this, watcher, after] {
        const Drawn drawn = watcher->result();
        watcher->deleteLater();
        show(drawn, after);
    });
    watcher->setFuture(QtConcurrent::run([set, rows, request, dpi, &station] {
        GoodsTable goods;
        goods.setRowTexts(rows);
        const PrintPlan plan = PrintPlan::make(station, set, goods, request);
        Drawn d;
        d.skipped = StationPrinter::skipReasons(plan);
        for (const PrintPlan::Skipped &s : plan.skipped) {
            if (s.why == PrintPlan::Skip::TooMany)
                d.tooMany << QStringLiteral("%1 (%2)").arg(s.number).arg(s.count);
        }
        for (const PrintPlan::Label &l : plan.labels)
            d.labels << LabelJobReader::read(l.stationJob);
        const QList<QStringList> reasons = PrintedScan::reasons(d.labels, dpi);
        for (int i = 0; i < plan.labels.size(); ++i) {
            const PrintPlan::Label &l = plan.labels[i];
            if (!reasons[i].isEmpty() &&
                (d.unscannable.isEmpty() || d.unscannable.last().row != l.row))
                d.unscannable << PlanScan::Goods{
                    l.row, l.number, goods.cell(l.row, GoodsTable::NameColumn).trimmed(),
                    reasons[i]};
        }
        return d;
    }));
}

void StationSystemPrint::show(const Drawn &drawn, std::function<void()> after)
{
    const QString title = QStringLiteral("인쇄");
    QApplication::restoreOverrideCursor();
    if (drawn.labels.isEmpty()) {
        QStringList why = drawn.skipped;
        Dialogs::inform(
            m_window,
            QStringLiteral("* 인쇄할 라벨이 없습니다 !\n%1").arg(why.join(QStringLiteral(", "))),
            title);
        return end();
    }
    const std::optional<SheetLayout> sheet = m_sheet;
    QString why;
    if (sheet && !LabelSheets::check(drawn.labels, *sheet, m_choice.start - 1, &why, nullptr)) {
        Dialogs::inform(m_window, QStringLiteral("* %1 !").arg(why), title, QMessageBox::Warning);
        return end();
    }
    if (!ScanGate::askToGoOn(m_window, drawn.unscannable, title))
        return end();
    LabelSheetPreviewFrm preview(drawn.labels, sheet, sheet ? m_choice.start - 1 : 0,
                                 m_choice.printer, m_window);
    const bool printed = preview.exec() == QDialog::Accepted;
    if (printed)
        StatusLog::post(m_window, QStringLiteral("인쇄: ") + preview.printed());
    end();
    if (!printed)
        return;
    if (!drawn.tooMany.isEmpty())
        Dialogs::inform(m_window,
                        QStringLiteral("* 수량이 %1장을 넘는 품목은 인쇄하지 않았습니다 !\n%2")
                            .arg(LabelJob::MaxCount)
                            .arg(drawn.tooMany.join(QStringLiteral(", "))),
                        title);
    if (after)
        after();
}

void StationSystemPrint::end()
{
    if (m_button)
        m_button->setEnabled(true);
    m_button = nullptr;
    m_busy = false;
}
