#include "stationprofile.h"

StationProfile StationProfile::srp770()
{
    StationProfile p;
    p.model = PrinterModel::SRP770;
    p.formName = QStringLiteral("SRP770Frm");
    p.caption = QStringLiteral("SRP-770 바코드 작업");
    p.filePrefix = QStringLiteral("SRP770");
    p.printCopyFile = QStringLiteral("SRP770Print.Txt");
    p.printWaitSeconds = 3;
    p.sortBeforeSave = false;
    p.symbologyNames = {QString(),
                        QStringLiteral("Code39"),
                        QStringLiteral("Code128"),
                        QStringLiteral("I2of5"),
                        QStringLiteral("Codabar"),
                        QStringLiteral("Code93"),
                        QStringLiteral("UPC-A"),
                        QStringLiteral("UPC-E"),
                        QStringLiteral("EAN13"),
                        QStringLiteral("EAN8"),
                        QStringLiteral("EAN128")};
    p.fontNames = {QString(),
                   QStringLiteral("영문 9*15"),
                   QStringLiteral("영문12*20"),
                   QStringLiteral("영문16*25"),
                   QStringLiteral("영문19*30"),
                   QStringLiteral("고딕16*16"),
                   QStringLiteral("고딕24*24")};
    p.fontOptionCaptions = {QString(),
                            QStringLiteral("영문 9*15"),
                            QStringLiteral("영문 12*20"),
                            QStringLiteral("영문 16*25"),
                            QStringLiteral("영문 19*30"),
                            QStringLiteral("고딕 16*16"),
                            QStringLiteral("고딕 24*24")};
    p.maxMagnification = 4;
    p.reversalLabels = {QString(), QStringLiteral("음각"), QStringLiteral("Bold"),
                        QStringLiteral("음Bd")};
    p.reversalCaptions = {QStringLiteral("정상"), QStringLiteral("음각"),
                          QStringLiteral("정상Bold"), QStringLiteral("음각Bold")};
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
    p.model = PrinterModel::AL300;
    p.formName = QStringLiteral("AL300Frm");
    p.caption = QStringLiteral("AL-300 바코드 작업");
    p.filePrefix = QStringLiteral("AL300");
    p.printCopyFile = QStringLiteral("AL300Print.Txt");
    p.printWaitSeconds = 1;
    p.sortBeforeSave = true;
    p.symbologyNames = {QString(),
                        QStringLiteral("UPC-A"),
                        QStringLiteral("UPC-E"),
                        QStringLiteral("I 2of5"),
                        QStringLiteral("Code39"),
                        QStringLiteral("NW7"),
                        QStringLiteral("EAN-8"),
                        QStringLiteral("EAN-13"),
                        QStringLiteral("Code128")};
    p.fontNames = {QString(), QStringLiteral("영문16*24"), QStringLiteral("고딕16*16"),
                   QStringLiteral("고딕24*24")};
    p.fontOptionCaptions = {QString(), QStringLiteral("영문 16*24"), QStringLiteral("고딕 16*16"),
                            QStringLiteral("고딕 24*24")};
    p.maxMagnification = 9;
    p.reversalLabels = {QString(), QStringLiteral("음각")};
    p.reversalCaptions = {QStringLiteral("정상"), QStringLiteral("음각")};
    p.unitHint = QStringLiteral("25-200mm * 10, 20-56mm * 10");
    p.positionHint = QStringLiteral("* [Y] : 1~150mm * 10, [X] : 1~56mm * 10");
    p.heightHint = QStringLiteral("* [높이] : 5~35mm * 10");
    p.sizeHint = QStringLiteral("* [Y,X크기] : 1~9");
    p.rightHint = QStringLiteral("* [길이] : 입력시 우측부터 인쇄되며 좌측은 여백임-온라인전용");
    p.fixedHint = QStringLiteral("* [고정] : 모든 품목에 인쇄 될 고정문자열");
    return p;
}
