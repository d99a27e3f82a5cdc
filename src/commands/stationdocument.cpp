// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationdocument.h"

#include "commands/documentfile.h"
#include "commands/filequestions.h"
#include "commands/formateditcommand.h"
#include "commands/goodscommands.h"
#include "common/textfile.h"
#include "model/formatfile.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/printerdriver.h"

#include <QUndoStack>

StationDocument::StationDocument(const PrinterDriver &driver, QObject *parent)
    : QObject(parent), m_driver(driver), m_formats(new FormatModel(this)),
      m_goods(new GoodsTable(this)), m_undo(new QUndoStack(this))
{
    // A mark clicked in a grid is a step like the select command.
    m_goods->setViewMarkHandler([this](int row, bool on) { setMark(row, on); });
    // A file read while the document is open (another writer changed it) replaces what it
    // holds: the steps of the undo stack no longer apply and are dropped.
    m_formatFileGuard = std::make_unique<DocumentFile>(
        QStringLiteral("포멧"),
        DocumentFile::Content{
            [this] { return TextFile::toBytes(FormatFile::toLines(formatSet(), m_driver)); },
            [this](const QByteArray &bytes) {
                FormatSet set;
                FormatFile::fromLines(set, TextFile::splitLines(bytes), m_driver);
                m_undo->clear();
                m_formats->replace(set);
            },
            [this] { Q_EMIT filesReread(); }},
        m_asking);
    m_goodsFileGuard = std::make_unique<DocumentFile>(
        QStringLiteral("품목"),
        DocumentFile::Content{
            [this] { return TextFile::toBytes(m_goods->toFileLines()); },
            [this](const QByteArray &bytes) { readGoods(TextFile::splitLines(bytes)); },
            [this] { Q_EMIT filesReread(); }},
        m_asking);
}

void StationDocument::setFileQuestions(FileQuestions *questions)
{
    m_questions = questions;
    m_formatFileGuard->setQuestions(questions);
    m_goodsFileGuard->setQuestions(questions);
}

void StationDocument::openFiles()
{
    m_formatFileGuard->open(m_formatFile);
    m_goodsFileGuard->open(m_goodsFile);
}

bool StationDocument::saveFiles(bool closing)
{
    bool ok = true;
    for (DocumentFile *file : {m_formatFileGuard.get(), m_goodsFileGuard.get()}) {
        QString error;
        if (file->save(closing, &error) == DocumentFile::Saved::Failed) {
            ok = false;
            if (m_questions)
                m_questions->saveFailed(file->what(), file->path(), error);
        }
    }
    return ok;
}

void StationDocument::checkFiles(bool thorough)
{
    m_formatFileGuard->checkForChange(thorough);
    m_goodsFileGuard->checkForChange(thorough);
}

bool StationDocument::hasUnsavedChanges() const
{
    return m_formatFileGuard->changed() || m_goodsFileGuard->changed();
}

void StationDocument::releaseFiles()
{
    m_formatFileGuard->release();
    m_goodsFileGuard->release();
}

QAbstractItemModel *StationDocument::goodsModel() const
{
    return m_goods;
}

bool StationDocument::insertItem(const GoodsItem &item)
{
    return push(GoodsCommands::insert(*m_goods, item));
}

bool StationDocument::updateItem(int row, const GoodsItem &item)
{
    return push(GoodsCommands::update(*m_goods, row - 1, item));
}

bool StationDocument::removeItem(int row)
{
    return push(GoodsCommands::remove(*m_goods, row - 1));
}

bool StationDocument::setMark(int row, bool on)
{
    return push(GoodsCommands::setMark(*m_goods, row - 1, on));
}

bool StationDocument::toggleMark(int row)
{
    return push(GoodsCommands::toggleMark(*m_goods, row - 1));
}

bool StationDocument::setAllMarks(bool on)
{
    return push(GoodsCommands::setAllMarks(*m_goods, on));
}

bool StationDocument::renumberMarked(int target)
{
    return push(GoodsCommands::renumberMarked(*m_goods, target));
}

bool StationDocument::sortGoods(GoodsTable::SortKey key)
{
    return push(GoodsCommands::sort(*m_goods, key));
}

bool StationDocument::importGoods(const GoodsImportPlan &plan)
{
    return push(GoodsCommands::import(*m_goods, plan));
}

bool StationDocument::replaceGoods(const QList<QStringList> &rows, const QString &text)
{
    return push(GoodsCommands::replaceAll(*m_goods, rows, text));
}

void StationDocument::readGoods(const QStringList &fileLines)
{
    m_undo->clear();
    m_goods->fromFileLines(fileLines);
}

