// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "report/gridpagepainter.h"
#include "model/gridprintsettings.h"
#include "report/previewpages.h"
#include "report/prinsetup.h"
#include "model/printheader.h"
#include "report/printpagesetup.h"
#include "report/printpreview.h"
#include "report/prnviewfrm.h"
#include "report/reportsource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Title = QStringLiteral("SRP-770 바코드 등록 현황");

QString goodsName(int row)
{
    return QStringLiteral("사과주스%1").arg(row + 1, 3, 10, QLatin1Char('0'));
}

// A grid with the print settings its window keeps for its reports.
struct ReportGrid : QTableView {
    SharedPrintSettings settings = std::make_shared<GridPrintSettings>();
    ReportSource source() const { return ReportSource::fromGrid(model(), this); }
};

// A goods grid: number, mark, name, quantity, a hidden column.
void fillGrid(ReportGrid &view, int rows)
{
    auto *m = new QStandardItemModel(rows, 5, &view);
    m->setHorizontalHeaderLabels({QStringLiteral("번호"), QStringLiteral("선택"),
                                  QStringLiteral("상품명"), QStringLiteral("수량"),
                                  QStringLiteral("숨김열")});
    for (int r = 0; r < rows; ++r) {
        auto *no = new QStandardItem(QString::number(r + 1));
        no->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m->setItem(r, 0, no);
        auto *mark = new QStandardItem;
        mark->setCheckable(true);
        mark->setCheckState(r % 3 ? Qt::Unchecked : Qt::Checked);
        m->setItem(r, 1, mark);
        m->setItem(r, 2, new QStandardItem(goodsName(r)));
        m->setItem(r, 3, new QStandardItem(QString::number(r % 7 + 1)));
        m->setItem(r, 4, new QStandardItem(QStringLiteral("감춘값%1").arg(r)));
    }
    delete view.model();
    view.setModel(m);
    view.setColumnWidth(2, 160);
    view.setColumnHidden(4, true);
    *view.settings = view.settings->withReportTitle(Title);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression re(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto m = re.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TestGridPrinting : public QObject {
    Q_OBJECT

    // The page setup of the preview, opened by its "설정" button.
    static PrintPageSetup &openPageSetup(PrintPreview *preview)
    {
        QTest::mouseClick(preview->toolbarButton(PrintPreview::SetupCol), Qt::LeftButton);
        const QList<PrintPageSetup *> open = preview->findChildren<PrintPageSetup *>();
        [&] { QVERIFY(!open.isEmpty()); }();
        return *open.last();
    }

    QTemporaryDir m_dir;

    QString printToPdf(ReportGrid &view, const std::function<void(PrinSetup &)> &choose,
                       const QString &name, bool *printed = nullptr)
    {
        const QString pdf = m_dir.filePath(name);
        PrinSetup setup(view.source(), view.settings, nullptr, [pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        if (choose)
            choose(setup);
        const bool ok = setup.PrintSpread();
        if (printed)
            *printed = ok;
        return pdf;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Dialogs::setTestMode(true);
    }
    void init()
    {
        Dialogs::clearShown();
        Program().PreviewZoom = 8;
    }

    void headerCodes()
    {
        QCOMPARE(PrintHeader::forTitle(QStringLiteral("T")),
                 QStringLiteral("/fn\"굴림체\"/fz\"16\"/fb1/fi0/fu0/fk0/cT"
                                "/n/fn\"굴림체\"/fz\"10\"/fb1/fi0/fu0/fk0/l "));
        const auto lines = PrintHeader::parse(PrintHeader::forTitle(Title));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].size(), 1);
        QCOMPARE(lines[0][0].text, Title);
        QCOMPARE(lines[0][0].align, 'c');
        QCOMPARE(lines[0][0].size, 16.0);
        QVERIFY(lines[0][0].bold);
        QVERIFY(!lines[0][0].italic);
        QCOMPARE(lines[0][0].font, QStringLiteral("굴림체"));
        QCOMPARE(lines[1].size(), 1);
        QCOMPARE(lines[1][0].text, QStringLiteral(" "));
        QCOMPARE(lines[1][0].size, 10.0);
        QCOMPARE(lines[1][0].align, 'l');
    }

    void headerCodeVariants_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QString>("texts"); // segments "align:text" joined by |, lines by ;
        QTest::newRow("plain") << "abc"
                               << "l:abc";
        QTest::newRow("page number") << "/rPage /p"
                                     << "r:Page 3";
        QTest::newRow("slash") << "a//b"
                               << "l:a/b";
        QTest::newRow("two aligns") << "/lleft/rright"
                                    << "l:left|r:right";
        QTest::newRow("lines") << "/ca/nb"
                               << "c:a;c:b";
        QTest::newRow("unknown code kept") << "/x1"
                                           << "l:/x1";
    }
    void headerCodeVariants()
    {
        QFETCH(QString, codes);
        QFETCH(QString, texts);
        QStringList got;
        for (const auto &line : PrintHeader::parse(codes, 3)) {
            QStringList segs;
            for (const auto &s : line)
                segs << QStringLiteral("%1:%2").arg(QLatin1Char(s.align)).arg(s.text);
            got << segs.join(QLatin1Char('|'));
        }
        QCOMPARE(got.join(QLatin1Char(';')), texts);
    }

    void gulimIsDrawnWithNanumGothic()
    {
        QCOMPARE(GridPagePainter::fontFamily(QStringLiteral("굴림체")),
                 QStringLiteral("NanumGothic"));
        QCOMPARE(GridPagePainter::fontFamily(QStringLiteral("Arial")), QStringLiteral("Arial"));
    }

    void printedPdfHoldsEveryGoodsItem()
    {
        ReportGrid view;
        fillGrid(view, 120);
        bool printed = false;
        const QString pdf = printToPdf(view, {}, QStringLiteral("all.pdf"), &printed);
        QVERIFY(printed);
        if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty())
            QFile::copy(pdf, dir + QStringLiteral("/report.pdf"));
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.contains(Title), qPrintable(text.left(400)));
        for (const char *caption : {"번호", "상품명", "수량"})
            QVERIFY2(text.contains(QString::fromUtf8(caption)), caption);
        QVERIFY(!text.contains(QStringLiteral("숨김열")));
        QVERIFY(!text.contains(QStringLiteral("감춘값")));
        for (int r = 0; r < 120; ++r)
            QVERIFY2(text.contains(goodsName(r)), qPrintable(goodsName(r)));
        const int pages = pdfPages(pdf);
        QVERIFY(pages > 1);
        // The preview shows exactly the printed pages.
        PrintPreview preview(view.source(), view.settings);
        QCOMPARE(preview.lngPageCount, pages);
        QCOMPARE(preview.fpSpreadPreview1->pageCount(), pages);
        // The title is on every page, and at its foot the print date and the page of all.
        QCOMPARE(text.count(Title), pages);
        QCOMPARE(text.count(QStringLiteral("출력일 ") +
                            QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))),
                 pages);
        const QString packed = QString(text).remove(QLatin1Char(' '));
        for (int p = 1; p <= pages; ++p)
            QVERIFY(packed.contains(QStringLiteral("쪽%1/%2").arg(p).arg(pages)));
        // Nothing within the printer's unprintable border: the default margins (0.25 mm)
        // are widened to 5 mm.
        const QString box = run(QStringLiteral("pdftotext"), {"-bbox", pdf, QStringLiteral("-")});
        static const QRegularExpression word(QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)")re"));
        for (auto m = word.globalMatch(box); m.hasNext();) {
            const auto w = m.next();
            QVERIFY2(w.captured(1).toDouble() >= GridPagePainter::UnprintableBorderPoints - 0.5 &&
                         w.captured(2).toDouble() >= GridPagePainter::UnprintableBorderPoints - 0.5,
                     qPrintable(w.captured(0)));
        }
    }

    void landscapeAndMarginsChangeThePages()
    {
        ReportGrid view;
        fillGrid(view, 120);
        PrintPreview preview(view.source(), view.settings);
        const int portrait = preview.lngPageCount;
        GridPrintSettings s = *view.settings;
        s.orientation = 2;
        *view.settings = s;
        preview.refresh();
        QVERIFY(preview.lngPageCount > portrait);
        const QString pdf = printToPdf(view, {}, QStringLiteral("landscape.pdf"));
        QCOMPARE(pdfPages(pdf), preview.lngPageCount);
    }

    void pageRangeAndCurrentPage()
    {
        ReportGrid view;
        fillGrid(view, 120);
        const QString pdf = printToPdf(
            view,
            [](PrinSetup &w) {
                w.option1[3]->click();
                QVERIFY(w.Text1[0]->isEnabled());
                w.Text1[0]->setText(QStringLiteral("2"));
                w.Text1[1]->setText(QStringLiteral("2"));
            },
            QStringLiteral("page2.pdf"));
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(!text.contains(goodsName(0)));
        QVERIFY(text.contains(Title));

        view.setCurrentIndex(view.model()->index(119, 2));
        const QString last = printToPdf(
            view, [](PrinSetup &w) { w.option1[2]->click(); }, QStringLiteral("current.pdf"));
        QCOMPARE(pdfPages(last), 1);
        QVERIFY(
            run(QStringLiteral("pdftotext"), {last, QStringLiteral("-")}).contains(goodsName(119)));
    }

    void selectedBlockOnly()
    {
        ReportGrid view;
        fillGrid(view, 120);
        view.selectionModel()->select(
            QItemSelection(view.model()->index(4, 2), view.model()->index(6, 3)),
            QItemSelectionModel::Select);
        const QString pdf = printToPdf(
            view, [](PrinSetup &w) { w.option1[1]->click(); }, QStringLiteral("block.pdf"));
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(text.contains(goodsName(4)));
        QVERIFY(text.contains(goodsName(6)));
        QVERIFY(!text.contains(goodsName(3)));
        QVERIFY(!text.contains(goodsName(7)));
        QVERIFY(!text.contains(QStringLiteral("번호")));
    }

    void optionsReachTheGrid()
    {
        ReportGrid view;
        fillGrid(view, 3);
        printToPdf(
            view,
            [](PrinSetup &w) {
                QVERIFY(!w.Check1[5]->isChecked());
                w.Check1[0]->setChecked(false);
                w.Check1[5]->setChecked(true);
            },
            QStringLiteral("options.pdf"));
        const GridPrintSettings s = *view.settings;
        QVERIFY(!s.colHeaders);
        QVERIFY(s.colour);
        QVERIFY(s.rowHeaders);
        QCOMPARE(s.printType, int(GridPrintSettings::All));
        const QString text =
            run(QStringLiteral("pdftotext"),
                {m_dir.filePath(QStringLiteral("options.pdf")), QStringLiteral("-")});
        QVERIFY(!text.contains(QStringLiteral("상품명")));
        QVERIFY(text.contains(goodsName(2)));
    }

    void pageFieldThatIsNoNumberStopsPrinting()
    {
        ReportGrid view;
        fillGrid(view, 10);
        bool printed = true;
        const QString pdf = printToPdf(
            view,
            [](PrinSetup &w) {
                w.option1[3]->click();
                w.Text1[1]->setText(QStringLiteral("x"));
            },
            QStringLiteral("none.pdf"), &printed);
        QVERIFY(!printed);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(Dialogs::shown().size(), 1);
        QVERIFY(Dialogs::shown().first().contains(QStringLiteral("|* ")));
    }

    void previewPaging_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("forward");  // current page after each "다음"
        QTest::addColumn<QString>("backward"); // after each "이전" from the end
        QTest::newRow("two at once, five pages") << 10 << 5 << "3,5"
                                                 << "3,1";
        QTest::newRow("one at a time, three pages") << 8 << 3 << "2,3"
                                                    << "2,1";
        QTest::newRow("four at once, five pages") << 12 << 5 << "5"
                                                  << "1";
    }
    void previewPaging()
    {
        QFETCH(int, zoom);
        QFETCH(int, pages);
        QFETCH(QString, forward);
        QFETCH(QString, backward);
        ReportGrid view;
        int rows = 1;
        for (fillGrid(view, rows); PrintPreview(view.source(), view.settings).lngPageCount < pages;
             fillGrid(view, rows))
            rows += 5;
        Program().PreviewZoom = qint16(zoom);
        auto *preview = new PrintPreview(view.source(), view.settings);
        QCOMPARE(preview->lngPageCount, pages);
        preview->show();
        QPushButton *next = preview->toolbarButton(PrintPreview::NextCol);
        QPushButton *prev = preview->toolbarButton(PrintPreview::PrevCol);
        QCOMPARE(next->text(), QStringLiteral("다음"));
        QCOMPARE(prev->text(), QStringLiteral("이전"));
        QVERIFY(next->isEnabled());
        QVERIFY(!prev->isEnabled());
        QStringList seen;
        while (next->isEnabled()) {
            next->click();
            seen << QString::number(preview->fpSpreadPreview1->currentPage());
        }
        QCOMPARE(seen.join(QLatin1Char(',')), forward);
        QVERIFY(prev->isEnabled());
        seen.clear();
        while (prev->isEnabled()) {
            prev->click();
            seen << QString::number(preview->fpSpreadPreview1->currentPage());
        }
        QCOMPARE(seen.join(QLatin1Char(',')), backward);
        QVERIFY(next->isEnabled());
        // A spacer column does nothing.
        preview->fpSpread1_ButtonClicked(3, 1);
        QCOMPARE(preview->fpSpreadPreview1->currentPage(), 1);
        preview->close(); // deletes itself
    }

    void onePageReportHasNoPaging()
    {
        ReportGrid view;
        fillGrid(view, 5);
        auto *preview = new PrintPreview(view.source(), view.settings);
        preview->show();
        QCOMPARE(preview->lngPageCount, 1);
        QVERIFY(!preview->toolbarButton(PrintPreview::NextCol)->isEnabled());
        QVERIFY(!preview->toolbarButton(PrintPreview::PrevCol)->isEnabled());
        QCOMPARE(PrintPreview::instance(), preview);
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(PrintPreview::instance() == nullptr);
    }

    void pageButtonsFollowPageSetup()
    {
        // Two pages under a deep top margin; the page setup then takes the margin away.
        ReportGrid view;
        for (int rows = 10;; rows += 5) {
            fillGrid(view, rows);
            GridPrintSettings s = *view.settings;
            s.marginTop = 7000;
            *view.settings = s;
            if (PrintPreview(view.source(), view.settings).lngPageCount >= 2)
                break;
        }
        auto *preview = new PrintPreview(view.source(), view.settings);
        QCOMPARE(preview->lngPageCount, 2);
        preview->show();
        QPushButton *next = preview->toolbarButton(PrintPreview::NextCol);
        QPushButton *prev = preview->toolbarButton(PrintPreview::PrevCol);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(preview->fpSpreadPreview1->currentPage(), 2);
        QVERIFY(prev->isEnabled());
        QVERIFY(!next->isEnabled());
        {
            PrintPageSetup &setup = openPageSetup(preview);
            setup.pagemargin[2]->setText(QStringLiteral("0"));
            QTest::mouseClick(setup.cmdAction[0], Qt::LeftButton);
        }
        QCOMPARE(preview->lngPageCount, 1);
        QCOMPARE(preview->fpSpreadPreview1->currentPage(), 1);
        QVERIFY(!prev->isEnabled());
        QVERIFY(!next->isEnabled());
        delete preview;
    }

    void zoomChoices_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::newRow("200%") << 0 << 2 << 200 << 1 << 1;
        QTest::newRow("75%") << 3 << 2 << 75 << 1 << 1;
        QTest::newRow("10%") << 6 << 2 << 10 << 1 << 1;
        QTest::newRow("page width") << 7 << 3 << 100 << 1 << 1;
        QTest::newRow("page height") << 8 << 4 << 100 << 1 << 1;
        QTest::newRow("one page") << 9 << 0 << 100 << 1 << 1;
        QTest::newRow("3 pages") << 11 << 5 << 100 << 3 << 1;
        QTest::newRow("4 pages") << 12 << 5 << 100 << 2 << 2;
        QTest::newRow("6 pages") << 13 << 5 << 100 << 3 << 2;
        QTest::newRow("outside the list") << 14 << 4 << 100 << 1 << 1;
    }
    void zoomChoices()
    {
        QFETCH(int, index);
        QFETCH(int, state);
        QFETCH(int, percent);
        QFETCH(int, across);
        QFETCH(int, down);
        QCOMPARE(PreviewZoomItems().size(), 14);
        ReportGrid view;
        fillGrid(view, 5);
        Program().PreviewZoom = 8;
        PrintPreview preview(view.source(), view.settings);
        preview.applyZoom(index);
        PreviewPages *v = preview.fpSpreadPreview1;
        QCOMPARE(v->zoomState(), state);
        if (state == 2)
            QCOMPARE(v->zoomPercent(), percent);
        if (state == 5) {
            QCOMPARE(v->pagesAcross(), across);
            QCOMPARE(v->pagesDown(), down);
            QCOMPARE(v->pagesShown(), across * down);
        }
    }

    void zoomButtonFitsWidth()
    {
        ReportGrid view;
        fillGrid(view, 5);
        PrintPreview preview(view.source(), view.settings);
        preview.toolbarButton(PrintPreview::ZoomCol)->click();
        QCOMPARE(preview.fpSpreadPreview1->zoomState(), 3);
    }

    void pageSetupMargins_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("half inch kept") << 720.0 << "12.70"
                                        << "" << 720.0;
        QTest::newRow("default kept exactly") << 14.4 << "0.25"
                                              << "" << 14.4;
        QTest::newRow("one inch typed") << 720.0 << "12.70"
                                        << "25.40" << 1440.0;
        QTest::newRow("cleared reads 0") << 720.0 << "12.70"
                                         << "." << 0.0;
    }
    void pageSetupMargins()
    {
        QFETCH(double, twips);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        ReportGrid view;
        fillGrid(view, 5);
        GridPrintSettings s = *view.settings;
        s.marginLeft = twips;
        s.marginTop = 100;
        *view.settings = s;
        PrintPageSetup setup(view.settings);
        QCOMPARE(setup.pagemargin[0]->text(), shown);
        QCOMPARE(setup.pagemargin[2]->text(), QStringLiteral("1.76"));
        if (!typed.isEmpty())
            setup.pagemargin[0]->setText(typed);
        setup.cmdAction[0]->click();
        const GridPrintSettings after = *view.settings;
        QCOMPARE(after.marginLeft, stored);
        QCOMPARE(after.marginTop, 100.0);
    }

    void pageSetupConfirmAndCancel()
    {
        ReportGrid view;
        fillGrid(view, 120);
        Program().PreviewZoom = 3;
        auto *preview = new PrintPreview(view.source(), view.settings);
        const int portraitPages = preview->lngPageCount;
        preview->show();
        {
            PrintPageSetup &setup = openPageSetup(preview);
            QCOMPARE(setup.windowTitle(), QStringLiteral("출력 페이지 설정"));
            QCOMPARE(setup.Combo1->currentIndex(), 3);
            QVERIFY(setup.porientation[0]->isChecked());
            setup.porientation[1]->setChecked(true);
            setup.Combo1->setCurrentIndex(8);
            setup.pagemargin[1]->setText(QStringLiteral("99"));
            setup.cmdAction[1]->click(); // cancel
        }
        GridPrintSettings s = *view.settings;
        QCOMPARE(s.orientation, 1);
        QCOMPARE(s.marginRight, 14.4);
        QCOMPARE(Program().PreviewZoom, qint16(3));
        QCOMPARE(preview->fpSpreadPreview1->zoomState(), 2);
        {
            PrintPageSetup &setup = openPageSetup(preview);
            setup.porientation[1]->setChecked(true);
            setup.Combo1->setCurrentIndex(8);
            setup.cmdAction[0]->click();
        }
        s = *view.settings;
        QCOMPARE(s.orientation, 2);
        QCOMPARE(Program().PreviewZoom, qint16(8));
        QCOMPARE(preview->fpSpreadPreview1->zoomState(), 4);
        QVERIFY(preview->lngPageCount > portraitPages); // the preview follows the setup
        PrintPageSetup again(view.settings);
        QCOMPARE(again.Combo1->currentIndex(), 8);
        QVERIFY(again.porientation[1]->isChecked());
        delete preview;
    }

    void prnViewKeys_data()
    {
        QTest::addColumn<int>("vertical");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("vAfter");
        QTest::addColumn<int>("hAfter");
        QTest::newRow("down at 390 does nothing") << 390 << 0 << int(Qt::Key_Down) << 390 << 0;
        QTest::newRow("down at 380") << 380 << 0 << int(Qt::Key_Down) << 400 << 0;
        QTest::newRow("end") << 40 << 0 << int(Qt::Key_End) << 400 << 0;
        QTest::newRow("home") << 240 << 0 << int(Qt::Key_Home) << 0 << 0;
        QTest::newRow("up at 10 does nothing") << 10 << 0 << int(Qt::Key_Up) << 10 << 0;
        QTest::newRow("page down") << 0 << 0 << int(Qt::Key_PageDown) << 200 << 0;
        QTest::newRow("page up stops") << 50 << 0 << int(Qt::Key_PageUp) << 10 << 0;
        QTest::newRow("right at 200") << 0 << 200 << int(Qt::Key_Right) << 0 << 220;
        QTest::newRow("right at 210 nothing") << 0 << 210 << int(Qt::Key_Right) << 0 << 210;
        QTest::newRow("left") << 0 << 40 << int(Qt::Key_Left) << 0 << 20;
    }
    void prnViewKeys()
    {
        QFETCH(int, vertical);
        QFETCH(int, horizontal);
        QFETCH(int, key);
        QFETCH(int, vAfter);
        QFETCH(int, hAfter);
        PrnViewFrm w;
        QCOMPARE(w.windowTitle(), QStringLiteral("인쇄 미리 보기 (A4)"));
        w.VScroll1->setValue(vertical);
        w.HScroll1->setValue(horizontal);
        QTest::keyClick(&w, Qt::Key(key));
        QCOMPARE(w.VScroll1->value(), vAfter);
        QCOMPARE(w.HScroll1->value(), hAfter);
        // The picture follows the bars.
        QCOMPARE(w.PrnViewPic->pos().y() <= 0, true);
        QCOMPARE(w.PrnViewPic->pos().y() == 0, vAfter == 0);
    }

    void pictures()
    {
        // Grabs of the windows; written out when LABELSTATION_SCREENSHOTS names a folder.
        const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS");
        ReportGrid view;
        fillGrid(view, 120);
        Program().PreviewZoom = 8;
        auto *preview = new PrintPreview(view.source(), view.settings);
        preview->show();
        const QImage height = preview->grab().toImage();
        preview->applyZoom(12);
        const QImage four = preview->grab().toImage();
        QVERIFY(height != four);
        PrintPageSetup setup(view.settings);
        const QImage page = setup.grab().toImage();
        QVERIFY(!page.isNull());
        PrinSetup options(view.source(), view.settings);
        if (!dir.isEmpty()) {
            height.save(dir + QStringLiteral("/preview_height.png"));
            four.save(dir + QStringLiteral("/preview_four.png"));
            page.save(dir + QStringLiteral("/pagesetup.png"));
            options.grab().save(dir + QStringLiteral("/prinsetup.png"));
        }
        delete preview;
    }
};

QTEST_MAIN(TestGridPrinting)
#include "test_gridprinting.moc"
