#include "stationfrm.h"
#include "common/floatingpanel.h"

#include "common/currency.h"
#include "common/dialogs.h"
#include "common/gridcolumnwidths.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "common/textutil.h"
#include "common/vbcolour.h"
#include "help/qelhelpfrm.h"
#include "model/formatfile.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "printers/labeljobreader.h"
#include "report/reportflow.h"
#include "sending/portmap.h"
#include "station/al300edtfrm.h"
#include "station/goodsfileactions.h"
#include "station/labelpainter.h"
#include "station/labelpdf.h"
#include "station/labelpreviewpane.h"
#include "station/portsettingsfrm.h"
#include "station/stationfiles.h"
#include "station/stationprinter.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

std::function<bool(QWidget *)> StationFrm::openItemEditor = &AL300EdtFrm::Edit;

namespace {

constexpr int BoxWidth = 42;

QLineEdit *numberBox(const QString &name, QWidget *parent, int width = BoxWidth)
{
    auto *b = new QLineEdit(parent);
    b->setObjectName(name);
    b->setFixedSize(width, 22);
    b->setAlignment(Qt::AlignRight);
    return b;
}

QPushButton *smallButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedSize(24, 22);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *valueLabel(const QString &name, QWidget *parent, int width)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(width, 22);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    l->setPalette(p);
    return l;
}

QPushButton *commandButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumHeight(26);
    b->setMinimumWidth(84);
    return b;
}

// Unchecks every option of a group (an exclusive group refuses that while exclusive, both
// the options of one parent and the members of a QButtonGroup).
void uncheckAll(const QList<QRadioButton *> &options)
{
    for (QRadioButton *o : options) {
        if (!o)
            continue;
        QButtonGroup *group = o->group();
        const bool exclusive = group && group->exclusive();
        if (exclusive)
            group->setExclusive(false);
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
        if (exclusive)
            group->setExclusive(true);
    }
}

int checkedIndex(const QList<QRadioButton *> &options)
{
    for (int i = 0; i < options.size(); ++i) {
        if (options[i] && options[i]->isChecked())
            return i;
    }
    return -1;
}

QFrame *panelFrame(const QString &name, const QString &title, QWidget *parent)
{
    QFrame *f = MakeFloatingPanel(name, QColor(0xFF, 0xF8, 0xE0), parent);
    auto *v = new QVBoxLayout(f);
    v->setContentsMargins(8, 6, 8, 6);
    auto *t = new QLabel(title, f);
    QFont bold = t->font();
    bold.setBold(true);
    t->setFont(bold);
    v->addWidget(t);
    f->hide();
    return f;
}

} // namespace

StationFrm::StationFrm(const StationProfile &profile, QWidget *parent)
    : QWidget(parent), m_profile(profile)
{
    setObjectName(profile.printer->formName());
    setWindowTitle(profile.caption);
    QFont f = font();
    f.setPointSizeF(9);
    setFont(f);
    m_goods = new GoodsTable(this);

    // The format editor above the goods list; the label preview beside both.
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->setSpacing(6);
    auto *outer = new QVBoxLayout;
    outer->setSpacing(6);
    m_mainLayout = outer;
    columns->addLayout(outer);
    buildFormatArea();
    outer->addWidget(BarFormFme);
    auto *preview = new QVBoxLayout;
    preview->setSpacing(6);
    LabelPreviewFme = new LabelPreviewPane(this);
    LabelPreviewFme->setMinimumWidth(280);
    preview->addWidget(LabelPreviewFme, 1);
    columns->addLayout(preview, 1);
    buildGoodsArea();
    // The labels as a PDF, at the foot of the preview column, level with the last row of the
    // goods commands (the command block keeps its height).
    auto *pdfRow = new QHBoxLayout;
    // Goods lists from and for other programs, beside it.
    GdsImportCmd =
        commandButton(QStringLiteral("GdsImportCmd"), QStringLiteral("품목 가져오기"), this);
    GdsExportCmd =
        commandButton(QStringLiteral("GdsExportCmd"), QStringLiteral("품목 내보내기"), this);
    connect(GdsImportCmd, &QPushButton::clicked, this,
            [this] { GoodsFileActions::importGoods(this); });
    connect(GdsExportCmd, &QPushButton::clicked, this,
            [this] { GoodsFileActions::exportGoods(this); });
    pdfRow->addWidget(GdsImportCmd);
    pdfRow->addWidget(GdsExportCmd);
    pdfRow->addStretch();
    pdfRow->addWidget(LabelPdfCmd);
    preview->addLayout(pdfRow);
    buildOptionPanels();
    buildFieldTable();
    m_printer = new StationPrinter(this);
    m_files = new StationFiles(this);
    connect(m_printer, &StationPrinter::printingFinished, this, [this] {
        if (m_closeAfterPrint)
            ChtExitCmd_Click();
    });

    Form_Load();
}

StationFrm::~StationFrm()
{
    // The grid and the goods may still signal while the children go; the preview is gone.
    disconnect(m_goods, nullptr, this, nullptr);
    disconnect(vaSpread1->selectionModel(), nullptr, this, nullptr);
    LabelPreviewFme = nullptr;
}

// ---------------------------------------------------------------------------------------
// Layout

