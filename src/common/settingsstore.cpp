// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsstore.h"

qint32 ReadSettingInt(const QString &, const QString &)
{
    return 0;
}

QString ReadSettingText(const QString &, const QString &)
{
    return {};
}

void SaveSettingInt(const QString &, const QString &, qint32) {}

void SaveSettingText(const QString &, const QString &, const QString &) {}
