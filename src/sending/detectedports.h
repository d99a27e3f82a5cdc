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
    static QList<DetectedPort> list();
    // Tests replace what the system offers; an empty function restores the system's list.
    static void setProvider(std::function<QList<DetectedPort>()> provider);
};
