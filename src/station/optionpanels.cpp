// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionpanels.h"

#include "model/formatmodel.h"
#include "model/printerdriver.h"
#include "commands/stationdocument.h"
#include "station/formateditor.h"
#include "station/stationwidgets.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A row of options `prefix`.arg(i) with captions[i] for i from `from`, five to a line.
template <typename Array>
void optionRow(QFrame *panel, QGridLayout *g, const QString &prefix, const QStringList &captions,
               int from, Array &array)
{
    for (int i = from; i < captions.size(); ++i) {
        auto *o = new QRadioButton(captions[i], panel);
        o->setObjectName(prefix.arg(i));
        array[i] = o;
        g->addWidget(o, (i - from) / 5, (i - from) % 5);
    }
}

template <typename Array> QList<QRadioButton *> options(const Array &array, int from, int count)
{
    return QList<QRadioButton *>(array.begin() + from, array.begin() + from + count);
}

QVBoxLayout *box(QFrame *panel)
{
    return static_cast<QVBoxLayout *>(panel->layout());
}

} // namespace

OptionPanels::OptionPanels(FormatEditor *editor, StationDocument *document, QWidget *window)
    : QObject(window), m_editor(editor), m_doc(document), m_window(window)
{
    buildBarcodePanels();
    buildTextPanels();
    for (int b = 1; b <= 3; ++b) {
        connect(editor->BarCodeCmd[b], &QPushButton::clicked, this,
                [this, b] { open(BarCodeFme, m_editor->BarCodeCmd[1], b); });
        connect(editor->BarHmReadCmd[b], &QPushButton::clicked, this,
                [this, b] { open(BarHmReadFme, m_editor->BarHmReadCmd[1], b); });
    }
    for (int t = 1; t <= 10; ++t) {
        connect(editor->TxtFontCmd[t], &QPushButton::clicked, this,
                [this, t] { open(TxtFontFme, m_editor->TxtFontCmd[1], t); });
        connect(editor->TxtYxSizeCmd[t], &QPushButton::clicked, this,
                [this, t] { open(TxtYxSizeFme, m_editor->TxtYxSizeCmd[1], t); });
        connect(editor->TxtRvsCmd[t], &QPushButton::clicked, this,
                [this, t] { open(TxtRvsFme, m_editor->TxtRvsCmd[1], t); });
    }
}

OptionPanels::~OptionPanels() = default;

void OptionPanels::setBarcodeTypeChoice(std::unique_ptr<BarcodeTypeChoice> choice)
{
    m_choice = std::move(choice);
}

std::array<QPushButton *, 2> OptionPanels::addButtons(QFrame *panel, const QString &enter,
                                                      const QString &exit, const QString &clear)
{
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
    box(panel)->addLayout(row);
    connect(x, &QPushButton::clicked, panel, &QWidget::hide);
    return {e, c};
}

