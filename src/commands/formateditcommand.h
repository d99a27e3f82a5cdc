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

    // An element's change from `before` to `after`, where the model may hold `after` already
    // (a drag on the label, shown as it went). A `joining` step is taken into the step just
    // before it when that one changed the same element under the same text (the arrow keys
    // held down: one step).
    static std::unique_ptr<QUndoCommand> barcodeChange(FormatModel &model, int format, int barcode,
                                                       const BarcodeElement &before,
                                                       const BarcodeElement &after,
                                                       const QString &text, bool joining = false);
    static std::unique_ptr<QUndoCommand> textChange(FormatModel &model, int format, int text,
                                                    const TextElement &before,
                                                    const TextElement &after,
                                                    const QString &caption, bool joining = false);

    void undo() override;
    void redo() override;
    int id() const override { return JoinId; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    static constexpr int JoinId = 0x4C53;
    using Value = std::variant<LabelFormat, BarcodeElement, TextElement>;
    FormatEditCommand(FormatModel &model, int format, int element, Value before, Value after,
                      const QString &text, bool joining = false);
    void apply(const Value &value);

    FormatModel &m_model;
    int m_format;
    int m_element;
    Value m_before;
    Value m_after;
    bool m_joining = false;
};
