// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/goodstable.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DocumentFile;
class FileQuestions;
class FormatModel;
class GoodsImportPlan;
class PrinterDriver;
class QAbstractItemModel;
class QUndoCommand;
class QUndoStack;
struct BarcodeElement;
struct FormatSet;
struct LabelFormat;
struct TextElement;

// What a label station holds while it is open, apart from its windows: the printer's driver,
// the format set and the goods list (both signal every change), the undo stack of the
// operator's edits, the format on screen, the label stock of the jobs and the station's file
// names. Every edit of the goods and the formats is made through it and is a step of the undo
// stack; the stack starts empty and is cleared when the station reads its files again
// (another writer changed them). Nobody else gets a goods list to change.
//
// The document reads and writes its format file and its goods file itself, remembers what
// it read and never saves over a file another program changed meanwhile without asking its
// FileQuestions (the window that shows it).
class StationDocument : public QObject {
    Q_OBJECT
public:
    explicit StationDocument(const PrinterDriver &driver, QObject *parent = nullptr);
    ~StationDocument() override;

    const PrinterDriver &driver() const { return m_driver; }
    FormatModel *formats() const { return m_formats; }
    const FormatSet &formatSet() const;
    const GoodsTable *goods() const { return m_goods; }
    // The goods list for a view: a mark the view sets is the step setMark().
    QAbstractItemModel *goodsModel() const;
    QUndoStack *undoStack() const { return m_undo; }

    // Goods edits, each one step (false, and no step, when the list would stay as it is).
    // Rows are 1-based.
    bool insertItem(const GoodsItem &item);
    bool updateItem(int row, const GoodsItem &item);
    bool removeItem(int row);
    bool setMark(int row, bool on);
    bool toggleMark(int row);
    bool setAllMarks(bool on);
    bool renumberMarked(int target);
    bool sortGoods(GoodsTable::SortKey key);
    bool importGoods(const GoodsImportPlan &plan);
    // The whole list by these rows (as GoodsTable::rowTexts() gives them), one step `text`.
    bool replaceGoods(const QList<QStringList> &rows, const QString &text);
    // The list as the goods file holds it now (read again because another writer changed
    // it): no step; the steps before no longer fit and are dropped.
    void readGoods(const QStringList &fileLines);

    // The format shown and edited, 1 to 5.
    int currentFormat() const { return m_format; }
    void setCurrentFormat(int format);
    // Label stock of the jobs: black mark ("B") or gap ("G").
    bool blackMarkStock() const { return m_blackMark; }
    void setBlackMarkStock(bool on);

    QString formatFilePath() const { return m_formatFile; }
    QString goodsFilePath() const { return m_goodsFile; }
    QString printCopyFilePath() const { return m_printFile; }
    void setFilePaths(const QString &format, const QString &goods, const QString &printCopy);

    // Who answers the questions about the files (the window; nullptr: nobody, and a file
    // changed by another program is then never written over).
    void setFileQuestions(FileQuestions *questions);
    // Reads the format file and the goods file (taking their editing marks); a file that
    // cannot be read is reported and guarded.
    void openFiles();
    // Saves the format file, then the goods file; false when a write failed (each failure
    // told to the questions). `closing`: the document is closing.
    bool saveFiles(bool closing);
    // Looks whether another program changed either file (`thorough`: by content).
    void checkFiles(bool thorough);
    // Lets the files' editing marks go.
    void releaseFiles();
    // Whether the formats or the goods differ from what the files held when last read or
    // written.
    bool hasUnsavedChanges() const;

    // Makes the command one step of the undo stack (nothing for nullptr); answers whether
    // there was one.
    bool push(std::unique_ptr<QUndoCommand> command);

    // Edits of the format on screen, each one step named by `what` (the field's caption).
    void editLabel(const QString &what, const std::function<void(LabelFormat &)> &change);
    void editBarcode(int barcode, const QString &what,
                     const std::function<void(BarcodeElement &)> &change);
    void editText(int text, const QString &what, const std::function<void(TextElement &)> &change);

    // Changes of one element of the format on screen made on the label itself. show...()
    // sets the element at once and makes no step (a drag as it goes); end...() makes the
    // change from `before` to what the element holds now one step `step` (none when it ends
    // where it began). change...() is one step at once; a `joining` one is taken into the
    // step before it when that changed the same element under the same name (keys held).
    void showBarcode(int barcode, const BarcodeElement &value);
    void showText(int text, const TextElement &value);
    void endBarcode(int barcode, const BarcodeElement &before, const QString &step);
    void endText(int text, const TextElement &before, const QString &step);
    void changeBarcode(int barcode, const BarcodeElement &value, const QString &step, bool joining);
    void changeText(int text, const TextElement &value, const QString &step, bool joining);
    // The name of such a step: "포멧1 바코드1 위치 변경", "포멧2 텍스트3 크기 변경".
    QString elementStep(bool barcode, int index, const QString &what) const;

    // The port and line speed the labels go out by (saved with the formats, but no step of
    // the undo stack).
    void setPort(qint16 port, qint16 speed);

    // The command text of one label: format `format`, goods row `row` (1-based; 0 for none:
    // only the format's fixed texts), `count` copies.
    QString labelJob(int format, int row, int count) const;

Q_SIGNALS:
    void currentFormatChanged(int format);
    void stockChanged(bool blackMark);
    // A file was read again while the document is open (another program changed it).
    void filesReread();

private:
    QString formatStep(const QString &what) const;

    const PrinterDriver &m_driver;
    FormatModel *m_formats;
    GoodsTable *m_goods;
    QUndoStack *m_undo;
    int m_format = 1;
    bool m_blackMark = false;
    QString m_formatFile;
    QString m_goodsFile;
    QString m_printFile;
    FileQuestions *m_questions = nullptr;
    bool m_asking = false; // a question about a changed file is open
    std::unique_ptr<DocumentFile> m_formatFileGuard;
    std::unique_ptr<DocumentFile> m_goodsFileGuard;
};
