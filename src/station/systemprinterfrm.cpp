// SPDX-License-Identifier: GPL-3.0-or-later
#include "systemprinterfrm.h"

#include "common/programstate.h"
#include "report/systemlabelprint.h"
#include "station/sheetstartpicker.h"
#include "widgets/dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

SystemPrinterFrm::SystemPrinterFrm(const QStringList &printers, const QList<SheetLayout> &layouts,
                                   const SystemPrintChoice &choice, QWidget *parent)
    : QDialog(parent), m_layouts(layouts)
{
    setObjectName(QStringLiteral("SystemPrinterFrm"));
    setWindowTitle(QStringLiteral("시스템 프린터"));
    auto *outer = new QHBoxLayout(this);
    auto *grid = new QGridLayout;
    outer->addLayout(grid, 1);

    grid->addWidget(new QLabel(QStringLiteral("프린터"), this), 0, 0);
    SysPrnNameCmb = new QComboBox(this);
    SysPrnNameCmb->setObjectName(QStringLiteral("SysPrnNameCmb"));
    SysPrnNameCmb->addItems(printers);
    SysPrnNameCmb->setCurrentIndex(qMax(0, printers.indexOf(choice.printer)));
    grid->addWidget(SysPrnNameCmb, 0, 1, 1, 2);

    grid->addWidget(new QLabel(QStringLiteral("용지"), this), 1, 0);
    auto *paper = new QButtonGroup(this);
    PaperRollOpt = new QRadioButton(QStringLiteral("롤 (라벨 한 장이 한 쪽)"), this);
    PaperRollOpt->setObjectName(QStringLiteral("PaperRollOpt"));
    PaperRollOpt->setToolTip(
        QStringLiteral("시스템 드라이버가 있는 라벨 프린터: 쪽의 크기가 라벨의 크기입니다"));
    PaperSheetOpt = new QRadioButton(QStringLiteral("라벨 시트"), this);
    PaperSheetOpt->setObjectName(QStringLiteral("PaperSheetOpt"));
    PaperSheetOpt->setToolTip(QStringLiteral("사무용 프린터에 넣는 A4 라벨 용지"));
    paper->addButton(PaperRollOpt);
    paper->addButton(PaperSheetOpt);
    grid->addWidget(PaperRollOpt, 1, 1, 1, 2);
    grid->addWidget(PaperSheetOpt, 2, 1);
    SheetLayoutCmb = new QComboBox(this);
    SheetLayoutCmb->setObjectName(QStringLiteral("SheetLayoutCmb"));
    int current = 0;
    for (int i = 0; i < layouts.size(); ++i) {
        SheetLayoutCmb->addItem(layouts[i].describe(), layouts[i].name);
        if (layouts[i].name == choice.sheet)
            current = i;
    }
    SheetLayoutCmb->setCurrentIndex(current);
    grid->addWidget(SheetLayoutCmb, 2, 2);

    grid->addWidget(new QLabel(QStringLiteral("시작 위치"), this), 3, 0);
    SheetStartSpn = new QSpinBox(this);
    SheetStartSpn->setObjectName(QStringLiteral("SheetStartSpn"));
    SheetStartSpn->setToolTip(
        QStringLiteral("첫 시트의 몇 번째 라벨부터 인쇄할지 (왼쪽 위부터 줄마다 셉니다)"));
    grid->addWidget(SheetStartSpn, 3, 1);
    SheetInfoLbl = new QLabel(this);
    SheetInfoLbl->setObjectName(QStringLiteral("SheetInfoLbl"));
    grid->addWidget(SheetInfoLbl, 3, 2);
    grid->setRowStretch(4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    OkCmd = new QPushButton(QStringLiteral("확인"), this);
    OkCmd->setObjectName(QStringLiteral("OkCmd"));
    OkCmd->setDefault(true);
    CancelCmd = new QPushButton(QStringLiteral("취소"), this);
    CancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    buttons->addWidget(OkCmd);
    buttons->addWidget(CancelCmd);
    grid->addLayout(buttons, 5, 0, 1, 3);

    SheetPicker = new SheetStartPicker(this);
    outer->addWidget(SheetPicker);

    (choice.sheet.isEmpty() || layouts.isEmpty() ? PaperRollOpt : PaperSheetOpt)->setChecked(true);
    PaperSheetOpt->setEnabled(!layouts.isEmpty());
    showLayout();
    SheetStartSpn->setValue(choice.start);
    SheetPicker->setStart(choice.start);

    connect(PaperRollOpt, &QRadioButton::toggled, this, &SystemPrinterFrm::showLayout);
    connect(SheetLayoutCmb, &QComboBox::currentIndexChanged, this, &SystemPrinterFrm::showLayout);
    connect(SheetStartSpn, &QSpinBox::valueChanged, SheetPicker, &SheetStartPicker::setStart);
    connect(SheetPicker, &SheetStartPicker::startChosen, SheetStartSpn, &QSpinBox::setValue);
    connect(OkCmd, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
    const QList<QWidget *> order{SysPrnNameCmb, PaperRollOpt, PaperSheetOpt, SheetLayoutCmb,
                                 SheetStartSpn, OkCmd,        CancelCmd};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void SystemPrinterFrm::showLayout()
{
    const bool sheet = PaperSheetOpt->isChecked();
    const int i = SheetLayoutCmb->currentIndex();
    SheetLayoutCmb->setEnabled(sheet);
    SheetStartSpn->setEnabled(sheet);
    SheetPicker->setVisible(sheet);
    if (!sheet || i < 0 || i >= m_layouts.size()) {
        SheetInfoLbl->clear();
        return;
    }
    const SheetLayout &l = m_layouts[i];
    SheetStartSpn->setRange(1, l.labelsPerSheet());
    SheetInfoLbl->setText(QStringLiteral("/ %1장").arg(l.labelsPerSheet()));
    SheetPicker->setLayout(l);
    SheetPicker->setStart(SheetStartSpn->value());
}

SystemPrintChoice SystemPrinterFrm::choice() const
{
    SystemPrintChoice c;
    c.printer = SysPrnNameCmb->currentText();
    if (PaperSheetOpt->isChecked() && SheetLayoutCmb->currentIndex() >= 0) {
        c.sheet = SheetLayoutCmb->currentData().toString();
        c.start = SheetStartSpn->value();
    }
    return c;
}

bool SystemPrinterFrm::choose(QWidget *parent, SystemPrintChoice *choice)
{
    const QStringList printers = SystemLabelPrint::printers();
    if (printers.isEmpty()) {
        Dialogs::inform(parent,
                        QStringLiteral("* 시스템에 등록된 프린터가 없습니다 !\n"
                                       "시스템 설정에서 프린터를 추가한 뒤 다시 고르세요."),
                        QStringLiteral("시스템 프린터"));
        return false;
    }
    QStringList problems;
    const QList<SheetLayout> layouts = SheetLayout::all(DataDirectory(), &problems);
    if (!problems.isEmpty())
        Dialogs::inform(parent,
                        QStringLiteral("* %1 파일의 일부 줄을 읽지 못했습니다 !\n%2")
                            .arg(SheetLayout::fileName(), problems.join(QLatin1Char('\n'))),
                        QStringLiteral("시스템 프린터"), QMessageBox::Warning);
    SystemPrinterFrm dialog(printers, layouts, *choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *choice = dialog.choice();
    return true;
}