void StationFrm::buildFormatArea()
{
    BarFormFme = new QGroupBox(this);
    BarFormFme->setObjectName(QStringLiteral("BarFormFme"));
    auto *v = new QVBoxLayout(BarFormFme);
    v->setSpacing(4);
    m_formLayout = v;

    // Set, formats, label size and direction, label stock; then port and speed.
    auto *top = new QHBoxLayout;
    auto *setCap = new QLabel(QStringLiteral("작업번호"), BarFormFme);
    BarSeltLbl = valueLabel(QStringLiteral("BarSeltLbl"), BarFormFme, 30);
    BarSeltLbl->setAlignment(Qt::AlignCenter);
    top->addWidget(setCap);
    top->addWidget(BarSeltLbl);
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("포멧"), BarFormFme));
    auto *formGroup = new QButtonGroup(this);
    for (int f = 1; f <= 5; ++f) {
        auto *o = new QRadioButton(QString::number(f), BarFormFme);
        o->setObjectName(QStringLiteral("BarForm%1Opt").arg(f));
        formGroup->addButton(o);
        BarFormOpt[f] = o;
        top->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, f] { BarFormOpt_Click(f); });
    }
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("길이"), BarFormFme));
    LblLengTxt = numberBox(QStringLiteral("LblLengTxt"), BarFormFme);
    top->addWidget(LblLengTxt);
    top->addWidget(new QLabel(QStringLiteral("폭"), BarFormFme));
    LblWidthTxt = numberBox(QStringLiteral("LblWidthTxt"), BarFormFme);
    top->addWidget(LblWidthTxt);
    auto *unit = new QLabel(m_profile.unitHint, BarFormFme);
    unit->setObjectName(QStringLiteral("LblUnitLbl"));
    top->addWidget(unit);
    top->addSpacing(14);
    auto *degGroup = new QButtonGroup(this);
    LblDegree0Opt = new QRadioButton(QStringLiteral("정상"), BarFormFme);
    LblDegree0Opt->setObjectName(QStringLiteral("LblDegree0Opt"));
    LblDegree1Opt = new QRadioButton(QStringLiteral("역방향"), BarFormFme);
    LblDegree1Opt->setObjectName(QStringLiteral("LblDegree1Opt"));
    degGroup->addButton(LblDegree0Opt);
    degGroup->addButton(LblDegree1Opt);
    top->addWidget(LblDegree0Opt);
    top->addWidget(LblDegree1Opt);
    connect(LblDegree0Opt, &QRadioButton::clicked, this, [this] {
        m_set.Fmt[m_format].LblDegree = 0;
        refreshPreview();
    });
    connect(LblDegree1Opt, &QRadioButton::clicked, this, [this] {
        m_set.Fmt[m_format].LblDegree = 1;
        refreshPreview();
    });
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("용지"), BarFormFme));
    auto *stockGroup = new QButtonGroup(this);
    GapBlack0Opt = new QRadioButton(QStringLiteral("G"), BarFormFme);
    GapBlack0Opt->setObjectName(QStringLiteral("GapBlack0Opt"));
    GapBlack1Opt = new QRadioButton(QStringLiteral("B"), BarFormFme);
    GapBlack1Opt->setObjectName(QStringLiteral("GapBlack1Opt"));
    stockGroup->addButton(GapBlack0Opt);
    stockGroup->addButton(GapBlack1Opt);
    top->addWidget(GapBlack0Opt);
    top->addWidget(GapBlack1Opt);
    connect(GapBlack0Opt, &QRadioButton::clicked, this, [this] {
        m_blackMark = false;
        refreshPreview();
    });
    connect(GapBlack1Opt, &QRadioButton::clicked, this, [this] {
        m_blackMark = true;
        refreshPreview();
    });
    top->addStretch();
    v->addLayout(top);

    auto *second = new QHBoxLayout;
    second->addWidget(new QLabel(QStringLiteral("포트"), BarFormFme));
    auto *portGroup = new QButtonGroup(this);
    for (int i = 1; i <= 9; ++i) {
        const QString cap = i <= 2 ? QStringLiteral("Com%1").arg(i) : QStringLiteral("C%1").arg(i);
        auto *o = new QRadioButton(cap, BarFormFme);
        o->setObjectName(QStringLiteral("BarComPortOpt%1").arg(i));
        portGroup->addButton(o);
        BarComPortOpt[i] = o;
        o->installEventFilter(this); // its tooltip names where the port sends
        second->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, i] { m_set.BarComPort = qint16(i); });
    }
    second->addSpacing(14);
    second->addWidget(new QLabel(QStringLiteral("속도"), BarFormFme));
    auto *speedGroup = new QButtonGroup(this);
    const QStringList speeds{QString(),
                             QStringLiteral("9600"),
                             QStringLiteral("14400"),
                             QStringLiteral("19200"),
                             QStringLiteral("38400"),
                             QStringLiteral("57600"),
                             QStringLiteral("115200")};
    for (int i = 1; i <= 6; ++i) {
        auto *o = new QRadioButton(speeds[i], BarFormFme);
        o->setObjectName(QStringLiteral("BarComSpeedOpt%1").arg(i));
        speedGroup->addButton(o);
        BarComSpeedOpt[i] = o;
        second->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, i] { m_set.BarComSpeed = qint16(i); });
    }
    second->addSpacing(14);
    PortSetCmd = new QPushButton(QStringLiteral("포트 설정"), BarFormFme);
    PortSetCmd->setObjectName(QStringLiteral("PortSetCmd"));
    // As high as the port options: the row keeps its height.
    PortSetCmd->setFixedHeight(BarComPortOpt[1]->sizeHint().height());
    second->addWidget(PortSetCmd);
    connect(PortSetCmd, &QPushButton::clicked, this, &StationFrm::PortSetCmd_Click);
    second->addStretch();
    v->addLayout(second);

    // Elements: the barcodes, then the texts, one row each; the hints and the extension
    // panel at the right.
    auto *elements = new QHBoxLayout;
    auto *rows = new QVBoxLayout;
    rows->setSpacing(2);
    auto *bars = new QGridLayout;
    m_barGrid = bars;
    bars->setHorizontalSpacing(4);
    bars->setVerticalSpacing(1);
    const QStringList barHeads{QString(),
                               QStringLiteral("사용"),
                               QStringLiteral("Y"),
                               QStringLiteral("X"),
                               QStringLiteral("종류"),
                               QString(),
                               QString(),
                               QStringLiteral("높이"),
                               QStringLiteral("번호"),
                               QString()};
    for (int c = 0; c < barHeads.size(); ++c) {
        if (!barHeads[c].isEmpty())
            bars->addWidget(new QLabel(barHeads[c], BarFormFme), 0, c);
    }
    for (int b = 1; b <= 3; ++b) {
        auto *cap = new QLabel(QStringLiteral("바코드#%1").arg(b), BarFormFme);
        cap->setFixedWidth(64);
        bars->addWidget(cap, b, 0);
        BarSeltChk[b] = new QCheckBox(BarFormFme);
        BarSeltChk[b]->setObjectName(QStringLiteral("BarSeltChk%1").arg(b));
        connect(BarSeltChk[b], &QCheckBox::clicked, this, [this, b](bool on) {
            m_set.Fmt[m_format].Bar[b].BarSelt = on ? 1 : 0;
            refreshPreview();
        });
        BarYyTxt[b] = numberBox(QStringLiteral("BarYyTxt%1").arg(b), BarFormFme);
        BarXxTxt[b] = numberBox(QStringLiteral("BarXxTxt%1").arg(b), BarFormFme);
        BarCodeCmd[b] =
            smallButton(QStringLiteral("BarCodeCmd%1").arg(b), QStringLiteral("?"), BarFormFme);
        BarCodeLbl[b] = valueLabel(QStringLiteral("BarCodeLbl%1").arg(b), BarFormFme, 66);
        BarDenLbl[b] = valueLabel(QStringLiteral("BarDenLbl%1").arg(b), BarFormFme, 26);
        BarDenLbl[b]->setAlignment(Qt::AlignCenter);
        BarHeightTxt[b] = numberBox(QStringLiteral("BarHeightTxt%1").arg(b), BarFormFme);
        BarHmReadCmd[b] =
            smallButton(QStringLiteral("BarHmReadCmd%1").arg(b), QStringLiteral("?"), BarFormFme);
        BarHmReadLbl[b] = valueLabel(QStringLiteral("BarHmReadLbl%1").arg(b), BarFormFme, 44);
        bars->addWidget(BarSeltChk[b], b, 1);
        bars->addWidget(BarYyTxt[b], b, 2);
        bars->addWidget(BarXxTxt[b], b, 3);
        bars->addWidget(BarCodeCmd[b], b, 4);
        bars->addWidget(BarCodeLbl[b], b, 5);
        bars->addWidget(BarDenLbl[b], b, 6);
        bars->addWidget(BarHeightTxt[b], b, 7);
        bars->addWidget(BarHmReadCmd[b], b, 8);
        bars->addWidget(BarHmReadLbl[b], b, 9);
    }
    bars->setColumnStretch(20, 1);
    rows->addLayout(bars);

    auto *txts = new QGridLayout;
    m_txtGrid = txts;
    txts->setHorizontalSpacing(4);
    txts->setVerticalSpacing(1);
    const QStringList txtHeads{QString(),
                               QStringLiteral("사용"),
                               QStringLiteral("Y"),
                               QStringLiteral("X"),
                               QStringLiteral("폰트"),
                               QString(),
                               QStringLiteral("크기(Y,X)"),
                               QString(),
                               QString(),
                               QStringLiteral("음각"),
                               QString()};
    for (int c = 0; c < txtHeads.size(); ++c) {
        if (!txtHeads[c].isEmpty())
            txts->addWidget(new QLabel(txtHeads[c], BarFormFme), 0, c, 1, c == 6 ? 3 : 1);
    }
    for (int t = 1; t <= 10; ++t) {
        auto *cap =
            new QLabel(QStringLiteral("텍스트#%1").arg(t, 2, 10, QLatin1Char('0')), BarFormFme);
        cap->setFixedWidth(64);
        txts->addWidget(cap, t, 0);
        TxtSeltChk[t] = new QCheckBox(BarFormFme);
        TxtSeltChk[t]->setObjectName(QStringLiteral("TxtSeltChk%1").arg(t));
        connect(TxtSeltChk[t], &QCheckBox::clicked, this, [this, t](bool on) {
            m_set.Fmt[m_format].Txt[t].TxtSelt = on ? 1 : 0;
            refreshPreview();
        });
        TxtYyTxt[t] = numberBox(QStringLiteral("TxtYyTxt%1").arg(t), BarFormFme);
        TxtXxTxt[t] = numberBox(QStringLiteral("TxtXxTxt%1").arg(t), BarFormFme);
        TxtFontCmd[t] =
            smallButton(QStringLiteral("TxtFontCmd%1").arg(t), QStringLiteral("?"), BarFormFme);
        TxtFontLbl[t] = valueLabel(QStringLiteral("TxtFontLbl%1").arg(t), BarFormFme, 66);
        TxtYxSizeCmd[t] =
            smallButton(QStringLiteral("TxtYxSizeCmd%1").arg(t), QStringLiteral("?"), BarFormFme);
        TxtYSizeLbl[t] = valueLabel(QStringLiteral("TxtYSizeLbl%1").arg(t), BarFormFme, 22);
        TxtXSizeLbl[t] = valueLabel(QStringLiteral("TxtXSizeLbl%1").arg(t), BarFormFme, 22);
        TxtRvsCmd[t] =
            smallButton(QStringLiteral("TxtRvsCmd%1").arg(t), QStringLiteral("?"), BarFormFme);
        TxtRvsLbl[t] = valueLabel(QStringLiteral("TxtRvsLbl%1").arg(t), BarFormFme, 44);
        for (QLabel *l : {TxtYSizeLbl[t], TxtXSizeLbl[t]})
            l->setAlignment(Qt::AlignCenter);
        txts->addWidget(TxtSeltChk[t], t, 1);
        txts->addWidget(TxtYyTxt[t], t, 2);
        txts->addWidget(TxtXxTxt[t], t, 3);
        txts->addWidget(TxtFontCmd[t], t, 4);
        txts->addWidget(TxtFontLbl[t], t, 5);
        txts->addWidget(TxtYxSizeCmd[t], t, 6);
        txts->addWidget(TxtYSizeLbl[t], t, 7);
        txts->addWidget(TxtXSizeLbl[t], t, 8);
        txts->addWidget(TxtRvsCmd[t], t, 9);
        txts->addWidget(TxtRvsLbl[t], t, 10);
    }
    txts->setColumnStretch(20, 1);
    rows->addLayout(txts);
    // Extra height (the extension panel beside is taller) goes below the rows, not between.
    rows->addStretch();
    elements->addLayout(rows);

    // Hints and the extension panel.
    auto *side = new QVBoxLayout;
    m_sideLayout = side;
    for (const QString &h : {m_profile.positionHint, m_profile.heightHint, m_profile.sizeHint}) {
        auto *l = new QLabel(h, BarFormFme);
        l->setWordWrap(true);
        l->setMaximumWidth(250);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
        l->setPalette(p);
        side->addWidget(l);
    }
    auto *exButtons = new QHBoxLayout;
    exButtons->addWidget(new QLabel(QStringLiteral("텍스트설정"), BarFormFme));
    TxtExOnCmd = smallButton(QStringLiteral("TxtExOnCmd"), QStringLiteral("+"), BarFormFme);
    TxtExOffCmd = smallButton(QStringLiteral("TxtExOffCmd"), QStringLiteral("-"), BarFormFme);
    exButtons->addWidget(TxtExOnCmd);
    exButtons->addWidget(TxtExOffCmd);
    exButtons->addStretch();
    side->addLayout(exButtons);

    TxtExtFme = new QFrame(BarFormFme);
    TxtExtFme->setObjectName(QStringLiteral("TxtExtFme"));
    TxtExtFme->setFrameShape(QFrame::StyledPanel);
    auto *ext = new QGridLayout(TxtExtFme);
    ext->setVerticalSpacing(2);
    auto *extTitle = new QLabel(QStringLiteral("텍스트설정"), TxtExtFme);
    QFont bold = extTitle->font();
    bold.setBold(true);
    extTitle->setFont(bold);
    ext->addWidget(extTitle, 0, 0);
    ext->addWidget(new QLabel(QStringLiteral("길이"), TxtExtFme), 0, 1);
    ext->addWidget(new QLabel(QStringLiteral("고정문자"), TxtExtFme), 0, 2);
    for (int t = 1; t <= 10; ++t) {
        ext->addWidget(new QLabel(QStringLiteral("#%1").arg(t, 2, 10, QLatin1Char('0')), TxtExtFme),
                       t, 0);
        TxtSizeTxt[t] = numberBox(QStringLiteral("TxtSizeTxt%1").arg(t), TxtExtFme, 36);
        TxtStringTxt[t] = new QLineEdit(TxtExtFme);
        TxtStringTxt[t]->setObjectName(QStringLiteral("TxtStringTxt%1").arg(t));
        TxtStringTxt[t]->setFixedSize(200, 22);
        ext->addWidget(TxtSizeTxt[t], t, 1);
        ext->addWidget(TxtStringTxt[t], t, 2);
    }
    auto *rightHint = new QLabel(m_profile.rightHint, TxtExtFme);
    auto *fixedHint = new QLabel(m_profile.fixedHint, TxtExtFme);
    rightHint->setWordWrap(true);
    fixedHint->setWordWrap(true);
    ext->addWidget(rightHint, 11, 0, 1, 3);
    ext->addWidget(fixedHint, 12, 0, 1, 3);
    side->addWidget(TxtExtFme);
    side->addStretch();
    TxtExtFme->hide();
    connect(TxtExOnCmd, &QPushButton::clicked, this, [this] { TxtExtFme->show(); });
    connect(TxtExOffCmd, &QPushButton::clicked, this, [this] { TxtExtFme->hide(); });

    elements->addSpacing(10);
    elements->addLayout(side);
    elements->addStretch();
    v->addLayout(elements);
}

