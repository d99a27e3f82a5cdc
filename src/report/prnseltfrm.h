// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/reportrequest.h"

#include <QDialog>
#include <QHash>
#include <QList>

#include <array>

class PrinterSettingsPanel;
class PrintEntryFields;
class QDateEdit;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The print-condition dialog ("인쇄 조건 설정"): the modal chooser every report request passes
// through. It shows the request (list kind, range kind and values, captions, allowed
// papers) and answers with the same request carrying the exit button's PrintChoice, the
// PreviewRequested flag and, for confirm, preview and cancel, the dialog's state. Printer
// settings and row selections go to the settings store (which keeps nothing, so every
// opening shows the defaults).
class PrnSeltFrm : public QDialog {
    Q_OBJECT
public:
    explicit PrnSeltFrm(const ReportRequest &request, QWidget *parent = nullptr);
    ~PrnSeltFrm() override;

    // The dialog's answer; PrintChoice is Nothing until an exit button closes it.
    const ReportRequest &answer() const { return m_answer; }
    // Shows the dialog modally for the request and gives its answer.
    static ReportRequest ask(const ReportRequest &request, QWidget *parent = nullptr);

    // Values written to the settings store while this dialog was open, by key (the store
    // itself keeps nothing; this lets the caller see what the dialog decided to keep).
    const QHash<QString, qint32> &writtenSettings() const { return m_written; }
    // The printer type, inkjet fine adjustment, A4 margins and printer dialog controls.
    PrinterSettingsPanel *printerPanel() const { return m_printer; }

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

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct SelectionRow {
        int index = 0;      // 1 paper, 2 kind, 3 method, 6..8 options
        quint32 colour = 0; // &H00BBGGRR of the selected button
        QList<QPushButton *> buttons;
    };

    void buildForm();
    void buildRangePanels(QGridLayout *grid);
    void Form_Load(const ReportRequest &request);
    void Form_Unload();
    void PrnSelCmd_Click(int rowIndex, int button);
    void paintButton(QPushButton *button, quint32 colour);
    void saveInt(const QString &key, qint32 value);
    bool exitAllowed(QPushButton *button);
    void finish(PrintExit choice, bool preview, bool returnState);
    void copyStateToAnswer();
    QString listKey(const QString &name) const;

    PrintEntryFields *m_fields;
    PrinterSettingsPanel *m_printer;
    QList<SelectionRow> m_rows;
    QHash<QString, qint32> m_written;
    ReportRequest m_answer;
    QString m_listKind;
    qint16 m_rangeKind = 1;
    std::array<qint16, 9> m_selection{};
    bool m_closedByButton = false;
    bool m_unloaded = false;
};
