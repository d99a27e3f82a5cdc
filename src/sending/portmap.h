// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/porttarget.h"

#include <QString>
#include <QStringList>

// The port map "ComPorts.Txt" in the data folder: which target a station's port COMn stands
// for, one line "COMn'target" each (COM3'/dev/ttyUSB0, COM4'tcp://192.168.0.50:9100,
// COM5'file:/dev/usb/lp0). The first line of a port counts; "COMn" is matched in any case,
// blanks around the fields are ignored, and lines without exactly one apostrophe or without
// a target are ignored. An unmapped COM1..COM9 is the port's own device: "COMn" on Windows,
// "/dev/ttyS(n-1)" elsewhere.
class PortMap {
public:
    static constexpr int PortCount = 9; // COM1..COM9 on the stations

    static QString fileName() { return QStringLiteral("ComPorts.Txt"); }
    // The map's file in the current data folder.
    static QString path();
    // "COMn"
    static QString portName(int port);
    // The device of an unmapped port 1..9; no target for any other number.
    static PortTarget defaultTarget(int port);

    // Reads the map; a missing file is an empty map. False (with the reason in *error) when
    // the file exists but cannot be read: the map then resolves no port at all, so that no
    // label goes to a port's default device the operator may have mapped elsewhere.
    bool load(const QString &path, QString *error = nullptr);
    // The map of these lines, as a readable file holds them.
    void setLines(const QStringList &lines)
    {
        m_lines = lines;
        m_loadError.clear();
    }
    // Why the last load() failed; "" after a good one.
    QString loadError() const { return m_loadError; }
    // The target text mapped for COMn, "" when the map has none.
    QString entry(int port) const;
    // Maps COMn (1..9) to `text`; "" returns it to its own device.
    void setEntry(int port, const QString &text);

    // Where COMn's jobs go: the mapped target or the port's own device. No target (with the
    // reason in *error) for a number that is neither mapped nor 1..9, a mapped text that is
    // no target, or any port of a map whose file could not be read.
    PortTarget target(int port, QString *error = nullptr) const;

    // Writes the map atomically: the entries of COM1..COM9 in order, then the file's other
    // lines as they were. False with a reason in *error (the old file then stays).
    bool save(const QString &path, QString *error = nullptr) const;

private:
    QStringList m_lines; // the file's lines, entries of COM1..COM9 replaced by setEntry()
    QString m_loadError; // why the file could not be read
};
