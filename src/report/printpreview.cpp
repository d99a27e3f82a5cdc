// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpreview.h"

#include "common/programstate.h"
#include "report/gridpagepainter.h"
#include "report/previewpages.h"
#include "report/prinsetup.h"
#include "report/printpagesetup.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<PrintPreview> current;
}

QStringList PreviewZoomItems()
{
    return {QStringLiteral("200%"),  QStringLiteral("150%"),      QStringLiteral("100%"),
            QStringLiteral("75%"),   QStringLiteral("50%"),       QStringLiteral("25%"),
            QStringLiteral("10%"),   QStringLiteral("Page 넓이"), QStringLiteral("Page 높이"),
            QStringLiteral("1장씩"), QStringLiteral("2장씩"),     QStringLiteral("3장씩"),
            QStringLiteral("4장씩"), QStringLiteral("6장씩")};
}

void PrintPreview::applyZoom(int index)
{
    PreviewPages *v = fpSpreadPreview1;
    static const int percents[] = {200, 150, 100, 75, 50, 25, 10};
    if (index >= 0 && index <= 6) {
        v->setZoomPercent(percents[index]);
        v->setZoomState(2);
    } else if (index == 7) {
        v->setZoomState(3);
    } else if (index == 8) {
        v->setZoomState(4);
    } else if (index == 9) {
        v->setZoomState(0);
    } else if (index >= 10 && index <= 13) {
        static const int across[] = {2, 3, 2, 3};
        static const int down[] = {1, 1, 2, 2};
        v->setMultiplePages(across[index - 10], down[index - 10]);
        v->setZoomState(5);
    }
}

PrintPreview::PrintPreview(ReportSource source, SharedPrintSettings settings, QWidget *parent)
    : QWidget(parent), m_source(std::move(source)),
      m_settings(settings ? std::move(settings) : std::make_shared<GridPrintSettings>())
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("출력 미리보기"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    // Load: clear the modal flag, build the toolbar, first page, the program's zoom.
    Program().ModalOpening = 0;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    fpSpread1 = new QWidget(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    layout->addWidget(fpSpread1);
    fpSpreadPreview1 = new PreviewPages(this);
    fpSpreadPreview1->setObjectName(QStringLiteral("fpSpreadPreview1"));
    layout->addWidget(fpSpreadPreview1, 1);
    SetupToolbar();
    setFixedSize(900, 760); // the window keeps its size
    refresh();
    DisableButton(PrevCol, QStringLiteral("LEFT"));
    current = this;
    applyZoom(Program().PreviewZoom);
}

PrintPreview::~PrintPreview()
{
    if (current == this)
        current = nullptr;
}

PrintPreview *PrintPreview::instance()
{
    return current;
}

int PrintPreview::gridPageCount() const
{
    const GridPrintSettings &s = *m_settings;
    return GridPagePainter(m_source.snapshot(), s, GridPagePainter::a4Paper(s)).pageCount();
}

void PrintPreview::refresh()
{
    const GridPrintSettings &s = *m_settings;
    auto pages =
        std::make_shared<GridPagePainter>(m_source.snapshot(), s, GridPagePainter::a4Paper(s));
    lngPageCount = pages->pageCount();
    fpSpreadPreview1->setPages(pages);
    if (m_activated) {
        // The page count or the pages shown at once may have changed, and the current page
        // with them: both buttons follow.
        const int cur = fpSpreadPreview1->currentPage();
        if (cur > lngPageCount - fpSpreadPreview1->pagesShown())
            DisableButton(NextCol, QStringLiteral("RIGHT"));
        else
            EnableButton(NextCol, QStringLiteral("RIGHT"));
        if (cur > 1)
            EnableButton(PrevCol, QStringLiteral("LEFT"));
        else
            DisableButton(PrevCol, QStringLiteral("LEFT"));
    }
}

void PrintPreview::SetupToolbar()
{
    auto *h = new QHBoxLayout(fpSpread1);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(0);
    fpSpread1->setAutoFillBackground(true);
    QPalette pal = fpSpread1->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    fpSpread1->setPalette(pal);
    const QHash<int, QString> captions{
        {NextCol, QStringLiteral("다음")},  {PrevCol, QStringLiteral("이전")},
        {ZoomCol, QStringLiteral("확대")},  {SetupCol, QStringLiteral("설정")},
        {PrintCol, QStringLiteral("출력")}, {CloseCol, QStringLiteral("닫기")}};
    for (int col = 1; col <= 17; ++col) {
        if (captions.contains(col)) {
            auto *b = new QPushButton(captions[col], fpSpread1);
            b->setObjectName(QStringLiteral("fpSpread1Col%1").arg(col));
            b->setFixedHeight(26);
            b->setMinimumWidth(64);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QPushButton::clicked, this,
                    [this, col] { fpSpread1_ButtonClicked(col, 1); });
            m_buttons[size_t(col)] = b;
            h->addWidget(b);
        } else if (col == 14) {
            h->addStretch(1); // the wide gap before "닫기"
        } else {
            h->addSpacing(3);
        }
    }
    for (int col : captions.keys())
        EnableButton(col, QString());
}

