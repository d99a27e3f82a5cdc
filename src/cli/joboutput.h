#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class SerialLink;

// Where the command line sends printer jobs: a COM port number (through the port mapping of
// the data folder), a serial device path, or a file that receives the exact bytes of every
// job one after another ("-" is standard output). Port and device jobs go through the
// station's own job cycle: copy file, open, one write, wait, close.
class JobOutput {
public:
    enum class Kind { Port, Device, File };

    JobOutput(Kind kind, const QString &target);
    ~JobOutput();
    JobOutput(const JobOutput &) = delete;
    JobOutput &operator=(const JobOutput &) = delete;

    Kind kind() const { return m_kind; }
    // Port or device: the line speed 1..6 of the format set must be given before sending.
    void setSpeed(int speed) { m_speed = speed; }

    // One job. A file output only collects the bytes; false with a reason in *error when
    // the job could not be sent. *warning receives a failed copy file (the job still went).
    bool send(const QString &text, const QString &copyFilePath, int waitSeconds, QString *error,
              QString *warning = nullptr);
    // Writes the collected bytes of a file output (atomically; standard output directly).
    // Nothing to do for a port or device.
    bool finish(QString *error);

    // What a message names the output by: "COM3", "/dev/ttyUSB0", the file name.
    QString describe() const;

private:
    Kind m_kind;
    QString m_target;
    int m_speed = 0;
    QByteArray m_bytes;
    std::unique_ptr<SerialLink> m_link;
};
