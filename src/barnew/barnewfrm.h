// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/barcodenumber.h"

#include <QDialog>

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QKeyEvent;

// "바코드 등록 작업": composes a store EAN-13 number. Opened modally by the goods item
// editor, which takes the confirmed code from code().
class BarNewFrm : public QDialog {
    Q_OBJECT

public:
    explicit BarNewFrm(QWidget *parent = nullptr);

    // The entry boxes by their number: 0 prefix, 1 company, 2 goods, 3 check digit,
    // 10 base prefix, 11 base company. Other slots are null.
    std::array<QLineEdit *, 12> gdsBarNoTxt{};
    QRadioButton *BComLen0Opt = nullptr;
    QRadioButton *BComLen1Opt = nullptr;
    QRadioButton *BComLen2Opt = nullptr;
    QRadioButton *BComLen3Opt = nullptr;
    QRadioButton *BComLen4Opt = nullptr;
    QPushButton *BarEnterCmd = nullptr;
    QPushButton *BarExitCmd = nullptr;
    QPushButton *BarF1Cmd = nullptr;

    const BarcodeNumber &number() const { return m_number; }
    // The 13-digit code the operator confirmed; none while the window is open or after a
    // cancel.
    std::optional<QString> code() const { return m_code; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int r) override;

private:
    void Form_Load();
    void BComLenOpt_Click(int mode);
    void gdsBarNoTxt_GotFocus(int index, Qt::FocusReason reason);
    void gdsBarNoTxt_LostFocus(int index);
    bool gdsBarNoTxt_KeyDown(int index, QKeyEvent *key);
    void BarEnterCmd_Click();
    void BarExitCmd_Click();

    int boxIndex(QObject *watched) const;
    void readBoxes();
    void showBoxes();
    void moveTo(int index);

    BarcodeNumber m_number;
    std::array<QRadioButton *, BarcodeNumber::ModeCount> m_modeOpts{};
    bool m_closing = false;
    std::optional<QString> m_code;
};
