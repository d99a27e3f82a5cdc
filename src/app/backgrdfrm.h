// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/trackedfile.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;
class NameLabel;

// The background menu panel that fills the main window: the printer-model buttons and the
// 22 barcode sets with their names.
class BackGrdFrm : public QWidget {
    Q_OBJECT
public:
    static constexpr int SetCount = 22;

    explicit BackGrdFrm(QWidget *parent = nullptr);

    QPushButton *Mnu001Cmd = nullptr;
    QPushButton *Mnu010Cmd = nullptr;
    QPushButton *Mnu020Cmd = nullptr;
    QPushButton *Mnu999Cmd = nullptr;
    std::array<QRadioButton *, SetCount> BarSeltOpt{};
    std::array<NameLabel *, SetCount> BarNameLbl{};
    QLineEdit *BarNameTxt = nullptr;

    void BarSeltOpt_Click(int index);
    void BarNameLbl_Click(int index);
    void BarNameLbl_DblClick(int index);
    // Shows the names of Program().BarcodeSetNames.
    void showNames();
    // The barcode-set file as the panel read it (the main window writes it at the end).
    TrackedFile *setFile() { return &m_setFile; }

Q_SIGNALS:
    void modelRequested(const QString &formName);
    void exitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void finishRename();
    int m_renaming = -1;
    TrackedFile m_setFile;
};
