// SPDX-License-Identifier: GPL-3.0-or-later
#include "prinsetup.h"
#include "common/modalopening.h"

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "report/gridpagepainter.h"
#include "report/printpagesetup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

PrinSetup::PrinSetup(ReportSource source, SharedPrintSettings settings, QWidget *parent,
                     PrinterHook printer)
    : QWidget(parent), m_source(std::move(source)),
      m_settings(settings ? std::move(settings) : std::make_shared<GridPrintSettings>()),
      m_printerHook(std::move(printer))
{
    setObjectName(QStringLiteral("PrinSetup"));
    setWindowTitle(QStringLiteral("인쇄 설정"));
    setWindowFlag(Qt::Window);

    auto *main = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    main->addLayout(top);

    auto *options = new QGroupBox(QStringLiteral("인쇄옵션"), this);
    auto *ol = new QVBoxLayout(options);
    const QStringList captions{QStringLiteral("컬럼 타이틀"),     QStringLiteral("줄 카운트"),
                               QStringLiteral("라인출력"),        QStringLiteral("Border"),
                               QStringLiteral("Data Cells Only"), QStringLiteral("Color"),
                               QStringLiteral("Shadows")};
    for (int i = 0; i < 7; ++i) {
        Check1[i] = new QCheckBox(captions[i], options);
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        Check1[i]->setChecked(i != 5);
        ol->addWidget(Check1[i]);
    }
    top->addWidget(options);

    auto *range = new QGroupBox(QStringLiteral("인쇄매수"), this);
    auto *rl = new QGridLayout(range);
    const QStringList kinds{QStringLiteral("전부 출력"), QStringLiteral("선택 영역"),
                            QStringLiteral("현재 페이지"), QStringLiteral("페이지")};
    for (int i = 0; i < 4; ++i) {
        option1[i] = new QRadioButton(kinds[i], range);
        option1[i]->setObjectName(QStringLiteral("option1_%1").arg(i));
        rl->addWidget(option1[i], i, 0, 1, 3);
        connect(option1[i], &QRadioButton::clicked, this, [this, i] { option1_Click(i); });
    }
    option1[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit(QStringLiteral("1"), range);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setFixedWidth(50);
        Text1[i]->setEnabled(false);
    }
    rl->addWidget(Text1[0], 4, 0);
    rl->addWidget(new QLabel(QStringLiteral("에서"), range), 4, 1);
    rl->addWidget(Text1[1], 4, 2);
    rl->setRowStretch(5, 1);
    top->addWidget(range);

    auto *buttons = new QHBoxLayout;
    const QList<QStyle::StandardPixmap> icons{
        QStyle::SP_DialogApplyButton, QStyle::SP_DialogCloseButton,
        QStyle::SP_FileDialogDetailedView, QStyle::SP_ComputerIcon};
    const QStringList tips{QStringLiteral("인쇄"), QStringLiteral("닫기"),
                           QStringLiteral("출력 페이지 설정"), QStringLiteral("프린터 선택")};
    for (int i = 0; i < 4; ++i) {
        cmdAction[i] = new QPushButton(style()->standardIcon(icons[i]), tips[i], this);
        cmdAction[i]->setObjectName(QStringLiteral("cmdAction_%1").arg(i));
        cmdAction[i]->setToolTip(tips[i]);
        connect(cmdAction[i], &QPushButton::clicked, this, [this, i] { cmdAction_Click(i); });
        buttons->addWidget(cmdAction[i]);
    }
    main->addLayout(buttons);
    adjustSize();
    setFixedSize(sizeHint());
}

PrinSetup::~PrinSetup() = default;

void PrinSetup::option1_Click(int index)
{
    const bool pages = index == 3;
    Text1[0]->setEnabled(pages);
    Text1[1]->setEnabled(pages);
    if (pages)
        Text1[0]->setFocus();
}

bool PrinSetup::PrintSpread()
{
    if (!m_source.model()) {
        Dialogs::inform(this, QStringLiteral("* 인쇄할 자료가 없습니다 !"), QString(),
                        QMessageBox::Warning);
        return false;
    }
    GridPrintSettings s = *m_settings;
    s.colHeaders = Check1[0]->isChecked();
    s.rowHeaders = Check1[1]->isChecked();
    s.border = Check1[3]->isChecked();
    s.colour = Check1[5]->isChecked();
    s.gridLines = Check1[2]->isChecked();
    s.shadows = Check1[6]->isChecked();
    s.useDataMax = Check1[4]->isChecked();
    if (option1[1]->isChecked()) {
        // The selected block of the grid.
        s.printType = GridPrintSettings::CellRange;
        if (!m_source.selectedBlock(&s.blockRow, &s.blockCol, &s.blockRow2, &s.blockCol2)) {
            s.blockRow = s.blockCol = 0;
            s.blockRow2 = s.blockCol2 = -1;
        }
    } else if (option1[2]->isChecked()) {
        s.printType = GridPrintSettings::CurrentPage;
    } else if (option1[3]->isChecked()) {
        bool ok1 = false, ok2 = false;
        const int from = Text1[0]->text().trimmed().toShort(&ok1);
        const int to = Text1[1]->text().trimmed().toShort(&ok2);
        if (!ok1 || !ok2) {
            Dialogs::inform(this, QStringLiteral("* 페이지 번호를 숫자로 입력하십시오 !"),
                            QString(), QMessageBox::Warning);
            return false;
        }
        s.printType = GridPrintSettings::PageRange;
        s.pageStart = from;
        s.pageEnd = to;
    } else {
        s.printType = GridPrintSettings::All;
    }
    *m_settings = s;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(s.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_printerHook) {
        if (!m_printerHook(printer))
            return false;
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Printing always goes through the full layout (selected block included); the print
    // type then picks the pages.
    // Nothing goes into the printer's unprintable border.
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const GridPagePainter pages(m_source.snapshot(), s, layout.fullRectPoints().size(),
                                layout.minimumMargins());
    const QList<int> which = pages.pagesToPrint(m_source.currentRow());
    const bool ok = !which.isEmpty() && pages.print(&printer, which);
    QGuiApplication::restoreOverrideCursor();
    if (!ok)
        Dialogs::inform(this, QStringLiteral("* 인쇄하지 못했습니다 !"), QString(),
                        QMessageBox::Warning);
    return ok;
}

void PrinSetup::cmdAction_Click(int index)
{
    switch (index) {
    case 0:
        PrintSpread();
        break;
    case 1:
        close();
        break;
    case 2:
        OpenModal([this] {
            PrintPageSetup setup(m_settings, this);
            setup.exec();
        });
        break;
    case 3: {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        dialog.exec();
        break;
    }
    default:
        break;
    }
}
