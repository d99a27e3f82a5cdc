// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelsheetpreviewfrm.h"

#include "render/labelpdf.h"
#include "render/labelsheets.h"
#include "report/systemlabelprint.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

LabelSheetPreviewFrm::LabelSheetPreviewFrm(const QList<LabelDescription> &labels,
                                           std::optional<SheetLayout> sheet, int start,
                                           const QString &printerName, QWidget *parent)
    : QDialog(parent), m_labels(labels), m_sheet(std::move(sheet)), m_start(start),
      m_printerName(printerName), m_previewPrinter(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("LabelSheetPreviewFrm"));
    setWindowTitle(QStringLiteral("인쇄 미리보기"));
    // The preview is a PDF printer of the same pages at a fixed resolution: the system's
    // printer may be slow to ask, or gone meanwhile.
    m_previewPrinter.setOutputFormat(QPrinter::PdfFormat);
    SystemLabelPrint::setPage(m_previewPrinter, m_labels, m_sheet ? &*m_sheet : nullptr, m_start,
                              nullptr, nullptr);
    m_previewPrinter.setResolution(PreviewDpi);

    auto *v = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    PrevPageCmd = button(QStringLiteral("◀ 이전"), QStringLiteral("PrevPageCmd"), this);
    NextPageCmd = button(QStringLiteral("다음 ▶"), QStringLiteral("NextPageCmd"), this);
    PageLbl = new QLabel(this);
    PageLbl->setObjectName(QStringLiteral("PageLbl"));
    PageLbl->setMinimumWidth(80);
    PageLbl->setAlignment(Qt::AlignCenter);
    FitCmd = button(QStringLiteral("화면맞춤"), QStringLiteral("FitCmd"), this);
    ZoomInCmd = button(QStringLiteral("확대"), QStringLiteral("ZoomInCmd"), this);
    ZoomOutCmd = button(QStringLiteral("축소"), QStringLiteral("ZoomOutCmd"), this);
    for (QWidget *w : {static_cast<QWidget *>(PrevPageCmd), static_cast<QWidget *>(PageLbl),
                       static_cast<QWidget *>(NextPageCmd)})
        bar->addWidget(w);
    bar->addSpacing(16);
    bar->addWidget(FitCmd);
    bar->addWidget(ZoomInCmd);
    bar->addWidget(ZoomOutCmd);
    bar->addStretch();
    PrintCmd = button(QStringLiteral("인쇄..."), QStringLiteral("PrintCmd"), this);
    PrintCmd->setDefault(true);
    CloseCmd = button(QStringLiteral("닫기"), QStringLiteral("CloseCmd"), this);
    bar->addWidget(PrintCmd);
    bar->addWidget(CloseCmd);
    v->addLayout(bar);
    SummaryLbl = new QLabel(summary(), this);
    SummaryLbl->setObjectName(QStringLiteral("SummaryLbl"));
    v->addWidget(SummaryLbl);

    PreviewWgt = new QPrintPreviewWidget(&m_previewPrinter, this);
    PreviewWgt->setObjectName(QStringLiteral("PreviewWgt"));
    PreviewWgt->setViewMode(QPrintPreviewWidget::SinglePageView);
    PreviewWgt->fitInView();
    v->addWidget(PreviewWgt, 1);
    connect(PreviewWgt, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        SystemLabelPrint::print(*printer, m_labels, m_sheet ? &*m_sheet : nullptr, m_start, nullptr,
                                nullptr);
    });
    connect(PreviewWgt, &QPrintPreviewWidget::previewChanged, this,
            &LabelSheetPreviewFrm::showPage);
    connect(PrevPageCmd, &QPushButton::clicked, this,
            [this] { PreviewWgt->setCurrentPage(PreviewWgt->currentPage() - 1); });
    connect(NextPageCmd, &QPushButton::clicked, this,
            [this] { PreviewWgt->setCurrentPage(PreviewWgt->currentPage() + 1); });
    connect(FitCmd, &QPushButton::clicked, PreviewWgt, &QPrintPreviewWidget::fitInView);
    connect(ZoomInCmd, &QPushButton::clicked, this, [this] { PreviewWgt->zoomIn(); });
    connect(ZoomOutCmd, &QPushButton::clicked, this, [this] { PreviewWgt->zoomOut(); });
    connect(PrintCmd, &QPushButton::clicked, this, &LabelSheetPreviewFrm::PrintCmd_Click);
    connect(CloseCmd, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 900);
    PreviewWgt->updatePreview();
    showPage();
}

LabelSheetPreviewFrm::~LabelSheetPreviewFrm() = default;

int LabelSheetPreviewFrm::pageCount() const
{
    return PreviewWgt->pageCount();
}

QString LabelSheetPreviewFrm::summary() const
{
    const int labels = LabelPdf::pageCount(m_labels);
    QString text = QStringLiteral("라벨 %1장").arg(labels);
    if (m_sheet)
        text += QStringLiteral(", %1 시트 %2장 (%3, %4번째 칸부터)")
                    .arg(m_sheet->paperName())
                    .arg(LabelSheets::sheetCount(m_labels, *m_sheet, m_start))
                    .arg(m_sheet->name)
                    .arg(m_start + 1);
    else
        text += QStringLiteral(", 롤 (한 장에 한 쪽)");
    return text + QStringLiteral(" → ") + m_printerName;
}

void LabelSheetPreviewFrm::showPage()
{
    const int page = PreviewWgt->currentPage(), pages = PreviewWgt->pageCount();
    PageLbl->setText(QStringLiteral("%1 / %2 쪽").arg(page).arg(pages));
    PrevPageCmd->setEnabled(page > 1);
    NextPageCmd->setEnabled(page < pages);
}

void LabelSheetPreviewFrm::PrintCmd_Click()
{
    const SheetLayout *sheet = m_sheet ? &*m_sheet : nullptr;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Label Station"));
    QString why;
    if (!SystemLabelPrint::setUp(printer, m_printerName, m_labels, sheet, m_start, &why, nullptr)) {
        Dialogs::inform(this, QStringLiteral("* %1 !").arg(why), QStringLiteral("인쇄"));
        return;
    }
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("인쇄"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, qMax(1, pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0, last = -1;
    if (printer.printRange() == QPrinter::PageRange &&
        printer.pageRanges().toRangeList().size() > 1) {
        Dialogs::inform(this, QStringLiteral("* 인쇄할 쪽은 한 범위로 넣으세요 (예: 2-5) !"),
                        QStringLiteral("인쇄"));
        return;
    }
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok =
        SystemLabelPrint::print(printer, m_labels, sheet, m_start, &why, nullptr, first, last);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        Dialogs::inform(this, QStringLiteral("* %1 !").arg(why), QStringLiteral("인쇄"),
                        QMessageBox::Warning);
        return;
    }
    m_printed = summary();
    if (last >= 0)
        m_printed += QStringLiteral(" (%1-%2쪽)").arg(first + 1).arg(last + 1);
    if (printer.copyCount() > 1)
        m_printed += QStringLiteral(", %1부").arg(printer.copyCount());
    accept();
}
