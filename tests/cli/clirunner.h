// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the program's command line as a process, as an integrator's script would. The program
// is its test build, whose waits the variable LABELSTATION_TEST_WAIT_SCALE shortens.

#include <QByteArray>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTimer>

struct CliResult {
    int status = -1;
    QByteArray out;
    QString err;
};

// A run that does not end within `timeoutMs` is killed and answers status -1.
inline CliResult runCli(const QStringList &arguments, const QByteArray &input = QByteArray(),
                        double waitScale = 0.01, int timeoutMs = 60000)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LABELSTATION_TEST_WAIT_SCALE"), QString::number(waitScale));
    env.remove(QStringLiteral("LABELSTATION_DATA_DIR"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LABELSTATION_BIN), arguments);
    CliResult r;
    if (!p.waitForStarted(10000))
        return r;
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    // Events go on meanwhile, so that printers of the test (a local TCP server) take the
    // program's jobs.
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (p.state() != QProcess::NotRunning)
        loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
