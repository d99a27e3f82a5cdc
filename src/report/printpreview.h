// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gridprintsettings.h"
#include "report/reportsource.h"

#include <QPointer>
#include <QWidget>

#include <array>

class PreviewPages;
class PrinSetup;
class PrintPageSetup;
class QPushButton;

// "출력 미리보기": the registration report page by page before it is printed. Non-modal;
// one window at a time (instance()). Its toolbar pages through the report ("다음",
// "이전"), zooms ("확대"), opens the page setup ("설정") and the print options ("출력"),
// or closes ("닫기"); Escape closes too. The pages are drawn by the same GridPagePainter
// that prints them, so the preview shows exactly the printed pages. The print settings are
// shared with the page setup and print options windows it opens.
class PrintPreview : public QWidget {
    Q_OBJECT
public:
    // Toolbar columns of the buttons.
    enum Column {
        NextCol = 2,
        PrevCol = 4,
        ZoomCol = 6,
        SetupCol = 8,
        PrintCol = 10,
        CloseCol = 16
    };

    PrintPreview(ReportSource source, SharedPrintSettings settings, QWidget *parent = nullptr);
    ~PrintPreview() override;

    // The open preview window, if any.
    static PrintPreview *instance();

    const ReportSource &source() const { return m_source; }
    const SharedPrintSettings &printSettings() const { return m_settings; }
    // Lays the report out afresh with the present settings (after the page setup changed
    // them) and sets lngPageCount to the new count.
    void refresh();
    // Puts a zoom choice (index into the 14-item zoom list) on the pages.
    void applyZoom(int index);
    // Pages the report prints with the present settings.
    int gridPageCount() const;

    qint32 lngPageCount = 0; // set by the caller before showing
    PreviewPages *fpSpreadPreview1;
    QWidget *fpSpread1; // the toolbar

    void SetupToolbar();
    void DisableButton(int column, const QString &direction);
    void EnableButton(int column, const QString &direction);
    QPushButton *toolbarButton(int column) const;

public Q_SLOTS:
    void fpSpread1_ButtonClicked(int column, int row);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ReportSource m_source;
    SharedPrintSettings m_settings;
    QPointer<PrintPageSetup> m_pageSetup;
    QPointer<PrinSetup> m_printOptions;
    std::array<QPushButton *, 18> m_buttons{}; // by toolbar column, 1..17
    bool m_activated = false;
};

// The items of the zoom list, index 0..13.
QStringList PreviewZoomItems();
