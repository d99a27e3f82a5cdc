// SPDX-License-Identifier: GPL-3.0-or-later
#include "prnseltfrm.h"

#include "widgets/datevalue.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "common/textutil.h"
#include "widgets/vbcolour.h"
#include "model/outputrights.h"
#include "report/printentryfields.h"
#include "report/printersettingspanel.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr quint32 UnselectedColour = 0x00E0E0E0;

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
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

} // namespace

PrnSeltFrm::PrnSeltFrm(const ReportRequest &request, QWidget *parent)
    : QDialog(parent), m_fields(new PrintEntryFields(this)),
      m_printer(new PrinterSettingsPanel(
          this, m_fields, [this](const QString &key, qint32 value) { saveInt(key, value); }))
{
    setObjectName(QStringLiteral("PrnSeltFrm"));
    setWindowTitle(QStringLiteral("인쇄 조건 설정"));
    setModal(true);
    connect(m_fields, &PrintEntryFields::escapePressed, this, &PrnSeltFrm::PrnCancelCmd_Click);
    buildForm();
    Form_Load(request);
}

PrnSeltFrm::~PrnSeltFrm()
{
    // The fields' rules go first: the form's teardown moves the focus, which must not store.
    delete m_fields;
}

ReportRequest PrnSeltFrm::ask(const ReportRequest &request, QWidget *parent)
{
    PrnSeltFrm dialog(request, parent);
    dialog.exec();
    return dialog.answer();
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

    buildRangePanels(grid);

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

    // Printer settings row, with the date picker that only some lists show.
    auto *printerRow = new QHBoxLayout;
    m_printer->buildRow(printerRow);
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

    // The side panels lie over the form when opened.
    m_printer->buildPanels();

    // Range panels: Enter walks the start fields, then the end fields, then confirm; Down
    // jumps to the first end field (from a start) or to confirm (from an end); Up goes back.
    using Kind = PrintEntryFields::Kind;
    auto addRange = [&](QList<QLineEdit *> starts, QList<QLineEdit *> ends, Kind kind, int cut,
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
            m_fields->add(e, kind, cut, !noClear.contains(e), enter, down, up);
        }
    };
    addRange({St6Txt}, {Ed6Txt}, Kind::Range, 6, {});
    addRange({St8Txt}, {Ed8Txt}, Kind::Range, 6, {});
    addRange({St334aTxt, St334bTxt, St334cTxt}, {Ed334aTxt, Ed334bTxt, Ed334cTxt}, Kind::Range, 6,
             {});
    addRange({St86aTxt, St86bTxt}, {Ed86aTxt, Ed86bTxt}, Kind::Range, 6, {St86aTxt, Ed86aTxt});
    addRange({St20sTxt}, {Ed20sTxt}, Kind::Text, 20, {St20sTxt, Ed20sTxt});

    connect(PrnInputCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnInputCmd_Click);
    connect(PrnViewCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnViewCmd_Click);
    connect(PrnSpreadCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnSpreadCmd_Click);
    connect(ExcelWriteCmd, &QPushButton::clicked, this, &PrnSeltFrm::ExcelWriteCmd_Click);
    connect(ExcelViewCmd, &QPushButton::clicked, this, &PrnSeltFrm::ExcelViewCmd_Click);
    connect(PrnCancelCmd, &QPushButton::clicked, this, &PrnSeltFrm::PrnCancelCmd_Click);

    // The form keeps the size it was laid out with.
    adjustSize();
    setFixedSize(sizeHint());
}

void PrnSeltFrm::buildRangePanels(QGridLayout *grid)
{
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
            *e = PrintEntryFields::makeEdit(f, QLatin1String(*nameIt++), width);
            g->addWidget(*e, 0, c++);
        }
        c = 0;
        for (QLineEdit **e : ends) {
            *e = PrintEntryFields::makeEdit(f, QLatin1String(*nameIt++), width);
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
}

QString PrnSeltFrm::listKey(const QString &name) const
{
    return QLatin1Char('[') + m_listKind + QLatin1Char(']') + name;
}