StationDocument::~StationDocument()
{
    // The commands refer to the models: they go first.
    m_undo->clear();
}

const FormatSet &StationDocument::formatSet() const
{
    return m_formats->set();
}

void StationDocument::setCurrentFormat(int format)
{
    if (!FormatModel::validFormat(format) || format == m_format)
        return;
    m_format = format;
    Q_EMIT currentFormatChanged(format);
}

void StationDocument::setBlackMarkStock(bool on)
{
    if (on == m_blackMark)
        return;
    m_blackMark = on;
    Q_EMIT stockChanged(on);
}

void StationDocument::setFilePaths(const QString &format, const QString &goods,
                                   const QString &printCopy)
{
    m_formatFile = format;
    m_goodsFile = goods;
    m_printFile = printCopy;
}

bool StationDocument::push(std::unique_ptr<QUndoCommand> command)
{
    if (!command)
        return false;
    m_undo->push(command.release());
    return true;
}

QString StationDocument::formatStep(const QString &what) const
{
    return QStringLiteral("포멧%1 %2 변경").arg(m_format).arg(what);
}

void StationDocument::editLabel(const QString &what,
                                const std::function<void(LabelFormat &)> &change)
{
    LabelFormat f = m_formats->format(m_format);
    change(f);
    push(FormatEditCommand::format(*m_formats, m_format, f, formatStep(what)));
}

void StationDocument::editBarcode(int barcode, const QString &what,
                                  const std::function<void(BarcodeElement &)> &change)
{
    if (!FormatModel::validBarcode(barcode))
        return;
    BarcodeElement e = m_formats->format(m_format).Bar[barcode];
    change(e);
    push(FormatEditCommand::barcode(
        *m_formats, m_format, barcode, e,
        formatStep(QStringLiteral("바코드#%1 %2").arg(barcode).arg(what))));
}

void StationDocument::editText(int text, const QString &what,
                               const std::function<void(TextElement &)> &change)
{
    if (!FormatModel::validText(text))
        return;
    TextElement e = m_formats->format(m_format).Txt[text];
    change(e);
    push(FormatEditCommand::text(
        *m_formats, m_format, text, e,
        formatStep(QStringLiteral("텍스트#%1 %2").arg(text, 2, 10, QLatin1Char('0')).arg(what))));
}

void StationDocument::showBarcode(int barcode, const BarcodeElement &value)
{
    if (FormatModel::validBarcode(barcode))
        m_formats->setBarcode(m_format, barcode, value);
}

void StationDocument::showText(int text, const TextElement &value)
{
    if (FormatModel::validText(text))
        m_formats->setText(m_format, text, value);
}

void StationDocument::endBarcode(int barcode, const BarcodeElement &before, const QString &step)
{
    if (FormatModel::validBarcode(barcode))
        push(FormatEditCommand::barcodeChange(*m_formats, m_format, barcode, before,
                                              m_formats->format(m_format).Bar[barcode], step));
}

void StationDocument::endText(int text, const TextElement &before, const QString &step)
{
    if (FormatModel::validText(text))
        push(FormatEditCommand::textChange(*m_formats, m_format, text, before,
                                           m_formats->format(m_format).Txt[text], step));
}

void StationDocument::changeBarcode(int barcode, const BarcodeElement &value, const QString &step,
                                    bool joining)
{
    if (FormatModel::validBarcode(barcode))
        push(FormatEditCommand::barcodeChange(*m_formats, m_format, barcode,
                                              m_formats->format(m_format).Bar[barcode], value, step,
                                              joining));
}

void StationDocument::changeText(int text, const TextElement &value, const QString &step,
                                 bool joining)
{
    if (FormatModel::validText(text))
        push(FormatEditCommand::textChange(*m_formats, m_format, text,
                                           m_formats->format(m_format).Txt[text], value, step,
                                           joining));
}

QString StationDocument::elementStep(bool barcode, int index, const QString &what) const
{
    return QStringLiteral("포멧%1 %2%3 %4 변경")
        .arg(m_format)
        .arg(barcode ? QStringLiteral("바코드") : QStringLiteral("텍스트"))
        .arg(index)
        .arg(what);
}

void StationDocument::setPort(qint16 port, qint16 speed)
{
    // Where the labels go is a setting of the station, not an edit of the label: no step,
    // and an undo of an edit leaves it as it is.
    m_formats->setPort(port, speed);
}

QString StationDocument::labelJob(int format, int row, int count) const
{
    return m_driver.labelJob(formatSet(), format, LabelJob::rowBarcodes(*m_goods, row),
                             LabelJob::rowTexts(*m_goods, row), count, m_blackMark);
}
