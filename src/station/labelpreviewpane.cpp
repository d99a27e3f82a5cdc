#include "labelpreviewpane.h"

#include "printers/labeljobreader.h"
#include "station/labelpainter.h"
#include "station/labelpreviewcanvas.h"

#include <cmath>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// "12행: " of a problem names a line of the job text, which the operator never sees; the
// rest names the object by its data.
QString withoutLine(const QString &problem)
{
    static const QRegularExpression line(QStringLiteral("^\\d+행: "));
    QString p = problem;
    p.remove(line);
    return p;
}

QString millimetres(double mm)
{
    return QString::number(mm, 'f', mm == std::floor(mm) ? 0 : 1);
}

} // namespace

LabelPreviewPane::LabelPreviewPane(QWidget *parent)
    : QGroupBox(QStringLiteral("라벨 미리보기"), parent)
{
    setObjectName(QStringLiteral("LabelPreviewFme"));
    auto *v = new QVBoxLayout(this);
    v->setSpacing(4);

    auto *zoom = new QHBoxLayout;
    LabelPreviewZoomFitOpt = new QRadioButton(QStringLiteral("화면맞춤"), this);
    LabelPreviewZoomFitOpt->setObjectName(QStringLiteral("LabelPreviewZoomFitOpt"));
    LabelPreviewRealOpt = new QRadioButton(QStringLiteral("실제크기"), this);
    LabelPreviewRealOpt->setObjectName(QStringLiteral("LabelPreviewRealOpt"));
    LabelPreviewRealOpt->setToolTip(QStringLiteral("1:1 (화면의 mm = 라벨의 mm)"));
    auto *group = new QButtonGroup(this);
    group->addButton(LabelPreviewZoomFitOpt);
    group->addButton(LabelPreviewRealOpt);
    LabelPreviewZoomFitOpt->setChecked(true);
    LabelPreviewSizeLbl = new QLabel(this);
    LabelPreviewSizeLbl->setObjectName(QStringLiteral("LabelPreviewSizeLbl"));
    zoom->addWidget(LabelPreviewZoomFitOpt);
    zoom->addWidget(LabelPreviewRealOpt);
    zoom->addStretch();
    zoom->addWidget(LabelPreviewSizeLbl);
    v->addLayout(zoom);

    LabelPreviewScr = new QScrollArea(this);
    LabelPreviewScr->setObjectName(QStringLiteral("LabelPreviewScr"));
    LabelPreviewScr->setWidgetResizable(true);
    LabelPreviewScr->setFrameShape(QFrame::StyledPanel);
    LabelPreviewCnv = new LabelPreviewCanvas;
    LabelPreviewCnv->setObjectName(QStringLiteral("LabelPreviewCnv"));
    LabelPreviewScr->setWidget(LabelPreviewCnv);
    v->addWidget(LabelPreviewScr, 1);

    LabelProblemsLbl = new QLabel(this);
    LabelProblemsLbl->setObjectName(QStringLiteral("LabelProblemsLbl"));
    v->addWidget(LabelProblemsLbl);
    LabelProblemsLst = new QListWidget(this);
    LabelProblemsLst->setObjectName(QStringLiteral("LabelProblemsLst"));
    LabelProblemsLst->setWordWrap(true);
    LabelProblemsLst->setFocusPolicy(Qt::NoFocus);
    LabelProblemsLst->setMaximumHeight(110);
    LabelProblemsLst->setSelectionMode(QAbstractItemView::NoSelection);
    v->addWidget(LabelProblemsLst);

    connect(LabelPreviewZoomFitOpt, &QRadioButton::toggled, this,
            [this](bool on) { setRealSize(!on); });
    showJob(QString());
}

void LabelPreviewPane::setRealSize(bool on)
{
    LabelPreviewCnv->setRealSize(on);
}

const LabelDescription &LabelPreviewPane::label() const
{
    return LabelPreviewCnv->label();
}

void LabelPreviewPane::showJob(const QString &jobText)
{
    m_jobText = jobText;
    LabelDescription d = LabelJobReader::read(jobText);
    if (jobText.isEmpty()) {
        // No job (no format chosen yet): an empty page without complaints.
        d = LabelDescription();
    }
    LabelPreviewCnv->setLabel(d);
    LabelPreviewSizeLbl->setText(
        QStringLiteral("%1 x %2 mm").arg(millimetres(d.widthMm()), millimetres(d.lengthMm())));
    LabelProblemsLst->clear();
    const QStringList list = jobText.isEmpty() ? QStringList() : LabelPainter::problems(d);
    for (const QString &p : list) {
        auto *item = new QListWidgetItem(withoutLine(p), LabelProblemsLst);
        item->setForeground(QColor(0xC0, 0x00, 0x00));
        item->setToolTip(p);
    }
    LabelProblemsLbl->setText(list.isEmpty() ? QStringLiteral("문제 없음")
                                             : QStringLiteral("확인할 점 %1건").arg(list.size()));
}

QStringList LabelPreviewPane::problems() const
{
    QStringList out;
    for (int i = 0; i < LabelProblemsLst->count(); ++i)
        out << LabelProblemsLst->item(i)->toolTip();
    return out;
}
