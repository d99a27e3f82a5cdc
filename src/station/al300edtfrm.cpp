// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/al300edtfrm.h"
#include "common/modalopening.h"

#include "barnew/barnewfrm.h"
#include "common/currency.h"
#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "widgets/vbcolour.h"
#include "model/fieldfilter.h"
#include "model/labeljob.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString AutoNumberText = QStringLiteral("자동");

// Keys that start a number: a digit (main keyboard or keypad, keypad operators included), ".", "+"
// or "-".
bool startsNumber(const QKeyEvent *key)
{
    const int k = key->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return true;
    if (k == Qt::Key_Period || k == Qt::Key_Plus || k == Qt::Key_Minus)
        return true;
    if (key->modifiers() & Qt::KeypadModifier)
        return k == Qt::Key_Asterisk || k == Qt::Key_Slash || k == Qt::Key_Comma;
    return false;
}

bool isModifierKey(int k)
{
    return k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Alt || k == Qt::Key_Meta ||
           k == Qt::Key_AltGr || k == Qt::Key_CapsLock || k == Qt::Key_NumLock;
}

} // namespace

AL300EdtFrm::AL300EdtFrm(ItemEditMode mode, const GoodsItem &item, QWidget *parent)
    : QDialog(parent), m_mode(mode), m_item(item)
{
    setObjectName(QStringLiteral("AL300EdtFrm"));

    auto *grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString &caption, QWidget *field, int span = 1) {
        auto *lbl = new QLabel(caption, this);
        lbl->setBuddy(field);
        grid->addWidget(lbl, row, 0);
        grid->addWidget(field, row, 1, 1, span);
        ++row;
    };
    auto makeBox = [this](const QString &name, int minWidth) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMinimumWidth(minWidth);
        box->installEventFilter(this);
        SetBoxColour(box, BlurColour);
        return box;
    };
    auto narrow = [](QLineEdit *box) {
        box->setMaximumWidth(90);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return box;
    };

    GdsNoTxt = narrow(makeBox(QStringLiteral("GdsNoTxt"), 70));
    addRow(QStringLiteral("등록번호"), GdsNoTxt);
    GdsNameTxt = makeBox(QStringLiteral("GdsNameTxt"), 360);
    addRow(QStringLiteral("작 업 명"), GdsNameTxt);

    auto *formRow = new QWidget(this);
    auto *formLay = new QHBoxLayout(formRow);
    formLay->setContentsMargins(0, 0, 0, 0);
    QRadioButton **formOpts[] = {&BarForm1Opt, &BarForm2Opt, &BarForm3Opt, &BarForm4Opt,
                                 &BarForm5Opt};
    for (int k = 1; k <= 5; ++k) {
        auto *opt = new QRadioButton(QString::number(k), formRow);
        opt->setObjectName(QStringLiteral("BarForm%1Opt").arg(k));
        connect(opt, &QRadioButton::clicked, this, [this, k] { BarFormOpt_Click(k); });
        formLay->addWidget(opt);
        *formOpts[k - 1] = opt;
        m_formats[k - 1] = opt;
    }
    formLay->addStretch(1);
    addRow(QStringLiteral("포멧번호"), formRow);

    QLineEdit **barcodes[] = {&BarCode01Txt, &BarCode02Txt, &BarCode03Txt};
    for (int k = 1; k <= 3; ++k) {
        QLineEdit *box =
            makeBox(QStringLiteral("BarCode%1Txt").arg(k, 2, 10, QLatin1Char('0')), 240);
        *barcodes[k - 1] = box;
        m_barcodes[k - 1] = box;
        addRow(QStringLiteral("바코드#%1").arg(k, 2, 10, QLatin1Char('0')), box);
    }
    for (int k = 1; k <= 10; ++k) {
        QLineEdit *box =
            makeBox(QStringLiteral("TxtData%1Txt").arg(k, 2, 10, QLatin1Char('0')), 240);
        TxtDataTxt[k - 1] = box;
        addRow(QStringLiteral("텍스트#%1").arg(k, 2, 10, QLatin1Char('0')), box);
    }
    GdsSuTxt = narrow(makeBox(QStringLiteral("GdsSuTxt"), 70));
    addRow(QStringLiteral("수   량"), GdsSuTxt);
    grid->setColumnStretch(1, 1);

    GdsHintLbl = new QLabel(QStringLiteral("F1:바코드생성, F2:체크번호생성"), this);
    GdsHintLbl->setObjectName(QStringLiteral("GdsHintLbl"));

    GdsEnterCmd = new QPushButton(QStringLiteral("확인"), this);
    GdsEnterCmd->setObjectName(QStringLiteral("GdsEnterCmd"));
    GdsExitCmd = new QPushButton(QStringLiteral("취소"), this);
    GdsExitCmd->setObjectName(QStringLiteral("GdsExitCmd"));
    connect(GdsEnterCmd, &QPushButton::clicked, this, &AL300EdtFrm::GdsEnterCmd_Click);
    connect(GdsExitCmd, &QPushButton::clicked, this, &AL300EdtFrm::GdsExitCmd_Click);

    auto *cmdRow = new QHBoxLayout;
    cmdRow->addWidget(GdsHintLbl);
    cmdRow->addStretch(1);
    cmdRow->addWidget(GdsEnterCmd);
    cmdRow->addWidget(GdsExitCmd);

    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addLayout(cmdRow);

    m_order << GdsNoTxt << GdsNameTxt << BarCode01Txt << BarCode02Txt << BarCode03Txt;
    for (QLineEdit *box : TxtDataTxt)
        m_order << box;
    m_order << GdsSuTxt;

    // Tab order: the boxes in their Enter order, the options after the name, then the
    // buttons.
    setTabOrder(GdsNoTxt, GdsNameTxt);
    QWidget *prev = GdsNameTxt;
    for (QRadioButton *opt : m_formats) {
        setTabOrder(prev, opt);
        prev = opt;
    }
    for (int i = 2; i < m_order.size(); ++i) {
        setTabOrder(prev, m_order[i]);
        prev = m_order[i];
    }
    setTabOrder(prev, GdsEnterCmd);
    setTabOrder(GdsEnterCmd, GdsExitCmd);

    Form_Load();
}

