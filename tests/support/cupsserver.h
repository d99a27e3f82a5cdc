// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A private CUPS print server for tests: a cupsd of its own, with its configuration, spool,
// logs and queues in a temporary folder, reached only through a Unix socket in that folder.
// While it runs CUPS_SERVER points at that socket, so the program's printer list and QPrinter
// (Qt's CUPS plugin), lp, lpstat and lpadmin all talk to it and never to the system's CUPS.
//
//   CupsServer cups;
//   if (!cups.skipReason().isEmpty())
//       QSKIP(qPrintable(cups.skipReason()));
//   QVERIFY2(cups.start(), qPrintable(cups.errorString()));
//   QString out;
//   QVERIFY(cups.addFileQueue("Labels", &out));   // every job's bytes, unchanged, in `out`
//
// Needs root (cupsd sets the owners of its folders and runs filters as the user lp) and the
// packages cups and cups-client. A file queue's output file holds the latest job only: each job
// replaces it. Qt's QPrinter submits a PDF, so a QPrinter job on a file queue leaves the PDF
// that Qt made. A socket queue whose port nobody answers keeps its job retrying, so
// waitForJobs() then times out.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <dlfcn.h>
#include <unistd.h>

class CupsServer {
public:
    CupsServer() = default;
    ~CupsServer() { stop(); }
    CupsServer(const CupsServer &) = delete;
    CupsServer &operator=(const CupsServer &) = delete;

    // Why this machine cannot run a private CUPS; empty when it can.
    QString skipReason() const
    {
        if (::geteuid() != 0)
            return QStringLiteral("a private CUPS server needs root (its filters run as lp)");
        for (const char *tool : {"cupsd", "lpadmin", "lpstat"}) {
            if (toolPath(tool).isEmpty())
                return QStringLiteral("%1 is not installed (packages cups, cups-client)")
                    .arg(QLatin1String(tool));
        }
        if (!QFileInfo::exists(QStringLiteral("/usr/lib/cups/filter/gziptoany")))
            return QStringLiteral("the CUPS filter gziptoany is missing (package cups)");
        return {};
    }

    // skipReason(), and pdftoppm (poppler-utils) for the tests that read the printed PDFs.
    QString pdfSkipReason() const
    {
        if (const QString why = skipReason(); !why.isEmpty())
            return why;
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            return QStringLiteral("pdftoppm (poppler-utils) is not installed");
        return {};
    }

    // Starts the daemon and waits until it answers; false with errorString() when it fails.
    bool start()
    {
        if (isRunning())
            return true;
        if (!(m_error = skipReason()).isEmpty())
            return false;
        m_dir = std::make_unique<QTemporaryDir>();
        const QString d = m_dir->path();
        if (!m_dir->isValid() || socketPath().toLocal8Bit().size() > 100)
            return fail(QStringLiteral("no usable temporary folder for the server: ") + d);
        // cupsd drops to the user lp for filters and backends; they read the spool below.
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ExeGroup | QFile::ExeOther);
        for (const char *sub : {"conf", "spool/tmp", "cache", "state", "log", "out"})
            QDir(d).mkpath(QString::fromLatin1(sub));
        const bool written =
            write(path("conf/cupsd.conf"), QString::fromLatin1(CupsdConf).arg(socketPath())) &&
            write(path("conf/cups-files.conf"), QString::fromLatin1(CupsFilesConf).arg(d)) &&
            write(path("passthrough.ppd"), QString::fromLatin1(PassThroughPpd));
        if (!written)
            return fail(QStringLiteral("cannot write the server's configuration in ") + d);

