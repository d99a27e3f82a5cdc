#include "al300frm.h"

#include "common/currency.h"
#include "common/floatingpanel.h"
#include "common/programstate.h"
#include "common/textutil.h"
#include "common/vbcolour.h"
#include "model/fieldfilter.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/al300/al300driver.h"
#include "printers/al300/al300protocol.h"
#include "printers/al300/al300transfer.h"
#include "station/scangate.h"
#include "station/stationprinter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QStringList InputClasses{QStringLiteral("X"), QStringLiteral("0"), QStringLiteral("A"),
                               QStringLiteral("가")};

QLabel *hint(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setMaximumWidth(250);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    l->setPalette(p);
    return l;
}

} // namespace

AL300Frm::AL300Frm(QWidget *parent) : StationFrm(StationProfile::al300(), parent)
{
    buildLabelSettings();
    buildElementExtras();
    buildRatioGroups();
    buildTransferPanel();
    showFormat();
}

int AL300Frm::ratioGroupOf(int barCode)
{
    return Al300Driver::ratioGroupOf(barCode);
}

void AL300Frm::buildLabelSettings()
{
    // Stop mode, sensor, cut and overlay of the current format: two rows under the port.
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    auto addGroup = [this](QHBoxLayout *row, const QString &title, const QString &prefix,
                           const QStringList &captions, auto &array, auto store) {
        auto *caption = new QLabel(title, BarFormFme);
        row->addWidget(caption);
        auto *group = new QButtonGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            auto *o = new QRadioButton(captions[i], BarFormFme);
            o->setObjectName(prefix.arg(i));
            group->addButton(o);
            array[i] = o;
            row->addWidget(o);
            connect(o, &QRadioButton::clicked, this,
                    [this, i, store] { store(formatSet().Fmt[currentFormat()], qint16(i)); });
        }
        row->addSpacing(16);
    };
    addGroup(first, QStringLiteral("정지"), QStringLiteral("BarMode%1Opt"),
             {QStringLiteral("인쇄후헤드법선에정지"), QStringLiteral("절단선에정지"),
              QStringLiteral("Peeler사용")},
             BarModeOpt, [](LabelFormat &f, qint16 v) { f.LblMode = v; });
    addGroup(
        first, QStringLiteral("센서"), QStringLiteral("BarSensor%1Opt"),
        {QStringLiteral("투과형"), QStringLiteral("반사형(BlackMark)"), QStringLiteral("연속용지")},
        BarSensorOpt, [](LabelFormat &f, qint16 v) { f.LblSensor = v; });
    addGroup(second, QStringLiteral("절단"), QStringLiteral("BarCut%1Opt"),
             {QStringLiteral("절단안함"), QStringLiteral("용지절단")}, BarCutOpt,
             [](LabelFormat &f, qint16 v) { f.LblCut = v; });
    addGroup(second, QStringLiteral("겹침"), QStringLiteral("BarOver%1Opt"),
             {QStringLiteral("나중인쇄문자를덥어서인쇄"), QStringLiteral("인쇄겹침(투명)")},
             BarOverOpt, [](LabelFormat &f, qint16 v) { f.LblOver = v; });
    first->addStretch();
    second->addStretch();
    m_formLayout->insertLayout(2, first);
    m_formLayout->insertLayout(3, second);
}

