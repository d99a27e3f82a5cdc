#pragma once

#include "common/currency.h"

#include <QDialog>
#include <QHash>
#include <QList>

#include <array>

class QCheckBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The print-condition dialog ("인쇄 조건 설정"): the modal chooser every report request passes
// through. It reads the print request of Program() when it opens and writes the result code
// (PrintChoice), the preview flag (PreviewRequested) and, for confirm, preview and cancel,
// its state back into the request. Printer settings and row selections go to the settings
// store (which keeps nothing, so every opening shows the defaults).
class PrnSeltFrm : public QDialog {
    Q_OBJECT
public:
    explicit PrnSeltFrm(QWidget *parent = nullptr);

    // Values written to the settings store while this dialog was open, by key (the store
    // itself keeps nothing; this lets the caller see what the dialog decided to keep).
    const QHash<QString, qint32> &writtenSettings() const { return m_written; }

    // Row selections: paper, print kind, print method, option #01..#03.
    QPushButton *PrnSel11Cmd, *PrnSel12Cmd, *PrnSel13Cmd, *PrnSel14Cmd, *PrnSel15Cmd;
    QPushButton *PrnSel21Cmd, *PrnSel22Cmd, *PrnSel23Cmd, *PrnSel24Cmd, *PrnSel25Cmd;
    QPushButton *PrnSel31Cmd, *PrnSel32Cmd;
    QPushButton *PrnSel61Cmd, *PrnSel62Cmd, *PrnSel63Cmd;
    QPushButton *PrnSel71Cmd, *PrnSel72Cmd, *PrnSel73Cmd;
    QPushButton *PrnSel81Cmd, *PrnSel82Cmd, *PrnSel83Cmd;
    QLabel *PrnMsgLbl, *PrnMsg1Lbl, *PrnMsg2Lbl, *PrnMsg3Lbl;

    // Range panels, one per range kind 1..5.
    QFrame *Frame6, *Frame8, *Frame334, *Frame86, *Frame20s;
    QLineEdit *St6Txt, *Ed6Txt, *St8Txt, *Ed8Txt;
    QLineEdit *St334aTxt, *St334bTxt, *St334cTxt, *Ed334aTxt, *Ed334bTxt, *Ed334cTxt;
    QLineEdit *St86aTxt, *St86bTxt, *Ed86aTxt, *Ed86bTxt;
    QLineEdit *St20sTxt, *Ed20sTxt;

    // Inkjet fine adjustment panel.
    QPushButton *SetInkCmd;
    QGroupBox *SetInkFme;
    QCheckBox *SetBjChk, *SetBxChk;
    QLineEdit *SetBjYTxt, *SetBjHTxt, *SetBjLTxt;
    QPushButton *ExitInkCmd;

    // A4 margin panel.
    QPushButton *PrintSpcCmd;
    QGroupBox *PrintSpcFme;
    std::array<QLineEdit *, 8> A4TopTxt{};  // A4Top01Txt..A4Top08Txt
    std::array<QLineEdit *, 8> A4LeftTxt{}; // A4Left01Txt..A4Left08Txt
    QPushButton *PspExitCmd;

    QRadioButton *SelPrt0Opt, *SelPrt1Opt;
    QPushButton *PrintDlgCmd;
    QDateEdit *DTPicker1;

    QPushButton *PrnInputCmd, *PrnViewCmd, *PrnSpreadCmd, *ExcelWriteCmd, *ExcelViewCmd,
        *PrnCancelCmd;

public Q_SLOTS:
    void PrnInputCmd_Click();
    void PrnViewCmd_Click();
    void PrnSpreadCmd_Click();
    void ExcelWriteCmd_Click();
    void ExcelViewCmd_Click();
    void PrnCancelCmd_Click();
    void SetInkCmd_Click();
    void ExitInkCmd_Click();
    void PrintSpcCmd_Click();
    void PspExitCmd_Click();
    void SelPrt0Opt_Click();
    void SelPrt1Opt_Click();
    void SetBjChk_Click();
    void SetBxChk_Click();
    void PrintDlgCmd_Click();

    void done(int result) override;
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class FieldKind { A4Offset, Fine, Range, Text };
    struct Field {
        FieldKind kind = FieldKind::Range;
        int cut = 0; // characters kept on leaving; 0 = whole text
        bool clearsOnFirstKey = true;
        QWidget *enter = nullptr;
        QWidget *down = nullptr;
        QWidget *up = nullptr;
        QString key; // settings key of a fine-adjustment field
        bool firstKeySeen = false;
    };
    struct SelectionRow {
        int index = 0;      // 1 paper, 2 kind, 3 method, 6..8 options
        quint32 colour = 0; // &H00BBGGRR of the selected button
        QList<QPushButton *> buttons;
    };

    void buildForm();
    void Form_Load();
    void Form_Unload();
    void PrnSelCmd_Click(int rowIndex, int button);
    void paintButton(QPushButton *button, quint32 colour);
    void addField(QLineEdit *edit, FieldKind kind, int cut, bool clears, QWidget *enter,
                  QWidget *down, QWidget *up, const QString &key = QString());
    void leaveField(QLineEdit *edit, Field &field);
    void saveInt(const QString &key, qint32 value);
    void saveA4Offsets();
    void loadA4Offsets();
    void finish(qint16 choice, bool preview, bool returnState);
    void copyStateToRequest();
    void placePanel(QWidget *panel, QWidget *anchor);
    QString listKey(const QString &name) const;

    static qint64 offsetValue(const QString &text);
    static Currency fineValue(const QString &text);
    static qint64 rangeValue(const QString &text);

    QHash<QLineEdit *, Field> m_fields;
    QList<SelectionRow> m_rows;
    QHash<QString, qint32> m_written;
    QString m_listKind;
    qint16 m_rangeKind = 1;
    std::array<qint16, 9> m_selection{};
    bool m_closedByButton = false;
    bool m_unloaded = false;
};
