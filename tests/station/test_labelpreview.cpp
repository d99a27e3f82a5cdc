// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300frm.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "station/srp770frm.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"
#include "support/controls.h"

#include "support/labeltools.h"

#include "support/goodsrows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace LabelTools;

namespace {

QString ean13(const QString &twelve)
{
    return twelve + EanCheckDigit(twelve);
}

} // namespace

// The label preview of both stations and their "라벨 PDF" command: the preview follows every
// edit of the format and every move of the goods cursor; the PDF holds the marked goods'
// labels with their own quantities.
class TestLabelPreview : public QObject {
    Q_OBJECT

    QTemporaryDir *m_dir = nullptr;
    PrinterModel m_model = PrinterModel::SRP770;

    bool al() const { return m_model == PrinterModel::AL300; }
    // Lengths of the format in the model's units: millimetres or tenths of a millimetre.
    int mm(int v) const { return al() ? v * 10 : v; }
    // A length in millimetres as printer dots.
    static int dots(int millimetres) { return millimetres * 8; }

    FormatSet formats() const
    {
        FormatSet set;
        set.BarComPort = 3;
        set.BarComSpeed = 1;
        LabelFormat &f = set.Fmt[1];
        f.LblWidth = mm(60);
        f.LblLeng = mm(40);
        BarcodeElement &b = f.Bar[1];
        b.BarSelt = 1;
        b.BarCode = al() ? 7 : 8; // EAN-13
        b.BarDen = al() ? 1 : 25;
        b.BarXx = mm(5);
        b.BarYy = mm(10);
        b.BarHeight = mm(10);
        b.BarHmRead = 2;
        TextElement &t1 = f.Txt[1];
        t1.TxtSelt = 1;
        t1.TxtFont = al() ? 2 : 5; // Korean 16x16
        t1.TxtXx = mm(5);
        t1.TxtYy = mm(25);
        t1.TxtXSize = t1.TxtYSize = 1;
        TextElement &t2 = f.Txt[2];
        t2 = t1;
        t2.TxtYy = mm(32);
        t2.TxtString = QStringLiteral("가격");
        LabelFormat &g = set.Fmt[2];
        g.LblWidth = mm(40);
        g.LblLeng = mm(20);
        g.Txt[1] = t1;
        g.Txt[1].TxtYy = mm(5);
        return set;
    }

    // Goods 1..5: 사과 (format 1, 2 labels), 배 (format 1, none), 포도 (format 2, 3 labels),
    // 귤 (no format, 4 labels), 감 (format 1, a barcode that is no EAN-13).
    void writeFiles(bool withGoods = true)
    {
        const QString prefix = al() ? QStringLiteral("AL300") : QStringLiteral("SRP770");
        QVERIFY(FormatFile::save(formats(), m_dir->filePath(prefix + "Frm[00].Txt"),
                                 Printers::of(m_model)));
        GoodsRows goods;
        struct Item {
            const char *name;
            int format, qty;
            QString barcode;
        };
        const QList<Item> items{{"사과", 1, 2, ean13("880123456789")},
                                {"배", 1, 0, ean13("880123456790")},
                                {"포도", 2, 3, QString()},
                                {"귤", 0, 4, ean13("880123456792")},
                                {"감", 1, 1, QStringLiteral("88012ABC")}};
        if (withGoods) {
            for (const Item &i : items) {
                GoodsItem g;
                g.reset();
                g.Name = QString::fromUtf8(i.name);
                g.Format = qint16(i.format);
                g.Qty = qint16(i.qty);
                g.Barcodes[1] = i.barcode;
                g.Texts[1] = g.Name;
                goods.appendItem(g);
            }
        }
        QVERIFY(goods.save(m_dir->filePath(prefix + "Dat[00].Txt")));
    }

    std::unique_ptr<StationFrm> openStation()
    {
        std::unique_ptr<StationFrm> w;
        if (al())
            w = std::make_unique<AL300Frm>();
        else
            w = std::make_unique<SRP770Frm>();
        // The goods file gives a blank format the format 1; only an edit leaves it blank.
        if (w->goods()->rows() >= 4)
            StationGoods::setCell(w->document(), 4, GoodsTable::FormatColumn, QString());
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("station window not active");
        return w;
    }

