// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs a program as a child process and tells the most memory it held: the high-water mark
// of its resident set as the system counts it once the child has ended (wait4's ru_maxrss,
// in KiB on Linux). Standard output and standard error go to a file beside the caller's other
// files. Only where wait4 exists (Linux and the BSDs); elsewhere `started` stays false.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ChildPeak {

struct Run {
    bool started = false;
    int status = -1;    // exit status; -1 when it did not end normally
    qint64 peakKiB = 0; // resident set high-water mark
    QByteArray output;  // standard output and error together
};

inline Run run(const QString &program, const QStringList &arguments, const QString &outputFile)
{
    Run r;
#if defined(Q_OS_LINUX)
    // Everything the child needs is made before fork: after it only exec-safe calls.
    std::vector<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const QByteArray out = QFile::encodeName(outputFile);
    const pid_t pid = fork();
    if (pid < 0)
        return r;
    if (pid == 0) {
        const int fd = ::open(out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            _exit(127);
        dup2(fd, 1);
        dup2(fd, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return r;
    r.started = true;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.peakKiB = usage.ru_maxrss;
    QFile f(outputFile);
    if (f.open(QIODevice::ReadOnly))
        r.output = f.readAll();
#else
    Q_UNUSED(program);
    Q_UNUSED(arguments);
    Q_UNUSED(outputFile);
#endif
    return r;
}

} // namespace ChildPeak
