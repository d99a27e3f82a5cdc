// SPDX-License-Identifier: GPL-3.0-or-later
#include "goodsimportfrm.h"

#include "widgets/dialogs.h"
#include "common/programstate.h"
#include "model/goodsimportfile.h"
#include "model/goodstable.h"
#include "printers/printers.h"
#include "render/goodscheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using M = GoodsImportMapping;

const char Delimiters[] = {0, ',', ';', '\t'};

} // namespace

GoodsImportFrm::GoodsImportFrm(const PrinterDriver &model, const FormatSet &formats,
                               const GoodsTable &goods, const QString &settingsPath,
                               QWidget *parent)
    : QDialog(parent), m_model(model), m_formats(formats), m_goods(goods),
      m_settingsPath(settingsPath)
{
    Program().ModalOpening = 0; // opened through OpenModal
    setObjectName(QStringLiteral("GoodsImportFrm"));
    setWindowTitle(QStringLiteral("품목 가져오기"));
    m_settings.load(settingsPath);
    m_rows = new QStandardItemModel(this);
    m_columns = new QStandardItemModel(this);

    auto *v = new QVBoxLayout(this);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("파일"), this));
    FileTxt = new QLineEdit(this);
    FileTxt->setObjectName(QStringLiteral("FileTxt"));
    FileTxt->setMinimumWidth(360);
    fileRow->addWidget(FileTxt, 1);
    FileCmd = new QPushButton(QStringLiteral("찾기..."), this);
    FileCmd->setObjectName(QStringLiteral("FileCmd"));
    FileCmd->setAutoDefault(false);
    fileRow->addWidget(FileCmd);
    v->addLayout(fileRow);

    auto *readRow = new QHBoxLayout;
    readRow->addWidget(new QLabel(QStringLiteral("시트"), this));
    SheetCbo = new QComboBox(this);
    SheetCbo->setObjectName(QStringLiteral("SheetCbo"));
    SheetCbo->setMinimumWidth(120);
    readRow->addWidget(SheetCbo);
    readRow->addSpacing(12);
    readRow->addWidget(new QLabel(QStringLiteral("문자 코드"), this));
    EncodingCbo = new QComboBox(this);
    EncodingCbo->setObjectName(QStringLiteral("EncodingCbo"));
    EncodingCbo->addItems({QStringLiteral("자동"), QStringLiteral("UTF-8"),
                           QStringLiteral("UTF-16"), QStringLiteral("CP949")});
    readRow->addWidget(EncodingCbo);
    readRow->addSpacing(12);
    readRow->addWidget(new QLabel(QStringLiteral("구분 문자"), this));
    DelimiterCbo = new QComboBox(this);
    DelimiterCbo->setObjectName(QStringLiteral("DelimiterCbo"));
    DelimiterCbo->addItems({QStringLiteral("자동"), QStringLiteral("쉼표 ,"),
                            QStringLiteral("세미콜론 ;"), QStringLiteral("탭")});
    readRow->addWidget(DelimiterCbo);
    readRow->addSpacing(12);
    HeaderChk = new QCheckBox(QStringLiteral("제목 줄"), this);
    HeaderChk->setObjectName(QStringLiteral("HeaderChk"));
    HeaderChk->setToolTip(QStringLiteral("품목 칸의 이름이 있는 줄: 그 위의 줄(목록 제목 등)은 "
                                         "가져오지 않습니다"));
    readRow->addWidget(HeaderChk);
    CaptionRowSpn = new QSpinBox(this);
    CaptionRowSpn->setObjectName(QStringLiteral("CaptionRowSpn"));
    CaptionRowSpn->setRange(1, 1);
    CaptionRowSpn->setSuffix(QStringLiteral("행"));
    CaptionRowSpn->setAccessibleName(QStringLiteral("제목 줄 번호"));
    readRow->addWidget(CaptionRowSpn);
    readRow->addStretch();
    v->addLayout(readRow);

    PreviewGrid = new QTableView(this);
    PreviewGrid->setObjectName(QStringLiteral("PreviewGrid"));
    PreviewGrid->setModel(m_rows);
    PreviewGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PreviewGrid->verticalHeader()->setDefaultSectionSize(20);
    PreviewGrid->setMinimumHeight(170);
    v->addWidget(PreviewGrid, 1);

    auto *mapBox = new QGroupBox(QStringLiteral("칸 연결 (품목 칸 ← 파일 칸)"), this);
    auto *grid = new QGridLayout(mapBox);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    constexpr int PerColumn = 7;
    for (int f = 0; f < M::FieldCount; ++f) {
        auto *box = new QComboBox(mapBox);
        box->setObjectName(QStringLiteral("MapCbo_") + M::key(f));
        box->setModel(m_columns);
        box->setMinimumWidth(130);
        box->setMaximumWidth(180);
        MapCbo[size_t(f)] = box;
        const int gc = (f / PerColumn) * 2, gr = f % PerColumn;
        auto *caption = new QLabel(M::caption(f), mapBox);
        caption->setBuddy(box);
        grid->addWidget(caption, gr, gc);
        grid->addWidget(box, gr, gc + 1);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { refreshPlan(); });
    }
    v->addWidget(mapBox);

    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(QStringLiteral("방법"), this));
    ModeAppendOpt = new QRadioButton(QStringLiteral("추가"), this);
    ModeAppendOpt->setObjectName(QStringLiteral("ModeAppendOpt"));
    ModeAppendOpt->setToolTip(QStringLiteral("빈 번호부터 새 품목으로 추가"));
    ModeReplaceOpt = new QRadioButton(QStringLiteral("바꾸기"), this);
    ModeReplaceOpt->setObjectName(QStringLiteral("ModeReplaceOpt"));
    ModeReplaceOpt->setToolTip(QStringLiteral("품목 목록 전체를 파일의 품목으로 바꿈"));
    ModeUpdateOpt = new QRadioButton(QStringLiteral("갱신"), this);
    ModeUpdateOpt->setObjectName(QStringLiteral("ModeUpdateOpt"));
    ModeUpdateOpt->setToolTip(QStringLiteral("같은 품목은 연결한 칸만 고치고 나머지는 추가"));
    auto *modes = new QButtonGroup(this);
    for (QRadioButton *o : {ModeAppendOpt, ModeReplaceOpt, ModeUpdateOpt}) {
        modes->addButton(o);
        modeRow->addWidget(o);
    }
    MatchCbo = new QComboBox(this);
    MatchCbo->setObjectName(QStringLiteral("MatchCbo"));
    MatchCbo->addItems(
        {QStringLiteral("바코드#1이 같은 품목"), QStringLiteral("번호가 같은 품목")});
    modeRow->addWidget(MatchCbo);
    modeRow->addSpacing(16);
    auto *qtyLbl = new QLabel(QStringLiteral("기본 수량"), this);
    modeRow->addWidget(qtyLbl);
    DefaultQtySpn = new QSpinBox(this);
    DefaultQtySpn->setObjectName(QStringLiteral("DefaultQtySpn"));
    DefaultQtySpn->setRange(0, 999);
    DefaultQtySpn->setValue(1);
    DefaultQtySpn->setToolTip(QStringLiteral("수량 칸을 연결하지 않았을 때 새 품목의 수량"));
    qtyLbl->setBuddy(DefaultQtySpn);
    modeRow->addWidget(DefaultQtySpn);
    modeRow->addSpacing(16);
    ThousandsChk = new QCheckBox(QStringLiteral("천 단위 쉼표 빼기 (1,050 → 1050)"), this);
    ThousandsChk->setObjectName(QStringLiteral("ThousandsChk"));
    ThousandsChk->setToolTip(
        QStringLiteral("품목 파일에는 쉼표를 넣을 수 없어 그대로면 1?050으로 저장됩니다"));
    modeRow->addWidget(ThousandsChk);
    modeRow->addStretch();
    v->addLayout(modeRow);

    SummaryTxt = new QPlainTextEdit(this);
    SummaryTxt->setObjectName(QStringLiteral("SummaryTxt"));
    SummaryTxt->setReadOnly(true);
    SummaryTxt->setMinimumHeight(120);
    v->addWidget(SummaryTxt);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ImportCmd = new QPushButton(QStringLiteral("가져오기"), this);
    ImportCmd->setObjectName(QStringLiteral("ImportCmd"));
    ImportCmd->setAutoDefault(false);
    CancelCmd = new QPushButton(QStringLiteral("취소"), this);
    CancelCmd->setObjectName(QStringLiteral("CancelCmd"));
    CancelCmd->setAutoDefault(false);
    buttons->addWidget(ImportCmd);
    buttons->addWidget(CancelCmd);
    v->addLayout(buttons);

    // The remembered choices.
    (m_settings.mode == GoodsImportPlan::Mode::Replace  ? ModeReplaceOpt
     : m_settings.mode == GoodsImportPlan::Mode::Update ? ModeUpdateOpt
                                                        : ModeAppendOpt)
        ->setChecked(true);
    MatchCbo->setCurrentIndex(m_settings.match == GoodsImportPlan::Match::Number ? 1 : 0);
    EncodingCbo->setCurrentIndex(int(m_settings.encoding));
    for (int i = 0; i < 4; ++i) {
        if (Delimiters[i] == m_settings.delimiter)
            DelimiterCbo->setCurrentIndex(i);
    }
    MatchCbo->setEnabled(ModeUpdateOpt->isChecked());
    ImportCmd->setEnabled(false);

    connect(FileCmd, &QPushButton::clicked, this, &GoodsImportFrm::FileCmd_Click);
    connect(FileTxt, &QLineEdit::returnPressed, this,
            [this] { setFile(FileTxt->text().trimmed()); });
    connect(SheetCbo, &QComboBox::activated, this, [this] { readFile(); });
    connect(EncodingCbo, &QComboBox::activated, this, [this] { readFile(); });
    connect(DelimiterCbo, &QComboBox::activated, this, [this] { readFile(); });
    connect(HeaderChk, &QCheckBox::toggled, this, [this] {
        CaptionRowSpn->setEnabled(HeaderChk->isChecked());
        showTable();
        refreshPlan();
    });
    connect(CaptionRowSpn, &QSpinBox::valueChanged, this, [this] { captionRowChosen(); });
    connect(ThousandsChk, &QCheckBox::toggled, this, [this] { refreshPlan(); });
    connect(DefaultQtySpn, &QSpinBox::valueChanged, this, [this] { refreshPlan(); });
    connect(modes, &QButtonGroup::buttonToggled, this, [this] {
        MatchCbo->setEnabled(ModeUpdateOpt->isChecked());
        refreshPlan();
    });
    connect(MatchCbo, &QComboBox::currentIndexChanged, this, [this] { refreshPlan(); });
    connect(ImportCmd, &QPushButton::clicked, this, &GoodsImportFrm::ImportCmd_Click);
    connect(CancelCmd, &QPushButton::clicked, this, &QDialog::reject);
    refreshPlan();
}

