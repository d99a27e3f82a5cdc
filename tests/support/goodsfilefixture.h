// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Goods list files as other programs write them, for the import tests: raw bytes, workbooks
// written by openpyxl (Debian's python3) and by LibreOffice where it is installed, and the
// goods file's bytes to compare.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace GoodsFileFixture {

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a Python script with the system python3 (openpyxl, zipfile); the arguments follow it.
// Answers standard error when it fails, else "".
inline QString python(const QString &script, const QStringList &arguments = {})
{
    QProcess p;
    p.start(QStringLiteral(SYSTEM_PYTHON3), QStringList{QStringLiteral("-c"), script} + arguments);
    if (!p.waitForFinished(120000))
        return QStringLiteral("python did not finish");
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromUtf8(p.readAllStandardError()) + QStringLiteral(" (python failed)");
    return QString();
}

// An .xlsx written by openpyxl: `rows` is a Python expression for the first sheet's rows
// (a list of lists); `setup` is Python run before saving with `wb` and `ws` at hand.
inline QString openpyxlWorkbook(const QString &path, const QString &rows,
                                const QString &setup = QString())
{
    return python(QStringLiteral("import sys, datetime, openpyxl\n"
                                 "wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Goods'\n"
                                 "for r in %1:\n"
                                 "    ws.append(r)\n"
                                 "%2\n"
                                 "wb.save(sys.argv[1])\n")
                      .arg(rows, setup),
                  {path});
}

// An Excel 97 .xls written by xlwt (Debian's python3-xlwt): `rows` as for openpyxlWorkbook.
inline QString xlwtWorkbook(const QString &path, const QString &rows)
{
    return python(QStringLiteral("import sys, xlwt\n"
                                 "wb = xlwt.Workbook(); ws = wb.add_sheet('Goods')\n"
                                 "for r, row in enumerate(%1):\n"
                                 "    for c, v in enumerate(row):\n"
                                 "        ws.write(r, c, v)\n"
                                 "wb.save(sys.argv[1])\n")
                      .arg(rows),
                  {path});
}

// LibreOffice's soffice, when installed.
inline QString soffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Converts `source` with LibreOffice into `format` ("xlsx", "xls") in the same folder and
// answers the new file's path ("" when it failed). `inFilter` reads the source
// ("CSV:44,34,76" is comma, quote, UTF-8).
inline QString libreOfficeConvert(const QString &source, const QString &format,
                                  const QString &inFilter = QString())
{
    const QDir dir = QFileInfo(source).dir();
    QProcess p;
    p.setWorkingDirectory(dir.path());
    QStringList args{QStringLiteral("-env:UserInstallation=file://") +
                         dir.filePath(QStringLiteral("lo-profile")),
                     QStringLiteral("--headless")};
    if (!inFilter.isEmpty())
        args << QStringLiteral("--infilter=") + inFilter;
    args << QStringLiteral("--convert-to") << format << QStringLiteral("--outdir") << dir.path()
         << source;
    p.start(soffice(), args);
    if (!p.waitForFinished(180000) || p.exitCode() != 0)
        return QString();
    const QString out =
        dir.filePath(QFileInfo(source).completeBaseName() + QLatin1Char('.') + format);
    return QFile::exists(out) ? out : QString();
}

} // namespace GoodsFileFixture
