// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/goodsimportfile.h"
#include "support/goodsfilefixture.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace GoodsFileFixture;

namespace {

// Rows joined by newlines, cells by "|".
QString render(const ImportTable &t)
{
    QStringList rows;
    for (const QStringList &r : t.rows)
        rows << r.join(QLatin1Char('|'));
    return rows.join(QLatin1Char('\n'));
}

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

} // namespace

class TestGoodsImportFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void text_data();
    void text();
    void workbook_data();
    void workbook();
    void hostile_data();
    void hostile();
    void libreOffice_data();
    void libreOffice();

private:
    QTemporaryDir m_dir;
};

void TestGoodsImportFile::text_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding"); // forced, "" detects
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("used");
    QTest::addColumn<char>("delimiter");
    const QString hangul = QStringLiteral("바코드,상품명\r\n8801234567893,사과\r\n");
    const QString hangulRows = QStringLiteral("바코드|상품명\n8801234567893|사과");
    QTest::newRow("utf-8") << hangul.toUtf8() << "" << hangulRows << "UTF-8" << ',';
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + hangul.toUtf8() << "" << hangulRows
                               << "UTF-8" << ',';
    QTest::newRow("utf-16le bom") << utf16(hangul, false) << "" << hangulRows << "UTF-16" << ',';
    QTest::newRow("utf-16be bom") << utf16(hangul, true) << "" << hangulRows << "UTF-16" << ',';
    // 사과 BB E7 B0 FA, 똠 8C 63 (beyond EUC-KR), 뷁 94 EE
    QTest::newRow("cp949") << QByteArray("\xBB\xE7\xB0\xFA;\x8C\x63\r\n\x94\xEE;1\r\n") << ""
                           << QStringLiteral("사과|똠\n뷁|1") << "CP949" << ';';
    QTest::newRow("cp949 forced on ascii") << QByteArray("a\tb\n1\t2\n") << "cp949"
                                           << "a|b\n1|2"
                                           << "CP949" << '\t';
    QTest::newRow("tab keeps empty fields") << QByteArray("a\t\tc\n1\t2\t3\n") << ""
                                            << "a||c\n1|2|3"
                                            << "UTF-8" << '\t';
    QTest::newRow("quotes doubled, line break inside")
        << QByteArray("\"a \"\"q\"\"\",\"x\r\ny\",z\n1,2,3\n") << ""
        << "a \"q\"|x\r\ny|z\n1|2|3"
        << "UTF-8" << ',';
    QTest::newRow("blank rows dropped, no last line end") << QByteArray("a,b\n\n,\n1,2") << ""
                                                          << "a|b\n1|2"
                                                          << "UTF-8" << ',';
    // The file is read in pieces of 64 KiB: a character across the first boundary.
    const QString x = QString(70000, QLatin1Char('x'));
    QTest::newRow("utf-8 character across a piece")
        << QByteArray(65534, 'x') + QStringLiteral("사,1\n2,3\n").toUtf8() << ""
        << x.left(65534) + QStringLiteral("사|1\n2|3") << "UTF-8" << ',';
    QTest::newRow("cp949 character across a piece")
        << QByteArray(65535, 'x') + QByteArray("\xBB\xE7,1\n2,3\n") << ""
        << x.left(65535) + QStringLiteral("사|1\n2|3") << "CP949" << ',';
    QTest::newRow("utf-16 surrogate pair across a piece")
        << utf16(x.left(32766) + QStringLiteral("😀,1\n2,3\n"), false) << ""
        << x.left(32766) + QStringLiteral("😀|1\n2|3") << "UTF-16" << ',';
}

void TestGoodsImportFile::text()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QFETCH(QString, rows);
    const QString path = m_dir.filePath(QStringLiteral("t.csv"));
    QVERIFY(writeBytes(path, bytes));
    GoodsImportFile::Options o;
    QVERIFY(TextEncoding::fromName(encoding, &o.encoding));
    ImportTable t;
    const ImportProblem p = GoodsImportFile::read(path, o, &t);
    QVERIFY2(p.ok(), qPrintable(p.english()));
    QCOMPARE(render(t), rows);
    QTEST(TextEncoding::name(t.encoding), "used");
    QTEST(t.delimiter, "delimiter");
}