void GoodsImportFrm::FileCmd_Click()
{
    const QString start = m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).absolutePath();
    const auto name = Dialogs::askOpenFileName(
        this, QStringLiteral("품목 가져오기"), start,
        QStringLiteral("품목 파일 (*.csv *.txt *.tsv *.xlsx *.xls);;모든 파일 (*)"));
    if (name)
        setFile(*name);
}

void GoodsImportFrm::setFile(const QString &path)
{
    m_path = path;
    m_mapped = false;
    FileTxt->setText(QDir::toNativeSeparators(path));
    SheetCbo->clear();
    readFile();
}

void GoodsImportFrm::readFile()
{
    GoodsImportFile::Options options;
    options.encoding = TextEncoding::Kind(EncodingCbo->currentIndex());
    options.delimiter = Delimiters[std::clamp(DelimiterCbo->currentIndex(), 0, 3)];
    options.sheet = std::max(0, SheetCbo->currentIndex());
    const GoodsImportMapping before = mapping();
    m_problem =
        m_path.isEmpty() ? ImportProblem() : GoodsImportFile::read(m_path, options, &m_table);
    if (m_path.isEmpty())
        m_table = ImportTable();

    m_updating = true;
    if (SheetCbo->count() != m_table.sheets.size()) {
        SheetCbo->clear();
        SheetCbo->addItems(m_table.sheets);
        SheetCbo->setCurrentIndex(m_table.sheet);
    }
    SheetCbo->setEnabled(m_table.sheets.size() > 1);
    EncodingCbo->setEnabled(m_table.kind == ImportTable::Kind::Text);
    DelimiterCbo->setEnabled(m_table.kind == ImportTable::Kind::Text);
    GoodsImportMapping m = before;
    if (!m_mapped && m_problem.ok() && !m_table.rows.isEmpty()) {
        m = m_settings.known ? m_settings.mappingFor(m_table)
                             : M::guess(m_table, M::guessHeader(m_table));
        m_mapped = true;
    }
    HeaderChk->setChecked(m.header);
    CaptionRowSpn->setEnabled(m.header);
    CaptionRowSpn->setRange(1, std::max(1, m_table.sourceRows.isEmpty() ? 1 : int(m_table.sourceRows.last())));
    CaptionRowSpn->setValue(m_table.sourceRows.value(m.header ? m.captionRow : 0, 1));
    m_updating = false;
    showTable();
    showMapping(m);
    refreshPlan();
}

