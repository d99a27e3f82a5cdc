// SPDX-License-Identifier: GPL-3.0-or-later
#include "printentryfields.h"

#include "common/textutil.h"
#include "widgets/vbcolour.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>

namespace {

bool isFirstKeyClearing(const QKeyEvent *ke)
{
    if (ke->key() == Qt::Key_Delete)
        return true;
    if (ke->modifiers() & Qt::KeypadModifier)
        return true;
    if (ke->key() >= Qt::Key_0 && ke->key() <= Qt::Key_9)
        return true;
    const QString t = ke->text();
    return t.size() == 1 && QStringLiteral("+-.*").contains(t.at(0));
}

} // namespace

PrintEntryFields::PrintEntryFields(QObject *parent) : QObject(parent) {}

QLineEdit *PrintEntryFields::makeEdit(QWidget *parent, const QString &name, int width)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    SetBoxColour(e, BlurColour);
    return e;
}

void PrintEntryFields::add(QLineEdit *edit, Kind kind, int cut, bool clearsOnFirstKey,
                           QWidget *enter, QWidget *down, QWidget *up, const QString &key)
{
    Field f;
    f.kind = kind;
    f.cut = cut;
    f.clearsOnFirstKey = clearsOnFirstKey;
    f.enter = enter;
    f.down = down;
    f.up = up;
    f.key = key;
    m_fields.insert(edit, f);
    edit->installEventFilter(this);
}

qint64 PrintEntryFields::offsetValue(const QString &text)
{
    return LeadingWholeNumber(text.trimmed(), -999, 999); // out of range gives 0
}

Currency PrintEntryFields::fineValue(const QString &text)
{
    bool ok = false;
    const Currency v = Currency::fromDouble(LeadingNumber(text.trimmed().left(7)), &ok);
    if (!ok || v < Currency::fromWhole(-100) || v > Currency::fromWhole(100))
        return Currency();
    return v;
}

qint64 PrintEntryFields::rangeValue(const QString &text)
{
    const double v = std::floor(LeadingNumber(text.trimmed().left(6)));
    return std::isfinite(v) ? qint64(std::fabs(v)) : 0;
}

void PrintEntryFields::leave(QLineEdit *edit)
{
    const auto it = m_fields.constFind(edit);
    if (it == m_fields.constEnd())
        return;
    const Field &field = *it;
    SetBoxColour(edit, BlurColour);
    QString t = edit->text().trimmed();
    if (field.cut > 0)
        t = t.left(field.cut);
    switch (field.kind) {
    case Kind::A4Offset:
        edit->setText(CurToText(Currency::fromWhole(offsetValue(t)), 1));
        Q_EMIT offsetLeft();
        break;
    case Kind::Fine: {
        const Currency v = fineValue(t);
        edit->setText(CurToGrouped(v, 0));
        const Currency hundredths = CurMultiply(v, Currency::fromWhole(100), CurFloor);
        Q_EMIT fineLeft(field.key, qint32(hundredths.wholePart()));
        break;
    }
    case Kind::Range:
        edit->setText(CurToText(Currency::fromWhole(rangeValue(t)), 1));
        break;
    case Kind::Text:
        edit->setText(t);
        break;
    }
}

bool PrintEntryFields::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || !m_fields.contains(edit))
        return QObject::eventFilter(watched, event);
    Field &f = m_fields[edit];
    switch (event->type()) {
    case QEvent::FocusIn:
        SetBoxColour(edit, FocusColour);
        f.firstKeySeen = false;
        break;
    case QEvent::FocusOut:
        leave(edit);
        break;
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        const bool first = !f.firstKeySeen;
        f.firstKeySeen = true;
        switch (ke->key()) {
        case Qt::Key_Escape:
            Q_EMIT escapePressed();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (f.enter)
                f.enter->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Down:
            if (f.down)
                f.down->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Up:
            if (f.up && f.up != edit)
                f.up->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
        if (first && f.clearsOnFirstKey && isFirstKeyClearing(ke)) {
            edit->clear();
            if (ke->key() == Qt::Key_Delete)
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
