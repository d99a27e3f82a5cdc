// SPDX-License-Identifier: GPL-3.0-or-later
// 999 labels on A4 sheets of 3×8 labels to PDF with the shipped command (`labelstation print
// srp770 --all --pdf FILE --sheet 3x8`): its whole time, start-up included, and its memory
// peak; medians of several runs.
// Prints BENCH lines (figure, value, goal) for scripts/bench.sh.

#include "model/goodstable.h"

#include "support/childpeak.h"
#include "support/goodsrows.h"
#include "support/labelsetfixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // Format 1 made 30 mm long: a label of a 3×8 sheet (63.5 × 33.9 mm).
    FormatSet formats = LabelSetFixture::srp770Formats();
    formats.Fmt[1].LblLeng = 30;
    if (!LabelSetFixture::write(dir.path(), QStringLiteral("/dev/null")) ||
        !FormatFile::save(formats, dir.filePath(QStringLiteral("SRP770Frm[00].Txt")),
                          Printers::srp770()))
        return 1;
    // 999 goods of one label each, every one its own barcode and texts (999 pictures).
    GoodsRows goods;
    for (int i = 1; i <= 999; ++i) {
        const int r = goods.appendRow();
        goods.setCell(r, GoodsTable::NumberColumn, GoodsTable::numberText(i));
        goods.setCell(r, GoodsTable::NameColumn, QStringLiteral("상품 %1").arg(i));
        goods.setCell(r, GoodsTable::FormatColumn, QStringLiteral("1"));
        goods.setCell(r, GoodsTable::QtyColumn, QStringLiteral("1"));
        const QString digits = QStringLiteral("880%1").arg(100000000 + i, 9, 10, QLatin1Char('0'));
        int sum = 0;
        for (int d = 0; d < 12; ++d)
            sum += digits[d].digitValue() * (d % 2 ? 3 : 1);
        goods.setCell(r, GoodsTable::FirstBarcodeColumn,
                      digits + QString::number((10 - sum % 10) % 10));
        goods.setCell(r, GoodsTable::FirstTextColumn, QStringLiteral("사과 %1").arg(i));
    }
    if (!goods.save(dir.filePath(QStringLiteral("SRP770Dat[00].Txt"))))
        return 1;
    const QStringList args{QStringLiteral("--data-dir"),
                           dir.path(),
                           QStringLiteral("print"),
                           QStringLiteral("srp770"),
                           QStringLiteral("--set"),
                           QStringLiteral("00"),
                           QStringLiteral("--all"),
                           QStringLiteral("--pdf"),
                           dir.filePath(QStringLiteral("s.pdf")),
                           QStringLiteral("--sheet"),
                           QStringLiteral("3x8")};
    QList<double> ms;
    QList<qint64> kib;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        const ChildPeak::Run r = ChildPeak::run(QStringLiteral(LABELSTATION_BIN), args,
                                                dir.filePath(QStringLiteral("out.txt")));
        ms << clock.nsecsElapsed() / 1e6;
        kib << r.peakKiB;
        if (r.status != 0) {
            std::fprintf(stderr, "%s\n", r.output.constData());
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::sort(kib.begin(), kib.end());
    std::printf(
        "BENCH\t999 labels on 3x8 sheets to PDF (42 sheets), whole command\t%.2f s\t< 3 s\n",
        ms[ms.size() / 2] / 1000);
    std::printf("BENCH\t999 labels on 3x8 sheets to PDF, memory peak\t%.0f MB\t< 200 MB\n",
                kib[kib.size() / 2] / 1024.0);
    return 0;
}
