// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

// "인쇄 미리 보기 (A4)": an A4 page picture (297 units across) that the scroll bars and the
// keys move: Home / End, Up / Down by 20, Page Up / Page Down by 200, Left / Right by 20;
// Escape or "닫기" closes.
class PrnViewFrm : public QDialog {
    Q_OBJECT
public:
    explicit PrnViewFrm(QWidget *parent = nullptr);

    QLabel *PrnViewPic;
    QScrollBar *HScroll1;
    QScrollBar *VScroll1;
    QPushButton *Command1;

public Q_SLOTS:
    void HScroll1_Change(int value);
    void VScroll1_Change(int value);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *m_clip;
};
