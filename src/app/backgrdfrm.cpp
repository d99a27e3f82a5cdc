// SPDX-License-Identifier: GPL-3.0-or-later
#include "backgrdfrm.h"

#include "app/namelabel.h"
#include "common/programstate.h"
#include "common/textfile.h"
#include "common/textutil.h"
#include "widgets/vbcolour.h"
#include "model/barcodesetfile.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr quint32 BackColour = 0x00DA87A6;
constexpr quint32 Grey = 0x00808080;
constexpr quint32 Black = 0x00000000;

void setTextColour(QWidget *w, quint32 bgr)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, VbColour(bgr));
    p.setColor(QPalette::ButtonText, VbColour(bgr));
    w->setPalette(p);
}

QPushButton *modelButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumSize(150, 44);
    QFont f = b->font();
    f.setPointSize(f.pointSize() + 2);
    f.setBold(true);
    b->setFont(f);
    return b;
}

} // namespace

BackGrdFrm::BackGrdFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BackGrdFrm"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, VbColour(BackColour));
    setPalette(pal);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(30, 30, 30, 30);
    outer->setSpacing(40);

    // Model buttons.
    auto *models = new QVBoxLayout;
    models->setSpacing(14);
    Mnu001Cmd = modelButton(QStringLiteral("Mnu001Cmd"), QStringLiteral("SRP-770"), this);
    Mnu010Cmd = modelButton(QStringLiteral("Mnu010Cmd"), QStringLiteral("AL-300"), this);
    Mnu020Cmd = modelButton(QStringLiteral("Mnu020Cmd"), QStringLiteral("LEO-60D+"), this);
    Mnu999Cmd = modelButton(QStringLiteral("Mnu999Cmd"), QStringLiteral("종료"), this);
    models->addWidget(Mnu001Cmd);
    models->addWidget(Mnu010Cmd);
    models->addWidget(Mnu020Cmd);
    models->addSpacing(20);
    models->addWidget(Mnu999Cmd);
    models->addStretch();
    outer->addLayout(models);

    connect(Mnu001Cmd, &QPushButton::clicked, this,
            [this] { Q_EMIT modelRequested(QStringLiteral("SRP770Frm")); });
    connect(Mnu010Cmd, &QPushButton::clicked, this,
            [this] { Q_EMIT modelRequested(QStringLiteral("AL300Frm")); });
    connect(Mnu020Cmd, &QPushButton::clicked, this,
            [this] { Q_EMIT modelRequested(QStringLiteral("LEO60DFrm")); });
    connect(Mnu999Cmd, &QPushButton::clicked, this, [this] { Q_EMIT exitRequested(); });

    // Barcode sets.
    auto *setBox = new QGroupBox(this);
    setBox->setObjectName(QStringLiteral("BarSeltFme"));
    setBox->setAutoFillBackground(true);
    QPalette boxPal = setBox->palette();
    boxPal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xFA));
    setBox->setPalette(boxPal);
    auto *grid = new QGridLayout(setBox);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    auto *caption = new QLabel(QStringLiteral("작업 번호"), setBox);
    caption->setObjectName(QStringLiteral("BarSeltCapLbl"));
    QFont capFont = caption->font();
    capFont.setBold(true);
    caption->setFont(capFont);
    auto *hint = new QLabel(QStringLiteral("수정 -> DblClick"), setBox);
    hint->setObjectName(QStringLiteral("BarNameHintLbl"));
    grid->addWidget(caption, 0, 0, 1, 2);
    grid->addWidget(hint, 0, 2, 1, 2, Qt::AlignRight);
    const int half = SetCount / 2;
    for (int i = 0; i < SetCount; ++i) {
        auto *opt = new QRadioButton(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), setBox);
        opt->setObjectName(QStringLiteral("BarSeltOpt%1").arg(i));
        auto *lbl = new NameLabel(i, setBox);
        lbl->setObjectName(QStringLiteral("BarNameLbl%1").arg(i));
        lbl->setMinimumWidth(230);
        lbl->setFrameShape(QFrame::StyledPanel);
        lbl->setAutoFillBackground(true);
        QPalette lp = lbl->palette();
        lp.setColor(QPalette::Window, Qt::white);
        lbl->setPalette(lp);
        BarSeltOpt[i] = opt;
        BarNameLbl[i] = lbl;
        const int row = 1 + (i % half);
        const int col = (i / half) * 2;
        grid->addWidget(opt, row, col);
        grid->addWidget(lbl, row, col + 1);
        connect(opt, &QRadioButton::clicked, this, [this, i] { BarSeltOpt_Click(i); });
        connect(lbl, &NameLabel::clicked, this, &BackGrdFrm::BarNameLbl_Click);
        connect(lbl, &NameLabel::doubleClicked, this, &BackGrdFrm::BarNameLbl_DblClick);
    }
    BarNameTxt = new QLineEdit(setBox);
    BarNameTxt->setObjectName(QStringLiteral("BarNameTxt"));
    BarNameTxt->hide();
    BarNameTxt->installEventFilter(this);

    auto *right = new QVBoxLayout;
    right->addWidget(setBox);
    right->addStretch();
    outer->addLayout(right);
    outer->addStretch();

    Form_Load();
}

