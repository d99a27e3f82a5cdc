// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The rules of the store barcode number generator: an EAN-13 number made of a 3-digit
// prefix, a company number of 4 to 8 digits, a goods number of 5 to 1 digits (company and
// goods together always 9 digits) and the check digit.
//
// The object keeps two things apart: the texts the boxes show (plain numbers without
// leading zeros, exactly what the operator typed until the box is left) and the padded
// digit texts the code is built from. The window copies its box texts in with setBoxText(),
// calls normalise() when a box is left and shows boxText() of every box afterwards.
class BarcodeNumber {
public:
    // Box numbers as the window numbers its entry boxes.
    enum Box : int {
        PrefixBox = 0,
        CompanyBox = 1,
        GoodsBox = 2,
        CheckBox = 3,
        BasePrefixBox = 10,
        BaseCompanyBox = 11,
    };
    static constexpr int ModeCount = 5;
    static constexpr int DefaultPrefix = 220;

    struct Mode {
        int companyDigits;
        int goodsDigits;
        qint64 companyMax;
        qint64 goodsMax;
        const char *firstGoods; // the goods number text a new company starts with
    };
    // The company length mode 0..4; anything else answers mode 0.
    static const Mode &modeInfo(int mode);
    static bool isBox(int box);

    // Opening: mode and base values from the settings store (which keeps nothing, so this
    // gives mode 0, prefix 220, company 1), then a reset and the mode selection.
    void load();
    // A new number from the base company: company clamped to the mode, first goods number,
    // computed check digit. The current prefix is kept.
    void reset();
    // The operator chose another company length: the base company is taken from what
    // box 11 shows, then the number is reset.
    void changeMode(int mode);
    // Box `left` was left: every box is read back, out-of-range or non-numeric entries get
    // their defaults, and the check digit is recomputed unless the check-digit box was left.
    void normalise(int left);
    // Writes mode and base values back to the settings store.
    void save() const;

    int mode() const { return m_mode; }
    QString boxText(int box) const;
    void setBoxText(int box, const QString &text);

    QString prefixText() const { return m_prefix; }
    QString companyText() const { return m_company; }
    QString goodsText() const { return m_goods; }
    QString checkText() const { return m_check; }
    QString basePrefixText() const { return m_basePrefix; }
    QString baseCompanyText() const { return m_baseCompany; }
    // prefix + company + goods + check digit: always 13 digits.
    QString code() const;

private:
    void computeCheck();
    static int slot(int box);

    int m_mode = 0;
    QString m_basePrefix = QStringLiteral("220");
    QString m_baseCompany = QStringLiteral("0001");
    QString m_prefix = QStringLiteral("220");
    QString m_company = QStringLiteral("0001");
    QString m_goods = QStringLiteral("00001");
    QString m_check = QStringLiteral("8");
    // Shown texts of boxes 0..3, 10 and 11 (slots 0..5).
    std::array<QString, 6> m_boxes;
};
