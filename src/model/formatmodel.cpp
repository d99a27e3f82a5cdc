// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatmodel.h"

FormatModel::FormatModel(QObject *parent) : QObject(parent) {}

const LabelFormat &FormatModel::format(int format) const
{
    return m_set.Fmt[validFormat(format) ? format : 0];
}

void FormatModel::replace(const FormatSet &set)
{
    if (m_set == set)
        return;
    m_set = set;
    Q_EMIT changed(FormatPart::Whole, 0, 0);
}

void FormatModel::setPort(qint16 port, qint16 speed)
{
    if (m_set.BarComPort == port && m_set.BarComSpeed == speed)
        return;
    m_set.BarComPort = port;
    m_set.BarComSpeed = speed;
    Q_EMIT changed(FormatPart::Port, 0, 0);
}

void FormatModel::setFormat(int format, const LabelFormat &value)
{
    if (!validFormat(format) || m_set.Fmt[format] == value)
        return;
    m_set.Fmt[format] = value;
    Q_EMIT changed(FormatPart::Label, format, 0);
}

void FormatModel::setBarcode(int format, int barcode, const BarcodeElement &value)
{
    if (!validFormat(format) || !validBarcode(barcode) || m_set.Fmt[format].Bar[barcode] == value)
        return;
    m_set.Fmt[format].Bar[barcode] = value;
    Q_EMIT changed(FormatPart::Barcode, format, barcode);
}

void FormatModel::setText(int format, int text, const TextElement &value)
{
    if (!validFormat(format) || !validText(text) || m_set.Fmt[format].Txt[text] == value)
        return;
    m_set.Fmt[format].Txt[text] = value;
    Q_EMIT changed(FormatPart::Text, format, text);
}
