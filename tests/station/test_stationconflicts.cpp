// SPDX-License-Identifier: GPL-3.0-or-later
// A station and a second writer on one data folder: the command line's LEO-60D+ conversion,
// run as its own process, writes the goods file of the set the AL-300 station shows. The
// conversion stops while the station is open unless forced; a forced one is offered to the
// station at once; a change found only when the station saves (a shared folder without
// notices) is asked about, and each answer leaves exactly the files it promises.

#include "cli/clirunner.h"
#include "support/controls.h"
#include "support/stationfixture.h"

#include "station/al300frm.h"
#include "support/addrow.h"
#include "widgets/dialogs.h"
#include "common/filechangewatch.h"
#include "common/programstate.h"
#include "common/safesave.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "support/labelsetfixture.h"

#include "support/goodsrows.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// What a station shows of the goods file `bytes`, as it would write it back.
QByteArray shownAs(const QByteArray &bytes)
{
    GoodsTable t;
    t.fromFileLines(TextFile::splitLines(bytes));
    return TextFile::toBytes(t.toFileLines());
}

QByteArray goodsOf(AL300Frm &station)
{
    return TextFile::toBytes(station.goods()->toFileLines());
}

QByteArray formatOf(AL300Frm &station)
{
    return TextFile::toBytes(FormatFile::toLines(station.formatSet(), Printers::al300()));
}

// The boxes shown since the last clear whose title is `title`.
QStringList boxes(const QString &title)
{
    return Dialogs::shown().filter(QRegularExpression("^" + title + "\\|"));
}

// Lets the station's watch deliver what is pending.
void settle()
{
    QTest::qWait(FileChangeWatch::SettleMs + 150);
}

} // namespace

class TestStationConflicts : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString goodsFile() const { return path("AL300Dat[00].Txt"); }
    QString copyFile() const { return path("AL300Dat[00] 사본.Txt"); }

    // The conversion of the sample file into set 00, by the command line.
    CliResult convert(bool force) { return write(QStringLiteral("convert-pre"), force); }

    // A command-line writer of set 00's AL-300 goods file: the LEO-60D+ conversion, or a
    // goods import that replaces the list.
    CliResult write(const QString &writer, bool force)
    {
        QStringList args{"--data-dir", m_dir->path()};
        if (writer == QLatin1String("convert-pre")) {
            args << "convert-pre" << TEST_DATA_DIR "/sample.pre"
                 << "--set"
                 << "00"
                 << "--barcodes"
                 << "1"
                 << "--texts"
                 << "2"
                 << "--yes";
        } else {
            QFile csv(path("shop.csv"));
            if (!csv.open(QIODevice::WriteOnly) ||
                csv.write("name,barcode\r\n사과,8801234567893\r\n배,8809876543213\r\n") < 0)
                qFatal("cannot write shop.csv");
            csv.close();
            args << "goods"
                 << "import" << csv.fileName() << "--model"
                 << "al300"
                 << "--set"
                 << "00"
                 << "--mode"
                 << "replace"
                 << "--map"
                 << "name=A,barcode1=B";
        }
        if (force)
            args << "--force";
        return runCli(args);
    }

    std::unique_ptr<AL300Frm> openStation()
    {
        auto station = std::make_unique<AL300Frm>();
        station->show();
        return station;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        Program() = ProgramState();
        Program().DataDirOverride = m_dir->path();
        Dialogs::setTestMode(true);
        Dialogs::clearQueue();
        Dialogs::clearShown();
        QVERIFY(LabelSetFixture::write(m_dir->path(), "/dev/null"));
    }

    void conversionWaitsForTheOpenStation_data();
    void conversionWaitsForTheOpenStation();
    void changeFoundWhenSaving_data();
    void changeFoundWhenSaving();
    void changeNoticedWhileEditing();
    void widthsOfAnotherProgramStay_data();
    void widthsOfAnotherProgramStay();
};