std::optional<GoodsItem> AL300EdtFrm::edit(QWidget *parent, ItemEditMode mode,
                                           const GoodsItem &item)
{
    std::optional<GoodsItem> result;
    OpenModal([&] {
        AL300EdtFrm frm(mode, item, parent);
        frm.exec();
        if (frm.confirmed())
            result = frm.item();
    });
    return result;
}

qint16 AL300EdtFrm::QuantityFromText(const QString &text)
{
    const double v = LeadingNumber(TrimSpaces(text).left(3));
    return qint16(std::abs(std::trunc(v)));
}

void AL300EdtFrm::Form_Load()
{
    ProgramState &p = Program();
    m_userCode = p.UserCode;
    p.ModalOpening = 0;
    m_confirmed = false;
    QString title = QStringLiteral("품목 등록 수정 작업");
    if (m_mode == ItemEditMode::Insert) {
        title += QStringLiteral(" (등록) ");
        m_item.reset();
    } else {
        title += QStringLiteral(" (수정) ");
    }
    setWindowTitle(title);
    showItem();
    // The box the window starts in takes the focus when the window shows, so the number box
    // is not entered and left on the way (which would store what it shows).
    (m_mode == ItemEditMode::Insert ? GdsNameTxt : GdsSuTxt)->setFocus(Qt::OtherFocusReason);
}

QString AL300EdtFrm::numberText(qint32 no) const
{
    // A new item takes the first free number: 0 reads "자동" there. A changed item shows
    // blank for 0.
    if (no == 0 && m_mode == ItemEditMode::Insert)
        return AutoNumberText;
    return BlankZeroText(no);
}