void TestGoodsImportFile::workbook_data()
{
    QTest::addColumn<QString>("rows");  // Python rows for openpyxl
    QTest::addColumn<QString>("setup"); // Python run before saving
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QString>("expected");
    QTest::newRow("strings and numbers")
        << "[['바코드', '상품명', '가격'], [8801234567893, '사과', 1500], "
           "[8809876543213.0, '배', 900.5], ['0012345678905', '포도', None]]"
        << "" << 0
        << "바코드|상품명|가격\n8801234567893|사과|1500\n8809876543213|배|900.5\n"
           "0012345678905|포도";
    QTest::newRow("formats: zero-padded code, date, percent stays a number")
        << "[[123456789012, datetime.date(2024, 3, 5), 0.25, True]]"
        << "ws['A1'].number_format = '0000000000000'\n"
           "ws['B1'].number_format = 'yyyy-mm-dd'\nws['C1'].number_format = '0%'"
        << 0 << "0123456789012|2024-03-05|0.25|TRUE";
    QTest::newRow("second sheet, gaps kept")
        << "[['first']]"
        << "s = wb.create_sheet('Two')\ns['A1'] = 'x'\ns['C1'] = 'z'\ns['B4'] = 'y'" << 1
        << "x||z\n|y";
}

void TestGoodsImportFile::workbook()
{
    QFETCH(QString, rows);
    QFETCH(QString, setup);
    QFETCH(int, sheet);
    const QString path = m_dir.filePath(QStringLiteral("w.xlsx"));
    QFile::remove(path);
    const QString err = openpyxlWorkbook(path, rows, setup);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    GoodsImportFile::Options o;
    o.sheet = sheet;
    ImportTable t;
    const ImportProblem p = GoodsImportFile::read(path, o, &t);
    QVERIFY2(p.ok(), qPrintable(p.english()));
    QTEST(render(t), "expected");
    QCOMPARE(t.sheets.value(0), QStringLiteral("Goods"));
}

void TestGoodsImportFile::hostile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // the file, unless made by
    QTest::addColumn<QString>("python");   // a script writing sys.argv[1]
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("sheet");
    QTest::newRow("text named .xlsx")
        << "a.xlsx" << QByteArray("a,b\n") << "" << int(ImportProblem::NotWhatNamed) << 0;
    QTest::newRow("workbook named .csv")
        << "b.csv" << QByteArray() << "import openpyxl; openpyxl.Workbook().save(sys.argv[1])"
        << int(ImportProblem::NotWhatNamed) << 0;
    QTest::newRow("picture named .csv")
        << "c.csv" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << ""
        << int(ImportProblem::NotWhatNamed) << 0;
    QTest::newRow("zip that is no workbook")
        << "d.xlsx" << QByteArray()
        << "import zipfile\nwith zipfile.ZipFile(sys.argv[1], 'w') as z: z.writestr('a.txt', 'x')"
        << int(ImportProblem::NotWhatNamed) << 0;
    QTest::newRow("damaged zip") << "e.xlsx" << QByteArray("PK\x03\x04garbage", 11) << ""
                                 << int(ImportProblem::Corrupt) << 0;
    // An encrypted workbook is a compound file with the stream "EncryptedPackage".
    QTest::newRow("encrypted workbook")
        << "f.xlsx"
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0') +
               QByteArray("R\0o\0o\0t\0 \0E\0n\0t\0r\0y\0", 20) + QByteArray(108, '\0') +
               QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32) +
               QByteArray(96, '\0')
        << "" << int(ImportProblem::Encrypted) << 0;
    QTest::newRow("zip bomb: 60 MB sheet")
        << "g.xlsx" << QByteArray()
        << "import zipfile, openpyxl\nopenpyxl.Workbook().save(sys.argv[1])\n"
           "src = zipfile.ZipFile(sys.argv[1]); parts = {n: src.read(n) for n in src.namelist()}\n"
           "src.close()\nparts['xl/worksheets/sheet1.xml'] = b' ' * (60 * 1024 * 1024)\n"
           "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
           "    [z.writestr(n, d) for n, d in parts.items()]"
        << int(ImportProblem::UnpackTooLarge) << 0;
    QTest::newRow("a million fields in a line")
        << "h.csv" << QByteArray("a,b\n") + QByteArray(1000000, ',') + "\n"
        << "" << int(ImportProblem::TooManyColumns) << 0;
    QTest::newRow("too many rows")
        << "i.csv" << QByteArray("a,1\n").repeated(ImportTable::MaxRows + 1) << ""
        << int(ImportProblem::TooManyRows) << 0;
    // FreeXL would take 16 bytes for every cell of the range before reading one.
    QTest::newRow(".xls claiming 65,536 rows by 256 columns")
        << "m.xls" << QByteArray()
        << "import xlwt\nwb = xlwt.Workbook(); ws = wb.add_sheet('Goods')\n"
           "ws.write(0, 0, 'a'); ws.write(65535, 255, 'z'); wb.save(sys.argv[1])"
        << int(ImportProblem::TooManyCells) << 0;
    QTest::newRow("unclosed quote") << "j.csv" << QByteArray("a,b\n1,\"open\n2,3\n") << ""
                                    << int(ImportProblem::UnclosedQuote) << 0;
    QTest::newRow("no such sheet")
        << "k.xlsx" << QByteArray() << "import openpyxl; openpyxl.Workbook().save(sys.argv[1])"
        << int(ImportProblem::NoSheet) << 3;
    QTest::newRow("over 50 MB") << "l.csv" << QByteArray()
                                << "open(sys.argv[1], 'wb').truncate(50 * 1024 * 1024 + 1)"
                                << int(ImportProblem::TooLarge) << 0;
}

