// SPDX-License-Identifier: GPL-3.0-or-later
#include "printorder.h"

#include "model/goodsimportfile.h"
#include "model/goodsimportmapping.h"
#include "model/goodsimportplan.h"
#include "model/goodstable.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

struct Reader {
    QString *error;

    bool fail(const QString &why)
    {
        if (error && error->isEmpty())
            *error = why;
        return false;
    }
    // A whole number in [low, high].
    bool number(const QJsonValue &v, const QString &name, int low, int high, int *out)
    {
        const double d = v.toDouble(-1e300);
        if (!v.isDouble() || d != double(qint64(d)) || d < low || d > high)
            return fail(
                QStringLiteral("%1: a whole number from %2 to %3").arg(name).arg(low).arg(high));
        *out = int(d);
        return true;
    }
    bool text(const QJsonValue &v, const QString &name, QString *out)
    {
        if (!v.isString() || v.toString().size() > PrintOrder::MaxTextLength)
            return fail(QStringLiteral("%1: a text of at most %2 characters")
                            .arg(name)
                            .arg(PrintOrder::MaxTextLength));
        *out = v.toString();
        return true;
    }
    template <std::size_t N>
    bool texts(const QJsonValue &v, const QString &name, std::array<QString, N> *out)
    {
        if (v.isUndefined())
            return true;
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() > qsizetype(N - 1))
            return fail(QStringLiteral("%1: a list of at most %2 texts").arg(name).arg(N - 1));
        for (int i = 0; i < a.size(); ++i)
            if (!text(a[i], QStringLiteral("%1[%2]").arg(name).arg(i), &(*out)[i + 1]))
                return false;
        return true;
    }
    bool known(const QJsonObject &o, const QStringList &keys, const QString &where)
    {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!keys.contains(it.key()))
                return fail(QStringLiteral("%1unknown key '%2'").arg(where, it.key()));
        return true;
    }
};

} // namespace