void TestStationConflicts::conversionWaitsForTheOpenStation_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<bool>("reload");
    addRow("conversion, offered reload taken", QStringLiteral("convert-pre"), true);
    addRow("conversion, offered reload declined", QStringLiteral("convert-pre"), false);
    addRow("goods import, offered reload taken", QStringLiteral("goods import"), true);
}

void TestStationConflicts::conversionWaitsForTheOpenStation()
{
    QFETCH(QString, writer);
    QFETCH(bool, reload);
    const QByteArray before = fileBytes(goodsFile());
    auto station = openStation();

    CliResult r = write(writer, false);
    QCOMPARE(r.status, 1);
    QVERIFY2(
        r.err.contains(QStringLiteral("(process %1)").arg(QCoreApplication::applicationPid())) &&
            r.err.contains("--force"),
        qPrintable(r.err));
    QCOMPARE(fileBytes(goodsFile()), before);

    r = write(writer, true);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QByteArray theirs = fileBytes(goodsFile());
    QVERIFY(theirs != before);
    // Nothing of its own changed: the station only offers to read the new list.
    Dialogs::queueAnswer(reload);
    QTRY_COMPARE_WITH_TIMEOUT(boxes("파일변경").size(), 1, 3000);
    QVERIFY2(boxes("파일변경")[0].contains("다시 읽을까요 ?") &&
                 boxes("파일변경")[0].contains("AL300Dat[00].Txt"),
             qPrintable(Dialogs::shown().join(" / ")));
    QCOMPARE(goodsOf(*station), reload ? shownAs(theirs) : shownAs(before));
    settle();
    QCOMPARE(boxes("파일변경").size(), 1); // asked once, also when declined

    // Closing does not save the old list over the converted goods.
    QTest::mouseClick(Controls::find<QPushButton>(&*station, "ChtExitCmd"), Qt::LeftButton);
    QCOMPARE(fileBytes(goodsFile()), reload ? shownAs(theirs) : theirs);
    QCOMPARE(boxes("파일변경").size(), 1);
    QVERIFY(!QFile::exists(copyFile()));
}

