// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Opens a finished workbook with the desktop's spreadsheet program, or the folder it was
// saved in with the desktop's file manager. The program uses the desktop's default handler;
// tests install their own opener.
class SpreadsheetOpener {
public:
    virtual ~SpreadsheetOpener() = default;
    // true when the file or folder was handed to a program that shows it.
    virtual bool open(const QString &path) = 0;

    // The opener in use: the one installed, else the desktop's handler.
    static SpreadsheetOpener &current();
    // Installs an opener (not owned); nullptr restores the desktop's handler.
    static void install(SpreadsheetOpener *opener);
};