QPushButton *PrintPreview::toolbarButton(int column) const
{
    return column >= 1 && column <= 17 ? m_buttons[size_t(column)] : nullptr;
}

void PrintPreview::DisableButton(int column, const QString &direction)
{
    Q_UNUSED(direction);
    if (QPushButton *b = toolbarButton(column)) {
        b->setEnabled(false);
        b->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128);"));
    }
}

void PrintPreview::EnableButton(int column, const QString &direction)
{
    Q_UNUSED(direction);
    if (QPushButton *b = toolbarButton(column)) {
        b->setEnabled(true);
        b->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0);"));
    }
}

void PrintPreview::fpSpread1_ButtonClicked(int column, int row)
{
    QPushButton *b = toolbarButton(column);
    if (row != 1 || !b || !b->isEnabled())
        return;
    PreviewPages *v = fpSpreadPreview1;
    const int shown = v->pagesShown();
    switch (column) {
    case NextCol:
        if (v->currentPage() < lngPageCount) {
            v->setCurrentPage(v->currentPage() + shown);
            EnableButton(NextCol, QStringLiteral("RIGHT"));
            EnableButton(PrevCol, QStringLiteral("LEFT"));
        }
        if (v->currentPage() > lngPageCount - shown)
            DisableButton(NextCol, QStringLiteral("RIGHT"));
        break;
    case PrevCol:
        if (v->currentPage() > 1) {
            v->setCurrentPage(v->currentPage() - shown);
            EnableButton(PrevCol, QStringLiteral("LEFT"));
            EnableButton(NextCol, QStringLiteral("RIGHT"));
        }
        if (v->currentPage() == 1)
            DisableButton(PrevCol, QStringLiteral("LEFT"));
        break;
    case ZoomCol:
        v->setZoomState(3);
        break;
    case SetupCol: {
        // One page setup at a time, a window of this preview.
        if (m_pageSetup)
            m_pageSetup->close();
        m_pageSetup = new PrintPageSetup(m_settings, this);
        m_pageSetup->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_pageSetup, &PrintPageSetup::stored, this, [this](int zoom) {
            applyZoom(zoom);
            refresh();
        });
        m_pageSetup->show();
        break;
    }
    case PrintCol: {
        if (m_printOptions)
            m_printOptions->close();
        m_printOptions = new PrinSetup(m_source, m_settings, this);
        m_printOptions->setAttribute(Qt::WA_DeleteOnClose);
        m_printOptions->show();
        break;
    }
    case CloseCol:
        close();
        break;
    default:
        break;
    }
}

void PrintPreview::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        if (lngPageCount <= 1)
            DisableButton(NextCol, QStringLiteral("RIGHT"));
    }
}

void PrintPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
