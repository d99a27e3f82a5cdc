// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/formatset.h"

#include <QUndoCommand>

#include <memory>
#include <variant>

class FormatModel;

// One edit of a format set as a step of the undo stack: one format as a whole, or one
// barcode or text element, with its value before and after (the port and speed are settings
// of the station, no step). The factories answer nullptr when the value is already what the
// edit would set.
class FormatEditCommand : public QUndoCommand {
public:
    static std::unique_ptr<QUndoCommand> format(FormatModel &model, int format,
                                                const LabelFormat &value, const QString &text);
    static std::unique_ptr<QUndoCommand> barcode(FormatModel &model, int format, int barcode,
                                                 const BarcodeElement &value, const QString &text);
    static std::unique_ptr<QUndoCommand> text(FormatModel &model, int format, int text,
                                              const TextElement &value, const QString &caption);

    void undo() override;
    void redo() override;

private:
    using Value = std::variant<LabelFormat, BarcodeElement, TextElement>;
    FormatEditCommand(FormatModel &model, int format, int element, Value before, Value after,
                      const QString &text);
    void apply(const Value &value);

    FormatModel &m_model;
    int m_format;
    int m_element;
    Value m_before;
    Value m_after;
};
