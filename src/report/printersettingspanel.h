// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <array>
#include <functional>

class PrintEntryFields;
struct ReportRequest;
class QCheckBox;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The printer settings of the print-condition dialog, kept for the whole program rather
// than per list: the printer type ("레이저" / "잉크젯"), the inkjet fine adjustment panel
// ("Ink"), the A4 margin panel ("여백") and the system printer dialog ("설정"). Every change
// is written to the settings store at once (through the dialog's writer); reading them
// back gives the defaults, as the store keeps nothing.
class PrinterSettingsPanel : public QObject {
    Q_OBJECT
public:
    using SettingWriter = std::function<void(const QString &key, qint32 value)>;

    // The controls belong to `form`; the side panels open over it.
    PrinterSettingsPanel(QDialog *form, PrintEntryFields *fields, SettingWriter write);

    // The printer type frame and the three buttons, into the form's printer row.
    void buildRow(QHBoxLayout *row);
    // The two side panels, hidden; built after the rest of the form so that they lie on top.
    void buildPanels();
    // Reads the settings with their clamps into the controls and hides the side panels.
    void load();
    // The printer type, both check boxes and the fine adjustments into an answer.
    void copyTo(ReportRequest &answer) const;

    QRadioButton *SelPrt0Opt = nullptr, *SelPrt1Opt = nullptr;
    QPushButton *PrintDlgCmd = nullptr;

    // Inkjet fine adjustment panel.
    QPushButton *SetInkCmd = nullptr;
    QGroupBox *SetInkFme = nullptr;
    QCheckBox *SetBjChk = nullptr, *SetBxChk = nullptr;
    QLineEdit *SetBjYTxt = nullptr, *SetBjHTxt = nullptr, *SetBjLTxt = nullptr;
    QPushButton *ExitInkCmd = nullptr;

    // A4 margin panel.
    QPushButton *PrintSpcCmd = nullptr;
    QGroupBox *PrintSpcFme = nullptr;
    std::array<QLineEdit *, 8> A4TopTxt{};  // A4Top01Txt..A4Top08Txt
    std::array<QLineEdit *, 8> A4LeftTxt{}; // A4Left01Txt..A4Left08Txt
    QPushButton *PspExitCmd = nullptr;

public Q_SLOTS:
    void SetInkCmd_Click();
    void ExitInkCmd_Click();
    void PrintSpcCmd_Click();
    void PspExitCmd_Click();
    void SelPrt0Opt_Click();
    void SelPrt1Opt_Click();
    void SetBjChk_Click();
    void SetBxChk_Click();
    void PrintDlgCmd_Click();

private:
    void loadA4Offsets();
    void saveA4Offsets();
    void placePanel(QWidget *panel, QWidget *anchor);

    QDialog *m_form;
    PrintEntryFields *m_fields;
    SettingWriter m_write;
};
