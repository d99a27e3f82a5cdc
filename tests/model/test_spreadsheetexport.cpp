// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/textfile.h"
#include "model/columnletters.h"
#include "model/spreadsheetexport.h"
#include "support/xlsxreader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestSpreadsheetExport : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QJsonObject readBack(const QString &path)
    {
        QString error;
        const QJsonObject o = ReadXlsx(path, &error);
        if (o.isEmpty())
            qWarning("openpyxl could not read %s: %s", qPrintable(path), qPrintable(error));
        return o;
    }
    static QJsonObject cell(const QJsonObject &book, const QString &ref)
    {
        return book.value(QStringLiteral("cells")).toObject().value(ref).toObject();
    }

    static SpreadsheetTable goodsTable()
    {
        SpreadsheetTable t;
        t.header = {QStringLiteral("번호"), QStringLiteral("상품명"), QStringLiteral("비고"),
                    QStringLiteral("수량")};
        t.hidden = {false, false, true, false};
        t.align = {SpreadsheetTable::Align::Right, SpreadsheetTable::Align::Left,
                   SpreadsheetTable::Align::Centre, SpreadsheetTable::Align::Centre};
        t.rows = {{QStringLiteral("1"), QStringLiteral(" 사과 주스 "), QStringLiteral("숨김"),
                   QStringLiteral("1,234")},
                  {QStringLiteral("2"), QStringLiteral("똠양꿍 라면"), QStringLiteral("x"),
                   QStringLiteral("12-3")}};
        return t;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void columnLetters_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("letters");
        QTest::newRow("first") << 1 << "A";
        QTest::newRow("26") << 26 << "Z";
        QTest::newRow("27") << 27 << "AA";
        QTest::newRow("30") << 30 << "AD";
        QTest::newRow("52") << 52 << "AZ";
        QTest::newRow("53") << 53 << "BA";
        QTest::newRow("last two-letter") << 702 << "ZZ";
        QTest::newRow("zero") << 0 << "";
        QTest::newRow("beyond ZZ") << 703 << "";
    }
    void columnLetters()
    {
        QFETCH(int, column);
        QFETCH(QString, letters);
        QCOMPARE(ColumnLetters(column), letters);
    }

    void gridWorkbookLooksLikeTheGrid()
    {
        const QString path = m_dir.filePath(QStringLiteral("grid.xlsx"));
        SpreadsheetExport::Failure error;
        QVERIFY2(SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"), goodsTable(), false,
                                              &error),
                 qPrintable(error.english));
        const QJsonObject book = readBack(path);
        QCOMPARE(book.value(QStringLiteral("sheets")).toArray().first().toString(),
                 QStringLiteral("Sheet1"));
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 3);
        QCOMPARE(book.value(QStringLiteral("cols")).toInt(), 4);
        QCOMPARE(cell(book, "A1").value("v").toString(), QStringLiteral("번호"));
        QCOMPARE(cell(book, "B2").value("v").toString(), QStringLiteral("사과 주스"));
        QCOMPARE(cell(book, "B3").value("v").toString(), QStringLiteral("똠양꿍 라면"));
        // Text export: numbers stay texts.
        QCOMPARE(cell(book, "A2").value("t").toString(), QStringLiteral("s"));
        QCOMPARE(cell(book, "D2").value("v").toString(), QStringLiteral("1,234"));
        // The hidden column keeps its place, empty, caption included.
        QVERIFY(cell(book, "C1").value("v").isNull());
        QVERIFY(cell(book, "C2").value("v").isNull());
        // Header fill and alignment.
        for (const char *ref : {"A1", "B1", "C1", "D1"}) {
            QCOMPARE(cell(book, ref).value("fill").toString(), QStringLiteral("FFB3CCF4"));
            QCOMPARE(cell(book, ref).value("h").toString(), QStringLiteral("center"));
            QCOMPARE(cell(book, ref).value("vert").toString(), QStringLiteral("center"));
        }
        QVERIFY(cell(book, "A2").value("fill").isNull());
        // Each data column aligned as its grid column, centred vertically.
        QCOMPARE(cell(book, "A3").value("h").toString(), QStringLiteral("right"));
        QCOMPARE(cell(book, "B3").value("h").toString(), QStringLiteral("left"));
        QCOMPARE(cell(book, "D2").value("h").toString(), QStringLiteral("center"));
        QCOMPARE(cell(book, "B2").value("vert").toString(), QStringLiteral("center"));
        // Thin lines on every edge and inside line of A1:D3.
        for (const char *ref : {"A1", "D1", "B2", "C2", "A3", "D3"})
            QCOMPARE(cell(book, ref).value("b").toString(), QStringLiteral("thin thin thin thin"));
        // Column widths follow the contents: the name column is wider than the number one.
        const QJsonObject widths = book.value(QStringLiteral("widths")).toObject();
        QVERIFY(widths.value("B").toDouble() > widths.value("A").toDouble());
        QVERIFY(widths.value("B").toDouble() >= 11.0); // "똠양꿍 라면" is 11 bytes
    }

    void numberConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("number");
        QTest::newRow("grouped") << "1,234" << true << "n" << 1234.0;
        QTest::newRow("negative") << "-5.5" << true << "n" << -5.5;
        QTest::newRow("minus inside") << "12-3" << true << "s" << 0.0;
        QTest::newRow("two points") << "1.2.3" << true << "s" << 0.0;
        QTest::newRow("letters") << "A12" << true << "s" << 0.0;
        QTest::newRow("conversion off") << "1,234" << false << "s" << 0.0;
    }
    void numberConversion()
    {
        QFETCH(QString, text);
        QFETCH(bool, convert);
        QFETCH(QString, type);
        QFETCH(double, number);
        SpreadsheetTable t;
        t.header = {QStringLiteral("1234")};
        t.rows = {{text}};
        const QString path = m_dir.filePath(QStringLiteral("numbers.xlsx"));
        QVERIFY(SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"), t, convert));
        const QJsonObject book = readBack(path);
        QCOMPARE(cell(book, "A2").value("t").toString(), type);
        if (type == QLatin1String("n"))
            QCOMPARE(cell(book, "A2").value("v").toDouble(), number);
        else
            QCOMPARE(cell(book, "A2").value("v").toString(), text);
        QCOMPARE(cell(book, "A1").value("t").toString(), QStringLiteral("s")); // captions
    }

    void thirtyColumnsReachAD()
    {
        SpreadsheetTable t;
        QStringList row;
        for (int c = 1; c <= 30; ++c) {
            t.header << QStringLiteral("C%1").arg(c);
            row << QStringLiteral("v%1").arg(c);
        }
        t.rows = {row};
        const QString path = m_dir.filePath(QStringLiteral("wide.xlsx"));
        QVERIFY(SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"), t, false));
        const QJsonObject book = readBack(path);
        QCOMPARE(book.value(QStringLiteral("cols")).toInt(), 30);
        QCOMPARE(cell(book, "AD1").value("v").toString(), QStringLiteral("C30"));
        QCOMPARE(cell(book, "AA2").value("v").toString(), QStringLiteral("v27"));
        QCOMPARE(cell(book, "AD2").value("b").toString(), QStringLiteral("thin thin thin thin"));
    }

    void emptyGridWritesNothing()
    {
        SpreadsheetTable t;
        t.header = {QStringLiteral("번호"), QStringLiteral("상품명")};
        const QString path = m_dir.filePath(QStringLiteral("empty.xlsx"));
        QVERIFY(SpreadsheetExport::writeGrid(path, QStringLiteral("Sheet1"), t, false));
        const QJsonObject book = readBack(path);
        QVERIFY(!book.isEmpty());
        const QJsonValue a1 = cell(book, "A1").value("v");
        QVERIFY(a1.isNull() || a1.isUndefined());
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 1);
        QCOMPARE(book.value(QStringLiteral("cols")).toInt(), 1);
    }

    void textSource()
    {
        const QString path = m_dir.filePath(QStringLiteral("text.xlsx"));
        QVERIFY(SpreadsheetExport::writeText(
            path, QStringLiteral("Sheet1"),
            QStringLiteral("코드\t이름\t값\r1\t사과\t10\r2\tx\ny\t20\r")));
        const QJsonObject book = readBack(path);
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 3);
        QCOMPARE(book.value(QStringLiteral("cols")).toInt(), 3);
        QCOMPARE(cell(book, "B2").value("v").toString(), QStringLiteral("사과"));
        QCOMPARE(cell(book, "B3").value("v").toString(), QStringLiteral("x\ny"));
        QCOMPARE(cell(book, "C3").value("v").toString(), QStringLiteral("20"));
        QVERIFY(cell(book, "A1").value("fill").isNull()); // no formatting
    }

    void recordsetSource()
    {
        const QString path = m_dir.filePath(QStringLiteral("records.xlsx"));
        QVERIFY(SpreadsheetExport::writeRecordset(path, QStringLiteral("Sheet1"),
                                                  {QStringLiteral("No"), QStringLiteral("Name")},
                                                  QStringLiteral("1\t사과\r2\t배\r")));
        const QJsonObject book = readBack(path);
        QCOMPARE(book.value(QStringLiteral("rows")).toInt(), 3);
        QCOMPARE(cell(book, "B1").value("v").toString(), QStringLiteral("Name"));
        QCOMPARE(cell(book, "A2").value("v").toString(), QStringLiteral("1"));
        QCOMPARE(cell(book, "B3").value("v").toString(), QStringLiteral("배"));
    }

    void registrationFileAndLog()
    {
        const QString backup = m_dir.filePath(QStringLiteral("backup/QelBackup"));
        qputenv("LABELSTATION_BACKUP_DIR", backup.toUtf8());
        QString path;
        SpreadsheetExport::Failure error;
        QVERIFY2(SpreadsheetExport::writeRegistrationFile(
                     QStringLiteral("AL300바코드등록현황"), goodsTable(), &path, &error,
                     QDateTime(QDate(2026, 3, 7), QTime(9, 5, 1))),
                 qPrintable(error.english));
        QCOMPARE(path, backup + QStringLiteral("/AL300바코드등록현황.xlsx"));
        QVERIFY(QFileInfo::exists(path));
        const QJsonObject book = readBack(path);
        QCOMPARE(cell(book, "B3").value("v").toString(), QStringLiteral("똠양꿍 라면"));
        bool ok = false;
        const QStringList log =
            TextFile::readLines(backup + QStringLiteral("/AL300바코드등록현황.log"), &ok);
        QVERIFY(ok);
        const QString all = log.join(QLatin1Char('\n'));
        QVERIFY2(all.contains(QStringLiteral("2026-03-07 09:05:01")), qPrintable(all));
        QVERIFY(all.contains(QStringLiteral("AL300바코드등록현황.xlsx")));
        QVERIFY(all.contains(QStringLiteral("자료 2행")));
        QVERIFY(all.contains(QStringLiteral("열: 4")));
        // No temporary file is left behind.
        QCOMPARE(QDir(backup).entryList(QDir::Files | QDir::Hidden).size(), 2);
        qunsetenv("LABELSTATION_BACKUP_DIR");
    }

    void failedWriteKeepsEarlierFileAndLogsWhy()
    {
        const QString backup = m_dir.filePath(QStringLiteral("blocked"));
        qputenv("LABELSTATION_BACKUP_DIR", backup.toUtf8());
        // A folder where the workbook should go: the write cannot replace it.
        QVERIFY(QDir().mkpath(backup + QStringLiteral("/SRP770바코드등록현황.xlsx/keep")));
        QString path;
        SpreadsheetExport::Failure error;
        QVERIFY(!SpreadsheetExport::writeRegistrationFile(QStringLiteral("SRP770바코드등록현황"), goodsTable(),
                                                          &path, &error));
        // The windows' words, and the command line's without a Korean word.
        QVERIFY(error.korean.contains(QStringLiteral("파일을 쓸 수 없습니다")));
        QVERIFY(!error.english.isEmpty());
        QVERIFY2(!QString(error.english).remove(path).contains(QRegularExpression("[가-힣]")),
                 qPrintable(error.english));
        QVERIFY(QFileInfo::exists(path + QStringLiteral("/keep")));
        const QStringList log =
            TextFile::readLines(backup + QStringLiteral("/SRP770바코드등록현황.log"));
        QVERIFY(log.join(QLatin1Char('\n')).contains(QStringLiteral("저장하지 못했습니다")));
        QCOMPARE(QDir(backup).entryList(QDir::Files | QDir::Hidden).size(), 1); // the log
        qunsetenv("LABELSTATION_BACKUP_DIR");
    }
};

QTEST_MAIN(TestSpreadsheetExport)
#include "test_spreadsheetexport.moc"