void PrnSeltFrm::Form_Load(const ReportRequest &request)
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    m_answer = request;
    m_answer.PrintChoice = PrintExit::Nothing;
    m_answer.PreviewRequested = false;
    m_closedByButton = false;

    m_listKind = request.ListKind;
    m_rangeKind = request.RangeKind;

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
        captioned[i]->setText(request.KindCaptions[size_t(i + 1)]);
    const QList<QLabel *> labels{PrnMsgLbl, PrnMsg1Lbl, PrnMsg2Lbl, PrnMsg3Lbl};
    for (int i = 0; i < labels.size(); ++i)
        labels[i]->setText(request.MessageCaptions[size_t(i + 1)]);

    // Only the range panel of the request's kind is shown, with the request's values.
    const QList<QFrame *> panels{Frame6, Frame8, Frame334, Frame86, Frame20s};
    for (int i = 0; i < panels.size(); ++i)
        panels[i]->setVisible(m_rangeKind == i + 1);
    const QList<QLineEdit *> ranges{St6Txt,    Ed6Txt,    St8Txt,    Ed8Txt,    St334aTxt,
                                    St334bTxt, St334cTxt, Ed334aTxt, Ed334bTxt, Ed334cTxt,
                                    St86aTxt,  St86bTxt,  Ed86aTxt,  Ed86bTxt};
    for (int i = 0; i < ranges.size(); ++i)
        ranges[i]->setText(
            CurToText(Currency::fromWhole(request.RangeValues[size_t(i)].wholePart()), 1));
    St20sTxt->setText(request.TextStart.left(20));
    Ed20sTxt->setText(request.TextEnd.left(20));

    // Apply the selections by clicking the selected button of each row.
    for (int r = 0; r < m_rows.size(); ++r)
        PrnSelCmd_Click(r, m_selection[size_t(m_rows[r].index)]);

    m_printer->load();

    SetDateValue(DTPicker1, p.TodayYear, p.TodayMonth, p.TodayDay);
    DTPicker1->setVisible(m_listKind == QLatin1String("GdsList"));

    // Paper kinds the request does not allow stay disabled.
    for (int i = 0; i < 5; ++i)
        m_rows[0].buttons[i]->setEnabled(request.PaperAllowed[size_t(i + 1)]);
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

void PrnSeltFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PrnInputCmd->setFocus(Qt::ActiveWindowFocusReason);
}

void PrnSeltFrm::copyStateToAnswer()
{
    ReportRequest &a = m_answer;
    m_printer->copyTo(a);
    a.Selections = m_selection;
    const QList<QLineEdit *> ranges{St6Txt,    Ed6Txt,    St8Txt,    Ed8Txt,    St334aTxt,
                                    St334bTxt, St334cTxt, Ed334aTxt, Ed334bTxt, Ed334cTxt,
                                    St86aTxt,  St86bTxt,  Ed86aTxt,  Ed86bTxt};
    for (int i = 0; i < ranges.size(); ++i)
        a.RangeValues[size_t(i)] =
            Currency::fromWhole(PrintEntryFields::rangeValue(ranges[i]->text()));
    a.TextStart = St20sTxt->text().trimmed();
    a.TextEnd = Ed20sTxt->text().trimmed();
    auto composite = [&](QLineEdit *x, QLineEdit *y, QLineEdit *z) {
        const QString digits = padDigits(PrintEntryFields::rangeValue(x->text()), 3) +
                               padDigits(PrintEntryFields::rangeValue(y->text()), 3) +
                               padDigits(PrintEntryFields::rangeValue(z->text()), 4);
        return Currency::fromWhole(digits.toLongLong());
    };
    a.StartComposite = composite(St334aTxt, St334bTxt, St334cTxt);
    a.EndComposite = composite(Ed334aTxt, Ed334bTxt, Ed334cTxt);
    const QDate d = DTPicker1->date();
    a.Year = d.year();
    a.Month = d.month();
    a.Day = d.day();
}

void PrnSeltFrm::finish(PrintExit choice, bool preview, bool returnState)
{
    // Leaving a field by a button click stores it first, as a focus change would.
    if (auto *edit = qobject_cast<QLineEdit *>(focusWidget()); edit && m_fields->contains(edit))
        m_fields->leave(edit);
    m_answer.PrintChoice = choice;
    m_answer.PreviewRequested = preview;
    if (returnState)
        copyStateToAnswer();
    m_closedByButton = true;
    done(int(choice));
}

bool PrnSeltFrm::exitAllowed(QPushButton *button)
{
    // The button stays disabled while it works; approval work locks the output buttons.
    button->setEnabled(false);
    if (ApprovalLocked() == 0)
        return true;
    button->setEnabled(true);
    return false;
}

void PrnSeltFrm::PrnInputCmd_Click()
{
    if (exitAllowed(PrnInputCmd))
        finish(PrintExit::Confirm, false, true);
}

void PrnSeltFrm::PrnViewCmd_Click()
{
    PrnViewCmd->setEnabled(false);
    finish(PrintExit::Confirm, true, true);
}

void PrnSeltFrm::PrnSpreadCmd_Click()
{
    if (exitAllowed(PrnSpreadCmd))
        finish(PrintExit::SheetPrint, false, false);
}

void PrnSeltFrm::ExcelWriteCmd_Click()
{
    if (exitAllowed(ExcelWriteCmd))
        finish(PrintExit::SpreadsheetFile, false, false);
}

void PrnSeltFrm::ExcelViewCmd_Click()
{
    if (exitAllowed(ExcelViewCmd))
        finish(PrintExit::SpreadsheetView, false, false);
}

void PrnSeltFrm::PrnCancelCmd_Click()
{
    finish(PrintExit::Nothing, false, true);
}

void PrnSeltFrm::Form_Unload()
{
    if (!m_closedByButton) {
        m_answer.PrintChoice = PrintExit::Nothing;
        m_answer.PreviewRequested = false;
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
