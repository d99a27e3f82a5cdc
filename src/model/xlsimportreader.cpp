// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsimportreader.h"

#include "model/spreadsheetnumber.h"
#include "model/xlscontainer.h"

#include <QFile>

#include <freexl.h>

namespace {

struct Handle {
    const void *h = nullptr;
    ~Handle()
    {
        if (h)
            freexl_close(h);
    }
};

} // namespace

ImportProblem XlsImportReader::read(const QString &path, int sheet, ImportTable *table)
{
    *table = ImportTable();
    table->kind = ImportTable::Kind::Xls;
    // What FreeXL would trip over or take too much memory for is refused before it reads.
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {ImportProblem::Unreadable, f.errorString()};
        switch (XlsContainer::check(&f, ImportTable::MaxCells)) {
        case XlsContainer::Verdict::Damaged:
            return {ImportProblem::Corrupt, QStringLiteral("compound file")};
        case XlsContainer::Verdict::TooLarge:
            return {ImportProblem::TooManyCells, QString()};
        case XlsContainer::Verdict::Readable:
            break;
        }
    }
    Handle x;
    const int rc = freexl_open(QFile::encodeName(path).constData(), &x.h);
    if (rc != FREEXL_OK)
        return {ImportProblem::Corrupt, QStringLiteral("FreeXL %1").arg(rc)};
    unsigned int info = 0;
    if (freexl_get_info(x.h, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED)
        return {ImportProblem::Encrypted, QString()};
    unsigned int sheets = 0;
    freexl_get_info(x.h, FREEXL_BIFF_SHEET_COUNT, &sheets);
    for (unsigned short i = 0; i < sheets; ++i) {
        const char *name = nullptr;
        freexl_get_worksheet_name(x.h, i, &name);
        table->sheets << QString::fromUtf8(name ? name : "");
    }
    if (sheet < 0 || sheet >= int(sheets))
        return {ImportProblem::NoSheet, QString::number(sheet + 1)};
    table->sheet = sheet;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(x.h, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
        freexl_worksheet_dimensions(x.h, &rows, &columns) != FREEXL_OK)
        return {ImportProblem::Corrupt, QStringLiteral("sheet")};

    const QStringList names = table->sheets;
    auto fail = [&](ImportProblem p) {
        *table = ImportTable();
        table->kind = ImportTable::Kind::Xls;
        table->sheets = names;
        return p;
    };
    const SpreadsheetNumber::Format general;
    qint64 cells = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(x.h, r, c, &v) != FREEXL_OK)
                continue;
            QString text;
            switch (v.type) {
            case FREEXL_CELL_INT:
                text = QString::number(v.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = SpreadsheetNumber::text(v.value.double_value, general);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(v.value.text_value ? v.value.text_value : "");
                break;
            default:
                break;
            }
            if (text.isEmpty())
                continue;
            if (c >= ImportTable::MaxColumns)
                return fail({ImportProblem::TooManyColumns, QString::number(r + 1)});
            while (row.size() <= c)
                row << QString();
            row[c] = text;
        }
        cells += row.size();
        table->addRow(row, int(r + 1));
        if (table->rows.size() > ImportTable::MaxRows)
            return fail({ImportProblem::TooManyRows, QString()});
        if (cells > ImportTable::MaxCells)
            return fail({ImportProblem::TooManyCells, QString()});
    }
    return {};
}
