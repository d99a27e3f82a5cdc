// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "model/sheetlayout.h"

#include <QDialog>
#include <QList>
#include <QPrinter>

#include <optional>

class QLabel;
class QPrintPreviewWidget;
class QPushButton;

// The labels as a system printer will print them, page by page (sheets of labels, or one
// label a page on a roll), drawn by the program's own painter; "인쇄..." opens the system's
// print dialog (copies, page range) and prints. Accepted once printed.
class LabelSheetPreviewFrm : public QDialog {
    Q_OBJECT
public:
    // `sheet`: none for a roll. `start`: 0-based cell of the first sheet.
    LabelSheetPreviewFrm(const QList<LabelDescription> &labels, std::optional<SheetLayout> sheet,
                         int start, const QString &printerName, QWidget *parent = nullptr);
    ~LabelSheetPreviewFrm() override;

    QPrintPreviewWidget *PreviewWgt = nullptr;
    QPushButton *PrevPageCmd = nullptr;
    QPushButton *NextPageCmd = nullptr;
    QLabel *PageLbl = nullptr;
    QPushButton *FitCmd = nullptr;
    QPushButton *ZoomInCmd = nullptr;
    QPushButton *ZoomOutCmd = nullptr;
    QLabel *SummaryLbl = nullptr;
    QPushButton *PrintCmd = nullptr;
    QPushButton *CloseCmd = nullptr;

    // Pages of the preview (sheets, or labels on a roll).
    int pageCount() const;
    // What was printed, for the status line: "라벨 30장, A4 시트 2장 → Office"; empty before.
    QString printed() const { return m_printed; }

    // The preview's resolution: the labels are drawn with whole-dot bars at it.
    static constexpr int PreviewDpi = 300;

private:
    void PrintCmd_Click();
    void showPage();
    QString summary() const;

    QList<LabelDescription> m_labels;
    std::optional<SheetLayout> m_sheet;
    int m_start = 0;
    QString m_printerName;
    QPrinter m_previewPrinter;
    QString m_printed;
};
