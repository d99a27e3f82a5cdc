// SPDX-License-Identifier: GPL-3.0-or-later
#include "leo60dfrm.h"
#include "help/qelhelpfrm.h"
#include "report/reportflow.h"

#include "common/programstate.h"
#include "common/safesave.h"
#include "common/textutil.h"
#include "common/writerlock.h"
#include "leo60d/textgridmodel.h"
#include "model/goodstable.h"
#include "model/leogoodswriter.h"
#include "model/prefile.h"
#include "widgets/dialogs.h"
#include "widgets/statuslog.h"
#include "widgets/vbcolour.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr quint32 TotalTextColour = 0x000000FF; // red
constexpr quint32 TotalBackColour = 0x0080FFFF; // light yellow
constexpr int SettingsPanelTop = 3000 / 15;     // 3,000 twips at 96 dpi

const QString ErrorTitle = QStringLiteral("오류");

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit *makeBox(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    SetBoxColour(e, BlurColour);
    return e;
}

QTableView *makeGrid(const QString &name, QAbstractItemModel *model, QWidget *parent)
{
    auto *v = new QTableView(parent);
    v->setObjectName(name);
    v->setModel(model);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->verticalHeader()->setDefaultSectionSize(20);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->horizontalHeader()->setHighlightSections(false);
    v->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }")
                         .arg(VbColour(Program().GridAccentColour).name()));
    return v;
}

// Restores the pointer when the operation ends, however it ends.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

