// SPDX-License-Identifier: GPL-3.0-or-later
#include "stationfrm.h"

#include "commands/goodscommands.h"
#include "commands/stationdocument.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "help/qelhelpfrm.h"
#include "model/formatmodel.h"
#include "model/goodstable.h"
#include "model/labeljob.h"
#include "model/printplan.h"
#include "printers/labeljobreader.h"
#include "render/labelpainter.h"
#include "render/labelpdf.h"
#include "report/reportflow.h"
#include "station/busyguard.h"
#include "station/formateditor.h"
#include "station/formatfieldtable.h"
#include "station/goodsfileactions.h"
#include "station/labeldesigntool.h"
#include "station/labelpreviewpane.h"
#include "station/optionpanels.h"
#include "station/portsettingsfrm.h"
#include "station/stationfiles.h"
#include "station/stationprinter.h"
#include "station/stationsystemprint.h"
#include "station/stationwidgets.h"
#include "station/systemprinterfrm.h"
#include "station/undocontrols.h"
#include "widgets/dialogs.h"
#include "widgets/gridcolumnwidths.h"
#include "widgets/statuslog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

StationFrm::StationFrm(const StationProfile &profile, QWidget *parent)
    : QWidget(parent), m_profile(profile)
{
    setObjectName(profile.printer->formName());
    // Opaque: a station maximised over another hides it whole.
    setAutoFillBackground(true);
    setWindowTitle(profile.caption);
    QFont f = font();
    f.setPointSizeF(9);
    setFont(f);
    m_doc = new StationDocument(driver(), this);

    // The format editor above the goods list; the label preview beside both.
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->setSpacing(6);
    auto *outer = new QVBoxLayout;
    outer->setSpacing(6);
    columns->addLayout(outer);
    m_editor = new FormatEditor(profile, m_doc, this);
    outer->addWidget(m_editor);
    m_fields = new FormatFieldTable(m_editor, m_doc, profile.filterFixedTexts, this);
    m_panels = new OptionPanels(m_editor, m_doc, this);
    m_list = new GoodsListCommands(m_doc, this);
    m_printer = new StationPrinter(m_doc, this, this);
    m_undo = new UndoControls(m_doc, this);
    auto *goodsRow = new QHBoxLayout;
    goodsRow->addWidget(m_list->vaSpread1, 1);
    goodsRow->addLayout(buildCommands());
    outer->addLayout(goodsRow, 1);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->setSpacing(6);
    buildPreviewColumn(previewColumn);
    columns->addLayout(previewColumn, 1);

    m_files = new StationFiles(m_doc, this, [this] { return m_printer->isPrinting(); });
    connect(m_doc, &StationDocument::filesReread, this, [this] {
        if (goods()->rows() > 0)
            setActiveRow(1);
        focusGrid();
    });
    // The document is the last child: the views go before the goods and formats they show.
    m_doc->setParent(nullptr);
    m_doc->setParent(this);
    connect(m_editor, &FormatEditor::formatChosen, this, &StationFrm::focusGrid);
    connect(m_editor, &FormatEditor::portLanguageChanged, m_preview,
            &LabelPreviewPane::setPortLanguage);
    connect(m_editor, &FormatEditor::systemPrinterClicked, this, [this] {
        StationSystemPrint *system = m_printer->systemPrint();
        SystemPrintChoice choice = system->choice();
        if (SystemPrinterFrm::choose(this, &choice))
            system->setChoice(choice);
        m_editor->setSystemPrinter(system->choice().shortCaption(), system->choice().caption());
    });
    connect(m_editor, &FormatEditor::portClicked, this, [this] {
        m_printer->systemPrint()->setChoice({});
        m_editor->setSystemPrinter(QString());
    });
    // The element chosen on the label and its row of the field table go together.
    connect(m_design, &LabelDesignTool::selectionChanged, this,
            [this](LabelDesignTool::Element e) { m_editor->highlightElement(e.barcode, e.index); });
    m_focusFollower =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            bool barcode = false;
            int index = 0;
            if (m_editor->elementOf(now, &barcode, &index))
                m_design->select({barcode, index});
        });
    connect(m_editor->PortSetCmd, &QPushButton::clicked, this,
            [this] { PortSettingsFrm::open(this, [this] { m_editor->showPortTargets(); }); });
    connect(m_panels, &OptionPanels::stored, this, &StationFrm::focusGrid);
    connect(m_list, &GoodsListCommands::printOneRequested, m_printer,
            &StationPrinter::openSinglePanel);
    connect(m_list, &GoodsListCommands::printListRequested, m_printer,
            &StationPrinter::openListPanel);
    connect(m_printer, &StationPrinter::printingFinished, this, [this] {
        if (m_closeAfterPrint)
            ChtExitCmd_Click();
    });
    m_undo->setBusy([this] { return m_printer->isPrinting(); });
    m_undo->setRowShower([this](int row) { setActiveRow(row); }, [this] { return activeRow(); });
    connect(m_undo, &UndoControls::buttonStepped, this, &StationFrm::focusGrid);
    for (QLineEdit *box : m_editor->findChildren<QLineEdit *>())
        m_undo->coverBox(box);

    Form_Load();
}

