#include "prnseltfrm.h"

#include "common/datevalue.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "common/textutil.h"
#include "common/vbcolour.h"
#include "outputrights.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr quint32 UnselectedColour = 0x00E0E0E0;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit *makeEdit(QWidget *parent, const QString &name, int width)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    SetBoxColour(e, BlurColour);
    return e;
}

QLabel *rowLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setMinimumWidth(70);
    return l;
}

QString padDigits(qint64 value, int digits)
{
    const QString t = QString::number(value).rightJustified(digits, QLatin1Char('0'));
    return t.right(digits);
}

bool isFirstKeyClearing(const QKeyEvent *ke)
{
    if (ke->key() == Qt::Key_Delete)
        return true;
    if (ke->modifiers() & Qt::KeypadModifier)
        return true;
    if (ke->key() >= Qt::Key_0 && ke->key() <= Qt::Key_9)
        return true;
    const QString t = ke->text();
    return t.size() == 1 && QStringLiteral("+-.*").contains(t.at(0));
}

} // namespace

PrnSeltFrm::PrnSeltFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrnSeltFrm"));
    setWindowTitle(QStringLiteral("인쇄 조건 설정"));
    setModal(true);
    buildForm();
    Form_Load();
}

void PrnSeltFrm::buildForm()
{
    auto *main = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    main->addLayout(grid);

    auto addRow = [&](int r, const QString &caption, int index, quint32 colour,
                      std::initializer_list<std::pair<QPushButton **, const char *>> buttons) {
        grid->addWidget(rowLabel(caption, this), r, 0);
        auto *h = new QHBoxLayout;
        SelectionRow row;
        row.index = index;
        row.colour = colour;
        int n = 0;
        for (const auto &[member, name] : buttons) {
            *member = makeButton(this, name, QString());
            (*member)->setFixedSize(86, 28);
            h->addWidget(*member);
            const int rowNo = int(m_rows.size());
            const int buttonNo = ++n;
            connect(*member, &QPushButton::clicked, this,
                    [this, rowNo, buttonNo] { PrnSelCmd_Click(rowNo, buttonNo); });
            row.buttons << *member;
        }
        h->addStretch();
        grid->addLayout(h, r, 1);
        m_rows << row;
    };

    addRow(0, QStringLiteral("용지선택"), 1, 0x00FFC0FF,
           {{&PrnSel11Cmd, "PrnSel11Cmd"},
            {&PrnSel12Cmd, "PrnSel12Cmd"},
            {&PrnSel13Cmd, "PrnSel13Cmd"},
            {&PrnSel14Cmd, "PrnSel14Cmd"},
            {&PrnSel15Cmd, "PrnSel15Cmd"}});
    const QStringList papers{QStringLiteral("순백A4지"), QStringLiteral("폼지A4지"),
                             QStringLiteral("연속용지"), QStringLiteral("기타A4지"),
                             QStringLiteral("파일출력")};
    for (int i = 0; i < 5; ++i)
        m_rows[0].buttons[i]->setText(papers[i]);
    addRow(1, QStringLiteral("인쇄종류"), 2, 0x00C0FFC0,
           {{&PrnSel21Cmd, "PrnSel21Cmd"},
            {&PrnSel22Cmd, "PrnSel22Cmd"},
            {&PrnSel23Cmd, "PrnSel23Cmd"},
            {&PrnSel24Cmd, "PrnSel24Cmd"},
            {&PrnSel25Cmd, "PrnSel25Cmd"}});
    addRow(2, QStringLiteral("인쇄방식"), 3, 0x00FFFFC0,
           {{&PrnSel31Cmd, "PrnSel31Cmd"}, {&PrnSel32Cmd, "PrnSel32Cmd"}});
    PrnSel31Cmd->setText(QStringLiteral("전체"));
    PrnSel32Cmd->setText(QStringLiteral("일부"));

    // Range panels share one place; only the panel of the request's range kind is shown.
    auto *rangeLabels = new QVBoxLayout;
    rangeLabels->addWidget(rowLabel(QStringLiteral("시작위치"), this));
    rangeLabels->addWidget(rowLabel(QStringLiteral("종료위치"), this));
    grid->addLayout(rangeLabels, 3, 0);
    auto *rangeHolder = new QGridLayout;
    rangeHolder->setContentsMargins(0, 0, 0, 0);
    grid->addLayout(rangeHolder, 3, 1);
    auto makePanel = [&](const char *name, std::initializer_list<QLineEdit **> starts,
                         std::initializer_list<QLineEdit **> ends,
                         std::initializer_list<const char *> names, int width) {
        auto *f = new QFrame(this);
        f->setObjectName(QLatin1String(name));
        auto *g = new QGridLayout(f);
        g->setContentsMargins(0, 0, 0, 0);
        auto nameIt = names.begin();
        int c = 0;
        for (QLineEdit **e : starts) {
            *e = makeEdit(f, QLatin1String(*nameIt++), width);
            g->addWidget(*e, 0, c++);
        }
        c = 0;
        for (QLineEdit **e : ends) {
            *e = makeEdit(f, QLatin1String(*nameIt++), width);
            g->addWidget(*e, 1, c++);
        }
        g->setColumnStretch(c + 1, 1);
        f->hide();
        rangeHolder->addWidget(f, 0, 0);
        return f;
    };
    Frame6 = makePanel("Frame6", {&St6Txt}, {&Ed6Txt}, {"St6Txt", "Ed6Txt"}, 90);
    Frame8 = makePanel("Frame8", {&St8Txt}, {&Ed8Txt}, {"St8Txt", "Ed8Txt"}, 90);
    Frame334 = makePanel(
        "Frame334", {&St334aTxt, &St334bTxt, &St334cTxt}, {&Ed334aTxt, &Ed334bTxt, &Ed334cTxt},
        {"St334aTxt", "St334bTxt", "St334cTxt", "Ed334aTxt", "Ed334bTxt", "Ed334cTxt"}, 60);
    Frame86 = makePanel("Frame86", {&St86aTxt, &St86bTxt}, {&Ed86aTxt, &Ed86bTxt},
                        {"St86aTxt", "St86bTxt", "Ed86aTxt", "Ed86bTxt"}, 80);
    Frame20s = makePanel("Frame20s", {&St20sTxt}, {&Ed20sTxt}, {"St20sTxt", "Ed20sTxt"}, 200);
    St20sTxt->setMaxLength(20);
    Ed20sTxt->setMaxLength(20);

    addRow(4, QStringLiteral("옵션-#01"), 6, 0x00C0C0C0,
           {{&PrnSel61Cmd, "PrnSel61Cmd"},
            {&PrnSel62Cmd, "PrnSel62Cmd"},
            {&PrnSel63Cmd, "PrnSel63Cmd"}});
    addRow(5, QStringLiteral("옵션-#02"), 7, 0x00C0C0C0,
           {{&PrnSel71Cmd, "PrnSel71Cmd"},
            {&PrnSel72Cmd, "PrnSel72Cmd"},
            {&PrnSel73Cmd, "PrnSel73Cmd"}});
    addRow(6, QStringLiteral("옵션-#03"), 8, 0x00C0C0C0,
           {{&PrnSel81Cmd, "PrnSel81Cmd"},
            {&PrnSel82Cmd, "PrnSel82Cmd"},
            {&PrnSel83Cmd, "PrnSel83Cmd"}});

    // Message captions.
    auto *msgs = new QGridLayout;
    auto makeMsg = [&](const char *name, int r, int c) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setStyleSheet(QStringLiteral("color: #000080;"));
        msgs->addWidget(l, r, c);
        return l;
    };
    PrnMsgLbl = makeMsg("PrnMsgLbl", 0, 0);
    PrnMsg1Lbl = makeMsg("PrnMsg1Lbl", 0, 1);
    PrnMsg2Lbl = makeMsg("PrnMsg2Lbl", 1, 0);
    PrnMsg3Lbl = makeMsg("PrnMsg3Lbl", 1, 1);
    main->addLayout(msgs);

    // Printer settings row.
    auto *printerRow = new QHBoxLayout;
    auto *printerFrame = new QGroupBox(QStringLiteral("프린터종류"), this);
    auto *pf = new QHBoxLayout(printerFrame);
    SelPrt0Opt = new QRadioButton(QStringLiteral("레이저"), printerFrame);
    SelPrt0Opt->setObjectName(QStringLiteral("SelPrt0Opt"));
    SelPrt1Opt = new QRadioButton(QStringLiteral("잉크젯"), printerFrame);
    SelPrt1Opt->setObjectName(QStringLiteral("SelPrt1Opt"));
    pf->addWidget(SelPrt0Opt);
    pf->addWidget(SelPrt1Opt);
    printerRow->addWidget(printerFrame);
    SetInkCmd = makeButton(this, "SetInkCmd", QStringLiteral("Ink"));
    PrintSpcCmd = makeButton(this, "PrintSpcCmd", QStringLiteral("여백"));
    PrintDlgCmd = makeButton(this, "PrintDlgCmd", QStringLiteral("설정"));
    for (QPushButton *b : {SetInkCmd, PrintSpcCmd, PrintDlgCmd}) {
        b->setFixedSize(60, 28);
        printerRow->addWidget(b);
    }
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DTPicker1->setCalendarPopup(true);
    DTPicker1->hide();
    printerRow->addWidget(DTPicker1);
    printerRow->addStretch();
    main->addLayout(printerRow);

    // Exit buttons.
    auto *exits = new QHBoxLayout;
    PrnInputCmd = makeButton(this, "PrnInputCmd", QString());
    PrnInputCmd->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    PrnInputCmd->setToolTip(QStringLiteral("확인"));
    PrnViewCmd = makeButton(this, "PrnViewCmd", QStringLiteral("미리보기"));
    PrnSpreadCmd = makeButton(this, "PrnSpreadCmd", QStringLiteral("Sheet인쇄"));
    ExcelWriteCmd = makeButton(this, "ExcelWriteCmd", QStringLiteral("엑셀출력"));
    ExcelViewCmd = makeButton(this, "ExcelViewCmd", QStringLiteral("엑셀조회"));
    PrnCancelCmd = makeButton(this, "PrnCancelCmd", QString());
    PrnCancelCmd->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    PrnCancelCmd->setToolTip(QStringLiteral("취소"));
    for (QPushButton *b :
         {PrnInputCmd, PrnViewCmd, PrnSpreadCmd, ExcelWriteCmd, ExcelViewCmd, PrnCancelCmd}) {
        b->setFixedSize(86, 36);
        b->setIconSize(QSize(22, 22));
        exits->addWidget(b);
    }
    main->addLayout(exits);

    // Inkjet fine adjustment panel, laid over the form when opened.
    SetInkFme = new QGroupBox(QStringLiteral("잉크젯(음영-미세조정)"), this);
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
        SetBjYTxt = makeEdit(SetInkFme, QStringLiteral("SetBjYTxt"), 90);
        SetBjHTxt = makeEdit(SetInkFme, QStringLiteral("SetBjHTxt"), 90);
        SetBjLTxt = makeEdit(SetInkFme, QStringLiteral("SetBjLTxt"), 90);
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
    PrintSpcFme = new QGroupBox(QStringLiteral("여백설정(A4)"), this);
    PrintSpcFme->setObjectName(QStringLiteral("PrintSpcFme"));
    PrintSpcFme->setAutoFillBackground(true);
    {
        auto *g = new QGridLayout(PrintSpcFme);
        const QStringList rows{QStringLiteral("거래명세폼지"), QStringLiteral("거래명세순백"),
                               QStringLiteral("세금계산폼지"), QStringLiteral("세금계산순백"),
                               QStringLiteral("세금합계순백"), QStringLiteral("세로출력순백"),
                               QStringLiteral("가로출력순백"), QStringLiteral("라벨용지[14]")};
        for (int i = 0; i < 8; ++i) {
            const QString nn = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            g->addWidget(new QLabel(rows[i], PrintSpcFme), i, 0);
            g->addWidget(new QLabel(QStringLiteral("위"), PrintSpcFme), i, 1);
            A4TopTxt[i] = makeEdit(PrintSpcFme, QStringLiteral("A4Top%1Txt").arg(nn), 56);
            g->addWidget(A4TopTxt[i], i, 2);
            g->addWidget(new QLabel(QStringLiteral("왼"), PrintSpcFme), i, 3);
            A4LeftTxt[i] = makeEdit(PrintSpcFme, QStringLiteral("A4Left%1Txt").arg(nn), 56);
            g->addWidget(A4LeftTxt[i], i, 4);
            A4TopTxt[i]->setAlignment(Qt::AlignRight);
            A4LeftTxt[i]->setAlignment(Qt::AlignRight);
        }
        PspExitCmd = makeButton(PrintSpcFme, "PspExitCmd", QStringLiteral("닫기"));
        g->addWidget(PspExitCmd, 8, 4);
    }
    PrintSpcFme->adjustSize();
    PrintSpcFme->hide();

    // Entry field rules: conversion, cut length and key movement.
    for (int i = 0; i < 8; ++i) {
        QWidget *nextTop = i < 7 ? static_cast<QWidget *>(A4TopTxt[i + 1]) : PspExitCmd;
        addField(A4TopTxt[i], FieldKind::A4Offset, 0, true, A4LeftTxt[i], nextTop,
                 i > 0 ? A4TopTxt[i - 1] : A4TopTxt[i]);
        addField(A4LeftTxt[i], FieldKind::A4Offset, 0, true, nextTop, nextTop, A4TopTxt[i]);
    }
    addField(SetBjYTxt, FieldKind::Fine, 7, true, SetBjHTxt, SetBjHTxt, SetBjYTxt,
             QStringLiteral("PrinterBjY"));
    addField(SetBjHTxt, FieldKind::Fine, 7, true, SetBjLTxt, SetBjLTxt, SetBjYTxt,
             QStringLiteral("PrinterBjH"));
    addField(SetBjLTxt, FieldKind::Fine, 7, true, ExitInkCmd, ExitInkCmd, SetBjHTxt,
             QStringLiteral("PrinterBjL"));
    // Range panels: Enter walks the start fields, then the end fields, then confirm; Down
    // jumps to the first end field (from a start) or to confirm (from an end); Up goes back.
    auto addRange = [&](QList<QLineEdit *> starts, QList<QLineEdit *> ends, FieldKind kind, int cut,
                        QList<QLineEdit *> noClear) {
        QList<QLineEdit *> order = starts + ends;
        for (int i = 0; i < order.size(); ++i) {
            QLineEdit *e = order[i];
            const bool isStart = i < starts.size();
            QWidget *enter =
                i + 1 < order.size() ? static_cast<QWidget *>(order[i + 1]) : PrnInputCmd;
            QWidget *down = isStart ? static_cast<QWidget *>(ends.first()) : PrnInputCmd;
            QWidget *up;
            if (isStart)
                up = i == 0 ? e : starts[i - 1];
            else
                up = e == ends.first() ? starts.first() : order[i - 1];
            addField(e, kind, cut, !noClear.contains(e), enter, down, up);
        }
    };
    addRange({St6Txt}, {Ed6Txt}, FieldKind::Range, 6, {});
    addRange({St8Txt}, {Ed8Txt}, FieldKind::Range, 6, {});
    addRange({St334aTxt, St334bTxt, St334cTxt}, {Ed334aTxt, Ed334bTxt, Ed334cTxt}, FieldKind::Range,
             6, {});
    addRange({St86aTxt, St86bTxt}, {Ed86aTxt, Ed86bTxt}, FieldKind::Range, 6, {St86aTxt, Ed86aTxt});
    addRange({St20sTxt}, {Ed20sTxt}, FieldKind::Text, 20, {St20sTxt, Ed20sTxt});

    connect(PrnInputCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnInputCmd_Click);
    connect(PrnViewCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnViewCmd_Click);
    connect(PrnSpreadCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnSpreadCmd_Click);
    connect(ExcelWriteCmd, &QPushButton::clicked, this, &PrnSeltFrm::ExcelWriteCmd_Click);
    connect(ExcelViewCmd, &QPushButton::clicked, this, &PrnSeltFrm::ExcelViewCmd_Click);
    connect(PrnCancelCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnCancelCmd_Click);
    connect(SetInkCmd, &QPushButton::clicked, this, &PrnSeltFrm::SetInkCmd_Click);
    connect(ExitInkCmd, &QPushButton::clicked, this, &PrnSeltFrm::ExitInkCmd_Click);
    connect(PrintSpcCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrintSpcCmd_Click);
    connect(PspExitCmd, &QPushButton::clicked, this, &PrnSeltFrm::PspExitCmd_Click);
    connect(SelPrt0Opt, &QRadioButton::clicked, this, &PrnSeltFrm::SelPrt0Opt_Click);
    connect(SelPrt1Opt, &QRadioButton::clicked, this, &PrnSeltFrm::SelPrt1Opt_Click);
    connect(SetBjChk, &QCheckBox::clicked, this, &PrnSeltFrm::SetBjChk_Click);
    connect(SetBxChk, &QCheckBox::clicked, this, &PrnSeltFrm::SetBxChk_Click);
    connect(PrintDlgCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrintDlgCmd_Click);

    // The form keeps the size it was laid out with.
    adjustSize();
    setFixedSize(sizeHint());
}

