// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300frm.h"
#include "app/mdimain.h"
#include "app/modelwindows.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "help/qelhelpfrm.h"
#include "model/fieldfilter.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "render/goodscheck.h"
#include "tools/helppictures.h"
#include "tools/sampledata.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sampleFormatsRoundTrip_data();
    void sampleFormatsRoundTrip();
    void sampleGoods_data();
    void sampleGoods();
    void pictures();
    void helpViewerOffersEveryPage_data();
    void helpViewerOffersEveryPage();
    void panelInsideWindow_data();
    void panelInsideWindow();
    void copyPanelBoxesKeepTheirHeight();

private:
    // A fresh data folder with the sample set and the LEO-60D+ goods file.
    QString sampleDataDir();
    static void settle() { QTest::qWait(30); }

    QTemporaryDir m_tmp;
    QString m_pictures; // made once by pictures(), read by the later tests
    int m_dirs = 0;
};

void TestHelpPictures::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    RegisterModelWindows();
}

QString TestHelpPictures::sampleDataDir()
{
    const QString dir = m_tmp.filePath(QStringLiteral("data%1").arg(++m_dirs));
    QString error;
    if (!SampleData::write(dir, &error))
        qWarning() << error;
    QFile::copy(QStringLiteral(TEST_DATA_DIR "/sample.pre"),
                QDir(dir).filePath(SampleData::preFileName()));
    Program().DataDirOverride = dir;
    return dir;
}

void TestHelpPictures::sampleFormatsRoundTrip_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("SRP-770") << int(PrinterModel::SRP770);
    QTest::newRow("AL-300") << int(PrinterModel::AL300);
}

void TestHelpPictures::sampleFormatsRoundTrip()
{
    // Every value of the sample formats fits its field in the format file: nothing is
    // dropped on the way through the file.
    QFETCH(int, model);
    const PrinterDriver &printer = Printers::of(PrinterModel(model));
    const QString dir = sampleDataDir();
    FormatSet read;
    QVERIFY(FormatFile::load(read, QDir(dir).filePath(printer.formatFileName("00")), printer));
    QVERIFY(read == SampleData::formats(printer));
    QCOMPARE(read.Fmt[1].Bar[1].BarSelt, qint16(1));
    QVERIFY(read.Fmt[1].LblLeng > 0);
}

void TestHelpPictures::sampleGoods_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("SRP-770") << int(PrinterModel::SRP770);
    QTest::newRow("AL-300") << int(PrinterModel::AL300);
}

void TestHelpPictures::sampleGoods()
{
    QFETCH(int, model);
    const QString dir = sampleDataDir();
    GoodsTable goods;
    QVERIFY(goods.load(QDir(dir).filePath(Printers::of(PrinterModel(model)).goodsFileName("00"))));
    QCOMPARE(goods.rows(), 15);
    const QRegularExpression hangul(QStringLiteral("[가-힣]"));
    for (int r = 1; r <= goods.rows(); ++r) {
        QCOMPARE(goods.numberAt(r), r);
        QVERIFY(goods.cell(r, GoodsTable::NameColumn).contains(hangul));
        // A valid EAN-13: 880 (Korea), 13 digits, the GS1 check digit computed here.
        const QString code = goods.cell(r, GoodsTable::FirstBarcodeColumn);
        QCOMPARE(code.size(), 13);
        QVERIFY(code.startsWith(QLatin1String("880")));
        int sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += code[i].digitValue() * (i % 2 ? 3 : 1);
        QCOMPARE(code[12].digitValue(), (10 - sum % 10) % 10);
        // Every cell as the item editor would have stored it.
        QCOMPARE(goods.cell(r, GoodsTable::NameColumn),
                 GoodsNameText(goods.cell(r, GoodsTable::NameColumn)));
        for (int c = GoodsTable::FirstBarcodeColumn; c < GoodsTable::LastColumn; ++c)
            QCOMPARE(goods.cell(r, c), GoodsDataText(goods.cell(r, c)));
    }
    // Nothing the goods check would point out, and saved again byte for byte the same.
    const PrinterDriver &printer = Printers::of(PrinterModel(model));
    FormatSet formats;
    QVERIFY(FormatFile::load(formats, QDir(dir).filePath(printer.formatFileName("00")), printer));
    const QList<GoodsCheck::Problem> problems = GoodsCheck::run(printer, formats, goods);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).message));
    const QString path = QDir(dir).filePath(printer.goodsFileName("00"));
    const QString again = QDir(dir).filePath(QStringLiteral("again.Txt"));
    QVERIFY(goods.save(again));
    QFile a(path), b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

void TestHelpPictures::pictures()
{
    sampleDataDir();
    m_pictures = m_tmp.filePath(QStringLiteral("Help/Jpg"));
    HelpPictures maker(m_pictures);
    QString error;
    QVERIFY2(maker.run(&error), qPrintable(error));

    // Exactly the expected files, numbered without gaps, 3 to 10 per topic.
    QStringList made = QDir(m_pictures).entryList(QDir::Files, QDir::Name);
    QStringList expected = HelpPictures::fileNames();
    expected.sort();
    QCOMPARE(made, expected);
    for (const QString &topic : HelpPictures::topics()) {
        QVERIFY(HelpPictures::pageCount(topic) >= 3);
        QVERIFY(HelpPictures::pageCount(topic) <= QelHelpFrm::MaxPages);
    }

    QImage previous;
    QString previousTopic;
    for (const QString &name : HelpPictures::fileNames()) {
        const QString path = QDir(m_pictures).filePath(name);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(image.size(), HelpPictures::WindowSize);
        // Not an empty window: the picture has many colours in its upper half.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height() / 2; y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y) & 0xF0F0F0);
        QVERIFY2(colours.size() > 20, qPrintable(name));
        // Each picture of a topic shows something the one before did not.
        const QString topic = name.left(name.size() - 7);
        if (topic == previousTopic)
            QVERIFY2(image != previous, qPrintable(name));
        previous = image;
        previousTopic = topic;
    }
}