void GoodsImportFrm::showTable()
{
    const int captions = captionRow();
    const bool header = captions >= 0;
    const int first = captions + 1;
    const int shown = std::min<int>(int(m_table.rows.size()) - first, PreviewRows);
    m_rows->clear();
    m_rows->setColumnCount(m_table.columns);
    m_rows->setRowCount(std::max(0, shown));
    QStringList heads;
    for (int c = 0; c < m_table.columns; ++c) {
        const QString caption = header ? m_table.cell(captions, c).trimmed() : QString();
        heads << (caption.isEmpty() ? M::columnName(c)
                                    : M::columnName(c) + QLatin1Char(' ') + caption);
    }
    m_rows->setHorizontalHeaderLabels(heads);
    QStringList rowHeads;
    for (int r = 0; r < shown; ++r) {
        rowHeads << QString::number(m_table.sourceRows.value(r + first));
        for (int c = 0; c < m_table.columns; ++c)
            m_rows->setItem(r, c, new QStandardItem(m_table.cell(r + first, c)));
    }
    m_rows->setVerticalHeaderLabels(rowHeads);
    PreviewGrid->resizeColumnsToContents();
    for (int c = 0; c < m_table.columns; ++c)
        PreviewGrid->setColumnWidth(c, std::min(PreviewGrid->columnWidth(c), 220));

    // The same column names in every mapping box; the current choices survive.
    const GoodsImportMapping keep = mapping();
    const bool wasUpdating = m_updating;
    m_updating = true;
    m_columns->clear();
    m_columns->appendRow(new QStandardItem(QStringLiteral("없음")));
    for (int c = 0; c < m_table.columns; ++c)
        m_columns->appendRow(new QStandardItem(heads[c]));
    showMapping(keep);
    m_updating = wasUpdating;
}