void AL300EdtFrm::showItem()
{
    const GoodsItem &item = m_item;
    GdsNoTxt->setText(item.No == 0 ? AutoNumberText : QString::number(item.No));
    GdsNameTxt->setText(item.Name);
    for (int k = 1; k <= 5; ++k) {
        QRadioButton *opt = m_formats[k - 1];
        // Radio buttons cannot be cleared while exclusive: with a format outside 1..5 none
        // is chosen.
        opt->setAutoExclusive(false);
        opt->setChecked(item.Format == k);
        opt->setAutoExclusive(true);
    }
    GdsSuTxt->setText(BlankZeroText(item.Qty));
    for (int k = 1; k <= 3; ++k)
        m_barcodes[k - 1]->setText(item.Barcodes[k]);
    for (int k = 1; k <= 10; ++k)
        TxtDataTxt[k - 1]->setText(item.Texts[k]);
}

void AL300EdtFrm::Form_Activate()
{
    // After the generator was open the focus stays where it is.
    if (m_closing || m_generating)
        return;
    (m_mode == ItemEditMode::Insert ? GdsNameTxt : GdsSuTxt)->setFocus(Qt::OtherFocusReason);
}

void AL300EdtFrm::BarFormOpt_Click(int format)
{
    m_item.Format = qint16(format);
}

void AL300EdtFrm::GdsNoTxt_LostFocus()
{
    const qint32 no = DigitsToLong(GdsNoTxt->text());
    m_item.No = no;
    GdsNoTxt->setText(numberText(no));
}

void AL300EdtFrm::GdsNameTxt_LostFocus()
{
    m_item.Name = GoodsNameText(GdsNameTxt->text());
    GdsNameTxt->setText(m_item.Name);
}

void AL300EdtFrm::BarCodeTxt_LostFocus(int k)
{
    QLineEdit *box = m_barcodes[k - 1];
    m_item.Barcodes[k] = GoodsDataText(box->text());
    box->setText(m_item.Barcodes[k]);
}

void AL300EdtFrm::TxtDataTxt_LostFocus(int k)
{
    QLineEdit *box = TxtDataTxt[k - 1];
    m_item.Texts[k] = GoodsDataText(box->text());
    box->setText(m_item.Texts[k]);
}

void AL300EdtFrm::GdsSuTxt_LostFocus()
{
    // A quantity the list handed over that the three-character rule would cut (a
    // hand-edited list) is kept while the box still shows it; confirm refuses it when no
    // label job carries it.
    const qint16 listed = m_item.Qty;
    if (listed > 999 && GdsSuTxt->text() == BlankZeroText(listed))
        return;
    const qint16 qty = QuantityFromText(GdsSuTxt->text());
    m_item.Qty = qty;
    GdsSuTxt->setText(BlankZeroText(qty));
}

void AL300EdtFrm::storeBox(QLineEdit *box)
{
    if (box == GdsNoTxt)
        GdsNoTxt_LostFocus();
    else if (box == GdsNameTxt)
        GdsNameTxt_LostFocus();
    else if (box == GdsSuTxt)
        GdsSuTxt_LostFocus();
    for (int k = 1; k <= 3; ++k)
        if (box == m_barcodes[k - 1])
            BarCodeTxt_LostFocus(k);
    for (int k = 1; k <= 10; ++k)
        if (box == TxtDataTxt[k - 1])
            TxtDataTxt_LostFocus(k);
}

// F1 in a barcode box: make a store number with the generator and put it into the box.
void AL300EdtFrm::BarCodeTxt_F1(int k)
{
    m_generating = true; // re-activation must not move the focus
    std::optional<QString> code;
    OpenModal([this, &code] {
        BarNewFrm generator(this);
        generator.exec();
        code = generator.code();
        activateWindow(); // back to the editor, also where no window manager does it
    });
    QLineEdit *box = m_barcodes[k - 1];
    if (code)
        box->setText(*code);
    box->setFocus(Qt::OtherFocusReason);
}

