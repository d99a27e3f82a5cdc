// SPDX-License-Identifier: GPL-3.0-or-later
#include "barnew/barnewfrm.h"

#include "common/programstate.h"
#include "widgets/vbcolour.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int Boxes[] = {BarcodeNumber::BasePrefixBox, BarcodeNumber::BaseCompanyBox,
                         BarcodeNumber::PrefixBox,     BarcodeNumber::CompanyBox,
                         BarcodeNumber::GoodsBox,      BarcodeNumber::CheckBox};

const char *const ModeCaptions[BarcodeNumber::ModeCount] = {
    "4 자리 (상품 5 자리)", "5 자리 (상품 4 자리)", "6 자리 (상품 3 자리)", "7 자리 (상품 2 자리)",
    "8 자리 (상품 1 자리)"};

// Where Enter, Down and Up lead from each box; -1 means confirm.
struct Move {
    int box;
    int enter;
    int down;
    int up;
};
constexpr Move Moves[] = {
    {10, 0, 11, 10}, {11, 1, 0, 10}, {0, 1, 1, 0}, {1, 2, 2, 0}, {2, 3, 3, 1}, {3, -1, -1, 2},
};

} // namespace

BarNewFrm::BarNewFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BarNewFrm"));
    setWindowTitle(QStringLiteral("바코드 등록 작업"));

    auto makeBox = [this](int index) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("gdsBarNoTxt%1").arg(index));
        box->setAlignment(Qt::AlignCenter);
        box->installEventFilter(this);
        SetBoxColour(box, BlurColour);
        gdsBarNoTxt[index] = box;
        return box;
    };

    // Settings panel: the base prefix and company a new number starts from, and the
    // company length.
    auto *setFme = new QGroupBox(QStringLiteral("설정"), this);
    setFme->setObjectName(QStringLiteral("BarSetFme"));
    auto *setGrid = new QGridLayout(setFme);
    setGrid->addWidget(new QLabel(QStringLiteral("국가"), setFme), 0, 0);
    setGrid->addWidget(makeBox(BarcodeNumber::BasePrefixBox), 0, 1);
    setGrid->addWidget(new QLabel(QStringLiteral("회사"), setFme), 1, 0);
    setGrid->addWidget(makeBox(BarcodeNumber::BaseCompanyBox), 1, 1);
    auto *lenLbl = new QLabel(QStringLiteral("회사번호 자릿수"), setFme);
    setGrid->addWidget(lenLbl, 2, 0, 1, 2);
    QRadioButton **opts[] = {&BComLen0Opt, &BComLen1Opt, &BComLen2Opt, &BComLen3Opt, &BComLen4Opt};
    for (int m = 0; m < BarcodeNumber::ModeCount; ++m) {
        auto *opt = new QRadioButton(QString::fromUtf8(ModeCaptions[m]), setFme);
        opt->setObjectName(QStringLiteral("BComLen%1Opt").arg(m));
        connect(opt, &QRadioButton::clicked, this, [this, m] { BComLenOpt_Click(m); });
        setGrid->addWidget(opt, 3 + m, 0, 1, 2);
        *opts[m] = opt;
        m_modeOpts[m] = opt;
    }

    // The number being composed.
    auto *noFme = new QGroupBox(QStringLiteral("바코드 입력"), this);
    noFme->setObjectName(QStringLiteral("BarNoFme"));
    auto *noGrid = new QGridLayout(noFme);
    const char *const noCaptions[] = {"국가번호", "회사번호", "상품번호", "번호확인"};
    const int noWidths[] = {50, 90, 70, 40};
    for (int i = 0; i < 4; ++i) {
        auto *lbl = new QLabel(QString::fromUtf8(noCaptions[i]), noFme);
        lbl->setAlignment(Qt::AlignCenter);
        noGrid->addWidget(lbl, 0, i);
        QLineEdit *box = makeBox(i);
        box->setMinimumWidth(noWidths[i]);
        noGrid->addWidget(box, 1, i);
        noGrid->setColumnStretch(i, noWidths[i]);
    }
    noGrid->setRowStretch(2, 1);

    BarF1Cmd = new QPushButton(QStringLiteral("F1"), this);
    BarF1Cmd->setObjectName(QStringLiteral("BarF1Cmd"));
    BarF1Cmd->setAutoDefault(false); // the help key of the generator does nothing
    BarEnterCmd = new QPushButton(QStringLiteral("확인"), this);
    BarEnterCmd->setObjectName(QStringLiteral("BarEnterCmd"));
    BarExitCmd = new QPushButton(QStringLiteral("취소"), this);
    BarExitCmd->setObjectName(QStringLiteral("BarExitCmd"));
    connect(BarEnterCmd, &QPushButton::clicked, this, &BarNewFrm::BarEnterCmd_Click);
    connect(BarExitCmd, &QPushButton::clicked, this, &BarNewFrm::BarExitCmd_Click);

    auto *cmdRow = new QHBoxLayout;
    cmdRow->addWidget(BarF1Cmd);
    cmdRow->addStretch(1);
    cmdRow->addWidget(BarEnterCmd);
    cmdRow->addWidget(BarExitCmd);

    auto *right = new QVBoxLayout;
    right->addWidget(noFme, 1);
    right->addLayout(cmdRow);

    auto *top = new QHBoxLayout(this);
    top->addWidget(setFme);
    top->addLayout(right, 1);

    // Tab order follows the Enter moves.
    setTabOrder(gdsBarNoTxt[10], gdsBarNoTxt[11]);
    setTabOrder(gdsBarNoTxt[11], gdsBarNoTxt[0]);
    for (int i = 0; i < 3; ++i)
        setTabOrder(gdsBarNoTxt[i], gdsBarNoTxt[i + 1]);
    setTabOrder(gdsBarNoTxt[3], BarEnterCmd);
    setTabOrder(BarEnterCmd, BarExitCmd);
    setTabOrder(BarExitCmd, BarF1Cmd);
    setTabOrder(BarF1Cmd, BComLen0Opt);

    Form_Load();
    gdsBarNoTxt[BarcodeNumber::GoodsBox]->setFocus();
}

