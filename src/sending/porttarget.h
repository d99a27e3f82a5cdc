// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a printer's jobs go: a serial port (a device such as "/dev/ttyUSB0", or "COM3" on
// Windows), a network printer taking raw TCP ("tcp://HOST:PORT", port 9100 when omitted),
// a device file written as it is ("file:/dev/usb/lp0", the USB printer class device, or
// any existing file, which then receives every job after the previous ones), or a print
// queue of the system's spooler that passes each job's bytes on unchanged ("cups:QUEUE").
class PortTarget {
public:
    enum class Kind { None, Serial, Network, File, Spooler };
    static constexpr quint16 DefaultTcpPort = 9100;

    PortTarget() = default;
    static PortTarget serial(const QString &device);
    static PortTarget network(const QString &host, quint16 port = DefaultTcpPort);
    static PortTarget file(const QString &path);
    static PortTarget spooler(const QString &queue);

    // Reads a target text (blanks around it ignored; "tcp:" and "file:" in any case). False
    // with a reason (English) in *error for an empty text, a network target without a host
    // or with a port outside 1..65535, or "file:" without a path.
    static bool parse(const QString &text, PortTarget *target, QString *error = nullptr);

    Kind kind() const { return m_kind; }
    bool isValid() const { return m_kind != Kind::None; }
    // The serial device, the file's path or the spooler's queue.
    QString device() const { return m_device; }
    QString host() const { return m_host; }
    quint16 tcpPort() const { return m_port; }

    // The target as parse() reads it: "/dev/ttyUSB0", "tcp://192.168.0.50:9100",
    // "file:/dev/usb/lp0", "cups:Zebra"; "" for none.
    QString text() const;

    bool operator==(const PortTarget &) const = default;

private:
    Kind m_kind = Kind::None;
    QString m_device;
    QString m_host;
    quint16 m_port = 0;
};