void AL300Frm::buildElementExtras()
{
    m_barGrid->addWidget(new QLabel(QStringLiteral("길이"), BarFormFme), 0, 10);
    m_barGrid->addWidget(new QLabel(QStringLiteral("고정문자"), BarFormFme), 0, 11);
    auto *inputHead = new QLabel(QStringLiteral("입력 (X 0 A 가)"), BarFormFme);
    inputHead->setObjectName(QStringLiteral("InpSeltFme"));
    m_barGrid->addWidget(inputHead, 0, 12, 1, 4);
    for (int b = 1; b <= 3; ++b) {
        BarSizeTxt[b] = new QLineEdit(BarFormFme);
        BarSizeTxt[b]->setObjectName(QStringLiteral("BarSizeTxt%1").arg(b));
        BarSizeTxt[b]->setFixedSize(36, 22);
        BarSizeTxt[b]->setAlignment(Qt::AlignRight);
        BarSizeTxt[b]->setReadOnly(true); // kept in the file; nothing stores what is typed
        BarStringTxt[b] = new QLineEdit(BarFormFme);
        BarStringTxt[b]->setObjectName(QStringLiteral("BarStringTxt%1").arg(b));
        BarStringTxt[b]->setFixedSize(100, 22);
        BarStringTxt[b]->installEventFilter(this);
        m_barGrid->addWidget(BarSizeTxt[b], b, 10);
        m_barGrid->addWidget(BarStringTxt[b], b, 11);
        auto *group = new QButtonGroup(this);
        for (int c = 0; c < 4; ++c) {
            auto *o = new QRadioButton(InputClasses[c], BarFormFme);
            o->setObjectName(QStringLiteral("BarEdit%1Opt%2").arg(c).arg(b));
            group->addButton(o);
            BarEditOpt[b][c] = o;
            m_barGrid->addWidget(o, b, 12 + c);
            connect(o, &QRadioButton::clicked, this,
                    [this, b, c] { formatSet().Fmt[currentFormat()].Bar[b].BarEdit = qint16(c); });
        }
    }
    m_txtGrid->addWidget(new QLabel(QStringLiteral("입력 (X 0 A 가)"), BarFormFme), 0, 11, 1, 4);
    for (int t = 1; t <= 10; ++t) {
        auto *group = new QButtonGroup(this);
        for (int c = 0; c < 4; ++c) {
            auto *o = new QRadioButton(InputClasses[c], BarFormFme);
            o->setObjectName(QStringLiteral("TxtEdit%1Opt%2").arg(c).arg(t));
            group->addButton(o);
            TxtEditOpt[t][c] = o;
            m_txtGrid->addWidget(o, t, 11 + c);
            connect(o, &QRadioButton::clicked, this,
                    [this, t, c] { formatSet().Fmt[currentFormat()].Txt[t].TxtEdit = qint16(c); });
        }
    }
    m_sideLayout->insertWidget(
        3, hint(QStringLiteral("* [고정] : 모든 바코드에 인쇄 될 고정바코드 번호-온라인전용"),
                BarFormFme));
    m_sideLayout->insertWidget(
        4,
        hint(QStringLiteral("* [입력] : 단독모드시 입력가능여부 설정 & 입력문자선택"), BarFormFme));
}

void AL300Frm::buildRatioGroups()
{
    // The narrow / wide rows of the SRP-770 are replaced by the AL-300 ratio codes.
    if (QWidget *den = BarCodeFme->findChild<QWidget *>(QStringLiteral("BarDenBox")))
        den->hide();
    auto *box = static_cast<QVBoxLayout *>(BarCodeFme->layout());
    for (const Al300Driver::RatioGroup &d : Al300Driver::ratioGroups()) {
        auto *w = new QWidget(BarCodeFme);
        w->setObjectName(QStringLiteral("BarRatio%1Fme").arg(d.group));
        auto *h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(QStringLiteral("비율"), w));
        auto *group = new QButtonGroup(w);
        for (const int v : d.codes) {
            // "BarCode" + group + code ("a" for 10) + "Opt": BarCode11Opt .. BarCode44Opt.
            const QString code = v == 10 ? QStringLiteral("a") : QString::number(v);
            auto *o = new QRadioButton(v == 10 ? QStringLiteral("A") : QString::number(v), w);
            o->setObjectName(QStringLiteral("BarCode%1%2Opt").arg(d.group).arg(code));
            group->addButton(o);
            h->addWidget(o);
            m_ratio << RatioButton{o, d.group, v};
        }
        h->addStretch();
        m_ratioGroups[d.group] = w;
        w->hide();
        box->insertWidget(box->count() - 1, w);
    }
    const int symbologies = int(driver().symbologyNames().size()) - 1;
    for (int i = 1; i <= symbologies; ++i) {
        connect(BarCodeOpt[i], &QRadioButton::clicked, this, [this, i] { showRatioGroupFor(i); });
    }
}

QList<QRadioButton *> AL300Frm::ratioButtons() const
{
    QList<QRadioButton *> l;
    for (const RatioButton &r : m_ratio)
        l << r.button;
    return l;
}

void AL300Frm::showRatioGroupFor(int barCode)
{
    const int g = ratioGroupOf(barCode);
    for (int i = 1; i <= 4; ++i)
        m_ratioGroups[i]->setVisible(i == g);
    if (g == 0)
        return;
    // The group's default comes on when none of its buttons is on.
    bool any = false;
    for (const RatioButton &r : m_ratio)
        any = any || (r.group == g && r.button->isChecked());
    if (!any) {
        int def = 0;
        for (const Al300Driver::RatioGroup &d : Al300Driver::ratioGroups()) {
            if (d.group == g)
                def = d.defaultCode;
        }
        for (const RatioButton &r : m_ratio) {
            if (r.group == g && r.value == def)
                r.button->setChecked(true);
        }
    }
    BarCodeFme->adjustSize();
}