StationFrm::~StationFrm()
{
    // The focus moves while the window goes: the parts are gone by then.
    disconnect(m_focusFollower);
}

QSize StationFrm::sizeHint() const
{
    const QSize base = QWidget::sizeHint();
    const QTableView *g = grid();
    const int wanted = g->horizontalHeader()->height() +
                       20 * g->verticalHeader()->defaultSectionSize() + 2 * g->frameWidth();
    return base + QSize(0, qMax(0, wanted - g->sizeHint().height()));
}

QGridLayout *StationFrm::buildCommands()
{
    auto *cmds = new QGridLayout;
    cmds->setSpacing(3);
    auto *single =
        MakeCommandButton(QStringLiteral("GdsBarPrtCmd"), QStringLiteral("단품발행"), this);
    auto *list =
        MakeCommandButton(QStringLiteral("GdsAllBarCmd"), QStringLiteral("여러품목발행"), this);
    single->setToolTip(QStringLiteral("Shift+F7"));
    list->setToolTip(QStringLiteral("Alt+F7"));
    connect(single, &QPushButton::clicked, m_printer, &StationPrinter::openSinglePanel);
    connect(list, &QPushButton::clicked, m_printer, &StationPrinter::openListPanel);
    const GoodsListCommands *g = m_list;
    int n = 0;
    for (QPushButton *b : {g->GdsInsertCmd, g->GdsUpdateCmd, g->GdsDeleteCmd, g->GdsSelectCmd,
                           g->GdsAllSelCmd, g->GdsAllDelCmd, single, list, g->GdsMoveCmd}) {
        cmds->addWidget(b, n / 3, n % 3);
        ++n;
    }
    int r = (n + 2) / 3;
    cmds->addWidget(g->sortBox, r, 0, 1, 2);
    cmds->addWidget(g->InitColsRtn, r, 2);
    ++r;
    cmds->setRowStretch(r++, 1);
    m_writeCmd = MakeCommandButton(QStringLiteral("ChtWriteCmd"), QStringLiteral("저장"), this);
    m_seltCmd = MakeCommandButton(QStringLiteral("ChtSeltCmd"), QStringLiteral("설정"), this);
    auto *view = MakeCommandButton(QStringLiteral("ChtViewCmd"), QStringLiteral("조회"), this);
    auto *print = MakeCommandButton(QStringLiteral("ChtPrintCmd"), QStringLiteral("인쇄"), this);
    auto *help = MakeCommandButton(QStringLiteral("ChtHelpCmd"), QStringLiteral("도움말"), this);
    auto *exit = MakeCommandButton(QStringLiteral("ChtExitCmd"), QStringLiteral("닫기"), this);
    n = 0;
    for (QPushButton *b : {m_writeCmd, m_seltCmd, view, print, help, exit}) {
        cmds->addWidget(b, r + n / 3, n % 3);
        ++n;
    }

    m_settings = new QFrame(this);
    m_settings->setObjectName(QStringLiteral("ChtSelectFme"));
    m_settings->setFrameShape(QFrame::Panel);
    m_settings->setFrameShadow(QFrame::Raised);
    m_settings->setAutoFillBackground(true);
    auto *setLay = new QVBoxLayout(m_settings);
    setLay->addWidget(new QLabel(QStringLiteral("설정작업"), m_settings));
    auto *setExit =
        MakeCommandButton(QStringLiteral("SetExitCmd"), QStringLiteral("나가기"), m_settings);
    setLay->addWidget(setExit);
    m_settings->hide();

    connect(m_writeCmd, &QPushButton::clicked, this, &StationFrm::ChtWriteCmd_Click);
    connect(m_seltCmd, &QPushButton::clicked, this, &StationFrm::ChtSeltCmd_Click);
    connect(setExit, &QPushButton::clicked, this, [this] {
        m_settings->hide();
        m_seltCmd->setFocus();
    });
    connect(view, &QPushButton::clicked, this, &StationFrm::focusGrid);
    connect(exit, &QPushButton::clicked, this, &StationFrm::ChtExitCmd_Click);
    connect(print, &QPushButton::clicked, this, [this, print] {
        RunRegistrationReport({this, print, grid(), m_list->GdsSelt1Opt->isChecked()}, goods(),
                              grid(), driver().formName());
    });
    connect(help, &QPushButton::clicked, this, [this] {
        QString topic = driver().formName();
        topic.chop(3); // "SRP770Frm" -> "SRP770"
        QelHelpFrm::ShowHelp(this, topic);
        focusGrid();
    });
    return cmds;
}

