// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/addrow.h"
#include "model/formatfile.h"
#include "model/formatmodel.h"
#include "commands/stationdocument.h"
#include "printers/printers.h"
#include "support/goodsfilefixture.h"
#include "support/labelsetfixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <QUndoStack>

#include <functional>

using GoodsFileFixture::readBytes;

namespace {

using Edit = std::function<void(StationDocument &)>;

} // namespace

Q_DECLARE_METATYPE(FormatPart)

// Edits of a station's format set as steps of its undo stack, without a window: every edit
// tells the listeners which part of which format changed, and undo gives back the very
// format file.
class TestFormatCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedo_data();
    void undoAndRedo();
    void unchangedValueIsNoStep();
    void portIsNoStep();
    void stepsUndoneInTurn();
};

void TestFormatCommands::undoAndRedo_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("format"); // on screen
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<FormatPart>("part");
    QTest::addColumn<int>("element");
    const int srp = int(PrinterModel::SRP770), al = int(PrinterModel::AL300);
    addRow("barcode Y", srp, 1,
           Edit([](StationDocument &d) { d.editBarcode(1, "Y", [](auto &e) { e.BarYy = 12; }); }),
           "포멧1 바코드#1 Y 변경", FormatPart::Barcode, 1);
    addRow("barcode type panel", srp, 2, Edit([](StationDocument &d) {
               d.editBarcode(3, "종류", [](auto &e) {
                   e.BarCode = 9;
                   e.BarDen = 37;
               });
           }),
           "포멧2 바코드#3 종류 변경", FormatPart::Barcode, 3);
    addRow("fixed text", srp, 2, Edit([](StationDocument &d) {
               d.editText(3, "고정문자", [](auto &e) { e.TxtString = QStringLiteral("할인"); });
           }),
           "포멧2 텍스트#03 고정문자 변경", FormatPart::Text, 3);
    addRow("text 20 font", srp, 5,
           Edit([](StationDocument &d) { d.editText(20, "폰트", [](auto &e) { e.TxtFont = 6; }); }),
           "포멧5 텍스트#20 폰트 변경", FormatPart::Text, 20);
    addRow("label length", srp, 1, Edit([](StationDocument &d) {
               d.editLabel("라벨 길이", [](auto &f) { f.LblLeng = 55; });
           }),
           "포멧1 라벨 길이 변경", FormatPart::Label, 0);
    addRow("AL-300 cut", al, 4,
           Edit([](StationDocument &d) { d.editLabel("절단", [](auto &f) { f.LblCut = 1; }); }),
           "포멧4 절단 변경", FormatPart::Label, 0);
    addRow("AL-300 fixed barcode", al, 2, Edit([](StationDocument &d) {
               d.editBarcode(2, "고정문자", [](auto &e) { e.BarString = QStringLiteral("123"); });
           }),
           "포멧2 바코드#2 고정문자 변경", FormatPart::Barcode, 2);
    addRow("AL-300 input class", al, 1,
           Edit([](StationDocument &d) { d.editText(10, "입력", [](auto &e) { e.TxtEdit = 3; }); }),
           "포멧1 텍스트#10 입력 변경", FormatPart::Text, 10);
}

