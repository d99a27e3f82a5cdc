// SPDX-License-Identifier: GPL-3.0-or-later
#include "safesave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <array>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString NoSpace = QStringLiteral("No space left on device");

// Armed faults of the test seam: steps of each kind still to pass before one fails
// (0 = not armed).
std::array<int, 4> &armedFaults()
{
    static std::array<int, 4> armed{};
    return armed;
}

bool injectedFault(SafeSave::Step step)
{
    int &left = armedFaults()[size_t(step)];
    if (left <= 0)
        return false;
    return --left == 0;
}

// Forwards every write to the file and keeps the first failure, so that writers which do
// not look at write results (PDF, picture writers) still make the save fail.
class Sink : public QIODevice {
public:
    explicit Sink(QFileDevice *file) : m_file(file) {}

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    void fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why.isEmpty() ? QStringLiteral("write error") : why;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (failed())
            return -1;
        if (injectedFault(SafeSave::Step::Write)) {
            fail(NoSpace);
            return -1;
        }
        const qint64 n = m_file->write(data, len);
        if (n != len) {
            fail(m_file->errorString());
            return -1;
        }
        return n;
    }

private:
    QFileDevice *m_file;
    QString m_error;
};

enum class Kind { Replace, Direct };

// The descriptor a path names when it is one of this process's own streams (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N); -1 otherwise.
int ownStreamOf(const QString &path)
{
#ifdef Q_OS_UNIX
    static const QRegularExpression own(QStringLiteral(
        "^/(?:dev/(stdin|stdout|stderr|fd/([0-9]+))|proc/(self|[0-9]+)/fd/([0-9]+))$"));
    const QRegularExpressionMatch m =
        own.match(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!m.hasMatch())
        return -1;
    if (m.captured(1) == QLatin1String("stdin"))
        return 0;
    if (m.captured(1) == QLatin1String("stdout"))
        return 1;
    if (m.captured(1) == QLatin1String("stderr"))
        return 2;
    if (!m.captured(2).isEmpty())
        return m.captured(2).toInt();
    if (m.captured(3) != QLatin1String("self") &&
        m.captured(3).toLongLong() != qint64(QCoreApplication::applicationPid()))
        return -1;
    return m.captured(4).toInt();
#else
    Q_UNUSED(path);
    return -1;
#endif
}

} // namespace

struct SafeSave::Private {
    QString path;
    Kind kind = Kind::Replace;
    std::unique_ptr<QSaveFile> saveFile;
    std::unique_ptr<QFile> directFile;
    std::unique_ptr<Sink> sink;

    QFileDevice *file() const
    {
        return saveFile ? static_cast<QFileDevice *>(saveFile.get()) : directFile.get();
    }
};

SafeSave::SafeSave(const QString &path) : d(std::make_unique<Private>())
{
    d->path = path;
}

SafeSave::~SafeSave()
{
    cancel();
}

QIODevice *SafeSave::device() const
{
    return d->sink.get();
}

bool SafeSave::isDirect() const
{
    return d->kind == Kind::Direct;
}

QString SafeSave::writeError() const
{
    return d->sink ? d->sink->error() : QString();
}

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

