// SPDX-License-Identifier: GPL-3.0-or-later
#include "sampledata.h"

#include "common/textutil.h"
#include "model/barcodesetfile.h"
#include "model/fieldfilter.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"

#include <QDir>

namespace {

struct Goods {
    const char *code; // 9 digits after the country prefix
    const char *name;
    const char *price;
    qint16 qty;
    qint16 format;
};

// A neighbourhood shop's shelf: maker code (4 digits) and item code (5 digits). Prices are
// written without a thousands comma, as goods data never hold one.
const Goods Shelf[] = {
    {"104300011", "신라면 120g", "1050", 2, 1},
    {"115200102", "서울우유 1L", "2980", 1, 1},
    {"104300527", "새우깡 90g", "1500", 3, 1},
    {"107500034", "초코파이 12개입", "4800", 1, 1},
    {"104800218", "진라면 매운맛 120g", "950", 2, 1},
    {"181600002", "제주삼다수 2L", "1280", 6, 2},
    {"106300245", "바나나우유 240ml", "1700", 4, 2},
    {"104900312", "햇반 210g", "1650", 3, 1},
    {"104700150", "동원참치 150g", "2750", 2, 1},
    {"105600087", "칠성사이다 1.5L", "2400", 1, 1},
    {"106200449", "꼬깔콘 고소한맛 72g", "1600", 2, 1},
    {"104700903", "양반김 5봉", "3980", 1, 2},
    {"104900778", "비비고 왕교자 1.05kg", "9980", 1, 1},
    {"104800031", "오뚜기 토마토케첩 500g", "2680", 2, 1},
    {"103700508", "맥심 모카골드 100T", "15900", 1, 1},
};

BarcodeElement Barcode(qint32 y, qint32 x, qint16 code, qint16 den, qint32 height, qint16 edit)
{
    BarcodeElement b;
    b.BarSelt = 1;
    b.BarYy = y;
    b.BarXx = x;
    b.BarCode = code;
    b.BarDen = den;
    b.BarHeight = height;
    b.BarHmRead = 2; // digits below the bars
    b.BarEdit = edit;
    return b;
}

TextElement Text(qint32 y, qint32 x, qint16 font, qint16 size, const QString &fixed, qint16 right,
                 qint16 edit)
{
    TextElement t;
    t.TxtSelt = 1;
    t.TxtYy = y;
    t.TxtXx = x;
    t.TxtFont = font;
    t.TxtYSize = size;
    t.TxtXSize = size;
    t.TxtString = fixed;
    t.TxtRight = right;
    t.TxtEdit = edit;
    return t;
}

} // namespace

QString SampleData::ean13(const QString &nineDigits)
{
    const QString twelve = QStringLiteral("880") + nineDigits;
    return twelve + EanCheckDigit(twelve);
}

QList<GoodsItem> SampleData::goods()
{
    QList<GoodsItem> list;
    int number = 0;
    for (const Goods &g : Shelf) {
        GoodsItem item;
        item.reset();
        item.No = ++number;
        item.Name = QString::fromUtf8(g.name);
        item.Format = g.format;
        item.Qty = g.qty;
        item.Barcodes[1] = ean13(QString::fromLatin1(g.code));
        item.Texts[1] = item.Name;
        item.Texts[2] = QString::fromUtf8(g.price);
        // Stored as the item editor would have stored it.
        list << FilteredGoodsItem(item);
    }
    return list;
}

FormatSet SampleData::formats(const PrinterDriver &printer)
{
    // Lengths in millimetres times the printer's units; codes as the printer names them.
    const qint32 u = printer.unitsPerMm();
    qint16 ean13Code = 0;
    for (int i = 1; i < printer.symbologyNames().size(); ++i) {
        if (printer.printedSymbology(i) == LabelObject::Symbology::Ean13)
            ean13Code = qint16(i);
    }
    const qint16 small = qint16(printer.fontNames().indexOf(QStringLiteral("고딕16*16")));
    const qint16 large = qint16(printer.fontNames().indexOf(QStringLiteral("고딕24*24")));
    // Bar widths narrow 2, wide 5: the AL-300's ratio code 1, the SRP-770's BarDen 25. Input
    // classes (digits, Hangul) exist on the AL-300 only.
    const bool al = printer.keepsExtendedFormat();
    const qint16 density = al ? 1 : 25;
    const qint16 digits = al ? 1 : 0, hangul = al ? 3 : 0, none = 0;

    FormatSet set;
    set.BarComPort = 1;
    set.BarComSpeed = 1;

    // Format 1: price label 30 x 50 mm.
    LabelFormat &price = set.Fmt[1];
    price.LblLeng = 30 * u;
    price.LblWidth = 50 * u;
    price.Bar[1] = Barcode(11 * u, 6 * u, ean13Code, density, 9 * u, digits);
    price.Txt[1] = Text(2 * u, 3 * u, small, 1, QString(), 0, hangul);
    price.Txt[2] = Text(24 * u, 20 * u, large, 1, QString(), 8, digits);
    price.Txt[3] = Text(25 * u, 44 * u, small, 1, QStringLiteral("원"), 0, none);
    price.Txt[4] = Text(25 * u, 3 * u, small, 1, QStringLiteral("판매가"), 0, none);

    // Format 2: shelf label 20 x 40 mm, name and barcode.
    LabelFormat &shelf = set.Fmt[2];
    shelf.LblLeng = 20 * u;
    shelf.LblWidth = 40 * u;
    shelf.Bar[1] = Barcode(7 * u, 4 * u, ean13Code, density, 8 * u, digits);
    shelf.Txt[1] = Text(1 * u, 2 * u, small, 1, QString(), 0, hangul);
    return set;
}

bool SampleData::write(const QString &dataDir, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QDir dir(dataDir);
    if (!dir.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot create %1").arg(dataDir));

    const QString setText = QStringLiteral("00");
    // Numbered 1..n in list order, as the item editor's inserts number them.
    QList<QStringList> rows;
    for (const GoodsItem &item : goods())
        rows << GoodsTable::itemRowTexts(item, rows.size() + 1);
    GoodsTable table;
    table.setRowTexts(rows);
    for (const PrinterDriver *printer : Printers::all()) {
        QString why;
        if (!FormatFile::save(formats(*printer), dir.filePath(printer->formatFileName(setText)),
                              *printer, &why))
            return fail(why);
        if (!table.save(dir.filePath(printer->goodsFileName(setText)), &why))
            return fail(why);
    }

    BarcodeSetFile::Contents sets;
    sets.setNo = 0;
    sets.names[0] = QStringLiteral("본점 매장 진열상품");
    sets.names[1] = QStringLiteral("2층 생활용품");
    sets.names[2] = QStringLiteral("추석 선물세트");
    QString why;
    if (!BarcodeSetFile::write(dir.filePath(BarcodeSetFile::fileName()), sets, &why))
        return fail(why);
    return true;
}
