// SPDX-License-Identifier: GPL-3.0-or-later
#include "portlanguages.h"

#include "common/programstate.h"
#include "common/textfile.h"
#include "common/textutil.h"
#include "sending/portmap.h"

#include <QDir>

namespace {

bool readLine(const QString &line, QString *port, PortLanguages::Entry *entry)
{
    const QStringList f = SplitFields(line, 0);
    if (f.size() < 2 || f.size() > 3 || f[1].trimmed().isEmpty())
        return false;
    *port = f[0].trimmed();
    entry->language = f[1].trimmed().toLower();
    entry->dpi = f.size() == 3 ? f[2].trimmed().toInt() : 0;
    return true;
}

bool isPort(const QString &name, int port)
{
    return name.compare(PortMap::portName(port), Qt::CaseInsensitive) == 0;
}

} // namespace

QString PortLanguages::path()
{
    return QDir(DataDirectory()).filePath(fileName());
}

bool PortLanguages::load(const QString &path, QString *error)
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

PortLanguages::Entry PortLanguages::entry(int port) const
{
    for (const QString &line : m_lines) {
        QString name;
        Entry e;
        if (readLine(line, &name, &e) && isPort(name, port))
            return e;
    }
    return {};
}

void PortLanguages::setEntry(int port, const Entry &entry)
{
    QStringList kept;
    for (const QString &line : std::as_const(m_lines)) {
        QString name;
        Entry e;
        if (!(readLine(line, &name, &e) && isPort(name, port)))
            kept << line;
    }
    m_lines = kept;
    if (!entry.isStationOwn())
        m_lines.prepend(PortMap::portName(port) + QLatin1Char('\'') + entry.language +
                        (entry.dpi > 0 ? QLatin1Char('\'') + QString::number(entry.dpi)
                                       : QString()));
}

bool PortLanguages::save(const QString &path, QString *error) const
{
    QStringList entries, others;
    for (int port = 1; port <= PortMap::PortCount; ++port) {
        const Entry e = entry(port);
        if (!e.isStationOwn())
            entries << PortMap::portName(port) + QLatin1Char('\'') + e.language +
                           (e.dpi > 0 ? QLatin1Char('\'') + QString::number(e.dpi) : QString());
    }
    for (const QString &line : m_lines) {
        QString name;
        Entry e;
        bool station = false;
        if (readLine(line, &name, &e)) {
            for (int port = 1; port <= PortMap::PortCount; ++port)
                station = station || isPort(name, port);
        }
        if (!station && !line.trimmed().isEmpty())
            others << line;
    }
    return TextFile::writeLines(path, entries + others, error);
}
