// SPDX-License-Identifier: GPL-3.0-or-later
#include "srp770frm.h"

SRP770Frm::SRP770Frm(QWidget *parent) : StationFrm(StationProfile::srp770(), parent) {}
