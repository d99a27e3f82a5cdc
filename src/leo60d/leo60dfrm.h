// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class PreFile;
class TextGridModel;

// Conversion of a LEO-60D+ goods file (".pre") into the AL-300 goods data file of the
// current barcode set: shows the file's field layout and records in two grids and writes
// the fields the operator chooses as the 3 barcodes and 10 texts of each goods item.
class LEO60DFrm : public QWidget {
    Q_OBJECT

public:
    explicit LEO60DFrm(QWidget *parent = nullptr);

    // "<data dir>/AL300Dat[nn].Txt", fixed when the window opens.
    QString targetFileName() const { return m_targetFile; }
    TextGridModel *goodsModel() const { return m_goods; }
    TextGridModel *layoutModel() const { return m_layout; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void GdsHelpCmd_Click();
    void ChtViewCmd_Click();
    void ChtWriteCmd_Click();
    void BarEnterCmd_Click();
    void BarExitCmd_Click();
    void BarRestoreCmd_Click();
    void ChtSeltCmd_Click();
    void SetExitCmd_Click();
    void ChtPrintCmd_Click();
    void ChtHelpCmd_Click();
    void ChtDispCmd_Click();
    void ChtExitCmd_Click();

private:
    void buildControls();
    QWidget *buildCopyPanel();
    void showFile(const PreFile &file);
    // Column number of a box: 1 to the goods grid's column count, else 0.
    int columnOfBox(const QLineEdit *box) const;
    void ColumnBox_LostFocus(QLineEdit *box);
    void moveBetweenBoxes(QLineEdit *box, int step);

    QString m_setText;
    QString m_targetFile;
    QString m_userCode;

    TextGridModel *m_layout = nullptr;
    TextGridModel *m_goods = nullptr;

    QLabel *BarSeltLbl = nullptr;
    QLineEdit *GdsTfileTxt = nullptr;
    QPushButton *GdsHelpCmd = nullptr;
    QPushButton *ChtViewCmd = nullptr;
    QPushButton *ChtWriteCmd = nullptr;
    QPushButton *ChtSeltCmd = nullptr;
    QPushButton *ChtPrintCmd = nullptr;
    QPushButton *ChtHelpCmd = nullptr;
    QPushButton *ChtDispCmd = nullptr;
    QPushButton *ChtExitCmd = nullptr;
    QTableView *vaSpread1 = nullptr;
    QTableView *vaSpread2 = nullptr;
    QLineEdit *RecLengTxt = nullptr;

    QGroupBox *BarCopyFme = nullptr;
    QList<QLineEdit *> BarColTxt;     // barcodes #1..#3
    QList<QLineEdit *> TxtColTxt;     // texts #01..#10
    QList<QLineEdit *> m_columnBoxes; // the 13 boxes in screen order
    QPushButton *BarEnterCmd = nullptr;
    QPushButton *BarExitCmd = nullptr;
    QPushButton *BarRestoreCmd = nullptr; // "되살리기": the goods file before the last conversion

    QGroupBox *ChtSelectFme = nullptr;
    QPushButton *SetExitCmd = nullptr;
};
