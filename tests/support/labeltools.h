// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Looking at drawn labels from the outside: barcodes decoded by zbarimg, PDFs read by
// poppler's tools, pixels counted in pictures.

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace LabelTools {

inline QString run(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return QString();
    }
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The symbols zbarimg finds in a picture, "TYPE:data" each.
inline QStringList decode(const QImage &image)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("label.png"));
    if (!image.save(file))
        return {QStringLiteral("<not saved>")};
    const QString out = run(QStringLiteral("/usr/bin/zbarimg"), {QStringLiteral("--quiet"), file});
    return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

inline int pdfPages(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// "Page size: w x h pts" of the first page.
inline QSizeF pdfPageSize(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const auto m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// The size of page `page` (1-based) in points.
inline QSizeF pdfPageSize(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    const QString info =
        run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf});
    const auto m =
        QRegularExpression(QStringLiteral("Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+) pts").arg(n))
            .match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline QString pdfText(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

// Page `page` (1-based) of a PDF as a picture at `dpi`.
inline QImage pdfPage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         QString::number(page), QStringLiteral("-l"), QString::number(page),
         QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png"));
}

inline bool isDark(QRgb c)
{
    return qGray(c) < 128;
}

inline bool isRed(QRgb c)
{
    return qRed(c) > 160 && qGreen(c) < 110 && qBlue(c) < 110;
}

// Pixels of the area that pass the test.
template <typename Test> int count(const QImage &image, const QRect &area, Test test)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

inline int darkPixels(const QImage &image, const QRect &area)
{
    return count(image, area, isDark);
}

inline int redPixels(const QImage &image)
{
    return count(image, image.rect(), isRed);
}

// The smallest rectangle holding every dark pixel of the area (null when none).
inline QRect darkBounds(const QImage &image, const QRect &area)
{
    QRect b;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (isDark(image.pixel(x, y)))
                b = b.united(QRect(x, y, 1, 1));
    return b;
}

} // namespace LabelTools