void StationFrm::buildGoodsArea()
{
    auto *row = new QHBoxLayout;

    vaSpread1 = new QTableView(this);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setModel(m_goods);
    vaSpread1->setSelectionBehavior(QAbstractItemView::SelectRows);
    vaSpread1->setSelectionMode(QAbstractItemView::SingleSelection);
    vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vaSpread1->installEventFilter(this);
    vaSpread1->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }")
                                 .arg(VbColour(Program().GridAccentColour).name()));
    connect(vaSpread1, &QTableView::doubleClicked, this, [this] { GdsUpdateCmd_Click(); });
    row->addWidget(vaSpread1, 1);

    auto *cmds = new QGridLayout;
    cmds->setSpacing(3);
    GdsInsertCmd = commandButton(QStringLiteral("GdsInsertCmd"), QStringLiteral("등록"), this);
    GdsUpdateCmd = commandButton(QStringLiteral("GdsUpdateCmd"), QStringLiteral("수정"), this);
    GdsDeleteCmd = commandButton(QStringLiteral("GdsDeleteCmd"), QStringLiteral("삭제"), this);
    GdsSelectCmd = commandButton(QStringLiteral("GdsSelectCmd"), QStringLiteral("선택"), this);
    GdsAllSelCmd = commandButton(QStringLiteral("GdsAllSelCmd"), QStringLiteral("전체선택"), this);
    GdsAllDelCmd = commandButton(QStringLiteral("GdsAllDelCmd"), QStringLiteral("선택해제"), this);
    GdsMoveCmd = commandButton(QStringLiteral("GdsMoveCmd"), QStringLiteral("F2 : 번호변경"), this);
    GdsBarPrtCmd = commandButton(QStringLiteral("GdsBarPrtCmd"), QStringLiteral("단품발행"), this);
    GdsAllBarCmd =
        commandButton(QStringLiteral("GdsAllBarCmd"), QStringLiteral("여러품목발행"), this);
    LabelPdfCmd = commandButton(QStringLiteral("LabelPdfCmd"), QStringLiteral("라벨 PDF"), this);
    LabelPdfCmd->setToolTip(QStringLiteral("선택한 품목의 라벨을 품목별 수량대로 PDF로 저장"));
    GdsInsertCmd->setToolTip(QStringLiteral("Insert"));
    GdsUpdateCmd->setToolTip(QStringLiteral("Enter"));
    GdsDeleteCmd->setToolTip(QStringLiteral("Delete"));
    GdsSelectCmd->setToolTip(QStringLiteral("F1"));
    GdsAllSelCmd->setToolTip(QStringLiteral("Ctrl+F1"));
    GdsAllDelCmd->setToolTip(QStringLiteral("Ctrl+F2"));
    GdsBarPrtCmd->setToolTip(QStringLiteral("Shift+F7"));
    GdsAllBarCmd->setToolTip(QStringLiteral("Alt+F7"));
    int n = 0;
    for (QPushButton *b : {GdsInsertCmd, GdsUpdateCmd, GdsDeleteCmd, GdsSelectCmd, GdsAllSelCmd,
                           GdsAllDelCmd, GdsBarPrtCmd, GdsAllBarCmd, GdsMoveCmd}) {
        cmds->addWidget(b, n / 3, n % 3);
        ++n;
    }
    int r = (n + 2) / 3;
    auto *sortBox = new QGroupBox(QStringLiteral("정렬"), this);
    auto *sortLay = new QHBoxLayout(sortBox);
    sortLay->setContentsMargins(6, 2, 6, 2);
    GdsSelt0Opt = new QRadioButton(QStringLiteral("번호"), sortBox);
    GdsSelt0Opt->setObjectName(QStringLiteral("GdsSelt0Opt"));
    GdsSelt1Opt = new QRadioButton(QStringLiteral("이름"), sortBox);
    GdsSelt1Opt->setObjectName(QStringLiteral("GdsSelt1Opt"));
    sortLay->addWidget(GdsSelt0Opt);
    sortLay->addWidget(GdsSelt1Opt);
    InitColsRtn = commandButton(QStringLiteral("InitColsRtn"), QStringLiteral("초기"), this);
    {
        QPalette p = InitColsRtn->palette();
        p.setColor(QPalette::ButtonText, VbColour(Program().GridAccentColour));
        InitColsRtn->setPalette(p);
    }
    cmds->addWidget(sortBox, r, 0, 1, 2);
    cmds->addWidget(InitColsRtn, r, 2);
    ++r;
    cmds->setRowStretch(r++, 1);
    ChtWriteCmd = commandButton(QStringLiteral("ChtWriteCmd"), QStringLiteral("저장"), this);
    ChtSeltCmd = commandButton(QStringLiteral("ChtSeltCmd"), QStringLiteral("설정"), this);
    ChtViewCmd = commandButton(QStringLiteral("ChtViewCmd"), QStringLiteral("조회"), this);
    ChtPrintCmd = commandButton(QStringLiteral("ChtPrintCmd"), QStringLiteral("인쇄"), this);
    ChtHelpCmd = commandButton(QStringLiteral("ChtHelpCmd"), QStringLiteral("도움말"), this);
    ChtExitCmd = commandButton(QStringLiteral("ChtExitCmd"), QStringLiteral("닫기"), this);
    n = 0;
    for (QPushButton *b :
         {ChtWriteCmd, ChtSeltCmd, ChtViewCmd, ChtPrintCmd, ChtHelpCmd, ChtExitCmd}) {
        cmds->addWidget(b, r + n / 3, n % 3);
        ++n;
    }
    row->addLayout(cmds);
    m_mainLayout->addLayout(row, 1);

    ChtSelectFme = new QFrame(this);
    ChtSelectFme->setObjectName(QStringLiteral("ChtSelectFme"));
    ChtSelectFme->setFrameShape(QFrame::Panel);
    ChtSelectFme->setFrameShadow(QFrame::Raised);
    ChtSelectFme->setAutoFillBackground(true);
    auto *setLay = new QVBoxLayout(ChtSelectFme);
    setLay->addWidget(new QLabel(QStringLiteral("설정작업"), ChtSelectFme));
    SetExitCmd =
        commandButton(QStringLiteral("SetExitCmd"), QStringLiteral("나가기"), ChtSelectFme);
    setLay->addWidget(SetExitCmd);
    ChtSelectFme->hide();

    connect(GdsInsertCmd, &QPushButton::clicked, this, &StationFrm::GdsInsertCmd_Click);
    connect(GdsUpdateCmd, &QPushButton::clicked, this, &StationFrm::GdsUpdateCmd_Click);
    connect(GdsDeleteCmd, &QPushButton::clicked, this, &StationFrm::GdsDeleteCmd_Click);
    connect(GdsSelectCmd, &QPushButton::clicked, this, &StationFrm::GdsSelectCmd_Click);
    connect(GdsAllSelCmd, &QPushButton::clicked, this, &StationFrm::GdsAllSelCmd_Click);
    connect(GdsAllDelCmd, &QPushButton::clicked, this, &StationFrm::GdsAllDelCmd_Click);
    connect(GdsMoveCmd, &QPushButton::clicked, this, &StationFrm::GdsMoveCmd_Click);
    connect(GdsBarPrtCmd, &QPushButton::clicked, this, &StationFrm::GdsBarPrtCmd_Click);
    connect(GdsAllBarCmd, &QPushButton::clicked, this, &StationFrm::GdsAllBarCmd_Click);
    connect(LabelPdfCmd, &QPushButton::clicked, this, &StationFrm::LabelPdfCmd_Click);
    // The preview follows the cursor and every change of the goods.
    connect(vaSpread1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { refreshPreview(); });
    connect(m_goods, &GoodsTable::modelReset, this, [this] { refreshPreview(); });
    connect(m_goods, &GoodsTable::layoutChanged, this, [this] { refreshPreview(); });
    connect(m_goods, &GoodsTable::dataChanged, this, [this] { refreshPreview(); });
    connect(m_goods, &GoodsTable::rowsInserted, this, [this] { refreshPreview(); });
    connect(m_goods, &GoodsTable::rowsRemoved, this, [this] { refreshPreview(); });
    connect(GdsSelt0Opt, &QRadioButton::clicked, this, &StationFrm::GdsSelt0Opt_Click);
    connect(GdsSelt1Opt, &QRadioButton::clicked, this, &StationFrm::GdsSelt1Opt_Click);
    connect(InitColsRtn, &QPushButton::clicked, this, &StationFrm::InitColsRtn_Click);
    connect(ChtWriteCmd, &QPushButton::clicked, this, &StationFrm::ChtWriteCmd_Click);
    connect(ChtSeltCmd, &QPushButton::clicked, this, &StationFrm::ChtSeltCmd_Click);
    connect(SetExitCmd, &QPushButton::clicked, this, &StationFrm::SetExitCmd_Click);
    connect(ChtViewCmd, &QPushButton::clicked, this, &StationFrm::ChtViewCmd_Click);
    connect(ChtExitCmd, &QPushButton::clicked, this, &StationFrm::ChtExitCmd_Click);
    connect(ChtPrintCmd, &QPushButton::clicked, this,
            [this] { RunRegistrationReport(this, goods(), vaSpread1, driver().formName()); });
    connect(ChtHelpCmd, &QPushButton::clicked, this, [this] {
        QString topic = driver().formName();
        topic.chop(3); // "SRP770Frm" -> "SRP770"
        QelHelpFrm::ShowHelp(this, topic);
        focusGrid();
    });
}

