// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsexport.h"

#include "common/cp949codec.h"
#include "common/currency.h"
#include "common/textfile.h"
#include "common/textutil.h"
#include "model/goodsimportmapping.h"
#include "model/goodstable.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csv.h>
#include <xlsxwriter.h>

namespace {

using M = GoodsImportMapping;

QString plainNumber(const QString &cell)
{
    return CurToText(Currency::fromDecimalText(LeadingNumberText(cell)), 1);
}

// One CSV field: quoted (by libcsv) when it holds a delimiter, a quote, a line break or
// blanks at its ends.
QByteArray csvField(const QByteArray &field)
{
    const bool blanksAtEnds = !field.isEmpty() && (field.front() == ' ' || field.back() == ' ');
    if (!blanksAtEnds && !field.contains(',') && !field.contains('"') && !field.contains('\r') &&
        !field.contains('\n'))
        return field;
    QByteArray out(field.size() * 2 + 2, Qt::Uninitialized);
    out.resize(qsizetype(
        csv_write(out.data(), size_t(out.size()), field.constData(), size_t(field.size()))));
    return out;
}

bool isPlainWhole(const QString &text)
{
    static const QRegularExpression whole(QStringLiteral(R"(^-?\d{1,15}$)"));
    return whole.match(text).hasMatch();
}

} // namespace

QStringList GoodsExport::captions()
{
    QStringList out;
    for (int f = 0; f < M::FieldCount; ++f)
        out << M::caption(f);
    return out;
}

QList<QStringList> GoodsExport::rows(const GoodsTable &goods)
{
    QList<QStringList> out;
    out.reserve(goods.rows());
    for (int r = 1; r <= goods.rows(); ++r) {
        QStringList row;
        for (int f = 0; f < M::FieldCount; ++f) {
            const QString cell = goods.cell(r, M::goodsColumn(f)).trimmed();
            row << (f == M::Number || f == M::Format || f == M::Qty ? plainNumber(cell) : cell);
        }
        out << row;
    }
    return out;
}

QByteArray GoodsExport::csvBytes(const GoodsTable &goods, Csv encoding)
{
    QList<QStringList> lines = rows(goods);
    lines.prepend(captions());
    QByteArray bytes = encoding == Csv::Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const QStringList &line : lines) {
        for (int i = 0; i < line.size(); ++i) {
            if (i)
                bytes += ',';
            bytes +=
                csvField(encoding == Csv::Utf8Bom ? line[i].toUtf8() : Cp949Codec::encode(line[i]));
        }
        bytes += "\r\n";
    }
    return bytes;
}

bool GoodsExport::writeCsv(const QString &path, const GoodsTable &goods, Csv encoding,
                           QString *error)
{
    return TextFile::writeBytes(path, csvBytes(goods, encoding), error);
}

bool GoodsExport::writeXlsx(const QString &path, const GoodsTable &goods, QString *error)
{
    // libxlsxwriter writes to a file name: build the workbook in a private folder, then put
    // its bytes in place atomically.
    QTemporaryDir dir;
    if (!dir.isValid()) {
        if (error)
            *error = dir.errorString();
        return false;
    }
    const QString temp = dir.filePath(QStringLiteral("goods.xlsx"));
    lxw_workbook *wb = workbook_new(QFile::encodeName(temp).constData());
    if (!wb) {
        if (error)
            *error = QStringLiteral("cannot create the workbook");
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, "품목");
    lxw_format *head = workbook_add_format(wb);
    format_set_bold(head);
    format_set_bg_color(head, 0xB3CCF4);
    format_set_align(head, LXW_ALIGN_CENTER);
    lxw_format *text = workbook_add_format(wb);
    format_set_num_format(text, "@");

    const QStringList caps = captions();
    for (int c = 0; c < caps.size(); ++c) {
        worksheet_write_string(ws, 0, lxw_col_t(c), caps[c].toUtf8().constData(), head);
        const double width = c == M::Name ? 24 : (c >= M::Barcode1 && c < M::Text1) ? 16 : 10;
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), width,
                             c == M::Number || c == M::Format || c == M::Qty ? nullptr : text);
    }
    worksheet_freeze_panes(ws, 1, 0);
    const QList<QStringList> data = rows(goods);
    for (int r = 0; r < data.size(); ++r) {
        for (int c = 0; c < data[r].size(); ++c) {
            const QString &v = data[r][c];
            if (v.isEmpty())
                continue;
            const lxw_row_t row = lxw_row_t(r + 1);
            if ((c == M::Number || c == M::Format || c == M::Qty) && isPlainWhole(v))
                worksheet_write_number(ws, row, lxw_col_t(c), v.toDouble(), nullptr);
            else
                worksheet_write_string(ws, row, lxw_col_t(c), v.toUtf8().constData(), text);
        }
    }
    const lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR) {
        if (error)
            *error = QString::fromUtf8(lxw_strerror(rc));
        return false;
    }
    QFile f(temp);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return TextFile::writeBytes(path, f.readAll(), error);
}
