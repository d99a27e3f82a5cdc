// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "common/textutil.h"
#include "model/leogoodswriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList gridRow(const QStringList &cells)
{
    QStringList row = cells;
    while (row.size() < 25)
        row << QString();
    return row;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QByteArray spaces(int fields)
{
    return QByteArray("' ").repeated(fields);
}

} // namespace

class TestLeoGoodsWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileByteForByte();
    void fieldText_data();
    void fieldText();
    void noColumnChosen();
    void blankGridWritesEmptyFile();
    void targetPath();
    void failureIsReported();
};

void TestLeoGoodsWriter::fileByteForByte()
{
    const QList<QStringList> rows = {
        gridRow({QStringLiteral("8801"), QStringLiteral("사과"), QString(),
                 QStringLiteral("O'Neil, Inc")}),
        gridRow({QString(), QStringLiteral("   "), QString()}), // blank: skipped
        gridRow({QStringLiteral(" 8803 "), QStringLiteral("배"), QStringLiteral("100ml"),
                 QStringLiteral("a;b|c{d}e\"f")}),
        gridRow({}), // blank at the end
    };
    // Barcode 1 and 2 both take column 1, barcode 3 is not chosen; text 1..3 take columns
    // 2..4 (column 3 is empty in the first row); text 4 names a column the grid lacks.
    const QList<int> columns = {1, 1, 0, 2, 3, 4, 26, 0, 0, 0, 0, 0, 0};

    QTemporaryDir dir;
    const QString path = LeoGoodsWriter::targetPath(dir.path(), QStringLiteral("07"));
    QVERIFY(LeoGoodsWriter::write(path, rows, columns));

    const QByteArray expected =
        "<000001>'1'?'1'0'8801'8801' '" + Cp949Codec::encode(QStringLiteral("사과")) +
        "''O`Neil? Inc" + spaces(17) + "'~\r\n" + "<000003>'3'?'1'0'8803'8803' '" +
        Cp949Codec::encode(QStringLiteral("배")) + "'100ml'a?b?c?d?e`f" + spaces(17) + "'~\r\n";
    QCOMPARE(readAll(path), expected);

    // Every line has the 29 fields of a goods data line, the last being "~".
    for (const QString &line : LeoGoodsWriter::buildLines(rows, columns)) {
        const QStringList fields = line.split(QLatin1Char('\''));
        QCOMPARE(fields.size(), 29);
        QCOMPARE(fields.last(), QStringLiteral("~"));
    }
}

void TestLeoGoodsWriter::fieldText_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QStringLiteral("ABC 123") << QStringLiteral("ABC 123");
    QTest::newRow("trimmed") << QStringLiteral("  가나  ") << QStringLiteral("가나");
    QTest::newRow("apostrophe") << QStringLiteral("O'Farm") << QStringLiteral("O`Farm");
    QTest::newRow("double quote") << QStringLiteral("12\"") << QStringLiteral("12`");
    QTest::newRow("delimiters") << QStringLiteral("1,2;3|4{5}6") << QStringLiteral("1?2?3?4?5?6");
    QTest::newRow("tilde and angle brackets stay")
        << QStringLiteral("<a>~") << QStringLiteral("<a>~");
    QTest::newRow("empty") << QString() << QString();
}

void TestLeoGoodsWriter::fieldText()
{
    QFETCH(QString, cell);
    QFETCH(QString, expected);
    QCOMPARE(LeoGoodsWriter::fieldText(cell), expected);
}

void TestLeoGoodsWriter::noColumnChosen()
{
    const QStringList lines =
        LeoGoodsWriter::buildLines({gridRow({QStringLiteral("x")})}, QList<int>(13, 0));
    QCOMPARE(lines, QStringList{QStringLiteral("<000001>'1'?'1'0") +
                                QString::fromLatin1(spaces(23)) + QStringLiteral("'~")});
    // A short choice list counts the missing choices as not chosen.
    QCOMPARE(LeoGoodsWriter::buildLines({gridRow({QStringLiteral("x")})}, {1}),
             QStringList{QStringLiteral("<000001>'1'?'1'0'x") + QString::fromLatin1(spaces(22)) +
                         QStringLiteral("'~")});
}

void TestLeoGoodsWriter::blankGridWritesEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("AL300Dat[00].Txt"));
    QVERIFY(LeoGoodsWriter::write(path, {gridRow({}), gridRow({QStringLiteral(" ")})},
                                  QList<int>(13, 1)));
    QVERIFY(QFile::exists(path));
    QCOMPARE(readAll(path), QByteArray());
}

void TestLeoGoodsWriter::targetPath()
{
    QCOMPARE(LeoGoodsWriter::targetPath(QStringLiteral("/x/Data"), QStringLiteral("21")),
             QStringLiteral("/x/Data/AL300Dat[21].Txt"));
}

void TestLeoGoodsWriter::failureIsReported()
{
    QTemporaryDir dir;
    // The folder of the target is a plain file: nothing can be created there.
    const QString blocker = dir.filePath(QStringLiteral("Data"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep");
    f.close();
    QString error;
    QVERIFY(!LeoGoodsWriter::write(LeoGoodsWriter::targetPath(blocker, QStringLiteral("00")),
                                   {gridRow({QStringLiteral("a")})}, QList<int>(13, 1), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(blocker), QByteArray("keep"));
}

QTEST_GUILESS_MAIN(TestLeoGoodsWriter)
#include "test_leogoodswriter.moc"
