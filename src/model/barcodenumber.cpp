// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/barcodenumber.h"

#include "common/settingsstore.h"
#include "common/textutil.h"

namespace {

const BarcodeNumber::Mode Modes[BarcodeNumber::ModeCount] = {
    {4, 5, 9999, 99999, "00001"}, {5, 4, 99999, 9999, "0001"}, {6, 3, 999999, 999, "001"},
    {7, 2, 9999999, 99, "01"},    {8, 1, 99999999, 9, "1"},
};

const QString CompLenKey = QStringLiteral("BarNewCompLen");
const QString PrefixKey = QStringLiteral("BarNewNo0");
const QString CompanyKey = QStringLiteral("BarNewNo1");

// The number a box holds, rounded to a whole number, or `fallback` when the text holds no
// number or the number lies outside [min, max].
qint64 readNumber(const QString &text, qint64 min, qint64 max, qint64 fallback)
{
    bool hasDigit = false;
    for (QChar c : text)
        hasDigit = hasDigit || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    bool ok = false;
    const qint64 v = LeadingWholeNumber(text, min, max, &ok);
    return hasDigit && ok ? v : fallback;
}

QString padded(qint64 value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

// A padded digit text shown without its leading zeros ("0" stays "0").
QString unpadded(const QString &digits)
{
    return QString::number(digits.toLongLong());
}

} // namespace

const BarcodeNumber::Mode &BarcodeNumber::modeInfo(int mode)
{
    return Modes[mode >= 0 && mode < ModeCount ? mode : 0];
}

bool BarcodeNumber::isBox(int box)
{
    return slot(box) >= 0;
}

int BarcodeNumber::slot(int box)
{
    if (box >= PrefixBox && box <= CheckBox)
        return box;
    if (box == BasePrefixBox || box == BaseCompanyBox)
        return box - 6;
    return -1;
}

QString BarcodeNumber::boxText(int box) const
{
    const int s = slot(box);
    return s < 0 ? QString() : m_boxes[s];
}

void BarcodeNumber::setBoxText(int box, const QString &text)
{
    const int s = slot(box);
    if (s >= 0)
        m_boxes[s] = text;
}

void BarcodeNumber::load()
{
    m_mode = ReadSettingInt(SettingsSection, CompLenKey);
    if (m_mode < 0 || m_mode >= ModeCount)
        m_mode = 0;
    const qint64 prefix =
        readNumber(ReadSettingText(SettingsSection, PrefixKey), 1, 999, DefaultPrefix);
    m_basePrefix = padded(prefix, 3);
    setBoxText(BasePrefixBox, unpadded(m_basePrefix));
    // The base company is clamped to the mode by reset().
    setBoxText(BaseCompanyBox, ReadSettingText(SettingsSection, CompanyKey));
    m_baseCompany = boxText(BaseCompanyBox);
    m_prefix = m_basePrefix;
    setBoxText(PrefixBox, unpadded(m_prefix));
    reset();
    changeMode(m_mode); // selecting the mode's option runs the mode change once more
}

void BarcodeNumber::reset()
{
    const Mode &m = modeInfo(m_mode);
    const qint64 company = readNumber(m_baseCompany, 1, m.companyMax, 1);
    m_baseCompany = padded(company, m.companyDigits);
    setBoxText(BaseCompanyBox, unpadded(m_baseCompany));
    m_company = m_baseCompany;
    setBoxText(CompanyBox, unpadded(m_company));
    m_goods = QString::fromLatin1(m.firstGoods);
    setBoxText(GoodsBox, unpadded(m_goods));
    computeCheck();
}

void BarcodeNumber::changeMode(int mode)
{
    m_mode = mode >= 0 && mode < ModeCount ? mode : 0;
    m_baseCompany = boxText(BaseCompanyBox);
    reset();
}

void BarcodeNumber::normalise(int left)
{
    const Mode &m = modeInfo(m_mode);

    m_basePrefix = padded(readNumber(boxText(BasePrefixBox), 1, 999, DefaultPrefix), 3);
    m_baseCompany =
        padded(readNumber(boxText(BaseCompanyBox), 1, m.companyMax, 1), m.companyDigits);
    setBoxText(BasePrefixBox, unpadded(m_basePrefix));
    setBoxText(BaseCompanyBox, unpadded(m_baseCompany));

    m_prefix = padded(readNumber(boxText(PrefixBox), 0, 999, DefaultPrefix), 3);
    m_company = padded(readNumber(boxText(CompanyBox), 0, m.companyMax, 1), m.companyDigits);
    m_goods = padded(readNumber(boxText(GoodsBox), 0, m.goodsMax, 1), m.goodsDigits);
    m_check = padded(readNumber(boxText(CheckBox), 0, 9, 0), 1);
    setBoxText(PrefixBox, unpadded(m_prefix));
    setBoxText(CompanyBox, unpadded(m_company));
    setBoxText(GoodsBox, unpadded(m_goods));
    setBoxText(CheckBox, m_check);

    if (left != CheckBox)
        computeCheck();
}

void BarcodeNumber::computeCheck()
{
    m_check = EanCheckDigit(m_prefix + m_company + m_goods);
    setBoxText(CheckBox, m_check);
}

void BarcodeNumber::save() const
{
    SaveSettingInt(SettingsSection, CompLenKey, m_mode);
    SaveSettingText(SettingsSection, PrefixKey, m_basePrefix);
    SaveSettingText(SettingsSection, CompanyKey, m_baseCompany);
}

QString BarcodeNumber::code() const
{
    return m_prefix + m_company + m_goods + m_check;
}
