// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/linesettings.h"
#include "sending/porttarget.h"
#include "sending/senderror.h"

#include <QByteArray>
#include <QObject>

// An open connection to a printer for one job, driven by the event loop: open(), then
// write() once, then close(). Nothing is ever read. Every step reports by a signal, perhaps
// before the call returns; after close() no signal comes any more.
class PrinterPort : public QObject {
    Q_OBJECT
public:
    // The port of a target: a serial port with the line settings, a network printer or a
    // device file. Null for no target.
    static PrinterPort *create(const PortTarget &target, const LineSettings &settings,
                               QObject *parent = nullptr);

    // What messages call the port ("tcp://10.0.0.5:9100"); the caller may give a better
    // name such as "COM3 (/dev/ttyUSB0)".
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    // Ends in opened() or failed().
    virtual void open() = 0;
    // Hands all bytes to the port: progress() as they are taken, allWritten() when the last
    // one is, failed() when the port fails. A port may still fail after allWritten() (a
    // network printer that closes the connection) until close().
    virtual void write(const QByteArray &bytes) = 0;
    // Closes quietly (errors while closing are ignored).
    virtual void close() = 0;
    // The bytes per second the port takes at most, for the time a write may take.
    virtual qint64 bytesPerSecond() const;

Q_SIGNALS:
    void opened();
    void progress(qint64 written, qint64 total);
    void allWritten();
    void failed(const SendError &error);

protected:
    using QObject::QObject;
    void fail(SendError::Kind kind, const QString &detail = QString());

private:
    QString m_name;
};
