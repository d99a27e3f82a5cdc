// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlscontainer.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace {

constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr int EntryBytes = 128;
// The BIFF records looked at.
constexpr quint16 Bof = 0x0809;        // a substream begins; its version (BIFF8 0x0600)
constexpr quint16 Dimensions = 0x0200; // a sheet's used range
constexpr quint16 BoundSheet = 0x0085; // a sheet's name
constexpr quint16 Format = 0x041E;     // a number format's code
constexpr quint16 Label = 0x0204;      // a cell's text
constexpr quint16 Sst = 0x00FC;        // the shared strings
constexpr quint16 Continue = 0x003C;   // the record before goes on
// The most a sheet of the format has (BIFF8; BIFF5 has fewer rows).
constexpr qint64 SheetRows = 65536;
constexpr qint64 SheetColumns = 256;

quint16 u16At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// BIFF8 texts: a count of characters (1 or 2 bytes), a byte of flags (bit 0: two bytes a
// character), the characters.
int charBytes(char flags)
{
    return (flags & 1) ? 2 : 1;
}

// Whether the text at `at` of a record fits in it.
bool textFits(const QByteArray &record, qsizetype at, int countBytes)
{
    if (at + countBytes + 1 > record.size())
        return false;
    const qint64 count = countBytes == 1 ? quint8(record[at]) : u16At(record, at);
    return at + countBytes + 1 + count * charBytes(record[at + countBytes]) <= record.size();
}

// Whether the shared strings fit in the SST record and the CONTINUE records after it. A
// string's characters may go on in the next record, which then begins with a new byte of
// flags; its formatting runs and phonetic data may go on there as they are.
bool sharedStringsFit(const QList<QByteArray> &parts)
{
    if (parts.isEmpty() || parts[0].size() < 8)
        return false;
    qsizetype part = 0;
    qsizetype at = 8;
    auto next = [&] {
        ++part;
        at = 0;
        return part < parts.size();
    };
    // Moves over n bytes that may go on in the next records.
    auto skip = [&](qint64 n) {
        while (n > parts[part].size() - at) {
            n -= parts[part].size() - at;
            if (!next())
                return false;
        }
        at += n;
        return true;
    };
    for (quint32 i = 0, unique = u32At(parts[0], 4); i < unique; ++i) {
        if (at == parts[part].size() && !next())
            return false;
        const QByteArray &p = parts[part];
        if (at + 3 > p.size())
            return false;
        qint64 chars = u16At(p, at);
        char flags = p[at + 2];
        at += 3;
        qint64 extra = 0;
        if (flags & 8) { // formatting runs, 4 bytes each
            if (at + 2 > p.size())
                return false;
            extra += 4 * qint64(u16At(p, at));
            at += 2;
        }
        if (flags & 4) { // phonetic data
            if (at + 4 > p.size())
                return false;
            extra += u32At(p, at);
            at += 4;
        }
        while (chars > 0) {
            const qint64 here =
                std::min<qint64>(chars, (parts[part].size() - at) / charBytes(flags));
            chars -= here;
            at += here * charBytes(flags);
            if (chars > 0) {
                if (!next() || parts[part].isEmpty())
                    return false;
                flags = parts[part][0];
                at = 1;
            }
        }
        if (!skip(extra))
            return false;
    }
    return true;
}

// The sectors of the file and its allocation table.
class Sectors {
public:
    explicit Sectors(QIODevice *file) : m_file(file) {}

    bool open()
    {
        m_header = m_file->read(512);
        if (m_header.size() < 512)
            return false;
        const int shift = u16At(m_header, 0x1E);
        if (shift != 9 && shift != 12)
            return false;
        m_size = qint64(1) << shift;
        m_count = (m_file->size() - 512 + m_size - 1) / m_size;
        // The FAT's sectors: 109 in the header, the rest in a chain of DIFAT sectors. It maps
        // each sector of the file in 4 bytes: a FAT much longer than that is damaged.
        const quint32 fatSectors = u32At(m_header, 0x2C);
        if (fatSectors > m_count / (m_size / 4) + 2)
            return false;
        QList<quint32> fatList;
        for (int i = 0; i < 109 && quint32(fatList.size()) < fatSectors; ++i)
            fatList << u32At(m_header, 0x4C + 4 * i);
        quint32 difat = u32At(m_header, 0x44);
        for (qint64 hops = 0; quint32(fatList.size()) < fatSectors; ++hops) {
            const QByteArray *block = hops <= m_count ? sector(difat) : nullptr;
            if (!block)
                return false;
            for (qint64 i = 0; i + 1 < m_size / 4 && quint32(fatList.size()) < fatSectors; ++i)
                fatList << u32At(*block, 4 * i);
            difat = u32At(*block, m_size - 4);
        }
        for (const quint32 n : fatList) {
            const QByteArray *block = sector(n);
            if (!block)
                return false;
            for (qint64 i = 0; i < m_size / 4; ++i)
                m_fat << u32At(*block, 4 * i);
        }
        return true;
    }

