#pragma once

#include "model/formatset.h"

#include <QString>
#include <QStringList>

// What differs between the two label stations that share one window.
struct StationProfile {
    PrinterModel model = PrinterModel::SRP770;
    QString formName;      // "SRP770Frm" / "AL300Frm"
    QString caption;       // window caption
    QString filePrefix;    // "SRP770" / "AL300": file names <prefix>Frm[nn].Txt, ...
    QString printCopyFile; // "SRP770Print.Txt" / "AL300Print.Txt"
    int printWaitSeconds = 3;
    bool sortBeforeSave = false;

    // Value sets of the element editors (index 1..n; index 0 unused).
    QStringList symbologyNames; // label texts
    QStringList fontNames;      // label texts
    QStringList fontOptionCaptions;
    int maxMagnification = 4;
    QStringList reversalLabels;   // label text per TxtRvs value
    QStringList reversalCaptions; // option captions per TxtRvs value

    // Screen hints.
    QString unitHint;
    QString positionHint;
    QString heightHint;
    QString sizeHint;
    QString rightHint;
    QString fixedHint;

    static StationProfile srp770();
    static StationProfile al300();
};
