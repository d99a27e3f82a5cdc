// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatfieldtable.h"

#include "common/currency.h"
#include "common/textutil.h"
#include "widgets/vbcolour.h"
#include "model/fieldfilter.h"
#include "model/formatset.h"
#include "commands/stationdocument.h"
#include "station/formateditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

FormatFieldTable::FormatFieldTable(FormatEditor *editor, StationDocument *document,
                                   bool filterFixedTexts, QObject *parent)
    : QObject(parent), m_editor(editor), m_doc(document), m_filter(filterFixedTexts)
{
    buildTable();
}

void FormatFieldTable::addNumber(QLineEdit *box, qint32 max, std::function<void(qint32)> store,
                                 QLineEdit *up, QLineEdit *down, QLineEdit *enter)
{
    m_numbers << NumberField{box, max, std::move(store), up, down, enter};
    box->installEventFilter(this);
}

void FormatFieldTable::buildTable()
{
    FormatEditor *e = m_editor;
    StationDocument *doc = m_doc;
    auto label = [doc](const QString &what, qint32 LabelFormat::*field) {
        return [doc, what, field](qint32 v) {
            doc->editLabel(what, [field, v](LabelFormat &f) { f.*field = v; });
        };
    };
    auto barcode = [doc](int b, const QString &what, qint32 BarcodeElement::*field) {
        return [doc, b, what, field](qint32 v) {
            doc->editBarcode(b, what, [field, v](BarcodeElement &el) { el.*field = v; });
        };
    };
    auto text = [doc](int t, const QString &what, qint32 TextElement::*field) {
        return [doc, t, what, field](qint32 v) {
            doc->editText(t, what, [field, v](TextElement &el) { el.*field = v; });
        };
    };

    addNumber(e->LblLengTxt, 9999, label(QStringLiteral("라벨 길이"), &LabelFormat::LblLeng),
              e->LblLengTxt, e->LblWidthTxt, e->LblWidthTxt);
    addNumber(e->LblWidthTxt, 999, label(QStringLiteral("라벨 폭"), &LabelFormat::LblWidth),
              e->LblLengTxt, e->BarYyTxt[1], e->BarYyTxt[1]);
    for (int b = 1; b <= 3; ++b) {
        QLineEdit *next = b < 3 ? e->BarYyTxt[b + 1] : e->TxtYyTxt[1];
        addNumber(e->BarYyTxt[b], 9999, barcode(b, QStringLiteral("Y"), &BarcodeElement::BarYy),
                  b == 1 ? e->LblWidthTxt : e->BarYyTxt[b - 1], next, e->BarXxTxt[b]);
        addNumber(e->BarXxTxt[b], 999, barcode(b, QStringLiteral("X"), &BarcodeElement::BarXx),
                  e->BarYyTxt[b], next, e->BarHeightTxt[b]);
        addNumber(e->BarHeightTxt[b], 999,
                  barcode(b, QStringLiteral("높이"), &BarcodeElement::BarHeight), e->BarXxTxt[b],
                  next, next);
    }
    for (int t = 1; t <= 10; ++t) {
        QLineEdit *down = t < 10 ? e->TxtYyTxt[t + 1] : e->TxtYyTxt[10];
        addNumber(e->TxtYyTxt[t], 9999, text(t, QStringLiteral("Y"), &TextElement::TxtYy),
                  t == 1 ? e->BarYyTxt[3] : e->TxtYyTxt[t - 1], down, e->TxtXxTxt[t]);
        addNumber(e->TxtXxTxt[t], 999, text(t, QStringLiteral("X"), &TextElement::TxtXx),
                  e->TxtYyTxt[t], down, down);
        addNumber(
            e->TxtSizeTxt[t], 99,
            [doc, t](qint32 v) {
                doc->editText(t, QStringLiteral("길이"),
                              [v](TextElement &el) { el.TxtRight = qint16(v); });
            },
            t > 1 ? e->TxtSizeTxt[t - 1] : e->TxtSizeTxt[1],
            t < 10 ? e->TxtSizeTxt[t + 1] : e->TxtSizeTxt[10], e->TxtStringTxt[t]);
        m_texts << TextField{e->TxtStringTxt[t],
                             [doc, t](const QString &v) {
                                 doc->editText(t, QStringLiteral("고정문자"),
                                               [v](TextElement &el) { el.TxtString = v; });
                             },
                             e->TxtSizeTxt[t], t < 10 ? e->TxtSizeTxt[t + 1] : e->TxtSizeTxt[10]};
        e->TxtStringTxt[t]->installEventFilter(this);
    }
}

void FormatFieldTable::addTextBox(QLineEdit *box, std::function<void(const QString &)> store)
{
    m_texts << TextField{box, std::move(store), nullptr, nullptr};
    box->installEventFilter(this);
}

QString FormatFieldTable::cleanFixedText(const QString &text) const
{
    const QString clean = CleanText(text, 50);
    return m_filter ? FieldFilter(clean) : clean;
}

FormatFieldTable::NumberField *FormatFieldTable::numberField(const QObject *box)
{
    for (NumberField &f : m_numbers) {
        if (f.box == box)
            return &f;
    }
    return nullptr;
}

FormatFieldTable::TextField *FormatFieldTable::textField(const QObject *box)
{
    for (TextField &f : m_texts) {
        if (f.box == box)
            return &f;
    }
    return nullptr;
}

void FormatFieldTable::boxLeft(QLineEdit *box)
{
    SetBoxColour(box, BlurColour);
    if (NumberField *f = numberField(box)) {
        qint32 v = DigitsToLong(box->text());
        if (v < 1 || v > f->max)
            v = 0;
        box->setText(BlankZeroText(v));
        f->store(v); // a step of its own when the value changed
    } else if (TextField *t = textField(box)) {
        const QString v = cleanFixedText(box->text());
        box->setText(v);
        t->store(v);
    }
}

bool FormatFieldTable::boxKey(QLineEdit *box, QKeyEvent *event)
{
    QLineEdit *target = nullptr;
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (NumberField *f = numberField(box)) {
        target = key == Qt::Key_Up     ? f->up
                 : key == Qt::Key_Down ? f->down
                 : enter               ? f->enter
                                       : nullptr;
    } else if (TextField *t = textField(box)) {
        target = key == Qt::Key_Up ? t->up : (key == Qt::Key_Down || enter) ? t->down : nullptr;
    }
    if (!target)
        return false;
    if (target == box) {
        // Staying stores the value too, as leaving would.
        boxLeft(box);
        SetBoxColour(box, FocusColour);
    } else {
        target->setFocus();
        // Without an active window the focus change is not delivered; store directly.
        if (QApplication::focusWidget() != target)
            boxLeft(box);
    }
    return true;
}

bool FormatFieldTable::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && (numberField(box) || textField(box))) {
        switch (event->type()) {
        case QEvent::FocusIn:
            SetBoxColour(box, FocusColour);
            break;
        case QEvent::FocusOut:
            boxLeft(box);
            break;
        case QEvent::KeyPress:
            if (boxKey(box, static_cast<QKeyEvent *>(event)))
                return true;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
