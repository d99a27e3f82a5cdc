// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A label printer stand-in for tests: a pseudo-terminal whose slave side the program opens as
// a serial port (mapped through ComPorts.Txt) and whose master side the test reads.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

class PtyPrinter {
public:
    PtyPrinter()
    {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
            m_device = QString::fromLocal8Bit(name);
    }
    ~PtyPrinter()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyPrinter(const PtyPrinter &) = delete;
    PtyPrinter &operator=(const PtyPrinter &) = delete;

    bool isValid() const { return !m_device.isEmpty(); }
    // The printer's end, for a reader of its own (a slow printer).
    int masterFd() const { return m_master; }
    QString device() const { return m_device; }

    // Everything that has arrived, waiting up to `ms` for the first byte and a short while
    // after the last.
    QByteArray readAll(int ms = 200)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) {
                if (!got.isEmpty())
                    break;
                continue;
            }
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, n);
        }
        return got;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_device;
};
