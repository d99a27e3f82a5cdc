// SPDX-License-Identifier: GPL-3.0-or-later
#include "formateditor.h"

#include "commands/stationdocument.h"
#include "common/currency.h"
#include "model/formatmodel.h"
#include "model/printerdriver.h"
#include "printers/portresolver.h"
#include "sending/portlanguages.h"
#include "sending/portmap.h"
#include "station/stationprofile.h"
#include "station/stationwidgets.h"
#include "widgets/vbcolour.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormatEditor::FormatEditor(const StationProfile &profile, StationDocument *document,
                           QWidget *parent)
    : QGroupBox(parent), m_doc(document)
{
    setObjectName(QStringLiteral("BarFormFme"));
    m_formLayout = new QVBoxLayout(this);
    m_formLayout->setSpacing(4);
    buildTopRows(profile);
    auto *elements = new QHBoxLayout;
    auto *rows = new QVBoxLayout;
    rows->setSpacing(2);
    m_barGrid = new QGridLayout;
    m_txtGrid = new QGridLayout;
    rows->addLayout(m_barGrid);
    rows->addLayout(m_txtGrid);
    // Extra height (the extension panel beside is taller) goes below the rows, not between.
    rows->addStretch();
    elements->addLayout(rows);
    buildElementRows();
    m_sideLayout = new QVBoxLayout;
    buildSide(profile);
    elements->addSpacing(10);
    elements->addLayout(m_sideLayout);
    elements->addStretch();
    m_formLayout->addLayout(elements);

    // The screen follows the document: every change of the format on screen or of the port,
    // and the choice of another format.
    connect(m_doc->formats(), &FormatModel::changed, this,
            [this](FormatPart part, int format, int) {
                if (part == FormatPart::Port || part == FormatPart::Whole ||
                    format == m_doc->currentFormat())
                    showFormat();
                if (part == FormatPart::Port || part == FormatPart::Whole)
                    showPortTargets();
            });
    connect(m_doc, &StationDocument::currentFormatChanged, this, [this] {
        showChosenFormat();
        showFormat();
    });
    connect(m_doc, &StationDocument::stockChanged, this,
            [this](bool black) { (black ? GapBlack1Opt : GapBlack0Opt)->setChecked(true); });
    showChosenFormat();
    showFormat();
}

