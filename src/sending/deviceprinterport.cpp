// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceprinterport.h"

#include <QFile>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace {

#ifdef Q_OS_UNIX
SendError::Kind kindOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
        return SendError::Kind::DeviceMissing;
    case EACCES:
    case EPERM:
    case EROFS:
        return SendError::Kind::PermissionDenied;
    case EBUSY:
        return SendError::Kind::Busy;
    case EPIPE:
        return SendError::Kind::PeerClosed;
    default:
        return SendError::Kind::Other;
    }
}

// A write to a pipe or device whose reader went away must fail, not end the program.
void ignoreBrokenPipes()
{
    static const bool done = [] {
        struct sigaction old = {};
        if (::sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
            ::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    Q_UNUSED(done);
}
#endif

} // namespace

DevicePrinterPort::DevicePrinterPort(const QString &path, QObject *parent)
    : PrinterPort(parent), m_path(path)
{
}

DevicePrinterPort::~DevicePrinterPort()
{
    close();
}

int DevicePrinterPort::openFlags() const
{
#ifdef Q_OS_UNIX
    return O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#else
    return 0;
#endif
}

bool DevicePrinterPort::prepare(int, SendError::Kind *, QString *)
{
    return true;
}

void DevicePrinterPort::release(int) {}

void DevicePrinterPort::open()
{
#ifdef Q_OS_UNIX
    ignoreBrokenPipes();
    m_fd = ::open(QFile::encodeName(m_path).constData(), openFlags());
    if (m_fd < 0) {
        const int e = errno;
        fail(kindOf(e), QString::fromLocal8Bit(std::strerror(e)));
        return;
    }
    SendError::Kind kind = SendError::Kind::Other;
    QString detail;
    if (!prepare(m_fd, &kind, &detail)) {
        release(m_fd);
        ::close(m_fd);
        m_fd = -1;
        fail(kind, detail);
        return;
    }
    Q_EMIT opened();
#else
    if (!QFileInfo::exists(m_path)) {
        fail(SendError::Kind::DeviceMissing);
        return;
    }
    auto *file = new QFile(m_path, this);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        fail(SendError::Kind::Other, file->errorString());
        delete file;
        return;
    }
    m_fd = file->handle();
    Q_EMIT opened();
#endif
}

void DevicePrinterPort::write(const QByteArray &bytes)
{
    m_bytes = bytes;
    m_written = 0;
    writeMore();
}

void DevicePrinterPort::writeMore()
{
#ifdef Q_OS_UNIX
    while (m_fd >= 0 && m_written < m_bytes.size()) {
        const ssize_t n =
            ::write(m_fd, m_bytes.constData() + m_written, size_t(m_bytes.size() - m_written));
        if (n > 0) {
            m_written += n;
            Q_EMIT progress(m_written, m_bytes.size());
            continue;
        }
        const int e = errno;
        if (n < 0 && e == EINTR)
            continue;
        if (n < 0 && (e == EAGAIN || e == EWOULDBLOCK)) {
            // The device takes no more for now: go on when it is ready again.
            if (!m_notifier) {
                m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
                connect(m_notifier, &QSocketNotifier::activated, this,
                        &DevicePrinterPort::writeMore);
            }
            m_notifier->setEnabled(true);
            return;
        }
        if (m_notifier)
            m_notifier->setEnabled(false);
        fail(kindOf(e), QString::fromLocal8Bit(std::strerror(e)));
        return;
    }
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_fd >= 0)
        Q_EMIT allWritten();
#else
    auto *file = findChild<QFile *>();
    if (!file || file->write(m_bytes) != m_bytes.size()) {
        fail(SendError::Kind::Other, file ? file->errorString() : QString());
        return;
    }
    m_written = m_bytes.size();
    Q_EMIT progress(m_written, m_bytes.size());
    Q_EMIT allWritten();
#endif
}

void DevicePrinterPort::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        delete m_notifier;
        m_notifier = nullptr;
    }
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        release(m_fd);
        ::close(m_fd);
    }
#else
    delete findChild<QFile *>();
#endif
    m_fd = -1;
}
