// SPDX-License-Identifier: GPL-3.0-or-later
// Replays every seed of the fuzzing corpus and every reproducer of a fixed fault through the
// readers' entry points, so that a regression fails the ordinary test suite (and the
// sanitizers see them in the sanitized one).

#include "fuzztargets.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QDir root(QStringLiteral(FUZZ_DIR));
    int failures = 0;
    for (const FuzzTarget &t : FuzzTargets) {
        int files = 0;
        QElapsedTimer clock;
        clock.start();
        for (const char *kind : {"corpus", "reproducers"}) {
            const QDir dir(root.filePath(
                QStringLiteral("%1/%2").arg(QLatin1String(kind), QLatin1String(t.name))));
            for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
                QFile f(dir.filePath(name));
                if (!f.open(QIODevice::ReadOnly)) {
                    out << "cannot read " << f.fileName() << "\n";
                    ++failures;
                    continue;
                }
                const QByteArray bytes = f.readAll();
                t.entry(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
                ++files;
            }
        }
        out << t.name << ": " << files << " file(s) in " << clock.elapsed() << " ms\n";
        if (files == 0) {
            out << t.name << ": no seed\n";
            ++failures;
        }
    }
    out.flush();
    return failures == 0 ? 0 : 1;
}
