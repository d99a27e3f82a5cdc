// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimportreader.h"

#include "common/textdecoder.h"

#include <QBuffer>
#include <QHash>

#include <csv.h>

#include <optional>

namespace {

constexpr qsizetype ChunkBytes = 64 * 1024;

// Spaces around an unquoted field are trimmed by the goods cells anyway; a tab never counts
// as a space, so that tab-separated files keep their empty fields.
int isSpace(unsigned char c)
{
    return c == ' ';
}

struct Parser {
    csv_parser p;
    bool ready = false;
    explicit Parser(char delimiter)
    {
        ready = csv_init(&p, 0) == 0;
        if (ready) {
            csv_set_delim(&p, static_cast<unsigned char>(delimiter));
            csv_set_space_func(&p, isSpace);
        }
    }
    ~Parser()
    {
        if (ready)
            csv_free(&p);
    }
};

// Field counts of the first records, for sniffing.
struct CountState {
    int fields = 0;
    QList<int> counts;
};

void countField(void *, size_t, void *data)
{
    ++static_cast<CountState *>(data)->fields;
}

void countRecord(int, void *data)
{
    auto *s = static_cast<CountState *>(data);
    s->counts << s->fields;
    s->fields = 0;
}

struct ReadState {
    ImportTable *table = nullptr;
    QStringList fields;
    int record = 0;
    qint64 cells = 0;
    ImportProblem problem;
    bool stopped() const { return !problem.ok(); }
};

void readField(void *s, size_t len, void *data)
{
    auto *st = static_cast<ReadState *>(data);
    if (st->stopped())
        return;
    if (st->fields.size() >= ImportTable::MaxColumns) {
        st->problem = {ImportProblem::TooManyColumns, QString::number(st->record + 1)};
        return;
    }
    st->fields << TextEncoding::utf8Text(
        QByteArrayView(static_cast<const char *>(s), qsizetype(len)));
}

void readRecord(int, void *data)
{
    auto *st = static_cast<ReadState *>(data);
    if (st->stopped())
        return;
    ++st->record;
    st->cells += st->fields.size();
    st->table->addRow(st->fields, st->record);
    st->fields.clear();
    if (st->table->rows.size() > ImportTable::MaxRows)
        st->problem = {ImportProblem::TooManyRows, QString()};
    else if (st->cells > ImportTable::MaxCells)
        st->problem = {ImportProblem::TooManyCells, QString()};
}

} // namespace

char CsvImportReader::sniffDelimiter(const QByteArray &utf8)
{
    QByteArray sample = utf8.left(ChunkBytes);
    if (sample.size() < utf8.size()) {
        const qsizetype cut = sample.lastIndexOf('\n');
        if (cut > 0)
            sample.truncate(cut + 1);
    }
    char best = ',';
    int bestScore = 0;
    for (char d : {',', ';', '\t'}) {
        Parser parser(d);
        if (!parser.ready)
            continue;
        CountState st;
        csv_parse(&parser.p, sample.constData(), size_t(sample.size()), countField, countRecord,
                  &st);
        csv_fini(&parser.p, countField, countRecord, &st);
        QHash<int, int> frequency;
        for (int i = 0; i < std::min<qsizetype>(st.counts.size(), 50); ++i) {
            if (st.counts[i] >= 2)
                ++frequency[st.counts[i]];
        }
        int score = 0;
        for (int f : frequency)
            score = std::max(score, f);
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    }
    return best;
}

ImportProblem CsvImportReader::read(const QByteArray &bytes, TextEncoding::Kind encoding,
                                    char delimiter, ImportTable *table)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(&buffer, encoding, delimiter, table);
}

ImportProblem CsvImportReader::read(QIODevice *file, TextEncoding::Kind encoding, char delimiter,
                                    ImportTable *table)
{
    *table = ImportTable();
    table->kind = ImportTable::Kind::Text;
    // The whole file decides its encoding (a CP949 character far down makes it CP949): it is
    // looked through first, a piece at a time.
    bool bom = TextEncoding::startsWithMark(file->peek(3));
    table->encoding = encoding == TextEncoding::Auto ? TextEncoding::detect(file, &bom) : encoding;
    table->byteOrderMark = bom;

    // libcsv works on bytes: every encoding is read as UTF-8 text, a piece at a time. The
    // delimiter is sniffed from the first ChunkBytes of the text.
    TextDecoder decoder(table->encoding);
    QByteArray raw(ChunkBytes, Qt::Uninitialized);
    QByteArray utf8; // decoded, not yet parsed
    bool end = false;
    std::optional<Parser> parser;
    ReadState st;
    st.table = table;
    while (!end && !st.stopped()) {
        const qint64 n = file->read(raw.data(), raw.size());
        if (n < 0) {
            st.problem = {ImportProblem::Unreadable, file->errorString()};
            break;
        }
        end = n == 0;
        utf8 += (end ? decoder.finish() : decoder.decode(QByteArrayView(raw).first(n))).toUtf8();
        if (!parser) {
            if (!end && utf8.size() <= ChunkBytes)
                continue;
            table->delimiter = delimiter ? delimiter : sniffDelimiter(utf8);
            parser.emplace(table->delimiter);
            if (!parser->ready)
                return {ImportProblem::Unreadable, QStringLiteral("out of memory")};
        }
        for (qsizetype at = 0; at < utf8.size() && !st.stopped(); at += ChunkBytes) {
            const qsizetype len = std::min(ChunkBytes, utf8.size() - at);
            if (csv_parse(&parser->p, utf8.constData() + at, size_t(len), readField, readRecord,
                          &st) != size_t(len)) {
                st.problem = {ImportProblem::Unreadable,
                              QString::fromUtf8(csv_strerror(csv_error(&parser->p)))};
            }
        }
        utf8.clear();
    }
    // A quoted field still open at the end would swallow the rest of the file: refuse it.
    // (libcsv's parser state is public: 2 is "field begun".)
    constexpr int FieldBegun = 2;
    if (!st.stopped() && parser->p.quoted && parser->p.pstate == FieldBegun)
        st.problem = {ImportProblem::UnclosedQuote, QString::number(st.record + 1)};
    if (!st.stopped() && csv_fini(&parser->p, readField, readRecord, &st) != 0)
        st.problem = {ImportProblem::Unreadable,
                      QString::fromUtf8(csv_strerror(csv_error(&parser->p)))};
    if (!st.stopped())
        return {};
    const ImportProblem problem = st.problem;
    ImportTable empty;
    empty.encoding = table->encoding;
    empty.delimiter = table->delimiter;
    *table = empty;
    return problem;
}