void TestGoodsImportFile::hostile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, python);
    QFETCH(int, sheet);
    const QString path = m_dir.filePath(name);
    if (python.isEmpty())
        QVERIFY(writeBytes(path, bytes));
    else {
        const QString err =
            GoodsFileFixture::python(QStringLiteral("import sys\n") + python, {path});
        QVERIFY2(err.isEmpty(), qPrintable(err));
    }
    GoodsImportFile::Options o;
    o.sheet = sheet;
    ImportTable t;
    QElapsedTimer clock;
    clock.start();
    const ImportProblem p = GoodsImportFile::read(path, o, &t);
    QTEST(int(p.code), "code");
    QVERIFY(!p.korean().isEmpty() && !p.english().isEmpty());
    QVERIFY(t.rows.isEmpty());
    QVERIFY2(clock.elapsed() < 10000, "no hang");
    QFile::remove(path);
}

void TestGoodsImportFile::libreOffice_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("xls") << "xls";
    QTest::newRow("xls kept in the tests") << "";
}

void TestGoodsImportFile::libreOffice()
{
    QFETCH(QString, format);
    // The same goods list as tests/data/goods-libreoffice.xls, which LibreOffice wrote.
    QString path = QStringLiteral(TEST_DATA_DIR "/goods-libreoffice.xls");
    if (!format.isEmpty()) {
        if (soffice().isEmpty())
            QSKIP("LibreOffice is not installed");
        const QString csv = m_dir.filePath(QStringLiteral("lo.csv"));
        QVERIFY(writeBytes(csv, QStringLiteral("바코드,상품명,가격,입고일\r\n"
                                               "8801234567893,사과,1500,2024-03-05\r\n"
                                               "8809876543213,\"배, 특가\",900.5,2024-12-31\r\n"
                                               "0012345678905,포도,,\r\n")
                                    .toUtf8()));
        path = libreOfficeConvert(csv, format, QStringLiteral("CSV:44,34,76"));
        QVERIFY(!path.isEmpty());
    }
    ImportTable t;
    const ImportProblem p = GoodsImportFile::read(path, {}, &t);
    QVERIFY2(p.ok(), qPrintable(p.english()));
    QCOMPARE(render(t), QStringLiteral("바코드|상품명|가격|입고일\n"
                                       "8801234567893|사과|1500|2024-03-05\n"
                                       "8809876543213|배, 특가|900.5|2024-12-31\n"
                                       "12345678905|포도"));
}

QTEST_GUILESS_MAIN(TestGoodsImportFile)
#include "test_goodsimportfile.moc"