void TestFormatCommands::undoAndRedo()
{
    QFETCH(int, model);
    QFETCH(int, format);
    QFETCH(Edit, edit);
    QFETCH(QString, text);
    QFETCH(FormatPart, part);
    QFETCH(int, element);
    const PrinterDriver &driver = Printers::of(PrinterModel(model));
    const bool al = PrinterModel(model) == PrinterModel::AL300;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Frm[00].Txt"));
    StationDocument doc(driver);
    doc.formats()->replace(al ? LabelSetFixture::al300Formats() : LabelSetFixture::srp770Formats());
    doc.setCurrentFormat(format);
    QVERIFY(FormatFile::save(doc.formatSet(), file, driver));
    const QByteArray original = readBytes(file);
    const FormatSet before = doc.formatSet();

    QSignalSpy changed(doc.formats(), &FormatModel::changed);
    edit(doc);
    QCOMPARE(doc.undoStack()->count(), 1);
    QCOMPARE(doc.undoStack()->undoText(), text);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].value<FormatPart>(), part);
    QCOMPARE(changed[0][1].toInt(), part == FormatPart::Port ? 0 : format);
    QCOMPARE(changed[0][2].toInt(), element);
    QVERIFY(FormatFile::save(doc.formatSet(), file, driver));
    const QByteArray edited = readBytes(file);
    QVERIFY(edited != original);

    doc.undoStack()->undo();
    QCOMPARE(doc.formatSet(), before);
    QVERIFY(FormatFile::save(doc.formatSet(), file, driver));
    QCOMPARE(readBytes(file), original);
    QCOMPARE(changed.size(), 2);

    doc.undoStack()->redo();
    QVERIFY(FormatFile::save(doc.formatSet(), file, driver));
    QCOMPARE(readBytes(file), edited);
}

// Leaving a box without changing its value is no step.
void TestFormatCommands::unchangedValueIsNoStep()
{
    StationDocument doc(Printers::srp770());
    doc.formats()->replace(LabelSetFixture::srp770Formats());
    QSignalSpy changed(doc.formats(), &FormatModel::changed);
    doc.editBarcode(1, QStringLiteral("Y"), [](BarcodeElement &e) { e.BarYy = 10; });
    doc.setPort(3, 1);
    doc.editText(99, QStringLiteral("Y"), [](TextElement &e) { e.TxtYy = 1; });
    QCOMPARE(doc.undoStack()->count(), 0);
    QCOMPARE(changed.size(), 0);
}

// The port and speed are the station's settings: no step, and an undo of a label edit made
// before them leaves them as chosen.
void TestFormatCommands::portIsNoStep()
{
    StationDocument doc(Printers::srp770());
    doc.formats()->replace(LabelSetFixture::srp770Formats());
    doc.editLabel(QStringLiteral("라벨 길이"), [](LabelFormat &f) { f.LblLeng = 55; });
    QSignalSpy changed(doc.formats(), &FormatModel::changed);
    doc.setPort(2, 4);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].value<FormatPart>(), FormatPart::Port);
    QCOMPARE(doc.undoStack()->count(), 1);
    doc.undoStack()->undo();
    QCOMPARE(doc.formatSet().BarComPort, qint16(2));
    QCOMPARE(doc.formatSet().BarComSpeed, qint16(4));
}

// Edits of several formats undone last first, each restoring its own format.
void TestFormatCommands::stepsUndoneInTurn()
{
    StationDocument doc(Printers::srp770());
    const FormatSet start = LabelSetFixture::srp770Formats();
    doc.formats()->replace(start);
    doc.editLabel(QStringLiteral("라벨 폭"), [](LabelFormat &f) { f.LblWidth = 70; });
    doc.setCurrentFormat(2);
    doc.editLabel(QStringLiteral("방향"), [](LabelFormat &f) { f.LblDegree = 0; });
    doc.editText(1, QStringLiteral("Y"), [](TextElement &e) { e.TxtYy = 3; });
    QCOMPARE(doc.undoStack()->count(), 3);
    doc.undoStack()->undo();
    QCOMPARE(doc.formatSet().Fmt[2].Txt[1], start.Fmt[2].Txt[1]);
    QCOMPARE(doc.formatSet().Fmt[2].LblDegree, qint16(0));
    doc.undoStack()->undo();
    doc.undoStack()->undo();
    QCOMPARE(doc.formatSet(), start);
    doc.undoStack()->redo();
    QCOMPARE(doc.formatSet().Fmt[1].LblWidth, 70);
}

QTEST_GUILESS_MAIN(TestFormatCommands)
#include "test_formatcommands.moc"