void PrnSeltFrm::addField(QLineEdit *edit, FieldKind kind, int cut, bool clears, QWidget *enter,
                          QWidget *down, QWidget *up, const QString &key)
{
    Field f;
    f.kind = kind;
    f.cut = cut;
    f.clearsOnFirstKey = clears;
    f.enter = enter;
    f.down = down;
    f.up = up;
    f.key = key;
    m_fields.insert(edit, f);
    edit->installEventFilter(this);
}

QString PrnSeltFrm::listKey(const QString &name) const
{
    return QLatin1Char('[') + m_listKind + QLatin1Char(']') + name;
}

void PrnSeltFrm::Form_Load()
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    p.PrintChoice = 0;
    m_closedByButton = false;

    const PrintRequest &req = p.Request;
    m_listKind = req.ListKind;
    m_rangeKind = req.RangeKind;

    // Row selections, clamped to their ranges; the two further selections are always 1.
    auto readSel = [&](const char *name, int max) -> qint16 {
        const qint16 v = qint16(ReadSettingInt(SettingsSection, listKey(QLatin1String(name))));
        return (v < 1 || v > max) ? 1 : v;
    };
    m_selection[1] = readSel("PrnSel1", 5);
    m_selection[2] = readSel("PrnSel2", 5);
    m_selection[3] = readSel("PrnSel3", 2);
    m_selection[4] = 1;
    m_selection[5] = 1;
    m_selection[6] = readSel("PrnSel6", 3);
    m_selection[7] = readSel("PrnSel7", 3);
    m_selection[8] = readSel("PrnSel8", 3);

    // Captions of the print-kind and option buttons and of the message labels.
    const QList<QPushButton *> captioned{
        PrnSel21Cmd, PrnSel22Cmd, PrnSel23Cmd, PrnSel24Cmd, PrnSel25Cmd, PrnSel61Cmd, PrnSel62Cmd,
        PrnSel63Cmd, PrnSel71Cmd, PrnSel72Cmd, PrnSel73Cmd, PrnSel81Cmd, PrnSel82Cmd, PrnSel83Cmd};
    for (int i = 0; i < captioned.size(); ++i)
        captioned[i]->setText(req.KindCaptions[size_t(i + 1)]);
    const QList<QLabel *> labels{PrnMsgLbl, PrnMsg1Lbl, PrnMsg2Lbl, PrnMsg3Lbl};
    for (int i = 0; i < labels.size(); ++i)
        labels[i]->setText(req.MessageCaptions[size_t(i + 1)]);

    // Only the range panel of the request's kind is shown, with the request's values.
    const QList<QFrame *> panels{Frame6, Frame8, Frame334, Frame86, Frame20s};
    for (int i = 0; i < panels.size(); ++i)
        panels[i]->setVisible(m_rangeKind == i + 1);
    auto show = [&](QLineEdit *e, int index) {
        e->setText(CurToText(Currency::fromWhole(req.RangeValues[size_t(index)].wholePart()), 1));
    };
    show(St6Txt, 0);
    show(Ed6Txt, 1);
    show(St8Txt, 2);
    show(Ed8Txt, 3);
    show(St334aTxt, 4);
    show(St334bTxt, 5);
    show(St334cTxt, 6);
    show(Ed334aTxt, 7);
    show(Ed334bTxt, 8);
    show(Ed334cTxt, 9);
    show(St86aTxt, 10);
    show(St86bTxt, 11);
    show(Ed86aTxt, 12);
    show(Ed86bTxt, 13);
    St20sTxt->setText(req.TextStart.left(20));
    Ed20sTxt->setText(req.TextEnd.left(20));

    // Apply the selections by clicking the selected button of each row.
    for (int r = 0; r < m_rows.size(); ++r)
        PrnSelCmd_Click(r, m_selection[size_t(m_rows[r].index)]);

    // Program-wide printer settings.
    auto clamp01 = [](qint32 v) -> qint16 { return (v < 0 || v > 1) ? 0 : qint16(v); };
    const qint16 printer = clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterSet")));
    (printer == 1 ? SelPrt1Opt : SelPrt0Opt)->setChecked(true);
    SetBjChk->setChecked(clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterBjSel"))) ==
                         1);
    SetBxChk->setChecked(clamp01(ReadSettingInt(SettingsSection, QStringLiteral("PrinterBxSel"))) ==
                         1);
    for (QLineEdit *e : {SetBjYTxt, SetBjHTxt, SetBjLTxt}) {
        const qint32 stored = ReadSettingInt(SettingsSection, m_fields[e].key);
        Currency v =
            CurTruncate2(CurDivide(Currency::fromWhole(stored), Currency::fromWhole(100), -1));
        if (v < Currency::fromWhole(-100) || v > Currency::fromWhole(100))
            v = Currency();
        e->setText(CurToGrouped(v, 0));
    }
    loadA4Offsets();

    SetDateValue(DTPicker1, p.TodayYear, p.TodayMonth, p.TodayDay);
    DTPicker1->setVisible(m_listKind == QLatin1String("GdsList"));

    // Paper kinds the request does not allow stay disabled.
    for (int i = 0; i < 5; ++i)
        m_rows[0].buttons[i]->setEnabled(req.PaperAllowed[size_t(i + 1)]);

    SetInkFme->hide();
    PrintSpcFme->hide();
}

