// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class QDateEdit;

// Puts year-month-day ("@@@@-@@-@@", zero-padded) into a date picker.
void SetDateValue(QDateEdit *control, qint16 year, qint16 month, qint16 day);
