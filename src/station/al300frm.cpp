// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300frm.h"

#include "station/al300formatfields.h"
#include "station/al300ratiochoice.h"
#include "widgets/floatingpanel.h"
#include "common/programstate.h"
#include "model/goodstable.h"
#include "commands/stationdocument.h"
#include "printers/al300/al300transfer.h"
#include "station/formateditor.h"
#include "station/optionpanels.h"
#include "widgets/dialogs.h"
#include "model/labeljob.h"
#include "sending/portmap.h"
#include "station/stationprinter.h"
#include "station/undocontrols.h"

#include <QCheckBox>
#include <QFrame>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

AL300Frm::AL300Frm(QWidget *parent) : StationFrm(StationProfile::al300(), parent)
{
    m_fields = new Al300FormatFields(editor(), fieldTable(), document());
    optionPanels()->setBarcodeTypeChoice(std::make_unique<Al300RatioChoice>(optionPanels()));
    for (QLineEdit *box : m_fields->BarStringTxt) {
        if (box)
            undoControls()->coverBox(box);
    }
    buildTransferPanel();
}

// ---------------------------------------------------------------------------------------
// Transfer

void AL300Frm::buildTransferPanel()
{
    Al300SaveCmd = new QPushButton(QStringLiteral("AL-300 기기로 전송하기"), editor());
    Al300SaveCmd->setObjectName(QStringLiteral("Al300SaveCmd"));
    Al300SaveCmd->setMinimumHeight(30);
    editor()->sideLayout()->insertWidget(0, Al300SaveCmd);
    connect(Al300SaveCmd, &QPushButton::clicked, this, &AL300Frm::Al300SaveCmd_Click);

    BarSaveFme = MakeFloatingPanel(QStringLiteral("BarSaveFme"), QColor(0xE8, 0xF0, 0xFF), this);
    auto *v = new QVBoxLayout(BarSaveFme);
    auto *title = new QLabel(QStringLiteral("출 력"), BarSaveFme);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    title->setFont(bold);
    v->addWidget(title);
    v->addWidget(new QLabel(QStringLiteral("포멧,품목 전송하기"), BarSaveFme));
    for (int i = 1; i <= 5; ++i) {
        SelFormChk[i] = new QCheckBox(QStringLiteral("포멧[#%1] 데이터 전송").arg(i), BarSaveFme);
        SelFormChk[i]->setObjectName(QStringLiteral("SelFormChk%1").arg(i));
        v->addWidget(SelFormChk[i]);
    }
    SelGodsChk = new QCheckBox(QStringLiteral("품목(1~999) 데이터 전송"), BarSaveFme);
    SelGodsChk->setObjectName(QStringLiteral("SelGodsChk"));
    v->addWidget(SelGodsChk);
    auto *warn = new QLabel(QStringLiteral("이전 데이터는 삭제됨"), BarSaveFme);
    QPalette wp = warn->palette();
    wp.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    warn->setPalette(wp);
    v->addWidget(warn);
    auto *buttons = new QHBoxLayout;
    BarSaveCmd = new QPushButton(QStringLiteral("전송"), BarSaveFme);
    BarSaveCmd->setObjectName(QStringLiteral("BarSaveCmd"));
    BarExitCmd = new QPushButton(QStringLiteral("닫기"), BarSaveFme);
    BarExitCmd->setObjectName(QStringLiteral("BarExitCmd"));
    buttons->addWidget(BarSaveCmd);
    buttons->addWidget(BarExitCmd);
    v->addLayout(buttons);
    BarSaveFme->hide();
    connect(BarSaveCmd, &QPushButton::clicked, this, &AL300Frm::BarSaveCmd_Click);
    connect(BarExitCmd, &QPushButton::clicked, this, &AL300Frm::BarExitCmd_Click);
}

void AL300Frm::Al300SaveCmd_Click()
{
    BarSaveFme->adjustSize();
    const QRect grid = panelArea();
    // Centred over the grid, but never past the window's bottom edge: the panel is taller
    // than the grid and its buttons must stay reachable.
    const int top = qMin(grid.y() + (grid.height() - BarSaveFme->height()) / 2,
                         height() - BarSaveFme->height() - 4);
    BarSaveFme->move(grid.x() + (grid.width() - BarSaveFme->width()) / 2, qMax(0, top));
    BarSaveFme->show();
    BarSaveFme->raise();
}

void AL300Frm::BarExitCmd_Click()
{
    BarSaveFme->hide();
    focusGrid();
}

void AL300Frm::BarSaveCmd_Click()
{
    std::array<bool, 6> formats{};
    bool anyFormat = false;
    for (int i = 1; i <= 5; ++i) {
        formats[i] = SelFormChk[i]->isChecked();
        anyFormat = anyFormat || formats[i];
    }
    const bool goodsTicked = SelGodsChk->isChecked();
    if (!anyFormat && !goodsTicked)
        return;
    // The printer's memory and the data folder hold the same formats and goods: what the
    // screen shows is saved first.
    if (document()->hasUnsavedChanges()) {
        if (!Dialogs::askYesNo(this,
                               QStringLiteral("* 화면의 포멧·품목이 아직 저장되지 않았습니다.\n"
                                              "저장한 뒤 전송할까요 ?\n"
                                              "(아니오: 전송하지 않습니다)"),
                               QStringLiteral("전송")) ||
            !saveFiles())
            return;
    }
    // The transfer is the AL-300's own: a port that speaks another language gets nothing.
    const ResolvedPort port = printer()->resolvePort();
    if (port.language && port.language != &driver()) {
        Dialogs::inform(this,
                        QStringLiteral("* %1 포트의 프린터 언어가 %2입니다 !\nAL-300 메모리 전송은 "
                                       "AL-300 프린터에만 보낼 수 있어 보내지 않았습니다.")
                            .arg(PortMap::portName(formatSet().BarComPort),
                                 port.language->caption(port.dpi)),
                        QStringLiteral("전송"));
        return;
    }
    // Formats, then their links, then the goods table; each its own port cycle. The labels
    // they set up are scan-checked beside the window before anything goes out.
    const QList<PrintJob> jobs = Al300Transfer::jobs(formatSet(), formats, goodsTicked,
                                                     goods()->rowTexts(), DataDirectory());
    QList<PlanScan::Label> labels;
    QHash<int, QStringList> names;
    for (const LabelJob &l : Al300Transfer::labels(formatSet(), formats, goodsTicked, *goods())) {
        labels << PlanScan::Label{l.row, l.text};
        names.insert(l.row, {goods()->cell(l.row, GoodsTable::NumberColumn).trimmed(),
                             goods()->cell(l.row, GoodsTable::NameColumn).trimmed()});
    }
    printer()->send(
        [jobs, labels, names](const ResolvedPort &) {
            return StationPrinter::Prepared{jobs, {}, PlanScan::unscannable(labels, names)};
        },
        BarSaveCmd, true, QStringLiteral("AL-300 전송중"), QStringLiteral("전송"),
        [this] { BarExitCmd_Click(); });
}