void PrnSeltFrm::paintButton(QPushButton *button, quint32 colour)
{
    const QColor c = VbColour(colour);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black; "
                                         "border: 1px solid #808080; }"
                                         "QPushButton:disabled { color: #808080; }")
                              .arg(c.name()));
}

void PrnSeltFrm::PrnSelCmd_Click(int rowIndex, int button)
{
    if (rowIndex < 0 || rowIndex >= m_rows.size())
        return;
    SelectionRow &row = m_rows[rowIndex];
    if (button < 1 || button > row.buttons.size())
        return;
    m_selection[size_t(row.index)] = qint16(button);
    for (QPushButton *b : row.buttons)
        paintButton(b, UnselectedColour);
    paintButton(row.buttons[button - 1], row.colour);
}

void PrnSeltFrm::saveInt(const QString &key, qint32 value)
{
    SaveSettingInt(SettingsSection, key, value);
    m_written.insert(key, value);
}

void PrnSeltFrm::loadA4Offsets()
{
    for (int i = 0; i < 8; ++i) {
        const QString nn = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        const qint32 top = ReadSettingInt(SettingsSection, QStringLiteral("PrintA4Top") + nn);
        const qint32 left = ReadSettingInt(SettingsSection, QStringLiteral("PrintA4Left") + nn);
        A4TopTxt[i]->setText(CurToText(Currency::fromWhole(qint16(top)), 1));
        A4LeftTxt[i]->setText(CurToText(Currency::fromWhole(qint16(left)), 1));
    }
}

