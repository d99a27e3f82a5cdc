// SPDX-License-Identifier: GPL-3.0-or-later
#include "qelhelpfrm.h"
#include "common/modalopening.h"

#include "common/programfolders.h"
#include "common/programstate.h"
#include "common/settingsstore.h"
#include "common/textfile.h"
#include "widgets/vbcolour.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Screen sizes of the original layout are given in twips: 15 twips to a pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

const QString SelectKey = QStringLiteral("QelHelpSelect");

void SetButtonColour(QPushButton *button, quint32 bgr)
{
    const QColor c = VbColour(bgr);
    QPalette p = button->palette();
    p.setColor(QPalette::Button, c);
    button->setPalette(p);
    // The palette alone is not honoured by every style; the style sheet paints it everywhere.
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                         "#808080; padding: 2px; }")
                              .arg(c.name()));
}

QPushButton *MakeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

void QelHelpFrm::ShowHelp(QWidget *opener, const QString &topic)
{
    OpenModal([opener, &topic] {
        QelHelpFrm window(topic, opener);
        window.exec();
    });
}

QString QelHelpFrm::HelpDirectory()
{
    const QString dir = qEnvironmentVariable("LABELSTATION_HELP_DIR");
    if (!dir.isEmpty())
        return QDir::cleanPath(dir);
    return ProgramFolders::helpFolder(QCoreApplication::applicationDirPath());
}

QString QelHelpFrm::textFilePath() const
{
    return QDir(HelpDirectory())
        .filePath(QStringLiteral("Help_") + frmQelHelp + QStringLiteral(".Txt"));
}

QString QelHelpFrm::picturePath(int page) const
{
    return QDir(HelpDirectory())
        .filePath(QStringLiteral("Help/Jpg/%1%2.Jpg").arg(frmQelHelp).arg(page, 3, 10, QChar('0')));
}

QelHelpFrm::QelHelpFrm(const QString &topic, QWidget *parent) : QDialog(parent), frmQelHelp(topic)
{
    Program().ModalOpening = 0;
    setObjectName(QStringLiteral("QelHelpFrm"));
    setModal(true);
    buildWindow();

    setWindowTitle(QStringLiteral("도움말 (") + frmQelHelp + QStringLiteral(")"));
    QelHelpFme->setEnabled(false);
    QelHelpTab->setCurrentIndex(0);

    vaSpread1->setUpdatesEnabled(false);
    loadTextHelp();
    vaSpread1->setUpdatesEnabled(true);

    QelHelpFme->setEnabled(true);
    if (ReadSettingInt(SettingsSection, SelectKey) == 0) {
        QelHelp0Opt->setChecked(true);
        QelHelp0Opt_Click();
        QelHelpTab->setCurrentIndex(0);
    } else {
        QelHelp1Opt->setChecked(true);
        QelHelp1Opt_Click();
        QelHelpTab->setCurrentIndex(1);
    }

    countPictures();
    if (m_pageCount > 0)
        showPage(1);
}