void StationFrm::buildOptionPanels()
{
    auto addButtons = [this](QFrame *panel, const QString &enter, const QString &exit,
                             const QString &clear) {
        auto *row = new QHBoxLayout;
        auto *e = new QPushButton(QStringLiteral("확인"), panel);
        e->setObjectName(enter);
        auto *x = new QPushButton(QStringLiteral("취소"), panel);
        x->setObjectName(exit);
        auto *c = new QPushButton(QStringLiteral("c"), panel);
        c->setObjectName(clear);
        c->setFixedWidth(28);
        row->addWidget(e);
        row->addWidget(x);
        row->addWidget(c);
        static_cast<QVBoxLayout *>(panel->layout())->addLayout(row);
        connect(x, &QPushButton::clicked, panel, &QWidget::hide);
        return std::array<QPushButton *, 3>{e, x, c};
    };
    auto optionRow = [](QFrame *panel, QGridLayout *g, int row, const QString &prefix,
                        const QStringList &captions, int from, auto &array) {
        for (int i = from; i < captions.size(); ++i) {
            auto *o = new QRadioButton(captions[i], panel);
            o->setObjectName(prefix.arg(i));
            array[i] = o;
            g->addWidget(o, row + (i - from) / 5, (i - from) % 5);
        }
    };

    // Barcode type with narrow and wide bar widths.
    BarCodeFme = panelFrame(QStringLiteral("BarCodeFme"), QStringLiteral("바코드선택"), this);
    {
        auto *g = new QGridLayout;
        auto *typeBox = new QWidget(BarCodeFme);
        auto *tg = new QGridLayout(typeBox);
        tg->setContentsMargins(0, 0, 0, 0);
        optionRow(BarCodeFme, tg, 0, QStringLiteral("BarCode%1Opt"), driver().symbologyNames(), 1,
                  BarCodeOpt);
        g->addWidget(typeBox, 0, 0);
        auto *nw = new QWidget(BarCodeFme);
        nw->setObjectName(QStringLiteral("BarDenBox"));
        auto *ng = new QGridLayout(nw);
        ng->setContentsMargins(0, 0, 0, 0);
        ng->addWidget(new QLabel(QStringLiteral("Narrow"), nw), 0, 0);
        ng->addWidget(new QLabel(QStringLiteral("Wide"), nw), 1, 0);
        for (int i = 1; i <= 9; ++i) {
            auto *n = new QRadioButton(QString::number(i), nw);
            n->setObjectName(QStringLiteral("BarNarrow%1Opt").arg(i));
            auto *w = new QRadioButton(QString::number(i), nw);
            w->setObjectName(QStringLiteral("BarWide%1Opt").arg(i));
            BarNarrowOpt[i] = n;
            BarWideOpt[i] = w;
            ng->addWidget(n, 0, i);
            ng->addWidget(w, 1, i);
        }
        // The two rows are separate choices.
        auto *narrowGroup = new QButtonGroup(nw);
        auto *wideGroup = new QButtonGroup(nw);
        for (int i = 1; i <= 9; ++i) {
            narrowGroup->addButton(BarNarrowOpt[i]);
            wideGroup->addButton(BarWideOpt[i]);
        }
        g->addWidget(nw, 1, 0);
        static_cast<QVBoxLayout *>(BarCodeFme->layout())->addLayout(g);
        const auto b = addButtons(BarCodeFme, QStringLiteral("BarCodeEnterCmd"),
                                  QStringLiteral("BarCodeExitCmd"), QStringLiteral("BarCancelCmd"));
        connect(b[0], &QPushButton::clicked, this, [this] {
            confirmBarCodePanel(m_set.Fmt[m_format].Bar[m_panelElement[0]]);
            showFormat();
            BarCodeFme->hide();
        });
        connect(b[2], &QPushButton::clicked, this, [this] {
            BarcodeElement &e = m_set.Fmt[m_format].Bar[m_panelElement[0]];
            e.BarCode = 0;
            e.BarDen = 0;
            showFormat();
            BarCodeFme->hide();
        });
    }

    // Human-readable digits.
    BarHmReadFme = panelFrame(QStringLiteral("BarHmReadFme"), QStringLiteral("바코드번호"), this);
    {
        auto *g = new QGridLayout;
        const QStringList caps{QStringLiteral("없음"), QStringLiteral("상단"),
                               QStringLiteral("하단")};
        optionRow(BarHmReadFme, g, 0, QStringLiteral("BarHmRead%1Opt"), caps, 0, BarHmReadOpt);
        static_cast<QVBoxLayout *>(BarHmReadFme->layout())->addLayout(g);
        const auto b =
            addButtons(BarHmReadFme, QStringLiteral("BarHmReadEnterCmd"),
                       QStringLiteral("BarHmReadExitCmd"), QStringLiteral("BnoCancelCmd"));
        connect(b[0], &QPushButton::clicked, this, [this] {
            const int i = checkedIndex({BarHmReadOpt[0], BarHmReadOpt[1], BarHmReadOpt[2]});
            if (i >= 0) // no option checked keeps the stored value
                m_set.Fmt[m_format].Bar[m_panelElement[1]].BarHmRead = qint16(i);
            showFormat();
            BarHmReadFme->hide();
        });
        connect(b[2], &QPushButton::clicked, this, [this] {
            m_set.Fmt[m_format].Bar[m_panelElement[1]].BarHmRead = 0;
            showFormat();
            BarHmReadFme->hide();
        });
    }

    // Text font.
    TxtFontFme = panelFrame(QStringLiteral("TxtFontFme"), QStringLiteral("텍스트폰트"), this);
    {
        auto *g = new QGridLayout;
        optionRow(TxtFontFme, g, 0, QStringLiteral("TxtFont%1Opt"), driver().fontCaptions(), 1,
                  TxtFontOpt);
        static_cast<QVBoxLayout *>(TxtFontFme->layout())->addLayout(g);
        const auto b = addButtons(TxtFontFme, QStringLiteral("TxtFontEnterCmd"),
                                  QStringLiteral("TxtFontExitCmd"), QStringLiteral("FntCancelCmd"));
        connect(b[0], &QPushButton::clicked, this, [this] {
            const QList<QRadioButton *> fonts(TxtFontOpt.begin() + 1, TxtFontOpt.end());
            m_set.Fmt[m_format].Txt[m_panelElement[2]].TxtFont = qint16(checkedIndex(fonts) + 1);
            showFormat();
            TxtFontFme->hide();
        });
        connect(b[2], &QPushButton::clicked, this, [this] {
            m_set.Fmt[m_format].Txt[m_panelElement[2]].TxtFont = 0;
            showFormat();
            TxtFontFme->hide();
        });
    }

    // Text magnification.
    TxtYxSizeFme = panelFrame(QStringLiteral("TxtYxSizeFme"), QStringLiteral("텍스트크기"), this);
    {
        auto *g = new QGridLayout;
        g->addWidget(new QLabel(QStringLiteral("Y"), TxtYxSizeFme), 0, 0);
        g->addWidget(new QLabel(QStringLiteral("X"), TxtYxSizeFme), 1, 0);
        auto *yGroup = new QButtonGroup(TxtYxSizeFme);
        auto *xGroup = new QButtonGroup(TxtYxSizeFme);
        for (int i = 1; i <= driver().maxMagnification(); ++i) {
            auto *y = new QRadioButton(QString::number(i), TxtYxSizeFme);
            y->setObjectName(QStringLiteral("TxtYSize%1Opt").arg(i));
            auto *x = new QRadioButton(QString::number(i), TxtYxSizeFme);
            x->setObjectName(QStringLiteral("TxtXSize%1Opt").arg(i));
            TxtYSizeOpt[i] = y;
            TxtXSizeOpt[i] = x;
            yGroup->addButton(y);
            xGroup->addButton(x);
            g->addWidget(y, 0, i);
            g->addWidget(x, 1, i);
        }
        static_cast<QVBoxLayout *>(TxtYxSizeFme->layout())->addLayout(g);
        const auto b =
            addButtons(TxtYxSizeFme, QStringLiteral("TxtYxSizeEnterCmd"),
                       QStringLiteral("TxtYxSizeExitCmd"), QStringLiteral("TszCancelCmd"));
        connect(b[0], &QPushButton::clicked, this, [this] {
            const int n = driver().maxMagnification();
            const QList<QRadioButton *> ys(TxtYSizeOpt.begin() + 1, TxtYSizeOpt.begin() + 1 + n);
            const QList<QRadioButton *> xs(TxtXSizeOpt.begin() + 1, TxtXSizeOpt.begin() + 1 + n);
            TextElement &e = m_set.Fmt[m_format].Txt[m_panelElement[3]];
            e.TxtYSize = qint16(checkedIndex(ys) + 1);
            e.TxtXSize = qint16(checkedIndex(xs) + 1);
            showFormat();
            TxtYxSizeFme->hide();
        });
        connect(b[2], &QPushButton::clicked, this, [this] {
            TextElement &e = m_set.Fmt[m_format].Txt[m_panelElement[3]];
            e.TxtYSize = 0;
            e.TxtXSize = 0;
            showFormat();
            TxtYxSizeFme->hide();
        });
    }

    // Text reversal.
    TxtRvsFme = panelFrame(QStringLiteral("TxtRvsFme"), QStringLiteral("텍스트음각"), this);
    {
        auto *g = new QGridLayout;
        optionRow(TxtRvsFme, g, 0, QStringLiteral("TxtRvs%1Opt"), driver().reversalCaptions(), 0,
                  TxtRvsOpt);
        static_cast<QVBoxLayout *>(TxtRvsFme->layout())->addLayout(g);
        const auto b = addButtons(TxtRvsFme, QStringLiteral("TxtRvsEnterCmd"),
                                  QStringLiteral("TxtRvsExitCmd"), QStringLiteral("TumCancelCmd"));
        connect(b[0], &QPushButton::clicked, this, [this] {
            const QList<QRadioButton *> opts(
                TxtRvsOpt.begin(), TxtRvsOpt.begin() + driver().reversalCaptions().size());
            const int i = checkedIndex(opts);
            if (i >= 0)
                m_set.Fmt[m_format].Txt[m_panelElement[4]].TxtRvs = qint16(i);
            showFormat();
            TxtRvsFme->hide();
        });
        connect(b[2], &QPushButton::clicked, this, [this] {
            m_set.Fmt[m_format].Txt[m_panelElement[4]].TxtRvs = 0;
            showFormat();
            TxtRvsFme->hide();
        });
    }

    for (int b = 1; b <= 3; ++b) {
        connect(BarCodeCmd[b], &QPushButton::clicked, this,
                [this, b] { openPanel(BarCodeFme, BarCodeCmd[1], BarCodeCmd[b], b); });
        connect(BarHmReadCmd[b], &QPushButton::clicked, this,
                [this, b] { openPanel(BarHmReadFme, BarHmReadCmd[1], BarHmReadCmd[b], b); });
    }
    for (int t = 1; t <= 10; ++t) {
        connect(TxtFontCmd[t], &QPushButton::clicked, this,
                [this, t] { openPanel(TxtFontFme, TxtFontCmd[1], TxtFontCmd[t], t); });
        connect(TxtYxSizeCmd[t], &QPushButton::clicked, this,
                [this, t] { openPanel(TxtYxSizeFme, TxtYxSizeCmd[1], TxtYxSizeCmd[t], t); });
        connect(TxtRvsCmd[t], &QPushButton::clicked, this,
                [this, t] { openPanel(TxtRvsFme, TxtRvsCmd[1], TxtRvsCmd[t], t); });
    }
}

