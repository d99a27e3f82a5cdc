// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/deviceprinterport.h"
#include "sending/linesettings.h"

// A printer on a serial port of a POSIX system: the terminal device opened for writing,
// raw, with the line settings and no flow control, held exclusively (TIOCEXCL) and marked
// with a lock file "LCK..name" in the system's lock folder, as other serial programs do
// (without syncing it to disk). A lock file of another live process makes the port busy.
// Writes do not block the program.
class TtyPrinterPort : public DevicePrinterPort {
    Q_OBJECT
public:
    TtyPrinterPort(const QString &device, const LineSettings &settings, QObject *parent = nullptr);

    qint64 bytesPerSecond() const override;

protected:
    int openFlags() const override;
    bool prepare(int fd, SendError::Kind *kind, QString *detail) override;
    void release(int fd) override;

private:
    bool lock(SendError::Kind *kind, QString *detail);

    LineSettings m_settings;
    QString m_lockFile; // ours while the port is open
};
