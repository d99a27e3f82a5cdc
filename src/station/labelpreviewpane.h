#pragma once

#include "model/labeldescription.h"

#include <QGroupBox>

class QLabel;
class QListWidget;
class QRadioButton;
class QScrollArea;
class LabelPreviewCanvas;

// The station's label preview: the label drawn from the very command text that would be
// sent, fitted or at real size, with what would not print as designed listed under it.
class LabelPreviewPane : public QGroupBox {
    Q_OBJECT
public:
    explicit LabelPreviewPane(QWidget *parent = nullptr);

    // Reads the job text and shows its first label.
    void showJob(const QString &jobText);
    const QString &jobText() const { return m_jobText; }
    const LabelDescription &label() const;
    // The reader's and the painter's problems as listed.
    QStringList problems() const;

    QRadioButton *LabelPreviewZoomFitOpt = nullptr;
    QRadioButton *LabelPreviewRealOpt = nullptr;
    QLabel *LabelPreviewSizeLbl = nullptr;
    QScrollArea *LabelPreviewScr = nullptr;
    LabelPreviewCanvas *LabelPreviewCnv = nullptr;
    QLabel *LabelProblemsLbl = nullptr;
    QListWidget *LabelProblemsLst = nullptr;

private:
    void setRealSize(bool on);

    QString m_jobText;
};
