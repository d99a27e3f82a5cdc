// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

// The serial ports the system offers now (through QSerialPortInfo): the port settings
// window and the command line's "ports" list them.
struct DetectedPort {
    QString name;         // "ttyUSB0", "COM3"
    QString location;     // the device to open: "/dev/ttyUSB0", "\\.\COM3"
    QString description;  // "USB-Serial Controller"
    QString manufacturer; // "Prolific"
};

class DetectedPorts {
public:
    // Where a window takes the list from (the system's list unless given another).
    using Provider = std::function<QList<DetectedPort>()>;

    static QList<DetectedPort> list();
};