void FormatEditor::buildTopRows(const StationProfile &profile)
{
    // Set, formats, label size and direction, label stock; then port and speed.
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("작업번호"), this));
    BarSeltLbl = MakeValueLabel(QStringLiteral("BarSeltLbl"), this, 30);
    BarSeltLbl->setAlignment(Qt::AlignCenter);
    top->addWidget(BarSeltLbl);
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("포멧"), this));
    auto *formGroup = new QButtonGroup(this);
    for (int f = 1; f <= 5; ++f) {
        auto *o = new QRadioButton(QString::number(f), this);
        o->setObjectName(QStringLiteral("BarForm%1Opt").arg(f));
        formGroup->addButton(o);
        BarFormOpt[f] = o;
        top->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, f] { BarFormOpt_Click(f); });
    }
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("길이"), this));
    LblLengTxt = MakeNumberBox(QStringLiteral("LblLengTxt"), this);
    top->addWidget(LblLengTxt);
    top->addWidget(new QLabel(QStringLiteral("폭"), this));
    LblWidthTxt = MakeNumberBox(QStringLiteral("LblWidthTxt"), this);
    top->addWidget(LblWidthTxt);
    auto *unit = new QLabel(profile.unitHint, this);
    unit->setObjectName(QStringLiteral("LblUnitLbl"));
    top->addWidget(unit);
    top->addSpacing(14);
    auto *degGroup = new QButtonGroup(this);
    LblDegree0Opt = new QRadioButton(QStringLiteral("정상"), this);
    LblDegree0Opt->setObjectName(QStringLiteral("LblDegree0Opt"));
    LblDegree1Opt = new QRadioButton(QStringLiteral("역방향"), this);
    LblDegree1Opt->setObjectName(QStringLiteral("LblDegree1Opt"));
    degGroup->addButton(LblDegree0Opt);
    degGroup->addButton(LblDegree1Opt);
    top->addWidget(LblDegree0Opt);
    top->addWidget(LblDegree1Opt);
    for (int d : {0, 1}) {
        connect(d ? LblDegree1Opt : LblDegree0Opt, &QRadioButton::clicked, this, [this, d] {
            m_doc->editLabel(QStringLiteral("방향"),
                             [d](LabelFormat &f) { f.LblDegree = qint16(d); });
        });
    }
    top->addSpacing(14);
    top->addWidget(new QLabel(QStringLiteral("용지"), this));
    auto *stockGroup = new QButtonGroup(this);
    GapBlack0Opt = new QRadioButton(QStringLiteral("G"), this);
    GapBlack0Opt->setObjectName(QStringLiteral("GapBlack0Opt"));
    GapBlack1Opt = new QRadioButton(QStringLiteral("B"), this);
    GapBlack1Opt->setObjectName(QStringLiteral("GapBlack1Opt"));
    stockGroup->addButton(GapBlack0Opt);
    stockGroup->addButton(GapBlack1Opt);
    top->addWidget(GapBlack0Opt);
    top->addWidget(GapBlack1Opt);
    connect(GapBlack0Opt, &QRadioButton::clicked, this,
            [this] { m_doc->setBlackMarkStock(false); });
    connect(GapBlack1Opt, &QRadioButton::clicked, this, [this] { m_doc->setBlackMarkStock(true); });
    top->addStretch();
    m_formLayout->addLayout(top);

    auto *second = new QHBoxLayout;
    second->addWidget(new QLabel(QStringLiteral("포트"), this));
    auto *portGroup = new QButtonGroup(this);
    for (int i = 1; i <= 9; ++i) {
        const QString cap = i <= 2 ? QStringLiteral("Com%1").arg(i) : QStringLiteral("C%1").arg(i);
        auto *o = new QRadioButton(cap, this);
        o->setObjectName(QStringLiteral("BarComPortOpt%1").arg(i));
        portGroup->addButton(o);
        BarComPortOpt[i] = o;
        o->installEventFilter(this); // its tooltip names where the port sends
        second->addWidget(o);
        connect(o, &QRadioButton::clicked, this, [this, i] {
            m_doc->setPort(qint16(i), m_doc->formatSet().BarComSpeed);
            Q_EMIT portClicked();
        });
    }
    BarSysPrnOpt = new QRadioButton(QStringLiteral("시스템 프린터"), this);
    BarSysPrnOpt->setObjectName(QStringLiteral("BarSysPrnOpt"));
    BarSysPrnOpt->setToolTip(QStringLiteral("컴퓨터에 설치된 프린터로 인쇄합니다 (라벨 롤 또는 "
                                            "A4 라벨 시트)"));
    portGroup->addButton(BarSysPrnOpt);
    second->addWidget(BarSysPrnOpt);
    connect(BarSysPrnOpt, &QRadioButton::clicked, this, &FormatEditor::systemPrinterClicked);
    // The port's settings and its printer language beside the ports; the line speeds on a
    // row of their own, so that the editor fits a 1280 pixel screen beside the preview.
    second->addSpacing(14);
    PortSetCmd = new QPushButton(QStringLiteral("포트 설정"), this);
    PortSetCmd->setObjectName(QStringLiteral("PortSetCmd"));
    // As high as the port options: the row keeps its height.
    PortSetCmd->setFixedHeight(BarComPortOpt[1]->sizeHint().height());
    second->addWidget(PortSetCmd);
    second->addSpacing(14);
    BarComLangLbl = new QLabel(this);
    BarComLangLbl->setObjectName(QStringLiteral("BarComLangLbl"));
    // A long printer name never widens the station: the label takes the room that is left.
    BarComLangLbl->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    second->addWidget(BarComLangLbl, 1);
    m_formLayout->addLayout(second);

    auto *speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QStringLiteral("속도"), this));
    auto *speedGroup = new QButtonGroup(this);
    const QStringList speeds{QString(),
                             QStringLiteral("9600"),
                             QStringLiteral("14400"),
                             QStringLiteral("19200"),
                             QStringLiteral("38400"),
                             QStringLiteral("57600"),
                             QStringLiteral("115200")};
    for (int i = 1; i <= 6; ++i) {
        auto *o = new QRadioButton(speeds[i], this);
        o->setObjectName(QStringLiteral("BarComSpeedOpt%1").arg(i));
        speedGroup->addButton(o);
        BarComSpeedOpt[i] = o;
        speedRow->addWidget(o);
        connect(o, &QRadioButton::clicked, this,
                [this, i] { m_doc->setPort(m_doc->formatSet().BarComPort, qint16(i)); });
    }
    speedRow->addStretch();
    m_formLayout->addLayout(speedRow);
}

