// SPDX-License-Identifier: GPL-3.0-or-later
#include "joboutput.h"

#include "common/cp949codec.h"
#include "common/textfile.h"
#include "sending/linesettings.h"
#include "sending/portmap.h"
#include "sending/sendqueue.h"

#include <QEventLoop>
#include <QFile>

#include <cstdio>

JobOutput::JobOutput(Kind kind, const QString &target) : m_kind(kind), m_target(target) {}

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

void JobOutput::add(const PrintJob &job)
{
    if (m_kind == Kind::File)
        m_bytes += Cp949Codec::encode(job.text);
    else
        m_jobs << job;
}

bool JobOutput::sendJobs(QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    LineSettings settings;
    if (!LineSettings::parse(LineSettings::textForSpeed(m_speed), &settings))
        return fail(QStringLiteral("the format set has no line speed; choose one in the station"));

    SendQueue queue;
    queue.setLineSettings(settings);
    queue.setStopOnFailure(true);
    queue.setOneConnection(m_oneConnection);
    if (m_kind == Kind::Port) {
        PortMap map;
        map.load(PortMap::path());
        QString why;
        const PortTarget target = map.target(m_target.toInt(), &why);
        if (!target.isValid())
            return fail(why);
        queue.setTarget(target, QStringLiteral("%1 (%2)").arg(describe(), target.text()));
    } else {
        PortTarget target;
        PortTarget::parse(m_target, &target);
        queue.setTarget(target);
    }
    // The command line's one event loop: no window waits on it.
    QEventLoop loop;
    QObject::connect(&queue, &SendQueue::finished, &loop, &QEventLoop::quit);
    queue.start(m_jobs);
    loop.exec();

    const SendQueue::Summary &s = queue.summary();
    m_sent = s.sent;
    m_warnings.clear();
    for (const QString &copy : s.copyErrors)
        m_warnings << QStringLiteral("the copy file was not written: ") + copy;
    if (s.firstError.isError())
        return fail(s.firstFailedJob + QStringLiteral(": ") + s.firstError.english());
    return true;
}

bool JobOutput::finish(QString *error)
{
    if (m_kind != Kind::File)
        return sendJobs(error);
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