void StationFrm::openPanel(QFrame *panel, QWidget *firstButton, QWidget *, int element)
{
    if (panel->isVisible()) {
        panel->hide();
        return;
    }
    // Top: the frame's top plus the top of the first button of the same kind; left: a fixed
    // column beside the element rows, shared by all panels.
    const int top = BarFormFme->y() + firstButton->mapTo(BarFormFme, QPoint(0, 0)).y();
    const int left = BarFormFme->x() + TxtRvsLbl[1]->mapTo(BarFormFme, QPoint(0, 0)).x() +
                     TxtRvsLbl[1]->width() + 12;
    panel->adjustSize();
    panel->move(left, top);

    const LabelFormat &f = m_set.Fmt[m_format];
    if (panel == BarCodeFme) {
        m_panelElement[0] = element;
        showBarCodePanel(f.Bar[element]);
    } else if (panel == BarHmReadFme) {
        m_panelElement[1] = element;
        const int v = f.Bar[element].BarHmRead;
        uncheckAll({BarHmReadOpt[0], BarHmReadOpt[1], BarHmReadOpt[2]});
        if (v >= 0 && v <= 2)
            BarHmReadOpt[v]->setChecked(true);
    } else if (panel == TxtFontFme) {
        m_panelElement[2] = element;
        const int v = f.Txt[element].TxtFont;
        uncheckAll(QList<QRadioButton *>(TxtFontOpt.begin(), TxtFontOpt.end()));
        if (v >= 1 && v < driver().fontCaptions().size())
            TxtFontOpt[v]->setChecked(true);
    } else if (panel == TxtYxSizeFme) {
        m_panelElement[3] = element;
        const TextElement &e = f.Txt[element];
        uncheckAll(QList<QRadioButton *>(TxtYSizeOpt.begin(), TxtYSizeOpt.end()));
        uncheckAll(QList<QRadioButton *>(TxtXSizeOpt.begin(), TxtXSizeOpt.end()));
        if (e.TxtYSize >= 1 && e.TxtYSize <= driver().maxMagnification())
            TxtYSizeOpt[e.TxtYSize]->setChecked(true);
        if (e.TxtXSize >= 1 && e.TxtXSize <= driver().maxMagnification())
            TxtXSizeOpt[e.TxtXSize]->setChecked(true);
    } else if (panel == TxtRvsFme) {
        m_panelElement[4] = element;
        const int v = f.Txt[element].TxtRvs;
        uncheckAll(QList<QRadioButton *>(TxtRvsOpt.begin(), TxtRvsOpt.end()));
        if (v >= 0 && v < driver().reversalCaptions().size())
            TxtRvsOpt[v]->setChecked(true);
    }
    panel->show();
    panel->raise();
}