void OptionPanels::buildBarcodePanels()
{
    const PrinterDriver &driver = m_doc->driver();
    // Barcode type with narrow and wide bar widths.
    BarCodeFme =
        MakeOptionPanel(QStringLiteral("BarCodeFme"), QStringLiteral("바코드선택"), m_window);
    auto *g = new QGridLayout;
    auto *typeBox = new QWidget(BarCodeFme);
    auto *tg = new QGridLayout(typeBox);
    tg->setContentsMargins(0, 0, 0, 0);
    optionRow(BarCodeFme, tg, QStringLiteral("BarCode%1Opt"), driver.symbologyNames(), 1,
              BarCodeOpt);
    g->addWidget(typeBox, 0, 0);
    auto *nw = new QWidget(BarCodeFme);
    nw->setObjectName(QStringLiteral("BarDenBox"));
    auto *ng = new QGridLayout(nw);
    ng->setContentsMargins(0, 0, 0, 0);
    ng->addWidget(new QLabel(QStringLiteral("Narrow"), nw), 0, 0);
    ng->addWidget(new QLabel(QStringLiteral("Wide"), nw), 1, 0);
    // The two rows are separate choices.
    auto *narrowGroup = new QButtonGroup(nw);
    auto *wideGroup = new QButtonGroup(nw);
    for (int i = 1; i <= 9; ++i) {
        BarNarrowOpt[i] = new QRadioButton(QString::number(i), nw);
        BarNarrowOpt[i]->setObjectName(QStringLiteral("BarNarrow%1Opt").arg(i));
        BarWideOpt[i] = new QRadioButton(QString::number(i), nw);
        BarWideOpt[i]->setObjectName(QStringLiteral("BarWide%1Opt").arg(i));
        narrowGroup->addButton(BarNarrowOpt[i]);
        wideGroup->addButton(BarWideOpt[i]);
        ng->addWidget(BarNarrowOpt[i], 0, i);
        ng->addWidget(BarWideOpt[i], 1, i);
    }
    g->addWidget(nw, 1, 0);
    box(BarCodeFme)->addLayout(g);
    auto b = addButtons(BarCodeFme, QStringLiteral("BarCodeEnterCmd"),
                        QStringLiteral("BarCodeExitCmd"), QStringLiteral("BarCancelCmd"));
    connect(b[0], &QPushButton::clicked, this, [this] {
        BarcodeTypeChoice *choice = m_choice ? m_choice.get() : this;
        m_doc->editBarcode(m_element[0], QStringLiteral("종류"),
                           [choice](BarcodeElement &e) { choice->store(e); });
        done(BarCodeFme);
    });
    connect(b[1], &QPushButton::clicked, this, [this] {
        m_doc->editBarcode(m_element[0], QStringLiteral("종류"), [](BarcodeElement &e) {
            e.BarCode = 0;
            e.BarDen = 0;
        });
        done(BarCodeFme);
    });

    // Human-readable digits.
    BarHmReadFme =
        MakeOptionPanel(QStringLiteral("BarHmReadFme"), QStringLiteral("바코드번호"), m_window);
    g = new QGridLayout;
    optionRow(BarHmReadFme, g, QStringLiteral("BarHmRead%1Opt"),
              {QStringLiteral("없음"), QStringLiteral("상단"), QStringLiteral("하단")}, 0,
              m_digitsOpt);
    box(BarHmReadFme)->addLayout(g);
    b = addButtons(BarHmReadFme, QStringLiteral("BarHmReadEnterCmd"),
                   QStringLiteral("BarHmReadExitCmd"), QStringLiteral("BnoCancelCmd"));
    connect(b[0], &QPushButton::clicked, this, [this] {
        const int i = CheckedOption(options(m_digitsOpt, 0, 3));
        if (i >= 0) // no option checked keeps the stored value
            m_doc->editBarcode(m_element[1], QStringLiteral("번호"),
                               [i](BarcodeElement &e) { e.BarHmRead = qint16(i); });
        done(BarHmReadFme);
    });
    connect(b[1], &QPushButton::clicked, this, [this] {
        m_doc->editBarcode(m_element[1], QStringLiteral("번호"),
                           [](BarcodeElement &e) { e.BarHmRead = 0; });
        done(BarHmReadFme);
    });
}