void TestStationConflicts::changeFoundWhenSaving_data()
{
    QTest::addColumn<QString>("moment");
    QTest::addColumn<int>("answer");
    for (const char *moment : {"저장", "print panel", "closing"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, theirs").arg(moment))) << moment << 0;
        QTest::newRow(qPrintable(QStringLiteral("%1, mine").arg(moment))) << moment << 1;
        QTest::newRow(qPrintable(QStringLiteral("%1, copy").arg(moment))) << moment << 2;
    }
}

void TestStationConflicts::changeFoundWhenSaving()
{
    QFETCH(QString, moment);
    QFETCH(int, answer);
    const QByteArray format = fileBytes(path("AL300Frm[00].Txt"));
    auto station = openStation();
    StationGoods::setCell(station->document(), 1, GoodsTable::NameColumn, QStringLiteral("사과 (고침)"));
    const QByteArray mine = goodsOf(*station);

    // Written by the other process; the station has not heard of it yet: its notice of the
    // change waits (as it does while a window opens) however slowly the other process runs.
    Program().ModalOpening = 1;
    QCOMPARE(convert(true).status, 0);
    const QByteArray theirs = fileBytes(goodsFile());
    Dialogs::queueAnswer(answer);
    QPushButton *button = moment == "저장" ? Controls::find<QPushButton>(&*station, "ChtWriteCmd")
                          : moment == "print panel"
                              ? Controls::find<QPushButton>(&*station, "GdsAllBarCmd")
                              : Controls::find<QPushButton>(&*station, "ChtExitCmd");
    QTest::mouseClick(button, Qt::LeftButton);
    Program().ModalOpening = 0;

    const QStringList asked = boxes("파일변경");
    QVERIFY2(asked.size() == 1 && asked[0].contains("AL300Dat[00].Txt") &&
                 asked[0].contains("AL300Dat[00] 사본.Txt"),
             qPrintable(Dialogs::shown().join(" / ")));
    QCOMPARE(asked[0].contains("바뀐 파일 두기"), moment == "closing");
    QCOMPARE(fileBytes(goodsFile()), answer == 1 ? mine : theirs);
    QCOMPARE(fileBytes(copyFile()), answer == 2 ? mine : QByteArray("<missing>"));
    QCOMPARE(fileBytes(path("AL300Frm[00].Txt")), format);
    if (moment != "closing")
        QCOMPARE(goodsOf(*station), answer == 1 ? mine : shownAs(theirs));
    // The notice of the same change, arriving afterwards, asks nothing more.
    settle();
    QCOMPARE(boxes("파일변경").size(), 1);
    if (moment != "closing") {
        QTest::mouseClick(Controls::find<QPushButton>(&*station, "ChtExitCmd"), Qt::LeftButton);
        QCOMPARE(fileBytes(goodsFile()), answer == 1 ? mine : shownAs(theirs));
    }
    QCOMPARE(boxes("파일변경").size(), 1);
}

void TestStationConflicts::changeNoticedWhileEditing()
{
    // The format file, changed by another computer while the operator edits format 1.
    auto station = openStation();
    changeFormat(*station, 1, [](LabelFormat &f) { f.LblLeng = 123; });
    const QByteArray mine = formatOf(*station);
    FormatSet other = LabelSetFixture::al300Formats();
    other.Fmt[2].LblWidth = 321;
    QVERIFY(FormatFile::save(other, path("AL300Frm[00].Txt"), Printers::al300()));
    const QByteArray theirs = fileBytes(path("AL300Frm[00].Txt"));
    // Mine would be lost by reading theirs: the three choices at once, not only a reload.
    Dialogs::queueAnswer(2);
    QTRY_COMPARE_WITH_TIMEOUT(boxes("파일변경").size(), 1, 3000);
    QVERIFY(boxes("파일변경")[0].contains("AL300Frm[00] 사본.Txt"));
    QCOMPARE(fileBytes(path("AL300Frm[00] 사본.Txt")), mine);
    QCOMPARE(station->formatSet().Fmt[2].LblWidth, 321);
    QCOMPARE(station->formatSet().Fmt[1].LblLeng, other.Fmt[1].LblLeng);
    QCOMPARE(Controls::find<QLineEdit>(&*station, "LblLengTxt")->text(),
             QString::number(other.Fmt[1].LblLeng));
    QTest::mouseClick(Controls::find<QPushButton>(&*station, "ChtExitCmd"), Qt::LeftButton);
    QCOMPARE(fileBytes(path("AL300Frm[00].Txt")), theirs);
    QCOMPARE(boxes("파일변경").size(), 1);
}

void TestStationConflicts::widthsOfAnotherProgramStay_data()
{
    QTest::addColumn<bool>("widen");
    addRow("grid as it was: theirs stay", false);
    addRow("a column widened here: mine win", true);
}

void TestStationConflicts::widthsOfAnotherProgramStay()
{
    QFETCH(bool, widen);
    const QString widths = path("AL300FrmColSize.Txt");
    auto station = openStation();
    if (widen)
        Controls::find<QTableView>(&*station, "vaSpread1")
            ->setColumnWidth(2, Controls::find<QTableView>(&*station, "vaSpread1")->columnWidth(2) +
                                    40);
    const QByteArray theirs =
        TextFile::toBytes({QStringList(GoodsTable::ColumnCount, "9").join(' ')});
    QVERIFY(SafeSave::write(widths, theirs));
    QTest::mouseClick(Controls::find<QPushButton>(&*station, "ChtExitCmd"), Qt::LeftButton);
    QCOMPARE(fileBytes(widths) == theirs, !widen);
    QVERIFY(Dialogs::shown().filter("칼럼").isEmpty());
}

QTEST_MAIN(TestStationConflicts)
#include "test_stationconflicts.moc"
