// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsimportmapping.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// Captions compared without case, blanks and punctuation, and "01" read as "1".
QString normalised(const QString &caption)
{
    QString s = caption.toLower();
    s.remove(QRegularExpression(QStringLiteral(R"([\s#_\-\.\(\):/]+)")));
    static const QRegularExpression trailing(QStringLiteral(R"((?<=\D)0+(\d+)$)"));
    s.replace(trailing, QStringLiteral("\\1"));
    return s;
}

const QHash<QString, int> &knownCaptions()
{
    static const QHash<QString, int> map = [] {
        QHash<QString, int> m;
        using M = GoodsImportMapping;
        for (int f = 0; f < M::FieldCount; ++f) {
            m.insert(normalised(M::caption(f)), f);
            m.insert(normalised(M::key(f)), f);
        }
        for (const char *s : {"no", "번호", "등록번호", "plu", "상품번호", "품목번호"})
            m.insert(normalised(QString::fromUtf8(s)), M::Number);
        for (const char *s : {"상품명", "품명", "제품명", "품목명", "상품", "품목", "이름",
                              "작업명", "name", "item", "itemname", "product", "productname"})
            m.insert(normalised(QString::fromUtf8(s)), M::Name);
        for (const char *s : {"포맷", "포멧번호", "포맷번호", "format"})
            m.insert(normalised(QString::fromUtf8(s)), M::Format);
        for (const char *s : {"수량", "발행수량", "인쇄수량", "매수", "qty", "quantity"})
            m.insert(normalised(QString::fromUtf8(s)), M::Qty);
        for (const char *s :
             {"바코드", "바코드번호", "barcode", "ean", "ean13", "jan", "upc", "gtin"})
            m.insert(normalised(QString::fromUtf8(s)), M::Barcode1);
        for (int b = 1; b <= 3; ++b) {
            m.insert(normalised(QStringLiteral("바코드%1").arg(b)), M::Barcode1 + b - 1);
            m.insert(normalised(QStringLiteral("barcode%1").arg(b)), M::Barcode1 + b - 1);
        }
        for (int t = 1; t <= 20; ++t) {
            m.insert(normalised(QStringLiteral("텍스트%1").arg(t)), M::Text1 + t - 1);
            m.insert(normalised(QStringLiteral("text%1").arg(t)), M::Text1 + t - 1);
        }
        return m;
    }();
    return map;
}

// Prices go to the first free text.
bool isPriceCaption(const QString &caption)
{
    static const QStringList prices = {QStringLiteral("가격"),     QStringLiteral("단가"),
                                       QStringLiteral("판매가"),   QStringLiteral("판매가격"),
                                       QStringLiteral("소비자가"), QStringLiteral("소비자가격"),
                                       QStringLiteral("price"),    QStringLiteral("unitprice")};
    return prices.contains(normalised(caption));
}

bool isNumberText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?[\d,]*\.?\d+$)"));
    return number.match(text.trimmed()).hasMatch();
}

bool isBarcodeLike(const QString &text)
{
    static const QRegularExpression code(QStringLiteral(R"(^\d{8,14}$)"));
    return code.match(text.trimmed()).hasMatch();
}

} // namespace

int GoodsImportMapping::goodsColumn(int field)
{
    return field == Number ? 1 : field + 2;
}

QString GoodsImportMapping::caption(int field)
{
    switch (field) {
    case Number:
        return QStringLiteral("번호");
    case Name:
        return QStringLiteral("품목명");
    case Format:
        return QStringLiteral("포멧");
    case Qty:
        return QStringLiteral("수량");
    default:
        break;
    }
    if (field < Text1)
        return QStringLiteral("바코드#%1").arg(field - Barcode1 + 1);
    return QStringLiteral("텍스트#%1").arg(field - Text1 + 1, 2, 10, QLatin1Char('0'));
}

QString GoodsImportMapping::key(int field)
{
    switch (field) {
    case Number:
        return QStringLiteral("number");
    case Name:
        return QStringLiteral("name");
    case Format:
        return QStringLiteral("format");
    case Qty:
        return QStringLiteral("qty");
    default:
        break;
    }
    if (field < Text1)
        return QStringLiteral("barcode%1").arg(field - Barcode1 + 1);
    return QStringLiteral("text%1").arg(field - Text1 + 1);
}

QString GoodsImportMapping::columnName(int column)
{
    if (column < 0)
        return QString();
    QString s;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

int GoodsImportMapping::columnFromName(const QString &name)
{
    const QString n = name.trimmed().toUpper();
    bool ok = false;
    const int number = n.toInt(&ok);
    if (ok)
        return number >= 1 && number <= ImportTable::MaxColumns ? number - 1 : -1;
    if (n.isEmpty() || n.size() > 3)
        return -1;
    int col = 0;
    for (QChar c : n) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return -1;
        col = col * 26 + (c.unicode() - u'A' + 1);
    }
    return col <= ImportTable::MaxColumns ? col - 1 : -1;
}

