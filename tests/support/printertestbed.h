// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fresh data folder in which COM3 is a pseudo-terminal label printer, with the program-wide
// values reset and message boxes answered from the test queue. One per test function.

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "support/ptyprinter.h"

#include <QTemporaryDir>

class PrinterTestBed {
public:
    PrinterTestBed()
    {
        Program() = ProgramState();
        Program().DataDirOverride = m_dir.path();
        Program().BarcodeSetNo = 0;
        Dialogs::setTestMode(true);
        Dialogs::clearShown();
        m_valid = m_dir.isValid() && m_printer.isValid() &&
                  TextFile::writeLines(path("ComPorts.Txt"), {"COM3'" + m_printer.device()});
    }

    bool isValid() const { return m_valid; }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    PtyPrinter &printer() { return m_printer; }

private:
    QTemporaryDir m_dir;
    PtyPrinter m_printer;
    bool m_valid = false;
};