// F2 in a barcode box: complete a 12-digit code with its EAN check digit.
void AL300EdtFrm::BarCodeTxt_F2(int k)
{
    QLineEdit *box = m_barcodes[k - 1];
    const QString code = TrimSpaces(box->text());
    if (code.size() == 12 && KeepDigits(code, 0) == code)
        box->setText(code + EanCheckDigit(code));
}

void AL300EdtFrm::GdsEnterCmd_Click()
{
    // A box that still has the focus (confirm by keyboard shortcut) is stored first.
    if (auto *box = qobject_cast<QLineEdit *>(focusWidget()); box && m_order.contains(box))
        storeBox(box);
    GoodsItem &item = m_item;
    if (item.Name.isEmpty()) {
        GdsNameTxt->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (item.Qty > LabelJob::MaxCount) {
        Dialogs::inform(this, QStringLiteral("* 수량은 %1장까지입니다 !").arg(LabelJob::MaxCount),
                        QStringLiteral("수량"));
        GdsSuTxt->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_confirmed = true;
    if (item.Format == 0)
        item.Format = 1;
    m_closing = true;
    accept();
}

void AL300EdtFrm::GdsExitCmd_Click()
{
    reject();
}

// Cancel, Escape anywhere in the window and the window's close button.
void AL300EdtFrm::reject()
{
    m_confirmed = false;
    m_closing = true;
    QDialog::reject();
}

int AL300EdtFrm::orderOf(const QObject *box) const
{
    for (int i = 0; i < m_order.size(); ++i)
        if (m_order[i] == box)
            return i;
    return -1;
}

bool AL300EdtFrm::boxKeyDown(QLineEdit *box, QKeyEvent *key)
{
    const int i = orderOf(box);
    const int k = key->key();
    const Qt::KeyboardModifiers shifts =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);

    if (shifts == Qt::NoModifier) {
        for (int b = 1; b <= 3; ++b) {
            if (box != m_barcodes[b - 1])
                continue;
            if (k == Qt::Key_F1) {
                BarCodeTxt_F1(b);
                return true;
            }
            if (k == Qt::Key_F2) {
                BarCodeTxt_F2(b);
                return true;
            }
        }
        if (k == Qt::Key_Up) {
            // The number and name boxes have nothing above them.
            if (i >= 2)
                m_order[i - 1]->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (k == Qt::Key_Down || k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (i + 1 < m_order.size())
                m_order[i + 1]->setFocus(Qt::OtherFocusReason);
            else
                GdsEnterCmd->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }

    // The first key after the focus arrived decides: one that starts a number replaces
    // the old value, any other leaves it to be edited. Shift and the other modifier keys
    // alone do not count (Shift comes before "+").
    if ((box == GdsNoTxt || box == GdsSuTxt) && !isModifierKey(k)) {
        bool &armed = box == GdsNoTxt ? m_noArmed : m_suArmed;
        if (armed && startsNumber(key))
            box->clear();
        armed = false;
    }
    return false;
}

bool AL300EdtFrm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &AL300EdtFrm::Form_Activate);
    return QDialog::event(e);
}

bool AL300EdtFrm::eventFilter(QObject *watched, QEvent *e)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && !m_closing && orderOf(box) >= 0) {
        switch (e->type()) {
        case QEvent::FocusIn:
            if (static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason) {
                SetBoxColour(box, FocusColour);
                if (box == GdsNoTxt)
                    m_noArmed = true;
                else if (box == GdsSuTxt)
                    m_suArmed = true;
            }
            break;
        case QEvent::FocusOut: {
            // Switching to another window (the generator) is not leaving the box.
            const auto reason = static_cast<QFocusEvent *>(e)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                SetBoxColour(box, BlurColour);
                storeBox(box);
            }
            break;
        }
        case QEvent::KeyPress:
            if (boxKeyDown(box, static_cast<QKeyEvent *>(e)))
                return true;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, e);
}