LEO60DFrm::LEO60DFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LEO60DFrm"));
    setWindowTitle(QStringLiteral("LEO-60D+ 등록상품을 텍스트로 변환 ( ~.pre )"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Load: the target file belongs to the barcode set selected at this moment.
    Program().ModalOpening = 0;
    m_userCode = Program().UserCode;
    m_setText = BarcodeSetText();
    m_targetFile = LeoGoodsWriter::targetPath(DataDirectory(), m_setText);

    m_layout = new TextGridModel(4, this);
    m_layout->setHeaders({QStringLiteral("필드명"), QStringLiteral("시작"), QStringLiteral("길이"),
                          QStringLiteral("속성")});
    m_goods = new TextGridModel(PreFile::FieldCount, this);
    buildControls();
    BarSeltLbl->setText(m_setText);
    // The designed size, also as the least: the MDI area fits a new window to its layout,
    // which would leave no height for the copy panel's 13 boxes.
    setMinimumSize(1000, 640);
    resize(1000, 640);
}

void LEO60DFrm::buildControls()
{
    BarSeltLbl = new QLabel(this);
    BarSeltLbl->setObjectName(QStringLiteral("BarSeltLbl"));
    BarSeltLbl->setAlignment(Qt::AlignCenter);
    BarSeltLbl->setFrameShape(QFrame::Panel);
    BarSeltLbl->setFrameShadow(QFrame::Sunken);
    BarSeltLbl->setMinimumWidth(40);
    QFont bold = BarSeltLbl->font();
    bold.setBold(true);
    BarSeltLbl->setFont(bold);

    ChtDispCmd = makeButton(QStringLiteral("ChtDispCmd"), QStringLiteral("LEO-60D+"), this);
    ChtDispCmd->setFlat(true);
    ChtDispCmd->setFont(bold);
    ChtDispCmd->setFocusPolicy(Qt::NoFocus);
    ChtViewCmd = makeButton(QStringLiteral("ChtViewCmd"), QStringLiteral("읽기"), this);
    ChtWriteCmd = makeButton(QStringLiteral("ChtWriteCmd"), QStringLiteral("복사"), this);
    ChtSeltCmd = makeButton(QStringLiteral("ChtSeltCmd"), QStringLiteral("설정"), this);
    ChtPrintCmd = makeButton(QStringLiteral("ChtPrintCmd"), QStringLiteral("인쇄"), this);
    ChtHelpCmd = makeButton(QStringLiteral("ChtHelpCmd"), QStringLiteral("도움말"), this);
    ChtExitCmd = makeButton(QStringLiteral("ChtExitCmd"), QStringLiteral("종료"), this);

    auto *commands = new QHBoxLayout;
    commands->addWidget(ChtDispCmd);
    commands->addSpacing(12);
    commands->addWidget(new QLabel(QStringLiteral("작업번호"), this));
    commands->addWidget(BarSeltLbl);
    commands->addStretch(1);
    for (QPushButton *b :
         {ChtViewCmd, ChtWriteCmd, ChtSeltCmd, ChtPrintCmd, ChtHelpCmd, ChtExitCmd}) {
        b->setMinimumWidth(72);
        commands->addWidget(b);
    }

    GdsTfileTxt = makeBox(QStringLiteral("GdsTfileTxt"), this);
    GdsTfileTxt->installEventFilter(this);
    GdsHelpCmd = makeButton(QStringLiteral("GdsHelpCmd"), QStringLiteral("?"), this);
    GdsHelpCmd->setFixedWidth(32);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("파일명"), this));
    fileRow->addWidget(GdsTfileTxt, 1);
    fileRow->addWidget(GdsHelpCmd);

    vaSpread2 = makeGrid(QStringLiteral("vaSpread2"), m_layout, this);
    vaSpread2->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c)
        vaSpread2->setColumnWidth(c, 44);
    vaSpread2->setFixedWidth(270);
    RecLengTxt = makeBox(QStringLiteral("RecLengTxt"), this);
    RecLengTxt->setReadOnly(true);
    RecLengTxt->setAlignment(Qt::AlignRight);
    RecLengTxt->setFixedWidth(70);
    auto *lengthRow = new QHBoxLayout;
    lengthRow->addWidget(new QLabel(QStringLiteral("레코드 길이"), this));
    lengthRow->addStretch(1);
    lengthRow->addWidget(RecLengTxt);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("필드 구성"), this));
    left->addWidget(vaSpread2, 1);
    left->addLayout(lengthRow);

    vaSpread1 = makeGrid(QStringLiteral("vaSpread1"), m_goods, this);
    vaSpread1->horizontalHeader()->setDefaultSectionSize(90);
    auto *middle = new QVBoxLayout;
    middle->addWidget(new QLabel(QStringLiteral("등록상품"), this));
    middle->addWidget(vaSpread1, 1);

    auto *grids = new QHBoxLayout;
    grids->addLayout(left);
    grids->addLayout(middle, 1);
    grids->addWidget(buildCopyPanel());

    auto *main = new QVBoxLayout(this);
    main->addLayout(commands);
    main->addLayout(fileRow);
    main->addLayout(grids, 1);

    // Settings panel: floats over the grids, 3,000 twips from the top.
    ChtSelectFme = new QGroupBox(QStringLiteral("설정작업"), this);
    ChtSelectFme->setObjectName(QStringLiteral("ChtSelectFme"));
    ChtSelectFme->setAutoFillBackground(true);
    SetExitCmd = makeButton(QStringLiteral("SetExitCmd"), QStringLiteral("나가기"), ChtSelectFme);
    auto *settings = new QVBoxLayout(ChtSelectFme);
    settings->addStretch(1);
    settings->addWidget(SetExitCmd, 0, Qt::AlignRight);
    ChtSelectFme->resize(260, 120);
    ChtSelectFme->hide();

    connect(GdsHelpCmd, &QPushButton::clicked, this, &LEO60DFrm::GdsHelpCmd_Click);
    connect(ChtViewCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtViewCmd_Click);
    connect(ChtWriteCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtWriteCmd_Click);
    connect(BarEnterCmd, &QPushButton::clicked, this, &LEO60DFrm::BarEnterCmd_Click);
    connect(BarExitCmd, &QPushButton::clicked, this, &LEO60DFrm::BarExitCmd_Click);
    connect(BarRestoreCmd, &QPushButton::clicked, this, &LEO60DFrm::BarRestoreCmd_Click);
    connect(ChtSeltCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtSeltCmd_Click);
    connect(SetExitCmd, &QPushButton::clicked, this, &LEO60DFrm::SetExitCmd_Click);
    connect(ChtPrintCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtPrintCmd_Click);
    connect(ChtHelpCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtHelpCmd_Click);
    connect(ChtDispCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtDispCmd_Click);
    connect(ChtExitCmd, &QPushButton::clicked, this, &LEO60DFrm::ChtExitCmd_Click);
}