void QelHelpFrm::buildWindow()
{
    const QSize pictureSize(PictureWidthTwips / TwipsPerPixel, PictureHeightTwips / TwipsPerPixel);

    QelHelpTab = new QTabWidget(this);
    QelHelpTab->setObjectName(QStringLiteral("QelHelpTab"));

    // Tab 0: the text help.
    auto *textPage = new QWidget;
    auto *textLayout = new QVBoxLayout(textPage);
    vaSpread1 = new QTableWidget(0, 1, textPage);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vaSpread1->setSelectionBehavior(QAbstractItemView::SelectRows);
    vaSpread1->setSelectionMode(QAbstractItemView::SingleSelection);
    vaSpread1->setWordWrap(false);
    vaSpread1->setShowGrid(false);
    vaSpread1->setTextElideMode(Qt::ElideNone);
    vaSpread1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    vaSpread1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    vaSpread1->verticalHeader()->setDefaultSectionSize(22);
    vaSpread1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vaSpread1->setFixedSize(pictureSize.width() + 20, pictureSize.height());
    // A fixed-pitch Hangul font keeps the indented and tabular lines of the help aligned.
    QFont gridFont(QStringLiteral("NanumGothicCoding"));
    gridFont.setPointSize(10);
    vaSpread1->setFont(gridFont);
    QFont headerFont = font();
    headerFont.setBold(true);
    vaSpread1->horizontalHeader()->setFont(headerFont);
    textLayout->addWidget(vaSpread1);

    auto *moveRow = new QHBoxLayout;
    PsnHomeCmd = MakeButton(QStringLiteral("PsnHomeCmd"), QStringLiteral("H"), textPage);
    PsnPgupCmd = MakeButton(QStringLiteral("PsnPgupCmd"), QStringLiteral("<<"), textPage);
    PsnUpCmd = MakeButton(QStringLiteral("PsnUpCmd"), QStringLiteral("<"), textPage);
    PsnDnCmd = MakeButton(QStringLiteral("PsnDnCmd"), QStringLiteral(">"), textPage);
    PsnPgdnCmd = MakeButton(QStringLiteral("PsnPgdnCmd"), QStringLiteral(">>"), textPage);
    PsnEndCmd = MakeButton(QStringLiteral("PsnEndCmd"), QStringLiteral("E"), textPage);
    // What each button does, for the pointer and for screen readers, with its key.
    const struct {
        QPushButton *button;
        const char *name;
        const char *key;
    } moves[] = {{PsnHomeCmd, "처음", "Home"},    {PsnPgupCmd, "이전 쪽", "PgUp"},
                 {PsnUpCmd, "이전", "↑"},         {PsnDnCmd, "다음", "↓"},
                 {PsnPgdnCmd, "다음 쪽", "PgDn"}, {PsnEndCmd, "끝", "End"}};
    for (const auto &m : moves) {
        m.button->setFixedSize(44, 26);
        m.button->setAccessibleName(QString::fromUtf8(m.name));
        m.button->setToolTip(
            QStringLiteral("%1 (%2)").arg(QString::fromUtf8(m.name), QString::fromUtf8(m.key)));
        moveRow->addWidget(m.button);
    }
    moveRow->addStretch();
    textLayout->addLayout(moveRow);
    connect(PsnHomeCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnHomeCmd_Click);
    connect(PsnPgupCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnPgupCmd_Click);
    connect(PsnUpCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnUpCmd_Click);
    connect(PsnDnCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnDnCmd_Click);
    connect(PsnPgdnCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnPgdnCmd_Click);
    connect(PsnEndCmd, &QPushButton::clicked, this, &QelHelpFrm::PsnEndCmd_Click);

    // Tab 1: the picture pages.
    auto *picturePage = new QWidget;
    auto *pictureLayout = new QVBoxLayout(picturePage);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->setSpacing(0);
    QelHelpPicArea = new QWidget(picturePage);
    QelHelpPicArea->setObjectName(QStringLiteral("QelHelpPicArea"));
    QelHelpPicArea->setFixedSize(pictureSize);
    QelHelpPicArea->setAutoFillBackground(true);
    QPalette areaPalette = QelHelpPicArea->palette();
    areaPalette.setColor(QPalette::Window, Qt::white);
    QelHelpPicArea->setPalette(areaPalette);
    QelHelpPic = new QLabel(QelHelpPicArea);
    QelHelpPic->setObjectName(QStringLiteral("QelHelpPic"));
    QelHelpPic->setFocusPolicy(Qt::StrongFocus);
    QelHelpPic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QelHelpPic->setGeometry(0, 0, pictureSize.width(), pictureSize.height());
    VScroll1 = new QScrollBar(Qt::Vertical, picturePage);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(0, ScrollMax);
    VScroll1->setSingleStep(ScrollStep);
    VScroll1->setPageStep(ScrollStep * 10);
    // The window's keys drive the bar; its own keyboard handling would step twice.
    VScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setFixedHeight(pictureSize.height());
    connect(VScroll1, &QScrollBar::valueChanged, this, &QelHelpFrm::VScroll1_Change);
    pictureRow->addWidget(QelHelpPicArea);
    pictureRow->addWidget(VScroll1);
    pictureRow->addStretch();
    pictureLayout->addLayout(pictureRow);

    auto *pageRow = new QHBoxLayout;
    pageRow->setSpacing(3);
    QelPrevCmd = MakeButton(QStringLiteral("QelPrevCmd"), QStringLiteral("◀"), picturePage);
    QelPrevCmd->setFixedSize(40, 26);
    pageRow->addWidget(QelPrevCmd);
    for (int i = 1; i <= MaxPages; ++i) {
        QelPicCmd[i] =
            MakeButton(QStringLiteral("QelPicCmd%1").arg(i), QString::number(i), picturePage);
        QelPicCmd[i]->setFixedSize(36, 26);
        QelPicCmd[i]->setVisible(false);
        SetButtonColour(QelPicCmd[i], PageColour);
        pageRow->addWidget(QelPicCmd[i]);
        connect(QelPicCmd[i], &QPushButton::clicked, this, [this, i] { QelPicCmd_Click(i); });
    }
    QelNextCmd = MakeButton(QStringLiteral("QelNextCmd"), QStringLiteral("▶"), picturePage);
    QelNextCmd->setFixedSize(40, 26);
    pageRow->addWidget(QelNextCmd);
    pageRow->addStretch();
    pictureLayout->addLayout(pageRow);
    connect(QelPrevCmd, &QPushButton::clicked, this, &QelHelpFrm::QelPrevCmd_Click);
    connect(QelNextCmd, &QPushButton::clicked, this, &QelHelpFrm::QelNextCmd_Click);

    QelHelpTab->addTab(textPage, QStringLiteral("텍스트"));
    QelHelpTab->addTab(picturePage, QStringLiteral("그래픽"));
    connect(QelHelpTab, &QTabWidget::currentChanged, this, &QelHelpFrm::QelHelpTab_Click);

    // The display choice, remembered for the next opening.
    QelHelpFme = new QGroupBox(QStringLiteral("처음 보기"), this);
    QelHelpFme->setObjectName(QStringLiteral("QelHelpFme"));
    auto *optLayout = new QHBoxLayout(QelHelpFme);
    QelHelp0Opt = new QRadioButton(QStringLiteral("텍스트"), QelHelpFme);
    QelHelp0Opt->setObjectName(QStringLiteral("QelHelp0Opt"));
    QelHelp1Opt = new QRadioButton(QStringLiteral("그래픽"), QelHelpFme);
    QelHelp1Opt->setObjectName(QStringLiteral("QelHelp1Opt"));
    optLayout->addWidget(QelHelp0Opt);
    optLayout->addWidget(QelHelp1Opt);
    connect(QelHelp0Opt, &QRadioButton::clicked, this, &QelHelpFrm::QelHelp0Opt_Click);
    connect(QelHelp1Opt, &QRadioButton::clicked, this, &QelHelpFrm::QelHelp1Opt_Click);

    auto *hint = new QLabel(QStringLiteral("그래픽 : ◀ ( ` , )   ▶ ( . Space )   "
                                           "Home/End/↑/↓/PgUp/PgDn : 화면이동   Esc : 닫기"),
                            this);
    hint->setObjectName(QStringLiteral("QelHelpKeyLbl"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(QelHelpFme);
    bottom->addSpacing(12);
    bottom->addWidget(hint);
    bottom->addStretch();

    auto *main = new QVBoxLayout(this);
    main->addWidget(QelHelpTab);
    main->addLayout(bottom);

    // The window's keys are seen before the control with the focus handles them.
    QList<QWidget *> keyWidgets{
        vaSpread1,  QelHelpPic, QelHelpTab->tabBar(), QelHelp0Opt, QelHelp1Opt, QelPrevCmd,
        QelNextCmd, PsnHomeCmd, PsnPgupCmd,           PsnUpCmd,    PsnDnCmd,    PsnPgdnCmd,
        PsnEndCmd};
    for (int i = 1; i <= MaxPages; ++i)
        keyWidgets << QelPicCmd[i];
    for (QWidget *w : keyWidgets)
        w->installEventFilter(this);

    adjustSize();
    m_designSize = size();
    setFixedSize(m_designSize);
}

void QelHelpFrm::loadTextHelp()
{
    vaSpread1->setRowCount(0);
    vaSpread1->setHorizontalHeaderLabels({QString()});
    bool ok = false;
    const QStringList lines = TextFile::readLines(textFilePath(), &ok);
    if (!ok)
        return;
    bool titleTaken = false;
    int rows = 0;
    for (const QString &line : lines) {
        if (line.trimmed() == QLatin1String("'"))
            continue;
        if (!titleTaken) {
            vaSpread1->setHorizontalHeaderLabels({line.trimmed()});
            titleTaken = true;
            continue;
        }
        ++rows;
        vaSpread1->setRowCount(rows);
        vaSpread1->setItem(rows - 1, 0, new QTableWidgetItem(line));
    }
    if (rows > 0)
        vaSpread1->setCurrentCell(0, 0);
}

void QelHelpFrm::countPictures()
{
    m_pageCount = 0;
    for (int i = 1; i <= MaxPages; ++i) {
        if (!QFileInfo(picturePath(i)).isFile())
            break;
        m_pageCount = i;
        QelPicCmd[i]->setVisible(true);
    }
}

void QelHelpFrm::showPage(int page)
{
    m_currentPage = page;
    for (int i = 1; i <= MaxPages; ++i)
        SetButtonColour(QelPicCmd[i], PageColour);
    if (page >= 1 && page <= MaxPages)
        SetButtonColour(QelPicCmd[page], CurrentPageColour);

    QelHelpPic->clear();
    QImage image;
    if (image.load(picturePath(page)) && !image.isNull()) {
        const QPixmap pix = QPixmap::fromImage(
            image.scaledToWidth(QelHelpPicArea->width(), Qt::SmoothTransformation));
        QelHelpPic->setPixmap(pix);
        QelHelpPic->resize(pix.size());
    } else {
        QelHelpPic->resize(QelHelpPicArea->size());
    }

    VScroll1->setValue(0);
    QelHelpPic->move(0, 0);
    QelHelpPic->setFocus();
}

int QelHelpFrm::pictureTop() const
{
    return QelHelpPic->y();
}

void QelHelpFrm::QelHelp0Opt_Click()
{
    SaveSettingInt(SettingsSection, SelectKey, 0);
}

void QelHelpFrm::QelHelp1Opt_Click()
{
    SaveSettingInt(SettingsSection, SelectKey, 1);
}

void QelHelpFrm::QelPicCmd_Click(int index)
{
    if (index < 1 || index > m_pageCount)
        return;
    showPage(index);
}

void QelHelpFrm::QelPrevCmd_Click()
{
    if (m_pageCount <= 0)
        return;
    int page = m_currentPage - 1;
    if (page < 1)
        page = m_pageCount;
    showPage(page);
    QelHelpPic->setFocus();
}

void QelHelpFrm::QelNextCmd_Click()
{
    if (m_pageCount <= 0)
        return;
    int page = m_currentPage + 1;
    if (page > m_pageCount)
        page = 1;
    showPage(page);
    QelHelpPic->setFocus();
}

int QelHelpFrm::activeRow() const
{
    return qMax(1, vaSpread1->currentRow() + 1);
}

void QelHelpFrm::moveGridTo(int row)
{
    vaSpread1->setCurrentCell(row - 1, 0);
    vaSpread1->scrollToItem(vaSpread1->item(row - 1, 0));
    vaSpread1->setFocus();
}

void QelHelpFrm::PsnHomeCmd_Click()
{
    if (vaSpread1->rowCount() < 1)
        return;
    moveGridTo(1);
}

void QelHelpFrm::PsnPgupCmd_Click()
{
    if (vaSpread1->rowCount() < 1)
        return;
    int row = activeRow();
    for (int i = 0; i < GridPageRows; ++i)
        if (row >= 2)
            --row;
    moveGridTo(row);
}

void QelHelpFrm::PsnUpCmd_Click()
{
    if (vaSpread1->rowCount() < 1)
        return;
    int row = activeRow();
    if (row >= 2)
        --row;
    moveGridTo(row);
}

void QelHelpFrm::PsnDnCmd_Click()
{
    const int rows = vaSpread1->rowCount();
    if (rows < 1)
        return;
    int row = activeRow();
    if (row < rows)
        ++row;
    moveGridTo(row);
}

void QelHelpFrm::PsnPgdnCmd_Click()
{
    const int rows = vaSpread1->rowCount();
    if (rows < 1)
        return;
    int row = activeRow();
    for (int i = 0; i < GridPageRows; ++i)
        if (row < rows)
            ++row;
    moveGridTo(row);
}

void QelHelpFrm::PsnEndCmd_Click()
{
    const int rows = vaSpread1->rowCount();
    if (rows < 1)
        return;
    moveGridTo(rows);
}

void QelHelpFrm::VScroll1_Change()
{
    // -18 twips per step of the bar.
    const int top = -qRound(double(VScroll1->value()) * TwipsPerScrollStep / TwipsPerPixel);
    QelHelpPic->move(0, top);
}

void QelHelpFrm::QelHelpTab_Click()
{
    focusCurrentTab();
}

void QelHelpFrm::focusCurrentTab()
{
    if (QelHelpTab->currentIndex() == 0)
        vaSpread1->setFocus();
    else
        QelHelpPic->setFocus();
}

void QelHelpFrm::scrollBy(int steps, int direction)
{
    for (int i = 0; i < steps; ++i) {
        const int v = VScroll1->value();
        if (direction < 0 && v > ScrollStep - 1)
            VScroll1->setValue(v - ScrollStep);
        else if (direction > 0 && v <= ScrollMax - ScrollStep)
            VScroll1->setValue(v + ScrollStep);
    }
}

bool QelHelpFrm::textKey(int key)
{
    switch (key) {
    case Qt::Key_Home:
        PsnHomeCmd_Click();
        return true;
    case Qt::Key_End:
        PsnEndCmd_Click();
        return true;
    case Qt::Key_PageUp:
        PsnPgupCmd_Click();
        return true;
    case Qt::Key_PageDown:
        PsnPgdnCmd_Click();
        return true;
    default:
        return false;
    }
}

bool QelHelpFrm::windowKey(int key)
{
    switch (key) {
    case Qt::Key_Home:
        VScroll1->setValue(0);
        return true;
    case Qt::Key_End:
        VScroll1->setValue(ScrollMax);
        return true;
    case Qt::Key_Up:
        scrollBy(1, -1);
        return true;
    case Qt::Key_Down:
        scrollBy(1, 1);
        return true;
    case Qt::Key_PageUp:
        scrollBy(10, -1);
        return true;
    case Qt::Key_PageDown:
        scrollBy(10, 1);
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

bool QelHelpFrm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, e);
    auto *key = static_cast<QKeyEvent *>(e);
    if (key->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (watched == QelHelpPic) {
        switch (key->key()) {
        case Qt::Key_QuoteLeft:
        case Qt::Key_Comma:
            QelPrevCmd_Click();
            return true;
        case Qt::Key_Space:
        case Qt::Key_Period:
            QelNextCmd_Click();
            return true;
        default:
            break;
        }
    }
    // The window's keys act first; the control then handles the key as usual (the grid
    // still moves its row with Up and Down). Home, End, PgUp and PgDn move the grid as the
    // buttons do.
    windowKey(key->key());
    return watched == vaSpread1 && textKey(key->key());
}

void QelHelpFrm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // A key that comes up from a control was already seen by the event filter; only keys
    // pressed while no control has the focus are the window's own here.
    QWidget *focus = focusWidget();
    if ((!focus || focus == this) && windowKey(e->key()))
        return;
    QDialog::keyPressEvent(e);
}

bool QelHelpFrm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        focusCurrentTab();
    return QDialog::event(e);
}

void QelHelpFrm::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    if (m_designSize.isValid() && size() != m_designSize)
        resize(m_designSize);
}
