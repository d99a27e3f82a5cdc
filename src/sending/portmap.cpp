// SPDX-License-Identifier: GPL-3.0-or-later
#include "portmap.h"

#include "common/programstate.h"
#include "common/textfile.h"
#include "common/textutil.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The port a line maps and its target text; false for a line that maps nothing.
bool readLine(const QString &line, QString *port, QString *target)
{
    const QStringList fields = SplitFields(line, 0);
    if (fields.size() != 2 || fields[1].isEmpty())
        return false;
    *port = fields[0];
    *target = fields[1];
    return true;
}

} // namespace

QString PortMap::path()
{
    return QDir(DataDirectory()).filePath(fileName());
}

QString PortMap::portName(int port)
{
    return QStringLiteral("COM%1").arg(port);
}

PortTarget PortMap::defaultTarget(int port)
{
    if (port < 1 || port > PortCount)
        return {};
#ifdef Q_OS_WIN
    return PortTarget::serial(portName(port));
#else
    return PortTarget::serial(QStringLiteral("/dev/ttyS%1").arg(port - 1));
#endif
}

bool PortMap::load(const QString &path, QString *error)
{
    m_lines.clear();
    m_loadError.clear();
    QByteArray bytes;
    QString why;
    switch (TextFile::readBytes(path, TextFile::MaxDataFileBytes, &bytes, &why)) {
    case TextFile::Read::Missing:
        return true;
    case TextFile::Read::Failed:
        m_loadError = why.isEmpty() ? QStringLiteral("cannot be read") : why;
        if (error)
            *error = m_loadError;
        return false;
    case TextFile::Read::Ok:
        break;
    }
    m_lines = TextFile::splitLines(bytes);
    return true;
}

QString PortMap::entry(int port) const
{
    for (const QString &line : m_lines) {
        QString name, target;
        if (readLine(line, &name, &target) &&
            name.compare(portName(port), Qt::CaseInsensitive) == 0)
            return target;
    }
    return {};
}

void PortMap::setEntry(int port, const QString &text)
{
    QStringList kept;
    for (const QString &line : std::as_const(m_lines)) {
        QString name, target;
        if (readLine(line, &name, &target) &&
            name.compare(portName(port), Qt::CaseInsensitive) == 0)
            continue;
        kept << line;
    }
    m_lines = kept;
    if (!text.trimmed().isEmpty())
        m_lines.prepend(portName(port) + QLatin1Char('\'') + text.trimmed());
}

PortTarget PortMap::target(int port, QString *error) const
{
    if (!m_loadError.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 cannot be read (%2); nothing is sent")
                         .arg(fileName(), m_loadError);
        return {};
    }
    const QString text = entry(port);
    if (text.isEmpty()) {
        const PortTarget t = defaultTarget(port);
        if (!t.isValid() && error)
            *error = QStringLiteral("%1 names no port here; map it in %2")
                         .arg(portName(port), fileName());
        return t;
    }
    PortTarget t;
    QString why;
    if (!PortTarget::parse(text, &t, &why)) {
        if (error)
            *error = QStringLiteral("%1 in %2: %3").arg(portName(port), fileName(), why);
        return {};
    }
    return t;
}

bool PortMap::save(const QString &path, QString *error) const
{
    QStringList entries;
    QStringList others;
    for (int port = 1; port <= PortCount; ++port) {
        const QString text = entry(port);
        if (!text.isEmpty())
            entries << portName(port) + QLatin1Char('\'') + text;
    }
    for (const QString &line : m_lines) {
        QString name, target;
        bool station = false;
        if (readLine(line, &name, &target)) {
            for (int port = 1; port <= PortCount; ++port)
                station = station || name.compare(portName(port), Qt::CaseInsensitive) == 0;
        }
        if (!station && !line.trimmed().isEmpty())
            others << line;
    }
    return TextFile::writeLines(path, entries + others, error);
}