void GoodsImportFrm::showMapping(const GoodsImportMapping &m)
{
    const bool wasUpdating = m_updating;
    m_updating = true;
    for (int f = 0; f < M::FieldCount; ++f) {
        const int col = m.column(f);
        MapCbo[size_t(f)]->setCurrentIndex(col >= 0 && col < m_table.columns ? col + 1 : 0);
    }
    m_updating = wasUpdating;
}

GoodsImportMapping GoodsImportFrm::mapping() const
{
    GoodsImportMapping m;
    m.header = HeaderChk && HeaderChk->isChecked();
    m.captionRow = std::max(0, captionRow());
    for (int f = 0; f < M::FieldCount; ++f) {
        if (MapCbo[size_t(f)])
            m.columns[size_t(f)] = MapCbo[size_t(f)]->currentIndex() - 1;
        if (m.columns[size_t(f)] < 0)
            m.columns[size_t(f)] = M::None;
    }
    return m;
}

GoodsImportPlan::Mode GoodsImportFrm::mode() const
{
    if (ModeReplaceOpt->isChecked())
        return GoodsImportPlan::Mode::Replace;
    if (ModeUpdateOpt->isChecked())
        return GoodsImportPlan::Mode::Update;
    return GoodsImportPlan::Mode::Append;
}

GoodsImportPlan::Options GoodsImportFrm::options() const
{
    GoodsImportPlan::Options o;
    o.plainThousands = ThousandsChk->isChecked();
    o.defaultQty = DefaultQtySpn->value();
    return o;
}

