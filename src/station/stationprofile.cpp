// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationprofile.h"

#include "printers/printers.h"

StationProfile StationProfile::srp770()
{
    StationProfile p;
    p.printer = &Printers::srp770();
    p.caption = QStringLiteral("SRP-770 바코드 작업");
    p.sortBeforeSave = false;
    p.unitHint = QStringLiteral("mm ( 1mm=8dot )");
    p.positionHint = QStringLiteral("* [Y] : mm, [X] : mm");
    p.heightHint = QStringLiteral("* [높이] : mm");
    p.sizeHint = QStringLiteral("* [Y,X크기] : 1~4");
    p.rightHint = QStringLiteral("* [길이] : 입력시 우측부터 인쇄되며 좌측여백 임");
    p.fixedHint = QStringLiteral("* [고정] : 모든 품목에 인쇄 될 고정문자열");
    return p;
}

StationProfile StationProfile::al300()
{
    StationProfile p;
    p.printer = &Printers::al300();
    p.caption = QStringLiteral("AL-300 바코드 작업");
    p.sortBeforeSave = true;
    p.filterFixedTexts = true;
    p.unitHint = QStringLiteral("25-200mm * 10, 20-56mm * 10");
    p.positionHint = QStringLiteral("* [Y] : 1~150mm * 10, [X] : 1~56mm * 10");
    p.heightHint = QStringLiteral("* [높이] : 5~35mm * 10");
    p.sizeHint = QStringLiteral("* [Y,X크기] : 1~9");
    p.rightHint = QStringLiteral("* [길이] : 입력시 우측부터 인쇄되며 좌측은 여백임-온라인전용");
    p.fixedHint = QStringLiteral("* [고정] : 모든 품목에 인쇄 될 고정문자열");
    return p;
}
