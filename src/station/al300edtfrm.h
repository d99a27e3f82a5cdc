// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodsitem.h"

#include <QDialog>

#include <array>
#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Whether the goods item editor adds an item or changes one.
enum class ItemEditMode { Insert, Update };

// "품목 등록 수정 작업": enters or changes one goods item. Both stations open it the same way
// and get back the item the operator confirmed. Every box writes into the window's item when
// it is left, so item() always holds what the boxes show.
class AL300EdtFrm : public QDialog {
    Q_OBJECT

public:
    // Insert starts from a new item (`item` is not used); Update shows `item`.
    explicit AL300EdtFrm(ItemEditMode mode, const GoodsItem &item = GoodsItem(),
                         QWidget *parent = nullptr);

    // Opens the editor modally unless another modal window is being opened (then nothing
    // opens). The confirmed item; nothing when the operator cancelled.
    static std::optional<GoodsItem> edit(QWidget *parent, ItemEditMode mode,
                                         const GoodsItem &item = GoodsItem());

    // What the boxes hold (as stored when each was left).
    const GoodsItem &item() const { return m_item; }
    // True after the operator confirmed.
    bool confirmed() const { return m_confirmed; }

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

    // Stores the box into the item by its rule.
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
    ItemEditMode m_mode;
    GoodsItem m_item;
    bool m_generating = false; // the barcode number generator is (or was last) open
    bool m_confirmed = false;
    QString m_userCode;
};
