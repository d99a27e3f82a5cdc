// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp949codec.h"
#include "model/formatfile.h"
#include "printers/printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(FormatSet)
Q_DECLARE_METATYPE(PrinterModel)

namespace {

// A set in which every field the model keeps holds a value of its own (a running counter),
// with Hangul fixed texts, including texts 11 to 20.
FormatSet distinctSet(PrinterModel model)
{
    const bool al = model == PrinterModel::AL300;
    int n = 1;
    FormatSet s;
    s.BarComPort = 3;
    s.BarComSpeed = 6;
    for (int f = 1; f <= 5; ++f) {
        LabelFormat &fmt = s.Fmt[f];
        fmt.LblLeng = 1000 * f + n++;
        fmt.LblWidth = n++;
        fmt.LblDegree = f % 2;
        if (al) {
            fmt.LblMode = qint16(f % 3);
            fmt.LblSensor = qint16((f + 1) % 3);
            fmt.LblCut = qint16(f % 2);
            fmt.LblOver = qint16((f + 1) % 2);
        }
        for (int b = 1; b <= 3; ++b) {
            BarcodeElement &bar = fmt.Bar[b];
            bar.BarSelt = qint16(b % 2);
            bar.BarYy = 70000 + n++; // beyond 16 bits on purpose
            bar.BarXx = n++;
            bar.BarCode = qint16(b + f);
            bar.BarDen = qint16(10 * b + f);
            bar.BarHeight = n++;
            bar.BarHmRead = qint16((b + f) % 3);
            if (al) {
                bar.BarRight = qint16(n++);
                bar.BarString = QStringLiteral("고정%1-%2").arg(f).arg(b);
                bar.BarEdit = qint16((b + f) % 4);
            }
        }
        for (int t = 1; t <= 20; ++t) {
            TextElement &txt = fmt.Txt[t];
            txt.TxtSelt = qint16(t % 2);
            txt.TxtYy = n++;
            txt.TxtXx = n++;
            txt.TxtFont = qint16(t % 7);
            txt.TxtYSize = qint16(t % 5);
            txt.TxtXSize = qint16((t + 1) % 5);
            txt.TxtRvs = qint16(t % 4);
            txt.TxtRight = qint16(n++ % 100);
            txt.TxtString = QStringLiteral("문자 %1.%2 똠뷁").arg(f).arg(t);
            if (al)
                txt.TxtEdit = qint16(t % 4);
        }
    }
    return s;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class TestFormatFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void lineLayout_data();
    void lineLayout();
    void reading_data();
    void reading();
    void fixedTextStaysOneField();
    void missingFile_data();
    void missingFile();
    void saveFailureKeepsOldFile();
};

void TestFormatFile::roundTrip_data()
{
    QTest::addColumn<PrinterModel>("model");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("SRP-770") << PrinterModel::SRP770 << 1022;
    QTest::newRow("AL-300") << PrinterModel::AL300 << 1187;
}

void TestFormatFile::roundTrip()
{
    QFETCH(PrinterModel, model);
    const PrinterDriver &printer = Printers::of(model);
    QFETCH(int, lineCount);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("first.Txt"));
    const QString second = dir.filePath(QStringLiteral("second.Txt"));

    const FormatSet original = distinctSet(model);
    QString error;
    QVERIFY2(FormatFile::save(original, first, printer, &error), qPrintable(error));
    const QByteArray bytes = readBytes(first);
    QCOMPARE(bytes.count("\r\n"), lineCount);
    QCOMPARE(bytes.count('\n'), lineCount);
    QVERIFY(bytes.endsWith("\r\n"));
    // Hangul stored in CP949: "문자 1.1 똠뷁" on the first text of format 1.
    QVERIFY(bytes.contains("<TxtString(1:01)>'" + Cp949Codec::encode(QStringLiteral("문자 1.1 ")) +
                           QByteArray("\x8C\x63\x94\xEE") + "\r\n"));

    FormatSet loaded;
    loaded.BarComPort = 9; // must be reset by the load
    QVERIFY(FormatFile::load(loaded, first, printer));
    QVERIFY(loaded == original);
    QVERIFY(FormatFile::save(loaded, second, printer, &error));
    QCOMPARE(readBytes(second), bytes);
}

