// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The named-value settings store. It keeps nothing: a read answers 0 or the empty text and
// a write is accepted and discarded. Every choice of the windows therefore starts from its
// neutral value whenever a window reads it.
qint32 ReadSettingInt(const QString &section, const QString &key);
QString ReadSettingText(const QString &section, const QString &key);
void SaveSettingInt(const QString &section, const QString &key, qint32 value);
void SaveSettingText(const QString &section, const QString &key, const QString &value);

// The settings section passed by every caller; never assigned, always empty.
inline const QString SettingsSection;
