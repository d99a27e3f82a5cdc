// SPDX-License-Identifier: GPL-3.0-or-later
#include "printers/labeljobreader.h"
#include "render/labelpdf.h"

#include "support/labeltools.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace LabelTools;

namespace {

// A 60 x 40 mm SRP-770 label with an EAN-13 and a Hangul text, `count` copies.
LabelDescription srpLabel(int count, const char *text = "사과")
{
    return LabelJobReader::read(QStringLiteral("CB\r\nSS2\r\nSD20\r\nSW480\r\nSL320,24,G\r\nSOT\r\n"
                                               "B140,80,7,2,5,80,0,1,'8801234567893'\r\n"
                                               "T40,240,b,1,1,0,0,N,N,'%1'\r\nP%2\r\n")
                                    .arg(QString::fromUtf8(text))
                                    .arg(count));
}

// A 35 x 28 mm AL-300 label (width across), `count` copies.
LabelDescription alLabel(int count)
{
    return LabelJobReader::read(QStringLiteral("{F001,0280,350;QELFF001|\r\n"
                                               "B01,I,000,0110,080,8,8,0,80,2|\r\n"
                                               "T02,I,000,0020,020,0101,K,0,0,B,D,0|\r\n}\r\n"
                                               "{B001,%1,E,1,1,0,C;QELFB001|\r\n"
                                               "B01;AL-300|\r\nT02;배|\r\n}\r\n")
                                    .arg(count, 4, 10, QLatin1Char('0')));
}

constexpr double PtPerMm = 72 / 25.4;

} // namespace

class TestLabelPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void pagesFollowCounts_data()
    {
        QTest::addColumn<QList<int>>("srpCounts");
        QTest::addColumn<QList<int>>("alCounts");
        QTest::newRow("one label") << QList<int>{1} << QList<int>{};
        QTest::newRow("2 and 3") << QList<int>{2, 3} << QList<int>{};
        QTest::newRow("both printers") << QList<int>{2} << QList<int>{4};
        QTest::newRow("a count of 0 gives no page") << QList<int>{0, 2} << QList<int>{0};
    }

    void pagesFollowCounts()
    {
        QFETCH(QList<int>, srpCounts);
        QFETCH(QList<int>, alCounts);
        QList<LabelDescription> labels;
        int pages = 0;
        for (int c : srpCounts) {
            labels << srpLabel(c);
            pages += c;
        }
        for (int c : alCounts) {
            labels << alLabel(c);
            pages += c;
        }
        QCOMPARE(LabelPdf::pageCount(labels), pages);
        const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        QString error;
        QVERIFY2(LabelPdf::write(pdf, labels, &error), qPrintable(error));
        QCOMPARE(pdfPages(pdf), pages);
        // Every page carries its label's text.
        const QString text = pdfText(pdf);
        const int srpPages = pages - (alCounts.isEmpty() ? 0 : alCounts.last());
        QCOMPARE(int(text.count(QStringLiteral("사과"))), srpPages);
        QCOMPARE(int(text.count(QStringLiteral("배"))), pages - srpPages);
    }

    // The page is the label at its real size: 60 x 40 mm; the AL-300's 35 mm wide, 28 mm long.
    void pageSize_data()
    {
        QTest::addColumn<bool>("al300");
        QTest::addColumn<QSizeF>("mm");
        QTest::newRow("SRP-770 60 x 40") << false << QSizeF(60, 40);
        QTest::newRow("AL-300 35 x 28") << true << QSizeF(35, 28);
    }

    void pageSize()
    {
        QFETCH(bool, al300);
        QFETCH(QSizeF, mm);
        const QString pdf = m_dir.filePath(QStringLiteral("size%1.pdf").arg(al300));
        QVERIFY(LabelPdf::write(pdf, {al300 ? alLabel(1) : srpLabel(1)}));
        const QSizeF pts = pdfPageSize(pdf);
        QVERIFY2(qAbs(pts.width() - mm.width() * PtPerMm) < 0.5 &&
                     qAbs(pts.height() - mm.height() * PtPerMm) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(pts.width()).arg(pts.height())));
    }

    // What the PDF shows scans like the label.
    void barcodeOnPageDecodes()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("scan.pdf"));
        QVERIFY(LabelPdf::write(pdf, {srpLabel(1), alLabel(2)}));
        QCOMPARE(decode(pdfPage(pdf, 1, 600)), QStringList{"EAN-13:8801234567893"});
        QCOMPARE(decode(pdfPage(pdf, 3, 600)), QStringList{"CODE-128:AL-300"});
    }

    // A failed write leaves no file, and no half file in place of an earlier one.
    void failureLeavesNoHalfFile()
    {
        QString error;
        const QString missingDir = m_dir.filePath(QStringLiteral("no/such/dir/labels.pdf"));
        QVERIFY(!LabelPdf::write(missingDir, {srpLabel(1)}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(missingDir));

        const QString earlier = m_dir.filePath(QStringLiteral("earlier.pdf"));
        QVERIFY(LabelPdf::write(earlier, {srpLabel(2)}));
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        error.clear();
        QVERIFY(!LabelPdf::write(earlier, {srpLabel(0)}, &error));
        QCOMPARE(error, QStringLiteral("인쇄할 라벨이 없습니다"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QVERIFY(!LabelPdf::write(earlier, {}, &error));
        QCOMPARE(pdfPages(earlier), 2);

        // Only temporary files are written next to the target until it is complete.
        const QStringList left = QDir(m_dir.path()).entryList({"*.pdf*"}, QDir::Files);
        for (const QString &name : left)
            QVERIFY2(name.endsWith(QLatin1String(".pdf")), qPrintable(name));
    }
};

QTEST_MAIN(TestLabelPdf)
#include "test_labelpdf.moc"
