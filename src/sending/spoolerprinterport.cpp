// SPDX-License-Identifier: GPL-3.0-or-later
#include "spoolerprinterport.h"

#include <QStandardPaths>

SpoolerPrinterPort::SpoolerPrinterPort(const QString &queue, QObject *parent)
    : PrinterPort(parent), m_queue(queue)
{
}

SpoolerPrinterPort::~SpoolerPrinterPort()
{
    close();
}

void SpoolerPrinterPort::open()
{
    if (QStandardPaths::findExecutable(QStringLiteral("lp")).isEmpty()) {
        fail(SendError::Kind::DeviceMissing, QStringLiteral("lp (CUPS) is not installed"));
        return;
    }
    Q_EMIT opened();
}

void SpoolerPrinterPort::write(const QByteArray &bytes)
{
    m_total = bytes.size();
    m_lp = new QProcess(this);
    m_lp->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_lp, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            fail(SendError::Kind::DeviceMissing, m_lp->errorString());
    });
    connect(m_lp, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        const QString said = QString::fromLocal8Bit(m_lp->readAll()).trimmed();
        if (status == QProcess::NormalExit && code == 0) {
            Q_EMIT progress(m_total, m_total);
            Q_EMIT allWritten();
            return;
        }
        // "lp: Error - The printer or class does not exist.", "... is not accepting jobs."
        const SendError::Kind kind = said.contains(QLatin1String("does not exist"))
                                         ? SendError::Kind::DeviceMissing
                                     : said.contains(QLatin1String("Forbidden")) ||
                                             said.contains(QLatin1String("not authorized"))
                                         ? SendError::Kind::PermissionDenied
                                         : SendError::Kind::Other;
        fail(kind, said.isEmpty() ? QStringLiteral("lp ended with status %1").arg(code) : said);
    });
    // Raw: the spooler passes the bytes on unchanged; the title names the program.
    m_lp->start(QStringLiteral("lp"),
                {QStringLiteral("-d"), m_queue, QStringLiteral("-o"), QStringLiteral("raw"),
                 QStringLiteral("-t"), QStringLiteral("Label Station"), QStringLiteral("-")});
    m_lp->write(bytes);
    m_lp->closeWriteChannel();
}

void SpoolerPrinterPort::close()
{
    if (!m_lp)
        return;
    m_lp->disconnect(this);
    if (m_lp->state() != QProcess::NotRunning) {
        // A job not yet handed over is withdrawn: the spooler never gets half of it.
        m_lp->kill();
        m_lp->waitForFinished(1000);
    }
    m_lp->deleteLater();
    m_lp = nullptr;
}

qint64 SpoolerPrinterPort::bytesPerSecond() const
{
    return 1000000; // the spooler takes a job at once
}
