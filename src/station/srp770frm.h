// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/stationfrm.h"

// The SRP-770 station: labels printed directly in the SRP-770 command language.
class SRP770Frm : public StationFrm {
    Q_OBJECT
public:
    explicit SRP770Frm(QWidget *parent = nullptr);
};
