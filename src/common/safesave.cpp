#include "safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

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

enum class Kind { Replace, Direct, Refused };

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
    const QString absolute = QFileInfo(d->path).absoluteFilePath();
    bool inPlace =
        absolute.startsWith(QLatin1String("/dev/")) || absolute.startsWith(QLatin1String("/proc/"));
    bool append = inPlace; // a regular file reached through /dev or /proc
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(d->path);
    struct stat st {};
    int fd = -1;
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            setError(error, QStringLiteral("%1 is a folder").arg(d->path));
            return false;
        }
        if (S_ISFIFO(st.st_mode)) {
            // Opening a FIFO for writing waits for a reader: ask without waiting.
            fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                setError(
                    error,
                    errno == ENXIO
                        ? QStringLiteral("%1 is a FIFO that no program reads from").arg(d->path)
                        : QString::fromLocal8Bit(std::strerror(errno)));
                return false;
            }
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            inPlace = true;
            append = false;
        } else if (S_ISCHR(st.st_mode)) {
            inPlace = true;
            append = false;
        } else if (!S_ISREG(st.st_mode)) {
            setError(error, QStringLiteral("%1 is not a regular file").arg(d->path));
            return false;
        }
    } else if (inPlace) {
        setError(error, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
#else
    if (QFileInfo(d->path).isDir()) {
        setError(error, QStringLiteral("%1 is a folder").arg(d->path));
        return false;
    }
#endif
    if (inPlace) {
        d->kind = Kind::Direct;
        d->directFile = std::make_unique<QFile>(d->path);
        bool opened = false;
#ifdef Q_OS_UNIX
        if (fd >= 0)
            opened = d->directFile->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
        else
#endif
            // Append: a redirected standard output keeps what is already in it.
            opened = d->directFile->open(append ? QIODevice::WriteOnly | QIODevice::Append
                                                : QIODevice::WriteOnly);
        if (!opened) {
            setError(error, d->directFile->errorString());
#ifdef Q_OS_UNIX
            if (fd >= 0)
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
