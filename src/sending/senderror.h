// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a printer job was not sent: a kind the messages are chosen by, the port it concerns
// and the system's own words. The windows show korean(), the command line english(); both
// texts are kept here and nowhere else.
struct SendError {
    enum class Kind {
        None,
        NoPort,            // no port chosen, or a port number that names no target
        PortMapUnreadable, // ComPorts.Txt is there but cannot be read: no port is resolved
        LanguageUnknown,   // the port's printer language cannot be read or is none we know
        DeviceMissing,     // no such device
        HostNotFound,      // a network printer's host name is not known
        Refused,           // a network printer's host refused the connection (nothing listens)
        PermissionDenied,  // the program may not open the device
        Busy,              // the port is held by this or another program
        Timeout,           // the port took no bytes (or no connection) in the time allowed
        PeerClosed,        // the network printer closed the connection during the job
        Encoding,          // the job's text gave no bytes in CP949
        Other,
    };

    Kind kind = Kind::None;
    QString port;   // what the port is called: "COM3 (/dev/ttyUSB0)", "tcp://10.0.0.5:9100"
    QString detail; // the system's own text, "" when there is none

    SendError() = default;
    SendError(Kind k, const QString &portName, const QString &systemText = QString())
        : kind(k), port(portName), detail(systemText)
    {
    }

    bool isError() const { return kind != Kind::None; }
    // "* COM3 (/dev/ttyUSB0) 포트를 찾을 수 없습니다 !" and the like, the system's words on
    // a line below; a port held elsewhere gives "이미 포트가 사용중입니다 !". Shown under
    // the title korean title().
    QString korean() const;
    static QString title() { return QStringLiteral("포트에러"); }
    // "cannot send to COM3 (/dev/ttyUSB0): no such device (...)" and the like.
    QString english() const;
};