void OptionPanels::buildTextPanels()
{
    const PrinterDriver &driver = m_doc->driver();
    // Text font.
    TxtFontFme =
        MakeOptionPanel(QStringLiteral("TxtFontFme"), QStringLiteral("텍스트폰트"), m_window);
    auto *g = new QGridLayout;
    optionRow(TxtFontFme, g, QStringLiteral("TxtFont%1Opt"), driver.fontCaptions(), 1, m_fontOpt);
    box(TxtFontFme)->addLayout(g);
    auto b = addButtons(TxtFontFme, QStringLiteral("TxtFontEnterCmd"),
                        QStringLiteral("TxtFontExitCmd"), QStringLiteral("FntCancelCmd"));
    connect(b[0], &QPushButton::clicked, this, [this] {
        const int font = CheckedOption(options(m_fontOpt, 1, 6)) + 1;
        m_doc->editText(m_element[2], QStringLiteral("폰트"),
                        [font](TextElement &e) { e.TxtFont = qint16(font); });
        done(TxtFontFme);
    });
    connect(b[1], &QPushButton::clicked, this, [this] {
        m_doc->editText(m_element[2], QStringLiteral("폰트"),
                        [](TextElement &e) { e.TxtFont = 0; });
        done(TxtFontFme);
    });

    // Text magnification.
    TxtYxSizeFme =
        MakeOptionPanel(QStringLiteral("TxtYxSizeFme"), QStringLiteral("텍스트크기"), m_window);
    g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Y"), TxtYxSizeFme), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("X"), TxtYxSizeFme), 1, 0);
    auto *yGroup = new QButtonGroup(TxtYxSizeFme);
    auto *xGroup = new QButtonGroup(TxtYxSizeFme);
    for (int i = 1; i <= driver.maxMagnification(); ++i) {
        m_ySizeOpt[i] = new QRadioButton(QString::number(i), TxtYxSizeFme);
        m_ySizeOpt[i]->setObjectName(QStringLiteral("TxtYSize%1Opt").arg(i));
        m_xSizeOpt[i] = new QRadioButton(QString::number(i), TxtYxSizeFme);
        m_xSizeOpt[i]->setObjectName(QStringLiteral("TxtXSize%1Opt").arg(i));
        yGroup->addButton(m_ySizeOpt[i]);
        xGroup->addButton(m_xSizeOpt[i]);
        g->addWidget(m_ySizeOpt[i], 0, i);
        g->addWidget(m_xSizeOpt[i], 1, i);
    }
    box(TxtYxSizeFme)->addLayout(g);
    b = addButtons(TxtYxSizeFme, QStringLiteral("TxtYxSizeEnterCmd"),
                   QStringLiteral("TxtYxSizeExitCmd"), QStringLiteral("TszCancelCmd"));
    connect(b[0], &QPushButton::clicked, this, [this] {
        const int n = m_doc->driver().maxMagnification();
        const int y = CheckedOption(options(m_ySizeOpt, 1, n)) + 1;
        const int x = CheckedOption(options(m_xSizeOpt, 1, n)) + 1;
        m_doc->editText(m_element[3], QStringLiteral("크기"), [y, x](TextElement &e) {
            e.TxtYSize = qint16(y);
            e.TxtXSize = qint16(x);
        });
        done(TxtYxSizeFme);
    });
    connect(b[1], &QPushButton::clicked, this, [this] {
        m_doc->editText(m_element[3], QStringLiteral("크기"), [](TextElement &e) {
            e.TxtYSize = 0;
            e.TxtXSize = 0;
        });
        done(TxtYxSizeFme);
    });

    // Text reversal.
    TxtRvsFme =
        MakeOptionPanel(QStringLiteral("TxtRvsFme"), QStringLiteral("텍스트음각"), m_window);
    g = new QGridLayout;
    optionRow(TxtRvsFme, g, QStringLiteral("TxtRvs%1Opt"), driver.reversalCaptions(), 0,
              m_reversalOpt);
    box(TxtRvsFme)->addLayout(g);
    b = addButtons(TxtRvsFme, QStringLiteral("TxtRvsEnterCmd"), QStringLiteral("TxtRvsExitCmd"),
                   QStringLiteral("TumCancelCmd"));
    connect(b[0], &QPushButton::clicked, this, [this] {
        const int count = int(m_doc->driver().reversalCaptions().size());
        const int i = CheckedOption(options(m_reversalOpt, 0, count));
        if (i >= 0)
            m_doc->editText(m_element[4], QStringLiteral("음각"),
                            [i](TextElement &e) { e.TxtRvs = qint16(i); });
        done(TxtRvsFme);
    });
    connect(b[1], &QPushButton::clicked, this, [this] {
        m_doc->editText(m_element[4], QStringLiteral("음각"), [](TextElement &e) { e.TxtRvs = 0; });
        done(TxtRvsFme);
    });
}

void OptionPanels::done(QFrame *panel)
{
    panel->hide();
    Q_EMIT stored();
}

