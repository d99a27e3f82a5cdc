// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300frm.h"
#include "support/addrow.h"
#include "station/srp770frm.h"
#include "station/labelpreviewcanvas.h"
#include "station/labelpreviewpane.h"
#include "support/controls.h"
#include "support/stationfixture.h"
#include "tools/sampledata.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <QUndoStack>

using Controls::find;

namespace {

// What the operator sees of the label preview: the command text it draws and the picture.
struct PreviewState {
    QString job;
    QImage picture;
    bool operator==(const PreviewState &) const = default;
};

PreviewState previewOf(StationFrm *station)
{
    auto *pane = find<LabelPreviewPane>(station, "LabelPreviewFme");
    return {pane->jobText(), pane->LabelPreviewCnv->grab().toImage()};
}

// Ctrl+Z, Ctrl+Y or Ctrl+Shift+Z where the operator's focus is.
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, mods);
}

// The button names `step` after its caption ("되돌리기: …"); a text too long for the button
// is cut with "…" and the tooltip has it whole.
bool buttonNames(const QPushButton *button, const QString &caption, const QString &step)
{
    const QString whole = caption + QStringLiteral(": ") + step;
    const QString shown = button->text();
    return button->isEnabled() && button->toolTip().startsWith(whole + QStringLiteral(" (")) &&
           (shown == whole ||
            (shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1))));
}

} // namespace

// Undo and redo in both stations as the operator gives them: an edit typed or keyed, then
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; the list, the format editor and the label preview show
// each state in turn, and the buttons name the next step.
class TestStationUndo : public QObject, private StationFixture {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { tearDown(); }

    void formatEditByKeys_data();
    void formatEditByKeys();
    void deleteByKeys_data();
    void deleteByKeys();
    void typingUndoneInTheBoxFirst_data();
    void typingUndoneInTheBoxFirst();
    void portIsNoStep_data() { stations(); }
    void portIsNoStep();

private:
    std::unique_ptr<StationFrm> openModel(const QString &form)
    {
        if (form == QLatin1String("AL300Frm"))
            return open<AL300Frm>();
        return open<SRP770Frm>();
    }
    static void stations()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("typed");
        addRow("SRP-770", "SRP770Frm", QString("45"));
        addRow("AL-300", "AL300Frm", QString("450"));
    }
};

void TestStationUndo::init()
{
    setUp();
    QString error;
    QVERIFY2(SampleData::write(dataDir(), &error), qPrintable(error));
}

void TestStationUndo::formatEditByKeys_data()
{
    stations();
}

void TestStationUndo::formatEditByKeys()
{
    QFETCH(QString, form);
    QFETCH(QString, typed);
    auto frm = openModel(form);
    QUndoStack *stack = frm->undoStack();
    auto *undo = find<QPushButton>(frm.get(), "UndoCmd");
    auto *redo = find<QPushButton>(frm.get(), "RedoCmd");
    QCOMPARE(stack->count(), 0); // a station opens with nothing to undo
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(undo->text(), QString("되돌리기"));

    auto *length = find<QLineEdit>(frm.get(), "LblLengTxt");
    const QString shown = length->text();
    const qint32 before = frm->formatSet().Fmt[1].LblLeng;
    const PreviewState original = previewOf(frm.get());
    QTest::mouseClick(length, Qt::LeftButton);
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(length, typed);
    QTest::keyClick(length, Qt::Key_Return); // on to the width box: stored
    QCOMPARE(QApplication::focusWidget(), find<QLineEdit>(frm.get(), "LblWidthTxt"));
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, typed.toInt());
    const PreviewState edited = previewOf(frm.get());
    QVERIFY(edited.job != original.job);
    QVERIFY(edited.picture != original.picture);
    QCOMPARE(stack->count(), 1);
    const QString step = QStringLiteral("포멧1 라벨 길이 변경");
    QVERIFY2(buttonNames(undo, "되돌리기", step), qPrintable(undo->text()));

    // Undo, redo, and once more with the other redo key; the editor and the preview follow.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        bool done;
    } keys[] = {{Qt::Key_Z, Qt::ControlModifier, false},
                {Qt::Key_Y, Qt::ControlModifier, true},
                {Qt::Key_Z, Qt::ControlModifier, false},
                {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, true}};
    for (const auto &k : keys) {
        press(k.key, k.mods);
        QCOMPARE(frm->formatSet().Fmt[1].LblLeng, k.done ? typed.toInt() : before);
        QCOMPARE(length->text(), k.done ? typed : shown);
        QVERIFY(previewOf(frm.get()) == (k.done ? edited : original));
        QCOMPARE(stack->index(), k.done ? 1 : 0);
        QVERIFY(k.done ? buttonNames(undo, "되돌리기", step) : !undo->isEnabled());
        QVERIFY(k.done ? !redo->isEnabled() : buttonNames(redo, "다시 실행", step));
    }

    // Saving keeps the steps: the edit can still be taken back afterwards.
    QTest::mouseClick(find<QPushButton>(frm.get(), "ChtWriteCmd"), Qt::LeftButton);
    QCOMPARE(stack->count(), 1);
    QVERIFY(buttonNames(undo, "되돌리기", step));
    press(Qt::Key_Z);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, before);
    QVERIFY(previewOf(frm.get()) == original);
}