void BarNewFrm::Form_Load()
{
    Program().ModalOpening = 0;
    m_number.load();
    m_modeOpts[m_number.mode()]->setChecked(true);
    showBoxes();
}

void BarNewFrm::readBoxes()
{
    for (int i : Boxes)
        m_number.setBoxText(i, gdsBarNoTxt[i]->text());
}

void BarNewFrm::showBoxes()
{
    for (int i : Boxes)
        gdsBarNoTxt[i]->setText(m_number.boxText(i));
}

void BarNewFrm::BComLenOpt_Click(int mode)
{
    readBoxes();
    m_number.changeMode(mode);
    showBoxes();
}

void BarNewFrm::gdsBarNoTxt_GotFocus(int index, Qt::FocusReason reason)
{
    QLineEdit *box = gdsBarNoTxt[index];
    SetBoxColour(box, FocusColour);
    box->selectAll();
    // A mouse click places the cursor after the focus arrives: select once it has.
    if (reason == Qt::MouseFocusReason)
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
}

void BarNewFrm::gdsBarNoTxt_LostFocus(int index)
{
    SetBoxColour(gdsBarNoTxt[index], BlurColour);
    readBoxes();
    m_number.normalise(index);
    showBoxes();
}

bool BarNewFrm::gdsBarNoTxt_KeyDown(int index, QKeyEvent *key)
{
    if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    const Move *move = nullptr;
    for (const Move &m : Moves)
        if (m.box == index)
            move = &m;
    if (!move)
        return false;
    int target;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        target = move->enter;
        break;
    case Qt::Key_Down:
        target = move->down;
        break;
    case Qt::Key_Up:
        target = move->up;
        break;
    default:
        return false;
    }
    if (target < 0) {
        // Confirming from the check-digit box: it counts as left, so a typed digit stands.
        gdsBarNoTxt_LostFocus(index);
        BarEnterCmd_Click();
    } else {
        moveTo(target);
    }
    return true;
}

void BarNewFrm::moveTo(int index)
{
    QLineEdit *box = gdsBarNoTxt[index];
    if (box->hasFocus())
        box->selectAll();
    else
        box->setFocus(Qt::OtherFocusReason);
}

void BarNewFrm::BarEnterCmd_Click()
{
    m_code = m_number.code();
    accept();
}

// Cancel; Escape and the window's close button end the same way. No code is given.
void BarNewFrm::BarExitCmd_Click()
{
    reject();
}

void BarNewFrm::done(int r)
{
    if (!m_closing) {
        m_closing = true;
        m_number.save();
    }
    QDialog::done(r);
}

int BarNewFrm::boxIndex(QObject *watched) const
{
    for (int i : Boxes)
        if (gdsBarNoTxt[i] == watched)
            return i;
    return -1;
}

bool BarNewFrm::eventFilter(QObject *watched, QEvent *event)
{
    const int index = boxIndex(watched);
    if (index >= 0 && !m_closing) {
        switch (event->type()) {
        case QEvent::FocusIn: {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason)
                gdsBarNoTxt_GotFocus(index, reason);
            break;
        }
        case QEvent::FocusOut: {
            // Switching to another window is not leaving the box.
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                gdsBarNoTxt_LostFocus(index);
            break;
        }
        case QEvent::KeyPress:
            if (gdsBarNoTxt_KeyDown(index, static_cast<QKeyEvent *>(event)))
                return true;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
