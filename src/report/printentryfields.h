// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/currency.h"

#include <QHash>
#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

// The entry fields of the print-condition dialog and their one rule: a field is painted
// light yellow while it has the focus; numeric fields empty themselves on the first digit,
// sign, point or keypad key (Delete clears too); Enter, Down and Up move the focus as each
// field says; on leaving, the text is trimmed, cut, converted and shown in its display form.
// Escape in any field asks for the dialog's cancel.
class PrintEntryFields : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        A4Offset, // whole number -999..999, else 0; blank for 0
        Fine,     // amount -100..100, else 0; shown "0.00"
        Range,    // absolute whole number (rounded down); blank for 0
        Text      // cut only
    };

    explicit PrintEntryFields(QObject *parent = nullptr);

    // An entry field as the dialog draws it: named, `width` pixels wide, white.
    static QLineEdit *makeEdit(QWidget *parent, const QString &name, int width);

    // cut: characters kept on leaving (0 = the whole text). key: the settings key a fine
    // adjustment field is kept under.
    void add(QLineEdit *edit, Kind kind, int cut, bool clearsOnFirstKey, QWidget *enter,
             QWidget *down, QWidget *up, const QString &key = QString());
    bool contains(QLineEdit *edit) const { return m_fields.contains(edit); }
    QString key(QLineEdit *edit) const { return m_fields.value(edit).key; }
    // Leaves a field as a focus change does: converts and shows its value.
    void leave(QLineEdit *edit);

    static qint64 offsetValue(const QString &text);
    static Currency fineValue(const QString &text);
    static qint64 rangeValue(const QString &text);

Q_SIGNALS:
    void escapePressed();
    // An A4 offset field was left: the offsets are to be kept.
    void offsetLeft();
    // A fine adjustment field was left with this value, in hundredths.
    void fineLeft(const QString &key, qint32 hundredths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field {
        Kind kind = Kind::Range;
        int cut = 0;
        bool clearsOnFirstKey = true;
        QWidget *enter = nullptr;
        QWidget *down = nullptr;
        QWidget *up = nullptr;
        QString key;
        bool firstKeySeen = false;
    };

    QHash<QLineEdit *, Field> m_fields;
};