// ---------------------------------------------------------------------------------------
// Numeric and text fields

void StationFrm::buildFieldTable()
{
    auto add32 = [this](QLineEdit *box, std::function<qint32 &()> v, qint32 max, QLineEdit *up,
                        QLineEdit *down, QLineEdit *enter) {
        NumericField f;
        f.box = box;
        f.value32 = std::move(v);
        f.max = max;
        f.up = up;
        f.down = down;
        f.enter = enter;
        m_fields << f;
    };
    auto fmt = [this]() -> LabelFormat & { return m_set.Fmt[m_format]; };

    add32(
        LblLengTxt, [fmt]() -> qint32 & { return fmt().LblLeng; }, 9999, LblLengTxt, LblWidthTxt,
        LblWidthTxt);
    add32(
        LblWidthTxt, [fmt]() -> qint32 & { return fmt().LblWidth; }, 999, LblLengTxt, BarYyTxt[1],
        BarYyTxt[1]);
    for (int b = 1; b <= 3; ++b) {
        QLineEdit *next = b < 3 ? BarYyTxt[b + 1] : TxtYyTxt[1];
        add32(
            BarYyTxt[b], [fmt, b]() -> qint32 & { return fmt().Bar[b].BarYy; }, 9999,
            b == 1 ? LblWidthTxt : BarYyTxt[b - 1], next, BarXxTxt[b]);
        add32(
            BarXxTxt[b], [fmt, b]() -> qint32 & { return fmt().Bar[b].BarXx; }, 999, BarYyTxt[b],
            next, BarHeightTxt[b]);
        add32(
            BarHeightTxt[b], [fmt, b]() -> qint32 & { return fmt().Bar[b].BarHeight; }, 999,
            BarXxTxt[b], next, next);
    }
    for (int t = 1; t <= 10; ++t) {
        add32(
            TxtYyTxt[t], [fmt, t]() -> qint32 & { return fmt().Txt[t].TxtYy; }, 9999,
            t == 1 ? BarYyTxt[3] : TxtYyTxt[t - 1], t < 10 ? TxtYyTxt[t + 1] : TxtYyTxt[10],
            TxtXxTxt[t]);
        QLineEdit *down = t < 10 ? TxtYyTxt[t + 1] : TxtYyTxt[10];
        add32(
            TxtXxTxt[t], [fmt, t]() -> qint32 & { return fmt().Txt[t].TxtXx; }, 999, TxtYyTxt[t],
            down, down);
        NumericField f;
        f.box = TxtSizeTxt[t];
        f.value16 = [fmt, t]() -> qint16 & { return fmt().Txt[t].TxtRight; };
        f.max = 99;
        f.up = t > 1 ? TxtSizeTxt[t - 1] : TxtSizeTxt[1];
        f.down = t < 10 ? TxtSizeTxt[t + 1] : TxtSizeTxt[10];
        f.enter = TxtStringTxt[t];
        m_fields << f;
        m_textFields << TxtStringTxt[t];
    }
    for (NumericField &f : m_fields)
        f.box->installEventFilter(this);
    for (QLineEdit *b : m_textFields)
        b->installEventFilter(this);
}

StationFrm::NumericField *StationFrm::fieldFor(QObject *box)
{
    for (NumericField &f : m_fields) {
        if (f.box == box)
            return &f;
    }
    return nullptr;
}

void StationFrm::numericFieldLeft(QLineEdit *box)
{
    NumericField *f = fieldFor(box);
    if (!f)
        return;
    SetBoxColour(box, BlurColour);
    qint32 v = DigitsToLong(box->text());
    if (v < 1 || v > f->max)
        v = 0;
    if (f->value32)
        f->value32() = v;
    else
        f->value16() = qint16(v);
    box->setText(BlankZeroText(v));
    refreshPreview();
}

QString StationFrm::cleanFixedText(const QString &text) const
{
    return CleanText(text, 50);
}

void StationFrm::textFieldLeft(QLineEdit *box)
{
    const int t = m_textFields.indexOf(box) + 1;
    if (t < 1)
        return;
    SetBoxColour(box, BlurColour);
    const QString v = cleanFixedText(box->text());
    m_set.Fmt[m_format].Txt[t].TxtString = v;
    box->setText(v);
    refreshPreview();
}

bool StationFrm::fieldKey(QLineEdit *box, QKeyEvent *event)
{
    QLineEdit *target = nullptr;
    const int key = event->key();
    if (NumericField *f = fieldFor(box)) {
        if (key == Qt::Key_Up)
            target = f->up;
        else if (key == Qt::Key_Down)
            target = f->down;
        else if (key == Qt::Key_Return || key == Qt::Key_Enter)
            target = f->enter;
    } else {
        const int t = m_textFields.indexOf(box) + 1;
        if (t < 1)
            return false;
        if (key == Qt::Key_Up)
            target = TxtSizeTxt[t];
        else if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter)
            target = t < 10 ? TxtSizeTxt[t + 1] : TxtSizeTxt[10];
    }
    if (!target)
        return false;
    if (target == box) {
        // Staying stores the value too, as leaving would.
        if (fieldFor(box))
            numericFieldLeft(box);
        else
            textFieldLeft(box);
        SetBoxColour(box, FocusColour);
    } else {
        target->setFocus();
        // Without an active window the focus change is not delivered; store directly.
        if (QApplication::focusWidget() != target) {
            if (fieldFor(box))
                numericFieldLeft(box);
            else
                textFieldLeft(box);
        }
    }
    return true;
}