    const QByteArray &header() const { return m_header; }
    qint64 size() const { return m_size; }

    // Sector n (the last read is kept); null beyond the file.
    const QByteArray *sector(quint32 n)
    {
        if (n == m_cached)
            return &m_block;
        if (qint64(n) >= m_count || !m_file->seek(512 + qint64(n) * m_size))
            return nullptr;
        m_block = m_file->read(m_size);
        m_block.resize(m_size); // a last sector cut short reads as zeros
        m_cached = n;
        return &m_block;
    }

    // The sectors of the chain from `start`; false when it leaves the file or loops.
    bool chain(quint32 start, QList<quint32> *out) const { return follow(m_fat, start, out); }

    static bool follow(const QList<quint32> &table, quint32 start, QList<quint32> *out)
    {
        out->clear();
        for (quint32 at = start; at != EndOfChain; at = table[at]) {
            if (qint64(at) >= table.size() || out->size() >= table.size())
                return false;
            out->append(at);
        }
        return true;
    }

private:
    QIODevice *m_file;
    QByteArray m_header;
    qint64 m_size = 512;
    qint64 m_count = 0;
    QList<quint32> m_fat;
    quint32 m_cached = EndOfChain;
    QByteArray m_block;
};

// A stream of the file read from start to end, a byte at a time through its chain: in
// sectors of the file, or in the 64-byte mini sectors of the root entry's stream.
class Stream {
public:
    Stream(Sectors *sectors, QList<quint32> chain, qint64 size)
        : m_sectors(sectors), m_chain(std::move(chain)), m_size(size)
    {
    }
    // A small stream: its chain of mini sectors inside the root's stream.
    Stream(Sectors *sectors, QList<quint32> rootChain, QList<quint32> miniChain, qint64 size)
        : m_sectors(sectors), m_chain(std::move(rootChain)), m_mini(std::move(miniChain)),
          m_size(size), m_small(true)
    {
    }

    qint64 size() const { return m_size; }

    // The bytes at `pos`; false past the end or where the chain ends first.
    bool read(qint64 pos, int n, QByteArray *out)
    {
        out->resize(n);
        for (int i = 0; i < n; ++i) {
            qint64 at = pos + i;
            if (at >= m_size)
                return false;
            if (m_small) {
                const qint64 mini = at / 64;
                if (mini >= m_mini.size())
                    return false;
                at = qint64(m_mini[mini]) * 64 + at % 64;
            }
            const qint64 index = at / m_sectors->size();
            const QByteArray *block =
                index < m_chain.size() ? m_sectors->sector(m_chain[index]) : nullptr;
            if (!block)
                return false;
            (*out)[i] = block->at(at % m_sectors->size());
        }
        return true;
    }

private:
    Sectors *m_sectors;
    QList<quint32> m_chain;
    QList<quint32> m_mini;
    qint64 m_size;
    bool m_small = false;
};

} // namespace

