// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>
#include <QString>

// An operating-system error shown under a Korean message (for example under "포트에러"):
// the common causes in Korean words, the system's own text kept as the detail. The error
// code decides where one is known; otherwise the text does, in the words of the C library,
// of Windows and of Qt in English or Korean.
class SystemError {
public:
    enum class Cause {
        Other,   // none of the causes below
        Missing, // no such device or file
        Denied,  // no permission to open it
        Busy,    // held by another program
    };
    // What the error is about, for the wording.
    enum class Subject { Port, File };

    static Cause causeOf(const QString &raw,
                         QSerialPort::SerialPortError code = QSerialPort::NoError);
    // The Korean words of the cause, then "(자세히: <raw>)" on a line of its own. Another
    // cause gives the raw text as it is.
    static QString inKorean(const QString &raw,
                            QSerialPort::SerialPortError code = QSerialPort::NoError,
                            Subject subject = Subject::Port);
};
