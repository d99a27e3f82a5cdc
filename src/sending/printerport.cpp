// SPDX-License-Identifier: GPL-3.0-or-later
#include "printerport.h"

#include "sending/deviceprinterport.h"
#include "sending/networkprinterport.h"
#include "sending/serialprinterport.h"
#include "sending/spoolerprinterport.h"
#include "sending/ttyprinterport.h"

PrinterPort *PrinterPort::create(const PortTarget &target, const LineSettings &settings,
                                 QObject *parent)
{
    PrinterPort *port = nullptr;
    switch (target.kind()) {
    case PortTarget::Kind::None:
        return nullptr;
    case PortTarget::Kind::Serial:
#ifdef Q_OS_UNIX
        // Its own terminal handling: no lock file synced to disk on every job.
        port = new TtyPrinterPort(target.device(), settings, parent);
#else
        port = new SerialPrinterPort(target.device(), settings, parent);
#endif
        break;
    case PortTarget::Kind::Network:
        port = new NetworkPrinterPort(target.host(), target.tcpPort(), parent);
        break;
    case PortTarget::Kind::File:
        port = new DevicePrinterPort(target.device(), parent);
        break;
    case PortTarget::Kind::Spooler:
        port = new SpoolerPrinterPort(target.device(), parent);
        break;
    }
    port->setName(target.text());
    return port;
}

qint64 PrinterPort::bytesPerSecond() const
{
    return 960; // a slow serial line: 9600 baud, 10 bits a byte
}

void PrinterPort::fail(SendError::Kind kind, const QString &detail)
{
    Q_EMIT failed(SendError(kind, m_name, detail));
}