void BackGrdFrm::Form_Load()
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    p.BarcodeSetFile = QDir(DataDirectory()).filePath(BarcodeSetFile::fileName());
    m_setFile.setPath(p.BarcodeSetFile);
    QByteArray bytes;
    m_setFile.read(&bytes);
    const BarcodeSetFile::Contents c = BarcodeSetFile::fromLines(TextFile::splitLines(bytes));
    m_setFile.setBaseline(TextFile::toBytes(BarcodeSetFile::toLines(c)));
    p.BarcodeSetNo = c.setNo;
    p.BarcodeSetNames = c.names;
    BarSeltOpt[p.BarcodeSetNo]->setChecked(true);
    BarSeltOpt_Click(p.BarcodeSetNo);
    showNames();
}

void BackGrdFrm::showNames()
{
    for (int i = 0; i < SetCount; ++i)
        BarNameLbl[i]->setText(Program().BarcodeSetNames.value(i));
}

void BackGrdFrm::BarSeltOpt_Click(int index)
{
    Program().BarcodeSetNo = index;
    BarSeltOpt[index]->setChecked(true);
    for (int i = 0; i < SetCount; ++i) {
        setTextColour(BarSeltOpt[i], Grey);
        setTextColour(BarNameLbl[i], Grey);
    }
    setTextColour(BarSeltOpt[index], Black);
    setTextColour(BarNameLbl[index], Black);
}

void BackGrdFrm::BarNameLbl_Click(int)
{
    Mnu001Cmd->setFocus();
}

void BackGrdFrm::BarNameLbl_DblClick(int index)
{
    m_renaming = index;
    BarNameTxt->setText(Program().BarcodeSetNames.value(index));
    BarNameTxt->setGeometry(BarNameLbl[index]->geometry());
    BarNameTxt->show();
    BarNameTxt->raise();
    BarNameTxt->setFocus();
    SetBoxColour(BarNameTxt, FocusColour);
}

void BackGrdFrm::finishRename()
{
    SetBoxColour(BarNameTxt, BlurColour);
    if (m_renaming >= 0) {
        const QString name = CleanText(BarNameTxt->text(), 30);
        Program().BarcodeSetNames[m_renaming] = name;
        BarNameLbl[m_renaming]->setText(name);
    }
    m_renaming = -1;
    BarNameTxt->hide();
}

bool BackGrdFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == BarNameTxt) {
        if (event->type() == QEvent::FocusIn) {
            SetBoxColour(BarNameTxt, FocusColour);
        } else if (event->type() == QEvent::FocusOut) {
            finishRename();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter ||
                key == Qt::Key_Down) {
                // Escape gives up the typing: the name as it was is stored back.
                if (key == Qt::Key_Escape && m_renaming >= 0)
                    BarNameTxt->setText(Program().BarcodeSetNames.value(m_renaming));
                Mnu001Cmd->setFocus();
                if (BarNameTxt->isVisible())
                    finishRename(); // the focus may not move while the window is inactive
                return true;
            }
            if (key == Qt::Key_Up)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
