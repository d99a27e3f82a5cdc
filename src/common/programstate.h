// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The program-wide values shared by the windows. One instance for the program: Program().
struct ProgramState {
    static constexpr int SetCount = 22;

    QString UserCode; // operator code, empty
    qint16 TodayYear = 0;
    qint16 TodayMonth = 0;
    qint16 TodayDay = 0;
    QString GridAccentColour = QStringLiteral("&H00404040");
    qint32 BarcodeSetNo = 0;                             // 0..21
    QStringList BarcodeSetNames = QStringList(SetCount); // at most 30 bytes each
    QString BarcodeSetFile;                              // full path of QelBarcodeSet.Txt
    qint16 ModalOpening = 0;                             // guards the opening of a modal window
    qint16 BackPanelSized = 0;

    // Report.
    qint16 PreviewZoom = 0; // index 0..13 into the preview zoom list

    // Folder of the data files (created on demand by DataDirectory() unless CreateDataDir
    // is off: the command line's read-only commands leave a missing folder missing).
    QString DataDirOverride;
    bool CreateDataDir = true;
};

ProgramState &Program();

// "nn" for the current barcode set.
QString BarcodeSetText();
// The data directory: --data-dir / LABELSTATION_DATA_DIR, else "<program dir>/Data" for a
// portable copy, else the user's data location (ProgramFolders). Created when missing (see
// CreateDataDir).
QString DataDirectory();
