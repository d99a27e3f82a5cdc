// SPDX-License-Identifier: GPL-3.0-or-later
// Design on the label: elements chosen, moved and sized in the preview of both stations with
// real mouse and key events, and what follows from it (the format, the field table, the
// preview's job, the saved file, undo and redo).

#include "commands/stationdocument.h"
#include "common/programstate.h"
#include "model/formatmodel.h"
#include "render/elementgeometry.h"
#include "station/al300frm.h"
#include "station/formateditor.h"
#include "station/labeldesigntool.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"
#include "station/srp770frm.h"
#include "support/labelsetfixture.h"
#include "support/stationfixture.h"
#include "widgets/dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <QUndoStack>

namespace {

struct Bed {
    StationFrm *w;
    LabelPreviewPane *pane() const { return w->findChild<LabelPreviewPane *>(); }
    LabelPreviewCanvas *canvas() const { return pane()->LabelPreviewCnv; }
    FormatEditor *editor() const { return w->findChild<FormatEditor *>(); }
    LabelDesignTool *tool() const { return w->findChild<LabelDesignTool *>(); }
    const LabelFormat &format() const { return w->formatSet().Fmt[1]; }
    // The canvas pixel of a point of the label in millimetres.
    QPoint at(const QPointF &mm) const
    {
        const double perMm = canvas()->label().dotsPerMm;
        return canvas()->labelTransform().map(mm * perMm).toPoint();
    }
    QRectF box(bool barcode, int index) const
    {
        return tool()->boxOf({barcode, index}).value_or(ElementGeometry::Box{}).mm;
    }
    // Presses at `from` (mm), moves in steps to `from + by`, and releases unless `hold`.
    void drag(const QPointF &from, const QPointF &by, bool hold = false) const
    {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, at(from));
        for (int i = 1; i <= 4; ++i)
            QTest::mouseMove(canvas(), at(from + by * i / 4));
        if (!hold)
            QTest::mouseRelease(canvas(), Qt::LeftButton, {}, at(from + by));
    }
};

