// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodslistcommands.h"

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "widgets/vbcolour.h"
#include "commands/goodscommands.h"
#include "model/goodstable.h"
#include "commands/stationdocument.h"
#include "station/busyguard.h"
#include "station/stationwidgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

GoodsListCommands::GoodsListCommands(StationDocument *document, QWidget *window)
    : QObject(window), m_doc(document), m_window(window), m_editor(&AL300EdtFrm::edit)
{
    vaSpread1 = new QTableView(window);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setModel(m_doc->goodsModel()); // a mark clicked there is a step
    vaSpread1->setSelectionBehavior(QAbstractItemView::SelectRows);
    vaSpread1->setSelectionMode(QAbstractItemView::SingleSelection);
    vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vaSpread1->installEventFilter(this);
    vaSpread1->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }")
                                 .arg(VbColour(Program().GridAccentColour).name()));
    connect(vaSpread1, &QTableView::doubleClicked, this, [this] { GdsUpdateCmd_Click(); });

    auto button = [window](const char *name, const char *caption, const char *keys) {
        QPushButton *b =
            MakeCommandButton(QString::fromLatin1(name), QString::fromUtf8(caption), window);
        b->setToolTip(QString::fromLatin1(keys));
        return b;
    };
    GdsInsertCmd = button("GdsInsertCmd", "등록", "Insert");
    GdsUpdateCmd = button("GdsUpdateCmd", "수정", "Enter");
    GdsDeleteCmd = button("GdsDeleteCmd", "삭제", "Delete");
    GdsSelectCmd = button("GdsSelectCmd", "선택", "F1");
    GdsAllSelCmd = button("GdsAllSelCmd", "전체선택", "Ctrl+F1");
    GdsAllDelCmd = button("GdsAllDelCmd", "선택해제", "Ctrl+F2");
    GdsMoveCmd =
        MakeCommandButton(QStringLiteral("GdsMoveCmd"), QStringLiteral("F2 : 번호변경"), window);
    auto *sort = new QGroupBox(QStringLiteral("정렬"), window);
    auto *sortLay = new QHBoxLayout(sort);
    sortLay->setContentsMargins(6, 2, 6, 2);
    GdsSelt0Opt = new QRadioButton(QStringLiteral("번호"), sort);
    GdsSelt0Opt->setObjectName(QStringLiteral("GdsSelt0Opt"));
    GdsSelt1Opt = new QRadioButton(QStringLiteral("이름"), sort);
    GdsSelt1Opt->setObjectName(QStringLiteral("GdsSelt1Opt"));
    sortLay->addWidget(GdsSelt0Opt);
    sortLay->addWidget(GdsSelt1Opt);
    sortBox = sort;
    InitColsRtn = MakeCommandButton(QStringLiteral("InitColsRtn"), QStringLiteral("초기"), window);
    QPalette p = InitColsRtn->palette();
    p.setColor(QPalette::ButtonText, VbColour(Program().GridAccentColour));
    InitColsRtn->setPalette(p);

    connect(GdsInsertCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsInsertCmd_Click);
    connect(GdsUpdateCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsUpdateCmd_Click);
    connect(GdsDeleteCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsDeleteCmd_Click);
    connect(GdsSelectCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsSelectCmd_Click);
    connect(GdsAllSelCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsAllSelCmd_Click);
    connect(GdsAllDelCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsAllDelCmd_Click);
    connect(GdsMoveCmd, &QPushButton::clicked, this, &GoodsListCommands::GdsMoveCmd_Click);
    connect(GdsSelt0Opt, &QRadioButton::clicked, this, &GoodsListCommands::GdsSelt0Opt_Click);
    connect(GdsSelt1Opt, &QRadioButton::clicked, this, &GoodsListCommands::GdsSelt1Opt_Click);
    connect(InitColsRtn, &QPushButton::clicked, this, &GoodsListCommands::InitColsRtn_Click);
}

void GoodsListCommands::rememberDefaultWidths()
{
    m_defaultWidths.clear();
    for (int c = 0; c < 100; ++c)
        m_defaultWidths << (c < GoodsTable::ColumnCount ? vaSpread1->columnWidth(c) : 0);
}

int GoodsListCommands::activeRow() const
{
    const QModelIndex i = vaSpread1->currentIndex();
    if (!i.isValid() || i.row() >= m_doc->goods()->rows())
        return 0;
    return i.row() + 1;
}

void GoodsListCommands::setActiveRow(int row)
{
    if (row < 1 || row > m_doc->goods()->rows())
        return;
    vaSpread1->setCurrentIndex(m_doc->goodsModel()->index(row - 1, 0));
}

