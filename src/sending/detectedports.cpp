// SPDX-License-Identifier: GPL-3.0-or-later
#include "detectedports.h"

#include <QSerialPortInfo>

QList<DetectedPort> DetectedPorts::list()
{
    QList<DetectedPort> out;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        out.append(
            {info.portName(), info.systemLocation(), info.description(), info.manufacturer()});
    return out;
}