void OptionPanels::open(QFrame *panel, QWidget *firstButton, int element)
{
    if (panel->isVisible()) {
        panel->hide();
        return;
    }
    // Top: the format frame's top plus the top of the first button of the same kind; left: a
    // fixed column beside the element rows, shared by all panels.
    const QPoint frame = m_editor->mapTo(m_window, QPoint(0, 0));
    const QLabel *column = m_editor->TxtRvsLbl[1];
    const int top = frame.y() + firstButton->mapTo(m_editor, QPoint(0, 0)).y();
    const int left = frame.x() + column->mapTo(m_editor, QPoint(0, 0)).x() + column->width() + 12;
    panel->adjustSize();
    panel->move(left, top);
    const QList<QFrame *> panels{BarCodeFme, BarHmReadFme, TxtFontFme, TxtYxSizeFme, TxtRvsFme};
    m_element[panels.indexOf(panel)] = element;
    showOptions(panel);
    panel->show();
    panel->raise();
}

void OptionPanels::showOptions(QFrame *panel)
{
    const LabelFormat &f = m_doc->formatSet().Fmt[m_doc->currentFormat()];
    const PrinterDriver &driver = m_doc->driver();
    if (panel == BarCodeFme) {
        (m_choice ? m_choice.get() : static_cast<BarcodeTypeChoice *>(this))
            ->show(f.Bar[m_element[0]]);
    } else if (panel == BarHmReadFme) {
        const int v = f.Bar[m_element[1]].BarHmRead;
        UncheckOptions(options(m_digitsOpt, 0, 3));
        if (v >= 0 && v <= 2)
            m_digitsOpt[v]->setChecked(true);
    } else if (panel == TxtFontFme) {
        const int v = f.Txt[m_element[2]].TxtFont;
        UncheckOptions(options(m_fontOpt, 0, int(m_fontOpt.size())));
        if (v >= 1 && v < driver.fontCaptions().size())
            m_fontOpt[v]->setChecked(true);
    } else if (panel == TxtYxSizeFme) {
        const TextElement &e = f.Txt[m_element[3]];
        UncheckOptions(options(m_ySizeOpt, 0, int(m_ySizeOpt.size())));
        UncheckOptions(options(m_xSizeOpt, 0, int(m_xSizeOpt.size())));
        if (e.TxtYSize >= 1 && e.TxtYSize <= driver.maxMagnification())
            m_ySizeOpt[e.TxtYSize]->setChecked(true);
        if (e.TxtXSize >= 1 && e.TxtXSize <= driver.maxMagnification())
            m_xSizeOpt[e.TxtXSize]->setChecked(true);
    } else if (panel == TxtRvsFme) {
        const int v = f.Txt[m_element[4]].TxtRvs;
        UncheckOptions(options(m_reversalOpt, 0, int(m_reversalOpt.size())));
        if (v >= 0 && v < driver.reversalCaptions().size())
            m_reversalOpt[v]->setChecked(true);
    }
}

void OptionPanels::show(const BarcodeElement &e)
{
    UncheckOptions(options(BarCodeOpt, 0, int(BarCodeOpt.size())));
    UncheckOptions(options(BarNarrowOpt, 0, int(BarNarrowOpt.size())));
    UncheckOptions(options(BarWideOpt, 0, int(BarWideOpt.size())));
    if (e.BarCode >= 1 && e.BarCode < m_doc->driver().symbologyNames().size() &&
        BarCodeOpt[e.BarCode])
        BarCodeOpt[e.BarCode]->setChecked(true);
    const int narrow = (e.BarDen / 10) % 10;
    const int wide = e.BarDen % 10;
    if (narrow >= 1)
        BarNarrowOpt[narrow]->setChecked(true);
    if (wide >= 1)
        BarWideOpt[wide]->setChecked(true);
}

void OptionPanels::store(BarcodeElement &e)
{
    const int n = int(m_doc->driver().symbologyNames().size());
    e.BarCode = qint16(CheckedOption(options(BarCodeOpt, 1, n - 1)) + 1);
    e.BarDen = qint16((CheckedOption(options(BarNarrowOpt, 1, 9)) + 1) * 10 +
                      (CheckedOption(options(BarWideOpt, 1, 9)) + 1));
}