void GoodsListCommands::focusGrid()
{
    if (vaSpread1->isEnabled())
        vaSpread1->setFocus();
}

void GoodsListCommands::clearSortOptions()
{
    UncheckOptions({GdsSelt0Opt, GdsSelt1Opt});
}

void GoodsListCommands::GdsInsertCmd_Click()
{
    if (const auto item = m_editor(m_window, ItemEditMode::Insert, GoodsItem())) {
        m_doc->insertItem(*item);
        setActiveRow(m_doc->goods()->rows());
        clearSortOptions();
    }
    focusGrid();
}

void GoodsListCommands::GdsUpdateCmd_Click()
{
    const int r = activeRow();
    if (r >= 1) {
        if (const auto item = m_editor(m_window, ItemEditMode::Update, m_doc->goods()->itemAt(r))) {
            m_doc->updateItem(r, *item);
            setActiveRow(r);
            clearSortOptions();
        }
    }
    focusGrid();
}

void GoodsListCommands::GdsDeleteCmd_Click()
{
    const int r = activeRow();
    const GoodsTable *goods = m_doc->goods();
    if (r >= 1) {
        const QString number = QString::number(LeadingNumber(goods->cell(r, 1)), 'f', 0);
        const QString name = goods->cell(r, 3).trimmed();
        if (Dialogs::askYesNo(m_window,
                              QStringLiteral("* (%1)번 (%2)를 삭제할까요 ?").arg(number, name))) {
            m_doc->removeItem(r);
            clearSortOptions();
            setActiveRow(qMin(r, goods->rows()));
        }
    }
    focusGrid();
}

void GoodsListCommands::GdsSelectCmd_Click()
{
    const int r = activeRow();
    if (r >= 1)
        m_doc->toggleMark(r);
    focusGrid();
}

void GoodsListCommands::GdsAllSelCmd_Click()
{
    m_doc->setAllMarks(true);
    focusGrid();
}

void GoodsListCommands::GdsAllDelCmd_Click()
{
    m_doc->setAllMarks(false);
    focusGrid();
}

void GoodsListCommands::GdsMoveCmd_Click()
{
    if (m_doc->goods()->rows() > 0) {
        const auto answer =
            Dialogs::askText(m_window, QStringLiteral("번호변경"),
                             QStringLiteral("* 변경할 번호를 입력하세요 (1~999) ...... ?"));
        const int target = answer ? DigitsToLong(*answer) : 0;
        if (target >= 1 && target <= 999) {
            BusyGuard busy(GdsMoveCmd);
            m_doc->renumberMarked(target);
        }
    }
    focusGrid();
}

void GoodsListCommands::GdsSelt0Opt_Click()
{
    GdsSelt0Opt->setChecked(true);
    m_doc->sortGoods(GoodsTable::SortKey::Number);
    focusGrid();
}

void GoodsListCommands::GdsSelt1Opt_Click()
{
    GdsSelt1Opt->setChecked(true);
    m_doc->sortGoods(GoodsTable::SortKey::Name);
    focusGrid();
}

void GoodsListCommands::InitColsRtn_Click()
{
    if (Dialogs::askYesNo(m_window, QStringLiteral("칼럼 사이즈를 초기화할까요 ?"))) {
        for (int c = 0; c < GoodsTable::ColumnCount; ++c)
            vaSpread1->setColumnWidth(c, m_defaultWidths.value(c));
    }
    focusGrid();
}

bool GoodsListCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == vaSpread1 && event->type() == QEvent::KeyPress &&
        gridKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool GoodsListCommands::gridKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Insert:
        GdsInsertCmd_Click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        GdsUpdateCmd_Click();
        return true;
    case Qt::Key_Delete:
        GdsDeleteCmd_Click();
        return true;
    case Qt::Key_F1:
        if (mods == Qt::NoModifier)
            GdsSelectCmd_Click();
        else if (mods == Qt::ControlModifier)
            GdsAllSelCmd_Click();
        else
            return false;
        return true;
    case Qt::Key_F2:
        if (mods == Qt::NoModifier)
            GdsMoveCmd_Click();
        else if (mods == Qt::ControlModifier)
            GdsAllDelCmd_Click();
        else
            return false;
        return true;
    case Qt::Key_F7:
        if (mods == Qt::ShiftModifier)
            Q_EMIT printOneRequested();
        else if (mods == Qt::AltModifier)
            Q_EMIT printListRequested();
        else
            return false;
        return true;
    default:
        return false;
    }
}