QWidget *LEO60DFrm::buildCopyPanel()
{
    BarCopyFme = new QGroupBox(QStringLiteral("복 사"), this);
    BarCopyFme->setObjectName(QStringLiteral("BarCopyFme"));
    BarCopyFme->setFixedWidth(230);

    auto *title = new QLabel(QStringLiteral("품목 저장하기 (AL-300)"), BarCopyFme);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    auto *prompt = new QLabel(QStringLiteral("칼럼번호입력하세요"), BarCopyFme);
    prompt->setAlignment(Qt::AlignCenter);

    auto *boxes = new QGridLayout;
    boxes->setVerticalSpacing(3);
    int row = 0;
    auto addBox = [&](const QString &name, const QString &caption) {
        QLineEdit *box = makeBox(name, BarCopyFme);
        box->setFixedWidth(60);
        box->setMaxLength(6);
        box->setAlignment(Qt::AlignRight);
        box->installEventFilter(this);
        boxes->addWidget(new QLabel(caption, BarCopyFme), row, 0);
        boxes->addWidget(box, row, 1, Qt::AlignRight);
        ++row;
        m_columnBoxes << box;
        return box;
    };
    for (int b = 1; b <= LeoGoodsWriter::BarcodeCount; ++b)
        BarColTxt << addBox(QStringLiteral("BarColTxt%1").arg(b),
                            QStringLiteral("바코드#%1").arg(b));
    auto *rule = new QFrame(BarCopyFme);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    boxes->addWidget(rule, row++, 0, 1, 2);
    for (int t = 1; t <= LeoGoodsWriter::TextCount; ++t)
        TxtColTxt << addBox(QStringLiteral("TxtColTxt%1").arg(t),
                            QStringLiteral("텍스트#%1").arg(t, 2, 10, QLatin1Char('0')));

    BarEnterCmd = makeButton(QStringLiteral("BarEnterCmd"), QStringLiteral("저장"), BarCopyFme);
    BarExitCmd = makeButton(QStringLiteral("BarExitCmd"), QStringLiteral("나가기"), BarCopyFme);
    BarRestoreCmd =
        makeButton(QStringLiteral("BarRestoreCmd"), QStringLiteral("되살리기"), BarCopyFme);
    BarRestoreCmd->setToolTip(QStringLiteral("마지막 변환 전의 AL-300 품목 파일로 되돌리기"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BarEnterCmd);
    buttons->addWidget(BarRestoreCmd);
    buttons->addWidget(BarExitCmd);

    auto *layout = new QVBoxLayout(BarCopyFme);
    layout->addWidget(title);
    layout->addWidget(prompt);
    layout->addSpacing(4);
    layout->addLayout(boxes);
    layout->addStretch(1);
    layout->addLayout(buttons);
    BarCopyFme->hide();
    return BarCopyFme;
}

bool LEO60DFrm::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    const bool columnBox = m_columnBoxes.contains(box);
    switch (event->type()) {
    case QEvent::FocusIn:
        SetBoxColour(box, FocusColour);
        break;
    case QEvent::FocusOut:
        SetBoxColour(box, BlurColour);
        if (columnBox)
            ColumnBox_LostFocus(box);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (box == GdsTfileTxt && enter) {
            ChtViewCmd_Click();
            return true;
        }
        if (columnBox && (enter || key == Qt::Key_Down)) {
            moveBetweenBoxes(box, 1);
            return true;
        }
        if (columnBox && key == Qt::Key_Up) {
            moveBetweenBoxes(box, -1);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

int LEO60DFrm::columnOfBox(const QLineEdit *box) const
{
    const int n = DigitsToLong(box->text());
    return n >= 1 && n <= m_goods->columnCount() ? n : 0;
}

void LEO60DFrm::ColumnBox_LostFocus(QLineEdit *box)
{
    const int n = columnOfBox(box);
    box->setText(n == 0 ? QString() : QString::number(n));
}

void LEO60DFrm::moveBetweenBoxes(QLineEdit *box, int step)
{
    const qsizetype i = m_columnBoxes.indexOf(box);
    const qsizetype next = i + step;
    if (next >= 0 && next < m_columnBoxes.size())
        m_columnBoxes[next]->setFocus();
    else if (next >= m_columnBoxes.size())
        BarEnterCmd->setFocus();
}

void LEO60DFrm::GdsHelpCmd_Click()
{
    const QString start =
        QDir(QStringLiteral("C:/")).exists() ? QStringLiteral("C:/") : QDir::homePath();
    const QString name = QFileDialog::getOpenFileName(
        this, QString(), start, QStringLiteral("모든 파일(*.*);;LEO-60D+ 파일(*.pre)"));
    if (name.isEmpty())
        return;
    GdsTfileTxt->setText(QDir::toNativeSeparators(name));
    GdsTfileTxt->setFocus();
}

void LEO60DFrm::ChtViewCmd_Click()
{
    BarCopyFme->hide();
    ChtViewCmd->setEnabled(false);
    QString message;
    {
        WaitCursor wait;
        const QString name = GdsTfileTxt->text().trimmed();
        if (!name.isEmpty()) {
            PreFile file;
            switch (file.load(name)) {
            case PreFile::Status::Ok:
                showFile(file);
                // Goods numbers are 1 to 999: the records beyond them are not read.
                if (file.omittedRecords() > 0)
                    message =
                        QStringLiteral("* 파일에 품목이 %1개 있습니다. 처음 %2개만 읽었습니다 !")
                            .arg(file.recordCount() + file.omittedRecords())
                            .arg(PreFile::MaxRecords);
                break;
            case PreFile::Status::Unreadable:
                message = QStringLiteral("파일명 오류발생 !");
                break;
            case PreFile::Status::Unknown:
                message = QStringLiteral("알수없는 파일임 !");
                break;
            }
        }
    }
    ChtViewCmd->setEnabled(true);
    if (!message.isEmpty())
        Dialogs::inform(this, message, ErrorTitle, QMessageBox::Warning);
    vaSpread1->setFocus();
}

void LEO60DFrm::showFile(const PreFile &file)
{
    RecLengTxt->setText(QString::number(file.recordLength()));

    QList<QStringList> layout;
    for (int i = 0; i < PreFile::FieldCount; ++i) {
        const PreFile::Field &f = file.field(i);
        layout << QStringList{f.name, QString::number(f.start), QString::number(f.length),
                              QString::number(f.attribute)};
    }
    layout << QStringList{QStringLiteral("합계"), QString(), QString::number(file.recordLength()),
                          QString()};
    m_layout->setRows(layout);
    m_layout->setRowColours(PreFile::FieldCount, VbColour(TotalTextColour),
                            VbColour(TotalBackColour));

    m_goods->setHeaders(file.fieldNames());
    m_goods->setRows(file.rows());
    for (int c = 0; c < PreFile::FieldCount; ++c)
        vaSpread1->setColumnWidth(c, file.field(c).length == 0 ? 60 : 90);
    vaSpread1->resizeColumnsToContents();
}

void LEO60DFrm::ChtWriteCmd_Click()
{
    if (DigitsToLong(RecLengTxt->text()) == 0 || m_goods->rowCount() == 0)
        return;
    if (BarCopyFme->isVisible()) {
        BarCopyFme->hide();
        vaSpread1->setFocus();
        return;
    }
    for (QLineEdit *box : m_columnBoxes)
        box->clear();
    BarRestoreCmd->setEnabled(QFileInfo::exists(LeoGoodsWriter::backupPath(m_targetFile)));
    BarCopyFme->show();
    BarExitCmd->setFocus();
}

void LEO60DFrm::BarEnterCmd_Click()
{
    QList<int> columns;
    for (QLineEdit *box : m_columnBoxes)
        columns << columnOfBox(box);
    const LeoGoodsWriter::Summary summary = LeoGoodsWriter::summary(m_goods->rows(), columns);
    // An AL-300 goods file that holds goods is replaced only with the operator's Yes, with
    // the counts; the file it replaces is kept for 되살리기.
    GoodsTable existing;
    existing.load(m_targetFile);
    const QString question =
        existing.rows() > 0
            ? QStringLiteral("* AL-300 품목 파일 [%1]번에 품목 %2개가 있습니다.\n"
                             "변환한 품목 %3개로 바꿀까요 ?\n"
                             "(지금 파일은 백업해 두고 '되살리기'로 되돌릴 수 있습니다)")
                  .arg(m_setText)
                  .arg(existing.rows())
                  .arg(summary.written)
            : QStringLiteral("* 품목데이타를 [%1]번으로 저장할까요 ?").arg(m_setText);
    if (!Dialogs::askYesNo(this, question))
        return;
    // A station of this program that shows the set notices the new file and offers to read
    // it; a station of another program (a shared folder) keeps its mark: not written then.
    WriterLock lock(m_targetFile);
    if (lock.acquire() != WriterLock::Result::Locked) {
        Dialogs::inform(this, lock.koreanMessage(), ErrorTitle, QMessageBox::Warning);
        return;
    }
    const QString backup = LeoGoodsWriter::backupPath(m_targetFile);
    if (QFileInfo(m_targetFile).isFile()) {
        QFile current(m_targetFile);
        QString why;
        if (!current.open(QIODevice::ReadOnly) ||
            !SafeSave::write(backup, current.readAll(), &why)) {
            Dialogs::inform(
                this,
                QStringLiteral("* 지금 품목 파일을 백업하지 못해 저장하지 않았습니다 !\n%1")
                    .arg(why.isEmpty() ? current.errorString() : why),
                ErrorTitle, QMessageBox::Warning);
            return;
        }
    }
    BarEnterCmd->setEnabled(false);
    bool saved = false;
    {
        WaitCursor wait;
        saved = LeoGoodsWriter::write(m_targetFile, m_goods->rows(), columns);
    }
    lock.release();
    BarEnterCmd->setEnabled(true);
    if (!saved) {
        // The previous goods data file is left as it was; the panel stays open for a retry.
        Dialogs::inform(this, QStringLiteral("* 저장하지 못했습니다 !"), ErrorTitle,
                        QMessageBox::Warning);
        return;
    }
    BarCopyFme->hide();
    const QString file = QFileInfo(m_targetFile).fileName();
    QStringList said{
        QStringLiteral("* 품목 %1개를 %2로 변환했습니다.").arg(summary.written).arg(file)};
    if (summary.blank)
        said << QStringLiteral("빈 줄 %1개는 건너뛰었습니다.").arg(summary.blank);
    said << QStringLiteral("LEO-60D+ 파일에는 품목명이 없어 품목명은 '?'로 저장했습니다.");
    if (summary.changedCells)
        said << QStringLiteral("품목 파일에 넣을 수 없는 문자(, ; | { } 따옴표 줄바꿈)를 바꾼 칸 "
                               "%1개")
                    .arg(summary.changedCells);
    if (existing.rows() > 0)
        said << QStringLiteral("바꾸기 전 품목 %1개는 %2에 있습니다 ('되살리기').")
                    .arg(existing.rows())
                    .arg(QFileInfo(backup).fileName());
    Dialogs::inform(this, said.join(QLatin1Char('\n')), QStringLiteral("변환"));
    StatusLog::post(this, QStringLiteral("변환: 품목 %1개 → %2").arg(summary.written).arg(file));
    vaSpread1->setFocus();
}

void LEO60DFrm::BarRestoreCmd_Click()
{
    const QString backup = LeoGoodsWriter::backupPath(m_targetFile);
    if (!QFileInfo::exists(backup))
        return;
    GoodsTable kept;
    kept.load(backup);
    if (!Dialogs::askYesNo(this, QStringLiteral("* 마지막 변환 전의 품목 %1개로 [%2]번 AL-300 품목 "
                                                "파일을 되돌릴까요 ?")
                                     .arg(kept.rows())
                                     .arg(m_setText)))
        return;
    WriterLock lock(m_targetFile);
    if (lock.acquire() != WriterLock::Result::Locked) {
        Dialogs::inform(this, lock.koreanMessage(), ErrorTitle, QMessageBox::Warning);
        return;
    }
    QFile file(backup);
    QString why;
    if (!file.open(QIODevice::ReadOnly) || !SafeSave::write(m_targetFile, file.readAll(), &why)) {
        Dialogs::inform(this,
                        QStringLiteral("* 되돌리지 못했습니다 !\n%1")
                            .arg(why.isEmpty() ? file.errorString() : why),
                        ErrorTitle, QMessageBox::Warning);
        return;
    }
    file.close();
    QFile::remove(backup);
    BarRestoreCmd->setEnabled(false);
    StatusLog::post(this, QStringLiteral("되살리기: %1 (품목 %2개)")
                              .arg(QFileInfo(m_targetFile).fileName())
                              .arg(kept.rows()));
    vaSpread1->setFocus();
}

void LEO60DFrm::BarExitCmd_Click()
{
    BarCopyFme->hide();
    vaSpread1->setFocus();
}

void LEO60DFrm::ChtSeltCmd_Click()
{
    if (ChtSelectFme->isVisible()) {
        SetExitCmd_Click();
        return;
    }
    ChtSelectFme->move(width() - ChtSelectFme->width() - 12, SettingsPanelTop);
    ChtSelectFme->raise();
    ChtSelectFme->show();
    SetExitCmd->setFocus();
}

void LEO60DFrm::SetExitCmd_Click()
{
    ChtSelectFme->hide();
    ChtSeltCmd->setFocus();
}

void LEO60DFrm::ChtPrintCmd_Click()
{
    RunRegistrationReport({this, ChtPrintCmd, vaSpread1}, m_goods, vaSpread1,
                          QStringLiteral("LEO60DFrm"));
}

void LEO60DFrm::ChtHelpCmd_Click()
{
    QelHelpFrm::ShowHelp(this, QStringLiteral("LEO60D"));
}

void LEO60DFrm::ChtDispCmd_Click() {}

void LEO60DFrm::ChtExitCmd_Click()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}
