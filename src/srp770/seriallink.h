#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>

// The station's serial line to its label printer: a port number and a settings text such as
// "9600,n,8,1", an open state, one write of a whole job and close. Nothing is ever read.
//
// Port n is "COMn" on Windows. Elsewhere it is "/dev/ttyS(n-1)" unless the file
// "ComPorts.Txt" in the data directory maps it, one port a line: COM3'/dev/ttyUSB0.
class SerialLink {
public:
    SerialLink() = default;
    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    // Port number 1..9 (COM1..COM9); takes effect at the next open.
    void setPort(int number) { m_port = number; }
    int port() const { return m_port; }
    // A device path used instead of the port number's device (the command line's --device);
    // "" returns to the port number. Takes effect at the next open.
    void setDevice(const QString &path) { m_device = path; }
    QString device() const { return m_device.isEmpty() ? deviceName(m_port) : m_device; }

    // "baud,parity,data,stop" as in "9600,n,8,1"; parity n/e/o/m/s, data bits 5..8, stop
    // bits 1, 1.5 or 2. An unreadable text changes nothing and answers false. Takes effect at
    // the next open.
    bool setSettings(const QString &settings);
    QString settings() const { return m_settings; }

    // The line settings text of the station's speed choice 1..6 ("9600,n,8,1" ..
    // "115200,n,8,1"); "" for any other value.
    static QString settingsForSpeed(int speed);

    // The device the port number stands for (see above); "" for a number outside 1..9
    // that ComPorts.Txt does not map. A ComPorts.Txt that is there but cannot be read (a
    // folder, no permission) maps nothing and falls back to nothing: the answer is "" and
    // *mapError says why, so that no label goes to another real port.
    static QString deviceName(int port, QString *mapError = nullptr);
    // The device of `port` in the lines of a port map ("COM3'/dev/ttyUSB0"; the first
    // mapping of a port counts); "" when the lines do not map it.
    static QString mappedDevice(const QStringList &lines, int port);

    bool isOpen() const { return m_serial.isOpen(); }
    // Opens the port for writing with the current settings. False with a reason in *error
    // when the port does not exist, is held by another program or rejects the settings.
    bool open(QString *error = nullptr);
    // Writes all bytes in one write and waits until they have left the program. False with a
    // reason in *error when not all of them could be written.
    bool write(const QByteArray &bytes, QString *error = nullptr);
    // Closes the port; errors while closing are ignored.
    void close();

private:
    int m_port = 1;
    QString m_device;
    QString m_settings = QStringLiteral("9600,n,8,1");
    qint32 m_baud = 9600;
    QSerialPort::Parity m_parity = QSerialPort::NoParity;
    QSerialPort::DataBits m_dataBits = QSerialPort::Data8;
    QSerialPort::StopBits m_stopBits = QSerialPort::OneStop;
    QSerialPort m_serial;
};
