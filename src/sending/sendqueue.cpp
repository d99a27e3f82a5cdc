// SPDX-License-Identifier: GPL-3.0-or-later
#include "sendqueue.h"

#include "common/cp949codec.h"
#include "common/waiting.h"
#include "sending/printerport.h"

#include <QFile>

#include <limits>

SendQueue::SendQueue(QObject *parent, OpenTargets *open)
    : QObject(parent), m_open(open ? open : OpenTargets::ofApplication())
{
    m_writeTimer.setSingleShot(true);
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, [this] {
        if (m_stage == Stage::Writing)
            onFailed(SendError(SendError::Kind::Timeout, m_portName,
                               QStringLiteral("the port took the bytes too slowly")));
    });
    connect(&m_waitTimer, &QTimer::timeout, this, &SendQueue::onWaitTimer);
}

SendQueue::~SendQueue()
{
    m_writeTimer.stop();
    m_waitTimer.stop();
    releasePort();
}

void SendQueue::setTarget(const PortTarget &target, const QString &portName)
{
    m_target = target;
    m_portName = portName.isEmpty() ? target.text() : portName;
    m_targetError = SendError();
}

void SendQueue::setTargetError(const SendError &error)
{
    m_target = PortTarget();
    m_portName = error.port;
    m_targetError = error;
}

bool SendQueue::start(const QList<PrintJob> &jobs)
{
    if (m_busy)
        return false;
    m_busy = true;
    m_cancel = false;
    m_jobs = jobs;
    m_index = -1;
    m_summary = Summary();
    m_summary.total = int(jobs.size());
    QMetaObject::invokeMethod(this, &SendQueue::next, Qt::QueuedConnection);
    return true;
}

void SendQueue::cancel()
{
    if (m_busy)
        m_cancel = true;
}

bool SendQueue::writeCopy(const PrintJob &job, const QByteArray &bytes)
{
    if (job.copyFile.isEmpty())
        return true;
    // A record of the last job sent, not operator data: a plain write, no sync per job. The
    // file is overwritten in place and cut to the new length (cheaper than emptying it
    // first, as the jobs of one operation are often of one length).
    QFile f(job.copyFile);
    const QByteArray content = bytes + "\r\n";
    if (f.open(QIODevice::ReadWrite) && f.write(content) == content.size() &&
        f.resize(content.size()) && f.flush()) {
        f.close();
        if (f.error() == QFileDevice::NoError)
            return true;
    }
    m_summary.copyErrors << job.copyFile + QStringLiteral(": ") + f.errorString();
    return false;
}

void SendQueue::next()
{
    m_stage = Stage::Idle;
    ++m_index;
    if (m_index >= m_jobs.size() || m_cancel) {
        releasePort(); // the one connection, when the jobs kept it
        m_summary.cancelled += int(m_jobs.size()) - qMin(m_index, int(m_jobs.size()));
        m_busy = false;
        m_jobs.clear();
        Q_EMIT finished();
        return;
    }
    const PrintJob &job = m_jobs[m_index];
    Q_EMIT jobStarted(m_index, int(m_jobs.size()));
    if (job.text.isEmpty()) {
        ++m_summary.skipped;
        Q_EMIT jobFinished(m_index, false);
        QMetaObject::invokeMethod(this, &SendQueue::next, Qt::QueuedConnection);
        return;
    }
    m_bytes = Cp949Codec::encode(job.text);
    if (m_bytes.isEmpty()) {
        onFailed(SendError(SendError::Kind::Encoding, m_portName));
        return;
    }
    // The copy comes first: a job that cannot be sent still leaves it.
    writeCopy(job, m_bytes);

    if (m_port && m_oneConnection) {
        // The connection of the jobs before stays open.
        m_stage = Stage::Opening;
        onOpened();
        return;
    }
    if (m_targetError.isError()) {
        onFailed(m_targetError);
        return;
    }
    if (!m_target.isValid()) {
        onFailed(SendError(SendError::Kind::NoPort, m_portName));
        return;
    }
    if (m_open && !m_open->claim(m_target.text())) {
        onFailed(SendError(SendError::Kind::Busy, m_portName));
        return;
    }
    PrinterPort *port = PrinterPort::create(m_target, m_settings, this);
    port->setName(m_portName);
    m_port = port;
    m_holding = true;
    connect(port, &PrinterPort::opened, this, &SendQueue::onOpened);
    connect(port, &PrinterPort::allWritten, this, &SendQueue::onAllWritten);
    connect(port, &PrinterPort::failed, this, &SendQueue::onFailed);
    connect(port, &PrinterPort::progress, this,
            [this](qint64 written, qint64 total) { Q_EMIT bytesWritten(m_index, written, total); });
    m_stage = Stage::Opening;
    port->open();
}

void SendQueue::onOpened()
{
    if (m_stage != Stage::Opening || !m_port)
        return;
    m_stage = Stage::Writing;
    // Twice the line time of the bytes, and a margin.
    const qint64 lineMs = qint64(m_bytes.size()) * 1000 / qMax<qint64>(1, m_port->bytesPerSecond());
    m_writeTimer.start(
        int(qMin<qint64>(2 * lineMs + WriteMarginMs, std::numeric_limits<int>::max())));
    m_port->write(m_bytes);
}

void SendQueue::onAllWritten()
{
    if (m_stage != Stage::Writing)
        return;
    m_writeTimer.stop();
    m_stage = Stage::Waiting;
    // The printer's mandated wait, against a deadline of the monotonic clock.
    m_deadline = QDeadlineTimer(MandatedWaitMs(m_jobs[m_index].waitSeconds), Qt::PreciseTimer);
    armWaitTimer();
}

void SendQueue::armWaitTimer()
{
    const qint64 leftNs = m_deadline.remainingTimeNSecs();
    if (leftNs <= 0) { // never early
        endJob(true);
        return;
    }
    // The event loop's timers come late by about a thousandth of their interval (3 ms after
    // 3 s): aim short of the deadline by more than that, aim again from there, and let the
    // last couple of milliseconds pass in rounds of the event loop.
    const qint64 aimNs = leftNs - leftNs / 100 - FinishNs;
    m_waitTimer.start(aimNs > 1000000 ? int(aimNs / 1000000) : 0);
}

void SendQueue::onWaitTimer()
{
    if (m_stage == Stage::Waiting)
        armWaitTimer();
}

void SendQueue::onFailed(const SendError &error)
{
    if (m_index < 0 || m_index >= m_jobs.size())
        return;
    m_writeTimer.stop();
    m_waitTimer.stop();
    if (!m_summary.firstError.isError()) {
        m_summary.firstError = error;
        m_summary.firstFailedJob = m_jobs[m_index].name;
    }
    if (m_stopOnFailure)
        m_cancel = true;
    endJob(false);
}

void SendQueue::endJob(bool sent)
{
    if (!(sent && m_oneConnection))
        releasePort();
    m_stage = Stage::Idle;
    if (sent)
        ++m_summary.sent;
    else
        ++m_summary.failed;
    Q_EMIT jobFinished(m_index, sent);
    QMetaObject::invokeMethod(this, &SendQueue::next, Qt::QueuedConnection);
}

void SendQueue::releasePort()
{
    if (m_port) {
        PrinterPort *port = m_port;
        m_port = nullptr;
        port->disconnect(this);
        port->close();
        port->deleteLater();
    }
    if (m_holding) {
        if (m_open)
            m_open->release(m_target.text());
        m_holding = false;
    }
}
