// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationwidgets.h"

#include "widgets/floatingpanel.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QLineEdit *MakeNumberBox(const QString &name, QWidget *parent, int width)
{
    auto *b = new QLineEdit(parent);
    b->setObjectName(name);
    b->setFixedSize(width, 22);
    b->setAlignment(Qt::AlignRight);
    return b;
}

QPushButton *MakeSmallButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedSize(24, 22);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *MakeValueLabel(const QString &name, QWidget *parent, int width)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(width, 22);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    l->setPalette(p);
    return l;
}

QPushButton *MakeCommandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumHeight(26);
    b->setMinimumWidth(84);
    return b;
}

QFrame *MakeOptionPanel(const QString &name, const QString &title, QWidget *parent)
{
    QFrame *f = MakeFloatingPanel(name, QColor(0xFF, 0xF8, 0xE0), parent);
    auto *v = new QVBoxLayout(f);
    v->setContentsMargins(8, 6, 8, 6);
    auto *t = new QLabel(title, f);
    QFont bold = t->font();
    bold.setBold(true);
    t->setFont(bold);
    v->addWidget(t);
    f->hide();
    return f;
}

void UncheckOptions(const QList<QRadioButton *> &options)
{
    for (QRadioButton *o : options) {
        if (!o)
            continue;
        QButtonGroup *group = o->group();
        const bool exclusive = group && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
        if (exclusive)
            group->setExclusive(true);
    }
}

int CheckedOption(const QList<QRadioButton *> &options)
{
    for (int i = 0; i < options.size(); ++i) {
        if (options[i] && options[i]->isChecked())
            return i;
    }
    return -1;
}
