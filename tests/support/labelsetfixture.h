// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A barcode set for the print paths of the windows and of the command line alike: format
// and goods files of both stations written into a data folder, with COM3 mapped to a
// pseudo-terminal printer. Formats 1 and 2 differ in size, barcodes, fixed texts and
// right-aligned fields; the goods mix formats, quantities, a format number no station has
// (7, as only a hand-edited file holds) and Hangul.

#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "support/goodsrows.h"

#include <QDir>
#include <QString>

namespace LabelSetFixture {

inline FormatSet srp770Formats()
{
    FormatSet s;
    s.BarComPort = 3;
    s.BarComSpeed = 1;
    LabelFormat &a = s.Fmt[1];
    a.LblWidth = 60;
    a.LblLeng = 40;
    a.Bar[1].BarSelt = 1;
    a.Bar[1].BarCode = 8; // EAN13
    a.Bar[1].BarXx = 5;
    a.Bar[1].BarYy = 10;
    a.Bar[1].BarDen = 25;
    a.Bar[1].BarHeight = 10;
    a.Bar[1].BarHmRead = 2;
    a.Txt[1].TxtSelt = 1;
    a.Txt[1].TxtFont = 5;
    a.Txt[1].TxtXx = 5;
    a.Txt[1].TxtYy = 25;
    a.Txt[1].TxtYSize = 1;
    a.Txt[1].TxtXSize = 1;
    a.Txt[2].TxtSelt = 1;
    a.Txt[2].TxtFont = 2;
    a.Txt[2].TxtXx = 30;
    a.Txt[2].TxtYy = 30;
    a.Txt[2].TxtRight = 8;
    a.Txt[2].TxtYSize = 2;
    a.Txt[2].TxtXSize = 1;
    LabelFormat &b = s.Fmt[2];
    b.LblWidth = 50;
    b.LblLeng = 30;
    b.LblDegree = 1;
    b.Bar[2].BarSelt = 1;
    b.Bar[2].BarCode = 1; // Code39
    b.Bar[2].BarXx = 4;
    b.Bar[2].BarYy = 4;
    b.Bar[2].BarHeight = 8;
    b.Txt[1].TxtSelt = 1;
    b.Txt[1].TxtFont = 6;
    b.Txt[1].TxtXx = 4;
    b.Txt[1].TxtYy = 16;
    b.Txt[1].TxtRvs = 3;
    b.Txt[3].TxtSelt = 1;
    b.Txt[3].TxtString = QStringLiteral("특가");
    b.Txt[3].TxtFont = 5; // Korean
    b.Txt[3].TxtXx = 35;
    b.Txt[3].TxtYy = 20;
    return s;
}

inline FormatSet al300Formats()
{
    FormatSet s;
    s.BarComPort = 3;
    s.BarComSpeed = 1;
    LabelFormat &a = s.Fmt[1];
    a.LblLeng = 280;
    a.LblWidth = 350;
    a.LblMode = 1;
    a.Bar[1].BarSelt = 1;
    a.Bar[1].BarYy = 110;
    a.Bar[1].BarXx = 80;
    a.Bar[1].BarCode = 7; // EAN-13
    a.Bar[1].BarDen = 1;
    a.Bar[1].BarHeight = 80;
    a.Bar[1].BarHmRead = 2;
    a.Txt[1].TxtSelt = 1;
    a.Txt[1].TxtYy = 200;
    a.Txt[1].TxtXx = 20;
    a.Txt[1].TxtFont = 2;
    a.Txt[1].TxtYSize = 1;
    a.Txt[1].TxtXSize = 2;
    a.Txt[2].TxtSelt = 1;
    a.Txt[2].TxtString = QStringLiteral("가격");
    a.Txt[2].TxtYy = 60;
    a.Txt[2].TxtXx = 140;
    a.Txt[2].TxtFont = 1;
    a.Txt[2].TxtYSize = 1;
    a.Txt[2].TxtXSize = 1;
    LabelFormat &b = s.Fmt[2];
    b.LblLeng = 400;
    b.LblWidth = 500;
    b.LblDegree = 1;
    b.Bar[2].BarSelt = 1;
    b.Bar[2].BarYy = 50;
    b.Bar[2].BarXx = 40;
    b.Bar[2].BarCode = 8; // Code128
    b.Bar[2].BarDen = 3;
    b.Bar[2].BarHeight = 100;
    b.Txt[3].TxtSelt = 1;
    b.Txt[3].TxtYy = 300;
    b.Txt[3].TxtXx = 30;
    b.Txt[3].TxtFont = 3;
    b.Txt[3].TxtRight = 6;
    b.Txt[3].TxtYSize = 2;
    b.Txt[3].TxtXSize = 2;
    return s;
}

// number, format, quantity, barcode 1, barcode 2, text 1, text 2, text 3
struct Row {
    int number;
    int format;
    int qty;
    const char *bar1;
    const char *bar2;
    const char *text1;
    const char *text2;
    const char *text3;
};

inline void fillGoods(GoodsTable &t)
{
    static const Row rows[] = {
        {1, 1, 2, "8801234567893", "ABC-1", "사과", "1,000", "500"},
        {2, 2, 1, "8809876543213", "PEAR 2", "배 특가", "900", "1234"},
        {3, 7, 3, "8801111111119", "NOFORMAT", "포도", "", ""},
        {5, 1, 0, "8802222222220", "ZERO", "수박", "15,000", "7"},
        {7, 2, 4, "8803333333331", "KIWI-7", "키위", "", "80"},
    };
    GoodsRows built;
    for (const Row &r : rows) {
        const int row = built.appendRow();
        built.setCell(row, GoodsTable::NumberColumn, GoodsTable::numberText(r.number));
        built.setCell(row, GoodsTable::NameColumn, QString::fromUtf8(r.text1));
        built.setCell(row, GoodsTable::FormatColumn, QString::number(r.format));
        built.setCell(row, GoodsTable::QtyColumn, r.qty ? QString::number(r.qty) : QString());
        built.setCell(row, GoodsTable::FirstBarcodeColumn, QString::fromUtf8(r.bar1));
        built.setCell(row, GoodsTable::FirstBarcodeColumn + 1, QString::fromUtf8(r.bar2));
        built.setCell(row, GoodsTable::FirstTextColumn, QString::fromUtf8(r.text1));
        built.setCell(row, GoodsTable::FirstTextColumn + 1, QString::fromUtf8(r.text2));
        built.setCell(row, GoodsTable::FirstTextColumn + 2, QString::fromUtf8(r.text3));
    }
    built.fill(t);
}

// Writes both stations' files of set 00 and ComPorts.Txt (COM3 = `device`) into `dir`.
inline bool write(const QString &dir, const QString &device)
{
    const QDir d(dir);
    GoodsTable g;
    fillGoods(g);
    return FormatFile::save(srp770Formats(), d.filePath(QStringLiteral("SRP770Frm[00].Txt")),
                            Printers::srp770()) &&
           FormatFile::save(al300Formats(), d.filePath(QStringLiteral("AL300Frm[00].Txt")),
                            Printers::al300()) &&
           g.save(d.filePath(QStringLiteral("SRP770Dat[00].Txt"))) &&
           g.save(d.filePath(QStringLiteral("AL300Dat[00].Txt"))) &&
           TextFile::writeLines(d.filePath(QStringLiteral("ComPorts.Txt")),
                                {QStringLiteral("COM3'") + device});
}

} // namespace LabelSetFixture