int GoodsImportMapping::findCaptionRow(const ImportTable &table)
{
    for (int r = 0; r < table.rows.size() && r < 20; ++r) {
        int known = 0, filled = 0;
        for (const QString &c : table.rows[r]) {
            if (c.trimmed().isEmpty())
                continue;
            ++filled;
            if (knownCaptions().contains(normalised(c)) || isPriceCaption(c))
                ++known;
        }
        if (known >= 2 || (known >= 1 && known == filled))
            return r;
    }
    return -1;
}

int GoodsImportMapping::tableRowOf(const ImportTable &table, int sourceRow)
{
    return int(table.sourceRows.indexOf(sourceRow));
}

bool GoodsImportMapping::guessHeader(const ImportTable &table)
{
    if (table.rows.isEmpty())
        return false;
    if (findCaptionRow(table) >= 0)
        return true;
    const QStringList &first = table.rows.first();
    if (table.rows.size() < 2)
        return false;
    // Text over a number in the same column, and no number in the first row.
    bool textOverNumber = false;
    for (int c = 0; c < first.size(); ++c) {
        if (isNumberText(first[c]))
            return false;
        if (!first[c].trimmed().isEmpty() && isNumberText(table.cell(1, c)))
            textOverNumber = true;
    }
    return textOverNumber;
}

GoodsImportMapping GoodsImportMapping::guess(const ImportTable &table, bool header, int captionRow)
{
    GoodsImportMapping m;
    m.header = header;
    if (table.rows.isEmpty())
        return m;
    std::array<bool, ImportTable::MaxColumns> used{};
    if (header) {
        m.captionRow = captionRow >= 0 && captionRow < table.rows.size()
                           ? captionRow
                           : std::max(0, findCaptionRow(table));
        const QStringList &captions = table.rows[m.captionRow];
        // Exact captions first, then the prices into the free texts.
        for (int c = 0; c < captions.size(); ++c) {
            const auto it = knownCaptions().constFind(normalised(captions[c]));
            if (it != knownCaptions().cend() && !m.isMapped(it.value())) {
                m.columns[size_t(it.value())] = c;
                used[size_t(c)] = true;
            }
        }
        for (int c = 0; c < captions.size(); ++c) {
            if (used[size_t(c)] || !isPriceCaption(captions[c]))
                continue;
            for (int f = Text1; f < FieldCount; ++f) {
                if (!m.isMapped(f)) {
                    m.columns[size_t(f)] = c;
                    used[size_t(c)] = true;
                    break;
                }
            }
        }
        return m;
    }
    // No captions: judge the cells of the first rows.
    const int sample = std::min<int>(int(table.rows.size()), 50);
    for (int c = 0; c < table.columns && c < ImportTable::MaxColumns; ++c) {
        int filled = 0, codes = 0, words = 0;
        for (int r = 0; r < sample; ++r) {
            const QString t = table.cell(r, c).trimmed();
            if (t.isEmpty())
                continue;
            ++filled;
            if (isBarcodeLike(t))
                ++codes;
            else if (!isNumberText(t))
                ++words;
        }
        if (filled == 0)
            continue;
        if (!m.isMapped(Barcode1) && codes * 2 > filled)
            m.columns[Barcode1] = c;
        else if (!m.isMapped(Name) && words * 2 > filled)
            m.columns[Name] = c;
    }
    return m;
}

bool GoodsImportMapping::parse(const QString &spec, QString *error)
{
    columns.fill(None);
    const QStringList parts = spec.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        *error = QStringLiteral("the mapping is empty");
        return false;
    }
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        const QString name = part.left(eq).trimmed().toLower();
        const QString value = eq < 0 ? QString() : part.mid(eq + 1).trimmed();
        int field = -1;
        for (int f = 0; f < FieldCount; ++f) {
            if (key(f) == name)
                field = f;
        }
        if (field < 0) {
            *error = QStringLiteral("unknown goods field '%1' (number, name, format, qty, "
                                    "barcode1..3, text1..20)")
                         .arg(name);
            return false;
        }
        if (value == QLatin1String("none") || value == QLatin1String("-")) {
            columns[size_t(field)] = None;
            continue;
        }
        const int col = columnFromName(value);
        if (col < 0) {
            *error = QStringLiteral("'%1' is not a column (A, B, ... or 1, 2, ...)").arg(value);
            return false;
        }
        columns[size_t(field)] = col;
    }
    return true;
}

QString GoodsImportMapping::spec() const
{
    QStringList parts;
    for (int f = 0; f < FieldCount; ++f) {
        if (isMapped(f))
            parts << key(f) + QLatin1Char('=') + columnName(column(f));
    }
    return parts.join(QLatin1Char(','));
}
