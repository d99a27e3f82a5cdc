// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/linesettings.h"
#include "sending/opentargets.h"
#include "sending/porttarget.h"
#include "sending/printjob.h"
#include "sending/senderror.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class PrinterPort;

// Sends the jobs of one operation (a label, a list of labels, a transfer) to one port, one
// after another, on the event loop: never blocking, never in an event loop of its own. Each
// job: write its copy file, open the port, hand it all bytes (within a time that follows
// from their number and the line speed), wait the job's seconds after the last byte on one
// timer, close. A job counts as sent only when the port took all its bytes and did not fail
// before it was closed. Over one connection (a printer language without mandated waits) the
// port is opened for the first job and closed after the last: the jobs go back to back, as
// fast as the port takes them.
//
// cancel() stops before the next job; the job being written is finished, as a printer must
// never receive half a job (unless the port fails). A port that another queue of this
// program holds is busy, as one the system refuses.
class SendQueue : public QObject {
    Q_OBJECT
public:
    struct Summary {
        int total = 0;
        int sent = 0;
        int skipped = 0; // jobs with no text
        int failed = 0;
        int cancelled = 0; // jobs not started after cancel() or a failure that stops
        SendError firstError;
        QString firstFailedJob; // its name
        QStringList copyErrors; // copy files that could not be written (the jobs still went)
        bool allSent() const { return sent == total; }
    };

    // `open`: the targets open in this program (the application's list unless given).
    explicit SendQueue(QObject *parent = nullptr, OpenTargets *open = nullptr);
    // A queue destroyed while a job is out closes the port at once.
    ~SendQueue() override;

    // Where the jobs go and what messages call the port ("COM3 (/dev/ttyUSB0)"; the
    // target's text when empty). Taken by the next start().
    void setTarget(const PortTarget &target, const QString &portName = QString());
    // A target that could not be found: every job fails with this error.
    void setTargetError(const SendError &error);
    void setLineSettings(const LineSettings &settings) { m_settings = settings; }
    // After a failed job the rest are not tried (the command line); by default they are.
    void setStopOnFailure(bool on) { m_stopOnFailure = on; }
    // The jobs of the next start() over one connection.
    void setOneConnection(bool on) { m_oneConnection = on; }

    // Starts sending; false (nothing done) while a send is going on. finished() always
    // follows, even for no jobs, and never before start() returns.
    bool start(const QList<PrintJob> &jobs);
    bool isBusy() const { return m_busy; }
    void cancel();
    bool isCancelled() const { return m_cancel; }
    // A job's bytes are going out now (a job cannot be stopped halfway).
    bool isWriting() const { return m_stage == Stage::Writing; }
    const Summary &summary() const { return m_summary; }

    // Slack of the write time beyond twice the line time of the bytes.
    static constexpr int WriteMarginMs = 3000;
    // The end of a mandated wait that passes in rounds of the event loop, not on a timer.
    static constexpr qint64 FinishNs = 2000000;

Q_SIGNALS:
    void jobStarted(int index, int count);
    void bytesWritten(int index, qint64 written, qint64 total);
    void jobFinished(int index, bool sent);
    void finished();

private:
    enum class Stage { Idle, Opening, Writing, Waiting };

    void next();
    void onOpened();
    void onAllWritten();
    void armWaitTimer();
    void onWaitTimer();
    void onFailed(const SendError &error);
    void endJob(bool sent);
    void releasePort();
    bool writeCopy(const PrintJob &job, const QByteArray &bytes);

    PortTarget m_target;
    QString m_portName;
    SendError m_targetError;
    LineSettings m_settings;
    bool m_stopOnFailure = false;
    bool m_oneConnection = false;

    QList<PrintJob> m_jobs;
    int m_index = -1;
    QByteArray m_bytes;
    Stage m_stage = Stage::Idle;
    QPointer<PrinterPort> m_port;
    QTimer m_writeTimer;
    QTimer m_waitTimer;
    QDeadlineTimer m_deadline;
    bool m_busy = false;
    bool m_cancel = false;
    QPointer<OpenTargets> m_open;
    bool m_holding = false; // this queue holds m_target in the program's list of open ports
    Summary m_summary;
};
