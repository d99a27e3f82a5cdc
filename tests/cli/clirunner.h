#pragma once

// Runs the program's command line as a process, as an integrator's script would.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

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
    env.insert(QStringLiteral("LABELSTATION_WAIT_SCALE"), QString::number(waitScale));
    env.remove(QStringLiteral("LABELSTATION_DATA_DIR"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LABELSTATION_BIN), arguments);
    CliResult r;
    if (!p.waitForStarted(10000))
        return r;
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
