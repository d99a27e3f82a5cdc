#include "textfile.h"

#include "cp949codec.h"

#include <QFile>
#include <QSaveFile>

QStringList TextFile::readLines(const QString &path, bool *ok)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    const QByteArray all = f.readAll();
    if (ok)
        *ok = f.error() == QFileDevice::NoError;
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

bool TextFile::writeLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += Cp949Codec::encode(line);
        bytes += "\r\n";
    }
    return writeBytes(path, bytes, error);
}

bool TextFile::writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}