void TestStationUndo::deleteByKeys_data()
{
    stations();
}

void TestStationUndo::deleteByKeys()
{
    QFETCH(QString, form);
    auto frm = openModel(form);
    const GoodsTable *goods = frm->goods();
    QVERIFY(goods->rows() >= 3);
    const QList<QStringList> rows = goods->rowTexts();
    auto *grid = find<QTableView>(frm.get(), "vaSpread1");
    const QRect cell = grid->visualRect(goods->index(1, GoodsTable::NameColumn - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(frm->activeRow(), 2);
    const PreviewState second = previewOf(frm.get());

    Dialogs::queueAnswer(true);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(goods->rows(), rows.size() - 1);
    QVERIFY(previewOf(frm.get()) != second); // another goods item under the cursor
    const QString step = QStringLiteral("%1번 품목 삭제").arg(rows[1][0].toInt());
    QVERIFY2(buttonNames(find<QPushButton>(frm.get(), "UndoCmd"), "되돌리기", step),
             qPrintable(find<QPushButton>(frm.get(), "UndoCmd")->text()));

    // The row comes back at its place with every cell, under the cursor.
    press(Qt::Key_Z);
    QCOMPARE(goods->rowTexts(), rows);
    QCOMPARE(frm->activeRow(), 2);
    QVERIFY(previewOf(frm.get()) == second);
    QVERIFY(buttonNames(find<QPushButton>(frm.get(), "RedoCmd"), "다시 실행", step));

    press(Qt::Key_Y);
    QCOMPARE(goods->rows(), rows.size() - 1);
    QCOMPARE(goods->rowTexts(), rows.mid(0, 1) + rows.mid(2));
    press(Qt::Key_Z, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(goods->rowTexts(), rows.mid(0, 1) + rows.mid(2));
}

void TestStationUndo::typingUndoneInTheBoxFirst_data()
{
    stations();
}

// Ctrl+Z in a box takes back what was typed there first; with nothing typed to take back it
// is the station's undo.
void TestStationUndo::typingUndoneInTheBoxFirst()
{
    QFETCH(QString, form);
    QFETCH(QString, typed);
    auto frm = openModel(form);
    auto *length = find<QLineEdit>(frm.get(), "LblLengTxt");
    auto *width = find<QLineEdit>(frm.get(), "LblWidthTxt");
    const qint32 before = frm->formatSet().Fmt[1].LblLeng;
    const QString widthShown = width->text();
    QTest::mouseClick(length, Qt::LeftButton);
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(length, typed);
    QTest::keyClick(length, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), width);
    QTest::keyClick(width, Qt::Key_End);
    QTest::keyClicks(width, "7");
    QCOMPARE(width->text(), widthShown + "7");

    press(Qt::Key_Z);
    QCOMPARE(width->text(), widthShown);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, typed.toInt()); // the station's step stays
    QCOMPARE(frm->undoStack()->index(), 1);
    press(Qt::Key_Z);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, before);
    QCOMPARE(frm->undoStack()->index(), 0);
}

// Choosing a port or a speed is a setting of the station: Ctrl+Z after a label edit takes
// back the edit and leaves the port chosen since.
void TestStationUndo::portIsNoStep()
{
    QFETCH(QString, form);
    QFETCH(QString, typed);
    auto frm = openModel(form);
    auto *length = find<QLineEdit>(frm.get(), "LblLengTxt");
    const qint32 before = frm->formatSet().Fmt[1].LblLeng;
    QTest::mouseClick(length, Qt::LeftButton);
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(length, typed);
    QTest::keyClick(length, Qt::Key_Return);
    const int port = frm->formatSet().BarComPort == 2 ? 1 : 2;
    const int speed = frm->formatSet().BarComSpeed == 3 ? 4 : 3;
    QTest::mouseClick(find<QRadioButton>(frm.get(), QStringLiteral("BarComPortOpt%1").arg(port)),
                      Qt::LeftButton);
    QTest::mouseClick(find<QRadioButton>(frm.get(), QStringLiteral("BarComSpeedOpt%1").arg(speed)),
                      Qt::LeftButton);
    QCOMPARE(frm->undoStack()->count(), 1);
    length->setFocus();
    press(Qt::Key_Z);
    QCOMPARE(frm->formatSet().Fmt[1].LblLeng, before);
    QCOMPARE(frm->formatSet().BarComPort, qint16(port));
    QCOMPARE(frm->formatSet().BarComSpeed, qint16(speed));
}

QTEST_MAIN(TestStationUndo)
#include "test_stationundo.moc"
