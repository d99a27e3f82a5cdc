// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/labeldescription.h"
#include "render/scancheck.h"

#include <QGroupBox>
#include <QList>

template <typename T> class QFutureWatcher;

class QItemSelectionModel;
class QLabel;
class QListWidget;
class QRadioButton;
class QScrollArea;
class LabelPreviewCanvas;
class PrinterLanguage;
class StationDocument;

// The station's label preview: the label drawn from the very command text that would be
// sent, fitted or at real size, with the scan check of each barcode under it and what would
// not print as designed listed below. The scan check runs on a worker thread after the label
// is drawn, so typing never waits for it; a check overtaken by an edit is run again for the
// newest label and its stale result is dropped.
class LabelPreviewPane : public QGroupBox {
    Q_OBJECT
public:
    explicit LabelPreviewPane(QWidget *parent = nullptr);
    ~LabelPreviewPane() override;

    // From now on shows the label of the station's format on screen with the goods row under
    // the grid's cursor, and follows every change of either: the formats, the goods list,
    // the format chosen, the label stock and the cursor.
    void follow(const StationDocument *document, QItemSelectionModel *cursor);
    // The station's label from now on in `language` at `dpi` (a port that speaks another
    // language than the station's): the pane shows and checks the very job that port gets.
    void setPortLanguage(const PrinterLanguage *language, int dpi);
    // Reads the job text and shows its first label.
    void showJob(const QString &jobText);
    const QString &jobText() const { return m_jobText; }
    const LabelDescription &label() const;
    // The goods row the label is drawn with (1-based; 0: none, the format's fixed texts).
    int goodsRow() const;
    // The reader's and the painter's problems as listed.
    QStringList problems() const;
    // The scan check of the label shown, once it has finished (empty while it runs).
    QList<ScanResult> scanResults() const;
    bool scanCheckRunning() const;

    QRadioButton *LabelPreviewZoomFitOpt = nullptr;
    QRadioButton *LabelPreviewRealOpt = nullptr;
    QLabel *LabelPreviewSizeLbl = nullptr;
    QScrollArea *LabelPreviewScr = nullptr;
    LabelPreviewCanvas *LabelPreviewCnv = nullptr;
    QLabel *LabelDesignLbl = nullptr; // the element chosen on the label, its place and size
    QListWidget *LabelScanLst = nullptr;
    QLabel *LabelProblemsLbl = nullptr;
    QListWidget *LabelProblemsLst = nullptr;

Q_SIGNALS:
    // The scan results of the label shown are in LabelScanLst.
    void scanChecked();
    // A new label is shown.
    void labelShown();

private:
    void showStation();
    void goodsChanged(int firstRow, int lastRow);
    void setRealSize(bool on);
    void startScanCheck();
    void scanCheckFinished();
    void showScanResults();
    // "문제 없음", or how many findings and failed scans there are.
    void showProblemCount();

    const StationDocument *m_doc = nullptr;
    const PrinterLanguage *m_language = nullptr; // null: the station's own
    int m_dpi = 0;
    QItemSelectionModel *m_cursor = nullptr;
    QString m_jobText;
    QString m_checkedText; // the job whose results m_scanResults are
    QList<ScanResult> m_scanResults;
    QFutureWatcher<QList<ScanResult>> *m_scanWatcher = nullptr;
    QString m_runningText;        // the job being checked
    QStringList m_listedBarcodes; // the barcodes LabelScanLst names
};