int GoodsImportFrm::captionRow() const
{
    if (!HeaderChk || !HeaderChk->isChecked() || m_table.rows.isEmpty())
        return -1;
    // The row named, or the first file row below it that has any text.
    const int wanted = CaptionRowSpn->value();
    for (int r = 0; r < m_table.sourceRows.size(); ++r) {
        if (m_table.sourceRows[r] >= wanted)
            return r;
    }
    return int(m_table.rows.size()) - 1;
}

void GoodsImportFrm::captionRowChosen()
{
    if (m_updating)
        return;
    // The captions of the row chosen give the columns.
    const int row = captionRow();
    showTable();
    if (row >= 0)
        showMapping(M::guess(m_table, true, row));
    refreshPlan();
}

QString GoodsImportFrm::replaceQuestion(int current, int imported)
{
    return QStringLiteral("* 현재 품목 %1개를 가져온 품목 %2개로 바꿉니다.\n"
                          "바꾼 뒤에도 '되돌리기'로 되돌릴 수 있습니다. 바꿀까요 ?")
        .arg(current)
        .arg(imported);
}

GoodsImportPlan::Match GoodsImportFrm::match() const
{
    return MatchCbo->currentIndex() == 1 ? GoodsImportPlan::Match::Number
                                         : GoodsImportPlan::Match::Barcode1;
}

void GoodsImportFrm::refreshPlan()
{
    if (m_updating)
        return;
    m_plan = GoodsImportPlan();
    QStringList lines;
    if (m_path.isEmpty()) {
        lines << QStringLiteral("가져올 파일을 고르세요 (CSV, 엑셀 .xlsx, .xls)");
    } else if (!m_problem.ok()) {
        lines << QStringLiteral("* ") + m_problem.korean() + QStringLiteral(" !");
    } else {
        m_plan = GoodsImportPlan::build(m_table, mapping(), mode(), match(), m_goods, options());
        const int dataRows = int(m_table.rows.size()) - (captionRow() + 1);
        QString read = QStringLiteral("파일의 품목 줄 %1개").arg(std::max(0, dataRows));
        if (m_table.kind == ImportTable::Kind::Text)
            read += QStringLiteral(" (%1%2)").arg(TextEncoding::name(m_table.encoding),
                                                  m_table.byteOrderMark ? QStringLiteral(" BOM")
                                                                        : QString());
        lines << read;
        lines << m_plan.summaryKorean();
        if (m_plan.importsAnything()) {
            GoodsTable result;
            m_plan.applyTo(result);
            const QStringList findings = GoodsCheck::countLines(
                GoodsCheck::run(m_model, m_formats, result), true);
            if (!findings.isEmpty()) {
                lines << QStringLiteral("결과 품목 검사:");
                for (const QString &f : findings)
                    lines << QStringLiteral("  ") + f;
            }
        }
    }
    SummaryTxt->setPlainText(lines.join(QLatin1Char('\n')));
    ImportCmd->setEnabled(m_plan.importsAnything());
    DefaultQtySpn->setEnabled(!mapping().isMapped(M::Qty));
}

void GoodsImportFrm::ImportCmd_Click()
{
    if (!m_plan.importsAnything())
        return;
    // Replacing a list that has goods asks first, with the counts.
    if (mode() == GoodsImportPlan::Mode::Replace && m_goods.rows() > 0 &&
        !Dialogs::askYesNo(this, replaceQuestion(m_goods.rows(), int(m_plan.rows.size())),
                           QStringLiteral("품목 바꾸기")))
        return;
    m_settings.remember(mapping(), m_table);
    m_settings.mode = mode();
    m_settings.match = match();
    m_settings.encoding = TextEncoding::Kind(EncodingCbo->currentIndex());
    m_settings.delimiter = Delimiters[std::clamp(DelimiterCbo->currentIndex(), 0, 3)];
    QString error;
    if (!m_settingsPath.isEmpty() && !m_settings.save(m_settingsPath, &error))
        Dialogs::inform(this,
                        QStringLiteral("* 칸 연결을 저장하지 못했습니다 !\n%1\n%2")
                            .arg(QDir::toNativeSeparators(m_settingsPath), error),
                        QStringLiteral("저장오류"), QMessageBox::Warning);
    accept();
}
