// SPDX-License-Identifier: GPL-3.0-or-later
#include "spreadsheetexport.h"

#include "common/cp949codec.h"
#include "common/currency.h"
#include "common/safesave.h"
#include "common/settingsstore.h"
#include "common/textfile.h"
#include "common/textutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr lxw_color_t HeaderFill = 0xB3CCF4; // RGB(179, 204, 244)
constexpr int MaxCellChars = 32767;          // the most a spreadsheet cell holds

QByteArray cellText(const QString &text)
{
    return text.left(MaxCellChars).toUtf8();
}

void setError(SpreadsheetExport::Failure *error, const QString &korean, const QString &english)
{
    if (error)
        *error = {korean, english};
}

// Keeps the library's own error lines off standard error while it writes: a failure is
// reported in the program's words instead.
class QuietStandardError {
public:
    QuietStandardError()
    {
#ifdef Q_OS_UNIX
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
#endif
    }
    ~QuietStandardError()
    {
#ifdef Q_OS_UNIX
        std::fflush(stderr);
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
#endif
    }
    QuietStandardError(const QuietStandardError &) = delete;
    QuietStandardError &operator=(const QuietStandardError &) = delete;

private:
    int m_saved = -1;
};

// Builds the workbook in a private temporary folder (the library's scratch files too), then
// saves its bytes to `path` whole or not at all (SafeSave). Nothing is left behind.
bool writeWorkbook(const QString &path, const QString &sheetName,
                   const std::function<void(lxw_workbook *, lxw_worksheet *)> &fill,
                   SpreadsheetExport::Failure *error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        setError(error, QStringLiteral("폴더를 만들 수 없습니다: %1").arg(target.absolutePath()),
                 QStringLiteral("cannot make the folder %1").arg(target.absolutePath()));
        return false;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        setError(error,
                 QStringLiteral("임시 폴더를 만들 수 없습니다: %1").arg(scratch.errorString()),
                 QStringLiteral("cannot make a temporary folder: %1").arg(scratch.errorString()));
        return false;
    }
    const QByteArray scratchDir = QFile::encodeName(scratch.path());
    const QString temp = scratch.filePath(QStringLiteral("book.xlsx"));
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(scratchDir.constData());
    lxw_error rc = LXW_NO_ERROR;
    bool sheet = false;
    {
        QuietStandardError quiet;
        lxw_workbook *wb = workbook_new_opt(QFile::encodeName(temp).constData(), &options);
        if (!wb) {
            setError(error, QStringLiteral("파일을 만들 수 없습니다: %1").arg(path),
                     QStringLiteral("cannot make the workbook"));
            return false;
        }
        lxw_worksheet *ws = workbook_add_worksheet(wb, sheetName.toUtf8().constData());
        sheet = ws != nullptr;
        if (ws)
            fill(wb, ws);
        rc = workbook_close(wb);
    }
    if (!sheet || rc != LXW_NO_ERROR) {
        const QString why = QString::fromUtf8(lxw_strerror(rc));
        setError(error, QStringLiteral("파일을 쓸 수 없습니다: %1 (%2)").arg(path, why), why);
        return false;
    }
    QByteArray bytes;
    QString why;
    if (TextFile::readBytes(temp, std::numeric_limits<qint64>::max() / 2, &bytes, &why) !=
            TextFile::Read::Ok ||
        !SafeSave::write(path, bytes, &why)) {
        setError(error, QStringLiteral("파일을 쓸 수 없습니다: %1 (%2)").arg(path, why), why);
        return false;
    }
    return true;
}

void writeLines(lxw_worksheet *ws, int firstRow, const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\r'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char('\t'));
        for (int c = 0; c < fields.size(); ++c)
            worksheet_write_string(ws, lxw_row_t(firstRow + i), lxw_col_t(c),
                                   cellText(fields[c]).constData(), nullptr);
    }
}

} // namespace