void TestHelpPictures::helpViewerOffersEveryPage_data()
{
    QTest::addColumn<QString>("topic");
    for (const QString &topic : HelpPictures::topics())
        QTest::newRow(qPrintable(topic)) << topic;
}

void TestHelpPictures::helpViewerOffersEveryPage()
{
    QFETCH(QString, topic);
    if (m_pictures.isEmpty())
        QSKIP("no pictures made");
    qputenv("LABELSTATION_HELP_DIR", m_tmp.path().toUtf8());
    Program().ModalOpening = 0;
    QelHelpFrm viewer(topic);
    QCOMPARE(viewer.pageCount(), HelpPictures::pageCount(topic));
    QVERIFY(!viewer.QelPicCmd[viewer.pageCount()]->isHidden());
    QVERIFY(!viewer.QelHelpPic->pixmap().isNull());
    qunsetenv("LABELSTATION_HELP_DIR");
}

void TestHelpPictures::panelInsideWindow_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::newRow("SRP-770 extension") << "SRP770Frm"
                                       << "TxtExOnCmd"
                                       << "TxtExtFme";
    QTest::newRow("SRP-770 barcode type") << "SRP770Frm"
                                          << "BarCodeCmd1"
                                          << "BarCodeFme";
    QTest::newRow("SRP-770 single print") << "SRP770Frm"
                                          << "GdsBarPrtCmd"
                                          << "BarPrintFme";
    QTest::newRow("SRP-770 list print") << "SRP770Frm"
                                        << "GdsAllBarCmd"
                                        << "BarPrint2Fme";
    QTest::newRow("AL-300 transfer") << "AL300Frm"
                                     << "Al300SaveCmd"
                                     << "BarSaveFme";
    QTest::newRow("AL-300 barcode type") << "AL300Frm"
                                         << "BarCodeCmd1"
                                         << "BarCodeFme";
    QTest::newRow("AL-300 list print") << "AL300Frm"
                                       << "GdsAllBarCmd"
                                       << "BarPrint2Fme";
}

void TestHelpPictures::panelInsideWindow()
{
    // A panel that opens over a station lies wholly inside it: no part (and no button) is cut
    // off by the window's edge, in the pictures or for the operator.
    QFETCH(QString, form);
    QFETCH(QString, button);
    QFETCH(QString, panel);
    sampleDataDir();
    mdiMain main;
    main.setWindowState(Qt::WindowNoState);
    main.resize(HelpPictures::WindowSize);
    main.show();
    QWidget *station = main.openModelWindow(form);
    QVERIFY(station);
    settle();
    auto *b = station->findChild<QPushButton *>(button);
    QVERIFY(b);
    b->click();
    settle();
    auto *p = station->findChild<QFrame *>(panel);
    QVERIFY(p);
    QVERIFY(p->isVisible());
    QVERIFY2(station->rect().contains(p->geometry()),
             qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 in %6x%7")
                            .arg(panel)
                            .arg(p->x())
                            .arg(p->y())
                            .arg(p->width())
                            .arg(p->height())
                            .arg(station->width())
                            .arg(station->height())));
    main.unloadAll();
}

void TestHelpPictures::copyPanelBoxesKeepTheirHeight()
{
    // The LEO-60D+ window opens at its designed size, so its copy panel shows all 13 boxes
    // at their full height.
    const QString dir = sampleDataDir();
    mdiMain main;
    main.setWindowState(Qt::WindowNoState);
    main.resize(HelpPictures::WindowSize);
    main.show();
    QWidget *window = main.openModelWindow(QStringLiteral("LEO60DFrm"));
    QVERIFY(window);
    window->findChild<QLineEdit *>(QStringLiteral("GdsTfileTxt"))
        ->setText(QDir(dir).filePath(SampleData::preFileName()));
    window->findChild<QPushButton *>(QStringLiteral("ChtViewCmd"))->click();
    window->findChild<QPushButton *>(QStringLiteral("ChtWriteCmd"))->click();
    settle();
    auto *panel = window->findChild<QWidget *>(QStringLiteral("BarCopyFme"));
    QVERIFY(panel && panel->isVisible());
    QVERIFY(window->rect().contains(panel->geometry()));
    const QStringList boxes{"BarColTxt1", "BarColTxt3", "TxtColTxt1", "TxtColTxt10"};
    for (const QString &name : boxes) {
        auto *box = window->findChild<QLineEdit *>(name);
        QVERIFY(box);
        QVERIFY2(box->height() >= box->minimumSizeHint().height(), qPrintable(name));
    }
    main.unloadAll();
}

QTEST_MAIN(TestHelpPictures)
#include "test_helppictures.moc"
