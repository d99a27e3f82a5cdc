// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/porttarget.h"
#include "sending/printjob.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Where the command line sends printer jobs: a COM port number (through the port map of the
// data folder), a target given directly (a serial device, "tcp://HOST:PORT" or
// "file:PATH"), or a file that receives the exact bytes of every job one after another
// ("-" is standard output). Port and target jobs go through the send queue as the windows'
// jobs do: copy file, open, all bytes, wait, close; the first failure ends the send.
class JobOutput {
public:
    enum class Kind { Port, Device, File };

    JobOutput(Kind kind, const QString &target);

    Kind kind() const { return m_kind; }
    // Port or device: the line speed 1..6 of the format set must be given before sending.
    void setSpeed(int speed) { m_speed = speed; }
    // Port or device: the jobs over one connection (a language without mandated waits).
    void setOneConnection(bool on) { m_oneConnection = on; }
    // The port number of a Port output.
    int port() const { return m_kind == Kind::Port ? m_target.toInt() : 0; }

    // One job, kept until finish(). A file output keeps only the bytes.
    void add(const PrintJob &job);
    // Sends the jobs (port, device) or writes their bytes (file: atomically; standard
    // output directly). False with a reason in *error; sent() tells how many jobs went
    // before, warnings() the copy files that could not be written.
    bool finish(QString *error);
    int sent() const { return m_sent; }
    QStringList warnings() const { return m_warnings; }

    // What a message names the output by: "COM3", "/dev/ttyUSB0", the file name.
    QString describe() const;

private:
    bool sendJobs(QString *error);

    Kind m_kind;
    QString m_target;
    int m_speed = 0;
    bool m_oneConnection = false;
    QByteArray m_bytes;
    QList<PrintJob> m_jobs;
    int m_sent = 0;
    QStringList m_warnings;
};
