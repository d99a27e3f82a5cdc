// SPDX-License-Identifier: GPL-3.0-or-later
#include "labelpreviewpane.h"

#include "commands/stationdocument.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "model/printerlanguage.h"
#include "printers/labeljobreader.h"
#include "render/labelpainter.h"
#include "render/painterraster.h"
#include "render/scancheck.h"
#include "station/labelpreviewcanvas.h"

#include <cmath>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QtConcurrent>
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

const QColor Problem(0xC0, 0x00, 0x00);
const QColor Fine(0x00, 0x70, 0x20);
const QColor Waiting(0x70, 0x70, 0x70);

// "EAN-13 8801234567893" for every barcode of the label.
QStringList barcodeNames(const LabelDescription &d)
{
    QStringList out;
    for (const LabelObject &o : d.objects) {
        if (o.isBarcode())
            out << LabelObject::symbologyName(o.symbology) + QLatin1Char(' ') + o.data;
    }
    return out;
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
    LabelDesignLbl = new QLabel(this);
    LabelDesignLbl->setObjectName(QStringLiteral("LabelDesignLbl"));
    LabelDesignLbl->setToolTip(QStringLiteral("라벨의 바코드나 텍스트를 눌러 고른 뒤 끌거나 "
                                              "화살표 키(Shift: 10칸)로 옮깁니다"));
    v->addWidget(LabelDesignLbl);

    LabelScanLst = new QListWidget(this);
    LabelScanLst->setObjectName(QStringLiteral("LabelScanLst"));
    LabelScanLst->setWordWrap(true);
    LabelScanLst->setFocusPolicy(Qt::NoFocus);
    LabelScanLst->setSelectionMode(QAbstractItemView::NoSelection);
    LabelScanLst->setToolTip(
        QStringLiteral("바코드마다 프린터 해상도(8도트/mm)로 그려 판독한 결과"));
    LabelScanLst->setMaximumHeight(LabelScanLst->fontMetrics().height() * 4 + 8);
    LabelScanLst->hide();
    v->addWidget(LabelScanLst);

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
    m_scanWatcher = new QFutureWatcher<QList<ScanResult>>(this);
    connect(m_scanWatcher, &QFutureWatcher<QList<ScanResult>>::finished, this,
            &LabelPreviewPane::scanCheckFinished);
    showJob(QString());
}

LabelPreviewPane::~LabelPreviewPane()
{
    // The worker draws with the program's fonts: let it end before they go.
    m_scanWatcher->waitForFinished();
}

void LabelPreviewPane::setRealSize(bool on)
{
    LabelPreviewCnv->setRealSize(on);
}

int LabelPreviewPane::goodsRow() const
{
    if (!m_cursor || !m_doc)
        return 0;
    const QModelIndex current = m_cursor->currentIndex();
    return current.isValid() && current.row() < m_doc->goods()->rows() ? current.row() + 1 : 0;
}

const LabelDescription &LabelPreviewPane::label() const
{
    return LabelPreviewCnv->label();
}

void LabelPreviewPane::follow(const StationDocument *document, QItemSelectionModel *cursor)
{
    m_doc = document;
    m_cursor = cursor;
    connect(document->formats(), &FormatModel::changed, this,
            [this](FormatPart part, int format, int) {
                // The port is not part of the label.
                if (part == FormatPart::Whole ||
                    (part != FormatPart::Port && format == m_doc->currentFormat()))
                    showStation();
            });
    connect(document, &StationDocument::currentFormatChanged, this, &LabelPreviewPane::showStation);
    connect(document, &StationDocument::stockChanged, this, &LabelPreviewPane::showStation);
    connect(cursor, &QItemSelectionModel::currentChanged, this, &LabelPreviewPane::showStation);
    const GoodsTable *goods = document->goods();
    connect(goods, &GoodsTable::modelReset, this, &LabelPreviewPane::showStation);
    connect(goods, &GoodsTable::layoutChanged, this, &LabelPreviewPane::showStation);
    connect(goods, &GoodsTable::rowsInserted, this, &LabelPreviewPane::showStation);
    connect(goods, &GoodsTable::rowsRemoved, this, &LabelPreviewPane::showStation);
    connect(goods, &GoodsTable::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                const bool markOnly = topLeft.column() + 1 == GoodsTable::MarkColumn &&
                                      bottomRight.column() + 1 == GoodsTable::MarkColumn;
                if (!markOnly)
                    goodsChanged(topLeft.row() + 1, bottomRight.row() + 1);
            });
    showStation();
}

void LabelPreviewPane::goodsChanged(int firstRow, int lastRow)
{
    // Only the row under the cursor is drawn (its mark is not part of the label).
    const QModelIndex current = m_cursor->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 0;
    if (row >= firstRow && row <= lastRow)
        showStation();
}