void TestFormatFile::lineLayout_data()
{
    QTest::addColumn<PrinterModel>("model");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    const auto srp = PrinterModel::SRP770;
    const auto al = PrinterModel::AL300;
    // Default set: every number 0, every text empty.
    QTest::newRow("srp port") << srp << 0 << "<BarComPort>'0";
    QTest::newRow("srp speed") << srp << 1 << "<BarComSpeed>'0";
    QTest::newRow("srp length") << srp << 2 << "<LblLeng(1)>'0";
    QTest::newRow("srp degree") << srp << 4 << "<LblDegree(1)>'0";
    QTest::newRow("srp first barcode") << srp << 5 << "<BarSelt(1:01)>'0";
    QTest::newRow("srp hm read") << srp << 11 << "<BarHmRead(1:01)>'0";
    QTest::newRow("srp barcode 3") << srp << 19 << "<BarSelt(1:03)>'0";
    QTest::newRow("srp first text") << srp << 26 << "<TxtSelt(1:01)>'0";
    QTest::newRow("srp text string") << srp << 34 << "<TxtString(1:01)>'";
    QTest::newRow("srp text 12") << srp << 26 + 11 * 9 << "<TxtSelt(1:12)>'0";
    QTest::newRow("srp format 2") << srp << 206 << "<LblLeng(2)>'0";
    QTest::newRow("srp last") << srp << 1021 << "<TxtString(5:20)>'";
    QTest::newRow("al degree") << al << 4 << "<LblDegree(1)>'0";
    QTest::newRow("al mode") << al << 5 << "<LblMode(1)>'0";
    QTest::newRow("al sensor") << al << 6 << "<LblSensor(1)>'0";
    QTest::newRow("al cut") << al << 7 << "<LblCut(1)>'0";
    QTest::newRow("al over") << al << 8 << "<LblOver(1)>'0";
    QTest::newRow("al first barcode") << al << 9 << "<BarSelt(1:01)>'0";
    QTest::newRow("al bar right") << al << 16 << "<BarRight(1:01)>'0";
    QTest::newRow("al bar string") << al << 17 << "<BarString(1:01)>'";
    QTest::newRow("al bar edit") << al << 18 << "<BarEdit(1:01)>'0";
    QTest::newRow("al first text") << al << 39 << "<TxtSelt(1:01)>'0";
    QTest::newRow("al text string") << al << 47 << "<TxtString(1:01)>'";
    QTest::newRow("al text edit") << al << 48 << "<TxtEdit(1:01)>'0";
    QTest::newRow("al format 2") << al << 239 << "<LblLeng(2)>'0";
    QTest::newRow("al last") << al << 1186 << "<TxtEdit(5:20)>'0";
}

void TestFormatFile::lineLayout()
{
    QFETCH(PrinterModel, model);
    const PrinterDriver &printer = Printers::of(model);
    QFETCH(int, line);
    QFETCH(QString, expected);
    const QStringList lines = FormatFile::toLines(FormatSet(), printer);
    QVERIFY(line < lines.size());
    QCOMPARE(lines.at(line), expected);
}

