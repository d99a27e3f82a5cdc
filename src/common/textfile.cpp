// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile.h"

#include "common/cp949codec.h"
#include "common/safesave.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

TextFile::Read failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return TextFile::Read::Failed;
}

} // namespace

TextFile::Read TextFile::readBytes(const QString &path, qint64 maxBytes, QByteArray *bytes,
                                   QString *error)
{
    bytes->clear();
    QFile f(path);
#ifdef Q_OS_UNIX
    // Opened without waiting (a FIFO would wait for a writer), then looked at.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // No such file, or a folder on its path that is a file: either way there is none.
        if (errno == ENOENT || errno == ENOTDIR)
            return Read::Missing;
        return failed(error, QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(error, S_ISDIR(st.st_mode)
                                 ? QStringLiteral("%1 is a folder").arg(path)
                                 : QStringLiteral("%1 is not a regular file").arg(path));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(error, f.errorString());
    }
#else
    const QFileInfo info(path);
    if (!info.exists())
        return Read::Missing;
    if (!info.isFile())
        return failed(error, QStringLiteral("%1 is not a regular file").arg(path));
    if (!f.open(QIODevice::ReadOnly))
        return failed(error, f.errorString());
#endif
    const QString tooLarge = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes);
    if (f.size() > maxBytes)
        return failed(error, tooLarge);
    // In pieces up to the end: the file may still grow while it is read. (One buffer for
    // them: a new 64 KiB array a piece would cost more than a small file's reading.)
    QByteArray all;
    all.reserve(f.size());
    char piece[16 * 1024];
    for (;;) {
        const qint64 n = f.read(piece, sizeof piece);
        if (n < 0 || f.error() != QFileDevice::NoError)
            return failed(error, f.errorString());
        if (n == 0)
            break;
        all.append(piece, n);
        if (all.size() > maxBytes)
            return failed(error, tooLarge);
    }
    *bytes = std::move(all);
    return Read::Ok;
}

QStringList TextFile::readLines(const QString &path, bool *ok, QString *error)
{
    QByteArray all;
    const Read r = readBytes(path, MaxDataFileBytes, &all, error);
    if (ok)
        *ok = r == Read::Ok;
    if (r == Read::Missing && error)
        *error = QStringLiteral("%1 does not exist").arg(path);
    return splitLines(all);
}

QStringList TextFile::splitLines(const QByteArray &all)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        qsizetype next = end < 0 ? all.size() : end + 1;
        if (end < 0)
            end = all.size();
        qsizetype stop = end;
        if (stop > start && all[stop - 1] == '\r')
            --stop;
        lines << Cp949Codec::decode(all.mid(start, stop - start));
        start = next;
    }
    return lines;
}

QByteArray TextFile::toBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += Cp949Codec::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool TextFile::writeLines(const QString &path, const QStringList &lines, QString *error)
{
    return writeBytes(path, toBytes(lines), error);
}

bool TextFile::writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    return SafeSave::write(path, bytes, error);
}