void FormatEditor::buildElementRows()
{
    // The barcodes, then the texts, one row each.
    QGridLayout *bars = m_barGrid;
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
            bars->addWidget(new QLabel(barHeads[c], this), 0, c);
    }
    for (int b = 1; b <= 3; ++b) {
        auto *cap = new QLabel(QStringLiteral("바코드#%1").arg(b), this);
        cap->setObjectName(QStringLiteral("BarCapLbl%1").arg(b));
        cap->setFixedWidth(64);
        BarCapLbl[b] = cap;
        bars->addWidget(cap, b, 0);
        BarSeltChk[b] = new QCheckBox(this);
        BarSeltChk[b]->setObjectName(QStringLiteral("BarSeltChk%1").arg(b));
        connect(BarSeltChk[b], &QCheckBox::clicked, this, [this, b](bool on) {
            m_doc->editBarcode(b, QStringLiteral("사용"),
                               [on](BarcodeElement &e) { e.BarSelt = on ? 1 : 0; });
        });
        BarYyTxt[b] = MakeNumberBox(QStringLiteral("BarYyTxt%1").arg(b), this);
        BarXxTxt[b] = MakeNumberBox(QStringLiteral("BarXxTxt%1").arg(b), this);
        BarCodeCmd[b] = MakeSmallButton(QStringLiteral("BarCodeCmd%1").arg(b), "?", this);
        BarCodeLbl[b] = MakeValueLabel(QStringLiteral("BarCodeLbl%1").arg(b), this, 66);
        BarDenLbl[b] = MakeValueLabel(QStringLiteral("BarDenLbl%1").arg(b), this, 26);
        BarDenLbl[b]->setAlignment(Qt::AlignCenter);
        BarHeightTxt[b] = MakeNumberBox(QStringLiteral("BarHeightTxt%1").arg(b), this);
        BarHmReadCmd[b] = MakeSmallButton(QStringLiteral("BarHmReadCmd%1").arg(b), "?", this);
        BarHmReadLbl[b] = MakeValueLabel(QStringLiteral("BarHmReadLbl%1").arg(b), this, 44);
        const QList<QWidget *> row{BarSeltChk[b],   BarYyTxt[b],     BarXxTxt[b],
                                   BarCodeCmd[b],   BarCodeLbl[b],   BarDenLbl[b],
                                   BarHeightTxt[b], BarHmReadCmd[b], BarHmReadLbl[b]};
        for (int c = 0; c < row.size(); ++c)
            bars->addWidget(row[c], b, c + 1);
    }
    bars->setColumnStretch(20, 1);

    QGridLayout *txts = m_txtGrid;
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
            txts->addWidget(new QLabel(txtHeads[c], this), 0, c, 1, c == 6 ? 3 : 1);
    }
    for (int t = 1; t <= 10; ++t) {
        auto *cap = new QLabel(QStringLiteral("텍스트#%1").arg(t, 2, 10, QLatin1Char('0')), this);
        cap->setObjectName(QStringLiteral("TxtCapLbl%1").arg(t));
        cap->setFixedWidth(64);
        TxtCapLbl[t] = cap;
        txts->addWidget(cap, t, 0);
        TxtSeltChk[t] = new QCheckBox(this);
        TxtSeltChk[t]->setObjectName(QStringLiteral("TxtSeltChk%1").arg(t));
        connect(TxtSeltChk[t], &QCheckBox::clicked, this, [this, t](bool on) {
            m_doc->editText(t, QStringLiteral("사용"),
                            [on](TextElement &e) { e.TxtSelt = on ? 1 : 0; });
        });
        TxtYyTxt[t] = MakeNumberBox(QStringLiteral("TxtYyTxt%1").arg(t), this);
        TxtXxTxt[t] = MakeNumberBox(QStringLiteral("TxtXxTxt%1").arg(t), this);
        TxtFontCmd[t] = MakeSmallButton(QStringLiteral("TxtFontCmd%1").arg(t), "?", this);
        TxtFontLbl[t] = MakeValueLabel(QStringLiteral("TxtFontLbl%1").arg(t), this, 66);
        TxtYxSizeCmd[t] = MakeSmallButton(QStringLiteral("TxtYxSizeCmd%1").arg(t), "?", this);
        TxtYSizeLbl[t] = MakeValueLabel(QStringLiteral("TxtYSizeLbl%1").arg(t), this, 22);
        TxtXSizeLbl[t] = MakeValueLabel(QStringLiteral("TxtXSizeLbl%1").arg(t), this, 22);
        TxtRvsCmd[t] = MakeSmallButton(QStringLiteral("TxtRvsCmd%1").arg(t), "?", this);
        TxtRvsLbl[t] = MakeValueLabel(QStringLiteral("TxtRvsLbl%1").arg(t), this, 44);
        for (QLabel *l : {TxtYSizeLbl[t], TxtXSizeLbl[t]})
            l->setAlignment(Qt::AlignCenter);
        const QList<QWidget *> row{TxtSeltChk[t], TxtYyTxt[t],     TxtXxTxt[t],    TxtFontCmd[t],
                                   TxtFontLbl[t], TxtYxSizeCmd[t], TxtYSizeLbl[t], TxtXSizeLbl[t],
                                   TxtRvsCmd[t],  TxtRvsLbl[t]};
        for (int c = 0; c < row.size(); ++c)
            txts->addWidget(row[c], t, c + 1);
    }
    txts->setColumnStretch(20, 1);
}

