#include "joboutput.h"

#include "common/cp949codec.h"
#include "common/textfile.h"
#include "srp770/jobsender.h"
#include "srp770/seriallink.h"

#include <QFile>

#include <cstdio>

JobOutput::JobOutput(Kind kind, const QString &target)
    : m_kind(kind), m_target(target), m_link(std::make_unique<SerialLink>())
{
    if (m_kind == Kind::Device)
        m_link->setDevice(m_target);
}

JobOutput::~JobOutput() = default;

QString JobOutput::describe() const
{
    switch (m_kind) {
    case Kind::Port:
        return QStringLiteral("COM%1").arg(m_target);
    case Kind::Device:
        return m_target;
    case Kind::File:
        return m_target == QLatin1String("-") ? QStringLiteral("standard output") : m_target;
    }
    return m_target;
}

bool JobOutput::send(const QString &text, const QString &copyFilePath, int waitSeconds,
                     QString *error, QString *warning)
{
    if (warning)
        warning->clear();
    if (m_kind == Kind::File) {
        m_bytes += Cp949Codec::encode(text);
        return true;
    }
    if (SerialLink::settingsForSpeed(m_speed).isEmpty()) {
        if (error)
            *error = QStringLiteral("the format set has no line speed; choose one in the station");
        return false;
    }
    const int port = m_kind == Kind::Port ? m_target.toInt() : 0;
    QString mapError;
    if (m_kind == Kind::Port && SerialLink::deviceName(port, &mapError).isEmpty()) {
        if (error)
            *error = mapError.isEmpty()
                         ? QStringLiteral("%1 names no serial device here; map it in ComPorts.Txt")
                               .arg(describe())
                         : QStringLiteral("cannot read the port map %1; nothing sent to %2")
                               .arg(mapError, describe());
        return false;
    }
    QString why;
    const SendResult r = SendJob(*m_link, text, copyFilePath, port, m_speed, waitSeconds, &why);
    switch (r) {
    case SendResult::Sent:
        if (warning && !why.isEmpty())
            *warning = QStringLiteral("the copy file was not written: ") + why;
        return true;
    case SendResult::PortInUse:
        if (error)
            *error = QStringLiteral("%1 is already in use").arg(describe());
        return false;
    case SendResult::CannotOpen:
        if (error)
            *error = QStringLiteral("cannot send to %1: %2").arg(describe(), why);
        return false;
    }
    return false;
}

bool JobOutput::finish(QString *error)
{
    if (m_kind != Kind::File)
        return true;
    if (m_target == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(m_bytes) != m_bytes.size() ||
            !out.flush()) {
            if (error)
                *error = QStringLiteral("cannot write to standard output");
            return false;
        }
        return true;
    }
    QString why;
    if (!TextFile::writeBytes(m_target, m_bytes, &why)) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(m_target, why);
        return false;
    }
    return true;
}
