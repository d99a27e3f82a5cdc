// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

#include <functional>

class FormatEditor;
class QKeyEvent;
class QLineEdit;
class StationDocument;

// The numeric and text fields of the format editor and their rules: the box with the focus
// is painted light yellow; leaving it stores its value into the format on screen (numbers
// read with their digits only and kept in the field's range, else 0 shown blank; fixed texts
// cleaned and cut to 50 bytes), each stored change one undoable step; Up, Down and Enter
// move between the boxes as the table of moves says (moving is what stores).
class FormatFieldTable : public QObject {
    Q_OBJECT
public:
    // `filterFixedTexts`: fixed texts also lose the printer's delimiters (the AL-300 puts
    // them into its records unquoted).
    FormatFieldTable(FormatEditor *editor, StationDocument *document, bool filterFixedTexts,
                     QObject *parent = nullptr);

    // A further text box with the same colours and cleaning that stores through `store`
    // when it is left (the AL-300's fixed barcode values); it has no moves of its own.
    void addTextBox(QLineEdit *box, std::function<void(const QString &)> store);
    // The cleaning of fixed texts and values.
    QString cleanFixedText(const QString &text) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct NumberField {
        QLineEdit *box = nullptr;
        qint32 max = 0;
        std::function<void(qint32)> store;
        QLineEdit *up = nullptr;
        QLineEdit *down = nullptr;
        QLineEdit *enter = nullptr;
    };
    struct TextField {
        QLineEdit *box = nullptr;
        std::function<void(const QString &)> store;
        QLineEdit *up = nullptr;
        QLineEdit *down = nullptr; // also Enter
    };
    void buildTable();
    void addNumber(QLineEdit *box, qint32 max, std::function<void(qint32)> store, QLineEdit *up,
                   QLineEdit *down, QLineEdit *enter);
    NumberField *numberField(const QObject *box);
    TextField *textField(const QObject *box);
    void boxLeft(QLineEdit *box);
    bool boxKey(QLineEdit *box, QKeyEvent *event);

    FormatEditor *m_editor;
    StationDocument *m_doc;
    bool m_filter;
    QList<NumberField> m_numbers;
    QList<TextField> m_texts;
};