void LabelPreviewPane::showStation()
{
    const int row = goodsRow();
    // Without a goods row the format's fixed texts still print; the job of format 1..5 never
    // is empty (it sets up the page).
    QString job = m_doc->labelJob(m_doc->currentFormat(), row, 1);
    if (m_language && !m_language->station() && !job.isEmpty()) {
        // The port's language, drawn from the station's job as its printer reads it.
        job = m_language->describedLabelJob(LabelJobReader::read(job), PainterRaster::instance(),
                                            m_dpi, 1, m_doc->blackMarkStock());
    }
    showJob(job);
}

void LabelPreviewPane::setPortLanguage(const PrinterLanguage *language, int dpi)
{
    if (language == m_language && dpi == m_dpi)
        return;
    m_language = language;
    m_dpi = dpi;
    if (m_doc)
        showStation();
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
        item->setForeground(Problem);
        item->setToolTip(p);
    }
    showProblemCount();
    if (jobText != m_checkedText) {
        // While the new check runs the list keeps the last results when it names the same
        // barcodes: no flicker with every key typed.
        if (barcodeNames(d) != m_listedBarcodes)
            showScanResults();
        startScanCheck();
    }
    Q_EMIT labelShown();
}

QList<ScanResult> LabelPreviewPane::scanResults() const
{
    return m_checkedText == m_jobText ? m_scanResults : QList<ScanResult>();
}

bool LabelPreviewPane::scanCheckRunning() const
{
    return m_scanWatcher->isRunning();
}

void LabelPreviewPane::startScanCheck()
{
    // One check at a time; when it ends, the newest label is checked if it has changed.
    if (m_scanWatcher->isRunning())
        return;
    m_runningText = m_jobText;
    const LabelDescription d = label();
    m_scanWatcher->setFuture(QtConcurrent::run([d] { return ScanCheck::run(d); }));
}

void LabelPreviewPane::scanCheckFinished()
{
    if (m_runningText != m_jobText) {
        startScanCheck();
        return;
    }
    m_scanResults = m_scanWatcher->result();
    m_checkedText = m_runningText;
    showScanResults();
    // The barcodes that do not scan outlined in the picture.
    const QList<LabelPainter::Placement> places = LabelPainter::placements(label());
    QList<QRectF> flagged;
    for (const ScanResult &r : std::as_const(m_scanResults)) {
        if (r.fails() && r.object >= 0 && r.object < places.size())
            flagged << places[r.object].bounds.adjusted(-3, -3, 3, 3);
    }
    LabelPreviewCnv->setFlagged(flagged);
    Q_EMIT scanChecked();
}

void LabelPreviewPane::showScanResults()
{
    LabelScanLst->clear();
    m_listedBarcodes = barcodeNames(label());
    const bool checked = m_checkedText == m_jobText && !m_jobText.isEmpty();
    for (int r = 0; r < m_listedBarcodes.size(); ++r) {
        const ScanResult *result =
            checked && r < m_scanResults.size() ? &m_scanResults[r] : nullptr;
        const QString &name = m_listedBarcodes[r];
        auto *item = new QListWidgetItem(LabelScanLst);
        if (!result) {
            item->setText(name + QStringLiteral(": 스캔 확인 중…"));
            item->setForeground(Waiting);
            continue;
        }
        item->setText(name + QStringLiteral(": ") + result->korean());
        item->setForeground(result->scans() ? Fine : result->fails() ? Problem : Waiting);
        item->setToolTip(item->text());
    }
    LabelScanLst->setVisible(LabelScanLst->count() > 0);
    showProblemCount();
}

void LabelPreviewPane::showProblemCount()
{
    // The barcodes that do not scan count as much as the drawing's findings: no "문제 없음"
    // under a failed scan check.
    int failed = 0;
    bool pending = false;
    const bool checked = m_checkedText == m_jobText && !m_jobText.isEmpty();
    for (int r = 0; r < m_listedBarcodes.size(); ++r) {
        if (!checked || r >= m_scanResults.size())
            pending = true;
        else if (m_scanResults[r].fails())
            ++failed;
    }
    const int n = int(LabelProblemsLst->count()) + failed;
    LabelProblemsLbl->setText(n > 0     ? QStringLiteral("확인할 점 %1건").arg(n)
                              : pending ? QStringLiteral("스캔 확인 중…")
                                        : QStringLiteral("문제 없음"));
}

QStringList LabelPreviewPane::problems() const
{
    QStringList out;
    for (int i = 0; i < LabelProblemsLst->count(); ++i)
        out << LabelProblemsLst->item(i)->toolTip();
    return out;
}