void StationFrm::buildPreviewColumn(QVBoxLayout *column)
{
    m_preview = new LabelPreviewPane(this);
    m_preview->setMinimumWidth(280);
    m_preview->follow(m_doc, grid()->selectionModel());
    m_design = new LabelDesignTool(m_doc, m_preview, this);
    column->addWidget(m_preview, 1);
    // Undo and redo side by side, each naming its step.
    auto *undoRow = new QHBoxLayout;
    undoRow->addWidget(m_undo->UndoCmd);
    undoRow->addWidget(m_undo->RedoCmd);
    column->addLayout(undoRow);
    // The labels as a PDF, at the foot of the preview column, level with the last row of the
    // goods commands; goods lists from and for other programs beside it.
    auto *pdfRow = new QHBoxLayout;
    auto *import =
        MakeCommandButton(QStringLiteral("GdsImportCmd"), QStringLiteral("품목 가져오기"), this);
    auto *exportCmd =
        MakeCommandButton(QStringLiteral("GdsExportCmd"), QStringLiteral("품목 내보내기"), this);
    m_goodsFiles =
        new GoodsFileActions(m_doc, this, [this] { return m_editor->BarSeltLbl->text(); });
    connect(import, &QPushButton::clicked, m_goodsFiles, &GoodsFileActions::importGoods);
    connect(exportCmd, &QPushButton::clicked, m_goodsFiles, &GoodsFileActions::exportGoods);
    connect(m_goodsFiles, &GoodsFileActions::imported, this, &StationFrm::afterGoodsImport);
    connect(m_goodsFiles, &GoodsFileActions::done, this, &StationFrm::focusGrid);
    m_pdfCmd = MakeCommandButton(QStringLiteral("LabelPdfCmd"), QStringLiteral("라벨 PDF"), this);
    m_pdfCmd->setToolTip(QStringLiteral("선택한 품목의 라벨을 품목별 수량대로 PDF로 저장"));
    connect(m_pdfCmd, &QPushButton::clicked, this, &StationFrm::LabelPdfCmd_Click);
    pdfRow->addWidget(import);
    pdfRow->addWidget(exportCmd);
    pdfRow->addStretch();
    pdfRow->addWidget(m_pdfCmd);
    column->addLayout(pdfRow);
}

// ---------------------------------------------------------------------------------------
// Load, save, close

void StationFrm::Form_Load()
{
    ProgramState &p = Program();
    p.ModalOpening = 0;
    const QString dir = DataDirectory();
    const QString nn = BarcodeSetText();
    m_doc->setFilePaths(QDir(dir).filePath(driver().formatFileName(nn)),
                        QDir(dir).filePath(driver().goodsFileName(nn)),
                        QDir(dir).filePath(driver().printCopyFileName()));
    m_editor->BarSeltLbl->setText(nn);

    // Grid before any file is read: row height, preview zoom "Page 높이", default widths.
    QTableView *g = grid();
    g->verticalHeader()->setDefaultSectionSize(20);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    p.PreviewZoom = 8;
    const QList<int> designed = GoodsTable::designedColumnWidths();
    for (int c = 0; c < GoodsTable::ColumnCount; ++c)
        g->setColumnWidth(c, designed[c]);
    m_list->rememberDefaultWidths();
    LoadColumnWidths(g, driver().formName(), m_files->widthFile());

    m_files->open();
    m_editor->showPortTargets();
    m_editor->BarFormOpt_Click(1);

    const bool black = ReadSettingInt(SettingsSection, QStringLiteral("BarPrtBlack")) != 0;
    m_doc->setBlackMarkStock(black);
    (black ? m_editor->GapBlack1Opt : m_editor->GapBlack0Opt)->setChecked(true);
    if (goods()->rows() > 0)
        setActiveRow(1);
    focusGrid();
}

