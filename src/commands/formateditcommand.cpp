// SPDX-License-Identifier: GPL-3.0-or-later
#include "formateditcommand.h"

#include "model/formatmodel.h"

FormatEditCommand::FormatEditCommand(FormatModel &model, int format, int element, Value before,
                                     Value after, const QString &text, bool joining)
    : QUndoCommand(text), m_model(model), m_format(format), m_element(element),
      m_before(std::move(before)), m_after(std::move(after)), m_joining(joining)
{
}

std::unique_ptr<QUndoCommand> FormatEditCommand::barcodeChange(FormatModel &model, int format,
                                                               int barcode,
                                                               const BarcodeElement &before,
                                                               const BarcodeElement &after,
                                                               const QString &text, bool joining)
{
    if (!FormatModel::validFormat(format) || !FormatModel::validBarcode(barcode) || before == after)
        return nullptr;
    return std::unique_ptr<QUndoCommand>(
        new FormatEditCommand(model, format, barcode, before, after, text, joining));
}

std::unique_ptr<QUndoCommand> FormatEditCommand::textChange(FormatModel &model, int format,
                                                            int text, const TextElement &before,
                                                            const TextElement &after,
                                                            const QString &caption, bool joining)
{
    if (!FormatModel::validFormat(format) || !FormatModel::validText(text) || before == after)
        return nullptr;
    return std::unique_ptr<QUndoCommand>(
        new FormatEditCommand(model, format, text, before, after, caption, joining));
}

bool FormatEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *o = dynamic_cast<const FormatEditCommand *>(other);
    if (!o || !o->m_joining || o->m_format != m_format || o->m_element != m_element ||
        o->QUndoCommand::text() != QUndoCommand::text() || o->m_after.index() != m_after.index() ||
        m_after.index() == 0 || o->m_before != m_after)
        return false;
    m_after = o->m_after;
    setObsolete(m_before == m_after);
    return true;
}

std::unique_ptr<QUndoCommand> FormatEditCommand::format(FormatModel &model, int format,
                                                        const LabelFormat &value,
                                                        const QString &text)
{
    if (!FormatModel::validFormat(format) || model.format(format) == value)
        return nullptr;
    return std::unique_ptr<QUndoCommand>(
        new FormatEditCommand(model, format, 0, model.format(format), value, text));
}

std::unique_ptr<QUndoCommand> FormatEditCommand::barcode(FormatModel &model, int format,
                                                         int barcode, const BarcodeElement &value,
                                                         const QString &text)
{
    if (!FormatModel::validFormat(format) || !FormatModel::validBarcode(barcode))
        return nullptr;
    const BarcodeElement &before = model.format(format).Bar[barcode];
    if (before == value)
        return nullptr;
    return std::unique_ptr<QUndoCommand>(
        new FormatEditCommand(model, format, barcode, before, value, text));
}

std::unique_ptr<QUndoCommand> FormatEditCommand::text(FormatModel &model, int format, int text,
                                                      const TextElement &value,
                                                      const QString &caption)
{
    if (!FormatModel::validFormat(format) || !FormatModel::validText(text))
        return nullptr;
    const TextElement &before = model.format(format).Txt[text];
    if (before == value)
        return nullptr;
    return std::unique_ptr<QUndoCommand>(
        new FormatEditCommand(model, format, text, before, value, caption));
}

void FormatEditCommand::undo()
{
    apply(m_before);
}

void FormatEditCommand::redo()
{
    apply(m_after);
}

void FormatEditCommand::apply(const Value &value)
{
    if (const auto *f = std::get_if<LabelFormat>(&value))
        m_model.setFormat(m_format, *f);
    else if (const auto *b = std::get_if<BarcodeElement>(&value))
        m_model.setBarcode(m_format, m_element, *b);
    else if (const auto *t = std::get_if<TextElement>(&value))
        m_model.setText(m_format, m_element, *t);
}