    static LabelPreviewPane *pane(StationFrm *w)
    {
        return w->findChild<LabelPreviewPane *>(QStringLiteral("LabelPreviewFme"));
    }

    static const LabelObject *textObject(StationFrm *w, int n = 0)
    {
        int seen = 0;
        for (const LabelObject &o : pane(w)->label().objects)
            if (o.isText() && seen++ == n)
                return &o;
        return nullptr;
    }

    static void type(StationFrm *w, const QString &box, const QString &text)
    {
        auto *edit = w->findChild<QLineEdit *>(box);
        QVERIFY2(edit, qPrintable(box));
        edit->setFocus();
        edit->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(edit, text);
        else
            edit->setText(text); // keys cannot type Hangul
        Controls::find<QTableView>(&*w, "vaSpread1")
            ->setFocus(); // leaving the box stores the value
    }

    void setModel()
    {
        QFETCH(int, model);
        m_model = PrinterModel(model);
    }

    static void modelRows()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("SRP-770") << int(PrinterModel::SRP770);
        QTest::newRow("AL-300") << int(PrinterModel::AL300);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_model = PrinterModel::SRP770;
        Program() = ProgramState();
        Program().DataDirOverride = m_dir->path();
        Program().BarcodeSetNo = 0;
        Dialogs::setTestMode(true);
        Dialogs::clearQueue();
        Dialogs::clearShown();
    }

    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    void namedControls_data() { modelRows(); }
    void namedControls()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        for (const char *name : {"LabelPreviewFme", "LabelPreviewZoomFitOpt", "LabelPreviewRealOpt",
                                 "LabelScanLst", "LabelProblemsLst", "LabelPdfCmd"})
            QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(name)), name);
        QVERIFY(pane(w.get())->isVisible());
        QCOMPARE(Controls::find<QPushButton>(&*w, "LabelPdfCmd")->text(),
                 QStringLiteral("라벨 PDF"));
        // Beside the format editor, not over it.
        const QRect editor(Controls::find<QGroupBox>(&*w, "BarFormFme")->mapTo(w.get(), QPoint()),
                           Controls::find<QGroupBox>(&*w, "BarFormFme")->size());
        const QRect preview(pane(w.get())->mapTo(w.get(), QPoint()), pane(w.get())->size());
        QVERIFY(preview.left() >= editor.right());
        QVERIFY(w->rect().contains(preview));
    }

    // The preview is the job of the current format with the row under the cursor.
    void followsCursor_data() { modelRows(); }
    void followsCursor()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        LabelPreviewPane *p = pane(w.get());
        QCOMPARE(w->activeRow(), 1);
        QCOMPARE(p->jobText(), w->buildLabelJob(1, 1, 1));
        QCOMPARE(p->label().objects.size(), 3);
        QCOMPARE(p->label().objects[0].data, ean13("880123456789"));
        QCOMPARE(textObject(w.get())->data, QStringLiteral("사과"));
        QCOMPARE(textObject(w.get(), 1)->data, QStringLiteral("가격"));
        QCOMPARE(p->label().count, 1);

        w->setActiveRow(2);
        QCOMPARE(textObject(w.get())->data, QStringLiteral("배"));
        QCOMPARE(p->label().objects[0].data, ean13("880123456790"));

        // The arrow key in the grid moves the cursor, and the preview with it.
        Controls::find<QTableView>(&*w, "vaSpread1")->setFocus();
        QTest::keyClick(Controls::find<QTableView>(&*w, "vaSpread1"), Qt::Key_Down);
        QCOMPARE(w->activeRow(), 3);
        // Row 3 has no barcode: the format's fixed text and its own text remain.
        QCOMPARE(p->label().objects.size(), 2);
        QCOMPARE(textObject(w.get())->data, QStringLiteral("포도"));
        // The preview keeps the format on screen, not the row's format 2.
        QCOMPARE(p->label().widthDots, dots(60));

        // A changed goods row shows at once.
        StationGoods::setCell(w->document(), 3, GoodsTable::FirstTextColumn, QStringLiteral("샤인머스캣"));
        QCOMPARE(textObject(w.get())->data, QStringLiteral("샤인머스캣"));
    }

    // Without goods the format still shows: its size, outline and fixed texts.
    void withoutRows_data() { modelRows(); }
    void withoutRows()
    {
        setModel();
        writeFiles(false);
        auto w = openStation();
        QCOMPARE(w->activeRow(), 0);
        const LabelDescription &d = pane(w.get())->label();
        QCOMPARE(d.widthDots, dots(60));
        QCOMPARE(d.lengthDots, dots(40));
        QCOMPARE(d.objects.size(), 1);
        QCOMPARE(d.objects[0].data, QStringLiteral("가격"));
        QCOMPARE(pane(w.get())->LabelProblemsLst->count(), 0);
        QCOMPARE(pane(w.get())->LabelProblemsLbl->text(), QStringLiteral("문제 없음"));
        QCOMPARE(pane(w.get())->LabelPreviewSizeLbl->text(), QStringLiteral("60 x 40 mm"));
    }

    // Every confirmed change of the format shows in the preview at once.
    void followsFormatEdits_data() { modelRows(); }
    void followsFormatEdits()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        LabelPreviewPane *p = pane(w.get());

        type(w.get(), "TxtXxTxt1", QString::number(mm(12)));
        QCOMPARE(textObject(w.get())->x, dots(12));
        type(w.get(), "LblWidthTxt", QString::number(mm(70)));
        QCOMPARE(p->label().widthDots, dots(70));
        QCOMPARE(p->LabelPreviewSizeLbl->text(), QStringLiteral("70 x 40 mm"));

        Controls::find<QCheckBox>(&*w, "TxtSeltChk%1", 2)->click(); // the fixed text off
        QCOMPARE(p->label().objects.size(), 2);
        Controls::find<QCheckBox>(&*w, "BarSeltChk%1", 1)->click(); // the barcode off
        QCOMPARE(p->label().objects.size(), 1);
        Controls::find<QCheckBox>(&*w, "BarSeltChk%1", 1)->click();
        QCOMPARE(p->label().objects.size(), 2);

        Controls::find<QRadioButton>(&*w, "LblDegree1Opt")->click();
        QVERIFY(p->label().reversed);
        Controls::find<QRadioButton>(&*w, "LblDegree0Opt")->click();
        QVERIFY(!p->label().reversed);

        // An option panel: reverse print of text 1.
        Controls::find<QPushButton>(&*w, "TxtRvsCmd%1", 1)->click();
        QVERIFY(Controls::find<QFrame>(&*w, "TxtRvsFme")->isVisible());
        Controls::find<QRadioButton>(&*w, "TxtRvs%1Opt", 1)->setChecked(true);
        Controls::find<QFrame>(&*w, "TxtRvsFme")
            ->findChild<QPushButton *>(QStringLiteral("TxtRvsEnterCmd"))
            ->click();
        QVERIFY(textObject(w.get())->reverse);

        // Magnification panel.
        Controls::find<QPushButton>(&*w, "TxtYxSizeCmd%1", 1)->click();
        Controls::find<QRadioButton>(&*w, "TxtYSize%1Opt", 3)->setChecked(true);
        Controls::find<QRadioButton>(&*w, "TxtXSize%1Opt", 2)->setChecked(true);
        Controls::find<QFrame>(&*w, "TxtYxSizeFme")
            ->findChild<QPushButton *>(QStringLiteral("TxtYxSizeEnterCmd"))
            ->click();
        QCOMPARE(textObject(w.get())->yMagnification, 3);
        QCOMPARE(textObject(w.get())->xMagnification, 2);

        // A fixed text replaces the goods text.
        Controls::find<QPushButton>(&*w, "TxtExOnCmd")->click();
        type(w.get(), "TxtStringTxt1", QStringLiteral("특가"));
        QCOMPARE(textObject(w.get())->data, QStringLiteral("특가"));

        // Another format.
        Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->click();
        QCOMPARE(p->label().widthDots, dots(40));
        QCOMPARE(p->label().lengthDots, dots(20));
        QCOMPARE(p->label().objects.size(), 1);
        QCOMPARE(p->jobText(), w->buildLabelJob(2, w->activeRow(), 1));
        Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 1)->click();
        QCOMPARE(textObject(w.get())->data, QStringLiteral("특가"));
    }

    // The AL-300's fixed barcode value.
    void fixedBarcodeValue()
    {
        m_model = PrinterModel::AL300;
        writeFiles();
        auto w = openStation();
        auto *al300 = static_cast<AL300Frm *>(w.get());
        type(w.get(), "BarStringTxt1", QStringLiteral("4006381333931"));
        QCOMPARE(al300->formatSet().Fmt[1].Bar[1].BarString, QStringLiteral("4006381333931"));
        QCOMPARE(pane(w.get())->label().objects[0].data, QStringLiteral("4006381333931"));
    }

    // What would not print as designed is listed under the preview.
    void problemsListed_data() { modelRows(); }
    void problemsListed()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        LabelPreviewPane *p = pane(w.get());
        QCOMPARE(p->LabelProblemsLst->count(), 0);
        w->setActiveRow(5); // 88012ABC is no EAN-13
        QCOMPARE(p->LabelProblemsLst->count(), 1);
        QVERIFY(p->LabelProblemsLst->item(0)->text().startsWith(
            QStringLiteral("바코드 EAN-13 \"88012ABC\"")));
        QCOMPARE(p->LabelProblemsLbl->text(), QStringLiteral("확인할 점 1건"));
        // A text pushed off the label is the second.
        type(w.get(), "TxtXxTxt1", QString::number(mm(59)));
        QCOMPARE(p->LabelProblemsLst->count(), 2);
        QVERIFY(p->LabelProblemsLst->item(1)->text().contains(QStringLiteral("라벨 밖")));
        w->setActiveRow(1);
        QCOMPARE(p->LabelProblemsLst->count(), 1);
        type(w.get(), "TxtXxTxt1", QString::number(mm(5)));
        QCOMPARE(p->LabelProblemsLst->count(), 0);
    }

    // Under the picture each barcode's scan check, run after the drawing and updated with
    // every edit: "스캔 확인", or the problem in red.
    void scanCheckUnderThePicture_data() { modelRows(); }
    void scanCheckUnderThePicture()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        LabelPreviewPane *p = pane(w.get());
        QListWidget *list = p->LabelScanLst;
        QTRY_COMPARE(p->scanResults().size(), 1);
        QVERIFY(list->isVisible());
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("EAN-13 8801234567893: 스캔 확인"));
        QVERIFY(p->scanResults().first().scans());

        // The bars moved to 1 mm from the edge: the label is drawn at once, its check follows.
        QSignalSpy checked(p, &LabelPreviewPane::scanChecked);
        type(w.get(), "BarXxTxt1", QString::number(mm(1)));
        QCOMPARE(p->label().objects[0].x, dots(1));
        QVERIFY(p->scanResults().isEmpty());
        QVERIFY(checked.wait());
        QCOMPARE(list->item(0)->text(),
                 QStringLiteral("EAN-13 8801234567893: 스캔 안 됨: 왼쪽 여백 1mm, 라벨 끝에서 "
                                "잘림 (2.8mm 이상이어야 합니다)"));
        QCOMPARE(list->item(0)->foreground().color(), QColor(0xC0, 0x00, 0x00));
        // The count above the findings names the failure too.
        QCOMPARE(p->LabelProblemsLbl->text(), QStringLiteral("확인할 점 1건"));
        // ... and outlined in red in the picture.
        QCOMPARE(p->LabelPreviewCnv->flagged().size(), 1);
        QVERIFY(p->LabelPreviewCnv->flagged().first().contains(QPointF(dots(1) + 20, dots(12))));
        QVERIFY(redPixels(p->LabelPreviewCnv->grab().toImage()) > 50);

        // Another row: data that cannot be drawn does not scan either.
        type(w.get(), "BarXxTxt1", QString::number(mm(5)));
        QVERIFY(p->LabelPreviewCnv->flagged().isEmpty());
        QTRY_VERIFY(p->scanResults().value(0).scans());
        QVERIFY(p->LabelPreviewCnv->flagged().isEmpty());
        w->setActiveRow(5);
        QTRY_COMPARE(p->scanResults().size(), 1);
        QVERIFY(list->item(0)->text().startsWith(
            QStringLiteral("EAN-13 88012ABC: 스캔 안 됨: EAN-13 데이터는 숫자여야 합니다")));
        // A label without barcodes has no list.
        w->setActiveRow(3);
        QVERIFY(!list->isVisible());
    }

    // Fitted, and at real size: the label's millimetres on the screen.
    void zoom()
    {
        writeFiles();
        auto w = openStation();
        LabelPreviewPane *p = pane(w.get());
        LabelPreviewCanvas *canvas = p->LabelPreviewCnv;
        QVERIFY(p->LabelPreviewZoomFitOpt->isChecked());
        const QRectF fitted = canvas->labelRect();
        QVERIFY(QRectF(canvas->rect()).contains(fitted));
        QVERIFY(qAbs(fitted.width() / fitted.height() - 1.5) < 0.01);
        // Fitted: one of the two sides fills the canvas but for its margin.
        QVERIFY(qAbs(fitted.width() - (canvas->width() - 16)) < 1.5 ||
                qAbs(fitted.height() - (canvas->height() - 16)) < 1.5);

        p->LabelPreviewRealOpt->click();
        QVERIFY(canvas->realSize());
        const QRectF real = canvas->labelRect();
        QVERIFY(qAbs(real.width() - 60 * canvas->pixelsPerMm()) < 0.01);
        QVERIFY(qAbs(real.height() - 40 * canvas->pixelsPerMm()) < 0.01);
        QVERIFY(canvas->minimumWidth() >= int(real.width()));
        // A format change keeps the real size.
        Controls::find<QRadioButton>(&*w, "BarForm%1Opt", 2)->click();
        QVERIFY(qAbs(canvas->labelRect().width() - 40 * canvas->pixelsPerMm()) < 0.01);

        p->LabelPreviewZoomFitOpt->click();
        QVERIFY(!canvas->realSize());
        QCOMPARE(canvas->minimumWidth(), 0);
    }

    // The pane draws the label: white paper with dark print on the grey canvas.
    void paneDraws()
    {
        writeFiles();
        auto w = openStation();
        LabelPreviewCanvas *canvas = pane(w.get())->LabelPreviewCnv;
        const QImage image = canvas->grab().toImage();
        const QRect label = canvas->labelRect().toRect().adjusted(2, 2, -2, -2);
        const int white = count(image, label, [](QRgb c) { return qGray(c) > 250; });
        QVERIFY(white > label.width() * label.height() / 2);
        QVERIFY(darkPixels(image, label) > 200);
        QCOMPARE(redPixels(image), 0);
        w->setActiveRow(5);
        QVERIFY(redPixels(canvas->grab().toImage()) > 20);
    }

    // "라벨 PDF": a page for each label of the marked goods, each with its own quantity;
    // goods with quantity 0 or no format give none.
    void labelPdf_data() { modelRows(); }
    void labelPdf()
    {
        setModel();
        writeFiles();
        auto w = openStation();
        for (int r : {1, 2, 3, 4})
            w->document()->setMark(r, true);
        const QString pdf = m_dir->filePath(QStringLiteral("labels.pdf"));
        Dialogs::queueAnswer(pdf);
        Controls::find<QPushButton>(&*w, "LabelPdfCmd")->click();
        QCOMPARE(pdfPages(pdf), 2 + 3);
        const QString text = pdfText(pdf);
        QCOMPARE(int(text.count(QStringLiteral("사과"))), 2);
        QCOMPARE(int(text.count(QStringLiteral("포도"))), 3);
        QVERIFY(!text.contains(QStringLiteral("배")));
        QVERIFY(!text.contains(QStringLiteral("귤")));
        // Each label keeps its own format: pages 1-2 format 1 (60 x 40 mm), 3-5 format 2
        // (40 x 20 mm).
        const double pt = 72 / 25.4;
        QVERIFY(qAbs(pdfPageSize(pdf, 2).width() - 60 * pt) < 0.5);
        QVERIFY(qAbs(pdfPageSize(pdf, 3).width() - 40 * pt) < 0.5);
        QVERIFY(qAbs(pdfPageSize(pdf, 5).height() - 20 * pt) < 0.5);
        QCOMPARE(decode(pdfPage(pdf, 1, 600)), QStringList{"EAN-13:" + ean13("880123456789")});
        const QStringList shown = Dialogs::shown();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].startsWith(QStringLiteral("라벨 PDF 저장|")));
        QVERIFY(shown[1].contains(QStringLiteral("* 라벨 5장을 PDF로 저장했습니다 !")));
        QVERIFY(!shown[1].contains(QStringLiteral("확인할 점")));
        // The marks stay as they were.
        QVERIFY(w->goods()->mark(1) && w->goods()->mark(4) && !w->goods()->mark(5));
    }

    void labelPdfMessages_data()
    {
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QVariant>("answer");     // the file name asked, or none
        QTest::addColumn<QStringList>("message"); // parts of the message shown after it
        QTest::addColumn<int>("pages");           // of "labels.pdf", -1 no file

        QTest::newRow("nothing marked")
            << QList<int>{} << QVariant() << QStringList{"|* 선택된 품목이 없습니다 !"} << -1;
        QTest::newRow("marked goods print nothing")
            << QList<int>{2, 4} << QVariant()
            << QStringList{"|* 선택된 품목에 발행할 수량이나 포멧이 없습니다 !"} << -1;
        QTest::newRow("cancelled") << QList<int>{1} << QVariant() << QStringList{} << -1;
        QTest::newRow("name without .pdf, a doubtful label")
            << QList<int>{5} << QVariant("labels")
            << QStringList{"* 라벨 1장을 PDF로 저장했습니다 !", "labels.pdf\n",
                           "* 확인할 점이 있는 품목이 1개 있습니다 (빨간 표시) !"}
            << 1;
        QTest::newRow("folder missing")
            << QList<int>{1} << QVariant("no/such/labels.pdf")
            << QStringList{"저장오류|* 라벨 PDF를 저장하지 못했습니다 !", "labels.pdf"} << -1;
    }

    void labelPdfMessages()
    {
        QFETCH(QList<int>, marked);
        QFETCH(QVariant, answer);
        QFETCH(QStringList, message);
        QFETCH(int, pages);
        writeFiles();
        auto w = openStation();
        for (int r : marked)
            w->document()->setMark(r, true);
        const bool asks = message.isEmpty() || answer.isValid();
        Dialogs::queueAnswer(answer.isValid() ? QVariant(m_dir->filePath(answer.toString()))
                                              : QVariant());
        Controls::find<QPushButton>(&*w, "LabelPdfCmd")->click();
        const QStringList shown = Dialogs::shown();
        QCOMPARE(shown.size(), (asks ? 1 : 0) + (message.isEmpty() ? 0 : 1));
        if (asks)
            QVERIFY(shown.first().startsWith(QStringLiteral("라벨 PDF 저장|")));
        for (const QString &part : message)
            QVERIFY2(shown.last().contains(part), qPrintable(shown.last()));
        const QString pdf = m_dir->filePath(QStringLiteral("labels.pdf"));
        QCOMPARE(pdfPages(pdf), pages);
        QVERIFY(Controls::find<QPushButton>(&*w, "LabelPdfCmd")->isEnabled());
    }
};

QTEST_MAIN(TestLabelPreview)
#include "test_labelpreview.moc"
