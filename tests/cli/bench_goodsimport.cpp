// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the command line with 999 goods: `labelstation goods import` from .xlsx and from
// CSV, then `labelstation check` of the imported goods (every label drawn and scanned). Each
// is the command's time less the time of `labelstation --version` (start-up), medians of
// several runs.
// Prints BENCH lines (figure, value, goal) for scripts/bench.sh.

#include "model/goodsexport.h"
#include "model/goodstable.h"

#include "support/goodsrows.h"
#include "support/labelsetfixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double medianRun(const QStringList &arguments, int runs)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QElapsedTimer clock;
        clock.start();
        p.start(QStringLiteral(LABELSTATION_BIN), arguments);
        p.waitForFinished(60000);
        ms << clock.nsecsElapsed() / 1e6;
        const QByteArray err = p.readAllStandardError();
        if (p.exitCode() != 0 && !err.isEmpty())
            std::fprintf(stderr, "%s\n", err.constData());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    GoodsRows goods;
    for (int i = 1; i <= 999; ++i) {
        const int r = goods.appendRow();
        goods.setCell(r, GoodsTable::NumberColumn, GoodsTable::numberText(i));
        goods.setCell(r, GoodsTable::NameColumn, QStringLiteral("상품 %1 사과 배 포도").arg(i));
        goods.setCell(r, GoodsTable::FormatColumn, QStringLiteral("1"));
        goods.setCell(r, GoodsTable::QtyColumn, QString::number(i % 5));
        goods.setCell(r, GoodsTable::FirstBarcodeColumn,
                      QStringLiteral("880%1").arg(1000000000 + i, 10, 10, QLatin1Char('0')));
        for (int t = 0; t < 10; ++t)
            goods.setCell(r, GoodsTable::FirstTextColumn + t,
                          QStringLiteral("텍스트 %1-%2").arg(i).arg(t));
    }
    if (!LabelSetFixture::write(dir.path(), QStringLiteral("/dev/null")))
        return 1;
    const QString xlsx = dir.filePath(QStringLiteral("goods.xlsx"));
    const QString csv = dir.filePath(QStringLiteral("goods.csv"));
    if (!GoodsExport::writeXlsx(xlsx, goods) ||
        !GoodsExport::writeCsv(csv, goods, GoodsExport::Csv::Utf8Bom))
        return 1;
    const int runs = 7;
    const double base = medianRun({QStringLiteral("--version")}, runs);
    for (const QString &file : {xlsx, csv}) {
        const double t =
            medianRun({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("goods"),
                       QStringLiteral("import"), file, QStringLiteral("--model"),
                       QStringLiteral("al300"), QStringLiteral("--set"), QStringLiteral("00"),
                       QStringLiteral("--mode"), QStringLiteral("replace")},
                      runs);
        std::printf("BENCH\tgoods import, 999 goods from %s, less --version\t%.0f ms\t< 200 ms\n",
                    file.endsWith(QLatin1String(".csv")) ? "CSV" : ".xlsx", t - base);
    }
    // The goods of the last import, as the AL-300 station would print them.
    const double check =
        medianRun({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("check"),
                   QStringLiteral("al300"), QStringLiteral("--set"), QStringLiteral("00")},
                  runs);
    std::printf("BENCH\tcheck, 999 goods drawn and scanned, less --version\t%.0f ms\t< 200 ms\n",
                check - base);
    std::printf("(labelstation --version alone: %.0f ms)\n", base);
    return 0;
}
