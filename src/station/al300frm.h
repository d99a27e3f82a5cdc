// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/stationfrm.h"

#include <array>

class Al300FormatFields;
class QCheckBox;
class QFrame;
class QPushButton;

// The AL-300 station: the shared station window with the AL-300's label settings, input
// classes and fixed barcode values (Al300FormatFields), its ratio codes in the barcode type
// panel (Al300RatioChoice), its direct print job, and the transfer of formats, links and the
// goods table into the printer for stand-alone use.
class AL300Frm : public StationFrm {
    Q_OBJECT
public:
    explicit AL300Frm(QWidget *parent = nullptr);

    // Transfer panel.
    QPushButton *Al300SaveCmd = nullptr;
    QFrame *BarSaveFme = nullptr;
    std::array<QCheckBox *, 6> SelFormChk{};
    QCheckBox *SelGodsChk = nullptr;
    QPushButton *BarSaveCmd = nullptr;
    QPushButton *BarExitCmd = nullptr;

    void Al300SaveCmd_Click();
    void BarSaveCmd_Click();
    void BarExitCmd_Click();

private:
    void buildTransferPanel();

    Al300FormatFields *m_fields = nullptr;
};
