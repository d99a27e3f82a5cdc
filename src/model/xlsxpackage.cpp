// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsxpackage.h"

#include <QIODevice>

#include <unzip.h>

#include <algorithm>

namespace {

// minizip's file functions on a QIODevice: the "file name" given to unzOpen2_64 is the
// device itself.
voidpf deviceOpen(voidpf, const void *file, int)
{
    return const_cast<void *>(file);
}

uLong deviceRead(voidpf, voidpf stream, void *buf, uLong size)
{
    const qint64 n = static_cast<QIODevice *>(stream)->read(static_cast<char *>(buf), qint64(size));
    return n < 0 ? 0 : uLong(n);
}

uLong deviceWrite(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T deviceTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QIODevice *>(stream)->pos());
}

long deviceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *f = static_cast<QIODevice *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = f->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = f->size();
    const qint64 to = base + qint64(offset);
    if (to < 0 || to > f->size())
        return -1;
    return f->seek(to) ? 0 : -1;
}

int deviceClose(voidpf, voidpf)
{
    return 0;
}

int deviceError(voidpf, voidpf)
{
    return 0;
}

// The zip, its open part and what has come out of it.
struct Zip {
    unzFile file = nullptr;
    qint64 unpacked = 0;
    bool partOpen = false;
    QString partName;
    ImportProblem problem; // of the part being read

    void closePart()
    {
        if (partOpen)
            unzCloseCurrentFile(file);
        partOpen = false;
    }

    // Bytes of the open part; 0 at its end, or once something went wrong (`problem`).
    qint64 read(char *data, qint64 max)
    {
        if (!partOpen)
            return 0;
        const int n = unzReadCurrentFile(file, data, unsigned(std::min<qint64>(max, 1 << 20)));
        if (n < 0) {
            problem = {ImportProblem::Corrupt, partName};
            closePart();
            return 0;
        }
        if (n == 0) {
            // The whole part is out: its checksum tells whether it came out right.
            partOpen = false;
            if (unzCloseCurrentFile(file) != UNZ_OK)
                problem = {ImportProblem::Corrupt, partName};
            return 0;
        }
        unpacked += n;
        if (unpacked > ImportTable::MaxUnpackedBytes) {
            problem = {ImportProblem::UnpackTooLarge, QString()};
            closePart();
            return 0;
        }
        return n;
    }
};

// The open part of a zip as a device read from start to end.
class PartDevice : public QIODevice {
public:
    explicit PartDevice(Zip *zip) : m_zip(zip)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    ~PartDevice() override { m_zip->closePart(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override { return m_zip->read(data, max); }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    Zip *m_zip;
};

} // namespace

struct XlsxPackage::Private {
    QIODevice *device = nullptr;
    Zip zip;
    ~Private()
    {
        zip.closePart();
        if (zip.file)
            unzClose(zip.file);
    }
};

XlsxPackage::XlsxPackage(QIODevice *file) : d(std::make_unique<Private>())
{
    d->device = file;
}

XlsxPackage::~XlsxPackage() = default;

bool XlsxPackage::open()
{
    zlib_filefunc64_def io{};
    io.zopen64_file = deviceOpen;
    io.zread_file = deviceRead;
    io.zwrite_file = deviceWrite;
    io.ztell64_file = deviceTell;
    io.zseek64_file = deviceSeek;
    io.zclose_file = deviceClose;
    io.zerror_file = deviceError;
    d->zip.file = unzOpen2_64(d->device, &io);
    return d->zip.file != nullptr;
}

std::unique_ptr<QIODevice> XlsxPackage::stream(const QString &name, ImportProblem *problem,
                                               bool *exists)
{
    Zip &z = d->zip;
    z.closePart();
    z.problem = {};
    if (exists)
        *exists = false;
    if (unzLocateFile(z.file, name.toUtf8().constData(), 2) != UNZ_OK)
        return nullptr;
    if (exists)
        *exists = true;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(z.file, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        *problem = {ImportProblem::Corrupt, name};
        return nullptr;
    }
    if (info.flag & 1) {
        *problem = {ImportProblem::Encrypted, QString()};
        return nullptr;
    }
    if (qint64(info.uncompressed_size) > ImportTable::MaxUnpackedBytes - z.unpacked) {
        *problem = {ImportProblem::UnpackTooLarge, QString()};
        return nullptr;
    }
    if (unzOpenCurrentFile(z.file) != UNZ_OK) {
        *problem = {ImportProblem::Corrupt, name};
        return nullptr;
    }
    z.partOpen = true;
    z.partName = name;
    return std::make_unique<PartDevice>(&z);
}

ImportProblem XlsxPackage::streamProblem() const
{
    return d->zip.problem;
}

bool XlsxPackage::part(const QString &name, QByteArray *out, ImportProblem *problem, bool *exists)
{
    out->clear();
    bool there = false;
    const std::unique_ptr<QIODevice> device = stream(name, problem, &there);
    if (exists)
        *exists = there;
    if (!device)
        return !there && exists != nullptr;
    *out = device->readAll();
    if (!d->zip.problem.ok()) {
        *problem = d->zip.problem;
        out->clear();
        return false;
    }
    return true;
}