bool SafeSave::open(QString *error)
{
    cancel();
    if (d->path.isEmpty()) {
        setError(error, QStringLiteral("no file name"));
        return false;
    }
    if (injectedFault(Step::Open)) {
        setError(error, NoSpace);
        return false;
    }
    int fd = -1; // a descriptor to write in place
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(d->path);
    const int stream = ownStreamOf(d->path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        if (stream >= 0) {
            setError(error, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    } else if (S_ISDIR(st.st_mode)) {
        setError(error, QStringLiteral("%1 is a folder").arg(d->path));
        return false;
    } else if (stream >= 0) {
        // The process's own stream (standard output, perhaps redirected to a regular file) is
        // written through a copy of its descriptor: what the program prints there later comes
        // after these bytes, not over them.
        std::fflush(nullptr);
        fd = ::fcntl(stream, F_DUPFD_CLOEXEC, 0);
    } else if (S_ISFIFO(st.st_mode)) {
        // Opening a FIFO for writing waits for a reader: ask without waiting.
        fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENXIO) {
            setError(error, QStringLiteral("%1 is a FIFO that no program reads from").arg(d->path));
            return false;
        }
        if (fd >= 0)
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    } else if (S_ISCHR(st.st_mode)) {
        fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    } else if (!S_ISREG(st.st_mode)) {
        setError(error, QStringLiteral("%1 is not a regular file").arg(d->path));
        return false;
    } else {
        st.st_mode = 0; // a regular file: replaced below
    }
    if (fd < 0 && (stream >= 0 || S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
        setError(error, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
#else
    if (QFileInfo(d->path).isDir()) {
        setError(error, QStringLiteral("%1 is a folder").arg(d->path));
        return false;
    }
#endif
    if (fd >= 0) {
        d->kind = Kind::Direct;
        d->directFile = std::make_unique<QFile>();
        if (!d->directFile->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            setError(error, d->directFile->errorString());
#ifdef Q_OS_UNIX
            ::close(fd);
#endif
            d->directFile.reset();
            return false;
        }
    } else {
        d->kind = Kind::Replace;
        d->saveFile = std::make_unique<QSaveFile>(d->path);
        if (!d->saveFile->open(QIODevice::WriteOnly)) {
            setError(error, d->saveFile->errorString());
            d->saveFile.reset();
            return false;
        }
    }
    d->sink = std::make_unique<Sink>(d->file());
    d->sink->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

bool SafeSave::commit(QString *error)
{
    QFileDevice *file = d->file();
    if (!file || !d->sink) {
        setError(error, QStringLiteral("the file was not opened"));
        return false;
    }
    Sink &sink = *d->sink;
    // Bytes still in the file's buffer meet the disk only now: a full disk shows here.
    if (!sink.failed() && injectedFault(Step::Flush))
        sink.fail(NoSpace);
    if (!sink.failed() && !file->flush())
        sink.fail(file->errorString());
    if (!sink.failed() && file->error() != QFileDevice::NoError)
        sink.fail(file->errorString());
#ifdef Q_OS_UNIX
    // Some file systems report a full disk only when the data are synced.
    if (!sink.failed() && d->kind == Kind::Replace && ::fsync(file->handle()) != 0 &&
        (errno == EIO || errno == ENOSPC || errno == EDQUOT))
        sink.fail(QString::fromLocal8Bit(std::strerror(errno)));
#endif
    if (!sink.failed() && injectedFault(Step::Commit))
        sink.fail(NoSpace);
    if (sink.failed()) {
        setError(error, sink.error());
        cancel();
        return false;
    }
    bool ok = true;
    if (d->saveFile) {
        ok = d->saveFile->commit();
        if (!ok)
            setError(error, d->saveFile->errorString());
    } else {
        d->directFile->close();
        ok = d->directFile->error() == QFileDevice::NoError;
        if (!ok)
            setError(error, d->directFile->errorString());
    }
    d->sink.reset();
    d->saveFile.reset();
    d->directFile.reset();
    return ok;
}

void SafeSave::cancel()
{
    d->sink.reset();
    if (d->saveFile)
        d->saveFile->cancelWriting();
    d->saveFile.reset(); // removes the temporary file
    d->directFile.reset();
}

bool SafeSave::write(const QString &path, const QByteArray &bytes, QString *error)
{
    SafeSave save(path);
    if (!save.open(error))
        return false;
    if (save.device()->write(bytes) != bytes.size()) {
        setError(error, save.writeError());
        save.cancel();
        return false;
    }
    return save.commit(error);
}

void SafeSave::failAt(Step step, int occurrence)
{
    armedFaults()[size_t(step)] = qMax(1, occurrence);
}

void SafeSave::clearFaults()
{
    armedFaults().fill(0);
}
