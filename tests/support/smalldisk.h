// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A tiny file system that a test can fill up: a tmpfs of a few KiB mounted on a temporary
// folder. It needs the superuser (or CAP_SYS_ADMIN); elsewhere it is not ready and says why,
// so that the test can skip with that message. The mount lives in a mount namespace of its
// own, made once per test process, so that it vanishes with the process even when a test
// crashes, and processes the test starts (the command line) see it too.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

class SmallDisk {
public:
    explicit SmallDisk(int kib = 16)
    {
#ifndef Q_OS_LINUX
        Q_UNUSED(kib);
        m_reason = QStringLiteral("a small file system is made on Linux only");
#else
        if (geteuid() != 0) {
            m_reason = QStringLiteral("mounting a small tmpfs needs the superuser");
            return;
        }
        if (!privateNamespace()) {
            m_reason = QStringLiteral("no mount namespace of our own (unshare failed)");
            return;
        }
        if (!m_dir.isValid()) {
            m_reason = QStringLiteral("no temporary folder");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,nr_inodes=64";
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            m_reason = QStringLiteral("cannot mount a tmpfs (no CAP_SYS_ADMIN?)");
            return;
        }
        m_mounted = true;
#endif
    }
    ~SmallDisk()
    {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isReady() const
    {
        return m_mounted;
    }
    QString reason() const
    {
        return m_reason;
    }
    QString path() const
    {
        return m_dir.path();
    }
    QString filePath(const QString &name) const
    {
        return m_dir.filePath(name);
    }

    // Takes every free block with a filler file, so that the next write finds the disk full.
    bool fill()
    {
        QFile f(filePath(QStringLiteral(".filler")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'f');
        while (f.write(block) == block.size()) {
        }
        // Whatever is left is less than a block: take it byte by byte.
        while (f.write("f", 1) == 1) {
        }
        return true;
    }
    // Frees the space the filler took.
    void unfill()
    {
        QFile::remove(filePath(QStringLiteral(".filler")));
    }

private:
#ifdef Q_OS_LINUX
    static bool privateNamespace()
    {
        static const bool done = [] {
            if (::unshare(CLONE_NEWNS) != 0)
                return false;
            // Mounts made here must not reach the rest of the machine.
            return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        }();
        return done;
    }
#endif

    QTemporaryDir m_dir;
    QString m_reason;
    bool m_mounted = false;
};