void TestFormatFile::reading_data()
{
    QTest::addColumn<PrinterModel>("model");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<FormatSet>("expected");
    const auto srp = PrinterModel::SRP770;
    const auto al = PrinterModel::AL300;
    const FormatSet none;
    FormatSet s;

    s = none;
    s.Fmt[3].LblLeng = 50;
    QTest::newRow("only length of format 3") << srp << QStringList{"<LblLeng(3)>'50"} << s;

    QTest::newRow("three fields ignored") << srp << QStringList{"<TxtString(1:01)>'A'B"} << none;
    QTest::newRow("no apostrophe ignored") << srp << QStringList{"<LblLeng(1)>50"} << none;

    s = none;
    s.Fmt[1].Txt[1].TxtString = QStringLiteral("가나 다");
    QTest::newRow("fixed text trimmed") << srp << QStringList{"<TxtString(1:01)>'  가나 다  "} << s;

    s = none;
    s.Fmt[2].LblWidth = 12;
    s.Fmt[2].Txt[4].TxtRight = 14;
    s.Fmt[4].LblWidth = 7;
    QTest::newRow("numbers round half to even")
        << srp << QStringList{"<LblWidth(2)>'12.5", "<TxtRight(2:04)>'13.5", "<LblWidth(4)>'7.4"}
        << s;

    QTest::newRow("letters read as 0")
        << srp << QStringList{"<LblWidth(2)>'8", "<LblWidth(2)>'abc"} << none;

    s = none;
    s.Fmt[2].Bar[3].BarDen = 10;
    QTest::newRow("ratio 10 of barcode 3") << al << QStringList{"<BarDen(2:03)>'10"} << s;

    s = none;
    s.Fmt[4].LblCut = 1;
    QTest::newRow("cut of format 4") << al << QStringList{"<LblCut(4)>'1"} << s;
    QTest::newRow("cut ignored by SRP-770") << srp << QStringList{"<LblCut(4)>'1"} << none;
    QTest::newRow("AL-300 element tags ignored by SRP-770")
        << srp
        << QStringList{"<BarString(1:01)>'123", "<BarEdit(1:01)>'2", "<TxtEdit(1:01)>'3",
                       "<BarRight(1:01)>'5", "<LblMode(1)>'1"}
        << none;

    s = none;
    s.Fmt[1].Bar[2].BarString = QStringLiteral("880123");
    s.Fmt[1].Bar[2].BarEdit = 2;
    s.Fmt[5].Txt[20].TxtEdit = 3;
    s.Fmt[3].LblSensor = 2;
    QTest::newRow("AL-300 tags") << al
                                 << QStringList{"<BarString(1:02)>'880123", "<BarEdit(1:02)>'2",
                                                "<TxtEdit(5:20)>'3", "<LblSensor(3)>'2"}
                                 << s;

    QTest::newRow("indices beyond the model skipped")
        << al
        << QStringList{"<LblLeng(9)>'50", "<BarYy(1:04)>'5", "<TxtYy(1:21)>'5", "<BarEdit(2:07)>'1",
                       "<TxtSelt(6:01)>'1"}
        << none;

    s = none;
    s.Fmt[0].LblLeng = 5;
    s.Fmt[2].Bar[0].BarYy = 6;
    s.Fmt[0].LblWidth = 9;
    QTest::newRow("index 0 and non-digits land in slot 0")
        << srp << QStringList{"<LblLeng(0)>'5", "<BarYy(2:00)>'6", "<LblWidth(x)>'9"} << s;

    s = none;
    s.Fmt[1].Bar[1].BarCode = 3;
    s.Fmt[1].Bar[1].BarYy = 40000;
    s.Fmt[1].LblLeng = 7;
    QTest::newRow("numbers beyond the width skipped")
        << srp
        << QStringList{"<BarCode(1:01)>'3", "<BarCode(1:01)>'40000", "<BarYy(1:01)>'40000",
                       "<LblLeng(1)>'7", "<LblLeng(1)>'3000000000"}
        << s;

    s = none;
    s.BarComPort = 2;
    s.BarComSpeed = 6;
    QTest::newRow("blank lines, spaces, unknown tags") << srp << QStringList{"",
                                                                             "   ",
                                                                             " <BarComPort> ' 2 ",
                                                                             "<BarComSpeed>'6",
                                                                             "<Unknown(1)>'5",
                                                                             "BarComPort'4"}
                                                       << s;
}

void TestFormatFile::reading()
{
    QFETCH(PrinterModel, model);
    const PrinterDriver &printer = Printers::of(model);
    QFETCH(QStringList, lines);
    QFETCH(FormatSet, expected);
    FormatSet set = distinctSet(model); // fromLines must reset first
    FormatFile::fromLines(set, lines, printer);
    QVERIFY(set == expected);
}

void TestFormatFile::fixedTextStaysOneField()
{
    // A fixed text holding quotes or a line break would otherwise not read back.
    FormatSet s;
    s.Fmt[1].Txt[2].TxtString = QStringLiteral("A'B\"C\r\nD");
    s.Fmt[2].Bar[1].BarString = QStringLiteral("1'2");
    const QStringList lines = FormatFile::toLines(s, Printers::al300());
    QVERIFY(lines.contains(QStringLiteral("<TxtString(1:02)>'A`B`C  D")));
    FormatSet back;
    FormatFile::fromLines(back, lines, Printers::al300());
    QCOMPARE(back.Fmt[1].Txt[2].TxtString, QStringLiteral("A`B`C  D"));
    QCOMPARE(back.Fmt[2].Bar[1].BarString, QStringLiteral("1`2"));
}

void TestFormatFile::missingFile_data()
{
    QTest::addColumn<PrinterModel>("model");
    QTest::newRow("SRP-770") << PrinterModel::SRP770;
    QTest::newRow("AL-300") << PrinterModel::AL300;
}

void TestFormatFile::missingFile()
{
    QFETCH(PrinterModel, model);
    const PrinterDriver &printer = Printers::of(model);
    QTemporaryDir dir;
    FormatSet set = distinctSet(model);
    QVERIFY(FormatFile::load(set, dir.filePath(QStringLiteral("none.Txt")), printer));
    QVERIFY(set == FormatSet());
}

void TestFormatFile::saveFailureKeepsOldFile()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!FormatFile::save(FormatSet(), dir.filePath(QStringLiteral("no/such/dir/f.Txt")),
                              Printers::srp770(), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestFormatFile)
#include "test_formatfile.moc"