std::optional<PrintOrder> PrintOrder::fromJson(const QByteArray &json, QString *error)
{
    if (error)
        error->clear();
    Reader r{error};
    if (json.size() > MaxBytes) {
        r.fail(QStringLiteral("the order is larger than 1 MB"));
        return std::nullopt;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        r.fail(parse.error != QJsonParseError::NoError
                   ? QStringLiteral("malformed JSON at byte %1: %2")
                         .arg(parse.offset)
                         .arg(parse.errorString())
                   : QStringLiteral("the order must be a JSON object"));
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    PrintOrder order;
    if (!r.known(
            o, {"model", "set", "items", "all", "rows", "qty", "format", "port", "device", "force"},
            QString()))
        return std::nullopt;
    order.model = o.value("model").toString().toLower();
    if (order.model != QLatin1String("srp770") && order.model != QLatin1String("al300")) {
        r.fail(QStringLiteral("model: srp770 or al300"));
        return std::nullopt;
    }
    const QJsonValue set = o.value("set");
    bool setOk = false;
    if (set.isString()) {
        const QString s = set.toString();
        order.set = s.toInt(&setOk);
        setOk = setOk && s.size() <= 2 && order.set >= 0 && order.set <= 21;
    } else {
        setOk = r.number(set, QStringLiteral("set"), 0, 21, &order.set);
    }
    if (!setOk) {
        r.fail(QStringLiteral("set: 0 to 21 (or \"00\" to \"21\")"));
        return std::nullopt;
    }
    const int sources = int(o.contains("items")) + int(o.contains("all")) + int(o.contains("rows"));
    if (sources != 1) {
        r.fail(QStringLiteral("give exactly one of items, all, rows"));
        return std::nullopt;
    }
    if (o.contains("items")) {
        const QJsonArray a = o.value("items").toArray();
        if (!o.value("items").isArray() || a.isEmpty() || a.size() > 999) {
            r.fail(QStringLiteral("items: a list of 1 to 999 goods numbers"));
            return std::nullopt;
        }
        for (int i = 0; i < a.size(); ++i) {
            int n = 0;
            if (!r.number(a[i], QStringLiteral("items[%1]").arg(i), 1, 999, &n))
                return std::nullopt;
            order.items << n;
        }
    } else if (o.contains("all")) {
        if (o.value("all") != QJsonValue(true)) {
            r.fail(QStringLiteral("all: true"));
            return std::nullopt;
        }
        order.all = true;
    } else {
        const QJsonArray a = o.value("rows").toArray();
        if (!o.value("rows").isArray() || a.isEmpty() || a.size() > MaxRows) {
            r.fail(QStringLiteral("rows: a list of 1 to %1 goods rows").arg(MaxRows));
            return std::nullopt;
        }
        for (int i = 0; i < a.size(); ++i) {
            const QString at = QStringLiteral("rows[%1].").arg(i);
            const QJsonObject row = a[i].toObject();
            Row w;
            if (!a[i].isObject()) {
                r.fail(QStringLiteral("rows[%1]: a goods row object").arg(i));
                return std::nullopt;
            }
            if (!r.known(row, {"number", "name", "format", "quantity", "barcodes", "texts"}, at) ||
                !r.number(row.value("number"), at + "number", 1, 999, &w.number) ||
                (row.contains("name") && !r.text(row.value("name"), at + "name", &w.name)) ||
                (row.contains("format") &&
                 !r.number(row.value("format"), at + "format", 1, 5, &w.format)) ||
                (row.contains("quantity") &&
                 !r.number(row.value("quantity"), at + "quantity", 0, 9999, &w.quantity)) ||
                !r.texts(row.value("barcodes"), at + "barcodes", &w.barcodes) ||
                !r.texts(row.value("texts"), at + "texts", &w.texts))
                return std::nullopt;
            order.rows << w;
        }
    }
    if ((o.contains("qty") &&
         !r.number(o.value("qty"), QStringLiteral("qty"), 1, 999, &order.qty)) ||
        (o.contains("format") &&
         !r.number(o.value("format"), QStringLiteral("format"), 1, 5, &order.format)))
        return std::nullopt;
    if (int(o.contains("port")) + int(o.contains("device")) != 1) {
        r.fail(QStringLiteral("give exactly one of port, device"));
        return std::nullopt;
    }
    if (o.contains("port") && !r.number(o.value("port"), QStringLiteral("port"), 1, 9, &order.port))
        return std::nullopt;
    if (o.contains("device") &&
        (!r.text(o.value("device"), QStringLiteral("device"), &order.device) ||
         order.device.trimmed().isEmpty())) {
        r.fail(
            QStringLiteral("device: a target text (tcp://HOST:PORT, a device file, cups:QUEUE)"));
        return std::nullopt;
    }
    if (o.contains("force")) {
        if (!o.value("force").isBool()) {
            r.fail(QStringLiteral("force: true or false"));
            return std::nullopt;
        }
        order.force = o.value("force").toBool();
    }
    return order;
}

std::optional<PrintOrder> PrintOrder::fromGoodsFile(const QString &path, QString *error)
{
    static const QRegularExpression named(QStringLiteral("^(srp770|al300)-(\\d{2})-([1-9])(-.*)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = named.match(QFileInfo(path).completeBaseName());
    PrintOrder order;
    if (!m.hasMatch() || m.captured(2).toInt() > 21) {
        *error = QStringLiteral("a goods list order is named MODEL-SET-PORT[-anything], such as "
                                "srp770-00-3-delivery.csv");
        return std::nullopt;
    }
    order.model = m.captured(1).toLower();
    order.set = m.captured(2).toInt();
    order.port = m.captured(3).toInt();
    ImportTable table;
    const ImportProblem problem = GoodsImportFile::read(path, {}, &table);
    if (!problem.ok()) {
        *error = problem.english();
        return std::nullopt;
    }
    const GoodsImportMapping mapping =
        GoodsImportMapping::guess(table, GoodsImportMapping::guessHeader(table));
    GoodsTable none;
    const GoodsImportPlan plan = GoodsImportPlan::build(
        table, mapping, GoodsImportPlan::Mode::Replace, GoodsImportPlan::Match::Barcode1, none);
    if (!plan.mappingProblemEnglish.isEmpty() || plan.rows.isEmpty()) {
        *error = plan.mappingProblemEnglish.isEmpty() ? QStringLiteral("no goods row to print")
                                                      : plan.mappingProblemEnglish;
        return std::nullopt;
    }
    GoodsTable goods;
    goods.setRowTexts(plan.rows);
    for (int r = 1; r <= goods.rows() && r <= MaxRows; ++r) {
        Row row;
        row.number = goods.numberAt(r);
        row.name = goods.cell(r, GoodsTable::NameColumn);
        row.format = qBound(1, goods.cell(r, GoodsTable::FormatColumn).toInt(), 5);
        row.quantity = goods.cell(r, GoodsTable::QtyColumn).toInt();
        for (int b = 1; b <= 3; ++b)
            row.barcodes[b] = goods.cell(r, GoodsTable::FirstBarcodeColumn + b - 1);
        for (int t = 1; t <= 10; ++t)
            row.texts[t] = goods.cell(r, GoodsTable::FirstTextColumn + t - 1);
        order.rows << row;
    }
    return order;
}
