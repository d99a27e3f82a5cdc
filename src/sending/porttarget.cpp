// SPDX-License-Identifier: GPL-3.0-or-later
#include "porttarget.h"

#include <QRegularExpression>

PortTarget PortTarget::serial(const QString &device)
{
    PortTarget t;
    t.m_kind = device.isEmpty() ? Kind::None : Kind::Serial;
    t.m_device = device;
    return t;
}

PortTarget PortTarget::network(const QString &host, quint16 port)
{
    PortTarget t;
    t.m_kind = host.isEmpty() || port == 0 ? Kind::None : Kind::Network;
    t.m_host = host;
    t.m_port = port;
    return t;
}

PortTarget PortTarget::file(const QString &path)
{
    PortTarget t;
    t.m_kind = path.isEmpty() ? Kind::None : Kind::File;
    t.m_device = path;
    return t;
}

PortTarget PortTarget::spooler(const QString &queue)
{
    PortTarget t;
    t.m_kind = queue.isEmpty() ? Kind::None : Kind::Spooler;
    t.m_device = queue;
    return t;
}

bool PortTarget::parse(const QString &text, PortTarget *target, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString t = text.trimmed();
    if (t.isEmpty())
        return fail(QStringLiteral("no target given"));

    if (t.startsWith(QLatin1String("tcp://"), Qt::CaseInsensitive)) {
        const QString rest = t.mid(6);
        QString host;
        QString port;
        if (rest.startsWith(QLatin1Char('['))) {
            // [IPv6 address]:port
            const qsizetype close = rest.indexOf(QLatin1Char(']'));
            if (close < 0)
                return fail(QStringLiteral("'%1': the host's closing ']' is missing").arg(t));
            host = rest.mid(1, close - 1);
            const QString after = rest.mid(close + 1);
            if (!after.isEmpty()) {
                if (!after.startsWith(QLatin1Char(':')))
                    return fail(QStringLiteral("'%1': ':' expected after the host").arg(t));
                port = after.mid(1);
                if (port.isEmpty())
                    return fail(QStringLiteral("'%1': the port after ':' is missing").arg(t));
            }
        } else {
            const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
            if (colon >= 0 && rest.indexOf(QLatin1Char(':')) != colon)
                return fail(QStringLiteral("'%1': write an IPv6 host in brackets").arg(t));
            host = colon >= 0 ? rest.left(colon) : rest;
            if (colon >= 0) {
                port = rest.mid(colon + 1);
                if (port.isEmpty())
                    return fail(QStringLiteral("'%1': the port after ':' is missing").arg(t));
            }
        }
        if (host.isEmpty() || host.contains(QLatin1Char('/')))
            return fail(QStringLiteral("'%1': no host").arg(t));
        quint16 number = DefaultTcpPort;
        if (!port.isEmpty()) {
            bool ok = false;
            const int n = port.toInt(&ok);
            if (!ok || n < 1 || n > 65535)
                return fail(QStringLiteral("'%1': the port is not 1 to 65535").arg(t));
            number = quint16(n);
        }
        *target = network(host, number);
        return true;
    }

    if (t.startsWith(QLatin1String("cups:"), Qt::CaseInsensitive)) {
        const QString queue = t.mid(5);
        // The queue names CUPS allows: printable characters but blanks, / # and '.
        static const QRegularExpression name(QStringLiteral("^[^\\s/#'\\\\]{1,127}$"));
        if (!name.match(queue).hasMatch())
            return fail(
                QStringLiteral("'%1': no print queue name (letters, digits, - and _)").arg(t));
        *target = spooler(queue);
        return true;
    }

    if (t.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        QString path = t.mid(5);
        // The URL form file:///dev/usb/lp0 names the same path.
        if (path.startsWith(QLatin1String("///")))
            path = path.mid(2);
        if (path.isEmpty())
            return fail(QStringLiteral("'%1': no file path").arg(t));
        *target = file(path);
        return true;
    }

    *target = serial(t);
    return true;
}

QString PortTarget::text() const
{
    switch (m_kind) {
    case Kind::None:
        return {};
    case Kind::Serial:
        return m_device;
    case Kind::Network: {
        const QString host = m_host.contains(QLatin1Char(':'))
                                 ? QLatin1Char('[') + m_host + QLatin1Char(']')
                                 : m_host;
        return QStringLiteral("tcp://%1:%2").arg(host).arg(m_port);
    }
    case Kind::File:
        return QStringLiteral("file:") + m_device;
    case Kind::Spooler:
        return QStringLiteral("cups:") + m_device;
    }
    return {};
}
