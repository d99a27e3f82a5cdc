// SPDX-License-Identifier: GPL-3.0-or-later
// The memory `goods import` takes for a goods list it refuses for its size: a file far
// beyond the row limit is read only up to the limit, and a workbook claiming a huge range is
// refused before its reader takes memory for it, so that a mistaken 40 MB export does not
// cost the station more than a real goods list would. Measured as the command's peak
// resident set less that of the same command importing a two-line file.

#include "model/importtable.h"
#include "support/childpeak.h"
#include "support/goodsfilefixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 MaxGrowthKiB = 64 * 1024;

// `rows` lines of goods, each about 80 bytes of UTF-8.
bool writeCsv(const QString &path, int rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    for (int r = 1; r <= rows; ++r) {
        block += QStringLiteral("88%1,상품 이름 %2 사과 배,1500,비고 %2 조금 더 긴 설명\n")
                     .arg(r, 11, 10, QLatin1Char('0'))
                     .arg(r)
                     .toUtf8();
        if (block.size() > 1024 * 1024 || r == rows) {
            if (f.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

// A workbook whose first sheet holds `rows` rows of an inline text and a number, with its
// parts as a small program writes them, through Python's zipfile.
QString writeXlsx(const QString &path, int rows, bool sharedStrings)
{
    return GoodsFileFixture::python(
        QStringLiteral(
            "import sys, zipfile\n"
            "rows, shared = int(sys.argv[2]), sys.argv[3] == '1'\n"
            "ct = ('<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/content-types\"/>')\n"
            "wb = ('<?xml version=\"1.0\"?><workbook xmlns:r=\"http://schemas.openxmlformats.org/"
            "officeDocument/2006/relationships\"><sheets><sheet name=\"Goods\" sheetId=\"1\" "
            "r:id=\"rId1\"/></sheets></workbook>')\n"
            "rels = ('<?xml version=\"1.0\"?><Relationships><Relationship Id=\"rId1\" "
            "Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
            "Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>')\n"
            "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
            "    z.writestr('[Content_Types].xml', ct)\n"
            "    z.writestr('xl/workbook.xml', wb)\n"
            "    z.writestr('xl/_rels/workbook.xml.rels', rels)\n"
            "    if shared:\n"
            "        with z.open('xl/sharedStrings.xml', 'w') as s:\n"
            "            s.write(b'<sst>')\n"
            "            for r in range(rows):\n"
            "                s.write(b'<si><t>%d goods name, a longer text of the item</t></si>' % "
            "r)\n"
            "            s.write(b'</sst>')\n"
            "    with z.open('xl/worksheets/sheet1.xml', 'w') as s:\n"
            "        s.write(b'<worksheet><sheetData>')\n"
            "        for r in range(1, rows + 1):\n"
            "            cell = (b'<c r=\"A%d\" t=\"s\"><v>%d</v></c>' % (r, r - 1) if shared\n"
            "                    else b'<c r=\"A%d\" t=\"inlineStr\"><is><t>goods %d</t></is></c>'"
            " % (r, r))\n"
            "            s.write(b'<row r=\"%d\">%s<c r=\"B%d\"><v>%d</v></c></row>' % (r, cell, "
            "r, "
            "r))\n"
            "        s.write(b'</sheetData></worksheet>')\n"),
        {path, QString::number(rows), sharedStrings ? QStringLiteral("1") : QStringLiteral("0")});
}

} // namespace

class TestImportMemory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void refused_data();
    void refused();

private:
    ChildPeak::Run import(const QString &file);
    QTemporaryDir m_dir;
    qint64 m_baseKiB = 0;
};

ChildPeak::Run TestImportMemory::import(const QString &file)
{
    return ChildPeak::run(QStringLiteral(LABELSTATION_BIN),
                          {QStringLiteral("--data-dir"), m_dir.path(), QStringLiteral("goods"),
                           QStringLiteral("import"), file, QStringLiteral("--model"),
                           QStringLiteral("al300"), QStringLiteral("--set"), QStringLiteral("00"),
                           QStringLiteral("--dry-run")},
                          m_dir.filePath(QStringLiteral("output.txt")));
}

void TestImportMemory::initTestCase()
{
#if !defined(Q_OS_LINUX)
    QSKIP("measures a child process's peak memory with wait4");
#endif
    QVERIFY(m_dir.isValid());
    const QString small = m_dir.filePath(QStringLiteral("small.csv"));
    QVERIFY(GoodsFileFixture::writeBytes(
        small, QStringLiteral("바코드,상품명\n8801234567893,사과\n").toUtf8()));
    const ChildPeak::Run base = import(small);
    QVERIFY(base.started);
    QVERIFY2(base.status == 0, base.output.constData());
    m_baseKiB = base.peakKiB;
}

void TestImportMemory::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("says");
    const QString rows = QStringLiteral("more than %1 rows").arg(ImportTable::MaxRows);
    QTest::newRow("CSV, 40 MB in 500,000 rows") << "big.csv" << 500000 << rows;
    QTest::newRow(".xlsx, a 43 MB sheet of 400,000 rows") << "inline.xlsx" << 400000 << rows;
    QTest::newRow(".xlsx, 250,000 shared strings") << "shared.xlsx" << 250000 << rows;
    // Two cells, 65,536 rows apart: the reader of .xls would take the whole range at once.
    QTest::newRow(".xls claiming 65,536 rows by 256 columns")
        << "wide.xls" << 0 << QStringLiteral("more than %1 cells").arg(ImportTable::MaxCells);
}

void TestImportMemory::refused()
{
    QFETCH(QString, name);
    QFETCH(int, rows);
    QFETCH(QString, says);
    const QString path = m_dir.filePath(name);
    if (name.endsWith(QLatin1String(".csv"))) {
        QVERIFY(writeCsv(path, rows));
    } else if (name.endsWith(QLatin1String(".xls"))) {
        const QString err = GoodsFileFixture::python(
            QStringLiteral("import sys, xlwt\nwb = xlwt.Workbook(); ws = wb.add_sheet('Goods')\n"
                           "ws.write(0, 0, 'a'); ws.write(65535, 255, 'z'); wb.save(sys.argv[1])"),
            {path});
        QVERIFY2(err.isEmpty(), qPrintable(err));
    } else {
        const QString err = writeXlsx(path, rows, name.startsWith(QLatin1String("shared")));
        QVERIFY2(err.isEmpty(), qPrintable(err));
    }
    const ChildPeak::Run r = import(path);
    QFile::remove(path);
    QVERIFY(r.started);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.output.contains(says.toUtf8()), r.output.constData());
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer's shadow memory and quarantine hide the reader's own peak");
#endif
    const qint64 growth = r.peakKiB - m_baseKiB;
    qInfo("%s: peak %lld KiB, %lld KiB over a two-line import", qPrintable(name), r.peakKiB,
          growth);
    QVERIFY2(growth < MaxGrowthKiB, qPrintable(QStringLiteral("%1 KiB").arg(growth)));
}

QTEST_GUILESS_MAIN(TestImportMemory)
#include "test_importmemory.moc"