void PrnSeltFrm::saveA4Offsets()
{
    for (int i = 0; i < 8; ++i) {
        const QString nn = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        saveInt(QStringLiteral("PrintA4Top") + nn, qint32(offsetValue(A4TopTxt[i]->text())));
        saveInt(QStringLiteral("PrintA4Left") + nn, qint32(offsetValue(A4LeftTxt[i]->text())));
    }
}

qint64 PrnSeltFrm::offsetValue(const QString &text)
{
    return LeadingWholeNumber(text.trimmed(), -999, 999); // out of range gives 0
}

Currency PrnSeltFrm::fineValue(const QString &text)
{
    bool ok = false;
    const Currency v = Currency::fromDouble(LeadingNumber(text.trimmed().left(7)), &ok);
    if (!ok || v < Currency::fromWhole(-100) || v > Currency::fromWhole(100))
        return Currency();
    return v;
}

qint64 PrnSeltFrm::rangeValue(const QString &text)
{
    const double v = std::floor(LeadingNumber(text.trimmed().left(6)));
    return std::isfinite(v) ? qint64(std::fabs(v)) : 0;
}

void PrnSeltFrm::leaveField(QLineEdit *edit, Field &field)
{
    SetBoxColour(edit, BlurColour);
    QString t = edit->text().trimmed();
    if (field.cut > 0)
        t = t.left(field.cut);
    switch (field.kind) {
    case FieldKind::A4Offset:
        edit->setText(CurToText(Currency::fromWhole(offsetValue(t)), 1));
        saveA4Offsets();
        break;
    case FieldKind::Fine: {
        const Currency v = fineValue(t);
        edit->setText(CurToGrouped(v, 0));
        const Currency hundredths = CurMultiply(v, Currency::fromWhole(100), CurFloor);
        saveInt(field.key, qint32(hundredths.wholePart()));
        break;
    }
    case FieldKind::Range:
        edit->setText(CurToText(Currency::fromWhole(rangeValue(t)), 1));
        break;
    case FieldKind::Text:
        edit->setText(t);
        break;
    }
}