XlsContainer::Verdict XlsContainer::check(QIODevice *file, qint64 maxRangeCells)
{
    Sectors sectors(file);
    if (!sectors.open())
        return Verdict::Damaged;
    const QByteArray header = sectors.header();

    // The directory: every name within its entry; the root and the workbook's stream.
    QList<quint32> directory;
    if (!sectors.chain(u32At(header, 0x30), &directory))
        return Verdict::Damaged;
    QByteArray root, workbook;
    for (const quint32 n : directory) {
        const QByteArray *block = sectors.sector(n);
        if (!block)
            return Verdict::Damaged;
        for (qint64 at = 0; at < sectors.size(); at += EntryBytes) {
            const QByteArray entry = block->mid(at, EntryBytes);
            const quint16 nameBytes = u16At(entry, 0x40);
            if (nameBytes > 64)
                return Verdict::Damaged;
            const QString name =
                QString::fromUtf16(reinterpret_cast<const char16_t *>(entry.constData()),
                                   std::max(0, nameBytes / 2 - 1)); // less its final zero
            // FreeXL takes the workbook by its name, whatever the entry's kind.
            if (entry[0x42] == 5 && root.isEmpty())
                root = entry;
            else if (workbook.isEmpty() &&
                     (name == QLatin1String("Workbook") || name == QLatin1String("Book")))
                workbook = entry;
        }
    }
    if (workbook.isEmpty())
        return Verdict::Readable; // no workbook: FreeXL says so itself

    // The workbook's stream, in the file's sectors or, when small, in mini sectors.
    const qint64 size = u32At(workbook, 0x78);
    QList<quint32> chain;
    std::unique_ptr<Stream> stream;
    if (size >= qint64(u32At(header, 0x38))) {
        if (!sectors.chain(u32At(workbook, 0x74), &chain))
            return Verdict::Damaged;
        stream = std::make_unique<Stream>(&sectors, chain, size);
    } else {
        QList<quint32> rootChain, miniFatChain;
        if (root.isEmpty() || !sectors.chain(u32At(root, 0x74), &rootChain) ||
            !sectors.chain(u32At(header, 0x3C), &miniFatChain))
            return Verdict::Damaged;
        QList<quint32> miniFat;
        for (const quint32 n : miniFatChain) {
            const QByteArray *block = sectors.sector(n);
            if (!block)
                return Verdict::Damaged;
            for (qint64 i = 0; i < sectors.size() / 4; ++i)
                miniFat << u32At(*block, 4 * i);
        }
        QList<quint32> miniChain;
        if (!Sectors::follow(miniFat, u32At(workbook, 0x74), &miniChain))
            return Verdict::Damaged;
        stream = std::make_unique<Stream>(&sectors, rootChain, miniChain, size);
    }

    // The BIFF records: the used range of every sheet (BIFF8 counts rows in 4 bytes, BIFF5
    // in 2), as FreeXL will allocate it; in BIFF8, the texts FreeXL copies by the count
    // they give, which must lie within their records.
    qint64 cells = 0;
    bool biff8 = false;
    QList<QByteArray> strings; // the SST and its CONTINUE records, while they come
    QByteArray bytes;
    QByteArray record;
    for (qint64 pos = 0; pos + 4 <= stream->size();) {
        if (!stream->read(pos, 4, &bytes))
            break;
        const quint16 type = u16At(bytes, 0);
        const quint16 length = u16At(bytes, 2);
        pos += 4;
        const bool looked = type == Bof || type == Dimensions || type == BoundSheet ||
                            type == Format || type == Label || type == Sst ||
                            (type == Continue && !strings.isEmpty());
        if (looked && !stream->read(pos, length, &record))
            return Verdict::Damaged;
        pos += length;
        if (!strings.isEmpty() && type != Continue) {
            if (!sharedStringsFit(strings))
                return Verdict::Damaged;
            strings.clear();
        }
        if (type == Bof) {
            biff8 = record.size() >= 2 && u16At(record, 0) == 0x0600;
        } else if (type == Dimensions) {
            // FreeXL reads the record whatever its length: a shorter one would give it the
            // bytes of the record before.
            if (length != 14 && length != 10)
                return Verdict::Damaged;
            const qint64 rows = length == 14 ? u32At(record, 4) : u16At(record, 2);
            const qint64 columns = length == 14 ? u16At(record, 10) : u16At(record, 6);
            if (rows > SheetRows || columns > SheetColumns)
                return Verdict::Damaged;
            cells += rows * columns;
            if (cells > maxRangeCells)
                return Verdict::TooLarge;
        } else if (biff8 && ((type == BoundSheet && !textFits(record, 6, 1)) ||
                             (type == Format && !textFits(record, 2, 2)) ||
                             (type == Label && !textFits(record, 6, 2)))) {
            return Verdict::Damaged;
        } else if (biff8 && (type == Sst || type == Continue)) {
            strings << record;
        }
    }
    if (!strings.isEmpty() && !sharedStringsFit(strings))
        return Verdict::Damaged;
    return Verdict::Readable;
}
