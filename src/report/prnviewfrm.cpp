// SPDX-License-Identifier: GPL-3.0-or-later
#include "prnviewfrm.h"

#include "common/programstate.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {
constexpr int PageUnits = 297;     // the picture is 297 units (millimetres) across
constexpr int PicturePixels = 794; // A4 width at 96 dpi
} // namespace

PrnViewFrm::PrnViewFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrnViewFrm"));
    setWindowTitle(QStringLiteral("인쇄 미리 보기 (A4)"));
    Program().ModalOpening = 0;
    QGuiApplication::restoreOverrideCursor();

    auto *g = new QGridLayout(this);
    m_clip = new QWidget(this);
    m_clip->setMinimumSize(600, 500);
    m_clip->setAutoFillBackground(true);
    QPalette pal = m_clip->palette();
    pal.setColor(QPalette::Window, Qt::darkGray);
    m_clip->setPalette(pal);
    PrnViewPic = new QLabel(m_clip);
    PrnViewPic->setObjectName(QStringLiteral("PrnViewPic"));
    PrnViewPic->setFixedSize(PicturePixels, PicturePixels);
    PrnViewPic->setAutoFillBackground(true);
    QPalette white = PrnViewPic->palette();
    white.setColor(QPalette::Window, Qt::white);
    PrnViewPic->setPalette(white);
    g->addWidget(m_clip, 0, 0);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(0, 400);
    VScroll1->setSingleStep(20);
    VScroll1->setPageStep(200);
    g->addWidget(VScroll1, 0, 1);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setRange(0, 220);
    HScroll1->setSingleStep(20);
    g->addWidget(HScroll1, 1, 0);
    // The keys move the bars through the form, so the bars never take the focus.
    VScroll1->setFocusPolicy(Qt::NoFocus);
    HScroll1->setFocusPolicy(Qt::NoFocus);
    Command1 = new QPushButton(QStringLiteral("닫기"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    g->addWidget(Command1, 2, 0, 1, 2, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
    connect(HScroll1, &QScrollBar::valueChanged, this, &PrnViewFrm::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &PrnViewFrm::VScroll1_Change);
}

void PrnViewFrm::HScroll1_Change(int value)
{
    PrnViewPic->move(-value * PicturePixels / PageUnits, PrnViewPic->y());
}

void PrnViewFrm::VScroll1_Change(int value)
{
    PrnViewPic->move(PrnViewPic->x(), -value * PicturePixels / PageUnits);
}

void PrnViewFrm::keyPressEvent(QKeyEvent *event)
{
    QScrollBar *v = VScroll1;
    QScrollBar *h = HScroll1;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Home:
        v->setValue(0);
        return;
    case Qt::Key_End:
        v->setValue(400);
        return;
    case Qt::Key_Up:
        if (v->value() >= 20)
            v->setValue(v->value() - 20);
        return;
    case Qt::Key_Down:
        if (v->value() <= 380)
            v->setValue(v->value() + 20);
        return;
    case Qt::Key_PageUp:
        for (int i = 0; i < 10; ++i)
            if (v->value() >= 20)
                v->setValue(v->value() - 20);
        return;
    case Qt::Key_PageDown:
        for (int i = 0; i < 10; ++i)
            if (v->value() <= 380)
                v->setValue(v->value() + 20);
        return;
    case Qt::Key_Left:
        if (h->value() >= 20)
            h->setValue(h->value() - 20);
        return;
    case Qt::Key_Right:
        if (h->value() <= 200)
            h->setValue(h->value() + 20);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