bool PrnSeltFrm::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || !m_fields.contains(edit))
        return QDialog::eventFilter(watched, event);
    Field &f = m_fields[edit];
    switch (event->type()) {
    case QEvent::FocusIn:
        SetBoxColour(edit, FocusColour);
        f.firstKeySeen = false;
        break;
    case QEvent::FocusOut:
        leaveField(edit, f);
        break;
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        const bool first = !f.firstKeySeen;
        f.firstKeySeen = true;
        switch (ke->key()) {
        case Qt::Key_Escape:
            // Escape anywhere on the form cancels it.
            PrnCancelCmd_Click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (f.enter)
                f.enter->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Down:
            if (f.down)
                f.down->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Up:
            if (f.up && f.up != edit)
                f.up->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
        if (first && f.clearsOnFirstKey && isFirstKeyClearing(ke)) {
            edit->clear();
            if (ke->key() == Qt::Key_Delete)
                return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void PrnSeltFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PrnInputCmd->setFocus(Qt::ActiveWindowFocusReason);
}

void PrnSeltFrm::placePanel(QWidget *panel, QWidget *anchor)
{
    panel->adjustSize();
    QPoint at = anchor->mapTo(this, QPoint(0, 0));
    at.setY(at.y() - panel->height() - 4);
    at.setX(qBound(4, at.x(), width() - panel->width() - 4));
    at.setY(qMax(4, at.y()));
    panel->move(at);
    panel->raise();
    panel->show();
}

void PrnSeltFrm::SetInkCmd_Click()
{
    if (SetInkFme->isVisible()) {
        SetInkFme->hide();
        return;
    }
    PrintSpcFme->hide();
    placePanel(SetInkFme, SetInkCmd);
    SetBjYTxt->setFocus(Qt::OtherFocusReason);
}

void PrnSeltFrm::ExitInkCmd_Click()
{
    SetInkFme->hide();
    SetInkCmd->setFocus(Qt::OtherFocusReason);
}

void PrnSeltFrm::PrintSpcCmd_Click()
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

void PrnSeltFrm::PspExitCmd_Click()
{
    PrintSpcFme->hide();
    PrintSpcCmd->setFocus(Qt::OtherFocusReason);
}

void PrnSeltFrm::SelPrt0Opt_Click()
{
    saveInt(QStringLiteral("PrinterSet"), 0);
}

void PrnSeltFrm::SelPrt1Opt_Click()
{
    saveInt(QStringLiteral("PrinterSet"), 1);
}

void PrnSeltFrm::SetBjChk_Click()
{
    saveInt(QStringLiteral("PrinterBjSel"), SetBjChk->isChecked() ? 1 : 0);
}

void PrnSeltFrm::SetBxChk_Click()
{
    saveInt(QStringLiteral("PrinterBxSel"), SetBxChk->isChecked() ? 1 : 0);
}

void PrnSeltFrm::PrintDlgCmd_Click()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.exec();
}

void PrnSeltFrm::copyStateToRequest()
{
    PrintRequest &req = Program().Request;
    req.PrinterType = SelPrt1Opt->isChecked() ? 1 : 0;
    req.FineAdjustOff = SetBjChk->isChecked() ? 1 : 0;
    req.Box = SetBxChk->isChecked() ? 1 : 0;
    req.FineY = fineValue(SetBjYTxt->text());
    req.FineH = fineValue(SetBjHTxt->text());
    req.FineL = fineValue(SetBjLTxt->text());
    req.Selections = m_selection;
    const QList<QLineEdit *> ranges{St6Txt,    Ed6Txt,    St8Txt,    Ed8Txt,    St334aTxt,
                                    St334bTxt, St334cTxt, Ed334aTxt, Ed334bTxt, Ed334cTxt,
                                    St86aTxt,  St86bTxt,  Ed86aTxt,  Ed86bTxt};
    for (int i = 0; i < ranges.size(); ++i)
        req.RangeValues[size_t(i)] = Currency::fromWhole(rangeValue(ranges[i]->text()));
    req.TextStart = St20sTxt->text().trimmed();
    req.TextEnd = Ed20sTxt->text().trimmed();
    auto composite = [&](QLineEdit *a, QLineEdit *b, QLineEdit *c) {
        const QString digits = padDigits(rangeValue(a->text()), 3) +
                               padDigits(rangeValue(b->text()), 3) +
                               padDigits(rangeValue(c->text()), 4);
        return Currency::fromWhole(digits.toLongLong());
    };
    req.StartComposite = composite(St334aTxt, St334bTxt, St334cTxt);
    req.EndComposite = composite(Ed334aTxt, Ed334bTxt, Ed334cTxt);
    const QDate d = DTPicker1->date();
    req.Year = d.year();
    req.Month = d.month();
    req.Day = d.day();
}

void PrnSeltFrm::finish(qint16 choice, bool preview, bool returnState)
{
    // Leaving a field by a button click stores it first, as a focus change would.
    if (auto *edit = qobject_cast<QLineEdit *>(focusWidget()); edit && m_fields.contains(edit))
        leaveField(edit, m_fields[edit]);
    Program().PrintChoice = choice;
    Program().PreviewRequested = preview ? 1 : 0;
    if (returnState)
        copyStateToRequest();
    m_closedByButton = true;
    done(choice);
}

void PrnSeltFrm::PrnInputCmd_Click()
{
    PrnInputCmd->setEnabled(false);
    if (ApprovalLocked() != 0) {
        PrnInputCmd->setEnabled(true);
        return;
    }
    finish(1, false, true);
}

void PrnSeltFrm::PrnViewCmd_Click()
{
    PrnViewCmd->setEnabled(false);
    finish(1, true, true);
}

void PrnSeltFrm::PrnSpreadCmd_Click()
{
    PrnSpreadCmd->setEnabled(false);
    if (ApprovalLocked() != 0) {
        PrnSpreadCmd->setEnabled(true);
        return;
    }
    finish(2, false, false);
}

void PrnSeltFrm::ExcelWriteCmd_Click()
{
    ExcelWriteCmd->setEnabled(false);
    if (ApprovalLocked() != 0) {
        ExcelWriteCmd->setEnabled(true);
        return;
    }
    finish(3, false, false);
}

void PrnSeltFrm::ExcelViewCmd_Click()
{
    ExcelViewCmd->setEnabled(false);
    if (ApprovalLocked() != 0) {
        ExcelViewCmd->setEnabled(true);
        return;
    }
    finish(4, false, false);
}

void PrnSeltFrm::PrnCancelCmd_Click()
{
    finish(0, false, true);
}

void PrnSeltFrm::Form_Unload()
{
    if (!m_closedByButton) {
        Program().PrintChoice = 0;
        Program().PreviewRequested = 0;
    }
    saveInt(listKey(QStringLiteral("PrnSel1")), m_selection[1]);
    saveInt(listKey(QStringLiteral("PrnSel2")), m_selection[2]);
    saveInt(listKey(QStringLiteral("PrnSel3")), m_selection[3]);
    saveInt(listKey(QStringLiteral("PrnSel6")), m_selection[6]);
    saveInt(listKey(QStringLiteral("PrnSel7")), m_selection[7]);
    saveInt(listKey(QStringLiteral("PrnSel8")), m_selection[8]);
}

void PrnSeltFrm::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void PrnSeltFrm::reject()
{
    if (m_unloaded) {
        QDialog::reject();
        return;
    }
    PrnCancelCmd_Click();
}

void PrnSeltFrm::closeEvent(QCloseEvent *event)
{
    // The window's close box: result 0, selections still stored.
    if (!m_unloaded)
        done(0);
    event->accept();
}
