// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/barcodetypechoice.h"

#include <QList>
#include <QObject>

#include <array>

class OptionPanels;
class QRadioButton;
class QWidget;

// The AL-300's bar widths in the barcode type panel: instead of the narrow and wide rows,
// the ratio codes its symbology offers ("BarRatio1Fme" .. "BarRatio4Fme", one group shown
// at a time; the group's default comes on when none of its codes is on).
class Al300RatioChoice : public QObject, public BarcodeTypeChoice {
    Q_OBJECT
public:
    explicit Al300RatioChoice(OptionPanels *panels);

    void show(const BarcodeElement &element) override;
    void store(BarcodeElement &element) override;

private:
    void showGroupFor(int barCode);
    QList<QRadioButton *> ratioButtons() const;

    struct RatioButton {
        QRadioButton *button;
        int group;
        int value;
    };
    OptionPanels *m_panels;
    int m_symbologies;
    QList<RatioButton> m_ratio;
    std::array<QWidget *, 5> m_groups{};
};
