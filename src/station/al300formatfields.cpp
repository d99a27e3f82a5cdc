// SPDX-License-Identifier: GPL-3.0-or-later
#include "al300formatfields.h"

#include "common/currency.h"
#include "model/formatmodel.h"
#include "commands/stationdocument.h"
#include "station/formateditor.h"
#include "station/formatfieldtable.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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

Al300FormatFields::Al300FormatFields(FormatEditor *editor, FormatFieldTable *fields,
                                     StationDocument *document)
    : QObject(editor), m_editor(editor), m_doc(document)
{
    buildLabelSettings();
    buildElementExtras(fields);
    connect(m_doc->formats(), &FormatModel::changed, this, [this](FormatPart part, int format) {
        if (part == FormatPart::Whole || format == m_doc->currentFormat())
            show();
    });
    connect(m_doc, &StationDocument::currentFormatChanged, this, &Al300FormatFields::show);
    show();
}

void Al300FormatFields::buildLabelSettings()
{
    // Stop mode, sensor, cut and overlay of the current format: two rows under the port.
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    auto addGroup = [this](QHBoxLayout *row, const QString &title, const QString &prefix,
                           const QStringList &captions, auto &array, qint16 LabelFormat::*field) {
        row->addWidget(new QLabel(title, m_editor));
        auto *group = new QButtonGroup(this);
        for (int i = 0; i < captions.size(); ++i) {
            auto *o = new QRadioButton(captions[i], m_editor);
            o->setObjectName(prefix.arg(i));
            group->addButton(o);
            array[i] = o;
            row->addWidget(o);
            connect(o, &QRadioButton::clicked, this, [this, i, title, field] {
                m_doc->editLabel(title, [i, field](LabelFormat &f) { f.*field = qint16(i); });
            });
        }
        row->addSpacing(16);
    };
    addGroup(first, QStringLiteral("정지"), QStringLiteral("BarMode%1Opt"),
             {QStringLiteral("인쇄후헤드법선에정지"), QStringLiteral("절단선에정지"),
              QStringLiteral("Peeler사용")},
             BarModeOpt, &LabelFormat::LblMode);
    addGroup(
        first, QStringLiteral("센서"), QStringLiteral("BarSensor%1Opt"),
        {QStringLiteral("투과형"), QStringLiteral("반사형(BlackMark)"), QStringLiteral("연속용지")},
        BarSensorOpt, &LabelFormat::LblSensor);
    addGroup(second, QStringLiteral("절단"), QStringLiteral("BarCut%1Opt"),
             {QStringLiteral("절단안함"), QStringLiteral("용지절단")}, BarCutOpt,
             &LabelFormat::LblCut);
    addGroup(second, QStringLiteral("겹침"), QStringLiteral("BarOver%1Opt"),
             {QStringLiteral("나중인쇄문자를덥어서인쇄"), QStringLiteral("인쇄겹침(투명)")},
             BarOverOpt, &LabelFormat::LblOver);
    first->addStretch();
    second->addStretch();
    m_editor->formLayout()->insertLayout(2, first);
    m_editor->formLayout()->insertLayout(3, second);
}

void Al300FormatFields::buildElementExtras(FormatFieldTable *fields)
{
    QGridLayout *bars = m_editor->barcodeGrid();
    bars->addWidget(new QLabel(QStringLiteral("길이"), m_editor), 0, 10);
    bars->addWidget(new QLabel(QStringLiteral("고정문자"), m_editor), 0, 11);
    auto *inputHead = new QLabel(QStringLiteral("입력 (X 0 A 가)"), m_editor);
    inputHead->setObjectName(QStringLiteral("InpSeltFme"));
    bars->addWidget(inputHead, 0, 12, 1, 4);
    for (int b = 1; b <= 3; ++b) {
        BarSizeTxt[b] = new QLineEdit(m_editor);
        BarSizeTxt[b]->setObjectName(QStringLiteral("BarSizeTxt%1").arg(b));
        BarSizeTxt[b]->setFixedSize(36, 22);
        BarSizeTxt[b]->setAlignment(Qt::AlignRight);
        BarSizeTxt[b]->setReadOnly(true); // kept in the file; nothing stores what is typed
        BarStringTxt[b] = new QLineEdit(m_editor);
        BarStringTxt[b]->setObjectName(QStringLiteral("BarStringTxt%1").arg(b));
        BarStringTxt[b]->setFixedSize(100, 22);
        fields->addTextBox(BarStringTxt[b], [this, b](const QString &v) {
            m_doc->editBarcode(b, QStringLiteral("고정문자"),
                               [v](BarcodeElement &e) { e.BarString = v; });
        });
        bars->addWidget(BarSizeTxt[b], b, 10);
        bars->addWidget(BarStringTxt[b], b, 11);
        auto *group = new QButtonGroup(this);
        for (int c = 0; c < 4; ++c) {
            auto *o = new QRadioButton(InputClasses[c], m_editor);
            o->setObjectName(QStringLiteral("BarEdit%1Opt%2").arg(c).arg(b));
            group->addButton(o);
            BarEditOpt[b][c] = o;
            bars->addWidget(o, b, 12 + c);
            connect(o, &QRadioButton::clicked, this, [this, b, c] {
                m_doc->editBarcode(b, QStringLiteral("입력"),
                                   [c](BarcodeElement &e) { e.BarEdit = qint16(c); });
            });
        }
    }
    QGridLayout *texts = m_editor->textGrid();
    texts->addWidget(new QLabel(QStringLiteral("입력 (X 0 A 가)"), m_editor), 0, 11, 1, 4);
    for (int t = 1; t <= 10; ++t) {
        auto *group = new QButtonGroup(this);
        for (int c = 0; c < 4; ++c) {
            auto *o = new QRadioButton(InputClasses[c], m_editor);
            o->setObjectName(QStringLiteral("TxtEdit%1Opt%2").arg(c).arg(t));
            group->addButton(o);
            TxtEditOpt[t][c] = o;
            texts->addWidget(o, t, 11 + c);
            connect(o, &QRadioButton::clicked, this, [this, t, c] {
                m_doc->editText(t, QStringLiteral("입력"),
                                [c](TextElement &e) { e.TxtEdit = qint16(c); });
            });
        }
    }
    QVBoxLayout *side = m_editor->sideLayout();
    side->insertWidget(
        3, hint(QStringLiteral("* [고정] : 모든 바코드에 인쇄 될 고정바코드 번호-온라인전용"),
                m_editor));
    side->insertWidget(
        4,
        hint(QStringLiteral("* [입력] : 단독모드시 입력가능여부 설정 & 입력문자선택"), m_editor));
}

void Al300FormatFields::show()
{
    const LabelFormat &f = m_doc->formatSet().Fmt[m_doc->currentFormat()];
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
