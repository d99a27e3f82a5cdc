// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sending/linesettings.h"
#include "sending/porttarget.h"
#include "sending/printjob.h"
#include "service/printorder.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>

class SendQueue;

// The print service's work behind its HTTP API and its watched folder: print orders planned
// from the data folder's files (read fresh for each order), checked, and sent in the
// printer's language through one send queue per port: the orders for one printer one after
// another in arrival order, each whole; different ports at the same time. It reads goods and
// format files only, and writes copy files and its log (PrintService.log in the data folder).
class PrintService : public QObject {
    Q_OBJECT
public:
    explicit PrintService(QObject *parent = nullptr);
    ~PrintService() override;

    // An HTTP status and its JSON body ({"error": ...} for a refusal).
    struct Reply {
        int status = 200;
        QJsonObject body;
    };
    // One order: its label jobs, where they go and how far they got.
    struct Job {
        int id = 0;
        QString line; // the port's key
        QString port; // "COM3", "tcp://..."
        QString client;
        QList<PrintJob> jobs;
        QList<int> counts; // labels of each job
        int labels = 0;
        QString state = QStringLiteral("queued");
        int index = -1; // job being sent
        qint64 bytes = 0, total = 0;
        int sent = 0;
        QString reason;
        // How the port sends this job's labels.
        PortTarget target;
        QString targetName;
        LineSettings settings;
        bool oneConnection = false;
    };
    // An order planned: its job, or why it cannot be printed (`refusal.status` not 0).
    struct Planned {
        Reply refusal{0, {}};
        Job job;
        QString about; // "srp770 set 00"
    };
    // Reads the set's files (afresh), plans `order` in its port's language and scan-checks the
    // labels: 400 a wrong order, 422 labels that would not scan, 503 a file being written.
    // Runs on any thread (the HTTP API plans beside the service's own thread).
    static Planned plan(const PrintOrder &order);
    // Queues a planned order on its port (the service's thread): 202 with the job's id, else
    // the refusal, 429 a port with too many labels waiting, 503 stopping.
    Reply enqueue(Planned planned, const QString &client);
    Reply submit(const PrintOrder &order, const QString &client)
    {
        return enqueue(plan(order), client);
    }
    Reply job(int id) const;
    // Cancels a waiting job at once, a job being sent before its next label.
    Reply cancel(int id);
    Reply ports() const;
    Reply goods(const QString &model, const QString &set) const;

    // Takes no more orders, cancels the waiting ones and lets each port finish the label it
    // writes; stopped() follows when every port is idle.
    void shutdown();
    bool isIdle() const;
    // A line of the log, with the time.
    void log(const QString &line) const;

    static constexpr int MaxWaitingLabels = 1000; // per port
    static constexpr int KeptJobs = 10000;        // ended jobs answered for, newest

Q_SIGNALS:
    void jobEnded(int id, const QString &state);
    void stopped();

private:
    struct Line {
        SendQueue *queue = nullptr;
        QList<int> waiting;
        int current = 0;
        int labels = 0; // waiting and being sent
    };
    static Reply refuse(int status, const QString &why);
    QJsonObject describe(const Job &job) const;
    void startNext(const QString &line);
    void onFinished(const QString &line);
    void end(Job &job, const QString &state);
    void prune();

    QMap<int, Job> m_jobs;
    QHash<QString, Line> m_lines;
    int m_nextId = 1;
    bool m_closing = false;
};
