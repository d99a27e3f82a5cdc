// SPDX-License-Identifier: GPL-3.0-or-later
#include "ttyprinterport.h"

#include "sending/ttyspeed.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The folders serial programs keep their lock files in, the usual one first.
const char *const LockFolders[] = {"/run/lock", "/var/lock"};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The speed constant of a standard rate; 0 for a rate without one.
speed_t standardSpeed(qint32 baud)
{
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return 0;
    }
}
#endif

} // namespace

TtyPrinterPort::TtyPrinterPort(const QString &device, const LineSettings &settings, QObject *parent)
    : DevicePrinterPort(device, parent), m_settings(settings)
{
}

qint64 TtyPrinterPort::bytesPerSecond() const
{
    // 10 bits a byte: start, 8 data bits (fewer on some lines), stop.
    return qMax<qint64>(1, m_settings.baud / 10);
}

int TtyPrinterPort::openFlags() const
{
#ifdef Q_OS_UNIX
    return O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#else
    return 0;
#endif
}

bool TtyPrinterPort::lock(SendError::Kind *kind, QString *detail)
{
#ifdef Q_OS_UNIX
    // Named after the device below /dev, "/" as "_": LCK..ttyUSB0, LCK..pts_3.
    QString device =
        m_path.startsWith(QLatin1String("/dev/")) ? m_path.mid(5) : QFileInfo(m_path).fileName();
    device.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QByteArray name = "LCK.." + QFile::encodeName(device);
    for (const char *folder : LockFolders) {
        const QByteArray path = QByteArray(folder) + '/' + name;
        // Another program's lock: the port is busy while that program lives.
        QFile other(QString::fromLocal8Bit(path));
        if (other.open(QIODevice::ReadOnly)) {
            bool ok = false;
            const qint64 pid = other.readLine(32).trimmed().toLongLong(&ok);
            if (ok && pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM)) {
                *kind = SendError::Kind::Busy;
                *detail =
                    QStringLiteral("%1 (process %2)").arg(QString::fromLocal8Bit(path)).arg(pid);
                return false;
            }
            continue; // stale: left alone
        }
        if (::access(folder, W_OK) != 0)
            continue;
        // Ours, as QLockFile writes it (process, program), without a sync.
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        const QByteArray content = QByteArray::number(qint64(::getpid())) + '\n' +
                                   QCoreApplication::applicationName().toUtf8() + "\n\n";
        const bool written =
            ::write(fd, content.constData(), size_t(content.size())) == ssize_t(content.size());
        ::close(fd);
        if (written)
            m_lockFile = QString::fromLocal8Bit(path);
        else
            ::unlink(path.constData());
        return true;
    }
#else
    Q_UNUSED(kind);
    Q_UNUSED(detail);
#endif
    return true;
}

bool TtyPrinterPort::prepare(int fd, SendError::Kind *kind, QString *detail)
{
#ifdef Q_OS_UNIX
    if (!lock(kind, detail))
        return false;
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        *kind = SendError::Kind::Other;
        *detail = systemError(errno); // not a terminal: no serial port
        return false;
    }
    // Held by this program alone while the job goes out.
    ::ioctl(fd, TIOCEXCL);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CRTSCTS
    t.c_cflag &= ~CRTSCTS;
#endif
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    switch (m_settings.dataBits) {
    case QSerialPort::Data5:
        t.c_cflag |= CS5;
        break;
    case QSerialPort::Data6:
        t.c_cflag |= CS6;
        break;
    case QSerialPort::Data7:
        t.c_cflag |= CS7;
        break;
    default:
        t.c_cflag |= CS8;
        break;
    }
#ifdef CMSPAR
    t.c_cflag &= ~CMSPAR;
#endif
    switch (m_settings.parity) {
    case QSerialPort::EvenParity:
        t.c_cflag |= PARENB;
        break;
    case QSerialPort::OddParity:
        t.c_cflag |= PARENB | PARODD;
        break;
#ifdef CMSPAR
    case QSerialPort::MarkParity:
        t.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case QSerialPort::SpaceParity:
        t.c_cflag |= PARENB | CMSPAR;
        break;
#endif
    default:
        break;
    }
    // 1.5 stop bits exist only for 5 data bits; the terminal then takes "2" for it.
    if (m_settings.stopBits != QSerialPort::OneStop)
        t.c_cflag |= CSTOPB;
    const speed_t speed = standardSpeed(m_settings.baud);
    if (speed != 0) {
        ::cfsetispeed(&t, speed);
        ::cfsetospeed(&t, speed);
    }
    if (::tcsetattr(fd, TCSANOW, &t) != 0 || (speed == 0 && !SetTtySpeed(fd, m_settings.baud))) {
        *kind = SendError::Kind::Other;
        *detail = QStringLiteral("%1: %2").arg(m_settings.text, systemError(errno));
        return false;
    }
#else
    Q_UNUSED(fd);
    Q_UNUSED(kind);
    Q_UNUSED(detail);
#endif
    return true;
}

void TtyPrinterPort::release(int fd)
{
#ifdef Q_OS_UNIX
    ::ioctl(fd, TIOCNXCL);
    if (!m_lockFile.isEmpty())
        ::unlink(QFile::encodeName(m_lockFile).constData());
#else
    Q_UNUSED(fd);
#endif
    m_lockFile.clear();
}