// The station as the operator sees it, when screenshots are asked for.
void shoot(QWidget &w, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("LABELSTATION_SCREENSHOTS"); !dir.isEmpty()) {
        w.resize(1366, 768);
        QCoreApplication::processEvents();
        w.grab().save(dir + "/" + name);
        w.resize(2600, 1500);
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestLabelDesign : public QObject {
    Q_OBJECT
    StationFixture m_fx;

    template <typename Frm> std::unique_ptr<Frm> open()
    {
        auto w = m_fx.open<Frm>();
        // A large preview: a pixel is well under the AL-300's 0.1 mm.
        w->resize(2600, 1500);
        w->setActiveRow(1); // the label of the first goods row
        QCoreApplication::processEvents();
        return w;
    }

private Q_SLOTS:
    void init()
    {
        m_fx.setUp();
        QVERIFY(LabelSetFixture::write(m_fx.dataDir(), "/dev/null"));
        Program().BarcodeSetNo = 0;
    }
    void cleanup() { m_fx.tearDown(); }

    // AL-300: the barcode dragged 12.5 mm right; the X box follows while dragging, the drop is
    // one step, the preview's job and the saved file have the new place, undo and redo.
    void dragOnTheAl300()
    {
        auto w = open<AL300Frm>();
        changeFormat(*w, 1, [](LabelFormat &f) { f.LblWidth = 600; });
        Bed b{w.get()};
        const QRectF bar = b.box(true, 1);
        QVERIFY(!bar.isEmpty());
        const int steps = w->undoStack()->count();
        b.drag(bar.center(), {12.5, 0}, true);
        QCOMPARE(b.format().Bar[1].BarXx, 80 + 125);
        QCOMPARE(b.editor()->BarXxTxt[1]->text(), "205");
        QVERIFY2(b.pane()->LabelDesignLbl->text().startsWith("바코드1  X 20.5 mm  Y 11.0 mm"),
                 qPrintable(b.pane()->LabelDesignLbl->text()));
        QCOMPARE(w->undoStack()->count(), steps);
        shoot(*w, "design-drag.png");
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {}, b.at(bar.center() + QPointF(12.5, 0)));
        QCOMPARE(w->undoStack()->count(), steps + 1);
        QCOMPARE(w->undoStack()->text(steps), "포멧1 바코드1 위치 변경");
        QVERIFY2(b.pane()->jobText().contains(",0110,205,"), qPrintable(b.pane()->jobText()));
        QVERIFY(w->saveFiles());
        QFile file(m_fx.dataPath("AL300Frm[00].Txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY2(saved.contains("<BarXx(1:01)>'205"), saved.left(400).constData());
        w->undoStack()->undo();
        QCOMPARE(b.format().Bar[1].BarXx, 80);
        QCOMPARE(b.editor()->BarXxTxt[1]->text(), "80");
        w->undoStack()->redo();
        QCOMPARE(b.format().Bar[1].BarXx, 205);
    }

    // SRP-770: 7 mm down; the element is chosen by the click, its row marked, and a click
    // into another row's box chooses that row's element on the label.
    void dragOnTheSrp770()
    {
        auto w = open<SRP770Frm>();
        Bed b{w.get()};
        const QRectF bar = b.box(true, 1);
        b.drag(bar.center(), {0, 7});
        QCOMPARE(b.format().Bar[1].BarYy, 17);
        QCOMPARE(b.editor()->BarYyTxt[1]->text(), "17");
        QCOMPARE(w->undoStack()->text(w->undoStack()->count() - 1), "포멧1 바코드1 위치 변경");
        QVERIFY2(b.pane()->jobText().contains("B140,136,"), qPrintable(b.pane()->jobText()));
        QVERIFY(b.editor()->BarCapLbl[1]->autoFillBackground());
        // Without a goods row the barcode has no value and prints nothing: it keeps its place.
        const StationDocument *d = w->document();
        const auto empty = ElementGeometry::box(d->driver(), d->formatSet(), 1, {}, true, 1);
        QVERIFY(empty && qAbs(empty->mm.left() - b.box(true, 1).left()) < 0.2);
        QVERIFY(!b.canvas()->selection().isEmpty());
        QTest::mouseClick(b.editor()->TxtYyTxt[1], Qt::LeftButton);
        QCOMPARE(b.tool()->selected(), (LabelDesignTool::Element{false, 1}));
        QVERIFY(b.editor()->TxtCapLbl[1]->autoFillBackground());
        QVERIFY(!b.editor()->BarCapLbl[1]->autoFillBackground());
        w->undoStack()->undo();
        QCOMPARE(b.format().Bar[1].BarYy, 10);
    }

    // Escape during a drag puts the element back, no step; an element stops at the edge.
    void escapeAndTheEdge()
    {
        auto w = open<SRP770Frm>();
        Bed b{w.get()};
        const QRectF bar = b.box(true, 1);
        const int steps = w->undoStack()->count();
        b.drag(bar.center(), {6, 3}, true);
        QCOMPARE(b.format().Bar[1].BarXx, 11);
        QTest::keyClick(b.canvas(), Qt::Key_Escape);
        QCOMPARE(b.format().Bar[1].BarXx, 5);
        QCOMPARE(b.format().Bar[1].BarYy, 10);
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {}, b.at(bar.center() + QPointF(6, 3)));
        QCOMPARE(w->undoStack()->count(), steps);

        b.drag(bar.center(), {100, -100});
        const QRectF moved = b.box(true, 1);
        QCOMPARE(moved.top(), 0.0);
        QVERIFY2(moved.right() <= 60 && moved.right() > 59,
                 qPrintable(QString::number(moved.right())));
    }

    // A barcode's bottom grip makes it higher, its top grip lower from above; a text's corner
    // grip makes it larger in whole steps.
    void gripsForHeightAndSize()
    {
        auto w = open<SRP770Frm>();
        Bed b{w.get()};
        QTest::mouseClick(b.canvas(), Qt::LeftButton, {}, b.at(b.box(true, 1).center()));
        const QRectF bar = b.canvas()->gripRect(LabelPreviewCanvas::BottomGrip);
        QVERIFY(!bar.isEmpty());
        shoot(*w, "design-selection.png");
        const double perMm = b.canvas()->labelTransform().m11() * 8;
        QTest::mousePress(b.canvas(), Qt::LeftButton, {}, bar.center().toPoint());
        QTest::mouseMove(b.canvas(), (bar.center() + QPointF(0, 3 * perMm)).toPoint());
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {},
                            (bar.center() + QPointF(0, 3 * perMm)).toPoint());
        QCOMPARE(b.format().Bar[1].BarHeight, 13);
        QCOMPARE(w->undoStack()->text(w->undoStack()->count() - 1), "포멧1 바코드1 높이 변경");
        const QRectF top = b.canvas()->gripRect(LabelPreviewCanvas::TopGrip);
        QTest::mousePress(b.canvas(), Qt::LeftButton, {}, top.center().toPoint());
        QTest::mouseMove(b.canvas(), (top.center() + QPointF(0, 2 * perMm)).toPoint());
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {},
                            (top.center() + QPointF(0, 2 * perMm)).toPoint());
        QCOMPARE(b.format().Bar[1].BarYy, 12);
        QCOMPARE(b.format().Bar[1].BarHeight, 11);

        const QRectF text = b.box(false, 1);
        QTest::mouseClick(b.canvas(), Qt::LeftButton, {}, b.at(text.center()));
        const QRectF corner = b.canvas()->gripRect(LabelPreviewCanvas::CornerGrip);
        const QPointF to = corner.center() + QPointF(text.width(), text.height() * 0.4) * perMm;
        QTest::mousePress(b.canvas(), Qt::LeftButton, {}, corner.center().toPoint());
        QTest::mouseMove(b.canvas(), to.toPoint());
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {}, to.toPoint());
        QCOMPARE(b.format().Txt[1].TxtXSize, 2);
        QCOMPARE(b.format().Txt[1].TxtYSize, 1);
        QCOMPARE(w->undoStack()->text(w->undoStack()->count() - 1), "포멧1 텍스트1 크기 변경");
    }

    // The arrow keys: a unit, ten with Shift; a key held (repeats) is one step.
    void arrowKeys()
    {
        auto w = open<AL300Frm>();
        Bed b{w.get()};
        QTest::mouseClick(b.canvas(), Qt::LeftButton, {}, b.at(b.box(false, 2).center()));
        const int steps = w->undoStack()->count();
        QTest::keyClick(b.canvas(), Qt::Key_Left);
        QCOMPARE(b.format().Txt[2].TxtXx, 139);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(b.canvas(), &repeat);
        }
        QCOMPARE(b.format().Txt[2].TxtXx, 136);
        QCOMPARE(w->undoStack()->count(), steps + 1);
        QTest::keyClick(b.canvas(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(b.format().Txt[2].TxtYy, 70);
        QCOMPARE(w->undoStack()->count(), steps + 2);
        w->undoStack()->undo();
        w->undoStack()->undo();
        QCOMPARE(b.format().Txt[2].TxtXx, 140);
        QCOMPARE(b.format().Txt[2].TxtYy, 60);
    }

    // A label printed turned: the element goes the way the mouse and the keys go on screen.
    void turnedLabel()
    {
        auto w = open<SRP770Frm>();
        changeFormat(*w, 1, [](LabelFormat &f) { f.LblDegree = 1; });
        Bed b{w.get()};
        QVERIFY(b.canvas()->label().reversed);
        const QRectF bar = b.box(true, 1);
        const QPoint from = b.at(bar.center());
        const double perMm = qAbs(b.canvas()->labelTransform().m11()) * 8;
        QTest::mousePress(b.canvas(), Qt::LeftButton, {}, from);
        QTest::mouseMove(b.canvas(), from + QPoint(qRound(4 * perMm), 0));
        QTest::mouseRelease(b.canvas(), Qt::LeftButton, {}, from + QPoint(qRound(4 * perMm), 0));
        QCOMPARE(b.format().Bar[1].BarXx, 1);
        QTest::keyClick(b.canvas(), Qt::Key_Left);
        QCOMPARE(b.format().Bar[1].BarXx, 2);
    }
};

QTEST_MAIN(TestLabelDesign)
#include "test_labeldesign.moc"
