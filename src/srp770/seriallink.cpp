#include "seriallink.h"

#include "common/programstate.h"
#include "common/textfile.h"
#include "common/textutil.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace {

const char *const PortMapFile = "ComPorts.Txt";

// Time allowed for the bytes to leave the program: twice the line time of the text at the
// baud rate (10 bits a byte) plus 3 seconds.
int writeTimeoutMs(qsizetype bytes, qint32 baud)
{
    const qint64 lineMs = baud > 0 ? qint64(bytes) * 10 * 1000 / baud : 0;
    return int(std::min<qint64>(2 * lineMs + 3000, 600000));
}

QString portLabel(int port)
{
    return QStringLiteral("COM%1").arg(port);
}

} // namespace

QString SerialLink::settingsForSpeed(int speed)
{
    static const char *const texts[] = {"9600,n,8,1",  "14400,n,8,1", "19200,n,8,1",
                                        "38400,n,8,1", "57600,n,8,1", "115200,n,8,1"};
    if (speed < 1 || speed > 6)
        return {};
    return QString::fromLatin1(texts[speed - 1]);
}

bool SerialLink::setSettings(const QString &settings)
{
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;

    QSerialPort::Parity parity;
    const QString p = parts[1].trimmed().toLower();
    if (p == QLatin1String("n"))
        parity = QSerialPort::NoParity;
    else if (p == QLatin1String("e"))
        parity = QSerialPort::EvenParity;
    else if (p == QLatin1String("o"))
        parity = QSerialPort::OddParity;
    else if (p == QLatin1String("m"))
        parity = QSerialPort::MarkParity;
    else if (p == QLatin1String("s"))
        parity = QSerialPort::SpaceParity;
    else
        return false;

    const int data = parts[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return false;

    QSerialPort::StopBits stop;
    const QString s = parts[3].trimmed();
    if (s == QLatin1String("1"))
        stop = QSerialPort::OneStop;
    else if (s == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    else if (s == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else
        return false;

    m_baud = baud;
    m_parity = parity;
    m_dataBits = QSerialPort::DataBits(data);
    m_stopBits = stop;
    m_settings = settings;
    return true;
}

QString SerialLink::deviceName(int port, QString *mapError)
{
#ifdef Q_OS_WIN
    Q_UNUSED(mapError);
    if (port < 1 || port > 9)
        return {};
    return portLabel(port);
#else
    // A line "COMn'device" of the data directory's port map wins.
    const QString mapPath = QDir(DataDirectory()).filePath(QLatin1String(PortMapFile));
    QByteArray map;
    QString why;
    switch (TextFile::readBytes(mapPath, TextFile::MaxDataFileBytes, &map, &why)) {
    case TextFile::Read::Failed:
        if (mapError)
            *mapError = QStringLiteral("%1: %2").arg(mapPath, why);
        return {};
    case TextFile::Read::Ok: {
        const QString device = mappedDevice(TextFile::splitLines(map), port);
        if (!device.isEmpty())
            return device;
        break;
    }
    case TextFile::Read::Missing:
        break;
    }
    if (port < 1 || port > 9)
        return {};
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

QString SerialLink::mappedDevice(const QStringList &lines, int port)
{
    for (const QString &line : lines) {
        const QStringList fields = SplitFields(line, 0);
        if (fields.size() != 2 || fields[1].isEmpty())
            continue;
        if (fields[0].compare(portLabel(port), Qt::CaseInsensitive) == 0)
            return fields[1];
    }
    return {};
}

bool SerialLink::open(QString *error)
{
    if (m_serial.isOpen())
        return true;
    QString mapError;
    const QString device = m_device.isEmpty() ? deviceName(m_port, &mapError) : m_device;
    if (device.isEmpty()) {
        if (error)
            *error =
                mapError.isEmpty()
                    ? QStringLiteral("%1: 사용할 수 없는 포트 번호입니다").arg(portLabel(m_port))
                    : QStringLiteral("%1: 포트 지정 파일을 읽을 수 없어 보내지 않습니다 (%2)")
                          .arg(portLabel(m_port), mapError);
        return false;
    }
    m_serial.setPortName(device);
    m_serial.setBaudRate(m_baud);
    m_serial.setParity(m_parity);
    m_serial.setDataBits(m_dataBits);
    m_serial.setStopBits(m_stopBits);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_serial.open(QIODevice::WriteOnly)) {
        if (error)
            *error = (m_device.isEmpty() ? QStringLiteral("%1 (%2)").arg(portLabel(m_port), device)
                                         : device) +
                     QStringLiteral(": ") + m_serial.errorString();
        m_serial.clearError();
        return false;
    }
    return true;
}

bool SerialLink::write(const QByteArray &bytes, QString *error)
{
    auto fail = [&] {
        if (error)
            *error = QStringLiteral("%1: %2").arg(m_serial.portName(), m_serial.errorString());
        m_serial.clearError();
        return false;
    };
    if (!m_serial.isOpen()) {
        if (error)
            *error = QStringLiteral("%1: 포트가 열려 있지 않습니다").arg(portLabel(m_port));
        return false;
    }
    if (bytes.isEmpty())
        return true;
    if (m_serial.write(bytes) != bytes.size())
        return fail();
    const int timeout = writeTimeoutMs(bytes.size(), m_baud);
    while (m_serial.bytesToWrite() > 0) {
        if (!m_serial.waitForBytesWritten(timeout))
            return fail();
    }
    return true;
}

void SerialLink::close()
{
    if (m_serial.isOpen())
        m_serial.close();
    m_serial.clearError();
}