void FormatEditor::buildSide(const StationProfile &profile)
{
    // Hints and the extension panel.
    QVBoxLayout *side = m_sideLayout;
    for (const QString &h : {profile.positionHint, profile.heightHint, profile.sizeHint}) {
        auto *l = new QLabel(h, this);
        l->setWordWrap(true);
        l->setMaximumWidth(250);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
        l->setPalette(p);
        side->addWidget(l);
    }
    auto *exButtons = new QHBoxLayout;
    exButtons->addWidget(new QLabel(QStringLiteral("텍스트설정"), this));
    TxtExOnCmd = MakeSmallButton(QStringLiteral("TxtExOnCmd"), QStringLiteral("+"), this);
    TxtExOffCmd = MakeSmallButton(QStringLiteral("TxtExOffCmd"), QStringLiteral("-"), this);
    exButtons->addWidget(TxtExOnCmd);
    exButtons->addWidget(TxtExOffCmd);
    exButtons->addStretch();
    side->addLayout(exButtons);

    TxtExtFme = new QFrame(this);
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
        TxtSizeTxt[t] = MakeNumberBox(QStringLiteral("TxtSizeTxt%1").arg(t), TxtExtFme, 36);
        TxtStringTxt[t] = new QLineEdit(TxtExtFme);
        TxtStringTxt[t]->setObjectName(QStringLiteral("TxtStringTxt%1").arg(t));
        TxtStringTxt[t]->setFixedSize(200, 22);
        ext->addWidget(TxtSizeTxt[t], t, 1);
        ext->addWidget(TxtStringTxt[t], t, 2);
    }
    auto *rightHint = new QLabel(profile.rightHint, TxtExtFme);
    auto *fixedHint = new QLabel(profile.fixedHint, TxtExtFme);
    rightHint->setWordWrap(true);
    fixedHint->setWordWrap(true);
    ext->addWidget(rightHint, 11, 0, 1, 3);
    ext->addWidget(fixedHint, 12, 0, 1, 3);
    side->addWidget(TxtExtFme);
    side->addStretch();
    TxtExtFme->hide();
    connect(TxtExOnCmd, &QPushButton::clicked, TxtExtFme, &QWidget::show);
    connect(TxtExOffCmd, &QPushButton::clicked, TxtExtFme, &QWidget::hide);
}

void FormatEditor::BarFormOpt_Click(int f)
{
    if (f < 1 || f > 5)
        return;
    if (f == m_doc->currentFormat())
        showChosenFormat();
    m_doc->setCurrentFormat(f); // shows it
    Q_EMIT formatChosen();
}

void FormatEditor::showChosenFormat()
{
    const int f = m_doc->currentFormat();
    BarFormOpt[f]->setChecked(true);
    for (int i = 1; i <= 5; ++i) {
        QPalette p = BarFormOpt[i]->palette();
        p.setColor(QPalette::WindowText, VbColour(i == f ? 0x00000000u : 0x00808080u));
        BarFormOpt[i]->setPalette(p);
    }
}

void FormatEditor::showFormat()
{
    const FormatSet &set = m_doc->formatSet();
    const LabelFormat &f = set.Fmt[m_doc->currentFormat()];
    const PrinterDriver &driver = m_doc->driver();
    if (!m_systemPrinter.isEmpty())
        BarSysPrnOpt->setChecked(true);
    else if (set.BarComPort >= 1 && set.BarComPort <= 9)
        BarComPortOpt[set.BarComPort]->setChecked(true);
    else if (BarSysPrnOpt->isChecked()) {
        BarSysPrnOpt->group()->setExclusive(false);
        BarSysPrnOpt->setChecked(false);
        BarSysPrnOpt->group()->setExclusive(true);
    }
    if (set.BarComSpeed >= 1 && set.BarComSpeed <= 6)
        BarComSpeedOpt[set.BarComSpeed]->setChecked(true);
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
        BarCodeLbl[b]->setText(name(driver.symbologyNames(), e.BarCode));
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
        TxtFontLbl[t]->setText(name(driver.fontNames(), e.TxtFont));
        TxtYSizeLbl[t]->setText(BlankZeroText(e.TxtYSize));
        TxtXSizeLbl[t]->setText(BlankZeroText(e.TxtXSize));
        TxtRvsLbl[t]->setText(name(driver.reversalNames(), e.TxtRvs));
        TxtSizeTxt[t]->setText(BlankZeroText(e.TxtRight));
        TxtStringTxt[t]->setText(e.TxtString);
    }
}