        // -f: cupsd stays in the foreground, a child of this process that stop() ends.
        m_daemon.setProgram(toolPath("cupsd"));
        m_daemon.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), path("conf/cupsd.conf"),
                               QStringLiteral("-s"), path("conf/cups-files.conf")});
        m_daemon.setStandardOutputFile(QProcess::nullDevice());
        m_daemon.setStandardErrorFile(QProcess::nullDevice());
        m_daemon.start();
        if (!m_daemon.waitForStarted(5000))
            return fail(QStringLiteral("cupsd does not start: ") + m_daemon.errorString());

        m_envSet = true;
        m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
        m_oldServer = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
        resetCupsLibrary();

        // lpstat -r exits with 0 even when nobody answers; lpstat -o does not.
        for (int i = 0; i < 500 && m_daemon.state() == QProcess::Running; ++i) {
            if (run("lpstat", {QStringLiteral("-o")}))
                return true;
            QTest::qWait(20);
        }
        return fail(QStringLiteral("cupsd does not answer at ") + socketPath());
    }

    bool isRunning() const { return m_daemon.state() == QProcess::Running; }
    QString socketPath() const { return path("cups.sock"); }
    QString errorString() const { return m_error; }
    // The daemon's error log (warnings, failed jobs with their recent debug lines).
    QString log() const
    {
        QFile f(path("log/error_log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    }

    // A queue whose printer is a file in the server's folder: every job's bytes arrive in it
    // unchanged (a raw file: queue prints nothing in CUPS 2.4, so the queue has a driver whose
    // only filter passes everything through). `outputFile` receives the file's path; the file
    // appears when the first job starts.
    bool addFileQueue(const QString &name, QString *outputFile)
    {
        const QString out = path("out/") + name + QStringLiteral(".out");
        if (!isRunning() || !run("lpadmin", {QStringLiteral("-p"), name, QStringLiteral("-E"),
                                             QStringLiteral("-v"), QStringLiteral("file://") + out,
                                             QStringLiteral("-P"), path("passthrough.ppd")}))
            return false;
        if (outputFile)
            *outputFile = out;
        return true;
    }

    // A raw queue that sends every job's bytes unchanged to 127.0.0.1:port (CUPS's socket backend).
    bool addSocketQueue(const QString &name, quint16 port)
    {
        return isRunning() && run("lpadmin", {QStringLiteral("-p"), name, QStringLiteral("-E"),
                                              QStringLiteral("-v"),
                                              QStringLiteral("socket://127.0.0.1:%1").arg(port)});
    }

    // True once no job is pending or printing, within `ms`. Processes events meanwhile, so a
    // QTcpServer of the test can take a socket queue's bytes.
    bool waitForJobs(int ms = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        while (isRunning()) {
            QByteArray jobs;
            if (run("lpstat", {QStringLiteral("-o")}, &jobs) && jobs.trimmed().isEmpty())
                return true;
            if (clock.elapsed() > ms)
                break;
            QTest::qWait(20);
        }
        return false;
    }

    // Stops the daemon (it ends its own filters and backends) and gives back the old CUPS_SERVER.
    void stop()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(5000)) {
                m_daemon.kill();
                m_daemon.waitForFinished(2000);
            }
        }
        if (m_envSet) {
            m_envSet = false;
            if (m_hadServer)
                qputenv("CUPS_SERVER", m_oldServer);
            else
                qunsetenv("CUPS_SERVER");
            resetCupsLibrary();
        }
        m_dir.reset();
    }

private:
    QString path(const char *relative) const
    {
        return m_dir ? m_dir->filePath(QString::fromLatin1(relative)) : QString();
    }

    static QString toolPath(const char *name)
    {
        const QString tool = QString::fromLatin1(name);
        const QString found = QStandardPaths::findExecutable(tool);
        return found.isEmpty() ? QStandardPaths::findExecutable(tool, {QStringLiteral("/usr/sbin")})
                               : found;
    }

    static bool write(const QString &path, const QString &text)
    {
        QFile f(path);
        const QByteArray bytes = text.toUtf8();
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    // libcups keeps the server it first talked to (per thread) and reads CUPS_SERVER only then.
    // When Qt's CUPS plugin has loaded it already, make it read the variable again.
    static void resetCupsLibrary()
    {
        if (void *lib = ::dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD)) {
            if (auto setServer =
                    reinterpret_cast<void (*)(const char *)>(::dlsym(lib, "cupsSetServer")))
                setServer(nullptr);
            ::dlclose(lib);
        }
    }

    // Runs a CUPS command against this server; true when it exits with 0.
    bool run(const char *tool, const QStringList &args, QByteArray *output = nullptr) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
        p.setProcessEnvironment(env);
        p.start(toolPath(tool), args);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            return false;
        }
        if (output)
            *output = p.readAllStandardOutput();
        return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    bool fail(const QString &why)
    {
        m_error = why;
        const QString tail = log().right(2000);
        if (!tail.isEmpty())
            m_error += QStringLiteral("\n") + tail;
        stop();
        return false;
    }

    // Only the socket in the folder, no network port; no authentication; a job whose filter
    // or backend fails is aborted rather than stopping its queue.
    static constexpr const char CupsdConf[] = R"conf(Listen %1
LogLevel warn
Browsing No
WebInterface No
ErrorPolicy abort-job
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)conf";
    // Every folder and file the daemon writes lies in the temporary folder (%1); the printcap
    // too, which would otherwise be the system's /run/cups/printcap. FileDevice allows file:.
    static constexpr const char CupsFilesConf[] = R"conf(ServerRoot %1/conf
RequestRoot %1/spool
TempDir %1/spool/tmp
CacheDir %1/cache
StateDir %1/state
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
Printcap %1/state/printcap
FileDevice Yes
)conf";
    // The driver of a file queue: A4 (default) and Letter, and one filter for every document
    // type, CUPS's gziptoany, which copies what it gets unchanged (it only unpacks gzip).
    static constexpr const char PassThroughPpd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PASS.PPD"
*Manufacturer: "Test"
*Product: "(Pass-through)"
*ModelName: "Pass-through"
*ShortNickName: "Pass-through"
*NickName: "Pass-through"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "*/* 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/US Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/US Letter: "612 792"
)ppd";

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_daemon;
    QString m_error;
    bool m_envSet = false;
    bool m_hadServer = false;
    QByteArray m_oldServer;
};
