#pragma once

#include <QDialog>

#include <array>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "품목 등록 수정 작업": enters or changes one goods item. Both stations open it the same way:
// they fill Program().EditItem, set Program().EditMode (0 insert, 1 update) and read
// EditItem back when Program().EditResult is 1. Every box writes into EditItem when it is
// left, so EditItem always holds what the boxes show.
class AL300EdtFrm : public QDialog {
    Q_OBJECT

public:
    explicit AL300EdtFrm(QWidget *parent = nullptr);

    // Opens the editor modally unless another modal window is being opened (then
    // EditResult is 0 and nothing opens). True when the operator confirmed.
    static bool Edit(QWidget *parent);

    // The print quantity typed into the quantity box: the absolute whole part of the
    // number read from the first three characters of the trimmed text (0 to 999).
    static qint16 QuantityFromText(const QString &text);

    QLineEdit *GdsNoTxt = nullptr;
    QLineEdit *GdsNameTxt = nullptr;
    QRadioButton *BarForm1Opt = nullptr;
    QRadioButton *BarForm2Opt = nullptr;
    QRadioButton *BarForm3Opt = nullptr;
    QRadioButton *BarForm4Opt = nullptr;
    QRadioButton *BarForm5Opt = nullptr;
    QLineEdit *BarCode01Txt = nullptr;
    QLineEdit *BarCode02Txt = nullptr;
    QLineEdit *BarCode03Txt = nullptr;
    std::array<QLineEdit *, 10> TxtDataTxt{}; // TxtData01Txt .. TxtData10Txt
    QLineEdit *GdsSuTxt = nullptr;
    QLabel *GdsHintLbl = nullptr;
    QPushButton *GdsEnterCmd = nullptr;
    QPushButton *GdsExitCmd = nullptr;

    QString userCode() const { return m_userCode; }

public Q_SLOTS:
    void reject() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void showItem();
    // What the number box shows for a stored number.
    QString numberText(qint32 no) const;
    void BarFormOpt_Click(int format);
    void GdsNoTxt_LostFocus();
    void GdsNameTxt_LostFocus();
    void BarCodeTxt_LostFocus(int k);
    void TxtDataTxt_LostFocus(int k);
    void GdsSuTxt_LostFocus();
    void BarCodeTxt_F1(int k);
    void BarCodeTxt_F2(int k);
    void GdsEnterCmd_Click();
    void GdsExitCmd_Click();

    // Stores the box into EditItem by its rule.
    void storeBox(QLineEdit *box);
    bool boxKeyDown(QLineEdit *box, QKeyEvent *key);
    int orderOf(const QObject *box) const;

    // The boxes in their Enter order: number, name, barcodes 1..3, texts 1..10, quantity.
    QList<QLineEdit *> m_order;
    std::array<QLineEdit *, 3> m_barcodes{};
    std::array<QRadioButton *, 5> m_formats{};
    bool m_noArmed = false;
    bool m_suArmed = false;
    bool m_closing = false;
    bool m_adding = false; // opened to add an item
    QString m_userCode;
};