void FormatEditor::showPortTargets()
{
    const PrinterDriver &station = m_doc->driver();
    PortMap map;
    map.load(PortMap::path());
    PortLanguages languages;
    const bool languagesRead = languages.load(PortLanguages::path());
    for (int i = 1; i <= PortMap::PortCount; ++i) {
        QString why;
        const PortTarget t = map.target(i, &why);
        const QString language = languagesRead ? PortResolver::caption(station, languages.entry(i))
                                               : QStringLiteral("알 수 없음");
        BarComPortOpt[i]->setToolTip(PortMap::portName(i) + QStringLiteral(" → ") +
                                     (t.isValid() ? t.text() : why) + QStringLiteral(", 언어: ") +
                                     language);
    }
    const int port = m_doc->formatSet().BarComPort;
    const PrinterLanguage *language = nullptr;
    int dpi = 0;
    if (!m_systemPrinter.isEmpty()) {
        // The station's own labels, drawn by the program for the system's printer.
        language = &station;
        dpi = station.resolutions().first();
        BarComLangLbl->setText(m_systemPrinter);
        BarComLangLbl->setToolTip(m_systemPrinterFull);
    } else if (port >= 1 && port <= PortMap::PortCount) {
        if (languagesRead)
            language = PortResolver::languageOf(station, languages.entry(port), &dpi);
        BarComLangLbl->setText(QStringLiteral("언어: ") +
                               (languagesRead
                                    ? PortResolver::caption(station, languages.entry(port))
                                    : QStringLiteral("알 수 없음")));
    } else {
        language = &station;
        dpi = station.resolutions().first();
        BarComLangLbl->clear();
    }
    if (language != m_language || dpi != m_dpi) {
        m_language = language;
        m_dpi = dpi;
        Q_EMIT portLanguageChanged(language, dpi);
    }
}

void FormatEditor::highlightElement(bool barcode, int index)
{
    auto mark = [](QLabel *caption, bool on) {
        caption->setAutoFillBackground(on);
        QPalette p = caption->palette();
        p.setColor(QPalette::Window, on ? QColor(0x10, 0x60, 0xE0) : QColor());
        p.setColor(QPalette::WindowText, on ? QColor(Qt::white) : QColor());
        caption->setPalette(on ? p : QPalette());
    };
    for (int b = 1; b <= 3; ++b)
        mark(BarCapLbl[b], barcode && b == index);
    for (int t = 1; t <= 10; ++t)
        mark(TxtCapLbl[t], !barcode && t == index);
}

bool FormatEditor::elementOf(const QWidget *widget, bool *barcode, int *index) const
{
    if (!widget)
        return false;
    for (int b = 1; b <= 3; ++b) {
        for (const QWidget *w :
             {static_cast<QWidget *>(BarSeltChk[b]), static_cast<QWidget *>(BarYyTxt[b]),
              static_cast<QWidget *>(BarXxTxt[b]), static_cast<QWidget *>(BarHeightTxt[b])}) {
            if (w == widget) {
                *barcode = true;
                *index = b;
                return true;
            }
        }
    }
    for (int t = 1; t <= 10; ++t) {
        for (const QWidget *w :
             {static_cast<QWidget *>(TxtSeltChk[t]), static_cast<QWidget *>(TxtYyTxt[t]),
              static_cast<QWidget *>(TxtXxTxt[t]), static_cast<QWidget *>(TxtSizeTxt[t]),
              static_cast<QWidget *>(TxtStringTxt[t])}) {
            if (w == widget) {
                *barcode = false;
                *index = t;
                return true;
            }
        }
    }
    return false;
}

void FormatEditor::setSystemPrinter(const QString &caption, const QString &fullCaption)
{
    m_systemPrinter = caption;
    m_systemPrinterFull = fullCaption.isEmpty() ? caption : fullCaption;
    BarComLangLbl->setToolTip(QString());
    showFormat();
    showPortTargets();
}

bool FormatEditor::eventFilter(QObject *watched, QEvent *event)
{
    // The port map may have changed meanwhile (another station, the menu).
    if (event->type() == QEvent::ToolTip && qobject_cast<QRadioButton *>(watched))
        showPortTargets();
    return QGroupBox::eventFilter(watched, event);
}