bool StationFrm::saveFiles(bool closing)
{
    return m_files->save(closing);
}

void StationFrm::ChtWriteCmd_Click()
{
    {
        BusyGuard busy(m_writeCmd);
        if (m_profile.sortBeforeSave) {
            m_list->GdsSelt0Opt->setChecked(true);
            m_doc->sortGoods(GoodsTable::SortKey::Number);
        }
        if (saveFiles())
            StatusLog::post(this, QStringLiteral("저장: %1, %2")
                                      .arg(QFileInfo(formatFilePath()).fileName(),
                                           QFileInfo(goodsFilePath()).fileName()));
    }
    focusGrid();
}

void StationFrm::ChtSeltCmd_Click()
{
    if (m_settings->isVisible()) {
        m_settings->hide();
        focusGrid();
        return;
    }
    m_settings->adjustSize();
    m_settings->move(m_seltCmd->x() - m_settings->width() - 6, m_seltCmd->y());
    m_settings->show();
    m_settings->raise();
    m_settings->findChild<QPushButton *>(QStringLiteral("SetExitCmd"))->setFocus();
}

void StationFrm::ChtExitCmd_Click()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
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
        m_files->close(grid(), driver().formName());
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// The parts

FormatModel *StationFrm::formatModel() const
{
    return m_doc->formats();
}

const FormatSet &StationFrm::formatSet() const
{
    return m_doc->formatSet();
}

const GoodsTable *StationFrm::goods() const
{
    return m_doc->goods();
}

QUndoStack *StationFrm::undoStack() const
{
    return m_doc->undoStack();
}

int StationFrm::currentFormat() const
{
    return m_doc->currentFormat();
}

bool StationFrm::blackMarkStock() const
{
    return m_doc->blackMarkStock();
}

QString StationFrm::formatFilePath() const
{
    return m_doc->formatFilePath();
}

QString StationFrm::goodsFilePath() const
{
    return m_doc->goodsFilePath();
}

QString StationFrm::printCopyFilePath() const
{
    return m_doc->printCopyFilePath();
}

QTableView *StationFrm::grid() const
{
    return m_list->vaSpread1;
}

int StationFrm::activeRow() const
{
    return m_list->activeRow();
}

void StationFrm::setActiveRow(int row)
{
    m_list->setActiveRow(row);
}

void StationFrm::focusGrid()
{
    m_list->focusGrid();
}

QRect StationFrm::panelArea() const
{
    return grid()->geometry();
}

void StationFrm::setItemEditor(GoodsListCommands::ItemEditor editor)
{
    m_list->setItemEditor(std::move(editor));
}

void StationFrm::afterGoodsImport(int row)
{
    if (row > 0)
        setActiveRow(row);
    m_list->clearSortOptions();
}

QString StationFrm::buildLabelJob(int format, int row, int count) const
{
    return m_doc->labelJob(format, row, count);
}

// ---------------------------------------------------------------------------------------
// Labels as a PDF

void StationFrm::LabelPdfCmd_Click()
{
    // The marked rows with their own quantities, skipped as a list print skips them.
    const GoodsTable &g = *goods();
    PrintRequest request;
    for (int r = 1; r <= g.rows(); ++r) {
        if (g.mark(r))
            request.rows << r;
    }
    request.blackMark = blackMarkStock();
    QList<LabelDescription> labels;
    for (const PrintPlan::Label &l : PrintPlan::make(driver(), formatSet(), g, request).labels)
        labels << LabelJobReader::read(l.job);
    const int marked = int(request.rows.size());
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
        BusyGuard busy(m_pdfCmd);
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
