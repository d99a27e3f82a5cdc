// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Qt's own Korean texts for the standard dialogs and buttons (예 / 아니요, 확인 / 취소, the
// file, print and page dialogs, the edit boxes' menus): "qtbase_ko.qm" from Qt's
// translations folder, else from a "translations" folder beside the program or in its
// installed share folder. Also makes Korean the default locale, so that dates and calendars
// read in Korean. The windows call it once at start; the command line stays English.
class QtTranslations {
public:
    // Installs the Korean texts; answers the file loaded, empty when none was found (the
    // standard dialogs then stay in English).
    static QString installKorean();
    // The folders searched, first to last.
    static QStringList searchFolders();
};
