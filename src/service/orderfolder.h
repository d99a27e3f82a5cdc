// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class PrintService;

// The print service's watched folder: a print order (`*.json`, the body of POST /v1/print;
// or a goods list, `*.csv`, `*.xlsx`, `*.xls`, named MODEL-SET-PORT[-anything], see
// PrintOrder::fromGoodsFile) put into the folder is printed once its size and time have stayed the
// same for a second (a file still being written is not taken; a file renamed into the folder is
// taken at once after that second), then moved to `done/` or `failed/` with `<name>.log` beside it
// saying what happened.
class OrderFolder : public QObject {
    Q_OBJECT
public:
    OrderFolder(const QString &folder, PrintService *service, QObject *parent = nullptr);

    // Makes done/ and failed/ and starts looking; false with the reason.
    bool start(QString *why);
    void stop();

    static constexpr int PollMs = 250;
    static constexpr int StableMs = 1000;

private:
    void poll();
    void take(const QString &name);
    // Moves the order to done/ or failed/ with its log.
    void finish(const QString &name, bool done, const QString &log);

    struct Seen {
        qint64 size = -1;
        QDateTime modified;
        qint64 since = 0; // ms of m_clock when it was last seen changed
    };
    QString m_folder;
    PrintService *m_service;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QHash<QString, Seen> m_seen;
    QSet<QString> m_taken;
    QHash<int, QString> m_jobs; // job id -> order file
};
