// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300ratiochoice.h"

#include "model/formatset.h"
#include "printers/al300/al300driver.h"
#include "printers/printers.h"
#include "station/optionpanels.h"
#include "station/stationwidgets.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

Al300RatioChoice::Al300RatioChoice(OptionPanels *panels)
    : m_panels(panels), m_symbologies(int(Printers::al300().symbologyNames().size()) - 1)
{
    QFrame *panel = panels->BarCodeFme;
    // The narrow / wide rows of the SRP-770 are replaced by the AL-300 ratio codes.
    if (QWidget *den = panel->findChild<QWidget *>(QStringLiteral("BarDenBox")))
        den->hide();
    auto *box = static_cast<QVBoxLayout *>(panel->layout());
    for (const Al300Driver::RatioGroup &d : Al300Driver::ratioGroups()) {
        auto *w = new QWidget(panel);
        w->setObjectName(QStringLiteral("BarRatio%1Fme").arg(d.group));
        auto *h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(QStringLiteral("비율"), w));
        auto *group = new QButtonGroup(w);
        for (const int v : d.codes) {
            // "BarCode" + group + code ("a" for 10) + "Opt": BarCode11Opt .. BarCode44Opt.
            const QString code = v == 10 ? QStringLiteral("a") : QString::number(v);
            auto *o = new QRadioButton(v == 10 ? QStringLiteral("A") : QString::number(v), w);
            o->setObjectName(QStringLiteral("BarCode%1%2Opt").arg(d.group).arg(code));
            group->addButton(o);
            h->addWidget(o);
            m_ratio << RatioButton{o, d.group, v};
        }
        h->addStretch();
        m_groups[d.group] = w;
        w->hide();
        box->insertWidget(box->count() - 1, w);
    }
    for (int i = 1; i <= m_symbologies; ++i) {
        connect(panels->BarCodeOpt[i], &QRadioButton::clicked, this,
                [this, i] { showGroupFor(i); });
    }
}

QList<QRadioButton *> Al300RatioChoice::ratioButtons() const
{
    QList<QRadioButton *> l;
    for (const RatioButton &r : m_ratio)
        l << r.button;
    return l;
}

void Al300RatioChoice::showGroupFor(int barCode)
{
    const int g = Al300Driver::ratioGroupOf(barCode);
    for (int i = 1; i <= 4; ++i)
        m_groups[i]->setVisible(i == g);
    if (g == 0)
        return;
    // The group's default comes on when none of its buttons is on.
    bool any = false;
    for (const RatioButton &r : m_ratio)
        any = any || (r.group == g && r.button->isChecked());
    if (!any) {
        int def = 0;
        for (const Al300Driver::RatioGroup &d : Al300Driver::ratioGroups()) {
            if (d.group == g)
                def = d.defaultCode;
        }
        for (const RatioButton &r : m_ratio) {
            if (r.group == g && r.value == def)
                r.button->setChecked(true);
        }
    }
    m_panels->BarCodeFme->adjustSize();
}

void Al300RatioChoice::show(const BarcodeElement &e)
{
    const auto &types = m_panels->BarCodeOpt;
    UncheckOptions(QList<QRadioButton *>(types.begin(), types.end()));
    UncheckOptions(ratioButtons());
    if (e.BarCode >= 1 && e.BarCode <= m_symbologies)
        types[e.BarCode]->setChecked(true);
    const int g = Al300Driver::ratioGroupOf(e.BarCode);
    for (const RatioButton &r : m_ratio) {
        if (r.group == g && r.value == e.BarDen)
            r.button->setChecked(true);
    }
    showGroupFor(e.BarCode);
}

void Al300RatioChoice::store(BarcodeElement &e)
{
    // Type and ratio both 0 first: a ratio without its symbology is not kept.
    e.BarCode = 0;
    e.BarDen = 0;
    for (int i = 1; i <= m_symbologies; ++i) {
        if (m_panels->BarCodeOpt[i]->isChecked())
            e.BarCode = qint16(i);
    }
    const int g = Al300Driver::ratioGroupOf(e.BarCode);
    for (const RatioButton &r : m_ratio) {
        if (r.group == g && r.button->isChecked())
            e.BarDen = qint16(r.value);
    }
}