bool StationFrm::eventFilter(QObject *watched, QEvent *event)
{
    // The port map may have changed meanwhile (another station, the menu).
    if (event->type() == QEvent::ToolTip && qobject_cast<QRadioButton *>(watched) &&
        watched->objectName().startsWith(QLatin1String("BarComPortOpt")))
        showPortTargets();
    if (watched == vaSpread1 && event->type() == QEvent::KeyPress) {
        if (gridKey(static_cast<QKeyEvent *>(event)))
            return true;
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && (fieldFor(box) || m_textFields.contains(box))) {
        switch (event->type()) {
        case QEvent::FocusIn:
            SetBoxColour(box, FocusColour);
            break;
        case QEvent::FocusOut:
            if (fieldFor(box))
                numericFieldLeft(box);
            else
                textFieldLeft(box);
            break;
        case QEvent::KeyPress:
            if (fieldKey(box, static_cast<QKeyEvent *>(event)))
                return true;
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool StationFrm::gridKey(QKeyEvent *event)
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
            GdsBarPrtCmd_Click();
        else if (mods == Qt::AltModifier)
            GdsAllBarCmd_Click();
        else
            return false;
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Load, display, save

void StationFrm::Form_Load()
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    const QString dir = DataDirectory();
    const QString nn = BarcodeSetText();
    m_formatFile = QDir(dir).filePath(driver().formatFileName(nn));
    m_goodsFile = QDir(dir).filePath(driver().goodsFileName(nn));
    m_printFile = QDir(dir).filePath(driver().printCopyFileName());
    BarSeltLbl->setText(nn);

    // Grid before any file is read: row height, preview zoom "Page 높이", default widths.
    vaSpread1->verticalHeader()->setDefaultSectionSize(20);
    vaSpread1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    p.PreviewZoom = 8;
    const QList<int> designed = designedColumnWidths();
    for (int c = 0; c < GoodsTable::ColumnCount; ++c)
        vaSpread1->setColumnWidth(c, designed[c]);
    m_defaultWidths.clear();
    for (int c = 0; c < 100; ++c)
        m_defaultWidths << (c < GoodsTable::ColumnCount ? vaSpread1->columnWidth(c) : 0);
    LoadColumnWidths(vaSpread1, driver().formName(), m_files->widthFile());

    m_files->open();
    showPortTargets();
    BarFormOpt[1]->setChecked(true);
    BarFormOpt_Click(1);

    m_blackMark = ReadSettingInt(SettingsSection, QStringLiteral("BarPrtBlack")) != 0;
    (m_blackMark ? GapBlack1Opt : GapBlack0Opt)->setChecked(true);
    if (m_goods->rows() > 0)
        setActiveRow(1);
    focusGrid();
}

void StationFrm::showPortTargets()
{
    PortMap map;
    map.load(PortMap::path());
    for (int i = 1; i <= PortMap::PortCount; ++i) {
        QString why;
        const PortTarget t = map.target(i, &why);
        BarComPortOpt[i]->setToolTip(PortMap::portName(i) + QStringLiteral(" → ") +
                                     (t.isValid() ? t.text() : why));
    }
}

void StationFrm::PortSetCmd_Click()
{
    PortSettingsFrm::open(this, [this] { showPortTargets(); });
}

void StationFrm::BarFormOpt_Click(int f)
{
    if (f < 1 || f > 5)
        return;
    m_format = f;
    BarFormOpt[f]->setChecked(true);
    for (int i = 1; i <= 5; ++i) {
        QPalette p = BarFormOpt[i]->palette();
        p.setColor(QPalette::WindowText, VbColour(i == f ? 0x00000000u : 0x00808080u));
        BarFormOpt[i]->setPalette(p);
    }
    showFormat();
}

void StationFrm::showFormat()
{
    const LabelFormat &f = m_set.Fmt[m_format];
    if (m_set.BarComPort >= 1 && m_set.BarComPort <= 9)
        BarComPortOpt[m_set.BarComPort]->setChecked(true);
    if (m_set.BarComSpeed >= 1 && m_set.BarComSpeed <= 6)
        BarComSpeedOpt[m_set.BarComSpeed]->setChecked(true);
    LblLengTxt->setText(BlankZeroText(f.LblLeng));
    LblWidthTxt->setText(BlankZeroText(f.LblWidth));
    (f.LblDegree != 0 ? LblDegree1Opt : LblDegree0Opt)->setChecked(true);

    auto name = [](const QStringList &names, int v) {
        return v >= 1 && v < names.size() ? names[v] : QString();
    };
    for (int b = 1; b <= 3; ++b) {
        const BarcodeElement &e = f.Bar[b];
        BarSeltChk[b]->setChecked(e.BarSelt != 0);
        BarYyTxt[b]->setText(BlankZeroText(e.BarYy));
        BarXxTxt[b]->setText(BlankZeroText(e.BarXx));
        BarHeightTxt[b]->setText(BlankZeroText(e.BarHeight));
        BarCodeLbl[b]->setText(name(driver().symbologyNames(), e.BarCode));
        BarDenLbl[b]->setText(e.BarDen == 10 ? QStringLiteral("A") : BlankZeroText(e.BarDen));
        BarHmReadLbl[b]->setText(e.BarHmRead == 1   ? QStringLiteral("상단")
                                 : e.BarHmRead == 2 ? QStringLiteral("하단")
                                                    : QString());
    }
    for (int t = 1; t <= 10; ++t) {
        const TextElement &e = f.Txt[t];
        TxtSeltChk[t]->setChecked(e.TxtSelt != 0);
        TxtYyTxt[t]->setText(BlankZeroText(e.TxtYy));
        TxtXxTxt[t]->setText(BlankZeroText(e.TxtXx));
        TxtFontLbl[t]->setText(name(driver().fontNames(), e.TxtFont));
        TxtYSizeLbl[t]->setText(BlankZeroText(e.TxtYSize));
        TxtXSizeLbl[t]->setText(BlankZeroText(e.TxtXSize));
        TxtRvsLbl[t]->setText(name(driver().reversalNames(), e.TxtRvs));
        TxtSizeTxt[t]->setText(BlankZeroText(e.TxtRight));
        TxtStringTxt[t]->setText(e.TxtString);
    }
    showModelFields();
    refreshPreview();
    focusGrid();
}

void StationFrm::afterGoodsImport(int row)
{
    if (row > 0)
        setActiveRow(row);
    clearSortOptions();
}

void StationFrm::focusGrid()
{
    if (vaSpread1->isEnabled())
        vaSpread1->setFocus();
}

int StationFrm::activeRow() const
{
    const QModelIndex i = vaSpread1->currentIndex();
    if (!i.isValid() || i.row() >= m_goods->rows())
        return 0;
    return i.row() + 1;
}

void StationFrm::setActiveRow(int row)
{
    if (row < 1 || row > m_goods->rows())
        return;
    vaSpread1->setCurrentIndex(m_goods->index(row - 1, 0));
}

bool StationFrm::saveFiles(bool closing)
{
    return m_files->save(closing);
}

void StationFrm::closeEvent(QCloseEvent *event)
{
    if (m_printer->isPrinting()) {
        // Finish the label being sent, then close.
        m_closeAfterPrint = true;
        m_printer->requestStop();
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        m_files->close();
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// Goods list commands

namespace {

// Hourglass pointer and a disabled button for the length of a command.
class BusyGuard {
public:
    explicit BusyGuard(QWidget *button) : m_button(button)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (m_button)
            m_button->setEnabled(false);
    }
    ~BusyGuard()
    {
        if (m_button)
            m_button->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }

private:
    QWidget *m_button;
};

bool runItemEditor(QWidget *station)
{
    if (StationFrm::openItemEditor)
        return StationFrm::openItemEditor(station);
    Program().EditResult = 0;
    return false;
}

} // namespace

void StationFrm::clearSortOptions()
{
    uncheckAll({GdsSelt0Opt, GdsSelt1Opt});
}

void StationFrm::GdsInsertCmd_Click()
{
    Program().EditMode = EditInsert;
    runItemEditor(this);
    if (Program().EditResult == 1) {
        const int row = m_goods->insertItem(Program().EditItem);
        setActiveRow(row);
        clearSortOptions();
    }
    focusGrid();
}

void StationFrm::GdsUpdateCmd_Click()
{
    const int r = activeRow();
    if (r < 1) {
        focusGrid();
        return;
    }
    Program().EditMode = EditUpdate;
    Program().EditItem = m_goods->itemAt(r);
    runItemEditor(this);
    if (Program().EditResult == 1) {
        m_goods->updateRow(r, Program().EditItem);
        setActiveRow(r);
        clearSortOptions();
    }
    focusGrid();
}

void StationFrm::GdsDeleteCmd_Click()
{
    const int r = activeRow();
    if (r >= 1) {
        const QString number = QString::number(LeadingNumber(m_goods->cell(r, 1)), 'f', 0);
        const QString name = m_goods->cell(r, 3).trimmed();
        if (Dialogs::askYesNo(this,
                              QStringLiteral("* (%1)번 (%2)를 삭제할까요 ?").arg(number, name))) {
            m_goods->removeRowAt(r);
            clearSortOptions();
            setActiveRow(qMin(r, m_goods->rows()));
        }
    }
    focusGrid();
}

void StationFrm::GdsSelectCmd_Click()
{
    const int r = activeRow();
    if (r >= 1)
        m_goods->toggleMark(r);
    focusGrid();
}

void StationFrm::GdsAllSelCmd_Click()
{
    m_goods->setAllMarks(true);
    focusGrid();
}

void StationFrm::GdsAllDelCmd_Click()
{
    m_goods->setAllMarks(false);
    focusGrid();
}

void StationFrm::GdsMoveCmd_Click()
{
    if (m_goods->rows() > 0) {
        const auto answer =
            Dialogs::askText(this, QStringLiteral("번호변경"),
                             QStringLiteral("* 변경할 번호를 입력하세요 (1~999) ...... ?"));
        const int target = answer ? DigitsToLong(*answer) : 0;
        if (target >= 1 && target <= 999) {
            BusyGuard busy(GdsMoveCmd);
            m_goods->renumberMarked(target);
        }
    }
    focusGrid();
}

void StationFrm::GdsSelt0Opt_Click()
{
    GdsSelt0Opt->setChecked(true);
    m_goods->sortByNumber();
    focusGrid();
}

void StationFrm::GdsSelt1Opt_Click()
{
    GdsSelt1Opt->setChecked(true);
    m_goods->sortByName();
    focusGrid();
}

void StationFrm::InitColsRtn_Click()
{
    if (Dialogs::askYesNo(this, QStringLiteral("칼럼 사이즈를 초기화할까요 ?"))) {
        for (int c = 0; c < GoodsTable::ColumnCount; ++c)
            vaSpread1->setColumnWidth(c, m_defaultWidths.value(c));
    }
    focusGrid();
}

void StationFrm::ChtWriteCmd_Click()
{
    {
        BusyGuard busy(ChtWriteCmd);
        if (m_profile.sortBeforeSave) {
            GdsSelt0Opt->setChecked(true);
            m_goods->sortByNumber();
        }
        saveFiles();
    }
    focusGrid();
}

void StationFrm::ChtSeltCmd_Click()
{
    if (ChtSelectFme->isVisible()) {
        ChtSelectFme->hide();
        focusGrid();
        return;
    }
    ChtSelectFme->adjustSize();
    ChtSelectFme->move(ChtSeltCmd->x() - ChtSelectFme->width() - 6, ChtSeltCmd->y());
    ChtSelectFme->show();
    ChtSelectFme->raise();
    SetExitCmd->setFocus();
}

void StationFrm::SetExitCmd_Click()
{
    ChtSelectFme->hide();
    ChtSeltCmd->setFocus();
}

void StationFrm::ChtViewCmd_Click()
{
    focusGrid();
}

void StationFrm::ChtExitCmd_Click()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

// ---------------------------------------------------------------------------------------
// Printing

void StationFrm::GdsBarPrtCmd_Click()
{
    m_printer->openSinglePanel();
}

void StationFrm::GdsAllBarCmd_Click()
{
    m_printer->openListPanel();
}

QList<int> StationFrm::designedColumnWidths()
{
    QList<int> widths{44, 36, 180, 40, 44, 110, 110, 110};
    while (widths.size() < GoodsTable::ColumnCount)
        widths << (widths.size() == GoodsTable::ColumnCount - 1 ? 20 : 90);
    return widths;
}

void StationFrm::refreshPreview()
{
    if (!LabelPreviewFme)
        return;
    // Without a goods row the format's fixed texts still print; the job of format 1..5 never
    // is empty (it sets up the page).
    LabelPreviewFme->showJob(buildLabelJob(m_format, activeRow(), 1));
}

void StationFrm::LabelPdfCmd_Click()
{
    // The marked rows with their own quantities, skipped as a list print skips them.
    QList<LabelDescription> labels;
    int marked = 0;
    for (int r = 1; r <= m_goods->rows(); ++r) {
        if (!m_goods->mark(r))
            continue;
        ++marked;
        LabelJob job;
        if (LabelJob::plan(driver(), m_set, *m_goods, r, LabelJob::listCount(*m_goods, r, 0), 0,
                           m_blackMark, &job))
            labels << LabelJobReader::read(job.text);
    }
    if (marked == 0) {
        Dialogs::inform(this, QStringLiteral("* 선택된 품목이 없습니다 !"));
        focusGrid();
        return;
    }
    if (labels.isEmpty()) {
        Dialogs::inform(this, QStringLiteral("* 선택된 품목에 발행할 수량이나 포멧이 없습니다 !"));
        focusGrid();
        return;
    }
    QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (start.isEmpty())
        start = QDir::homePath();
    const auto answer = Dialogs::askSaveFileName(
        this, QStringLiteral("라벨 PDF 저장"),
        QDir(start).filePath(driver().filePrefix() + QStringLiteral("라벨.pdf")),
        QStringLiteral("PDF 파일 (*.pdf)"));
    if (!answer || answer->trimmed().isEmpty()) {
        focusGrid();
        return;
    }
    QString path = answer->trimmed();
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    bool ok = false;
    {
        BusyGuard busy(LabelPdfCmd);
        ok = LabelPdf::write(path, labels, &error);
    }
    if (ok) {
        // Labels that do not print as designed are named, as the preview would show them.
        int doubtful = 0;
        for (const LabelDescription &d : labels)
            doubtful += LabelPainter::problems(d).isEmpty() ? 0 : 1;
        QString text = QStringLiteral("* 라벨 %1장을 PDF로 저장했습니다 !\n%2")
                           .arg(LabelPdf::pageCount(labels))
                           .arg(QDir::toNativeSeparators(path));
        if (doubtful > 0)
            text += QStringLiteral("\n* 확인할 점이 있는 품목이 %1개 있습니다 (빨간 표시) !")
                        .arg(doubtful);
        Dialogs::inform(this, text);
    } else {
        Dialogs::inform(this,
                        QStringLiteral("* 라벨 PDF를 저장하지 못했습니다 !\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    }
    focusGrid();
}

QString StationFrm::buildLabelJob(int format, int row, int count) const
{
    return driver().labelJob(m_set, format, LabelJob::rowBarcodes(*m_goods, row),
                             LabelJob::rowTexts(*m_goods, row), count, m_blackMark);
}

void StationFrm::showBarCodePanel(const BarcodeElement &e)
{
    uncheckAll(QList<QRadioButton *>(BarCodeOpt.begin(), BarCodeOpt.end()));
    uncheckAll(QList<QRadioButton *>(BarNarrowOpt.begin(), BarNarrowOpt.end()));
    uncheckAll(QList<QRadioButton *>(BarWideOpt.begin(), BarWideOpt.end()));
    if (e.BarCode >= 1 && e.BarCode < driver().symbologyNames().size() && BarCodeOpt[e.BarCode])
        BarCodeOpt[e.BarCode]->setChecked(true);
    const int narrow = (e.BarDen / 10) % 10;
    const int wide = e.BarDen % 10;
    if (narrow >= 1)
        BarNarrowOpt[narrow]->setChecked(true);
    if (wide >= 1)
        BarWideOpt[wide]->setChecked(true);
}

void StationFrm::confirmBarCodePanel(BarcodeElement &e)
{
    const int n = int(driver().symbologyNames().size());
    const QList<QRadioButton *> types(BarCodeOpt.begin() + 1, BarCodeOpt.begin() + n);
    const QList<QRadioButton *> narrow(BarNarrowOpt.begin() + 1, BarNarrowOpt.end());
    const QList<QRadioButton *> wide(BarWideOpt.begin() + 1, BarWideOpt.end());
    e.BarCode = qint16(checkedIndex(types) + 1);
    e.BarDen = qint16((checkedIndex(narrow) + 1) * 10 + (checkedIndex(wide) + 1));
}

void StationFrm::UncheckOptions(const QList<QRadioButton *> &options)
{
    uncheckAll(options);
}
