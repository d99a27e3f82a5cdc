// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;
class QTimer;

// A lock file that marks a data folder or one of its files as taken (QLockFile). The lock
// files lie in the folder ".locks" of the data folder, out of the way of the data files:
//
//   LabelStation.lock         the windows program working on the folder, while it runs
//   <data file>.editing       a station that shows the file for editing, while it is open
//   <data file>.writing       a program writing the file, for the moment of the write
//
// A lock left behind by a program that no longer runs (it crashed, or was killed) is taken
// over: on the same computer at once, since the process is gone; from another computer
// (a shared folder) once the lock file has not been renewed for a few minutes. Holders of the
// long locks renew their file every half minute while the program's event loop runs.
class DataLock {
public:
    enum class Kind { Program, Editing, Writing };

    // `path`: the data folder for Program, the data file for Editing and Writing.
    DataLock(Kind kind, const QString &path);
    ~DataLock();
    DataLock(const DataLock &) = delete;
    DataLock &operator=(const DataLock &) = delete;

    enum class Result {
        Locked, // taken (also when a stale lock was taken over)
        Held,   // another holder has it (see holder())
        NoLock, // the lock file cannot be made, for instance in a read-only folder
    };
    // Takes the lock, waiting at most `waitMs` for a holder to let go.
    Result tryLock(int waitMs = 0);
    void unlock();
    bool isLocked() const;

    struct Holder {
        bool known = false; // the lock file could be read
        qint64 pid = 0;
        QString host;
        bool thisProcess = false;
    };
    // Who holds the lock, as its lock file tells.
    Holder holder() const;
    // "컴퓨터 NAME, 프로그램 번호(PID) N" / "labelstation on NAME (process N)".
    static QString koreanHolder(const Holder &holder);
    static QString englishHolder(const Holder &holder);

    QString lockFilePath() const;
    static QString lockFolder(const QString &dataDir);
    // Whether a long lock is renewed and when a lock counts as left behind.
    static constexpr int RenewMs = 30 * 1000;
    static constexpr int StaleMs = 3 * 60 * 1000;
    static constexpr int WritingStaleMs = 30 * 1000;

    // Sets the lock file's time to now (the holder's sign of life).
    void renew();

private:
    Kind m_kind;
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QTimer> m_renewTimer;
};
