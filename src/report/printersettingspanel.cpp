// SPDX-License-Identifier: GPL-3.0-or-later
#include "printersettingspanel.h"

#include "common/settingsstore.h"
#include "common/textutil.h"
#include "report/printentryfields.h"
#include "model/reportrequest.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

namespace {

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QString rowNumber(int i)
{
    return QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

PrinterSettingsPanel::PrinterSettingsPanel(QDialog *form, PrintEntryFields *fields,
                                           SettingWriter write)
    : QObject(form), m_form(form), m_fields(fields), m_write(std::move(write))
{
}

void PrinterSettingsPanel::buildRow(QHBoxLayout *row)
{
    auto *printerFrame = new QGroupBox(QStringLiteral("프린터종류"), m_form);
    auto *pf = new QHBoxLayout(printerFrame);
    SelPrt0Opt = new QRadioButton(QStringLiteral("레이저"), printerFrame);
    SelPrt0Opt->setObjectName(QStringLiteral("SelPrt0Opt"));
    SelPrt1Opt = new QRadioButton(QStringLiteral("잉크젯"), printerFrame);
    SelPrt1Opt->setObjectName(QStringLiteral("SelPrt1Opt"));
    pf->addWidget(SelPrt0Opt);
    pf->addWidget(SelPrt1Opt);
    row->addWidget(printerFrame);
    SetInkCmd = makeButton(m_form, "SetInkCmd", QStringLiteral("Ink"));
    PrintSpcCmd = makeButton(m_form, "PrintSpcCmd", QStringLiteral("여백"));
    PrintDlgCmd = makeButton(m_form, "PrintDlgCmd", QStringLiteral("설정"));
    for (QPushButton *b : {SetInkCmd, PrintSpcCmd, PrintDlgCmd}) {
        b->setFixedSize(60, 28);
        row->addWidget(b);
    }
}

void PrinterSettingsPanel::buildPanels()
{
    // Inkjet fine adjustment panel, laid over the form when opened.
    SetInkFme = new QGroupBox(QStringLiteral("잉크젯(음영-미세조정)"), m_form);
    SetInkFme->setObjectName(QStringLiteral("SetInkFme"));
    SetInkFme->setAutoFillBackground(true);
    {
        auto *g = new QGridLayout(SetInkFme);
        SetBjChk = new QCheckBox(QStringLiteral("해제"), SetInkFme);
        SetBjChk->setObjectName(QStringLiteral("SetBjChk"));
        SetBxChk = new QCheckBox(QStringLiteral("박스"), SetInkFme);
        SetBxChk->setObjectName(QStringLiteral("SetBxChk"));
        g->addWidget(SetBjChk, 0, 0);
        g->addWidget(SetBxChk, 0, 1);
        SetBjYTxt = PrintEntryFields::makeEdit(SetInkFme, QStringLiteral("SetBjYTxt"), 90);
        SetBjHTxt = PrintEntryFields::makeEdit(SetInkFme, QStringLiteral("SetBjHTxt"), 90);
        SetBjLTxt = PrintEntryFields::makeEdit(SetInkFme, QStringLiteral("SetBjLTxt"), 90);
        const QStringList captions{QStringLiteral("좌표Y"), QStringLiteral("두 께"),
                                   QStringLiteral("길 이")};
        const QList<QLineEdit *> edits{SetBjYTxt, SetBjHTxt, SetBjLTxt};
        for (int i = 0; i < 3; ++i) {
            g->addWidget(new QLabel(captions[i], SetInkFme), i + 1, 0);
            g->addWidget(edits[i], i + 1, 1);
            edits[i]->setAlignment(Qt::AlignRight);
        }
        ExitInkCmd = makeButton(SetInkFme, "ExitInkCmd", QStringLiteral("닫기"));
        g->addWidget(ExitInkCmd, 4, 1);
    }
    SetInkFme->adjustSize();
    SetInkFme->hide();

    // A4 margin panel.
    PrintSpcFme = new QGroupBox(QStringLiteral("여백설정(A4)"), m_form);
    PrintSpcFme->setObjectName(QStringLiteral("PrintSpcFme"));
    PrintSpcFme->setAutoFillBackground(true);
    {
        auto *g = new QGridLayout(PrintSpcFme);
        const QStringList rows{QStringLiteral("거래명세폼지"), QStringLiteral("거래명세순백"),
                               QStringLiteral("세금계산폼지"), QStringLiteral("세금계산순백"),
                               QStringLiteral("세금합계순백"), QStringLiteral("세로출력순백"),
                               QStringLiteral("가로출력순백"), QStringLiteral("라벨용지[14]")};
        for (int i = 0; i < 8; ++i) {
            const QString nn = rowNumber(i);
            g->addWidget(new QLabel(rows[i], PrintSpcFme), i, 0);
            g->addWidget(new QLabel(QStringLiteral("위"), PrintSpcFme), i, 1);
            A4TopTxt[i] =
                PrintEntryFields::makeEdit(PrintSpcFme, QStringLiteral("A4Top%1Txt").arg(nn), 56);
            g->addWidget(A4TopTxt[i], i, 2);
            g->addWidget(new QLabel(QStringLiteral("왼"), PrintSpcFme), i, 3);
            A4LeftTxt[i] =
                PrintEntryFields::makeEdit(PrintSpcFme, QStringLiteral("A4Left%1Txt").arg(nn), 56);
            g->addWidget(A4LeftTxt[i], i, 4);
            A4TopTxt[i]->setAlignment(Qt::AlignRight);
            A4LeftTxt[i]->setAlignment(Qt::AlignRight);
        }
        PspExitCmd = makeButton(PrintSpcFme, "PspExitCmd", QStringLiteral("닫기"));
        g->addWidget(PspExitCmd, 8, 4);
    }
    PrintSpcFme->adjustSize();
    PrintSpcFme->hide();

    // Entry rules: Enter goes from a top offset to its left one and on to the next row;
    // Down goes to the next row; the last row leads to "닫기".
    using Kind = PrintEntryFields::Kind;
    for (int i = 0; i < 8; ++i) {
        QWidget *nextTop = i < 7 ? static_cast<QWidget *>(A4TopTxt[i + 1]) : PspExitCmd;
        m_fields->add(A4TopTxt[i], Kind::A4Offset, 0, true, A4LeftTxt[i], nextTop,
                      i > 0 ? A4TopTxt[i - 1] : A4TopTxt[i]);
        m_fields->add(A4LeftTxt[i], Kind::A4Offset, 0, true, nextTop, nextTop, A4TopTxt[i]);
    }
    m_fields->add(SetBjYTxt, Kind::Fine, 7, true, SetBjHTxt, SetBjHTxt, SetBjYTxt,
                  QStringLiteral("PrinterBjY"));
    m_fields->add(SetBjHTxt, Kind::Fine, 7, true, SetBjLTxt, SetBjLTxt, SetBjYTxt,
                  QStringLiteral("PrinterBjH"));
    m_fields->add(SetBjLTxt, Kind::Fine, 7, true, ExitInkCmd, ExitInkCmd, SetBjHTxt,
                  QStringLiteral("PrinterBjL"));
    connect(m_fields, &PrintEntryFields::offsetLeft, this, &PrinterSettingsPanel::saveA4Offsets);
    connect(m_fields, &PrintEntryFields::fineLeft, this,
            [this](const QString &key, qint32 hundredths) { m_write(key, hundredths); });

    connect(SetInkCmd, &QPushButton::clicked, this, &PrinterSettingsPanel::SetInkCmd_Click);
    connect(ExitInkCmd, &QPushButton::clicked, this, &PrinterSettingsPanel::ExitInkCmd_Click);
    connect(PrintSpcCmd, &QPushButton::clicked, this, &PrinterSettingsPanel::PrintSpcCmd_Click);
    connect(PspExitCmd, &QPushButton::clicked, this, &PrinterSettingsPanel::PspExitCmd_Click);
    connect(SelPrt0Opt, &QRadioButton::clicked, this, &PrinterSettingsPanel::SelPrt0Opt_Click);
    connect(SelPrt1Opt, &QRadioButton::clicked, this, &PrinterSettingsPanel::SelPrt1Opt_Click);
    connect(SetBjChk, &QCheckBox::clicked, this, &PrinterSettingsPanel::SetBjChk_Click);
    connect(SetBxChk, &QCheckBox::clicked, this, &PrinterSettingsPanel::SetBxChk_Click);
    connect(PrintDlgCmd, &QPushButton::clicked, this, &PrinterSettingsPanel::PrintDlgCmd_Click);
}

void PrinterSettingsPanel::load()
{
    auto clamp01 = [](qint32 v) -> qint16 { return (v < 0 || v > 1) ? 0 : qint16(v); };
    const qint16 printer = clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterSet")));
    (printer == 1 ? SelPrt1Opt : SelPrt0Opt)->setChecked(true);
    SetBjChk->setChecked(clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterBjSel"))) ==
                         1);
    SetBxChk->setChecked(clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterBxSel"))) ==
                         1);
    for (QLineEdit *e : {SetBjYTxt, SetBjHTxt, SetBjLTxt}) {
        const qint32 stored = ReadSettingInt(SettingsSection, m_fields->key(e));
        Currency v =
            CurTruncate2(CurDivide(Currency::fromWhole(stored), Currency::fromWhole(100), -1));
        if (v < Currency::fromWhole(-100) || v > Currency::fromWhole(100))
            v = Currency();
        e->setText(CurToGrouped(v, 0));
    }
    loadA4Offsets();
    SetInkFme->hide();
    PrintSpcFme->hide();
}

void PrinterSettingsPanel::copyTo(ReportRequest &answer) const
{
    answer.PrinterType = SelPrt1Opt->isChecked() ? 1 : 0;
    answer.FineAdjustOff = SetBjChk->isChecked() ? 1 : 0;
    answer.Box = SetBxChk->isChecked() ? 1 : 0;
    answer.FineY = PrintEntryFields::fineValue(SetBjYTxt->text());
    answer.FineH = PrintEntryFields::fineValue(SetBjHTxt->text());
    answer.FineL = PrintEntryFields::fineValue(SetBjLTxt->text());
}

void PrinterSettingsPanel::loadA4Offsets()
{
    for (int i = 0; i < 8; ++i) {
        const QString nn = rowNumber(i);
        const qint32 top = ReadSettingInt(SettingsSection, QStringLiteral("PrintA4Top") + nn);
        const qint32 left = ReadSettingInt(SettingsSection, QStringLiteral("PrintA4Left") + nn);
        A4TopTxt[i]->setText(CurToText(Currency::fromWhole(qint16(top)), 1));
        A4LeftTxt[i]->setText(CurToText(Currency::fromWhole(qint16(left)), 1));
    }
}

void PrinterSettingsPanel::saveA4Offsets()
{
    for (int i = 0; i < 8; ++i) {
        const QString nn = rowNumber(i);
        m_write(QStringLiteral("PrintA4Top") + nn,
                qint32(PrintEntryFields::offsetValue(A4TopTxt[i]->text())));
        m_write(QStringLiteral("PrintA4Left") + nn,
                qint32(PrintEntryFields::offsetValue(A4LeftTxt[i]->text())));
    }
}

void PrinterSettingsPanel::placePanel(QWidget *panel, QWidget *anchor)
{
    panel->adjustSize();
    QPoint at = anchor->mapTo(m_form, QPoint(0, 0));
    at.setY(at.y() - panel->height() - 4);
    at.setX(qBound(4, at.x(), m_form->width() - panel->width() - 4));
    at.setY(qMax(4, at.y()));
    panel->move(at);
    panel->raise();
    panel->show();
}

void PrinterSettingsPanel::SetInkCmd_Click()
{
    if (SetInkFme->isVisible()) {
        SetInkFme->hide();
        return;
    }
    PrintSpcFme->hide();
    placePanel(SetInkFme, SetInkCmd);
    SetBjYTxt->setFocus(Qt::OtherFocusReason);
}

void PrinterSettingsPanel::ExitInkCmd_Click()
{
    SetInkFme->hide();
    SetInkCmd->setFocus(Qt::OtherFocusReason);
}

void PrinterSettingsPanel::PrintSpcCmd_Click()
{
    if (PrintSpcFme->isVisible()) {
        PrintSpcFme->hide();
        return;
    }
    SetInkFme->hide();
    loadA4Offsets();
    placePanel(PrintSpcFme, PrintSpcCmd);
    PspExitCmd->setFocus(Qt::OtherFocusReason);
}

void PrinterSettingsPanel::PspExitCmd_Click()
{
    PrintSpcFme->hide();
    PrintSpcCmd->setFocus(Qt::OtherFocusReason);
}

void PrinterSettingsPanel::SelPrt0Opt_Click()
{
    m_write(QStringLiteral("PrinterSet"), 0);
}

void PrinterSettingsPanel::SelPrt1Opt_Click()
{
    m_write(QStringLiteral("PrinterSet"), 1);
}

void PrinterSettingsPanel::SetBjChk_Click()
{
    m_write(QStringLiteral("PrinterBjSel"), SetBjChk->isChecked() ? 1 : 0);
}

void PrinterSettingsPanel::SetBxChk_Click()
{
    m_write(QStringLiteral("PrinterBxSel"), SetBxChk->isChecked() ? 1 : 0);
}

void PrinterSettingsPanel::PrintDlgCmd_Click()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, m_form);
    dialog.exec();
}