bool SpreadsheetExport::writeGrid(const QString &path, const QString &sheetName,
                                  const SpreadsheetTable &table, bool convertNumbers,
                                  Failure *error)
{
    auto fill = [&](lxw_workbook *wb, lxw_worksheet *ws) {
        const int cols = table.columnCount();
        const int rows = int(table.rows.size());
        if (rows < 1 || cols < 1)
            return;

        lxw_format *header = workbook_add_format(wb);
        format_set_bg_color(header, HeaderFill);
        format_set_pattern(header, LXW_PATTERN_SOLID);
        format_set_border(header, LXW_BORDER_THIN);
        format_set_align(header, LXW_ALIGN_CENTER);
        format_set_align(header, LXW_ALIGN_VERTICAL_CENTER);
        // One data format per horizontal alignment, all centred vertically with borders.
        auto dataFormat = [&](uint8_t align) {
            lxw_format *f = workbook_add_format(wb);
            format_set_border(f, LXW_BORDER_THIN);
            format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
            if (align != LXW_ALIGN_NONE)
                format_set_align(f, align);
            return f;
        };
        lxw_format *general = dataFormat(LXW_ALIGN_NONE);
        lxw_format *left = dataFormat(LXW_ALIGN_LEFT);
        lxw_format *right = dataFormat(LXW_ALIGN_RIGHT);
        lxw_format *centre = dataFormat(LXW_ALIGN_CENTER);
        auto formatOf = [&](int c) {
            switch (table.align.value(c, SpreadsheetTable::Align::General)) {
            case SpreadsheetTable::Align::Left:
                return left;
            case SpreadsheetTable::Align::Right:
                return right;
            case SpreadsheetTable::Align::Centre:
                return centre;
            default:
                return general;
            }
        };

        QList<int> widths(cols, 0); // widest text per column in CP949 bytes
        auto put = [&](int row, int c, const QString &text, lxw_format *fmt) {
            const bool hidden = table.hidden.value(c, false);
            const QString t = hidden ? QString() : text.trimmed();
            widths[c] = std::max(widths[c], Cp949Codec::byteLength(t));
            if (t.isEmpty()) {
                worksheet_write_blank(ws, lxw_row_t(row), lxw_col_t(c), fmt);
            } else if (convertNumbers && row > 0 && IsNumberText(t, 0) == 1) {
                worksheet_write_number(ws, lxw_row_t(row), lxw_col_t(c), TextToCur(t).toDouble(),
                                       fmt);
            } else {
                worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(c), cellText(t).constData(),
                                       fmt);
            }
        };
        for (int c = 0; c < cols; ++c)
            put(0, c, table.header.value(c), header);
        for (int r = 0; r < rows; ++r) {
            const QStringList &cells = table.rows[r];
            for (int c = 0; c < cols; ++c)
                put(r + 1, c, cells.value(c), formatOf(c));
        }
        // Columns fitted to their contents: a CP949 byte is about one character width.
        for (int c = 0; c < cols; ++c) {
            const double w = widths[c] == 0 ? 2.0 : std::min(255.0, widths[c] * 1.1 + 2.0);
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), w, nullptr);
        }
    };
    return writeWorkbook(path, sheetName, fill, error);
}

bool SpreadsheetExport::writeText(const QString &path, const QString &sheetName,
                                  const QString &text, Failure *error)
{
    return writeWorkbook(
        path, sheetName, [&](lxw_workbook *, lxw_worksheet *ws) { writeLines(ws, 0, text); },
        error);
}

bool SpreadsheetExport::writeRecordset(const QString &path, const QString &sheetName,
                                       const QStringList &fieldNames, const QString &text,
                                       Failure *error)
{
    return writeWorkbook(
        path, sheetName,
        [&](lxw_workbook *, lxw_worksheet *ws) {
            for (int c = 0; c < fieldNames.size(); ++c)
                worksheet_write_string(ws, 0, lxw_col_t(c), cellText(fieldNames[c]).constData(),
                                       nullptr);
            writeLines(ws, 1, text);
        },
        error);
}

bool SpreadsheetExport::numberConversionSetting()
{
    return ReadSettingInt(SettingsSection, QStringLiteral("PrinterExcelView")) == 1;
}

QString SpreadsheetExport::backupFolder()
{
    QString dir = qEnvironmentVariable("LABELSTATION_BACKUP_DIR");
    if (dir.isEmpty()) {
#ifdef Q_OS_WIN
        dir = QStringLiteral("C:/QelBackup");
#else
        dir = QDir::home().filePath(QStringLiteral("QelBackup"));
#endif
    }
    QDir().mkpath(dir);
    return QDir::cleanPath(dir);
}

bool SpreadsheetExport::writeRegistrationFile(const QString &base, const SpreadsheetTable &table,
                                              QString *path, Failure *error, const QDateTime &when)
{
    if (base.isEmpty()) {
        setError(error, QStringLiteral("알 수 없는 화면입니다"), QStringLiteral("unknown window"));
        return false;
    }
    const QDir dir(backupFolder());
    const QString book = dir.filePath(base + QStringLiteral(".xlsx"));
    const QString log = dir.filePath(base + QStringLiteral(".log"));
    if (path)
        *path = book;
    Failure why;
    const bool ok =
        writeGrid(book, QStringLiteral("Sheet1"), table, numberConversionSetting(), &why);
    QStringList lines{
        QStringLiteral("일시: %1").arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
        QStringLiteral("파일: %1").arg(QDir::toNativeSeparators(book)),
        QStringLiteral("시트: Sheet1")};
    if (ok) {
        lines << QStringLiteral("행: %1 (머리글 1행, 자료 %2행)")
                     .arg(table.rows.isEmpty() ? 0 : table.rows.size() + 1)
                     .arg(table.rows.size())
              << QStringLiteral("열: %1").arg(table.columnCount())
              << QStringLiteral("결과: 저장했습니다");
    } else {
        lines << QStringLiteral("결과: 저장하지 못했습니다 - %1").arg(why.korean);
    }
    QString logError;
    TextFile::writeLines(log, lines, &logError);
    if (error)
        *error = why;
    return ok;
}