void AL300Frm::showBarCodePanel(const BarcodeElement &e)
{
    UncheckOptions(QList<QRadioButton *>(BarCodeOpt.begin(), BarCodeOpt.end()));
    UncheckOptions(ratioButtons());
    if (e.BarCode >= 1 && e.BarCode < driver().symbologyNames().size())
        BarCodeOpt[e.BarCode]->setChecked(true);
    const int g = ratioGroupOf(e.BarCode);
    for (const RatioButton &r : m_ratio) {
        if (r.group == g && r.value == e.BarDen)
            r.button->setChecked(true);
    }
    showRatioGroupFor(e.BarCode);
}

void AL300Frm::confirmBarCodePanel(BarcodeElement &e)
{
    e.BarCode = 0;
    e.BarDen = 0;
    for (int i = 1; i < driver().symbologyNames().size(); ++i) {
        if (BarCodeOpt[i]->isChecked())
            e.BarCode = qint16(i);
    }
    const int g = ratioGroupOf(e.BarCode);
    for (const RatioButton &r : m_ratio) {
        if (r.group == g && r.button->isChecked())
            e.BarDen = qint16(r.value);
    }
}

QString AL300Frm::cleanFixedText(const QString &text) const
{
    // Fixed texts go into the printer's records unquoted: its delimiters become "?".
    return FieldFilter(CleanText(text, 50));
}

void AL300Frm::showModelFields()
{
    if (!BarModeOpt[0])
        return; // still being built
    const LabelFormat &f = formatSet().Fmt[currentFormat()];
    if (f.LblMode >= 0 && f.LblMode <= 2)
        BarModeOpt[f.LblMode]->setChecked(true);
    if (f.LblSensor >= 0 && f.LblSensor <= 2)
        BarSensorOpt[f.LblSensor]->setChecked(true);
    if (f.LblCut >= 0 && f.LblCut <= 1)
        BarCutOpt[f.LblCut]->setChecked(true);
    if (f.LblOver >= 0 && f.LblOver <= 1)
        BarOverOpt[f.LblOver]->setChecked(true);
    for (int b = 1; b <= 3; ++b) {
        BarSizeTxt[b]->setText(BlankZeroText(f.Bar[b].BarRight));
        BarStringTxt[b]->setText(f.Bar[b].BarString);
        if (f.Bar[b].BarEdit >= 0 && f.Bar[b].BarEdit <= 3)
            BarEditOpt[b][f.Bar[b].BarEdit]->setChecked(true);
    }
    for (int t = 1; t <= 10; ++t) {
        if (f.Txt[t].TxtEdit >= 0 && f.Txt[t].TxtEdit <= 3)
            TxtEditOpt[t][f.Txt[t].TxtEdit]->setChecked(true);
    }
}

bool AL300Frm::eventFilter(QObject *watched, QEvent *event)
{
    for (int b = 1; b <= 3; ++b) {
        if (watched != BarStringTxt[b])
            continue;
        if (event->type() == QEvent::FocusIn) {
            SetBoxColour(BarStringTxt[b], FocusColour);
        } else if (event->type() == QEvent::FocusOut) {
            SetBoxColour(BarStringTxt[b], BlurColour);
            const QString v = cleanFixedText(BarStringTxt[b]->text());
            formatSet().Fmt[currentFormat()].Bar[b].BarString = v;
            BarStringTxt[b]->setText(v);
            refreshPreview();
        }
    }
    return StationFrm::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Transfer

void AL300Frm::buildTransferPanel()
{
    Al300SaveCmd = new QPushButton(QStringLiteral("AL-300 기기로 전송하기"), BarFormFme);
    Al300SaveCmd->setObjectName(QStringLiteral("Al300SaveCmd"));
    Al300SaveCmd->setMinimumHeight(30);
    m_sideLayout->insertWidget(0, Al300SaveCmd);
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
    const QRect grid = vaSpread1->geometry();
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
    if (!ScanGate::confirm(this, Al300Transfer::labels(formatSet(), formats, goodsTicked, *goods()),
                           *goods(), QStringLiteral("전송")))
        return;
    // Formats, then their links, then the goods table; each its own port cycle.
    const QList<PrintJob> jobs = Al300Transfer::jobs(formatSet(), formats, goodsTicked,
                                                     goods()->rowTexts(), DataDirectory());
    printer()->sendJobs(jobs, {}, BarSaveCmd, true, QStringLiteral("AL-300 전송중"),
                        [this] { BarExitCmd_Click(); });
}
